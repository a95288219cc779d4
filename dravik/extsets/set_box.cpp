#include "dravik/extsets/set_box.h"

#include "common/item_list.h"
#include "common/name_resolver.h"
#include "common/text_limit.h"
#include "common/text_writer.h"
#include "common/upper_case.h"
#include "dravik/extsets/sorted_rows.h"

namespace dravik::extsets {

SetBox::SetBox(QObject* parent) : QObject(parent) {}

bool SetBox::contains(const QString& text) const {
    return known_.contains(common::UpperCase::of(text));
}

void SetBox::insertSorted(const QString& text) {
    rows_.insert(SortedRows::place(rows_, text), text);
    known_.insert(common::UpperCase::of(text));
}

void SetBox::load(const std::filesystem::path& programFolder) {
    rows_.clear();
    known_.clear();
    try {
        const auto file = common::NameResolver::resolve(programFolder, FileName);
        for (QString& text : common::ItemList::readCreating(file, common::TextLimits::Sets)) {
            QString upper = common::UpperCase::of(text);
            if (known_.contains(upper))
                continue;
            known_.insert(std::move(upper));
            rows_ << std::move(text);
        }
        SortedRows::sort(rows_);
    } catch (...) {
        rows_.clear();
        known_.clear();
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
