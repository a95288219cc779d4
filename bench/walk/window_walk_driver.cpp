// Times cataloguing with the main window open: the disc named in the disc box and CREATE pressed,
// so the walk runs with the window's progress labels and throttled repaints, then the list is
// published and loaded into the list view. Compare with walk_bench_driver.
// Usage: window_walk_driver ROOT WORKFOLDER
#include "common/drive_table.h"
#include "common/large_pages.h"
#include "common/ui/dialogs.h"
#include "dravik/window/main_window.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QEvent>

#include <cstdio>
#include <filesystem>

int main(int argc, char** argv) {
    common::LargePages::preferInMalloc(argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s ROOT WORKFOLDER\n", argv[0]);
        return 2;
    }
    const std::filesystem::path work = argv[2];
    for (const char* sub : {"settings", "program", "data", "home"})
        std::filesystem::create_directories(work / sub);
    setenv("DRAVIK_SETTINGS_DIR", (work / "settings").c_str(), 1);
    setenv("DRAVIK_PROGRAM_DIR", (work / "program").c_str(), 1);
    if (!getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    std::filesystem::remove(work / "data" / "DK.tex");
    FILE* drive = std::fopen((work / "program" / "SSc.ini").c_str(), "wb");
    std::fputs("E\r\n", drive);
    std::fclose(drive);
    std::filesystem::current_path(work / "data");

    int qtArgc = 1;
    QApplication app(qtArgc, argv);
    common::ui::QtDialogs dialogs;
    common::DriveTable drives;
    drives.set('C', (work / "home").string());
    drives.set('E', argv[1]);
    dravik::window::MainWindow window(dialogs, drives);
    window.load({});
    int paints = 0;
    struct PaintCounter : QObject {
        int* paints;
        bool eventFilter(QObject*, QEvent* event) override {
            if (event->type() == QEvent::Paint)
                ++*paints;
            return false;
        }
    } counter;
    counter.paints = &paints;
    app.installEventFilter(&counter);
    window.findChild<QComboBox*>(QStringLiteral("TeX"))->setEditText(QStringLiteral("Bench"));
    QElapsedTimer clock;
    clock.start();
    window.findChild<QAbstractButton*>(QStringLiteral("GCom_7"))->click();
    std::printf("%.3f s, %d paint events while cataloguing\n",
                static_cast<double>(clock.nsecsElapsed()) / 1e9, paints);
    return 0;
}
