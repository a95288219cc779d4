#pragma once

#include <QString>
#include <QStringList>

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace common {

// Writes a text file in the system's code page with CR LF line ends, through one buffer.
// Replace mode writes a complete new file beside the old one and renames it over the old one on
// commit(), after the bytes reached the disk, so a crash leaves the old file or the new one whole.
class TextWriter {
public:
    enum class Mode { Truncate, Append, Replace };

    TextWriter(const std::filesystem::path& path, Mode mode);
    ~TextWriter(); // without commit(), a Replace leaves the old file untouched
    TextWriter(const TextWriter&) = delete;
    TextWriter& operator=(const TextWriter&) = delete;

    // Bytes as they are (already in the file's code page).
    void raw(std::string_view bytes);
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
    // Flushes, closes, and for Replace renames the new file into place.
    void commit();

    // Writes a whole file of lines in Replace mode.
    static void replaceLines(const std::filesystem::path& path, const QStringList& lines);

private:
    void writeOut(const char* data, std::size_t size);

    std::filesystem::path path_;
    std::filesystem::path writing_;
    Mode mode_;
    int fd_ = -1;
    std::vector<char> buffer_;
    std::size_t used_ = 0;
};

} // namespace common
