// Times opening a disc list in the whole main window, as the user does: the disc chosen in the
// disc box with the arrow key, every step of opening (questions answered Yes at once, the busy
// notice, the line count, the caption), until the list view has painted the list.
// Usage: open_window_driver FILE
// The window runs over a private data folder, settings folder and program folder in /tmp; the
// list is linked into the data folder as "Big.rtf".
#include "bench/open/paint_counter.h"
#include "common/drive_table.h"
#include "common/large_pages.h"
#include "common/settings_names.h"
#include "common/settings_store.h"
#include "common/ui/dialogs.h"
#include "dravik/window/main_window.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sys/resource.h>

namespace {

// Every question is answered Yes, at once.
class YesDialogs : public common::ui::Dialogs {
public:
    int message(const QString&, const QString&, common::ui::Buttons, common::ui::Icon) override {
        return common::ui::Answer::Yes;
    }
    std::optional<QString> input(const QString&, const QString&, const QString& proposal) override {
        return proposal;
    }
    std::optional<int> panelAnswer(const QString&, const QString&, common::ui::Buttons,
                                   common::ui::Icon) override {
        return common::ui::Answer::Yes;
    }
};

void write(const std::filesystem::path& file, const char* bytes) {
    std::ofstream(file, std::ios::binary) << bytes;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s FILE\n", argv[0]);
        return 2;
    }
    common::LargePages::preferInMalloc(argv);
    const std::filesystem::path list = std::filesystem::absolute(argv[1]);
    QTemporaryDir sandbox(QDir::tempPath() + "/dravik-open-window-XXXXXX");
    const std::filesystem::path root = sandbox.path().toStdString();
    for (const char* sub : {"data", "settings", "program", "home", "disc"})
        std::filesystem::create_directories(root / sub);
    setenv("DRAVIK_SETTINGS_DIR", (root / "settings").c_str(), 1);
    setenv("DRAVIK_PROGRAM_DIR", (root / "program").c_str(), 1);
    write(root / "program" / "SSc.ini", "E\r\n");
    write(root / "data" / "DK.tex", "Big\r\n");
    std::filesystem::create_symlink(list, root / "data" / "Big.rtf");
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    int qtArgc = 1;
    QApplication app(qtArgc, argv);
    common::SettingsStore(common::SettingsNames::Main)
        .setValue(QStringLiteral("Form_Load"), QStringLiteral("Def DPath"),
                  QString::fromStdString((root / "data").string()));

    YesDialogs dialogs;
    common::DriveTable drives;
    drives.set('C', (root / "home").string());
    drives.set('E', (root / "disc").string());
    dravik::window::MainWindow window(dialogs, drives);
    window.load({});
    window.resize(1280, 800);
    window.show();
    QApplication::processEvents();
    auto* box = window.findChild<QComboBox*>(QStringLiteral("TeX"));
    auto* view = window.findChild<QPlainTextEdit*>(QStringLiteral("RtB"));
    PaintCounter counter;
    view->viewport()->installEventFilter(&counter);
    // A big list is painted by the rows view inside the list view.
    for (auto* area : view->findChildren<QAbstractScrollArea*>())
        area->viewport()->installEventFilter(&counter);
    box->setEditText({});
    box->setFocus();
    QApplication::processEvents();
    counter.paints = 0;

    QElapsedTimer clock;
    clock.start();
    QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
    QApplication::sendEvent(box, &down); // chooses the first disc: it opens
    const qint64 opened = clock.nsecsElapsed();
    QApplication::processEvents();
    if (counter.paints == 0)
        view->repaint();
    const qint64 painted = clock.nsecsElapsed();

    const QString count = window.findChild<QLabel*>(QStringLiteral("DTel"))->text();
    const QString status = window.findChild<QLabel*>(QStringLiteral("LaB"))->text();
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("%.3f s  open %.3f  paint %.3f  DTel %s  status \"%s\"  paints %d  "
                "peak RSS %ld KiB\n",
                static_cast<double>(painted) / 1e9, static_cast<double>(opened) / 1e9,
                static_cast<double>(painted - opened) / 1e9, count.toUtf8().constData(),
                status.toUtf8().constData(), counter.paints, usage.ru_maxrss);
    return status == QStringLiteral("Finished Loading") ? 0 : 1;
}
