#include "dravik/catalogue/disc_list_writer.h"

#include "common/code_page.h"
#include "common/number_format.h"

#include <cstring>

namespace dravik::catalogue {

DiscListWriter::DiscListWriter(const std::filesystem::path& path)
    : writer_(path, common::TextWriter::Mode::Truncate) {}

void DiscListWriter::appendFile(std::string_view folder, std::string_view name) {
    writer_.raw("\"");
    writer_.raw(folder);
    writer_.raw("\",\"");
    bool plain = true;
    for (const char c : name) {
        if (c == '\r' || c == '\n') {
            plain = false;
            break;
        }
    }
    if (plain) {
        writer_.raw(name);
    } else {
        std::string safe(name);
        for (char& c : safe) {
            if (c == '\r' || c == '\n')
                c = '?';
        }
        writer_.raw(safe);
    }
    writer_.raw("\"\r\n");
}

std::string DiscListWriter::summaryLine(long long files, long long folders) {
    return common::CodePage::encode(common::NumberFormat::hashes(files) + " files : " +
                                    common::NumberFormat::hashes(folders) + " folders");
}

void DiscListWriter::finish(long long files, long long folders) {
    writer_.rawLine(summaryLine(files, folders));
    writer_.commit();
}

} // namespace dravik::catalogue
