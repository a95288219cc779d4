#include "common/ui/drive_list_box.h"

#include "common/error.h"

namespace common::ui {

DriveListBox::DriveListBox(DriveTable table, QWidget* parent)
    : QComboBox(parent), table_(std::move(table)) {
    setAccessibleName(QStringLiteral("Drives"));
    fill();
    connect(this, &QComboBox::activated, this, &DriveListBox::chosen);
}

void DriveListBox::setTable(DriveTable table) {
    table_ = std::move(table);
    refresh();
}

void DriveListBox::fill() {
    quiet_ = true;
    clear();
    for (const char letter : table_.letters())
        addItem(QString(QChar(letter).toLower()) + ":", QChar(letter));
    quiet_ = false;
}

char DriveListBox::letter() const {
    const QVariant data = currentData();
    return data.isValid() ? data.toChar().toLatin1() : '\0';
}

QString DriveListBox::drive() const {
    return currentText();
}

void DriveListBox::setDrive(const QString& drive) {
    if (drive.isEmpty())
        throw Error(ErrorNumber::DeviceUnavailable, "No drive given");
    const char wanted = drive[0].toUpper().toLatin1();
    const int index = findData(QChar(wanted));
    if (index < 0)
        throw Error(ErrorNumber::DeviceUnavailable,
                    std::string("Drive ") + wanted + ": is not in the drive table");
    setCurrentIndex(index);
    const auto root = table_.root(wanted); // throws 68 when unreadable
    emit driveChanged(wanted, QString::fromStdString(root.string()));
}

void DriveListBox::refresh() {
    const char keep = letter();
    fill();
    const int index = findData(QChar(keep));
    if (index >= 0)
        setCurrentIndex(index);
}

void DriveListBox::chosen(int index) {
    if (quiet_ || index < 0)
        return;
    const char l = itemData(index).toChar().toLatin1();
    try {
        const auto root = table_.root(l);
        emit driveChanged(l, QString::fromStdString(root.string()));
    } catch (const Error& e) {
        emit driveFailed(l, QString::fromStdString(e.description()));
    }
}

} // namespace common::ui
