#include "dravik/search/find_history.h"

#include "common/item_list.h"
#include "common/name_resolver.h"
#include "common/text_limit.h"
#include "common/text_writer.h"
#include "common/upper_case.h"

#include <algorithm>

namespace dravik::search {

FindHistory::FindHistory(QObject* parent) : QObject(parent) {}

void FindHistory::load(const std::filesystem::path& dataFolder) {
    loaded_ = false;
    entries_.clear();
    file_ = common::NameResolver::resolve(dataFolder, FileName);
    try {
        entries_ = common::ItemList::readCreating(file_, common::TextLimits::FindHistory);
        loaded_ = true;
    } catch (...) {
        emit changed();
        throw;
    }
    emit changed();
}

bool FindHistory::remember(const QString& text) {
    if (std::any_of(entries_.begin(), entries_.end(),
                    [&](const QString& e) { return common::UpperCase::equal(e, text); }))
        return false;
    entries_ << text;
    emit added(int(entries_.size()) - 1);
    return true;
}

void FindHistory::clear() {
    entries_.clear();
    emit changed();
}

void FindHistory::save() const {
    if (loaded_)
        common::TextWriter::replaceLines(file_, entries_);
}

} // namespace dravik::search
