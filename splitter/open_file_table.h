#pragma once

#include "splitter/append_file.h"

#include <array>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace splitter {

// The extension files a run holds open: position 0 is the placeholder "empty", positions 1 to
// 500 hold the extension whose file is open under that number. A hash map finds an extension's
// position; the 501st extension closes every file and starts the table again at position 1, and
// later records of the closed extensions reopen their files for appending.
class OpenFileTable {
public:
    static constexpr int Capacity = 500;

    explicit OpenFileTable(std::filesystem::path folder);

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

    int count() const { return count_; }
    int current() const { return current_; }
    // The extension at `position`; "empty" at 0.
    const std::string& at(int position) const { return names_[position]; }
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

    std::filesystem::path folder_;
    std::unordered_map<std::string, int, Hash, std::equal_to<>> positions_;
    std::vector<std::string> names_;
    std::unique_ptr<AppendFile[]> files_;
    int count_ = 0;
    int current_ = 0;
};

} // namespace splitter
