#include "common/list_text.h"

#include "common/code_page.h"
#include "common/line_reader.h"
#include "common/text_limit.h"

#include <QStringView>

#include <algorithm>

namespace common {

namespace {

// Lines that are not all valid UTF-8 together: each decoded on its own, straight into one buffer
// (no UTF-16 text is longer than its bytes).
QString decodeByLine(std::string_view bytes) {
    QString text(static_cast<qsizetype>(bytes.size()), Qt::Uninitialized);
    QChar* out = text.data();
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find('\n', start);
        const bool hasBreak = end != std::string_view::npos;
        if (!hasBreak)
            end = bytes.size();
        const QString line = common::CodePage::decodeLine(bytes.substr(start, end - start));
        out = std::copy(line.cbegin(), line.cend(), out);
        if (hasBreak)
            *out++ = u'\n';
        start = end + 1;
    }
    text.truncate(out - text.constData());
    return text;
}

// CR LF becomes LF, in place, and a CR that ends the text goes too; a CR elsewhere stays.
void dropCarriageReturns(QString& text) {
    if (text.endsWith(u'\r'))
        text.chop(1);
    // Looking for the CR alone is a vectorised search; most lists have one before each LF.
    QChar* data = text.data();
    const QStringView all(data, text.size());
    qsizetype read = 0;
    qsizetype write = 0;
    for (qsizetype cr = all.indexOf(u'\r'); cr >= 0; cr = all.indexOf(u'\r', cr + 1)) {
        if (cr + 1 >= all.size() || all[cr + 1] != u'\n')
            continue;
        if (write != read)
            std::copy(data + read, data + cr, data + write);
        write += cr - read;
        read = cr + 1; // the LF after it moves down with the next run
    }
    if (read == 0)
        return;
    std::copy(data + read, data + all.size(), data + write);
    text.truncate(write + all.size() - read);
}

} // namespace

QString ListText::load(const std::filesystem::path& file) {
    return decode(common::LineReader::wholeFile(file, TextLimits::ListText));
}

QString ListText::decode(std::string_view bytes) {
    // Nearly every list is valid UTF-8 as a whole: then it is decoded in one go.
    QString text = common::CodePage::isValidUtf8(bytes)
                       ? QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()))
                       : decodeByLine(bytes);
    dropCarriageReturns(text);
    return text;
}

} // namespace common
