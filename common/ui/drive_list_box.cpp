#include "common/ui/drive_list_box.h"

#include "common/error.h"

#include <iterator>

namespace common::ui {

namespace {
constexpr int PlaceRole = Qt::UserRole + 1;
}

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
    for (const auto& place : places_) {
        const QString path = QString::fromStdString(place.string());
        addItem(path);
        setItemData(count() - 1, path, PlaceRole);
    }
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

void DriveListBox::addPlace(const std::filesystem::path& folder) {
    places_.push_back(folder.lexically_normal());
    refresh();
}

void DriveListBox::showPlaceOf(const std::filesystem::path& folder) {
    const auto wanted = folder.lexically_normal();
    int best = -1;
    std::size_t bestDepth = 0;
    for (int i = 0; i < count(); ++i) {
        const QVariant place = itemData(i, PlaceRole);
        if (!place.isValid())
            continue;
        const std::filesystem::path root = place.toString().toStdString();
        const auto rel = wanted.lexically_relative(root);
        const auto depth = static_cast<std::size_t>(std::distance(root.begin(), root.end()));
        if (!rel.empty() && *rel.begin() != ".." && (best < 0 || depth > bestDepth)) {
            best = i;
            bestDepth = depth;
        }
    }
    quiet_ = true;
    setCurrentIndex(best);
    quiet_ = false;
}

void DriveListBox::chosen(int index) {
    if (quiet_ || index < 0)
        return;
    const QVariant place = itemData(index, PlaceRole);
    if (place.isValid()) {
        emit placeChosen(place.toString());
        return;
    }
    const char l = itemData(index).toChar().toLatin1();
    try {
        const auto root = table_.root(l);
        emit driveChanged(l, QString::fromStdString(root.string()));
    } catch (const Error& e) {
        emit driveFailed(l, QString::fromStdString(e.description()));
    }
}

} // namespace common::ui
