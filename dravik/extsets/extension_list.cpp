#include "dravik/extsets/extension_list.h"

#include "common/item_list.h"
#include "common/name_resolver.h"
#include "common/text_limit.h"
#include "common/text_writer.h"
#include "common/upper_case.h"
#include "dravik/extsets/sorted_rows.h"

#include <algorithm>

namespace dravik::extsets {

namespace {
std::filesystem::path dataFile(const std::filesystem::path& folder, const char* name) {
    return common::NameResolver::resolve(folder, name);
}
} // namespace

QString ExtensionList::countLabel(int entries) {
    return QStringLiteral("%1: (%2)").arg(QString::fromLatin1(RestLabel)).arg(entries - 1);
}

ExtensionList::ExtensionList(QObject* parent) : QObject(parent) {}

void ExtensionList::setSelected(int row, bool on) {
    selected_.at(static_cast<std::size_t>(row)) = on;
    emit selectionChanged();
}

void ExtensionList::selectAll(bool on) {
    std::fill(selected_.begin(), selected_.end(), on);
    emit selectionChanged();
}

void ExtensionList::setSelection(const std::vector<int>& rows) {
    std::fill(selected_.begin(), selected_.end(), false);
    for (const int row : rows) {
        if (row >= 0 && row < size())
            selected_[static_cast<std::size_t>(row)] = true;
    }
    emit selectionChanged();
}

bool ExtensionList::anySelected() const {
    return std::find(selected_.begin(), selected_.end(), true) != selected_.end();
}

QStringList ExtensionList::selectedEntries() const {
    QStringList out;
    for (qsizetype i = 0; i < entries_.size(); ++i) {
        if (selected_[static_cast<std::size_t>(i)])
            out << entries_[i];
    }
    return out;
}

int ExtensionList::insertSorted(const QString& entry) {
    const auto row = static_cast<int>(SortedRows::place(entries_, entry));
    entries_.insert(row, entry);
    selected_.insert(selected_.begin() + row, false);
    return row;
}

std::optional<int> ExtensionList::add(const QString& text) {
    const QString entry = common::UpperCase::of(text);
    if (entry.isEmpty())
        return std::nullopt;
    for (const QString& e : entries_) {
        if (common::UpperCase::of(e) == entry)
            return std::nullopt;
    }
    const int row = insertSorted(entry);
    emit changed();
    return row;
}

void ExtensionList::clear() {
    entries_.clear();
    selected_.clear();
    emit changed();
}

void ExtensionList::removeSelected() {
    for (int row = size() - 1; row >= 0; --row) {
        if (selected_[static_cast<std::size_t>(row)]) {
            entries_.removeAt(row);
            selected_.erase(selected_.begin() + row);
        }
    }
    emit changed();
}

QString ExtensionList::setText() const {
    QString text;
    for (const QString& entry : selectedEntries())
        text += entry + u' ';
    return text;
}

QStringList ExtensionList::pieces(const QString& setText) {
    QString text = setText;
    if (!text.endsWith(u' '))
        text += u' ';
    QStringList out = text.split(u' ', Qt::KeepEmptyParts);
    out.removeLast(); // what follows the last blank
    return out;
}

void ExtensionList::applySet(const QString& setText) {
    for (const QString& piece : pieces(setText)) {
        const QString wanted = common::UpperCase::of(piece);
        for (qsizetype i = 0; i < entries_.size(); ++i) {
            if (common::UpperCase::of(entries_[i]) == wanted)
                selected_[static_cast<std::size_t>(i)] = true;
        }
    }
    emit selectionChanged();
}

void ExtensionList::load(const std::filesystem::path& dataFolder) {
    clear();
    try {
        const auto file = dataFile(dataFolder, FileName);
        entries_ = common::ItemList::readCreating(file, common::TextLimits::ExtensionList);
        SortedRows::sort(entries_);
        selected_.assign(static_cast<std::size_t>(entries_.size()), false);
    } catch (...) {
        clear(); // half a list would be saved back as the whole
        throw;
    }
    emit changed();
}

void ExtensionList::save(const std::filesystem::path& dataFolder) const {
    common::TextWriter::replaceLines(dataFile(dataFolder, FileName), entries_);
}

void ExtensionList::saveForStart(const std::filesystem::path& dataFolder) const {
    save(dataFolder);
    common::TextWriter::replaceLines(dataFile(dataFolder, StartCopyName), entries_);
}

} // namespace dravik::extsets
