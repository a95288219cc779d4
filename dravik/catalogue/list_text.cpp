#include "dravik/catalogue/list_text.h"

#include "common/code_page.h"
#include "common/line_reader.h"

namespace dravik::catalogue {

QString ListText::load(const std::filesystem::path& file) {
    return decode(common::LineReader::wholeFile(file));
}

QString ListText::decode(std::string_view bytes) {
    QString text;
    text.reserve(static_cast<qsizetype>(bytes.size()));
    // Nearly every list is valid UTF-8 as a whole: then no line needs a check of its own.
    const bool allUtf8 = common::CodePage::isValidUtf8(bytes);
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find('\n', start);
        const bool hasBreak = end != std::string_view::npos;
        if (!hasBreak)
            end = bytes.size();
        std::size_t lineEnd = end;
        if (lineEnd > start && bytes[lineEnd - 1] == '\r')
            --lineEnd;
        const std::string_view line = bytes.substr(start, lineEnd - start);
        if (allUtf8)
            text += QString::fromUtf8(line.data(), static_cast<qsizetype>(line.size()));
        else
            text += common::CodePage::decodeLine(line);
        if (hasBreak)
            text += u'\n';
        start = end + 1;
    }
    return text;
}

} // namespace dravik::catalogue
