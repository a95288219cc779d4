#include "dravik/discadmin/old_list_cleaner.h"

#include "common/line_reader.h"
#include "common/number_format.h"
#include "common/text_writer.h"

#include <string_view>

namespace dravik::discadmin::OldListCleaner {

namespace {

bool isEntry(std::string_view line) {
    return line.substr(0, 3) == "   ";
}

bool hasEntries(const std::filesystem::path& list) {
    common::LineReader reader(list);
    std::string_view line;
    while (reader.next(line)) {
        if (isEntry(line))
            return true;
    }
    return false;
}

} // namespace

Result clean(const std::filesystem::path& list) {
    Result result;
    // A list of today's layout would be reduced to its count line: it is not touched.
    if (!hasEntries(list)) {
        result.skipped = true;
        return result;
    }
    common::TextWriter out(list, common::TextWriter::Mode::Replace);
    common::LineReader reader(list);
    std::string_view line;
    while (reader.next(line)) {
        ++result.linesRead;
        if (isEntry(line))
            out.rawLine(line);
        else
            ++result.obsolete;
    }
    out.line(common::NumberFormat::printed(result.linesRead));
    out.commit();
    return result;
}

} // namespace dravik::discadmin::OldListCleaner
