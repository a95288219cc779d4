#include "splitter/disc_list_box.h"

#include <QMouseEvent>

namespace splitter {

DiscListBox::DiscListBox(QWidget* parent) : QListWidget(parent) {
    setSelectionMode(QAbstractItemView::MultiSelection);
    setAccessibleName(QStringLiteral("Disc lists"));
}

QStringList DiscListBox::selectedNames() const {
    // Top to bottom, as the list shows them, not in the order they were picked.
    QStringList names;
    for (int i = 0; i < count(); ++i) {
        if (item(i)->isSelected())
            names << item(i)->text();
    }
    return names;
}

void DiscListBox::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) {
        clearSelection();
        return;
    }
    QListWidget::mousePressEvent(event);
}

} // namespace splitter
