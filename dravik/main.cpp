// Dravik: the disc catalogue's main window.
#include "common/drive_table.h"
#include "common/large_pages.h"
#include "common/program_version.h"
#include "common/ui/dialogs.h"
#include "dravik/catalogue/facts_recogniser.h"
#include "dravik/window/main_window.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    // Answered without a display, as a terminal asks it.
    using common::ProgramVersion::Asked;
    if (common::ProgramVersion::printWhenAsked(argc, argv, "dravik") == Asked::Yes)
        return 0;
    common::LargePages::preferInMalloc(argv);
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY") && (!platform || !*platform)) {
        std::fprintf(stderr, "dravik: no display to open a window on (neither DISPLAY nor "
                             "WAYLAND_DISPLAY is set).\n");
        return 1;
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Dravik"));
    common::ui::QtDialogs dialogs;
    dravik::window::MainWindow window(dialogs, common::DriveTable::fromSystem());
    QStringList arguments = QApplication::arguments();
    arguments.removeFirst();
    window.load(arguments);
    window.recogniseMedia(std::make_unique<dravik::catalogue::FactsRecogniser>());
    return app.exec();
}
