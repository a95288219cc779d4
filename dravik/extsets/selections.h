#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include <filesystem>
#include <optional>
#include <vector>

namespace dravik::extsets {

// Saved disc selections: the names in RemSel, kept sorted, saved one a line to "RemSel.ini" in the
// data folder, and for each name a file name + ".ini" beside it with the positions of the selected
// rows of the disc selection list (0 is the first row), one a line.
class Selections : public QObject {
    Q_OBJECT
public:
    static constexpr const char* FileName = "RemSel.ini";
    static constexpr const char* NoName = "I don't like files with no names. . .";

    explicit Selections(std::filesystem::path dataFolder = {}, QObject* parent = nullptr);

    // Reads "RemSel.ini" (created empty when missing); the second form in another data folder.
    void load();
    void load(const std::filesystem::path& dataFolder);
    const QStringList& names() const { return names_; }

    // Why "Remember Selection" cannot save under this name, as the user is told; nothing when it
    // can.
    std::optional<QString> refusal(const QString& name) const;
    // Adds the name, rewrites "RemSel.ini" and writes the selection file with the positions of
    // `selectedRows` (ascending). Throws common::Error 5 with the refusal when refused.
    void remember(const QString& name, const std::vector<int>& selectedRows);
    // The positions a selection file names, skipping items that are not numbers and positions
    // from `rowCount` on (discs removed since). A missing file is created empty first.
    std::vector<int> positions(const QString& name, int rowCount) const;
    // "Delete Selection": removes the row equal to `name` (when there is one), deletes its file
    // (when there is one) and rewrites "RemSel.ini".
    void remove(const QString& name);

signals:
    void changed();

private:
    std::filesystem::path listFile() const;
    // Nothing for a name that cannot name a file: no file of it is read, made or deleted.
    std::optional<std::filesystem::path> selectionFile(const QString& name) const;

    std::filesystem::path dataFolder_;
    QStringList names_;
};

} // namespace dravik::extsets
