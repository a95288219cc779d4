#include "common/drive_table.h"
#include "common/ui/dialogs.h"
#include "splitter/splitter_window.h"
#include "splitter/start_argument.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Splitter"));
    common::ui::QtDialogs dialogs;
    const QString startFolder = splitter::StartArgument::dataFolder(app.arguments().mid(1));
    splitter::SplitterWindow window(dialogs, common::DriveTable::fromSystem(), startFolder);
    window.start();
    window.show();
    return app.exec();
}
