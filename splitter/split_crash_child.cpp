// The splitter's run without a window, for the tests that kill a run at random moments or start it
// with few open files: it does what "Start Split" does after the program's start, and exits 0 when
// the run finished, 1 with "Error: N" when it failed.
// Usage: splitter_crash_child DATA_FOLDER skip|delete|redo [LIST_FILE...]
// Without list files it takes every disc list of the data folder.
#include "common/code_page.h"
#include "common/error.h"
#include "common/open_file_limit.h"
#include "splitter/done_list.h"
#include "splitter/split_engine.h"
#include "splitter/split_observer.h"
#include "splitter/splitter_settings.h"

#include <QCoreApplication>

#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
    common::OpenFileLimit::raiseToHard();
    QCoreApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s DATA_FOLDER skip|delete|redo [LIST_FILE...]\n", argv[0]);
        return 2;
    }
    using WhenDone = splitter::SplitEngine::WhenDone;
    const WhenDone whenDone = std::strcmp(argv[2], "redo") == 0     ? WhenDone::Redo
                              : std::strcmp(argv[2], "delete") == 0 ? WhenDone::Delete
                                                                    : WhenDone::Skip;
    const splitter::SplitFolders folders(QString::fromLocal8Bit(argv[1]));
    std::vector<splitter::ListedFile> entries;
    for (int k = 3; k < argc; ++k)
        entries.push_back({argv[k], common::CodePage::decodeLine(argv[k])});
    if (entries.empty())
        entries = splitter::SplitFolders::listFiles(folders.data());
    try {
        folders.createOutput();
        splitter::DoneList done(folders.doneList());
        done.load();
        splitter::SplitterSettings settings;
        splitter::SplitObserver quiet;
        splitter::SplitEngine engine(folders, done, settings, quiet);
        engine.run(entries, whenDone);
    } catch (const common::Error& e) {
        std::printf("Error: %d\n", e.number());
        return 1;
    }
    return 0;
}
