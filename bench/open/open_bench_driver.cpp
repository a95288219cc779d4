// Times opening a disc list into the list view as the main window does: the list view shows the
// file (a big one as rows read when painted), is shown and paints once. Prints each step and
// the total in seconds.
// Usage: open_bench_driver FILE [--shown] [--text | --plain] [--find WORD]
//   --shown  the view is on screen before the load, as in the main window
//   --text   the file loaded as text and set on the list view whole, as it was opened before
//   --find   then finds WORD from the top, as the find command does (not with --plain), and prints
//            the time and where it was found
//   --plain  a plain QPlainTextEdit filled by setPlainText, one block to a line, as the list view
//            was filled before that; for comparison
#include "bench/open/paint_counter.h"
#include "common/error.h"
#include "common/large_pages.h"
#include "common/list_text.h"
#include "dravik/controls/list_text_edit.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QElapsedTimer>
#include <QFontDatabase>

#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <sys/resource.h>

namespace {

double seconds(qint64 ns) {
    return static_cast<double>(ns) / 1e9;
}

bool hasOption(int argc, char** argv, std::string_view option) {
    for (int i = 2; i < argc; ++i) {
        if (option == argv[i])
            return true;
    }
    return false;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s FILE [--shown] [--plain]\n", argv[0]);
        return 2;
    }
    // As the main program does, unless the run asks to measure without it.
    if (!std::getenv("DRAVIK_SMALL_PAGES"))
        common::LargePages::preferInMalloc(argv);
    const bool shownFirst = hasOption(argc, argv, "--shown");
    const bool plain = hasOption(argc, argv, "--plain");
    const bool whole = plain || hasOption(argc, argv, "--text");
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    int qtArgc = 1;
    QApplication app(qtArgc, argv);

    dravik::controls::ListTextEdit list;
    QPlainTextEdit before;
    before.setLineWrapMode(QPlainTextEdit::NoWrap);
    QPlainTextEdit& view = plain ? before : list;
    view.setReadOnly(true);
    view.setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    view.setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    view.resize(900, 600);
    PaintCounter counter;
    view.viewport()->installEventFilter(&counter);
    for (auto* area : view.findChildren<QAbstractScrollArea*>())
        area->viewport()->installEventFilter(&counter);
    if (shownFirst) {
        view.show();
        QApplication::processEvents();
        counter.paints = 0;
    }

    QElapsedTimer clock;
    clock.start();
    QString text;
    qint64 loaded = 0;
    try {
        if (whole)
            text = common::ListText::load(argv[1]);
        loaded = clock.nsecsElapsed();
        if (plain)
            view.setPlainText(text);
        else if (whole)
            list.setListText(std::move(text));
        else
            list.showListFile(argv[1]);
    } catch (const common::Error& error) {
        std::fprintf(stderr, "load failed: %s\n", error.what());
        return 1;
    }
    const qint64 set = clock.nsecsElapsed();
    view.show();
    QApplication::processEvents();
    if (counter.paints == 0)
        view.repaint(); // the platform sent no expose: paint now
    const qint64 painted = clock.nsecsElapsed();
    const int lines = plain ? view.blockCount() : list.lineCount();

    for (int i = 2; i + 1 < argc && !plain; ++i) {
        if (std::string_view(argv[i]) != "--find")
            continue;
        const qint64 started = clock.nsecsElapsed();
        const qint64 at = list.findWord(QString::fromUtf8(argv[i + 1]), 0);
        std::printf("find %.3f s  at %lld\n", seconds(clock.nsecsElapsed() - started),
                    static_cast<long long>(at));
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("%.3f s  load %.3f  set text %.3f  show+paint %.3f  lines %d  blocks %d  "
                "paints %d  peak RSS %ld KiB\n",
                seconds(painted), seconds(loaded), seconds(set - loaded), seconds(painted - set),
                lines, view.document()->blockCount(), counter.paints, usage.ru_maxrss);
    return counter.paints > 0 ? 0 : 1;
}
