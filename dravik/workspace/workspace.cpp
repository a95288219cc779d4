#include "dravik/workspace/workspace.h"

#include "common/code_page.h"
#include "common/error.h"
#include "common/file_ops.h"
#include "common/item_reader.h"
#include "common/program_folder.h"
#include "common/settings_store.h"
#include "common/text_writer.h"

namespace dravik::workspace {

namespace FileOps = common::FileOps;
using common::SettingsStore;

namespace {
const QString MainSettings = QStringLiteral("DRAVIK 2016");
} // namespace

Workspace::Workspace(common::DriveTable drives) : drives_(std::move(drives)), catalogue_({}, {}) {}

std::filesystem::path Workspace::withSeparator(const std::filesystem::path& folder) {
    std::string text = folder.string();
    if (text.empty() || text.back() != '/')
        text += '/';
    return text;
}

void Workspace::locateFolders(const std::filesystem::path& currentFolder) {
    catalogue_ = catalogue::Catalogue(catalogue_.dataFolder(),
                                      withSeparator(common::ProgramFolder::locate()));
    QString value = SettingsStore(MainSettings)
                        .value(QStringLiteral("Form_Load"), QStringLiteral("Def DPath"),
                               QString::fromStdString(currentFolder.string()));
    std::filesystem::path folder = value.toStdString();
    if (value.size() >= 2 && value[1] == u':' && value[0].isLetter())
        folder = drives_.toLocal(value.toStdString()); // a path kept from a Windows install
    catalogue_.setDataFolder(withSeparator(folder));
}

void Workspace::changeDataFolder(const std::filesystem::path& folder) {
    const auto data = withSeparator(folder);
    catalogue_.setDataFolder(data);
    SettingsStore(QStringLiteral("Dravik 2016"))
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

QStringList Workspace::readItemsCreating(const std::filesystem::path& file) const {
    FileOps::createIfMissing(file);
    QStringList out;
    common::ItemReader reader(file);
    std::string_view item;
    while (reader.next(item))
        out << common::CodePage::decodeLine(item);
    return out;
}

void Workspace::createAssociationData() const {
    FileOps::createIfMissing(catalogue_.dataFile(QStringLiteral("DK.mmd")));
}

void Workspace::writeStartMarker() const {
    common::TextWriter marker(fixedFile("DK.tmp"), common::TextWriter::Mode::Truncate);
    marker.rawLine(std::string(30, '.'));
    marker.commit();
}

QStringList Workspace::loadDiscIndex() const {
    return catalogue_.readDiscIndex();
}

QStringList Workspace::loadAssociations() const {
    return readItemsCreating(catalogue_.dataFile(QStringLiteral("DK.SoC")));
}

QStringList Workspace::loadExtensions() const {
    QStringList out;
    for (const QString& item : readItemsCreating(catalogue_.dataFile(QStringLiteral("DK.EXL")))) {
        if (!item.trimmed().isEmpty())
            out << item;
    }
    return out;
}

QStringList Workspace::loadFindHistory() const {
    return readItemsCreating(catalogue_.dataFile(QStringLiteral("FTex.Lys")));
}

QString Workspace::loadDefaultDrive() {
    const QStringList items = readItemsCreating(catalogue_.programFile(QStringLiteral("SSc.ini")));
    if (!items.isEmpty())
        defaultDrive_ = items.first();
    return defaultDrive_;
}

void Workspace::exit(const std::optional<QStringList>& findHistory) const {
    try {
        for (const char* name : {"DK.003", "DK.004", "DK.tmp"})
            FileOps::removeIfExists(fixedFile(name));
    } catch (const common::Error&) {
    }
    if (!findHistory)
        return;
    try {
        common::TextWriter::replaceLines(catalogue_.dataFile(QStringLiteral("FTex.Lys")),
                                         *findHistory);
    } catch (const common::Error&) {
    }
}

} // namespace dravik::workspace
