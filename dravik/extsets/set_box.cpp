#include "dravik/extsets/set_box.h"

#include "common/code_page.h"
#include "common/file_ops.h"
#include "common/item_reader.h"
#include "common/name_resolver.h"
#include "common/text_writer.h"
#include "common/upper_case.h"

#include <algorithm>

namespace dravik::extsets {

SetBox::SetBox(QObject* parent) : QObject(parent) {}

bool SetBox::contains(const QString& text) const {
    const QString wanted = common::UpperCase::of(text);
    return std::any_of(rows_.begin(), rows_.end(),
                       [&](const QString& row) { return common::UpperCase::of(row) == wanted; });
}

void SetBox::insertSorted(const QString& text) {
    const auto at =
        std::upper_bound(rows_.begin(), rows_.end(), text, [](const QString& a, const QString& b) {
            return a.compare(b, Qt::CaseInsensitive) < 0;
        });
    rows_.insert(at - rows_.begin(), text);
}

void SetBox::load(const std::filesystem::path& programFolder) {
    rows_.clear();
    try {
        const auto file = common::NameResolver::resolve(programFolder, FileName);
        common::FileOps::createIfMissing(file);
        common::ItemReader reader(file);
        std::string_view item;
        while (reader.next(item)) {
            const QString text = common::CodePage::decodeLine(item);
            if (!contains(text))
                insertSorted(text);
        }
    } catch (...) {
        rows_.clear();
        emit changed();
        throw;
    }
    emit changed();
}

bool SetBox::record(const QString& setText, const std::filesystem::path& programFolder) {
    if (contains(setText) || setText.size() <= 1)
        return false;
    common::TextWriter writer(common::NameResolver::resolve(programFolder, FileName),
                              common::TextWriter::Mode::Append);
    writer.line(setText);
    writer.commit();
    insertSorted(setText);
    emit changed();
    return true;
}

} // namespace dravik::extsets
