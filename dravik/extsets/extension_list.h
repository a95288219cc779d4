#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include <filesystem>
#include <optional>
#include <vector>

namespace dravik::extsets {

// The extension list ExtLys: entries kept sorted without regard to case (each addition goes into
// its place), each selectable; the selected entries narrow a global search to their
// per-extension lists. Saved one entry a line to "ExtLys.ini" in the data folder. The list view
// shows it and hands the user's selection back to it.
class ExtensionList : public QObject {
    Q_OBJECT
public:
    static constexpr const char* FileName = "ExtLys.ini";
    static constexpr const char* StartCopyName = "ExtLys.inZ";
    static constexpr const char* RestLabel = "File type to search for";

    // The count label after an addition: "File type to search for: (" + entries - 1 + ")".
    static QString countLabel(int entries);

    explicit ExtensionList(QObject* parent = nullptr);

    const QStringList& entries() const { return entries_; }
    int size() const { return static_cast<int>(entries_.size()); }

    bool isSelected(int row) const { return selected_.at(row); }
    void setSelected(int row, bool on);
    void selectAll(bool on);
    // Exactly the rows `rows` selected; rows the list does not hold are passed over.
    void setSelection(const std::vector<int>& rows);
    bool anySelected() const;
    // In list order.
    QStringList selectedEntries() const;

    // Adds the text upper-cased in its sorted place: its row, or nothing when the text is empty
    // or an equal entry is there already (compared upper-cased).
    std::optional<int> add(const QString& text);
    void clear();
    void removeSelected();

    // The set text of the selected entries: each followed by one blank ("TXT DOC ").
    QString setText() const;
    // Selects every entry equal to a piece of the set text (upper-cased); deselects nothing.
    void applySet(const QString& setText);
    // The pieces of a set text: a blank ends each piece, two blanks in a row make an empty
    // piece, and a text not ending in a blank is taken as if it did.
    static QStringList pieces(const QString& setText);

    // Reads "ExtLys.ini" (created empty when missing): every item an entry, duplicates kept.
    void load(const std::filesystem::path& dataFolder);
    // Rewrites "ExtLys.ini" with every entry, in list order.
    void save(const std::filesystem::path& dataFolder) const;
    // What "START" writes: "ExtLys.ini" and "ExtLys.inZ", the same entries each.
    void saveForStart(const std::filesystem::path& dataFolder) const;

signals:
    // Entries added or removed (their selection with them).
    void changed();
    // Only which entries are selected.
    void selectionChanged();

private:
    int insertSorted(const QString& entry);

    QStringList entries_;
    std::vector<bool> selected_;
};

} // namespace dravik::extsets
