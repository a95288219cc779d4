#include "dravik/cli/cli.h"

#include "common/drive_table.h"
#include "common/error.h"
#include "common/folder_path.h"
#include "common/number_format.h"
#include "common/temporary_file.h"
#include "dravik/catalogue/cataloguer.h"
#include "dravik/walker/walk_lock.h"
#include "dravik/workspace/workspace.h"

#include <QDir>

namespace dravik::cli {

namespace {

std::string text(const QString& s) {
    return s.toStdString();
}

} // namespace

void Cli::help() {
    out_ << "Usage: dravik-cli catalogue NAME [--drive LETTER] [--data FOLDER] [--rebuild]\n"
            "       dravik-cli search TEXT [--disc NAME]... [--ext ENTRY]... [--case] [--word]\n"
            "                  [--names] [--data FOLDER] [--report NAME]\n"
            "       dravik-cli list [--data FOLDER]\n"
            "       dravik-cli rename OLD NEW [--data FOLDER]\n"
            "       dravik-cli delete NAME... [--data FOLDER]\n"
            "       dravik-cli --help\n"
            "\n"
            "catalogue  walks the disc in the drive and writes its list as the window's CREATE\n"
            "           does: NAME.rtf in the data folder, NAME added to DK.tex, the catalogue\n"
            "           marked as changed. Prints the number of files and folders.\n"
            "  --drive LETTER  the drive to walk (default: the default CD/DVD drive, SSc.ini)\n"
            "  --data FOLDER   the data folder (default: the setting \"Def DPath\", else the\n"
            "                  current folder)\n"
            "  --rebuild       catalogue again under a name already in the catalogue\n"
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
            "Exit status of search: 0 rows found, 1 none, 2 an error.\n"
            "\n"
            "list       prints the discs of DK.tex in order, one a line, each followed by a tab\n"
            "           and its \"Size\" setting (empty when it has none).\n"
            "rename     renames a disc as the window's rename does: its list, its entries in\n"
            "           DK.tex (the old index kept as Dk.Tex.Bak) and its \"Size\" setting.\n"
            "delete     deletes discs as the window's Delete Many does: every entry of each\n"
            "           name, in one index swap, then their lists and settings.\n"
            "Exit status of list, rename and delete: 0 done, 1 refused or failed, 2 wrong usage,\n"
            "3 done in part (the messages say which step failed).\n";
}

int Cli::run(const QStringList& arguments) {
    if (arguments.isEmpty()) {
        help();
        return Usage;
    }
    if (arguments.first() == "--help" || arguments.first() == "-h" || arguments.first() == "help") {
        help();
        return 0;
    }
    if (arguments.first() == "catalogue")
        return catalogue(arguments.mid(1));
    if (arguments.first() == "search")
        return search(arguments.mid(1));
    if (arguments.first() == "list")
        return list(arguments.mid(1));
    if (arguments.first() == "rename")
        return rename(arguments.mid(1));
    if (arguments.first() == "delete")
        return remove(arguments.mid(1));
    err_ << "dravik-cli: unknown command \"" << text(arguments.first()) << "\" (try --help)\n";
    return Usage;
}

workspace::Workspace Cli::workspace(const QString& data) {
    workspace::Workspace ws(common::DriveTable::fromSystem());
    ws.locateFolders(QDir::currentPath().toStdString());
    if (!data.isEmpty())
        ws.setDataFolder(QDir(data).absolutePath().toStdString());
    return ws;
}

bool Cli::takeData(QStringList& arguments, QString& data) {
    const qsizetype at = arguments.indexOf(QStringLiteral("--data"));
    if (at < 0)
        return true;
    if (at + 1 >= arguments.size()) {
        err_ << "dravik-cli: --data needs a folder (try --help)\n";
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
            err_ << "dravik-cli: unexpected \"" << text(a) << "\" (try --help)\n";
            return Usage;
        } else {
            name = a;
            nameGiven = true;
        }
    }
    if (!nameGiven) {
        err_ << "dravik-cli: catalogue needs a disc name (try --help)\n";
        return Usage;
    }
    if (const auto reason = catalogue::Cataloguer::refusal(name)) {
        err_ << "dravik-cli: " << text(*reason) << "\n";
        return Refused;
    }

    try {
        workspace::Workspace ws = workspace(data);
        catalogue::DiscIndex index(catalogue::Catalogue(ws.dataFolder(), ws.programFolder()));
        index.load();
        if (drive.isEmpty())
            drive = ws.loadDefaultDrive();
        if (drive.isEmpty()) {
            err_ << "dravik-cli: no default CD/DVD drive is set; use --drive LETTER or set it with "
                    "\"Set CD/DVD\" in the window\n";
            return Refused;
        }
        catalogue::Cataloguer cataloguer(index, ws.drives());
        try {
            cataloguer.scanRoot(drive);
        } catch (const common::Error& e) {
            if (e.number() != common::ErrorNumber::DeviceUnavailable)
                throw;
            err_ << "dravik-cli: drive " << text(drive.left(1).toUpper())
                 << ": holds no readable disc (" << e.description()
                 << "). The disc in the drive may be blank, a RW disc that cannot be read here, "
                    "or unreadable.\n";
            return Refused;
        }
        const bool known = index.holds(name);
        if (known && !rebuild) {
            err_ << "dravik-cli: a disc named \"" << text(name)
                 << "\" is already in the catalogue; add --rebuild to catalogue it again under "
                    "that name\n";
            return Refused;
        }
        const auto busy = walker::WalkLock::busyWith(ws.programFolder());
        if (!busy.empty()) {
            err_ << "dravik-cli: " << text(catalogue::Cataloguer::busyMessage(busy)) << "\n";
            return Refused;
        }
        // Left-over new files of rewrites a killed program did not finish.
        common::TemporaryFile::removeStale(ws.dataFolder());
        common::TemporaryFile::removeStale(ws.programFolder());
        const auto counts = cataloguer.buildAndRecord(name, drive, {}).counts;
        catalogue::Cataloguer::markChanged();
        out_ << text(common::NumberFormat::withZero(counts.files))
             << " files : " << text(common::NumberFormat::withZero(counts.folders)) << " folders\n";
        if (counts.skipped > 0) {
            err_ << "dravik-cli: " << counts.skipped
                 << " folder(s) could not be read: the list is incomplete\n";
            return Incomplete;
        }
        return 0;
    } catch (const common::Error& e) {
        err_ << "dravik-cli: " << e.description() << " (error " << e.number() << ")\n";
        return Refused;
    }
}

} // namespace dravik::cli
