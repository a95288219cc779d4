#include "splitter/disc_remover.h"

#include "common/line_reader.h"
#include "common/text_writer.h"

namespace splitter {

std::size_t DiscRemover::removeFrom(const std::filesystem::path& file, std::string_view key) {
    std::string_view line;
    {
        // Most files hold nothing of the disc: look before writing anything.
        common::LineReader probe(file);
        bool found = false;
        while (!found && probe.next(line))
            found = line.find(key) != std::string_view::npos;
        if (!found)
            return 0;
    }
    common::LineReader reader(file);
    common::TextWriter writer(file, common::TextWriter::Mode::Replace);
    std::size_t removed = 0;
    while (reader.next(line)) {
        if (line.find(key) != std::string_view::npos)
            ++removed;
        else
            writer.rawLine(line);
    }
    writer.commit();
    return removed;
}

} // namespace splitter
