// Times opening a disc list into the list view as the main window does: load the file as
// text, set it on a QPlainTextEdit set up like the window's list view, then show it and paint
// it once. Prints each step and the total in seconds.
// Usage: open_bench_driver FILE [--shown]   (--shown: the view is on screen before the load)
#include "common/error.h"
#include "common/large_pages.h"
#include "dravik/catalogue/list_text.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QFontDatabase>
#include <QPlainTextEdit>

#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <sys/resource.h>

namespace {

// Counts the view's paint events, to be sure the timed paint really happened.
class PaintCounter : public QObject {
public:
    int paints = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            ++paints;
        return QObject::eventFilter(watched, event);
    }
};

double seconds(qint64 ns) {
    return static_cast<double>(ns) / 1e9;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s FILE [--shown]\n", argv[0]);
        return 2;
    }
    // As the main program does, unless the run asks to measure without it.
    if (!std::getenv("DRAVIK_SMALL_PAGES"))
        common::LargePages::preferInMalloc(argv);
    const bool shownFirst = argc > 2 && std::string_view(argv[2]) == "--shown";
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    int qtArgc = 1;
    QApplication app(qtArgc, argv);

    QPlainTextEdit view;
    view.setReadOnly(true);
    view.setLineWrapMode(QPlainTextEdit::NoWrap);
    view.setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    view.resize(900, 600);
    PaintCounter counter;
    view.viewport()->installEventFilter(&counter);
    if (shownFirst) {
        view.show();
        QApplication::processEvents();
        counter.paints = 0;
    }

    QElapsedTimer clock;
    clock.start();
    QString text;
    try {
        text = dravik::catalogue::ListText::load(argv[1]);
    } catch (const common::Error& error) {
        std::fprintf(stderr, "load failed: %s\n", error.what());
        return 1;
    }
    const qint64 loaded = clock.nsecsElapsed();
    view.setPlainText(text);
    const int blocks = view.document()->blockCount();
    const qint64 set = clock.nsecsElapsed();
    view.show();
    QApplication::processEvents();
    if (counter.paints == 0)
        view.repaint(); // the platform sent no expose: paint now
    const qint64 painted = clock.nsecsElapsed();

    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("%.3f s  load %.3f  setPlainText %.3f  show+paint %.3f  blocks %d  paints %d  "
                "peak RSS %ld KiB\n",
                seconds(painted), seconds(loaded), seconds(set - loaded), seconds(painted - set),
                blocks, counter.paints, usage.ru_maxrss);
    return counter.paints > 0 ? 0 : 1;
}
