#pragma once

#include "common/item_reader.h"
#include "common/line_reader.h"

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace splitter {

// One file of a disc list: the stamp (date, time and size), the folder and the file name, as bytes
// in the system's code page.
struct Record {
    std::string_view stamp;
    std::string_view folder;
    std::string_view name;
};

// Reads the records of a disc list in either layout. A list whose first line holds two items, the
// first a folder beginning with a drive letter and ":\", is a catalogue list: one quoted
// folder/file pair per line and a summary line at the end, which is skipped; each line is one
// record with an empty stamp. Any other list is a stream of comma-separated items taken three at a
// time (stamp, folder, file name) regardless of line ends. Lines in the other code page are
// converted, so every extension file stays in one code page.
class RecordReader {
public:
    enum class Layout { Catalogue, Stamped };

    explicit RecordReader(const std::filesystem::path& list);

    Layout layout() const { return layout_; }
    // The next record, valid until the next call; false at the end. A record cut short by the end
    // of the file ends the list as well (see cutShort()).
    bool next(Record& record);
    bool cutShort() const { return cutShort_; }
    // Bytes of the list read so far.
    std::size_t consumed() const;

private:
    bool nextCatalogue(Record& record);
    bool nextStamped(Record& record);

    std::filesystem::path path_;
    Layout layout_ = Layout::Stamped;
    std::optional<common::LineReader> lines_;
    std::optional<common::ItemReader> items_;
    std::string_view pending_; // the first line, already read while the layout was found
    bool hasPending_ = false;
    bool cutShort_ = false;
    std::string scratch_[3];
    std::string line_;
};

} // namespace splitter
