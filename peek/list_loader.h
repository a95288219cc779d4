#pragma once

#include "common/line_reader.h"
#include "common/line_store.h"

#include <cstddef>
#include <filesystem>
#include <functional>

namespace peek {

using common::LineStore;

// Reads a text file line by line into a LineStore and reports the running total after every
// thousand lines, which is how the viewer's caption counts up while a big list loads.
class ListLoader {
public:
    static constexpr std::size_t Step = 1000;

    // Called with the total so far; returning false stops the load.
    using Progress = std::function<bool(std::size_t total)>;

    // Opens the file; throws common::Error when it is missing, a folder, a device, a FIFO
    // or unreadable.
    explicit ListLoader(const std::filesystem::path& path);

    // Reads to the end of the file and returns the number of lines read.
    std::size_t load(LineStore& store, const Progress& progress);

    bool stopped() const { return stopped_; }

private:
    std::filesystem::path path_;
    common::LineReader reader_;
    bool stopped_ = false;
};

} // namespace peek
