#include "dravik/cli/cli.h"

#include "common/drive_table.h"
#include "common/error.h"
#include "common/folder_path.h"
#include "common/number_format.h"
#include "dravik/catalogue/catalogue.h"
#include "dravik/catalogue/cataloguer.h"
#include "dravik/media/facts_store.h"
#include "dravik/walker/walk_lock.h"
#include "dravik/workspace/workspace.h"

#include <QCommandLineParser>
#include <QDir>

namespace dravik::cli {

namespace {

std::string text(const QString& s) {
    return s.toStdString();
}

// The parser's complaint in the words of the commands' own.
std::string parseFailure(const QCommandLineParser& parser) {
    const QStringList unknown = parser.unknownOptionNames();
    if (unknown.isEmpty())
        return "--data needs a folder"; // the only option with a value
    const QString& name = unknown.first();
    return "unknown option \"" + text((name.size() == 1 ? "-" : "--") + name) + "\"";
}

} // namespace

void Cli::help() {
    out_ << "Usage: dravik-cli catalogue NAME [--drive LETTER] [--data FOLDER] [--rebuild]\n"
            "       dravik-cli search TEXT [--disc NAME]... [--ext ENTRY]... [--case] [--word]\n"
            "                  [--names] [--data FOLDER] [--report NAME] [--json]\n"
            "       dravik-cli list [--data FOLDER] [--json]\n"
            "       dravik-cli rename OLD NEW [--data FOLDER]\n"
            "       dravik-cli delete NAME... [--data FOLDER]\n"
            "       dravik-cli info DISC [--data FOLDER] [--json]\n"
            "       dravik-cli history DISC [--data FOLDER] [--json]\n"
            "       dravik-cli diff DISC [--version N] [--data FOLDER]\n"
            "       dravik-cli restore DISC [--version N] [--data FOLDER]\n"
            "       dravik-cli --help\n"
            "       dravik-cli --version\n"
            "\n"
            "catalogue  walks the disc in the drive and writes its list as the window's CREATE\n"
            "           does: NAME.rtf in the data folder, NAME added to DK.tex, the catalogue\n"
            "           marked as changed. Prints the number of files and folders.\n"
            "  --drive LETTER  the drive to walk (default: the default CD/DVD drive, SSc.ini)\n"
            "  --data FOLDER   the data folder (default: the setting \"Def DPath\", else the\n"
            "                  current folder)\n"
            "  --rebuild       catalogue again under a name already in the catalogue; the\n"
            "                  previous list is kept in the history, and a second line says\n"
            "                  what changed since it\n"
            "\n"
            "Exit status: 0 done, 1 refused or failed, 2 wrong usage, 3 done but some folders\n"
            "could not be read (the list is incomplete).\n"
            "\n"
            "search     finds the words of TEXT (joined by |) in the disc lists as the\n"
            "           window's Find Global does and prints the rows the quick report\n"
            "           would hold (QReport.rtf itself is not touched); standard error ends\n"
            "           with \"N links, M examined\". Every disc of DK.tex is searched, in\n"
            "           its order, unless discs or extensions are named.\n"
            "  --disc NAME     search this disc (again for more, in the order given)\n"
            "  --ext ENTRY     search the list of this extension instead (Shard-9, else\n"
            "                  the splitter's TheShards-13), upper-cased as the window\n"
            "                  adds entries\n"
            "  --case          Case sensitive\n"
            "  --word          Word ONLY\n"
            "  --names         Auto-remove double filenames (the word in the file name;\n"
            "                  each file name once)\n"
            "  --data FOLDER   the data folder, as for catalogue\n"
            "  --report NAME   also save the rows as the report NAME (QReport/NAME.rtf)\n"
            "  --json          print one JSON document instead: {\"rows\": [...], \"links\": N,\n"
            "                  \"examined\": M}\n"
            "Exit status of search: 0 rows found, 1 none, 2 an error.\n"
            "\n"
            "list       prints the discs of DK.tex in order, one a line, each followed by a tab\n"
            "           and its \"Size\" setting (empty when it has none); with --json one\n"
            "           document {\"discs\": [{\"name\": ..., \"size\": ...}, ...]}.\n"
            "rename     renames a disc as the window's rename does: its list, its entries in\n"
            "           DK.tex (the old index kept as Dk.Tex.Bak) and its \"Size\" setting.\n"
            "delete     deletes discs as the window's Delete Many does: every entry of each\n"
            "           name, in one index swap, then their lists and settings.\n"
            "Exit status of list, rename and delete: 0 done, 1 refused or failed, 2 wrong usage,\n"
            "or DK.tex is not a file, 3 done in part (the messages say which step failed).\n"
            "\n"
            "info       prints what the disc's medium was when it was last catalogued: label,\n"
            "           UUID (for ISO 9660 its creation time), file-system type, device,\n"
            "           capacity and bytes used, the counts of files and folders and the\n"
            "           total bytes of its files. A disc catalogued before facts were kept has\n"
            "           none, and says so.\n"
            "history    lists the disc's versions, newest first: number, date, counts, and\n"
            "           \"current\" for the list in use. Cataloguing a disc again keeps the\n"
            "           previous list (the last five by default; setting History/Versions).\n"
            "diff       prints the files added, removed and changed in size between an earlier\n"
            "           version (default: the latest one kept) and the current list, one a\n"
            "           line: \"added<TAB>path\", \"removed<TAB>path\",\n"
            "           \"changed<TAB>path<TAB>old size<TAB>new size\"; the counts go to\n"
            "           standard error.\n"
            "restore    makes an earlier version (default: the latest one kept) the disc's list\n"
            "           again; the list it replaces goes into the history in turn.\n"
            "  --json          info and history print one JSON document (see the README)\n"
            "  --version N     the version, as history numbers them\n"
            "Exit status of info, history, diff and restore: 0 done, 1 refused or failed,\n"
            "2 wrong usage.\n";
}

const char* Cli::version() {
    return DRAVIK_VERSION;
}

int Cli::run(const QStringList& arguments) {
    // Options before the command are the program's own; from the command on they are its.
    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
    const QCommandLineOption helpOption = parser.addHelpOption();
    const QCommandLineOption versionOption = parser.addVersionOption();
    const QCommandLineOption dataOption(QStringLiteral("data"), {}, QStringLiteral("FOLDER"));
    parser.addOption(dataOption);
    if (!parser.parse(QStringList(QStringLiteral("dravik-cli")) + arguments)) {
        error_.usage(parseFailure(parser));
        return Usage;
    }
    if (parser.isSet(helpOption) || parser.isSet(QStringLiteral("help-all"))) {
        help();
        return 0;
    }
    if (parser.isSet(versionOption)) {
        out_ << "dravik-cli " << version() << '\n';
        return 0;
    }
    QStringList given = parser.positionalArguments();
    if (given.isEmpty()) {
        help();
        return Usage;
    }
    if (parser.isSet(dataOption))
        given << QStringLiteral("--data") << parser.value(dataOption);
    return command(given);
}

int Cli::command(const QStringList& arguments) {
    const QString& name = arguments.first();
    if (name == "help") {
        help();
        return 0;
    }
    if (name == "catalogue")
        return catalogue(arguments.mid(1));
    if (name == "search")
        return search(arguments.mid(1));
    if (name == "list")
        return list(arguments.mid(1));
    if (name == "rename")
        return rename(arguments.mid(1));
    if (name == "delete")
        return remove(arguments.mid(1));
    if (name == "info")
        return info(arguments.mid(1));
    if (name == "history")
        return history(arguments.mid(1));
    if (name == "diff")
        return diff(arguments.mid(1));
    if (name == "restore")
        return restore(arguments.mid(1));
    error_.usage("unknown command \"" + text(name) + "\"");
    return Usage;
}

workspace::Workspace Cli::workspace(const QString& data) {
    workspace::Workspace ws(common::DriveTable::fromSystem());
    ws.locateFolders(QDir::currentPath().toStdString());
    if (!data.isEmpty())
        ws.setDataFolder(QDir(data).absolutePath().toStdString());
    // Every command starts by tidying up after a killed program.
    const catalogue::Catalogue files(ws.dataFolder(), ws.programFolder());
    files.removeLeftOvers();
    if (media::FactsStore(ws.dataFolder()).exists()) {
        // Facts a killed cataloguing left are settled under the catalogue's change lock.
        try {
            catalogue::DiscIndex index(files);
            const catalogue::DiscIndex::Change change(
                index, catalogue::DiscIndex::Change::Patience::DontWait);
        } catch (const common::Error&) {
            // Busy or read-only: the next change settles them.
        }
    }
    return ws;
}

bool Cli::takeData(QStringList& arguments, QString& data) {
    const qsizetype at = arguments.indexOf(QStringLiteral("--data"));
    if (at < 0)
        return true;
    if (at + 1 >= arguments.size()) {
        error_.usage("--data needs a folder");
        return false;
    }
    data = arguments[at + 1];
    arguments.remove(at, 2);
    return true;
}

int Cli::catalogue(const QStringList& arguments) {
    QString name, drive, data;
    bool nameGiven = false, rebuild = false;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& a = arguments[i];
        if ((a == "--drive" || a == "--data") && i + 1 < arguments.size()) {
            (a == "--drive" ? drive : data) = arguments[++i];
        } else if (a == "--rebuild") {
            rebuild = true;
        } else if (a.startsWith("--") || nameGiven) {
            error_.usage("unexpected \"" + text(a) + "\"");
            return Usage;
        } else {
            name = a;
            nameGiven = true;
        }
    }
    if (!nameGiven) {
        error_.usage("catalogue needs a disc name");
        return Usage;
    }
    if (const auto reason = catalogue::Cataloguer::refusal(name)) {
        error_.write(*reason);
        return Refused;
    }

    try {
        workspace::Workspace ws = workspace(data);
        catalogue::DiscIndex index(catalogue::Catalogue(ws.dataFolder(), ws.programFolder()));
        index.load();
        if (drive.isEmpty())
            drive = ws.loadDefaultDrive();
        if (drive.isEmpty()) {
            error_.write("no default CD/DVD drive is set; use --drive LETTER or set it with "
                         "\"Set CD/DVD\" in the window");
            return Refused;
        }
        catalogue::Cataloguer cataloguer(index, ws.drives());
        try {
            cataloguer.scanRoot(drive);
        } catch (const common::Error& e) {
            if (e.number() != common::ErrorNumber::DeviceUnavailable)
                throw;
            error_.write("drive " + text(drive.left(1).toUpper()) + ": holds no readable disc (" +
                         e.description() +
                         "). The disc in the drive may be blank, a RW disc that cannot be read "
                         "here, or unreadable.");
            return Refused;
        }
        const bool known = index.holds(name);
        if (known && !rebuild) {
            error_.write("a disc named \"" + text(name) +
                         "\" is already in the catalogue; add --rebuild to catalogue it again "
                         "under that name");
            return Refused;
        }
        const auto busy = walker::WalkLock::busyWith(ws.programFolder());
        if (!busy.empty()) {
            error_.write(catalogue::Cataloguer::busyMessage(busy));
            return Refused;
        }
        const auto built = cataloguer.buildAndRecord(name, drive, {});
        const auto& counts = built.counts;
        catalogue::Cataloguer::markChanged();
        out_ << text(common::NumberFormat::withZero(counts.files))
             << " files : " << text(common::NumberFormat::withZero(counts.folders)) << " folders\n";
        if (built.changes)
            out_ << text(*built.changes) << '\n';
        if (counts.skipped > 0) {
            error_.write(std::to_string(counts.skipped) +
                         " folder(s) could not be read: the list is incomplete");
            return Incomplete;
        }
        return 0;
    } catch (const common::Error& e) {
        error_.write(e);
        return Refused;
    }
}

} // namespace dravik::cli
