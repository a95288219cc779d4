#pragma once

#include "common/text_writer.h"

#include <filesystem>
#include <string_view>

namespace splitter {

// An extension file held open for appending: the common writer with a small buffer, since a run
// holds hundreds of these at once. The buffer outlives close() and is reused when the slot opens
// another file. A last line without its line end is cut off before anything is appended: only a
// split killed in the middle of a write leaves one, and that half record must not be completed
// by the next line.
class AppendFile : public common::TextWriter {
public:
    AppendFile() : TextWriter(Buffer::Small) { setUnendedLine(UnendedLine::Cut); }

    // Throws common::Error when the file cannot be opened.
    void open(const std::filesystem::path& path) { TextWriter::open(path, Mode::Append); }
    void write(std::string_view bytes) { raw(bytes); }
    // Writes what is buffered and closes; throws common::Error on a failed write.
    void close() { commit(); }
};

} // namespace splitter
