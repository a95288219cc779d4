#pragma once

#include "common/file_descriptor.h"

#include <QString>
#include <QStringList>

#include <cstring>
#include <filesystem>
#include <string>
#include <string_view>
#include <sys/types.h>
#include <vector>

namespace common {

// The one buffered file writer: text in the system's code page with CR LF line ends, bytes as
// they are, through one buffer. Replace mode writes a complete new file beside the old one (a
// TemporaryFile: short name, the old file's mode) and renames it over the old one on commit(),
// after the bytes reached the disk, so a crash leaves the old file or the new one whole. Files
// are opened as FileOps::openRegular opens them; a new file follows the umask. An Append is all
// or nothing: a write that fails cuts the file back to the length it had when opened.
//
// A writer may be opened again and again (the splitter keeps hundreds of extension files in
// slots): the buffer is allocated on the first open and kept for the next file.
class TextWriter {
public:
    enum class Mode { Truncate, Append, Replace };
    // Large for a file written on its own; Small where hundreds are open at once.
    enum class Buffer : std::size_t { Large = 256u << 10, Small = 32u << 10 };
    // How far a Replace must have gone when commit() returns: to the disk (the default), or only
    // out of the process, which a killed program cannot undo but a power loss can. The rename
    // keeps the file whole either way; the second spares a disk flush where a caller flushes once
    // for many rewrites.
    enum class Durability { Disk, Process };
    // What an Append does with a last line that has no line end: end it, so the first line
    // written does not join it; or cut it off, where such a line can only be a record torn by a
    // crash.
    enum class UnendedLine { End, Cut };

    // A closed writer; open() gives it a file.
    explicit TextWriter(Buffer buffer = Buffer::Large);
    TextWriter(const std::filesystem::path& path, Mode mode, Buffer buffer = Buffer::Large);
    TextWriter(const std::filesystem::path& path, Mode mode, Durability durability);
    ~TextWriter(); // without commit(), a Replace leaves the old file untouched
    TextWriter(const TextWriter&) = delete;
    TextWriter& operator=(const TextWriter&) = delete;

    // Commits a file still open, then opens `path`. An Append first deals with an unended last
    // line as setUnendedLine() says (ends it unless told otherwise). Throws common::Error.
    void open(const std::filesystem::path& path, Mode mode);
    bool isOpen() const { return fd_.isOpen(); }
    // For the files opened from now on.
    void setUnendedLine(UnendedLine unended) { unended_ = unended; }

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
    static void replaceLines(const std::filesystem::path& path, const QStringList& lines,
                             Durability durability = Durability::Disk);

private:
    // Whether the file opened is empty or its last line is ended.
    bool endsWithLineEnd() const;
    // Truncates the file after its last line end (to nothing when it has none).
    void cutUnendedLine();
    void rawSlow(std::string_view bytes);
    void writeOut(const char* data, std::size_t size);
    off_t fileSize() const;
    // Closes after a failure: a Replace leaves the old file, an Append cuts back what it wrote.
    void abandon();
    void discard();

    std::filesystem::path path_;
    std::filesystem::path writing_;
    Mode mode_ = Mode::Truncate;
    Buffer bufferSize_;
    Durability durability_ = Durability::Disk;
    UnendedLine unended_ = UnendedLine::End;
    FileDescriptor fd_;
    std::vector<char> buffer_;
    std::size_t used_ = 0;
    off_t appendStart_ = -1; // an Append's length before its first byte
};

} // namespace common
