#pragma once

#include "common/text_writer.h"

#include <filesystem>
#include <string_view>

namespace splitter {

// An extension file held open for appending: the common writer with a small buffer, since a run
// holds hundreds of these at once. The buffer outlives close() and is reused when the slot opens
// another file.
class AppendFile : public common::TextWriter {
public:
    AppendFile() : TextWriter(Buffer::Small) {}

    // Throws common::Error when the file cannot be opened.
    void open(const std::filesystem::path& path) { TextWriter::open(path, Mode::Append); }
    void write(std::string_view bytes) { raw(bytes); }
    // Writes what is buffered and closes; throws common::Error on a failed write.
    void close() { commit(); }
};

} // namespace splitter
