#include "common/disc_list_writer.h"

namespace common {

DiscListWriter::DiscListWriter(const std::filesystem::path& path)
    : writer_(path, TextWriter::Mode::Truncate) {}

void DiscListWriter::finish(long long files, long long folders) {
    writer_.rawLine(DiscListFormat::summaryLine(files, folders));
    writer_.commit();
}

} // namespace common
