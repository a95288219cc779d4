#include "peek/list_loader.h"

#include "common/line_store.h"

namespace peek {

// The reader refuses folders, devices and FIFOs: a device would be read for ever (/dev/zero), a
// FIFO would freeze the window in its open.
ListLoader::ListLoader(const std::filesystem::path& path) : path_(path), reader_(path) {}

std::size_t ListLoader::load(LineStore& store, const Progress& progress) {
    std::error_code ec;
    const auto size = std::filesystem::file_size(path_, ec);
    if (!ec)
        store.reserve(static_cast<std::size_t>(size));

    std::size_t counter = 0;
    std::size_t total = 0;
    std::string_view line;
    while (reader_.next(line)) {
        store.append(line);
        // The count is checked before it takes in this line, so exactly 1000 lines report
        // nothing and 1001 report 1000 once.
        if (counter == Step) {
            total += counter;
            counter = 0;
            if (progress && !progress(total)) {
                stopped_ = true;
                return total + 1;
            }
        }
        ++counter;
    }
    return total + counter;
}

} // namespace peek
