#include "dravik/launch/association_model.h"

#include "common/file_ops.h"
#include "common/item_list.h"
#include "common/name_resolver.h"
#include "common/text_limit.h"
#include "dravik/launch/association_table.h"

namespace dravik::launch {

namespace {

QStringList readList(const std::filesystem::path& folder, const char* name) {
    return common::ItemList::readCreating(common::NameResolver::resolve(folder, name),
                                          common::TextLimits::Associations);
}

} // namespace

AssociationModel::AssociationModel(QObject* parent) : QObject(parent) {}

void AssociationModel::prepare(const std::filesystem::path& dataFolder) {
    dataFolder_ = dataFolder;
    (void)common::FileOps::createUnlessReadOnly(
        common::NameResolver::resolve(dataFolder, "DK.mmd"));
}

void AssociationModel::loadLinks(const std::filesystem::path& dataFolder) {
    dataFolder_ = dataFolder;
    links_.clear();
    emit linksChanged();
    links_ = readList(dataFolder, "DK.SoC");
    emit linksChanged();
}

void AssociationModel::loadExtensions(const std::filesystem::path& dataFolder) {
    dataFolder_ = dataFolder;
    extensions_.clear();
    emit extensionsChanged();
    for (const QString& item : readList(dataFolder, "DK.EXL")) {
        if (!item.trimmed().isEmpty())
            extensions_ << item;
    }
    emit extensionsChanged();
}

void AssociationModel::addLink(const QString& line) {
    AssociationTable(dataFolder_).appendLine(line);
    links_ << line;
    emit linksChanged();
}

void AssociationModel::saveLinks(QStringList lines) {
    AssociationTable(dataFolder_).saveLines(lines);
    links_ = std::move(lines);
    emit linksChanged();
}

void AssociationModel::replaceLink(int row, const QString& line) {
    if (!holds(row))
        return;
    QStringList lines = links_;
    lines.removeAt(row);
    lines << line;
    saveLinks(std::move(lines));
}

void AssociationModel::appendEdited(const QString& line) {
    saveLinks(links_ + QStringList{line});
}

void AssociationModel::removeLink(int row) {
    if (!holds(row))
        return;
    QStringList lines = links_;
    lines.removeAt(row);
    saveLinks(std::move(lines));
}

bool AssociationModel::addExtension(const QString& key) {
    if (key.trimmed().isEmpty() || AssociationTable::hasExtension(extensions_, key))
        return false;
    AssociationTable(dataFolder_).appendExtension(key);
    extensions_ << key;
    emit extensionsChanged();
    return true;
}

} // namespace dravik::launch
