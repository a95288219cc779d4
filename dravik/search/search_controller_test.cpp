#include "common/temporary_file.h"
#include "common/testing/scoped_file_size_limit.h"
#include "dravik/controls/control_names.h"
#include "dravik/testing/main_window_fixture.h"
#include "dravik/window/command_router.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QTest>
#include <QTextEdit>
#include <QTimer>

using common::testing::TempFolder;
using common::ui::Buttons;
using common::ui::Icon;
namespace Answer = common::ui::Answer;
using dravik::controls::GCom;
using dravik::controls::LoadReportCom;
using dravik::controls::SoekCom;
namespace Control = dravik::controls::Control;

namespace {

const char* const HolidayList = "\"E:\\Photos\\\",\"beach.jpg\"\r\n"
                                "\"E:\\Photos\\\",\"camera manual.pdf\"\r\n"
                                "2 files : 1 folders\r\n";
const char* const MusicList = "\"E:\\Jazz\\\",\"so what.mp3\"\r\n"
                              "\"E:\\Photos\\\",\"beach.jpg\"\r\n"
                              "2 files : 2 folders\r\n";

// The global search through the window: the panel, the run, the end phase and the reports.
class GlobalSearch : public dravik::testing::MainWindowFixture {
protected:
    void SetUp() override {
        MainWindowFixture::SetUp();
        root.write("data/DK.tex", "Holiday\r\nMusic\r\nGone\r\n");
        root.write("data/Holiday.rtf", HolidayList);
        root.write("data/Music.rtf", MusicList);
    }
    void type(const QString& words) { find<QComboBox>(Control::FindBox)->setEditText(words); }
    QListView* discs() { return find<QListView>(Control::SearchDiscs); }
    bool chosen(int row) { return discs()->selectionModel()->isRowSelected(row); }
    void selectDiscs(std::initializer_list<int> rows) {
        for (int row : rows)
            discs()->selectionModel()->select(discs()->model()->index(row, 0),
                                              QItemSelectionModel::Select);
    }
    // The end of every search asks whether to save; `answer` 7 says no.
    void expectSaveQuestion(int answer = 7) {
        dialogs.expectPanel("Saving Search Report", "Do yu want to SAVE this report?",
                            Buttons::YesNo, Icon::Question, answer);
    }
    QString status() { return find<QLabel>(Control::Status)->text(); }
};

} // namespace

TEST_F(GlobalSearch, FindGlobalOpensThePanelThenStartSearchesTheSelectedDiscs) {
    dravik::window::MainWindow& w = start();
    click(GCom::FindGlobal); // an empty find box: nothing at all
    EXPECT_TRUE(find<QWidget>(Control::SearchPanel)->isHidden());
    type("beach|camera");
    click(GCom::FindGlobal);
    EXPECT_FALSE(find<QWidget>(Control::SearchPanel)->isHidden());
    ASSERT_EQ(discs()->model()->rowCount(), 3);
    selectDiscs({0, 1, 2}); // "Gone" has no list: skipped without a word
    expectSaveQuestion();
    click(SoekCom::Start);
    const std::string rows = "*Holiday* \"E:\\Photos\\\",\"beach.jpg\"\r\n"
                             "*Holiday* \"E:\\Photos\\\",\"camera manual.pdf\"\r\n";
    EXPECT_EQ(TempFolder::read(program / "QReport.rtf"), rows);
    EXPECT_EQ(find<QPlainTextEdit>(Control::ListView)->toPlainText(),
              "*Holiday* \"E:\\Photos\\\",\"beach.jpg\"\n"
              "*Holiday* \"E:\\Photos\\\",\"camera manual.pdf\"\n");
    EXPECT_EQ(status(), "Finished searching: There are 2 links");
    EXPECT_EQ(find<QLabel>(Control::Status)->palette().color(QPalette::Window),
              QColor(255, 255, 0));
    EXPECT_EQ(find<QLabel>(Control::RowCount)->text(), "2");
    EXPECT_EQ(find<QLabel>(Control::RowLabel)->text(), "Row:");
    EXPECT_EQ(find<QLabel>(Control::FilesFound)->text(), "files found: 12"); // 6 lines x 2 words
    EXPECT_EQ(find<QLabel>(Control::FilesExamined)->text(), "");
    EXPECT_EQ(find<QAbstractButton>(GCom::FindGlobal)->text(), "Find Global");
    EXPECT_EQ(w.windowTitle(), "Dravik [QReport.rtf ]");
    EXPECT_TRUE(find<QWidget>(Control::SearchPanel)->isHidden());
    EXPECT_TRUE(find<QWidget>(Control::FileCounter)->isHidden());
    EXPECT_EQ(find<QComboBox>(Control::FindBox)->itemText(0), "beach|camera"); // into the history
    EXPECT_TRUE(dialogs.allAnswered());
}

TEST_F(GlobalSearch, NoResultsStillAskToSaveAndWordsStayUntilTheNextStart) {
    start();
    type("nowhere");
    click(GCom::FindGlobal);
    selectDiscs({0});
    expectSaveQuestion();
    click(GCom::FindGlobal); // the panel open before START: the word list is still empty
    EXPECT_EQ(status(), "Finished searching: There are 0 links");
    EXPECT_EQ(find<QLabel>(Control::FilesFound)->text(), "files found: ");
    EXPECT_EQ(TempFolder::read(program / "QReport.rtf"), "");
    EXPECT_EQ(find<QPlainTextEdit>(Control::ListView)->toPlainText(), "");
}

TEST_F(GlobalSearch, FileNamesAreReportedOnceOverAllDiscs) {
    start();
    type("beach");
    click(GCom::FindGlobal);
    selectDiscs({0, 1});
    find<QCheckBox>(Control::AutoRemoveDoubles)->setChecked(true);
    expectSaveQuestion();
    click(SoekCom::Start);
    EXPECT_EQ(TempFolder::read(program / "QReport.rtf"),
              "*Holiday* \"E:\\Photos\\\",\"beach.jpg\"\r\n");
}

TEST_F(GlobalSearch, StopEndsTheSearchAndKeepsTheRowsFound) {
    std::string big;
    for (int i = 0; i < 60000; ++i)
        big += "\"E:\\Photos\\\",\"beach " + std::to_string(i) + ".jpg\"\r\n";
    root.write("data/Holiday.rtf", big);
    start();
    type("beach");
    click(GCom::FindGlobal);
    selectDiscs({0, 1});
    QString during;
    // The first pump of the search presses the button again: "STOP" becomes "NOW!".
    QTimer::singleShot(0, [&] {
        during = find<QAbstractButton>(GCom::FindGlobal)->text();
        click(GCom::FindGlobal);
    });
    expectSaveQuestion();
    // Pumps are throttled: once the throttle has lapsed, the first disc's start pumps for sure,
    // however fast the machine reads it.
    QTest::qSleep(20);
    click(SoekCom::Start);
    EXPECT_EQ(during, "STOP");
    EXPECT_EQ(find<QAbstractButton>(GCom::FindGlobal)->text(), "Find Global");
    const std::string report = TempFolder::read(program / "QReport.rtf");
    EXPECT_LT(std::count(report.begin(), report.end(), '\n'), 60000);
    EXPECT_EQ(report.find("*Music*"), std::string::npos); // the second disc was never read
}

// The quick report is written while the search runs; rows the disk cannot hold then are written
// again at the end, where the failure is asked about, and the window comes to rest all the same.
TEST_F(GlobalSearch, AQuickReportTheDiskCannotHoldIsAskedAboutAndTheSearchComesToRest) {
    std::string big;
    for (int i = 0; i < 20000; ++i)
        big += "\"E:\\Photos\\\",\"beach " + std::to_string(i) + ".jpg\"\r\n";
    root.write("data/Holiday.rtf", big);
    root.write("program/QReport.rtf", "*Old* rows\r\n");
    start();
    type("beach");
    click(GCom::FindGlobal);
    selectDiscs({0});
    for (int i = 0; i < 2; ++i)
        dialogs.expectPanel("ERROR: 75", "Hier is 'n fout by die auto search outside", Buttons::Ok,
                            Icon::Warning, Answer::Yes);
    expectSaveQuestion();
    {
        const common::testing::ScopedFileSizeLimit full(100000);
        click(SoekCom::Start);
    }
    EXPECT_EQ(find<QAbstractButton>(GCom::FindGlobal)->text(), "Find Global");
    EXPECT_EQ(TempFolder::read(program / "QReport.rtf"), ""); // emptied at the start, no piece
    for (const auto& entry : std::filesystem::directory_iterator(program))
        EXPECT_FALSE(common::TemporaryFile::isTemporaryName(entry.path().filename().string()));
    EXPECT_TRUE(dialogs.allAnswered());
}

TEST_F(GlobalSearch, AnUnreadableSourceIsReportedTwiceThenTheSearchComesToRest) {
    std::filesystem::remove(data / "Music.rtf");
    root.makeFolder("data/Music.rtf"); // a folder where a list should be
    start();
    type("beach");
    click(GCom::FindGlobal);
    selectDiscs({0, 1});
    for (int i = 0; i < 2; ++i)
        dialogs.expectPanel("ERROR: 75", "Hier is 'n fout by die auto search outside", Buttons::Ok,
                            Icon::Warning, Answer::Yes);
    expectSaveQuestion();
    click(SoekCom::Start);
    EXPECT_EQ(find<QAbstractButton>(GCom::FindGlobal)->text(), "Find Global"); // at rest again
    EXPECT_EQ(TempFolder::read(program / "QReport.rtf"),
              "*Holiday* \"E:\\Photos\\\",\"beach.jpg\"\r\n");
}

TEST_F(GlobalSearch, ExtensionModeSearchesTheExtensionListsAndCarriesTheEntry) {
    root.write("data/TheShards-13/JPG.rtf",
               "beach.jpg \xc2\xb0  1 \xc2\xb0* Holiday *\xc2\xb0 \\Photos\\ \xc2\xb0 \r\n");
    start();
    type("beach");
    click(GCom::FindGlobal);
    find<QLineEdit>(Control::NewExtension)->setText("jpg");
    QTest::keyClick(find<QLineEdit>(Control::NewExtension), Qt::Key_Return);
    EXPECT_EQ(find<QLineEdit>(Control::NewExtension)->text(), ""); // added: the box empties
    EXPECT_EQ(find<QLabel>(Control::ExtensionCount)->text(), "File type to search for: (0)");
    auto* extensions = find<QListView>(Control::Extensions);
    ASSERT_EQ(extensions->model()->rowCount(), 1);
    EXPECT_EQ(extensions->model()->index(0, 0).data().toString(), "JPG");
    extensions->selectionModel()->select(extensions->model()->index(0, 0),
                                         QItemSelectionModel::Select);
    selectDiscs({1}); // the disc selection does not count in extension mode
    expectSaveQuestion();
    click(SoekCom::Start);
    EXPECT_EQ(TempFolder::read(program / "QReport.rtf"),
              "*JPG* beach.jpg \xc2\xb0  1 \xc2\xb0* Holiday *\xc2\xb0 \\Photos\\ \xc2\xb0 \r\n");
    EXPECT_EQ(TempFolder::read(data / "ExtLys.ini"), "JPG\r\n");
    EXPECT_EQ(TempFolder::read(data / "ExtLys.inZ"), "JPG\r\n");
    EXPECT_EQ(TempFolder::read(program / "sette.lys"), "JPG \r\n");
}

TEST_F(GlobalSearch, ASelectionNamedSScLeavesTheDefaultDriveAlone) {
    // No data path set and started in the program folder: "SSc.ini" is in the data folder.
    setting("Form_Load", "Def DPath", QString::fromStdString(program.string()));
    root.write("program/DK.tex", "Holiday\r\nMusic\r\n");
    start();
    type("x");
    click(GCom::FindGlobal);
    selectDiscs({0, 1});
    dialogs.expectInput("Save Selection", "Save this selection under the name of:\n?",
                        QString("ssc"), QString());
    dialogs.expectMessage({},
                          "\"ssc\" is the name of a list the program keeps (SSc.ini) and cannot "
                          "name a selection.",
                          Buttons::Ok, Icon::None, 1);
    click(SoekCom::RememberSelection);
    EXPECT_TRUE(dialogs.allAnswered());
    EXPECT_EQ(TempFolder::read(program / "SSc.ini"), "E\r\n");
    EXPECT_EQ(TempFolder::read(program / "RemSel.ini"), "");
}

TEST_F(GlobalSearch, SavedSelectionsAndTheExtensionListCommands) {
    start();
    type("x");
    click(GCom::FindGlobal);
    selectDiscs({0, 2});
    dialogs.expectInput("Save Selection", "Save this selection under the name of:\n?",
                        QString("Mine"), QString());
    click(SoekCom::RememberSelection);
    EXPECT_EQ(TempFolder::read(data / "RemSel.ini"), "Mine\r\n");
    EXPECT_EQ(TempFolder::read(data / "Mine.ini"), " 0 \r\n 2 \r\n");
    dialogs.expectInput("Save Selection", "Save this selection under the name of:\nMine?",
                        QString("mine"), QString("Mine"));
    dialogs.expectMessage({}, "Name: mine Already Exists!\n\nPlease use another name and try again",
                          Buttons::Ok, Icon::None, 1);
    click(SoekCom::RememberSelection);
    click(SoekCom::SelectNone); // Select NONE
    auto* saved = find<QComboBox>(Control::SavedSelections);
    emit saved->activated(0);
    EXPECT_TRUE(chosen(0));
    EXPECT_FALSE(chosen(1));
    EXPECT_TRUE(chosen(2));
    dialogs.expectMessage("DELETE Selection from list and disc",
                          "Are you sure you want to DELETE Mine from the list?", Buttons::YesNo,
                          Icon::Warning, 6);
    click(SoekCom::DeleteSelection);
    EXPECT_EQ(TempFolder::read(data / "RemSel.ini"), "");
    EXPECT_FALSE(std::filesystem::exists(data / "Mine.ini"));

    for (const char* entry : {"txt", "DOC", "Txt"}) {
        find<QLineEdit>(Control::NewExtension)->setText(entry);
        click(SoekCom::AddExtension);
    }
    auto* extensions = find<QListView>(Control::Extensions);
    EXPECT_EQ(extensions->model()->rowCount(), 2); // sorted, once each
    EXPECT_EQ(extensions->model()->index(0, 0).data().toString(), "DOC");
    // The right button selects all, and the next time none.
    QTest::mousePress(extensions->viewport(), Qt::RightButton, {}, QPoint(2, 2));
    EXPECT_EQ(extensions->selectionModel()->selectedRows().size(), 2);
    QTest::mousePress(extensions->viewport(), Qt::RightButton, {}, QPoint(2, 2));
    EXPECT_EQ(extensions->selectionModel()->selectedRows().size(), 0);
    extensions->selectionModel()->select(extensions->model()->index(1, 0),
                                         QItemSelectionModel::Select);
    dialogs.expectMessage("DELETE selected extentions",
                          "Do you want to DELETE the selected extentions?", Buttons::YesNo,
                          Icon::Question, 6);
    click(SoekCom::DeleteSelected);
    EXPECT_EQ(TempFolder::read(data / "ExtLys.ini"), "DOC\r\n");
    dialogs.expectMessage("Clear list", "Want to CLEAR this list?", Buttons::YesNo, Icon::Warning,
                          7);
    click(SoekCom::ClearList);
    EXPECT_EQ(extensions->model()->rowCount(), 1);
    auto* length = find<QLineEdit>(Control::ExtensionLength);
    length->setText("");
    QFocusEvent leaving(QEvent::FocusOut); // whether the window is active or not
    QApplication::sendEvent(length, &leaving);
    EXPECT_EQ(length->text(), "4");
}

TEST_F(GlobalSearch, EnterInTheFindBoxWithNoListOpenGoesStraightToTheSearch) {
    start();
    type("beach");
    QTest::keyClick(find<QComboBox>(Control::FindBox), Qt::Key_Return);
    EXPECT_FALSE(find<QWidget>(Control::SearchPanel)->isHidden());
    EXPECT_TRUE(find<QWidget>(Control::FindMenu)->isHidden());
    EXPECT_FALSE(find<QAbstractButton>(GCom::FindFirst)->isEnabled());
    selectDiscs({1});
    expectSaveQuestion();
    click(SoekCom::Start);
    EXPECT_TRUE(find<QAbstractButton>(GCom::FindFirst)->isEnabled()); // given back at the end
}

TEST_F(GlobalSearch, ReportsAreSavedFromTheEndAndLoadedWithTheirHeaders) {
    start();
    type("jazz");
    click(GCom::FindGlobal);
    selectDiscs({1});
    expectSaveQuestion(6);
    dialogs.expectInput("SAVE search report", "SAVE this report to:", QString("Jazz"),
                        QString("jazz"));
    dialogs.expectPanel("Saved!",
                        "The report was saved in the following folder:\n\n" +
                            QString::fromStdString((data / "QReport" / "Jazz.rtf").string()),
                        Buttons::Ok, Icon::Question, Answer::Yes);
    click(SoekCom::Start);
    EXPECT_EQ(TempFolder::read(data / "QReport" / "Jazz.rtf"),
              TempFolder::read(program / "QReport.rtf"));
    root.write("data/QReport/Other.rtf", "*Holiday* other\r\n");

    click(GCom::Report);
    click(GCom::LoadReport);
    auto* reports = find<QListWidget>(Control::Reports);
    ASSERT_EQ(reports->count(), 2);
    reports->item(0)->setSelected(true);
    reports->item(1)->setSelected(true);
    dialogs.expectMessage({}, "Do you want to clear the current search page?", Buttons::YesNo,
                          Icon::Question, 6);
    click(LoadReportCom::Load);
    EXPECT_EQ(find<QPlainTextEdit>(Control::ListView)->toPlainText(),
              "\n================Jazz.rtf==============\n"
              "*Music* \"E:\\Jazz\\\",\"so what.mp3\"\n"
              "\n================Other.rtf==============\n"
              "*Holiday* other\n");
    EXPECT_TRUE(find<QWidget>(Control::LoadReportBox)->isHidden());
}

TEST_F(GlobalSearch, SaveAsksFirstAndRefusesNamesThatCannotBeFiles) {
    start();
    type("beach|camera");
    click(GCom::Report);
    dialogs.expectPanel("Saving Search Report", "Do you want to SAVE this report?", Buttons::YesNo,
                        Icon::Question, Answer::Yes);
    dialogs.expectInput("SAVE search report", "SAVE this report to:", QString("beach|camera"),
                        QString("beach|camera"));
    dialogs.expectMessage("SAVE search report", "A report name cannot hold any of  : * ? \" < > |",
                          Buttons::Ok, Icon::Warning, 1);
    // Asked again with the refused name to mend; no name: nothing saved, nothing said.
    dialogs.expectInput("SAVE search report", "SAVE this report to:", std::nullopt,
                        QString("beach|camera"));
    click(GCom::SaveReport);
    EXPECT_TRUE(dialogs.allAnswered());
    EXPECT_FALSE(find<QPlainTextEdit>(Control::ListView)->isReadOnly()); // left editable
    EXPECT_FALSE(std::filesystem::exists(data / "QReport" / "beach|camera.rtf"));
}

TEST_F(GlobalSearch, AfterARefusedNameTheNextNameIsSavedAndACommaIsFine) {
    root.write("program/QReport.rtf", "*Holiday* \"E:\\Photos\\\",\"camera manual.pdf\"\r\n");
    start();
    type("kamera,camera");
    click(GCom::Report);
    dialogs.expectPanel("Saving Search Report", "Do you want to SAVE this report?", Buttons::YesNo,
                        Icon::Question, Answer::Yes);
    dialogs.expectInput("SAVE search report", "SAVE this report to:", QString("kamera/camera"),
                        QString("kamera,camera"));
    dialogs.expectMessageHolding("SAVE search report", {"report"}, Buttons::Ok, Icon::Warning, 1);
    dialogs.expectInput("SAVE search report", "SAVE this report to:", QString("kamera,camera"),
                        QString("kamera/camera"));
    dialogs.expectPanel(
        "Saved!",
        "The report was saved in the following folder:\n\n" +
            QString::fromStdString((data / "QReport" / "kamera,camera.rtf").string()),
        Buttons::Ok, Icon::Question, Answer::Yes);
    click(GCom::SaveReport);
    EXPECT_TRUE(dialogs.allAnswered());
    EXPECT_EQ(TempFolder::read(data / "QReport" / "kamera,camera.rtf"),
              TempFolder::read(program / "QReport.rtf"));
}

TEST_F(GlobalSearch, FindGlobalUnderTheSaveQuestionStartsNoSecondSearch) {
    start();
    type("beach");
    click(GCom::FindGlobal);
    selectDiscs({0});
    dialogs.answerPanelsByHand(true);
    const QString waitHeading = dravik::window::CommandRouter::waitHeading();
    const QString waitText = dravik::window::CommandRouter::waitText();
    int asked = 0;
    QTimer watch; // looks at every pump until the save question is up
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (find<QWidget>(Control::MessagePanel)->isHidden() ||
            find<QTextEdit>(Control::MessageText)->toPlainText() !=
                "Do yu want to SAVE this report?")
            return;
        watch.stop();
        ++asked;
        click(GCom::FindGlobal);
        click(dravik::controls::FCom::FindGlobal);
        click(SoekCom::Start);
        QTest::keyClick(find<QWidget>(SoekCom::Start), Qt::Key_Return);
        EXPECT_EQ(TempFolder::read(program / "QReport.rtf"),
                  "*Holiday* \"E:\\Photos\\\",\"beach.jpg\"\r\n"); // not emptied
        click(dravik::controls::MsgC::Yes);
    });
    watch.start(0);
    // Each of the four ways to start a search is told to wait.
    for (int i = 0; i < 4; ++i)
        dialogs.expectMessage(waitHeading, waitText, Buttons::Ok, Icon::Warning, 1);
    // One "Yes", one save dialog.
    dialogs.expectInput("SAVE search report", "SAVE this report to:", std::nullopt,
                        QString("beach"));
    click(SoekCom::Start);
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(dialogs.allAnswered());
    EXPECT_EQ(find<QAbstractButton>(GCom::FindGlobal)->text(), "Find Global");
    EXPECT_TRUE(find<QWidget>(Control::SearchPanel)->isHidden());
    EXPECT_EQ(status(), "Finished searching: There are 1 links");
    // The next search starts as any does.
    dialogs.answerPanelsByHand(false);
    click(GCom::FindGlobal);
    selectDiscs({1});
    expectSaveQuestion();
    click(SoekCom::Start);
    EXPECT_EQ(status(), "Finished searching: There are 1 links");
    EXPECT_TRUE(dialogs.allAnswered());
}

TEST_F(GlobalSearch, EnterOnFindGlobalInTheFindMenuOpensTheSearch) {
    start();
    type("beach");
    find<QPlainTextEdit>(Control::ListView)->setPlainText("a list");
    QTest::keyClick(find<QComboBox>(Control::FindBox), Qt::Key_Return);
    ASSERT_FALSE(find<QWidget>(Control::FindMenu)->isHidden());
    auto* global = find<QAbstractButton>(dravik::controls::FCom::FindGlobal);
    global->setFocus();
    QTest::keyClick(global, Qt::Key_Return);
    EXPECT_TRUE(find<QWidget>(Control::FindMenu)->isHidden());
    EXPECT_FALSE(find<QWidget>(Control::SearchPanel)->isHidden());
}

TEST_F(GlobalSearch, TheLiveListShowsTheFindingsWhileTheSearchRunsOnly) {
    std::string big;
    for (int i = 0; i < 20000; ++i)
        big += "\"E:\\Photos\\\",\"beach " + std::to_string(i) + ".jpg\"\r\n";
    root.write("data/Music.rtf", big);
    start();
    type("beach");
    click(GCom::FindGlobal);
    selectDiscs({0, 1});
    find<QCheckBox>(Control::ViewFindings)->setChecked(true);
    bool shown = false;
    QTimer::singleShot(0, [&] { shown = find<QWidget>(Control::Findings)->isVisible(); });
    expectSaveQuestion();
    click(SoekCom::Start);
    EXPECT_TRUE(shown);
    EXPECT_TRUE(find<QWidget>(Control::Findings)->isHidden()); // emptied and hidden at the end
    EXPECT_EQ(find<QLabel>(Control::RowCount)->text(), "20001");
}

TEST_F(GlobalSearch, ARowFromAWindowsListIsWhollyInTheSystemCodePage) {
    root.write("data/DK.tex", "M\xc3\xbcnze\r\n");
    root.write("data/M\xc3\xbcnze.rtf", "\"E:\\M\xfcnzen\\\",\"5 \x80.jpg\"\r\n"); // windows-1252
    start();
    type("jpg");
    click(GCom::FindGlobal);
    selectDiscs({0});
    expectSaveQuestion(6);
    dialogs.expectInput("SAVE search report", "SAVE this report to:", QString("coins"),
                        QString("jpg"));
    dialogs.expectPanel("Saved!",
                        "The report was saved in the following folder:\n\n" +
                            QString::fromStdString((data / "QReport" / "coins.rtf").string()),
                        Buttons::Ok, Icon::Question, Answer::Yes);
    click(SoekCom::Start);
    const std::string row = "*M\xc3\xbcnze* \"E:\\M\xc3\xbcnzen\\\",\"5 \xe2\x82\xac.jpg\"";
    EXPECT_EQ(TempFolder::read(program / "QReport.rtf"), row + "\r\n");
    EXPECT_EQ(TempFolder::read(data / "QReport" / "coins.rtf"), row + "\r\n");
    EXPECT_EQ(find<QPlainTextEdit>(Control::ListView)->toPlainText(),
              QString::fromUtf8(row.c_str()) + "\n");
}

TEST_F(GlobalSearch, ALineTooLongToSearchIsNamedBeforeTheResults) {
    root.write("data/Music.rtf", "jazz 1\r\n" + std::string((16u << 20) + 1, 'x') + "jazz\r\n");
    start();
    type("jazz");
    click(GCom::FindGlobal);
    selectDiscs({1});
    dialogs.expectPanel("Lines not searched",
                        "A line longer than 16 MiB was not searched:\nline 2 of Music", Buttons::Ok,
                        Icon::Warning, Answer::Yes);
    expectSaveQuestion();
    click(SoekCom::Start);
    EXPECT_EQ(TempFolder::read(program / "QReport.rtf"), "*Music* jazz 1\r\n");
    EXPECT_TRUE(dialogs.allAnswered());
}
