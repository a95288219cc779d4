#include "dravik/extsets/selections.h"

#include "common/error.h"
#include "common/file_ops.h"
#include "common/item_list.h"
#include "common/item_reader.h"
#include "common/name_resolver.h"
#include "common/number_format.h"
#include "common/text_limit.h"
#include "common/text_writer.h"
#include "common/upper_case.h"
#include "dravik/extsets/saved_name.h"
#include "dravik/extsets/sorted_rows.h"

#include <algorithm>

namespace dravik::extsets {

Selections::Selections(std::filesystem::path dataFolder, QObject* parent)
    : QObject(parent), dataFolder_(std::move(dataFolder)) {}

std::filesystem::path Selections::listFile() const {
    return common::NameResolver::resolve(dataFolder_, FileName);
}

std::optional<std::filesystem::path> Selections::selectionFile(const QString& name) const {
    if (SavedName::refusal(name))
        return std::nullopt;
    return SavedName::gate().place(dataFolder_, name);
}

void Selections::load(const std::filesystem::path& dataFolder) {
    dataFolder_ = dataFolder;
    load();
}

void Selections::load() {
    names_.clear();
    try {
        const auto file = listFile();
        names_ = common::ItemList::readCreating(file, common::TextLimits::SavedSelections);
        SortedRows::sort(names_);
    } catch (...) {
        // Half a list would be written back as the whole by the next change.
        names_.clear();
        emit changed();
        throw;
    }
    emit changed();
}

std::optional<QString> Selections::refusal(const QString& name) const {
    if (name.isEmpty())
        return QString::fromLatin1(NoName);
    const QString upper = common::UpperCase::of(name);
    for (const QString& known : names_) {
        if (common::UpperCase::of(known) == upper)
            return QStringLiteral("Name: ") + name +
                   QStringLiteral(" Already Exists!\n\nPlease use another name and try again");
    }
    return SavedName::refusal(name);
}

void Selections::remember(const QString& name, const std::vector<int>& selectedRows) {
    if (const auto reason = refusal(name))
        throw common::Error(common::ErrorNumber::InvalidArgument, reason->toStdString());
    QStringList names = names_;
    names.insert(SortedRows::place(names, name), name);
    common::TextWriter::replaceLines(listFile(), names);
    names_ = std::move(names);
    emit changed();
    common::TextWriter writer(*selectionFile(name), common::TextWriter::Mode::Replace);
    for (const int row : selectedRows)
        writer.line(common::NumberFormat::printed(row));
    writer.commit();
}

std::vector<int> Selections::positions(const QString& name, int rowCount) const {
    const auto file = selectionFile(name);
    if (!file)
        return {};
    common::FileOps::createIfMissing(*file);
    std::vector<int> rows;
    // Each row once: a damaged file repeating one position must not make a selection of millions.
    std::vector<bool> taken(static_cast<std::size_t>(std::max(rowCount, 0)), false);
    common::ItemReader reader(*file, common::TextLimits::SelectionFile);
    std::string_view item;
    while (reader.next(item)) {
        bool ok = false;
        const int row = QString::fromLatin1(item.data(), static_cast<qsizetype>(item.size()))
                            .trimmed()
                            .toInt(&ok);
        if (ok && row >= 0 && row < rowCount && !taken[static_cast<std::size_t>(row)]) {
            taken[static_cast<std::size_t>(row)] = true;
            rows.push_back(row);
        }
    }
    return rows;
}

void Selections::remove(const QString& name) {
    QStringList names = names_;
    const qsizetype row = names.indexOf(name);
    if (row >= 0)
        names.removeAt(row);
    if (const auto file = selectionFile(name))
        common::FileOps::removeIfExists(*file);
    common::TextWriter::replaceLines(listFile(), names);
    names_ = std::move(names);
    emit changed();
}

} // namespace dravik::extsets
