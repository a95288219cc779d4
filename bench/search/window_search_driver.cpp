// Runs the global search through the main window as a user does (words in the find box, "Find
// Global", "Select ALL", "START") over every disc of DK.tex, and the same search with the matcher
// alone in the same process. Prints both times, their ratio, the paint events of the window while
// it searched, and with --stop-after MS how long after a press on "STOP" the search came to rest.
// Usage: window_search_driver DATA WORDS [--stop-after MS]
#include "common/drive_table.h"
#include "common/item_reader.h"
#include "common/large_pages.h"
#include "common/settings_store.h"
#include "common/ui/dialogs.h"
#include "dravik/search/result_rows.h"
#include "dravik/search/search_matcher.h"
#include "dravik/search/word_list.h"
#include "dravik/window/main_window.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QMap>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <ctime>
#include <optional>

namespace {

// Answers every box as a user in a hurry does; notes when the search asks to save its report.
class HurriedUser : public common::ui::Dialogs {
public:
    QElapsedTimer* clock = nullptr;
    qint64 askedToSave = -1;

    int message(const QString&, const QString&, common::ui::Buttons, common::ui::Icon) override {
        return common::ui::Answer::No;
    }
    std::optional<QString> input(const QString&, const QString&, const QString&) override {
        return std::nullopt;
    }
    std::optional<int> panelAnswer(const QString& heading, const QString&, common::ui::Buttons,
                                   common::ui::Icon) override {
        if (heading == QStringLiteral("Saving Search Report"))
            askedToSave = clock->nsecsElapsed();
        return common::ui::Answer::No;
    }
};

struct Painted : QObject {
    int paints = 0;
    QMap<QString, int> by;
    bool eventFilter(QObject* o, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            ++paints;
            by[o->objectName() + "/" + o->metaObject()->className()]++;
        }
        return false;
    }
};

struct KeepRows : dravik::search::SearchObserver {
    dravik::search::ResultRows rows;
    void rowFound(std::string_view row, const dravik::search::SearchProgress&) override {
        rows.add(row);
    }
};

// CPU seconds of this process: a busy machine stretches the wall clock, not these.
double cpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

double matcherCpu = 0;

double matcherAlone(const char* data, const QString& words) {
    dravik::search::SearchRequest request;
    request.dataFolder = data;
    request.words = dravik::search::WordList::split(words);
    for (const auto& disc : common::ItemReader::readAll(request.dataFolder / "DK.tex"))
        request.sources << QString::fromStdString(disc);
    KeepRows rows;
    QElapsedTimer clock;
    const double cpu = cpuSeconds();
    clock.start();
    dravik::search::SearchMatcher(request).run(rows);
    matcherCpu = cpuSeconds() - cpu;
    return static_cast<double>(clock.nsecsElapsed()) / 1e9;
}

template <typename T> T* child(QWidget& window, const char* name) {
    return window.findChild<T*>(QString::fromLatin1(name));
}

} // namespace

int main(int argc, char** argv) {
    common::LargePages::preferInMalloc(argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s DATA WORDS [--stop-after MS]\n", argv[0]);
        return 2;
    }
    const int stopAfter =
        argc > 4 && std::string_view(argv[3]) == "--stop-after" ? std::atoi(argv[4]) : -1;
    if (!getenv("QT_QPA_PLATFORM") && !getenv("DISPLAY"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QTemporaryDir work;
    setenv("DRAVIK_SETTINGS_DIR", work.filePath("settings").toLocal8Bit().constData(), 1);
    setenv("DRAVIK_PROGRAM_DIR", work.path().toLocal8Bit().constData(), 1);
    int qtArgc = 1;
    QApplication app(qtArgc, argv);
    common::SettingsStore(QStringLiteral("DRAVIK 2016"))
        .setValue(QStringLiteral("Form_Load"), QStringLiteral("Def DPath"),
                  QString::fromLocal8Bit(argv[1]));
    const QString words = QString::fromUtf8(argv[2]);
    const double alone = matcherAlone(argv[1], words);

    HurriedUser user;
    common::DriveTable drives;
    drives.set('C', work.path().toStdString());
    dravik::window::MainWindow window(user, drives);
    window.load({});
    child<QComboBox>(window, "FTex")->setEditText(words);
    child<QAbstractButton>(window, "GCom_4")->click();
    child<QAbstractButton>(window, "SoekCom_1")->click();
    Painted painted;
    app.installEventFilter(&painted);
    QElapsedTimer clock;
    user.clock = &clock;
    qint64 stopPressed = -1;
    qint64 cameToRest = -1;
    if (stopAfter >= 0) {
        QTimer::singleShot(stopAfter, [&] {
            stopPressed = clock.nsecsElapsed();
            child<QAbstractButton>(window, "GCom_4")->click();
        });
    }
    // The end phase's first words: the search has come to rest.
    auto* poll = new QTimer(&window);
    QObject::connect(poll, &QTimer::timeout, [&] {
        if (cameToRest < 0 &&
            child<QLabel>(window, "LaB")->text() == QStringLiteral("Loading Quick-Report data"))
            cameToRest = clock.nsecsElapsed();
    });
    poll->start(1);
    const double cpu = cpuSeconds();
    clock.start();
    child<QAbstractButton>(window, "SoekCom_3")->click();
    const double total = static_cast<double>(clock.nsecsElapsed()) / 1e9;
    const double windowCpu = cpuSeconds() - cpu;
    const double searched = static_cast<double>(user.askedToSave) / 1e9;
    const double search = static_cast<double>(cameToRest) / 1e9;
    std::printf("matcher alone %.3f s; window: search %.3f s (ratio %.2f), with the end phase "
                "%.3f s (ratio %.2f), until idle %.3f s; %s rows; %d paint events\n",
                alone, search, search / alone, searched, searched / alone, total,
                child<QLabel>(window, "LinkTel")->text().toLocal8Bit().constData(), painted.paints);
    std::printf("cpu: matcher alone %.3f s, window (search, end phase, idle) %.3f s, ratio %.2f\n",
                matcherCpu, windowCpu, windowCpu / matcherCpu);
    if (getenv("PAINTS"))
        for (auto it = painted.by.begin(); it != painted.by.end(); ++it)
            std::printf("  %s %d\n", it.key().toLocal8Bit().constData(), it.value());
    if (stopAfter >= 0)
        std::printf("stop pressed at %.3f s, at rest %.1f ms later\n",
                    static_cast<double>(stopPressed) / 1e9,
                    static_cast<double>(cameToRest - stopPressed) / 1e6);
    return 0;
}
