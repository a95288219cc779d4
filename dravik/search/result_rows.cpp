#include "dravik/search/result_rows.h"

#include "common/text_writer.h"

namespace dravik::search {

void ResultRows::writeTo(common::TextWriter& writer) const {
    for (std::size_t i = 0; i < size(); ++i)
        writer.rawLine(at(i));
}

} // namespace dravik::search
