#pragma once

#include "common/file_lines.h"
#include "common/line_store.h"

#include <QString>

#include <cstddef>
#include <memory>
#include <optional>

namespace common {

// The rows of a list shown without building a text of them: the lines of a file, read when asked
// for, then the rows appended since (a report loaded after a list), kept as UTF-8. A row is
// decoded only when it is shown or searched (UTF-8 when valid, else windows-1252).
class ListRows {
public:
    // A place in the rows: a row and a character of it.
    struct Place {
        std::size_t row = 0;
        qsizetype column = 0;
        auto operator<=>(const Place&) const = default;
    };

    // One empty row, as an empty text has one line.
    ListRows();
    explicit ListRows(std::unique_ptr<FileLines> file);

    std::size_t size() const { return fileRows_ + kept_.size(); }
    // Characters of the longest row, about: a row of the file counts its bytes.
    std::size_t longest() const { return longest_; }

    QString text(std::size_t row) const;

    // Appends text after the last character: its first line ends the last row. Line breaks are
    // LF, CR LF or a lone CR.
    void append(const QString& text);

    // The first place at or after `from` where `word` stands, in any case, within a row.
    std::optional<Place> find(const QString& word, Place from) const;

    // Every row, each but the last ended by a LF.
    QString wholeText() const;

private:
    std::unique_ptr<FileLines> file_;
    std::size_t fileRows_ = 0;
    LineStore kept_;
    std::size_t longest_ = 0;
};

} // namespace common
