#include "common/drive_table.h"
#include "common/open_file_limit.h"
#include "common/program_folder.h"
#include "common/program_version.h"
#include "common/ui/dialogs.h"
#include "splitter/splitter_window.h"
#include "splitter/start_argument.h"

#include <QApplication>

int main(int argc, char** argv) {
    using common::ProgramVersion::Asked;
    if (common::ProgramVersion::printWhenAsked(argc, argv, common::ProgramFolder::Splitter) ==
        Asked::Yes)
        return 0;
    // A run keeps up to 500 extension files open; the table keeps below whatever limit is left.
    common::OpenFileLimit::raiseToHard();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Splitter"));
    common::ui::QtDialogs dialogs;
    const QStringList arguments = app.arguments().mid(1);
    const QString startFolder = splitter::StartArgument::dataFolder(arguments);
    splitter::SplitterWindow window(dialogs, common::DriveTable::fromSystem(), startFolder);
    if (window.start() == splitter::SplitterWindow::StartResult::AlreadyRunning)
        return 0;
    if (splitter::StartArgument::fromMainProgram(arguments))
        window.showWithoutTakingFocus();
    else
        window.show();
    return app.exec();
}
