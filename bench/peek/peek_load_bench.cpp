// Times Peek's start steps on one file: load with the caption counting up, then the first full
// paint; reports peak memory against the file's size and the longest time the window went
// without handling events. With --engine, times the loader alone, without a window.
// Usage: peek_load_bench [--engine] FILE
#include "common/line_store.h"
#include "common/ui/dialogs.h"
#include "peek/line_list_model.h"
#include "peek/list_loader.h"
#include "peek/peek_window.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string_view>
#include <sys/resource.h>

namespace {

long peakRssKiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

} // namespace

int loadEngineOnly(const char* file) {
    QElapsedTimer clock;
    clock.start();
    common::LineStore store;
    peek::ListLoader loader(file);
    const std::size_t lines = loader.load(store, [](std::size_t) { return true; });
    std::printf("engine load     %lld ms, %zu lines, peak RSS %.1f MiB\n",
                static_cast<long long>(clock.elapsed()), lines, peakRssKiB() / 1024.0);
    return 0;
}

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s [--engine] FILE\n", argv[0]);
        return 2;
    }
    if (argc > 2 && std::string_view(argv[1]) == "--engine")
        return loadEngineOnly(argv[2]);
    if (!std::getenv("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    int qtArgc = 1;
    QApplication app(qtArgc, argv);
    const std::filesystem::path file = argv[1];
    const double fileMiB = static_cast<double>(std::filesystem::file_size(file)) / (1 << 20);

    common::ui::QtDialogs dialogs;
    peek::PeekWindow window(dialogs, file);
    const long idleKiB = peakRssKiB();

    // A ticking timer shows how long the window goes without handling events while it loads.
    QElapsedTimer clock;
    QElapsedTimer sinceTick;
    qint64 longestGap = 0;
    QTimer ticker;
    ticker.setInterval(1);
    QObject::connect(&ticker, &QTimer::timeout,
                     [&] { longestGap = std::max(longestGap, sinceTick.restart()); });

    clock.start();
    sinceTick.start();
    ticker.start();
    const auto status = window.start();
    const qint64 loadMs = clock.elapsed();
    ticker.stop();
    if (status)
        return *status;
    QApplication::processEvents();
    window.repaint();
    const qint64 totalMs = clock.elapsed();
    const long peakKiB = peakRssKiB();

    std::printf("file            %.1f MiB, %d lines\n", fileMiB, window.model().rowCount());
    std::printf("caption         %s\n", window.windowTitle().toLocal8Bit().constData());
    std::printf("load            %lld ms\n", static_cast<long long>(loadMs));
    std::printf("load + paint    %lld ms\n", static_cast<long long>(totalMs));
    std::printf("longest gap     %lld ms without events while loading\n",
                static_cast<long long>(longestGap));
    std::printf("peak RSS        %.1f MiB (%.2fx the file; %.1f MiB before loading)\n",
                peakKiB / 1024.0, peakKiB / 1024.0 / fileMiB, idleKiB / 1024.0);
    return 0;
}
