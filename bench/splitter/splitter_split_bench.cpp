// Runs the splitter core over every disc list of a data folder, as "Start Split" with all discs
// chosen does, without a window, and prints the time it took.
// Usage: splitter_split_bench DATA_FOLDER
#include "common/error.h"
#include "common/open_file_limit.h"
#include "splitter/done_list.h"
#include "splitter/split_engine.h"
#include "splitter/split_observer.h"
#include "splitter/splitter_settings.h"

#include <QCoreApplication>

#include <chrono>
#include <cstdio>

int main(int argc, char** argv) {
    common::OpenFileLimit::raiseToHard(); // as the splitter does at start
    QCoreApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s DATA_FOLDER\n", argv[0]);
        return 2;
    }
    const splitter::SplitFolders folders(QString::fromLocal8Bit(argv[1]));
    folders.createOutput();
    splitter::DoneList done(folders.doneList());
    splitter::SplitterSettings settings;
    splitter::SplitObserver quiet;
    const auto start = std::chrono::steady_clock::now();
    try {
        done.load();
        splitter::SplitEngine engine(folders, done, settings, quiet);
        engine.run(splitter::SplitFolders::listFiles(folders.data()),
                   splitter::SplitEngine::WhenDone::Skip);
    } catch (const common::Error& e) {
        std::fprintf(stderr, "Error: %d %s\n", e.number(), e.what());
        return 1;
    }
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    std::printf("%.3f\n", took.count());
    return 0;
}
