#pragma once

#include "common/file_descriptor.h"

#include <QString>
#include <QStringList>

#include <cstring>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace common {

// The one buffered file writer: text in the system's code page with CR LF line ends, bytes as
// they are, through one buffer. Replace mode writes a complete new file beside the old one (a
// TemporaryFile: short name, the old file's mode) and renames it over the old one on commit(),
// after the bytes reached the disk, so a crash leaves the old file or the new one whole. Files
// are opened as FileOps::openRegular opens them; a new file follows the umask.
//
// A writer may be opened again and again (the splitter keeps hundreds of extension files in
// slots): the buffer is allocated on the first open and kept for the next file.
class TextWriter {
public:
    enum class Mode { Truncate, Append, Replace };
    // Large for a file written on its own; Small where hundreds are open at once.
    enum class Buffer : std::size_t { Large = 256u << 10, Small = 32u << 10 };

    // A closed writer; open() gives it a file.
    explicit TextWriter(Buffer buffer = Buffer::Large);
    TextWriter(const std::filesystem::path& path, Mode mode, Buffer buffer = Buffer::Large);
    ~TextWriter(); // without commit(), a Replace leaves the old file untouched
    TextWriter(const TextWriter&) = delete;
    TextWriter& operator=(const TextWriter&) = delete;

    // Commits a file still open, then opens `path`. An Append first ends an unterminated last
    // line, so the first line written never joins it. Throws common::Error.
    void open(const std::filesystem::path& path, Mode mode);
    bool isOpen() const { return fd_.isOpen(); }

    // Bytes as they are (already in the file's code page).
    void raw(std::string_view bytes) {
        if (bytes.size() <= buffer_.size() - used_) {
            std::memcpy(buffer_.data() + used_, bytes.data(), bytes.size());
            used_ += bytes.size();
        } else {
            rawSlow(bytes);
        }
    }
    void endLine() { raw("\r\n"); }
    void rawLine(std::string_view bytes) {
        raw(bytes);
        endLine();
    }
    // Text encoded in the system's code page, then CR LF.
    void line(const QString& text);
    // Items in double quotes joined by commas, then CR LF.
    void items(const QStringList& values);

    void flush();
    // Flushes, closes, and for Replace renames the new file into place. The writer is closed
    // afterwards even when this throws.
    void commit();

    // Writes a whole file of lines in Replace mode.
    static void replaceLines(const std::filesystem::path& path, const QStringList& lines);

private:
    // Whether the file opened is empty or its last line is ended.
    bool endsWithLineEnd() const;
    void rawSlow(std::string_view bytes);
    void writeOut(const char* data, std::size_t size);
    void discard();

    std::filesystem::path path_;
    std::filesystem::path writing_;
    Mode mode_ = Mode::Truncate;
    Buffer bufferSize_;
    FileDescriptor fd_;
    std::vector<char> buffer_;
    std::size_t used_ = 0;
};

} // namespace common
