#pragma once

#include "splitter/append_file.h"

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace splitter {

// The extension files a run holds open: position 0 is the placeholder "empty", positions 1 to
// the capacity (500 where the process may open that many files) hold the extension whose file is
// open under that number. A hash map finds an extension's position; the extension after a full
// table closes every file and starts the table again at position 1, and later records of the
// closed extensions reopen their files for appending.
class OpenFileTable {
public:
    static constexpr int Capacity = 500;

    explicit OpenFileTable(std::filesystem::path folder, int capacity = Capacity);

    // The capacity that keeps the process below its limit on open files, with room for the files
    // a run opens besides the table (the list read, rewrites, settings, the window's own).
    static int capacityWithin(std::size_t limit, std::size_t inUse);
    // The capacity for this process now.
    static int capacityNow();

    // The open file of `extension`, opening it first when needed.
    AppendFile& fileFor(std::string_view extension) {
        if (current_ > 0 && names_[current_] == extension)
            return files_[current_];
        const auto found = positions_.find(extension);
        if (found != positions_.end()) {
            current_ = found->second;
            return files_[current_];
        }
        return openNew(extension);
    }

    int capacity() const { return capacity_; }
    int count() const { return count_; }
    int current() const { return current_; }
    // The extension at `position`; "empty" at 0.
    const std::string& at(int position) const { return names_[position]; }
    // Writes every buffered line out to its file; the files stay open. Throws the first failure
    // after trying all.
    void flushAll();
    // Closes every open file and empties the table; throws the first failure after closing all.
    void closeAll();

    // The extension file's path: output folder + extension + ".rtf".
    std::filesystem::path pathOf(std::string_view extension) const;

private:
    struct Hash {
        using is_transparent = void;
        std::size_t operator()(std::string_view s) const {
            return std::hash<std::string_view>{}(s);
        }
    };

    AppendFile& openNew(std::string_view extension);
    template <typename Step> void eachFile(Step step);
    void clear();

    std::filesystem::path folder_;
    int capacity_;
    std::unordered_map<std::string, int, Hash, std::equal_to<>> positions_;
    std::vector<std::string> names_;
    std::unique_ptr<AppendFile[]> files_;
    int count_ = 0;
    int current_ = 0;
};

} // namespace splitter
