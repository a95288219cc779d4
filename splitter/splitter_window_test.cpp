#include "splitter/splitter_window.h"

#include "common/file_lock.h"
#include "common/line_reader.h"
#include "common/settings_store.h"
#include "common/testing/scoped_variable.h"
#include "common/testing/scripted_dialogs.h"
#include "common/testing/temp_folder.h"
#include "common/text_writer.h"
#include "common/ui/drive_list_box.h"
#include "common/ui/folder_list_box.h"
#include "splitter/done_list.h"
#include "splitter/split_engine.h"
#include "splitter/split_observer.h"
#include "splitter/splitter_settings.h"
#include "splitter/start_argument.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <gtest/gtest.h>

using common::testing::ScriptedDialogs;
using common::testing::TempFolder;
using common::ui::Buttons;
using common::ui::Icon;
using splitter::SplitterWindow;

namespace {
std::string catalogueLine(const std::string& folder, const std::string& name) {
    return "\"" + folder + "\",\"" + name + "\"\r\n";
}

template <typename W> W* find(QWidget& window, const char* name) {
    W* w = window.findChild<W*>(QString::fromLatin1(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
}

class SplitterWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        settings.setDataPath(dataPath());
        settings.setBusyDisc(QString());
    }
    QString dataPath() const { return QString::fromStdString(data.path().string()) + "/"; }
    std::unique_ptr<SplitterWindow> open(const QString& startFolder = {}) {
        auto window = std::make_unique<SplitterWindow>(dialogs, common::DriveTable::fromSystem(),
                                                       startFolder);
        window->start();
        window->show();
        return window;
    }
    void click(QWidget* w) { QTest::mouseClick(w, Qt::LeftButton, {}, w->rect().center()); }

    TempFolder data;
    ScriptedDialogs dialogs;
    splitter::SplitterSettings settings;
};
} // namespace

TEST_F(SplitterWindowTest, ShowsEveryControl) {
    auto window = open();
    EXPECT_EQ(window->windowTitle(), "Zizovizi 2013");
    EXPECT_EQ(find<QLabel>(*window, "Label2")->text(), "Refresh the FileList");
    EXPECT_EQ(find<QPushButton>(*window, "ACoM")->text(), "Start Split");
    EXPECT_EQ(find<QCheckBox>(*window, "DeLte")->text(), "If disc exist, DELETE");
    EXPECT_EQ(find<QCheckBox>(*window, "ReDO")->text(), "If disc exist, REDO");
    EXPECT_EQ(find<QPushButton>(*window, "MSet")->text(), "Set DataPad");
    EXPECT_EQ(find<QGroupBox>(*window, "WySE")->title(), "Extentions");
    for (const char* name : {"DLyS", "FLyS", "iFO", "EL", "File1", "File2"})
        find<QListWidget>(*window, name);
    find<QLabel>(*window, "Wagter");
    find<QLabel>(*window, "WysP");
    EXPECT_TRUE(std::filesystem::is_directory(data / "TheShards-13"));
    EXPECT_TRUE(std::filesystem::is_regular_file(data / "DoneSplit.lys"));
}

TEST_F(SplitterWindowTest, TheTwoCheckBoxesClearEachOther) {
    auto window = open();
    auto* del = find<QCheckBox>(*window, "DeLte");
    auto* redo = find<QCheckBox>(*window, "ReDO");
    click(del);
    EXPECT_TRUE(del->isChecked());
    EXPECT_FALSE(redo->isChecked());
    click(redo);
    EXPECT_TRUE(redo->isChecked());
    EXPECT_FALSE(del->isChecked());
    click(del);
    EXPECT_TRUE(del->isChecked());
    EXPECT_FALSE(redo->isChecked());
    click(del);
    EXPECT_FALSE(del->isChecked());
    EXPECT_FALSE(redo->isChecked());
}

TEST_F(SplitterWindowTest, NothingSelectedSaysSo) {
    data.write("A.rtf", catalogueLine("E:\\", "a.txt") + "1 files :  folders\r\n");
    auto window = open();
    dialogs.expectMessage("", "No disc was selected", Buttons::Ok, Icon::None, 1);
    click(find<QPushButton>(*window, "ACoM"));
    EXPECT_TRUE(dialogs.allAnswered());
}

TEST_F(SplitterWindowTest, SplitsTheChosenDiscs) {
    data.write("A.rtf", catalogueLine("E:\\", "a.txt") + "1 files :  folders\r\n");
    data.write("B.rtf", catalogueLine("E:\\x\\", "b.jpg") + "1 files : 1 folders\r\n");
    data.write("C.rtf", catalogueLine("E:\\", "c.gif") + "1 files :  folders\r\n");
    data.write("notes.txt", "not a disc list");
    auto window = open();
    auto* discs = find<QListWidget>(*window, "DLyS");
    ASSERT_EQ(discs->count(), 3);
    EXPECT_EQ(discs->item(0)->text(), "A.rtf");
    discs->item(2)->setSelected(true);
    discs->item(0)->setSelected(true);
    EXPECT_EQ(find<QLabel>(*window, "Wagter")->text(), "...waiting...(2)");
    click(find<QPushButton>(*window, "ACoM"));
    EXPECT_EQ(find<QLabel>(*window, "Wagter")->text(), "FINISHED");
    EXPECT_EQ(find<QLabel>(*window, "WysP")->text(), "0");
    EXPECT_EQ(window->windowTitle(), "Zizovizi 2013");
    EXPECT_TRUE(discs->isEnabled());
    auto* done = find<QListWidget>(*window, "FLyS");
    ASSERT_EQ(done->count(), 2);
    EXPECT_EQ(done->item(0)->text(), "A");
    EXPECT_EQ(done->item(1)->text(), "C");
    auto* log = find<QListWidget>(*window, "iFO");
    ASSERT_EQ(log->count(), 3);
    EXPECT_EQ(log->item(0)->text(), "FINISHED");
    EXPECT_EQ(log->item(1)->text(), "C...done");
    EXPECT_EQ(log->item(2)->text(), "A...done");
    EXPECT_EQ(find<QListWidget>(*window, "EL")->item(0)->text(), "empty");
    EXPECT_TRUE(std::filesystem::exists(data / "TheShards-13" / "TXT.rtf"));
    EXPECT_TRUE(std::filesystem::exists(data / "TheShards-13" / "GIF.rtf"));
    EXPECT_FALSE(std::filesystem::exists(data / "TheShards-13" / "JPG.rtf"));
    EXPECT_EQ(TempFolder::read(data / "DoneSplit.lys"), "A\r\nC\r\n");
    EXPECT_EQ(find<QListWidget>(*window, "File2")->count(), 2);

    // The right button drops the choice.
    discs->item(1)->setSelected(true);
    QTest::mousePress(discs->viewport(), Qt::RightButton, {}, QPoint(5, 5));
    EXPECT_TRUE(discs->selectedItems().isEmpty());
}

TEST_F(SplitterWindowTest, RefreshReadsTheFolderAgain) {
    auto window = open();
    auto* discs = find<QListWidget>(*window, "DLyS");
    EXPECT_EQ(discs->count(), 0);
    data.write("New.rtf", " files :  folders\r\n");
    click(find<QLabel>(*window, "Label2"));
    ASSERT_EQ(discs->count(), 1);
    EXPECT_EQ(discs->item(0)->text(), "New.rtf");
}

TEST_F(SplitterWindowTest, WarnsAboutARunThatDidNotEnd) {
    std::string list;
    for (int n = 0; n < 200; ++n)
        list += catalogueLine("E:\\", "f" + std::to_string(n) + ".txt");
    data.write("Cut Disc.rtf", list + "200 files :  folders\r\n");
    {
        // A run that ends half-way, as when the program is stopped.
        struct Stopper : splitter::SplitObserver {
            splitter::SplitEngine* engine = nullptr;
            int seen = 0;
            void record() override {
                if (++seen == 20)
                    engine->requestStop();
            }
        } stopper;
        splitter::SplitFolders folders(dataPath());
        folders.createOutput();
        splitter::DoneList done(folders.doneList());
        done.load();
        splitter::SplitEngine engine(folders, done, settings, stopper);
        stopper.engine = &engine;
        EXPECT_EQ(
            engine.run({{"Cut Disc.rtf", "Cut Disc.rtf"}}, splitter::SplitEngine::WhenDone::Skip),
            splitter::SplitEngine::Outcome::Stopped);
    }
    dialogs.expectMessage("",
                          "I was busy with:\r\nCut Disc\r\n\r\nBest way to deal with this is to "
                          "DELETE the disc from the Extention lists.",
                          Buttons::Ok, Icon::None, 1);
    auto window = open();
    EXPECT_TRUE(dialogs.allAnswered());

    // Following the advice: DELETE takes what the cut run left out, and the next start is quiet.
    auto* discs = find<QListWidget>(*window, "DLyS");
    discs->item(0)->setSelected(true);
    click(find<QCheckBox>(*window, "DeLte"));
    click(find<QPushButton>(*window, "ACoM"));
    EXPECT_EQ(TempFolder::read(data / "TheShards-13" / "TXT.rtf"), "");
    EXPECT_TRUE(settings.busyDisc().isEmpty());
    EXPECT_EQ(find<QListWidget>(*window, "FLyS")->count(), 0);
    // Split now, it is there once.
    click(find<QCheckBox>(*window, "DeLte"));
    click(find<QPushButton>(*window, "ACoM"));
    EXPECT_EQ(common::LineReader::readAll(data / "TheShards-13" / "TXT.rtf").size(), 200u);
    window.reset();
    auto again = open(); // and no warning
}

TEST_F(SplitterWindowTest, AFailureIsReportedAndTheWindowStaysUsable) {
    data.write("A.rtf", catalogueLine("E:\\", "a.txt") + "1 files :  folders\r\n");
    auto window = open();
    std::filesystem::remove(data / "TheShards-13");
    data.write("TheShards-13", "in the way");
    auto* discs = find<QListWidget>(*window, "DLyS");
    discs->item(0)->setSelected(true);
    dialogs.expectMessage("", "Error: 76", Buttons::Ok, Icon::None, 1);
    click(find<QPushButton>(*window, "ACoM"));
    EXPECT_TRUE(dialogs.allAnswered());
    EXPECT_TRUE(discs->isEnabled());
    EXPECT_EQ(window->windowTitle(), "Zizovizi 2013");
    EXPECT_EQ(settings.busyDisc(), "A");

    // Once the way is clear the same window splits the disc.
    std::filesystem::remove(data / "TheShards-13");
    std::filesystem::create_directory(data / "TheShards-13");
    click(find<QPushButton>(*window, "ACoM"));
    EXPECT_EQ(find<QLabel>(*window, "Wagter")->text(), "FINISHED");
    EXPECT_TRUE(std::filesystem::exists(data / "TheShards-13" / "TXT.rtf"));
    EXPECT_TRUE(settings.busyDisc().isEmpty());
}

TEST_F(SplitterWindowTest, WithoutADataPathTheDialogOpensOnTheFolderDravikNamed) {
    settings.setDataPath(QString());
    data.write("Disc 1.rtf", catalogueLine("E:\\", "a.txt") + "1 files :  folders\r\n");
    QString shown;
    QTimer::singleShot(0, [&] {
        QWidget* dialog = QApplication::activeModalWidget();
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->windowTitle(), "Set DataPad");
        auto* dir = dialog->findChild<common::ui::FolderListBox*>("Dir1");
        ASSERT_NE(dir, nullptr);
        shown = QString::fromStdString(dir->path().string());
        auto* set = dialog->findChild<QPushButton*>("Command1");
        ASSERT_NE(set, nullptr);
        EXPECT_EQ(set->text(), "SET");
        set->click();
    });
    const QString argument = dataPath() + "Disc 1.rtf,Disc 1";
    auto window = open(splitter::StartArgument::dataFolder({argument}));
    EXPECT_EQ(shown + "/", dataPath());
    EXPECT_EQ(settings.dataPath(), dataPath());
    EXPECT_EQ(window->folders().dataPath(), dataPath());
    EXPECT_EQ(find<QListWidget>(*window, "DLyS")->count(), 1);
}

TEST_F(SplitterWindowTest, AMissingDataPathIsReportedOnce) {
    settings.setDataPath(dataPath() + "gone/");
    dialogs.expectMessage("", "Error: 76", Buttons::Ok, Icon::None, 1);
    auto window = open();
    EXPECT_TRUE(dialogs.allAnswered());
    EXPECT_EQ(find<QListWidget>(*window, "DLyS")->count(), 0);
    EXPECT_FALSE(std::filesystem::exists(data / "gone"));
}

TEST_F(SplitterWindowTest, ClosingDuringARunStopsItAsAnInterruptedRun) {
    std::string list;
    for (int n = 0; n < 2000; ++n)
        list += catalogueLine("E:\\", "f" + std::to_string(n) + ".txt");
    data.write("Big.rtf", list + "2,000 files :  folders\r\n");
    auto window = open();
    find<QListWidget>(*window, "DLyS")->item(0)->setSelected(true);
    // The close arrives at the run's first look at the window.
    QTest::qWait(20);
    QTimer::singleShot(0, window.get(), [&] { window->close(); });
    click(find<QPushButton>(*window, "ACoM"));
    EXPECT_FALSE(window->isVisible());
    EXPECT_FALSE(window->running());
    // Stopped before its first line: nothing was cut.
    EXPECT_TRUE(settings.busyDisc().isEmpty());
    EXPECT_EQ(TempFolder::read(data / "DoneSplit.lys"), "");
    EXPECT_FALSE(std::filesystem::exists(data / "TheShards-13" / "TXT.rtf"));
}

TEST_F(SplitterWindowTest, SetDataPadOpensAtTheDataPathAndMovesTheListsAlong) {
    data.write("A.rtf", catalogueLine("E:\\", "a.txt") + "1 files :  folders\r\n");
    data.write("other/B.rtf", catalogueLine("E:\\", "b.txt") + "1 files :  folders\r\n");
    data.write("other/C.rtf", catalogueLine("E:\\", "c.txt") + "1 files :  folders\r\n");
    auto window = open();
    EXPECT_EQ(find<QListWidget>(*window, "DLyS")->count(), 1);
    QString shown;
    QTimer::singleShot(0, [&] {
        QWidget* dialog = QApplication::activeModalWidget();
        ASSERT_NE(dialog, nullptr);
        auto* dir = dialog->findChild<common::ui::FolderListBox*>("Dir1");
        shown = QString::fromStdString(dir->path().string());
        dir->setPath(data / "other");
        dialog->findChild<QPushButton*>("Command1")->click();
    });
    click(find<QPushButton>(*window, "MSet"));
    EXPECT_EQ(shown + "/", dataPath());
    EXPECT_EQ(settings.dataPath(), dataPath() + "other/");
    EXPECT_EQ(find<QListWidget>(*window, "DLyS")->count(), 2);
    EXPECT_TRUE(std::filesystem::is_directory(data / "other" / "TheShards-13"));
}

TEST_F(SplitterWindowTest, AListWhoseNameIsNotUtf8IsShownDecodedAndSplit) {
    data.write("D\xe9mo.rtf", catalogueLine("E:\\", "a.txt") + "1 files :  folders\r\n");
    auto window = open();
    auto* discs = find<QListWidget>(*window, "DLyS");
    ASSERT_EQ(discs->count(), 1);
    EXPECT_EQ(discs->item(0)->text(), QString::fromUtf8("D\xc3\xa9mo.rtf"));
    discs->item(0)->setSelected(true);
    click(find<QPushButton>(*window, "ACoM"));
    EXPECT_EQ(find<QLabel>(*window, "Wagter")->text(), "FINISHED");
    EXPECT_EQ(TempFolder::read(data / "DoneSplit.lys"), "D\xc3\xa9mo\r\n");
    EXPECT_TRUE(settings.busyDisc().isEmpty());
}

TEST_F(SplitterWindowTest, ASettingsFileThatCannotBeReadLeavesTheDefaultsAndSaysSo) {
    // A folder where the settings file should be: every read fails.
    struct Blocked {
        std::filesystem::path file = common::SettingsStore(QStringLiteral("Shard13")).file();
        Blocked() {
            std::filesystem::remove(file);
            std::filesystem::create_directory(file);
        }
        ~Blocked() { std::filesystem::remove_all(file); }
    } blocked;
    data.write("A.rtf", catalogueLine("E:\\", "a.txt") + "1 files :  folders\r\n");
    // No data path is known: the dialog asks, opening where Dravik said; SET cannot keep it.
    QTimer::singleShot(0, [&] {
        QWidget* dialog = QApplication::activeModalWidget();
        ASSERT_NE(dialog, nullptr);
        dialog->findChild<QPushButton*>("Command1")->click();
    });
    dialogs.expectMessage("", "Error: 75", Buttons::Ok, Icon::None, 1);
    auto window = open(dataPath());
    EXPECT_TRUE(dialogs.allAnswered());
    auto* log = find<QListWidget>(*window, "iFO");
    ASSERT_EQ(log->count(), 1);
    EXPECT_TRUE(log->item(0)->text().startsWith("Settings could not be read, defaults used: "))
        << log->item(0)->text().toStdString();
    EXPECT_EQ(window->folders().dataPath(), dataPath());
    EXPECT_EQ(find<QListWidget>(*window, "DLyS")->count(), 1);
}

TEST_F(SplitterWindowTest, StaleTemporaryFilesOfItsFoldersGoAtStart) {
    const auto stale = data.write(".dravik-AbCd1234.new", "half a done list");
    const auto staleOut = data.write("TheShards-13/.dravik-EfGh5678.new", "half a JPG.rtf");
    const auto young = data.write("TheShards-13/.dravik-IjKl9012.new", "killed a moment ago");
    // Another program's rewrite, running now, holds its new file.
    common::TextWriter running(data / "TheShards-13" / "GIF.rtf",
                               common::TextWriter::Mode::Replace);
    running.line("a rewrite running now");
    running.flush();
    TempFolder::makeOlder(stale, std::chrono::minutes(5));
    TempFolder::makeOlder(staleOut, std::chrono::minutes(5));
    auto window = open();
    EXPECT_FALSE(std::filesystem::exists(stale));
    EXPECT_FALSE(std::filesystem::exists(staleOut));
    EXPECT_FALSE(std::filesystem::exists(young));
    running.commit();
    EXPECT_EQ(TempFolder::read(data / "TheShards-13" / "GIF.rtf"), "a rewrite running now\r\n");
}

TEST_F(SplitterWindowTest, ASecondSplitterOnTheSameDataPathSaysSoAndEnds) {
    auto first = open();
    splitter::SplitterWindow second(dialogs, common::DriveTable::fromSystem(), QString());
    dialogs.expectMessage("", "A splitter is already running on this data path:\r\n" + dataPath(),
                          Buttons::Ok, Icon::None, 1);
    EXPECT_EQ(second.start(), SplitterWindow::StartResult::AlreadyRunning);
    EXPECT_TRUE(dialogs.allAnswered());
    // Another spelling of the same folder is the same data path.
    data.makeFolder("elsewhere");
    std::filesystem::create_directory_symlink(data.path(), data / "elsewhere" / "link");
    settings.setDataPath(QString::fromStdString((data / "elsewhere" / "link").string()));
    splitter::SplitterWindow third(dialogs, common::DriveTable::fromSystem(), QString());
    dialogs.expectMessage("",
                          "A splitter is already running on this data path:\r\n" +
                              QString::fromStdString((data / "elsewhere" / "link").string()) + "/",
                          Buttons::Ok, Icon::None, 1);
    EXPECT_EQ(third.start(), SplitterWindow::StartResult::AlreadyRunning);
    // Once the first one is gone, the next one starts.
    first.reset();
    splitter::SplitterWindow fourth(dialogs, common::DriveTable::fromSystem(), QString());
    EXPECT_EQ(fourth.start(), SplitterWindow::StartResult::Ready);
    EXPECT_TRUE(dialogs.allAnswered());
}

TEST_F(SplitterWindowTest, StatusAndProgressLabelsGiveScreenReadersTheirText) {
    data.write("A.rtf", catalogueLine("E:\\", "a.txt") + "1 files :  folders\r\n");
    auto window = open();
    find<QListWidget>(*window, "DLyS")->item(0)->setSelected(true);
    click(find<QPushButton>(*window, "ACoM"));
    for (const char* name : {"Wagter", "WysP"}) {
        QLabel* label = find<QLabel>(*window, name);
        QAccessibleInterface* about = QAccessible::queryAccessibleInterface(label);
        ASSERT_NE(about, nullptr);
        EXPECT_FALSE(label->text().isEmpty());
        EXPECT_EQ(about->text(QAccessible::Name), label->text()) << name;
    }
}

TEST_F(SplitterWindowTest, StartedByDravikItShowsWithoutTakingTheFocus) {
    EXPECT_TRUE(splitter::StartArgument::fromMainProgram({dataPath() + "A.rtf,A"}));
    EXPECT_FALSE(splitter::StartArgument::fromMainProgram({}));
    auto window =
        std::make_unique<SplitterWindow>(dialogs, common::DriveTable::fromSystem(), dataPath());
    window->start();
    window->showWithoutTakingFocus();
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(window->testAttribute(Qt::WA_ShowWithoutActivating));
    ASSERT_NE(window->windowHandle(), nullptr);
    // What the window system is told: map the window without activating it.
    EXPECT_TRUE(window->windowHandle()->property("_q_showWithoutActivating").toBool());
}

TEST_F(SplitterWindowTest, ThePathDialogShowsTheDriveThatHoldsItsFolder) {
    data.makeFolder("disc/lists");
    const common::testing::ScopedVariable e("DRAVIK_DRIVE_E", (data / "disc").c_str());
    settings.setDataPath(QString::fromStdString((data / "disc" / "lists").string()));
    auto window = open();
    QString first, second, third;
    QTimer::singleShot(0, [&] {
        QWidget* dialog = QApplication::activeModalWidget();
        ASSERT_NE(dialog, nullptr);
        auto* drive = dialog->findChild<common::ui::DriveListBox*>("Drive1");
        auto* dir = dialog->findChild<common::ui::FolderListBox*>("Dir1");
        first = drive->currentText();
        dir->setPath(data / "disc"); // up to the root of E
        second = drive->currentText();
        dir->setPath(std::filesystem::path(qgetenv("HOME").toStdString()), "/");
        third = drive->currentText();
        dir->setPath(data / "disc" / "lists"); // back where it was: the data path stays
        dialog->close();
    });
    click(find<QPushButton>(*window, "MSet"));
    EXPECT_EQ(first, "e:");
    EXPECT_EQ(second, "e:");
    EXPECT_EQ(third, "c:"); // the home folder is drive c
}

TEST_F(SplitterWindowTest, AMarkerNamingADoneDiscNeedsNoWarning) {
    data.write("A.rtf", catalogueLine("E:\\", "a.txt") + "1 files :  folders\r\n");
    data.write("DoneSplit.lys", "A\r\n");
    settings.setBusyDisc("A"); // killed after A was done, before the marker moved on
    auto window = open();      // no message box expected
    EXPECT_TRUE(settings.busyDisc().isEmpty());
}
