#pragma once

#include "common/file_descriptor.h"
#include "dravik/search/search_request.h"

#include <QString>

#include <cstddef>
#include <filesystem>
#include <optional>

namespace dravik::search {

// Where the source of one queue row is: in disc mode the disc's list, data folder + name + ".rtf";
// in extension mode data folder + "Shard-9/" + entry + ".rtf", or, when there is none, the
// splitter's output data folder + "TheShards-13/" + entry + ".rtf". Names are matched without
// regard to case.
class SourceLocator {
public:
    static constexpr const char* ExtensionFolder = "Shard-9";
    static constexpr const char* SplitterFolder = "TheShards-13";

    SourceLocator(std::filesystem::path dataFolder, SourceMode mode);

    // Nothing when the source does not exist.
    std::optional<std::filesystem::path> locate(const QString& source) const;

private:
    std::optional<std::filesystem::path> inFolder(const std::filesystem::path& folder,
                                                  const QString& source) const;

    std::filesystem::path dataFolder_;
    SourceMode mode_;
};

// One source file open for reading; the descriptor is closed with the object.
class SourceFile {
public:
    // False when the file does not exist; throws common::Error for any other failure, a folder,
    // FIFO or device in its place included (refused without waiting for it).
    bool open(const std::filesystem::path& path);
    // Up to `size` bytes; 0 at the end. Throws common::Error; a retry reads on from the same place.
    std::size_t read(char* into, std::size_t size);

private:
    common::FileDescriptor fd_;
    std::filesystem::path path_;
};

} // namespace dravik::search
