#include "common/file_lines.h"

#include "common/error.h"
#include "common/file_ops.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace common {

namespace {

constexpr std::size_t Piece = std::size_t(1) << 20;

std::string_view withoutCr(std::string_view line) {
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    return line;
}

} // namespace

FileLines::FileLines(const std::filesystem::path& path, const TextLimit& limit)
    : fd_(FileOps::openRegular(path, O_RDONLY)) {
    index(path, limit);
}

void FileLines::index(const std::filesystem::path& path, const TextLimit& limit) {
    struct stat st {};
    if (::fstat(fd_.get(), &st) != 0)
        throw Error::fromErrno(errno, path.string());
    limit.checkSize(path, static_cast<std::uint64_t>(st.st_size));
    starts_.reserve(static_cast<std::size_t>(st.st_size) / 64 + 2);
    starts_.push_back(0);
    std::vector<char> buffer(Piece);
    std::uint64_t offset = 0;
    std::uint64_t lineStart = 0;
    bool endsInCr = false; // the piece before ended in CR
    // Read in order from the start; the rows are read later with pread.
    while (const std::size_t n = FileOps::readSome(fd_, buffer.data(), buffer.size(), path)) {
        const std::string_view piece(buffer.data(), n);
        TextLimit::checkText(path, piece);
        limit.checkSize(path, offset + piece.size()); // it may have grown since it was opened
        for (std::size_t at = piece.find('\n'); at != std::string_view::npos;
             at = piece.find('\n', at + 1)) {
            const std::uint64_t end = offset + at;
            std::size_t length = static_cast<std::size_t>(end - lineStart);
            if (length > 0 && (at > 0 ? piece[at - 1] == '\r' : endsInCr))
                --length;
            limit.checkLine(path, length);
            longest_ = std::max(longest_, length);
            lineStart = end + 1;
            starts_.push_back(lineStart);
        }
        offset += piece.size();
        endsInCr = piece.back() == '\r';
        limit.checkLine(path, static_cast<std::size_t>(offset - lineStart));
    }
    longest_ = std::max(longest_, static_cast<std::size_t>(offset - lineStart));
    starts_.push_back(offset + 1);
    starts_.shrink_to_fit();
}

std::string FileLines::bytes(std::uint64_t from, std::uint64_t to) const {
    std::string out(static_cast<std::size_t>(to - from), '\0');
    std::size_t got = 0;
    while (got < out.size()) {
        const ssize_t n = ::pread(fd_.get(), out.data() + got, out.size() - got, off_t(from + got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break; // cut since, or unreadable now: what was read is all there is
        got += static_cast<std::size_t>(n);
    }
    out.resize(got);
    return out;
}

std::string FileLines::line(std::size_t row) const {
    if (row >= size())
        return {};
    std::string text = bytes(starts_[row], starts_[row + 1] - 1);
    if (!text.empty() && text.back() == '\r')
        text.pop_back();
    return text;
}

void FileLines::scan(std::size_t first, const Visit& visit) const {
    while (first < size()) {
        // As many whole lines as fit in a piece, and at least one.
        const auto limit = std::upper_bound(starts_.begin() + static_cast<std::ptrdiff_t>(first),
                                            starts_.end(), starts_[first] + Piece);
        const std::size_t end =
            std::max(first + 1, static_cast<std::size_t>(limit - starts_.begin()) - 1);
        const std::string piece = bytes(starts_[first], starts_[end] - 1);
        const std::string_view all(piece);
        for (std::size_t row = first; row < end; ++row) {
            const std::size_t from = static_cast<std::size_t>(starts_[row] - starts_[first]);
            const std::size_t to = static_cast<std::size_t>(starts_[row + 1] - 1 - starts_[first]);
            const std::string_view text =
                from >= all.size() ? std::string_view() : all.substr(from, to - from);
            if (!visit(row, withoutCr(text)))
                return;
        }
        first = end;
    }
}

} // namespace common
