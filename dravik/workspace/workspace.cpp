#include "dravik/workspace/workspace.h"

#include "common/error.h"
#include "common/file_ops.h"
#include "common/folder_path.h"
#include "common/item_list.h"
#include "common/name_resolver.h"
#include "common/program_folder.h"
#include "common/settings_names.h"
#include "common/settings_store.h"
#include "common/text_limit.h"
#include "common/text_writer.h"

namespace dravik::workspace {

namespace FileOps = common::FileOps;
using common::SettingsStore;

namespace {
const QString MainSettings = common::SettingsNames::Main;
} // namespace

Workspace::Workspace(common::DriveTable drives) : drives_(std::move(drives)) {}

std::filesystem::path Workspace::dataFile(const QString& name) const {
    return common::NameResolver::resolve(dataFolder_, name.toStdString());
}

std::filesystem::path Workspace::programFile(const QString& name) const {
    return common::NameResolver::resolve(programFolder_, name.toStdString());
}

void Workspace::locateFolders(const std::filesystem::path& currentFolder) {
    programFolder_ = common::FolderPath::withSeparator(common::ProgramFolder::locate());
    // An unreadable settings file leaves the default in use; the caller reports the failure.
    dataFolder_ = common::FolderPath::withSeparator(currentFolder);
    const QString value = SettingsStore(MainSettings)
                              .value(QStringLiteral("Form_Load"), QStringLiteral("Def DPath"),
                                     QString::fromStdString(currentFolder.string()));
    std::filesystem::path folder = value.toStdString();
    if (value.size() >= 2 && value[1] == u':' && value[0].isLetter())
        folder = drives_.toLocal(value.toStdString()); // a path kept from a Windows install
    dataFolder_ = common::FolderPath::withSeparator(folder);
}

void Workspace::setDataFolder(const std::filesystem::path& folder) {
    dataFolder_ = common::FolderPath::withSeparator(folder);
}

void Workspace::changeDataFolder(const std::filesystem::path& folder) {
    const auto data = common::FolderPath::withSeparator(folder);
    dataFolder_ = data;
    SettingsStore(common::SettingsNames::MainMixedCase)
        .setValue(QStringLiteral("Form_Load"), QStringLiteral("Def DPath"),
                  QString::fromStdString(data.string()));
}

QString Workspace::temporaryDrive(int index) {
    return SettingsStore(MainSettings)
        .value(QStringLiteral("TmpDrive"), QStringLiteral("SellD") + QString::number(index),
               QString(QChar(char16_t(72 + index))));
}

std::filesystem::path Workspace::fixedFile(const char* name) const {
    return drives_.root('C') / name;
}

void Workspace::writeStartMarker() const {
    // Replaced, never written through: a link planted under the marker's name stays untouched.
    common::TextWriter marker(fixedFile("DK.tmp"), common::TextWriter::Mode::Replace,
                              common::TextWriter::Durability::Process);
    marker.rawLine(std::string(30, '.'));
    marker.commit();
}

QString Workspace::loadDefaultDrive() {
    const QStringList items = common::ItemList::readCreating(programFile(QStringLiteral("SSc.ini")),
                                                             common::TextLimits::DefaultDrive);
    if (!items.isEmpty())
        defaultDrive_ = items.first();
    return defaultDrive_;
}

void Workspace::exit() const {
    // Every failure at exit is ignored: the window is already going, nobody is left to answer.
    // Each marker on its own: one that cannot be removed keeps no other in place.
    for (const char* name : {"DK.003", "DK.004", "DK.tmp"}) {
        try {
            FileOps::removeIfExists(fixedFile(name));
        } catch (const common::Error&) {
        }
    }
}

} // namespace dravik::workspace
