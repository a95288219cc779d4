// Peek, the list viewer: shows the file named on the command line, one entry per line.
#include "common/program_folder.h"
#include "common/program_version.h"
#include "common/ui/dialogs.h"
#include "peek/command_line.h"
#include "peek/peek_window.h"

#include <QApplication>

int main(int argc, char** argv) {
    using common::ProgramVersion::Asked;
    if (common::ProgramVersion::printWhenAsked(argc, argv, common::ProgramFolder::Peek) ==
        Asked::Yes)
        return 0;
    const std::string path = peek::CommandLine::path(argc, argv);
    // Qt sees the program name only, so no word of a path is ever taken as one of its options.
    int qtArgc = 1;
    QApplication app(qtArgc, argv);
    QApplication::setApplicationName(QStringLiteral("Peek"));

    common::ui::QtDialogs dialogs;
    peek::PeekWindow window(dialogs, path);
    if (const auto status = window.start())
        return *status;
    return QApplication::exec();
}
