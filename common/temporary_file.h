#pragma once

#include "common/file_descriptor.h"

#include <chrono>
#include <cstddef>
#include <filesystem>
#include <string_view>

namespace common {

// The new file of a rewrite, written beside the file it will replace and renamed over it. Its
// name is short and hidden (".dravik-XXXXXXXX.new"), so any name that fits the folder can be
// rewritten and no file list shows it. While it is written it is locked, so another program's
// clean-up can tell a rewrite that runs from one a killed program left behind.
namespace TemporaryFile {

struct Created {
    FileDescriptor fd;
    std::filesystem::path path;
};

// A new, locked, empty file in the folder of `target`. It gets the mode of `target` when that
// exists (a rewrite keeps a private file private), else 0666 less the umask. Throws
// common::Error.
Created createBeside(const std::filesystem::path& target);

// Whether a name is one of these files, or one of the "<name>.new-XXXXXX" files of earlier
// versions.
bool isTemporaryName(std::string_view name);

// Removes the temporary files of `folder` that no running rewrite holds and that are older than
// `minimumAge` (a rewrite whose new file is taken between creation and lock picks another name).
// Files of earlier versions carry no lock and go only after ten minutes. Never throws; returns
// how many went.
std::size_t removeStale(const std::filesystem::path& folder,
                        std::chrono::seconds minimumAge = std::chrono::seconds(0));

} // namespace TemporaryFile

} // namespace common
