#pragma once

#include "common/drive_table.h"

#include <QComboBox>

#include <filesystem>
#include <vector>

namespace common::ui {

// The drive list: one entry per letter of the drive table, shown as "e:" the way the catalogue
// writes drives. Choosing a letter emits driveChanged with its root; a letter whose drive cannot
// be read now still shows, and choosing it reports device unavailable (68). A list that looks
// beyond the drives (the program picker) also offers places: folders of this system, shown as
// their paths after the letters.
class DriveListBox : public QComboBox {
    Q_OBJECT
public:
    explicit DriveListBox(DriveTable table, QWidget* parent = nullptr);

    const DriveTable& table() const { return table_; }
    void setTable(DriveTable table);
    char letter() const;
    // "e:"
    QString drive() const;
    // Selects the drive of the first letter of `drive`; throws Error 68 when the letter is not in
    // the table or cannot be read now (the selection still moves, as a drive list does).
    void setDrive(const QString& drive);
    // Re-reads the drive table's entries, keeping the current letter.
    void refresh();

    // Offers `folder` (absolute) after the drives.
    void addPlace(const std::filesystem::path& folder);
    // Shows the deepest place that holds `folder`, or nothing when none does; tells no one.
    void showPlaceOf(const std::filesystem::path& folder);

signals:
    // After the user or setDrive chose a readable drive.
    void driveChanged(char letter, const QString& root);
    // After the user chose a drive that cannot be read (68); code that calls setDrive gets the
    // error thrown instead.
    void driveFailed(char letter, const QString& reason);
    // After the user chose a place.
    void placeChosen(const QString& folder);

private:
    void fill();
    void chosen(int index);

    DriveTable table_;
    std::vector<std::filesystem::path> places_;
    bool quiet_ = false;
};

} // namespace common::ui
