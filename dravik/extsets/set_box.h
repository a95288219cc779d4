#pragma once

#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>

#include <filesystem>

namespace dravik::extsets {

// The extension set box Sette: the set texts of earlier searches, sorted, each once. Every set a
// search uses for the first time is appended to "sette.lys" in the program folder.
class SetBox : public QObject {
    Q_OBJECT
public:
    static constexpr const char* FileName = "sette.lys";
    static constexpr const char* Caption = "Extention SETS";

    explicit SetBox(QObject* parent = nullptr);

    // Reads "sette.lys" (created empty when missing); a text equal to one already there
    // (upper-cased) is skipped. Reading drops a set text's trailing blank.
    void load(const std::filesystem::path& programFolder);
    const QStringList& rows() const { return rows_; }

    // Records the set text of a starting search: when no row equals it (upper-cased) and it is
    // longer than one character, appends it to "sette.lys" and adds it as a row. Returns whether
    // it did.
    bool record(const QString& setText, const std::filesystem::path& programFolder);

signals:
    void changed();

private:
    bool contains(const QString& text) const;
    void insertSorted(const QString& text);

    QStringList rows_;
    QSet<QString> known_; // the rows upper-cased, so a check costs the same for any number
};

} // namespace dravik::extsets
