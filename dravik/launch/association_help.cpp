#include "dravik/launch/association_help.h"

#include "common/code_page.h"
#include "common/error.h"
#include "common/line_reader.h"
#include "common/name_resolver.h"
#include "common/text_limit.h"
#include "common/text_writer.h"

#include <QStringList>

namespace dravik::launch::AssociationHelp {

namespace {

std::filesystem::path helpFile(const std::filesystem::path& programFolder) {
    return common::NameResolver::resolve(programFolder, "AssHP.rtf");
}

} // namespace

QString shipped() {
    return QStringLiteral(
        "<h3>Associations: which program opens which file</h3>"
        "<p>Dravik keeps its own table of programs. A <b>double-click</b> on a file in the file "
        "list starts programs themselves; any other file is opened with the program linked to "
        "its extension. A <b>right-click</b> on a file opens this panel for that file's "
        "extension.</p>"
        "<p><b>To link an extension to a program:</b> right-click a file of that type; choose the "
        "program's drive and folder on the left (or paste the folder into the green box and "
        "press Enter); click the program; press <b>Select</b>. The new line appears at the end "
        "of the link list.</p>"
        "<p><b>To change a link:</b> click it in the link list, change the yellow line and press "
        "<b>EDITed</b>. <b>DELETE</b> removes the selected link; a right-click on the link list "
        "offers to bring the last deleted one back. <b>NEW</b> starts afresh on drive C.</p>"
        "<p>The first link of an extension wins; letter case does not matter. <b>OK</b> closes "
        "the panel.</p>");
}

void installWhenMissing(const std::filesystem::path& programFolder) {
    const auto file = helpFile(programFolder);
    std::error_code ec;
    if (std::filesystem::exists(file, ec))
        return;
    common::TextWriter::replaceLines(file, shipped().split(u'\n'));
}

QString load(const std::filesystem::path& programFolder) {
    try {
        QStringList lines;
        common::LineReader reader(helpFile(programFolder), common::TextLimits::Help);
        for (std::string_view line; reader.next(line);)
            lines << common::CodePage::decodeLine(line);
        return lines.join(u'\n');
    } catch (const common::Error&) {
        return {}; // no help (or a file that is no help) is no reason to keep the panel closed
    }
}

} // namespace dravik::launch::AssociationHelp
