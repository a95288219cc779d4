#pragma once

#include "common/text_writer.h"

#include <filesystem>
#include <string_view>

namespace dravik::catalogue {

// Writes a disc list: one line per file, "folder","name" with CR LF, then the summary line.
// The walk calls appendFile once per file, so it formats straight into the writer's buffer.
class DiscListWriter {
public:
    // Creates (or empties) the file.
    explicit DiscListWriter(const std::filesystem::path& path);

    // `folder` is the list form ("E:\Photos\"), `name` the file's name as listed. CR and LF in a
    // name become "?", so the list stays one line per file.
    void appendFile(std::string_view folder, std::string_view name);
    // "1,234 files : 56 folders" (counts formatted "###,###,###,###"); then closes the file.
    void finish(long long files, long long folders);

    static std::string summaryLine(long long files, long long folders);

private:
    common::TextWriter writer_;
};

} // namespace dravik::catalogue
