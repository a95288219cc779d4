// dravik-cli info, history, diff and restore: the facts and the earlier lists kept beside each
// disc's list.
#include "dravik/cli/cli.h"

#include "common/code_page.h"
#include "common/error.h"
#include "common/number_format.h"
#include "dravik/catalogue/catalogue.h"
#include "dravik/catalogue/cataloguer.h"
#include "dravik/catalogue/disc_index.h"
#include "dravik/media/facts_diff.h"
#include "dravik/media/facts_store.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace dravik::cli {

namespace {

const char* identityName(media::Identity identity) {
    switch (identity) {
    case media::Identity::Probed:
        return "probed";
    case media::Identity::PlainFolder:
        return "plain folder";
    case media::Identity::Unreadable:
        return "unreadable";
    }
    return "";
}

QJsonObject versionJson(const media::Version& v) {
    QJsonObject o;
    o["version"] = v.number;
    o["current"] = v.state == media::VersionState::Current;
    o["catalogued"] = QString::fromStdString(v.facts.cataloguedAt);
    o["facts"] = v.hasFacts;
    if (!v.hasFacts)
        return o;
    o["files"] = static_cast<qint64>(v.facts.files);
    o["folders"] = static_cast<qint64>(v.facts.folders);
    o["bytes"] = static_cast<qint64>(v.facts.bytes);
    return o;
}

QJsonObject infoJson(const media::Version& v) {
    QJsonObject o = versionJson(v);
    o["disc"] = v.disc;
    if (!v.hasFacts)
        return o;
    const auto& volume = v.facts.volume;
    o["identity"] = identityName(volume.identity);
    o["label"] = QString::fromStdString(volume.label);
    o["uuid"] = QString::fromStdString(volume.uuid);
    o["type"] = QString::fromStdString(volume.type);
    o["device"] = QString::fromStdString(volume.device);
    o["capacity"] = static_cast<qint64>(volume.capacity);
    o["used"] = static_cast<qint64>(volume.used);
    return o;
}

std::string number(std::int64_t n) {
    return common::NumberFormat::withZero(n).toStdString();
}

void printInfo(std::ostream& out, const media::Version& v) {
    const auto& volume = v.facts.volume;
    const std::string note = media::VolumeProbe::identityNote(volume.identity);
    out << "Disc:       " << v.disc.toStdString() << '\n'
        << "Version:    " << v.number << ", catalogued " << v.facts.cataloguedAt << '\n';
    if (!note.empty())
        out << "Identity:   " << note << '\n';
    out << "Label:      " << volume.label << '\n'
        << "UUID:       " << volume.uuid << '\n'
        << "Type:       " << volume.type << '\n'
        << "Device:     " << volume.device << '\n'
        << "Capacity:   " << number(static_cast<std::int64_t>(volume.capacity)) << " bytes, "
        << number(static_cast<std::int64_t>(volume.used)) << " used\n"
        << "Files:      " << number(v.facts.files) << ", " << number(v.facts.bytes) << " bytes\n"
        << "Folders:    " << number(v.facts.folders) << '\n';
}

void printJson(std::ostream& out, const QJsonObject& document) {
    out << QJsonDocument(document).toJson(QJsonDocument::Indented).toStdString();
}

// The sizes of a version's files: from its facts, else from its list.
media::FactsDiff::Sizes sizesOf(media::FactsStore& store, const media::Version& v,
                                const std::filesystem::path& currentList) {
    if (v.hasFacts)
        return media::FactsDiff::fromFacts(store.files(v.id));
    return media::FactsDiff::fromList(
        v.state == media::VersionState::Current ? currentList : store.historyList(v.id));
}

std::string decoded(const std::string& path) {
    return common::CodePage::decodeLine(path).toStdString();
}

} // namespace

bool Cli::mediaArguments(const QStringList& arguments, const char* command, bool takesVersion,
                         MediaCommand& parsed) {
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& a = arguments[i];
        const bool valued = i + 1 < arguments.size();
        bool ok = true;
        if (a == "--data" && valued) {
            parsed.data = arguments[++i];
        } else if (a == "--version" && takesVersion && valued) {
            parsed.version = arguments[++i].toInt(&ok);
            if (!ok || *parsed.version < 1) {
                error_.usage("--version needs a version number");
                return false;
            }
        } else if (a == "--json" && !takesVersion) {
            parsed.json = true;
        } else if (a.startsWith("--") || !parsed.disc.isEmpty()) {
            error_.usage("unexpected \"" + a.toStdString() + "\"");
            return false;
        } else {
            parsed.disc = a;
        }
    }
    if (parsed.disc.isEmpty()) {
        error_.usage(std::string(command) + " needs a disc name");
        return false;
    }
    return true;
}

// The index's spelling of the disc; nothing (with a message) when it holds no such disc.
std::optional<QString> Cli::catalogued(const workspace::Workspace& ws, const QString& disc) {
    catalogue::DiscIndex index(catalogue::Catalogue(ws.dataFolder(), ws.programFolder()));
    index.load(catalogue::DiscIndex::WhenMissing::Leave);
    const auto spelling = index.spelling(disc);
    if (!spelling)
        error_.write("no disc named \"" + disc + "\" is catalogued");
    return spelling;
}

int Cli::onCataloguedDisc(const QStringList& arguments, const char* command, bool takesVersion,
                          DiscAction act) {
    MediaCommand parsed;
    if (!mediaArguments(arguments, command, takesVersion, parsed))
        return Usage;
    try {
        const auto ws = workspace(parsed.data);
        const auto disc = catalogued(ws, parsed.disc);
        return disc ? (this->*act)(parsed, ws, *disc) : Refused;
    } catch (const common::Error& e) {
        error_.write(e);
        return Refused;
    }
}

int Cli::info(const QStringList& arguments) {
    return onCataloguedDisc(arguments, "info", false, &Cli::showInfo);
}

int Cli::showInfo(const MediaCommand& parsed, const workspace::Workspace& ws, const QString& disc) {
    media::FactsStore store(ws.dataFolder());
    const auto current = store.current(disc);
    if (!current || !current->hasFacts) {
        if (parsed.json)
            printJson(out_, QJsonObject{{"disc", disc}, {"facts", false}});
        else
            out_ << "No facts are kept for \"" << disc.toStdString()
                 << "\": it was catalogued before they were kept, or on another computer.\n";
        return 0;
    }
    if (parsed.json)
        printJson(out_, infoJson(*current));
    else
        printInfo(out_, *current);
    return 0;
}

int Cli::history(const QStringList& arguments) {
    return onCataloguedDisc(arguments, "history", false, &Cli::showHistory);
}

int Cli::showHistory(const MediaCommand& parsed, const workspace::Workspace& ws,
                     const QString& disc) {
    const auto versions = media::FactsStore(ws.dataFolder()).versions(disc);
    if (parsed.json) {
        QJsonArray list;
        for (const auto& v : versions)
            list.append(versionJson(v));
        printJson(out_, QJsonObject{{"disc", disc}, {"versions", list}});
        return 0;
    }
    for (const auto& v : versions) {
        out_ << v.number << '\t' << v.facts.cataloguedAt << '\t';
        if (v.hasFacts)
            out_ << number(v.facts.files) << " files\t" << number(v.facts.folders) << " folders\t"
                 << number(v.facts.bytes) << " bytes";
        else
            out_ << "no facts\t\t";
        out_ << (v.state == media::VersionState::Current ? "\tcurrent" : "") << '\n';
    }
    return 0;
}

int Cli::diff(const QStringList& arguments) {
    return onCataloguedDisc(arguments, "diff", true, &Cli::showDiff);
}

int Cli::showDiff(const MediaCommand& parsed, const workspace::Workspace& ws, const QString& disc) {
    media::FactsStore store(ws.dataFolder());
    std::optional<media::Version> current, earlier;
    for (const auto& v : store.versions(disc)) {
        if (v.state == media::VersionState::Current)
            current = v;
        else if (v.state == media::VersionState::History && parsed.version &&
                 v.number == *parsed.version)
            earlier = v;
    }
    if (!parsed.version)
        earlier = store.lastRetired(disc);
    if (!current || !earlier) {
        error_.write("the history of \"" + disc + "\" holds no " +
                     (parsed.version ? QStringLiteral("version %1").arg(*parsed.version)
                                     : QStringLiteral("earlier list")));
        return Refused;
    }
    const auto list = catalogue::Catalogue(ws.dataFolder(), ws.programFolder()).discListPath(disc);
    const auto changes =
        media::FactsDiff::between(sizesOf(store, *earlier, list), sizesOf(store, *current, list));
    for (const auto& change : changes) {
        switch (change.kind) {
        case media::FactsDiff::Kind::Added:
            out_ << "added\t" << decoded(change.path) << '\n';
            break;
        case media::FactsDiff::Kind::Removed:
            out_ << "removed\t" << decoded(change.path) << '\n';
            break;
        case media::FactsDiff::Kind::Changed:
            out_ << "changed\t" << decoded(change.path) << '\t' << change.before << '\t'
                 << change.after << '\n';
            break;
        }
    }
    out_.flush();
    err_ << media::FactsDiff::summary(media::FactsDiff::count(changes), earlier->facts.cataloguedAt)
                .toStdString()
         << " (version " << earlier->number << ")\n";
    return 0;
}

int Cli::restore(const QStringList& arguments) {
    MediaCommand parsed;
    if (!mediaArguments(arguments, "restore", true, parsed))
        return Usage;
    try {
        auto ws = workspace(parsed.data);
        catalogue::DiscIndex index(catalogue::Catalogue(ws.dataFolder(), ws.programFolder()));
        const int restored =
            catalogue::Cataloguer(index, ws.drives()).restore(parsed.disc, parsed.version);
        out_ << "version " << restored << " of \"" << index.spelling(parsed.disc)->toStdString()
             << "\" is the disc's list again; the list it replaced is in the history\n";
        return 0;
    } catch (const common::Error& e) {
        error_.write(e);
        return Refused;
    }
}

} // namespace dravik::cli
