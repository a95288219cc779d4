#include "splitter/split_engine.h"

#include "common/error.h"
#include "common/line_reader.h"
#include "common/testing/temp_folder.h"
#include "splitter/done_list.h"
#include "splitter/split_observer.h"
#include "splitter/splitter_settings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>

using common::testing::TempFolder;
using splitter::DoneList;
using splitter::SplitEngine;
using splitter::SplitFolders;
using splitter::SplitterSettings;

namespace {
const std::string Deg = "\xC2\xB0";
const std::string Pad = std::string(15, ' ');

// Keeps the run log the way the window shows it.
class LogObserver : public splitter::SplitObserver {
public:
    void runStarted() override { log.clear(); }
    void logTop(const QString& line) override { log.prepend(line); }
    void removeTopLog() override { log.removeFirst(); }
    void logBottom(const QString& line) override { log.append(line); }
    void discStarted(const QString& disc) override {
        if (onDiscStarted)
            onDiscStarted(disc);
    }
    void rewriting(int index) override {
        if (onRewriting)
            onRewriting(index);
    }
    void discFinished() override {
        if (stopAtDiscEnd && engine)
            engine->requestStop();
    }
    void record() override {
        if (stopAfter > 0 && ++records == stopAfter && engine)
            engine->requestStop();
    }
    QStringList log;
    std::function<void(const QString&)> onDiscStarted;
    std::function<void(int)> onRewriting;
    int stopAfter = 0;
    bool stopAtDiscEnd = false;
    int records = 0;
    SplitEngine* engine = nullptr;
};

std::string catalogueLine(const std::string& folder, const std::string& name) {
    return "\"" + folder + "\",\"" + name + "\"\r\n";
}

std::string lineFor(const std::string& name, const std::string& disc, const std::string& folder) {
    return name + " " + Deg + " " + Pad + " " + Deg + "* " + disc + " *" + Deg + " " + folder +
           " " + Deg + " \r\n";
}

class SplitEngineTest : public ::testing::Test {
protected:
    void SetUp() override {
        settings.setDataPath(QString::fromStdString(data.path().string()));
        settings.setBusyDisc(QString());
        folders = SplitFolders(settings.dataPath());
        folders.createOutput();
        done = std::make_unique<DoneList>(folders.doneList());
        done->load();
    }

    SplitEngine::Outcome run(const QStringList& names,
                             SplitEngine::WhenDone when = SplitEngine::WhenDone::Skip) {
        std::vector<splitter::ListedFile> entries;
        for (const QString& name : names)
            entries.push_back({name.toStdString(), name});
        return runFiles(entries, when);
    }

    SplitEngine::Outcome runFiles(const std::vector<splitter::ListedFile>& entries,
                                  SplitEngine::WhenDone when = SplitEngine::WhenDone::Skip) {
        SplitEngine engine(folders, *done, settings, observer);
        observer.engine = &engine;
        const auto outcome = engine.run(entries, when);
        observer.engine = nullptr;
        return outcome;
    }

    // A catalogue list of `count` files f0.txt, f1.txt, ... in the root.
    void writeTextFiles(const std::string& list, int count) const {
        std::string lines;
        for (int n = 0; n < count; ++n)
            lines += catalogueLine("E:\\", "f" + std::to_string(n) + ".txt");
        data.write(list, lines + std::to_string(count) + " files :  folders\r\n");
    }

    std::string output(const std::string& name) const {
        return TempFolder::read(folders.output() / name);
    }

    // Every line of every extension file, counted.
    std::map<std::string, int> allLines() const {
        std::map<std::string, int> lines;
        for (const auto& file : SplitFolders::listFiles(folders.output()))
            for (const auto& line : common::LineReader::readAll(folders.output() / file.bytes))
                ++lines[file.bytes + ": " + line];
        return lines;
    }

    TempFolder data;
    SplitterSettings settings;
    SplitFolders folders;
    std::unique_ptr<DoneList> done;
    LogObserver observer;
};
} // namespace

TEST_F(SplitEngineTest, SplitsACatalogueListOneLinePerFile) {
    data.write("Holiday.rtf", catalogueLine("E:\\", "autorun.inf") +
                                  catalogueLine("E:\\Photos\\2009\\", "img_001.jpg") +
                                  catalogueLine("E:\\Photos\\2009\\", "img_002.JPG") +
                                  catalogueLine("E:\\Docs\\", "readme") +
                                  "4 files : 3 folders\r\n");
    EXPECT_EQ(run({"Holiday.rtf"}), SplitEngine::Outcome::Finished);
    EXPECT_EQ(output("INF.rtf"), lineFor("autorun.inf", "Holiday", "E:\\"));
    EXPECT_EQ(output("JPG.rtf"), lineFor("img_001.jpg", "Holiday", "\\Photos\\2009\\") +
                                     lineFor("img_002.JPG", "Holiday", "\\Photos\\2009\\"));
    EXPECT_EQ(output("OTHER.rtf"), lineFor("readme", "Holiday", "\\Docs\\"));
    EXPECT_EQ(SplitFolders::listFiles(folders.output()).size(), 3u);
    EXPECT_EQ(TempFolder::read(folders.doneList()), "Holiday\r\n");
    EXPECT_EQ(observer.log, QStringList({"FINISHED", "Holiday...done"}));
    EXPECT_TRUE(settings.busyDisc().isEmpty());
}

TEST_F(SplitEngineTest, SplitsAStampedList) {
    data.write("Old.rtf", "\"12/05/2009 10:15:22 PM 1234567\",\"E:\\Music\\\",\"song.mp3\"\r\n");
    run({"Old.rtf"});
    EXPECT_EQ(output("MP3.rtf"), "song.mp3 " + Deg + "       1,234,567 " + Deg + "* Old *" + Deg +
                                     " \\Music\\ " + Deg + " 12/05/2009 10:15:22 PM\r\n");
}

TEST_F(SplitEngineTest, ADoneDiscIsNotSplitAgain) {
    data.write("A.rtf", catalogueLine("E:\\", "a.txt") + "1 files :  folders\r\n");
    run({"A.rtf"});
    const auto before = allLines();
    run({"a.rtf"}); // the same disc in other letters
    EXPECT_EQ(allLines(), before);
    EXPECT_EQ(observer.log, QStringList({"FINISHED", "a NOT again??...was done!!"}));
    EXPECT_EQ(TempFolder::read(folders.doneList()), "A\r\n");
}

TEST_F(SplitEngineTest, DeleteTakesTheDiscOutOfEveryFileAndTheDoneList) {
    data.write("A.rtf", catalogueLine("E:\\", "a.txt") + catalogueLine("E:\\x\\", "b.jpg") +
                            "2 files : 1 folders\r\n");
    data.write("B.rtf", catalogueLine("F:\\", "c.txt") + "1 files :  folders\r\n");
    run({"A.rtf", "B.rtf"});
    run({"A.rtf"}, SplitEngine::WhenDone::Delete);
    EXPECT_EQ(output("TXT.rtf"), lineFor("c.txt", "B", "F:\\"));
    EXPECT_EQ(output("JPG.rtf"), "");
    EXPECT_EQ(TempFolder::read(folders.doneList()), "B\r\n");
    EXPECT_EQ(done->names(), QStringList({"B"}));
    EXPECT_EQ(observer.log, QStringList({"FINISHED", "A DELETE...done", "A DELETE started..."}));
    // No work file is left behind.
    for (const auto& entry : std::filesystem::directory_iterator(folders.output()))
        EXPECT_EQ(entry.path().extension(), ".rtf") << entry.path();
}

TEST_F(SplitEngineTest, RedoAfterOtherDiscsOfTheSameRunLeavesEachRecordOnce) {
    data.write("A.rtf", catalogueLine("E:\\", "a.txt") + catalogueLine("E:\\x\\", "b.jpg") +
                            "2 files : 1 folders\r\n");
    data.write("B.rtf", catalogueLine("F:\\", "c.txt") + catalogueLine("F:\\y\\", "d.png") +
                            "2 files : 1 folders\r\n");
    run({"A.rtf"});
    // B is split first and holds TXT.rtf open when A is redone; A also brings a new extension
    // file that did not exist when the run started.
    data.write("A.rtf", catalogueLine("E:\\", "a.txt") + catalogueLine("E:\\x\\", "b.jpg") +
                            catalogueLine("E:\\x\\", "e.gif") + "3 files : 1 folders\r\n");
    run({"B.rtf"}); // B done
    run({"A.rtf", "B.rtf"}, SplitEngine::WhenDone::Redo);
    run({"A.rtf", "B.rtf"}, SplitEngine::WhenDone::Redo);
    const auto lines = allLines();
    EXPECT_EQ(lines.size(), 5u);
    for (const auto& [line, count] : lines)
        EXPECT_EQ(count, 1) << line;
    EXPECT_EQ(output("TXT.rtf"), lineFor("a.txt", "A", "E:\\") + lineFor("c.txt", "B", "F:\\"));
    EXPECT_EQ(TempFolder::read(folders.doneList()), "A\r\nB\r\n");
    EXPECT_EQ(observer.log,
              QStringList({"FINISHED", "B...done", "B ReDo started...", "B DELETE...done",
                           "B ReDo activated", "A...done", "A ReDo started...", "A DELETE...done",
                           "A ReDo activated"}));
}

TEST_F(SplitEngineTest, RedoOfADiscSplitEarlierInTheSameRun) {
    data.write("A.rtf", catalogueLine("E:\\", "a.txt") + "1 files :  folders\r\n");
    data.write("B.rtf", catalogueLine("F:\\", "b.txt") + "1 files :  folders\r\n");
    run({"A.rtf"});
    // Split B and then redo A while TXT.rtf holds B's buffered line.
    run({"B.rtf", "A.rtf"}, SplitEngine::WhenDone::Redo);
    EXPECT_EQ(output("TXT.rtf"), lineFor("b.txt", "B", "F:\\") + lineFor("a.txt", "A", "E:\\"));
}

TEST_F(SplitEngineTest, ManyExtensionsInOneRunLoseNoLine) {
    std::string list;
    const int extensions = 620;
    for (int round = 0; round < 3; ++round)
        for (int n = 0; n < extensions; ++n)
            list += catalogueLine("E:\\r" + std::to_string(round) + "\\",
                                  "f.X" + std::to_string(100 + n));
    list += "1,860 files : 3 folders\r\n";
    data.write("Many.rtf", list);
    run({"Many.rtf"});
    EXPECT_EQ(SplitFolders::listFiles(folders.output()).size(), std::size_t(extensions));
    for (int n = 0; n < extensions; ++n) {
        const std::string name = "f.X" + std::to_string(100 + n);
        std::string expected;
        for (int round = 0; round < 3; ++round)
            expected += lineFor(name, "Many", "\\r" + std::to_string(round) + "\\");
        ASSERT_EQ(output("X" + std::to_string(100 + n) + ".rtf"), expected) << n;
    }
}

TEST_F(SplitEngineTest, AnInterruptedRunKeepsTheBusyMarkerAndWhatWasFinished) {
    data.write("A.rtf", catalogueLine("E:\\", "a.txt") + "1 files :  folders\r\n");
    writeTextFiles("B.rtf", 100);
    observer.stopAfter = 50;
    EXPECT_EQ(run({"A.rtf", "B.rtf"}), SplitEngine::Outcome::Stopped);
    EXPECT_EQ(settings.busyDisc(), "B");
    EXPECT_EQ(TempFolder::read(folders.doneList()), "A\r\n");
    // What was split of B reached its file: the user can delete it.
    const auto lines = common::LineReader::readAll(folders.output() / "TXT.rtf");
    EXPECT_GE(lines.size(), 2u);
}

TEST_F(SplitEngineTest, AFailureIsReportedWithItsNumber) {
    data.write("A.rtf", catalogueLine("E:\\", "a.txt") + "1 files :  folders\r\n");
    std::filesystem::remove(folders.output());
    data.write("TheShards-13", "not a folder");
    try {
        run({"A.rtf"});
        FAIL() << "no failure";
    } catch (const common::Error& e) {
        EXPECT_EQ(e.number(), common::ErrorNumber::PathNotFound);
    }
    EXPECT_EQ(settings.busyDisc(), "A");
}

TEST_F(SplitEngineTest, AMissingListIsFileNotFound) {
    try {
        run({"Gone.rtf"});
        FAIL() << "no failure";
    } catch (const common::Error& e) {
        EXPECT_EQ(e.number(), common::ErrorNumber::FileNotFound);
    }
}

TEST_F(SplitEngineTest, AStopBetweenDiscsLeavesNothingToWarnAbout) {
    data.write("A.rtf", catalogueLine("E:\\", "a.txt") + "1 files :  folders\r\n");
    data.write("B.rtf", catalogueLine("E:\\", "b.txt") + "1 files :  folders\r\n");
    observer.stopAtDiscEnd = true;
    EXPECT_EQ(run({"A.rtf", "B.rtf"}), SplitEngine::Outcome::Stopped);
    EXPECT_TRUE(settings.busyDisc().isEmpty());
    EXPECT_EQ(TempFolder::read(folders.doneList()), "A\r\n");
    EXPECT_EQ(output("TXT.rtf"), lineFor("a.txt", "A", "E:\\"));
}

TEST_F(SplitEngineTest, ACutDiscIsCleanedBeforeItIsSplitAgain) {
    writeTextFiles("B.rtf", 100);
    observer.stopAfter = 40;
    EXPECT_EQ(run({"B.rtf"}), SplitEngine::Outcome::Stopped);
    EXPECT_EQ(common::LineReader::readAll(folders.output() / "TXT.rtf").size(), 40u);
    observer.stopAfter = 0;
    run({"B.rtf"}); // the busy marker names B
    EXPECT_EQ(common::LineReader::readAll(folders.output() / "TXT.rtf").size(), 100u);
    EXPECT_EQ(observer.log,
              QStringList({"FINISHED", "B...done", "B DELETE...done", "B DELETE started..."}));
    EXPECT_TRUE(settings.busyDisc().isEmpty());
}

TEST_F(SplitEngineTest, DeleteOfACutDiscOnlyTakesItsLeftoversOut) {
    writeTextFiles("B.rtf", 100);
    data.write("A.rtf", catalogueLine("E:\\", "a.txt") + "1 files :  folders\r\n");
    run({"A.rtf"});
    observer.stopAfter = 40;
    run({"B.rtf"});
    observer.stopAfter = 0;
    run({"B.rtf"}, SplitEngine::WhenDone::Delete); // the busy marker names B
    EXPECT_EQ(output("TXT.rtf"), lineFor("a.txt", "A", "E:\\"));
    EXPECT_EQ(TempFolder::read(folders.doneList()), "A\r\n");
    EXPECT_TRUE(settings.busyDisc().isEmpty());
}

TEST_F(SplitEngineTest, EachDiscIsWrittenOutAndDoneBeforeTheNextOneBegins) {
    data.write("A.rtf", catalogueLine("E:\\", "a.txt") + "1 files :  folders\r\n");
    data.write("B.rtf", catalogueLine("F:\\", "b.txt") + "1 files :  folders\r\n");
    // What a kill at the start of B would leave: A whole, and nothing to clean up.
    std::string doneAtB, linesAtB;
    QString cutAtB = "?";
    observer.onDiscStarted = [&](const QString& disc) {
        if (disc != "B")
            return;
        doneAtB = TempFolder::read(folders.doneList());
        linesAtB = output("TXT.rtf");
        DoneList onDisk(folders.doneList());
        onDisk.load();
        cutAtB = SplitEngine::cutDisc(settings, onDisk);
    };
    run({"A.rtf", "B.rtf"});
    EXPECT_EQ(doneAtB, "A\r\n");
    EXPECT_EQ(linesAtB, lineFor("a.txt", "A", "E:\\"));
    EXPECT_TRUE(cutAtB.isEmpty());

    // A deletion names its disc in the busy marker and leaves the done list before the first
    // extension file is rewritten: a kill from then on makes the disc one to clean up.
    QString busyAtRewrite, cutAtRewrite;
    std::string doneAtRewrite;
    observer.onDiscStarted = nullptr;
    observer.onRewriting = [&](int) {
        busyAtRewrite = settings.busyDisc();
        doneAtRewrite = TempFolder::read(folders.doneList());
        DoneList onDisk(folders.doneList());
        onDisk.load();
        cutAtRewrite = SplitEngine::cutDisc(settings, onDisk);
    };
    run({"A.rtf"}, SplitEngine::WhenDone::Delete);
    EXPECT_EQ(busyAtRewrite, "A");
    EXPECT_EQ(doneAtRewrite, "B\r\n");
    EXPECT_EQ(cutAtRewrite, "A");
    EXPECT_TRUE(settings.busyDisc().isEmpty());
}

TEST_F(SplitEngineTest, DeleteAndRedoFindADiscWhoseListChangedOnlyInLetterCase) {
    data.write("Holiday.rtf", catalogueLine("E:\\", "a.txt") + catalogueLine("E:\\x\\", "b.jpg") +
                                  "2 files : 1 folders\r\n");
    data.write("B.rtf", catalogueLine("F:\\", "c.txt") + "1 files :  folders\r\n");
    run({"Holiday.rtf", "B.rtf"});
    std::filesystem::rename(data / "Holiday.rtf", data / "HOLIDAY.rtf");
    run({"HOLIDAY.rtf"}, SplitEngine::WhenDone::Redo);
    EXPECT_EQ(output("TXT.rtf"),
              lineFor("c.txt", "B", "F:\\") + lineFor("a.txt", "HOLIDAY", "E:\\"));
    EXPECT_EQ(output("JPG.rtf"), lineFor("b.jpg", "HOLIDAY", "\\x\\"));
    EXPECT_EQ(TempFolder::read(folders.doneList()), "B\r\nHOLIDAY\r\n");

    std::filesystem::rename(data / "HOLIDAY.rtf", data / "holiday.rtf");
    run({"holiday.rtf"}, SplitEngine::WhenDone::Delete);
    EXPECT_EQ(output("TXT.rtf"), lineFor("c.txt", "B", "F:\\"));
    EXPECT_EQ(output("JPG.rtf"), "");
    EXPECT_EQ(TempFolder::read(folders.doneList()), "B\r\n");
}

TEST_F(SplitEngineTest, AListWhoseNameIsNotUtf8IsOpenedByItsOwnBytes) {
    data.write("D\xe9mo.rtf", catalogueLine("E:\\", "a.txt") + "1 files :  folders\r\n");
    const auto files = SplitFolders::listFiles(folders.data());
    ASSERT_EQ(files.size(), 1u);
    EXPECT_EQ(files[0].bytes, "D\xe9mo.rtf");
    EXPECT_EQ(files[0].shown, QString::fromUtf8("D\xc3\xa9mo.rtf"));
    EXPECT_EQ(runFiles(files), SplitEngine::Outcome::Finished);
    EXPECT_EQ(output("TXT.rtf"), lineFor("a.txt", "D\xc3\xa9mo", "E:\\"));
    EXPECT_EQ(TempFolder::read(folders.doneList()), "D\xc3\xa9mo\r\n");
    EXPECT_TRUE(settings.busyDisc().isEmpty());
}

TEST_F(SplitEngineTest, ACutDiscIsTakenOutFirstWhateverDiscsAreChosen) {
    writeTextFiles("B.rtf", 100);
    data.write("A.rtf", catalogueLine("E:\\", "a.txt") + "1 files :  folders\r\n");
    observer.stopAfter = 40;
    EXPECT_EQ(run({"B.rtf"}), SplitEngine::Outcome::Stopped);
    observer.stopAfter = 0;
    // Another disc: the marker is about to name it, so B's leftovers must go now.
    run({"A.rtf"});
    EXPECT_EQ(output("TXT.rtf"), lineFor("a.txt", "A", "E:\\"));
    EXPECT_EQ(observer.log,
              QStringList({"FINISHED", "A...done", "B DELETE...done", "B DELETE started..."}));
    EXPECT_TRUE(settings.busyDisc().isEmpty());
    EXPECT_EQ(TempFolder::read(folders.doneList()), "A\r\n");
}

TEST_F(SplitEngineTest, AHalfLineLeftByAKilledRunIsCutOffBeforeAppending) {
    data.write("A.rtf", catalogueLine("E:\\", "a.txt") + "1 files :  folders\r\n");
    const std::string whole = lineFor("old.txt", "Old", "E:\\");
    data.write("TheShards-13/TXT.rtf", whole + "f12.txt " + Deg + "   ");
    run({"A.rtf"});
    EXPECT_EQ(output("TXT.rtf"), whole + lineFor("a.txt", "A", "E:\\"));
}
