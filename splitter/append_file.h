#pragma once

#include <algorithm>
#include <filesystem>
#include <string_view>
#include <vector>

namespace splitter {

// An extension file held open for appending, with a buffer of its own, so a record costs a copy
// into memory and the disk sees large writes. The buffer outlives close() and is reused when the
// slot opens another file.
class AppendFile {
public:
    AppendFile() = default;
    ~AppendFile();
    AppendFile(const AppendFile&) = delete;
    AppendFile& operator=(const AppendFile&) = delete;

    // Throws common::Error when the file cannot be opened.
    void open(const std::filesystem::path& path);
    bool isOpen() const { return fd_ >= 0; }
    void write(std::string_view bytes) {
        if (bytes.size() <= buffer_.size() - used_) {
            std::copy(bytes.begin(), bytes.end(), buffer_.data() + used_);
            used_ += bytes.size();
        } else {
            writeSlow(bytes);
        }
    }
    // Writes what is buffered and closes; throws common::Error on a failed write.
    void close();

private:
    void writeSlow(std::string_view bytes);
    void flush();
    void writeOut(const char* data, std::size_t size);

    int fd_ = -1;
    std::filesystem::path path_;
    std::vector<char> buffer_;
    std::size_t used_ = 0;
};

} // namespace splitter
