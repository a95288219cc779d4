#include "common/text_limit.h"

#include "common/error.h"

#include <cstring>
#include <string>

namespace common {

namespace {

Error refused(const std::filesystem::path& path, const std::string& why) {
    return Error(ErrorNumber::PathFileAccess, path.string() + ": " + why);
}

} // namespace

void TextLimit::checkSize(const std::filesystem::path& path, std::uint64_t bytes) const {
    if (bytes > maxBytes)
        throw refused(path, "is too large to load (" + std::to_string(bytes) +
                                " bytes; a file of this kind holds at most " +
                                std::to_string(maxBytes) + ")");
}

void TextLimit::checkLine(const std::filesystem::path& path, std::size_t length) const {
    if (length > maxLine)
        throw refused(path, "is not a text file (a line is longer than " + std::to_string(maxLine) +
                                " bytes)");
}

void TextLimit::checkText(const std::filesystem::path& path, std::string_view bytes) {
    if (std::memchr(bytes.data(), '\0', bytes.size()))
        throw refused(path, "is not a text file (it holds NUL bytes)");
}

void TextLimit::refuseItems(const std::filesystem::path& path, std::size_t maxItems) {
    throw refused(path, "is too large to load (a file of this kind holds at most " +
                            std::to_string(maxItems) + " entries)");
}

void TextLimit::checkWhole(const std::filesystem::path& path, std::string_view bytes) const {
    checkSize(path, bytes.size());
    checkText(path, bytes);
    std::size_t start = 0;
    for (;;) {
        const void* lf = std::memchr(bytes.data() + start, '\n', bytes.size() - start);
        const std::size_t end =
            lf ? static_cast<std::size_t>(static_cast<const char*>(lf) - bytes.data())
               : bytes.size();
        const bool crLf = lf && end > start && bytes[end - 1] == '\r';
        checkLine(path, end - start - (crLf ? 1 : 0));
        if (!lf)
            return;
        start = end + 1;
    }
}

} // namespace common
