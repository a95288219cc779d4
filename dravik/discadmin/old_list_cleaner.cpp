#include "dravik/discadmin/old_list_cleaner.h"

#include "common/line_reader.h"
#include "common/number_format.h"
#include "common/text_writer.h"

#include <optional>
#include <string_view>

namespace dravik::discadmin::OldListCleaner {

namespace {

bool isEntry(std::string_view line) {
    return line.substr(0, 3) == "   ";
}

} // namespace

Result clean(const std::filesystem::path& list) {
    Result result;
    // The new file is begun at the first entry: a list of today's layout would be reduced to its
    // count line, so it is never touched, not even by a temporary file beside it.
    std::optional<common::TextWriter> out;
    common::LineReader reader(list);
    std::string_view line;
    while (reader.next(line)) {
        ++result.linesRead;
        if (!isEntry(line)) {
            ++result.obsolete;
            continue;
        }
        if (!out)
            out.emplace(list, common::TextWriter::Mode::Replace);
        out->rawLine(line);
    }
    if (!out)
        return Result{.skipped = true}; // nothing was changed, so nothing counts
    out->line(common::NumberFormat::printed(result.linesRead));
    out->commit();
    return result;
}

} // namespace dravik::discadmin::OldListCleaner
