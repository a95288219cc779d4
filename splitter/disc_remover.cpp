#include "splitter/disc_remover.h"

#include "common/file_ops.h"
#include "common/line_reader.h"
#include "common/text_writer.h"
#include "splitter/disc_key.h"

#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace splitter {

namespace {

// The size of a file whose last line has no line end, or nothing when every line is ended.
std::optional<std::size_t> tornAt(const std::filesystem::path& file) {
    const common::FileDescriptor fd = common::FileOps::openRegular(file, O_RDONLY);
    struct stat st {};
    char last = '\n';
    if (::fstat(fd.get(), &st) == 0 && st.st_size > 0)
        (void)!::pread(fd.get(), &last, 1, st.st_size - 1);
    if (last == '\n')
        return std::nullopt;
    return static_cast<std::size_t>(st.st_size);
}

} // namespace

std::size_t DiscRemover::removeFrom(const std::filesystem::path& file, const DiscKey& key) {
    const std::optional<std::size_t> torn = tornAt(file);
    std::string_view line;
    if (!torn) {
        // Most files hold nothing of the disc: look before writing anything.
        common::LineReader probe(file);
        bool found = false;
        while (!found && probe.next(line))
            found = key.in(line);
        if (!found)
            return 0;
    }
    common::LineReader reader(file);
    common::TextWriter writer(file, common::TextWriter::Mode::Replace,
                              common::TextWriter::Durability::Process);
    std::size_t removed = 0;
    while (reader.next(line)) {
        if (key.in(line) || (torn && reader.consumed() == *torn))
            ++removed;
        else
            writer.rawLine(line);
    }
    writer.commit();
    return removed;
}

} // namespace splitter
