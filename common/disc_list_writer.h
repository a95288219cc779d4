#pragma once

#include "common/disc_list_format.h"
#include "common/text_writer.h"

#include <filesystem>
#include <string>
#include <string_view>

namespace common {

// Writes a disc list in the format of DiscListFormat: one line per file, then the summary line.
// The walk calls appendFile once per file, so it formats straight into the writer's buffer.
class DiscListWriter {
public:
    // Creates (or empties) the file.
    explicit DiscListWriter(const std::filesystem::path& path);

    // `folder` is the list form ("E:\Photos\"), `name` the file's name as listed; it is cleaned
    // so the list stays one line of two fields per file.
    void appendFile(std::string_view folder, std::string_view name) {
        writer_.raw("\"");
        writer_.raw(folder);
        writer_.raw("\",\"");
        writer_.raw(DiscListFormat::cleanName(name, scratch_));
        writer_.raw("\"\r\n");
    }
    // The summary line; then closes the file.
    void finish(long long files, long long folders);

private:
    TextWriter writer_;
    std::string scratch_;
};

} // namespace common
