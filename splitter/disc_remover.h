#pragma once

#include <cstddef>
#include <filesystem>

namespace splitter {

class DiscKey;

// Takes one disc's lines out of an extension file. The file is rewritten through a complete new
// file renamed over it, so an interrupted deletion leaves the old file or the new one, never half
// of one; a file without any line of the disc is left untouched. A last line without its line end
// goes too: it can only be a record torn when a split was killed.
class DiscRemover {
public:
    // Returns the lines removed. The rewrite is not flushed to the disk: a run flushes once.
    static std::size_t removeFrom(const std::filesystem::path& file, const DiscKey& key);
};

} // namespace splitter
