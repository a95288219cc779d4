#include "splitter/disc_list_box.h"

#include "common/ui/file_list_box.h"

#include <QMouseEvent>

namespace splitter {

DiscListBox::DiscListBox(QWidget* parent) : QListWidget(parent) {
    setSelectionMode(QAbstractItemView::MultiSelection);
    setAccessibleName(QStringLiteral("Disc lists"));
}

void DiscListBox::fill(const common::ui::FileListBox& files) {
    clear();
    for (int row = 0; row < files.count(); ++row) {
        auto* entry = new QListWidgetItem(files.item(row)->text(), this);
        const std::string bytes = files.filePath(row).filename().string();
        entry->setData(Qt::UserRole, QByteArray::fromStdString(bytes));
    }
}

std::vector<ListedFile> DiscListBox::selectedFiles() const {
    std::vector<ListedFile> files;
    for (int i = 0; i < count(); ++i) {
        if (item(i)->isSelected())
            files.push_back(
                {item(i)->data(Qt::UserRole).toByteArray().toStdString(), item(i)->text()});
    }
    return files;
}

void DiscListBox::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) {
        clearSelection();
        return;
    }
    QListWidget::mousePressEvent(event);
}

} // namespace splitter
