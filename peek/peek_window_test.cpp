#include "peek/peek_window.h"

#include "common/testing/scoped_variable.h"
#include "common/testing/scripted_dialogs.h"
#include "common/testing/temp_folder.h"
#include "peek/command_line.h"
#include "peek/line_list_model.h"

#include <QFontMetrics>
#include <QLayout>
#include <QLineEdit>
#include <QListView>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

using common::testing::ScriptedDialogs;
using common::testing::TempFolder;
namespace Answer = common::ui::Answer;
using common::ui::Buttons;
using common::ui::Icon;
using peek::PeekWindow;

namespace {

std::string numberedLines(int count) {
    std::string text;
    for (int i = 1; i <= count; ++i)
        text += "\"E:\\Photos\\2009\\\",\"img_" + std::to_string(i) + ".jpg\"\r\n";
    return text;
}

QString qpath(const std::filesystem::path& path) {
    return QString::fromStdString(path.string());
}

// A window with its captions recorded from the moment it starts.
class Viewer {
public:
    Viewer(ScriptedDialogs& dialogs, const std::filesystem::path& path) : window(dialogs, path) {
        QObject::connect(&window, &QWidget::windowTitleChanged,
                         [this](const QString& title) { captions << title; });
    }

    QLineEdit* text() { return window.findChild<QLineEdit*>("TeX"); }
    QListView* list() { return window.findChild<QListView*>("List1"); }

    PeekWindow window;
    QStringList captions;
};

// Every test has a folder for its files and the scripted dialogs; the window opens one file.
class PeekWindowTest : public ::testing::Test {
protected:
    Viewer& view(const std::filesystem::path& path) {
        viewer_ = std::make_unique<Viewer>(dialogs, path);
        return *viewer_;
    }

    TempFolder temp;
    ScriptedDialogs dialogs;

private:
    std::unique_ptr<Viewer> viewer_;
};

} // namespace

TEST_F(PeekWindowTest, HasItsControlsBeforeItStarts) {
    PeekWindow window(dialogs, "/nowhere/list.rtf");
    EXPECT_EQ(window.objectName(), "Peek");
    EXPECT_EQ(window.windowTitle(), "Form1");
    auto* text = window.findChild<QLineEdit*>("TeX");
    auto* list = window.findChild<QListView*>("List1");
    ASSERT_TRUE(text);
    ASSERT_TRUE(list);
    EXPECT_EQ(text->text(), "Text1");
    EXPECT_FALSE(text->accessibleName().isEmpty());
    EXPECT_FALSE(list->accessibleName().isEmpty());
    EXPECT_TRUE(list->uniformItemSizes());
    const QFontMetrics metrics(list->font());
    EXPECT_EQ(metrics.horizontalAdvance("iiii"), metrics.horizontalAdvance("WWWW"));
    window.layout()->activate();
    EXPECT_LT(text->geometry().bottom(), list->geometry().top());
}

TEST_F(PeekWindowTest, AnEmptyFileGivesAnEmptyListAndTheCountZero) {
    const auto file = temp.write("empty.rtf", "");
    Viewer& viewer = view(file);
    EXPECT_EQ(viewer.window.start(), std::nullopt);
    EXPECT_TRUE(viewer.window.isVisible());
    EXPECT_EQ(viewer.captions, QStringList{qpath(file) + " -  0"});
    EXPECT_EQ(viewer.window.model().rowCount(), 0);
}

TEST_F(PeekWindowTest, ExactlyOneThousandLinesShowNoIntermediateCaption) {
    const auto file = temp.write("a.rtf", numberedLines(1000));
    Viewer& viewer = view(file);
    viewer.window.start();
    EXPECT_EQ(viewer.captions, QStringList{qpath(file) + " -  1000"});
    EXPECT_EQ(viewer.window.model().rowCount(), 1000);
}

TEST_F(PeekWindowTest, OneThousandAndOneLinesShowOneThousandOnce) {
    const auto file = temp.write("a.rtf", numberedLines(1001));
    Viewer& viewer = view(file);
    viewer.window.start();
    EXPECT_EQ(viewer.captions, QStringList({"1000", qpath(file) + " -  1001"}));
}

TEST_F(PeekWindowTest, TheCaptionCountsUpInThousands) {
    const auto file = temp.write("a.rtf", numberedLines(3500));
    Viewer& viewer = view(file);
    viewer.window.start();
    EXPECT_EQ(viewer.captions, QStringList({"1000", "2000", "3000", qpath(file) + " -  3500"}));
    EXPECT_EQ(viewer.window.model().rowCount(), 3500);
}

TEST_F(PeekWindowTest, TheListFillsWhileTheCaptionCountsUp) {
    const auto file = temp.write("a.rtf", numberedLines(20000));
    Viewer& viewer = view(file);
    QList<int> rows;
    QObject::connect(&viewer.window, &QWidget::windowTitleChanged,
                     [&] { rows << viewer.window.model().rowCount(); });
    viewer.window.start();
    ASSERT_EQ(rows.size(), 20);
    for (int step = 1; step < 20; ++step) {
        // Rows come in batches, but never lag the caption by more than half.
        EXPECT_GE(rows[step - 1] * 2, step * 1000)
            << "at " << viewer.captions[step - 1].toStdString();
        EXPECT_LE(rows[step - 1], step * 1000 + 1);
    }
    EXPECT_EQ(rows.last(), 20000);
}

TEST_F(PeekWindowTest, ADiscListShowsItsSummaryLineLast) {
    const auto file = temp.write("Holiday.rtf", "\"E:\\\",\"autorun.inf\"\r\n"
                                                "\"E:\\Photos\\2009\\\",\"img_0001.jpg\"\r\n"
                                                "2 files : 2 folders\r\n");
    Viewer& viewer = view(file);
    viewer.window.start();
    const auto& model = viewer.window.model();
    ASSERT_EQ(model.rowCount(), 3);
    EXPECT_EQ(model.data(model.index(0)).toString(), "\"E:\\\",\"autorun.inf\"");
    EXPECT_EQ(model.data(model.index(2)).toString(), "2 files : 2 folders");
    EXPECT_EQ(viewer.captions.last(), qpath(file) + " -  3");
}

TEST_F(PeekWindowTest, APathWithBlanksFromAShellOpens) {
    temp.write("My Discs/Holiday 2009.rtf", "one\r\ntwo\r\n");
    const std::string typed = (temp / "My").string();
    const char* argv[] = {"peek", typed.c_str(), "Discs/Holiday", "2009.rtf"};
    const std::string path = peek::CommandLine::path(4, argv);
    Viewer& viewer = view(path);
    EXPECT_EQ(viewer.window.start(), std::nullopt);
    EXPECT_EQ(viewer.captions, QStringList{qpath(temp / "My Discs/Holiday 2009.rtf") + " -  2"});
}

TEST_F(PeekWindowTest, AClickCopiesTheLineIntoTheTextBox) {
    const auto file = temp.write("a.rtf", "\"E:\\\",\"autorun.inf\"\r\n"
                                          "\"E:\\Fotos\\\",\"caf\xe9.jpg\"\r\n"
                                          "third\r\n");
    Viewer& viewer = view(file);
    viewer.window.start();
    QListView* list = viewer.list();
    QApplication::processEvents();
    const QRect second = list->visualRect(viewer.window.model().index(1));
    ASSERT_TRUE(second.isValid());
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, second.center());
    EXPECT_EQ(viewer.text()->text(), QString::fromUtf8("\"E:\\Fotos\\\",\"caf\xc3\xa9.jpg\""));

    // Clicking the same line again after the text was edited copies it again.
    viewer.text()->setText("edited");
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, second.center());
    EXPECT_EQ(viewer.text()->text(), QString::fromUtf8("\"E:\\Fotos\\\",\"caf\xc3\xa9.jpg\""));
}

TEST_F(PeekWindowTest, MovingWithTheArrowKeysCopiesToo) {
    const auto file = temp.write("a.rtf", "first\r\nsecond\r\n");
    Viewer& viewer = view(file);
    viewer.window.start();
    QListView* list = viewer.list();
    QApplication::processEvents();
    const QRect first = list->visualRect(viewer.window.model().index(0));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, first.center());
    EXPECT_EQ(viewer.text()->text(), "first");
    QTest::keyClick(list, Qt::Key_Down);
    EXPECT_EQ(viewer.text()->text(), "second");
}

TEST_F(PeekWindowTest, TheListHasTheKeysFromTheStart) {
    std::string lines;
    for (int i = 0; i < 300; ++i)
        lines += "line " + std::to_string(i) + "\r\n";
    Viewer& viewer = view(temp.write("long.rtf", lines));
    viewer.window.start();
    QListView* list = viewer.list();
    EXPECT_EQ(viewer.window.focusWidget(), list);
    QTest::keyClick(list, Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(list->currentIndex().row(), 299);
    QTest::keyClick(list, Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(list->currentIndex().row(), 0);
    QTest::keyClick(list, Qt::Key_PageDown);
    EXPECT_GT(list->currentIndex().row(), 0);
    QTest::keyClick(list, Qt::Key_End);
    EXPECT_EQ(list->currentIndex().row(), 299);
}

TEST_F(PeekWindowTest, FocusAloneDoesNotTouchTheTextBox) {
    const auto file = temp.write("a.rtf", "first\r\n");
    Viewer& viewer = view(file);
    viewer.window.start();
    viewer.list()->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(viewer.text()->text(), "Text1");
}

TEST_F(PeekWindowTest, AnEmptyCommandLineAsksForAPathAndEnds) {
    dialogs.expectMessage("", "Give me the path and file name to open", Buttons::Ok, Icon::None,
                          Answer::Ok);
    Viewer& viewer = view("");
    const auto status = viewer.window.start();
    ASSERT_TRUE(status.has_value());
    EXPECT_NE(*status, 0);
    EXPECT_FALSE(viewer.window.isVisible());
    EXPECT_TRUE(viewer.captions.isEmpty());
}

TEST_F(PeekWindowTest, AMissingFileIsNamedWithTheReasonAndEndsWithAFailure) {
    const auto file = temp / "Holiday.rtf";
    dialogs.expectMessage("", "Cannot open " + qpath(file) + "\nNo such file or directory (53)",
                          Buttons::Ok, Icon::Critical, Answer::Ok);
    Viewer& viewer = view(file);
    const auto status = viewer.window.start();
    ASSERT_TRUE(status.has_value());
    EXPECT_NE(*status, 0);
}

TEST_F(PeekWindowTest, AFolderIsRefusedByName) {
    const auto folder = temp.makeFolder("discs");
    dialogs.expectMessage("", "Cannot open " + qpath(folder) + "\nis a folder, not a file (75)",
                          Buttons::Ok, Icon::Critical, Answer::Ok);
    Viewer& viewer = view(folder);
    const auto status = viewer.window.start();
    ASSERT_TRUE(status.has_value());
    EXPECT_NE(*status, 0);
}

TEST_F(PeekWindowTest, AnUnreadableFileIsRefusedByName) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "root reads every file";
    const auto file = temp.write("secret.rtf", "x\r\n");
    std::filesystem::permissions(file, std::filesystem::perms::none);
    dialogs.expectMessage("", "Cannot open " + qpath(file) + "\nPermission denied (70)",
                          Buttons::Ok, Icon::Critical, Answer::Ok);
    Viewer& viewer = view(file);
    EXPECT_EQ(viewer.window.start(), std::optional<int>(PeekWindow::Unreadable));
}

TEST_F(PeekWindowTest, OddBytesAndVeryLongLinesShowWithoutACrash) {
    std::string bytes("nul\0here\r\n", 10);
    bytes += "\xff\xfe\xc3(\r\n";
    bytes += std::string(3 << 20, 'w') + "\r\n";
    bytes += "\x01\x02\t\x1b[31m\r\n";
    const auto file = temp.write("odd.rtf", bytes);
    Viewer& viewer = view(file);
    viewer.window.start();
    ASSERT_EQ(viewer.window.model().rowCount(), 4);
    EXPECT_FALSE(viewer.window.grab().isNull());
    QListView* list = viewer.list();
    const QRect longRow = list->visualRect(viewer.window.model().index(2));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, longRow.center());
    EXPECT_EQ(viewer.text()->text(), QString(viewer.text()->maxLength(), QLatin1Char('w')));
}

TEST_F(PeekWindowTest, ClosingTheWindowWhileItLoadsEndsTheLoad) {
    const auto file = temp.write("a.rtf", numberedLines(5000));
    Viewer& viewer = view(file);
    QObject::connect(&viewer.window, &QWidget::windowTitleChanged, [&](const QString& title) {
        if (title == "2000")
            viewer.window.close();
    });
    EXPECT_EQ(viewer.window.start(), std::optional<int>(0));
    EXPECT_EQ(viewer.captions, QStringList({"1000", "2000"}));
    EXPECT_LT(viewer.window.model().rowCount(), 5000);
}

TEST_F(PeekWindowTest, AFifoIsRefusedInsteadOfFreezingTheWindow) {
    const auto fifo = temp / "list.rtf";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    dialogs.expectMessage("", "Cannot open " + qpath(fifo) + "\nis not a regular file (75)",
                          Buttons::Ok, Icon::Critical, Answer::Ok);
    ::alarm(20); // a blocked open would otherwise hang the test run
    Viewer& viewer = view(fifo);
    EXPECT_EQ(viewer.window.start(), std::optional<int>(PeekWindow::Unreadable));
    ::alarm(0);
}

// Peek reads no settings: settings that cannot be read do not keep a list from showing.
TEST_F(PeekWindowTest, UnreadableSettingsDoNotStopIt) {
    for (const char* name : {"dravik 2016.ini", "dravik.ini", "shard13.ini"})
        temp.makeFolder(std::string("settings/") + name);
    const common::testing::ScopedVariable settings("DRAVIK_SETTINGS_DIR",
                                                   (temp / "settings").c_str());
    const auto file = temp.write("a.rtf", "one\r\n");
    Viewer& viewer = view(file);
    EXPECT_EQ(viewer.window.start(), std::nullopt);
    EXPECT_EQ(viewer.captions.last(), qpath(file) + " -  1");
}
