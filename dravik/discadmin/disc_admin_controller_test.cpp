#include "common/testing/scoped_ordinary_user.h"
#include "common/ui/drive_list_box.h"
#include "common/ui/file_list_box.h"
#include "common/ui/folder_list_box.h"
#include "dravik/controls/control_names.h"
#include "dravik/controls/list_selection.h"
#include "dravik/discadmin/go_to_controller.h"
#include "dravik/testing/main_window_fixture.h"
#include "dravik/testing/view_rows.h"

#include <QComboBox>
#include <QLabel>
#include <QListView>
#include <QListWidget>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QTest>

using common::testing::TempFolder;
using common::ui::Buttons;
using common::ui::Icon;
using dravik::discadmin::GoToController;
namespace Answer = common::ui::Answer;
using dravik::controls::GCom;
using dravik::controls::SellD;
using dravik::controls::SSPanel1;
using dravik::controls::WCom;
using dravik::controls::XCom;
namespace Control = dravik::controls::Control;

namespace {

class DiscAdministration : public dravik::testing::MainWindowFixture {
protected:
    void SetUp() override {
        MainWindowFixture::SetUp();
        root.write("data/DK.tex", "Holiday\r\nWork\r\nMusic\r\nWORK\r\nFilms\r\n");
        root.write("data/Holiday.rtf", "\"E:\\Photos\\\",\"beach.jpg\"\r\n1 files : 1 folders\r\n");
        root.write("data/Work.rtf", "w\r\n");
    }
    QStringList boxEntries() {
        QStringList out;
        auto* box = find<QComboBox>(Control::DiscBox);
        for (int i = 0; i < box->count(); ++i)
            out << box->itemText(i);
        return out;
    }
    QString size(const QString& disc) {
        return common::SettingsStore("Dravik").value(disc, "Size", "absent");
    }
    void confirmPanel(const QString& heading, const QString& text, int answer) {
        dialogs.expectPanel(heading, text, Buttons::OkCancel, Icon::Warning, answer);
    }
    QColor back(const char* name) { return find<QLabel>(name)->palette().color(QPalette::Window); }
    void rightPress(QWidget* w) { QTest::mousePress(w, Qt::RightButton, {}, QPoint(2, 2)); }
    // The user chooses the row in `DmDLys`, as a click does.
    static void choose(QListView* list, int row) {
        list->selectionModel()->select(list->model()->index(row, 0), QItemSelectionModel::Select);
    }
    static QStringList rows(const QListView* list) { return dravik::testing::shownRows(list); }
};

} // namespace

TEST_F(DiscAdministration, RenameRefusesOrMovesTheDiscAndKeepsTheOldIndex) {
    start();
    auto* box = find<QComboBox>(Control::DiscBox);
    box->setEditText("Holiday");
    dialogs.expectInput("RENAME A DISC", "Rename current disc to:", "holiday", "Holiday");
    click(SSPanel1::Rename); // the same name in another case: nothing changes
    dialogs.expectInput("RENAME A DISC", "Rename current disc to:", std::nullopt, "Holiday");
    dialogs.expectMessage({},
                          "Want to DELETE? Well, Open your eyes (or ears). Two other options "
                          "do that!",
                          Buttons::Ok, Icon::None, 1);
    click(SSPanel1::Rename);
    dialogs.expectInput("RENAME A DISC", "Rename current disc to:", "MUSIC", "Holiday");
    dialogs.expectMessage("RENAME A DISC",
                          "A disc named \"Music\" is already in the catalogue. Choose another "
                          "name, or delete that disc first.",
                          Buttons::Ok, Icon::Warning, 1);
    click(SSPanel1::Rename);
    EXPECT_FALSE(std::filesystem::exists(data / "Dk.Tex.Bak"));
    const std::string before = TempFolder::read(data / "DK.tex");
    dialogs.expectInput("RENAME A DISC", "Rename current disc to:", "Summer", "Holiday");
    click(SSPanel1::Rename);
    EXPECT_EQ(TempFolder::read(data / "Dk.Tex.Bak"), before);
    EXPECT_EQ(TempFolder::read(data / "DK.tex"), "Summer\r\nWork\r\nMusic\r\nWORK\r\nFilms\r\n");
    EXPECT_EQ(boxEntries(), (QStringList{"Summer", "Work", "Music", "WORK", "Films"}));
    EXPECT_EQ(box->currentText(), "Summer");
    EXPECT_TRUE(std::filesystem::exists(data / "Summer.rtf"));
    EXPECT_EQ(size("Summer"), "0");
    EXPECT_EQ(back(Control::DiscCount), QColor(0xe0, 0xe0, 0xe0));
    EXPECT_TRUE(dialogs.allAnswered());
}

TEST_F(DiscAdministration, AReadOnlyCatalogueSaysSoBeforeAskingAnything) {
    std::filesystem::permissions(root.path(), std::filesystem::perms(0755));
    ::chmod((data / "DK.tex").c_str(), 0444);
    start();
    const common::testing::ScopedOrdinaryUser user;
    // The data folder as the window holds it, with its separator.
    const QString why = QStringLiteral("The catalogue in \"") +
                        QString::fromStdString((data / "").string()) +
                        "\" is read-only: its discs can be opened and searched, but no disc "
                        "can be catalogued, renamed or deleted there.";
    find<QComboBox>(Control::DiscBox)->setEditText("Holiday");
    dialogs.expectMessage("RENAME A DISC", why, Buttons::Ok, Icon::Warning, 1);
    click(SSPanel1::Rename);
    dialogs.expectMessage("DELETE the selected disc", why, Buttons::Ok, Icon::Warning, 1);
    click(SSPanel1::DeleteDisc);
    click(SSPanel1::DeleteMany);
    choose(find<QListView>(Control::DeleteManyDiscs), 0);
    dialogs.expectMessage("DELETE the selected disc", why, Buttons::Ok, Icon::Warning, 1);
    click(SSPanel1::DeleteSelectedDiscs);
    EXPECT_TRUE(dialogs.allAnswered()); // no name asked for, no confirmation
    EXPECT_EQ(TempFolder::read(data / "DK.tex"), "Holiday\r\nWork\r\nMusic\r\nWORK\r\nFilms\r\n");
    EXPECT_TRUE(std::filesystem::exists(data / "Holiday.rtf"));
}

TEST_F(DiscAdministration, DeleteAsksTwiceAndDropsEveryEntryOfTheName) {
    start();
    auto* box = find<QComboBox>(Control::DiscBox);
    box->setEditText("");
    dialogs.expectPanel("ERROR", "There is no disc selected to delete!", Buttons::Ok, Icon::Warning,
                        Answer::Yes);
    click(SSPanel1::DeleteDisc);
    EXPECT_FALSE(std::filesystem::exists(data / "Dk.Tex.Bak"));
    box->setEditText("work");
    const QString sure = "You are about to DELETE:\n\nwork\n\nDo you want to continue?";
    confirmPanel("DELETE the selected disc", sure, 2);
    click(SSPanel1::DeleteDisc); // CANCEL: nothing
    EXPECT_TRUE(std::filesystem::exists(data / "Work.rtf"));
    find<QPlainTextEdit>(Control::ListView)->setPlainText("the open list");
    confirmPanel("DELETE the selected disc", sure, 6);
    dialogs.expectMessage("DELETE disc COMPLETELY!!", "Do you want me to CLEAR the workspace?",
                          Buttons::YesNo, Icon::Question, 7);
    click(SSPanel1::DeleteDisc);
    EXPECT_EQ(TempFolder::read(data / "DK.tex"), "Holiday\r\nMusic\r\nFilms\r\n");
    EXPECT_EQ(boxEntries(), (QStringList{"Holiday", "Music", "Films"}));
    EXPECT_FALSE(std::filesystem::exists(data / "Work.rtf"));
    EXPECT_EQ(find<QPlainTextEdit>(Control::ListView)->toPlainText(), "the open list");
    EXPECT_EQ(find<QLabel>(Control::DiscCount)->text(), "3");
}

TEST_F(DiscAdministration, DeleteManyKeepsTheOthersInTheirOrder) {
    start();
    click(SSPanel1::DeleteMany);
    auto* list = find<QListView>(Control::DeleteManyDiscs);
    EXPECT_FALSE(find<QWidget>(Control::DeleteManyBox)->isHidden());
    EXPECT_EQ(rows(list), (QStringList{"Holiday", "Work", "Music", "WORK", "Films"}));
    dialogs.expectPanel("ERROR", "There is no disc selected to delete!", Buttons::Ok, Icon::Warning,
                        Answer::Yes);
    click(SSPanel1::DeleteSelectedDiscs); // nothing selected: the box closes
    EXPECT_TRUE(find<QWidget>(Control::DeleteManyBox)->isHidden());
    click(SSPanel1::DeleteMany);
    EXPECT_FALSE(list->selectionModel()->hasSelection()); // it opens with nothing chosen
    for (int row : {0, 2, 4})
        choose(list, row);
    const QString sure = "You are about to DELETE the selected discs in the list.\n\nDo you "
                         "want to continue?";
    confirmPanel("DELETE the selected disc", sure, 2);
    click(SSPanel1::DeleteSelectedDiscs); // not Yes: the box stays open
    EXPECT_FALSE(find<QWidget>(Control::DeleteManyBox)->isHidden());
    confirmPanel("DELETE the selected disc", sure, 6);
    click(SSPanel1::DeleteSelectedDiscs);
    EXPECT_EQ(TempFolder::read(data / "DK.tex"), "Work\r\nWORK\r\n");
    EXPECT_EQ(boxEntries(), (QStringList{"Work", "WORK"}));
    EXPECT_FALSE(std::filesystem::exists(data / "Holiday.rtf"));
    EXPECT_TRUE(find<QWidget>(Control::DeleteManyBox)->isHidden());
    EXPECT_EQ(back(Control::ListState), QColor(0xe0, 0xe0, 0xe0));
}

TEST_F(DiscAdministration, TypedNamesTheIndexDoesNotHoldAreNeitherDeletedNorRenamed) {
    root.write("data/Ghost.rtf", "a list the index does not name\r\n");
    root.write("data/QReport/Holiday finds.rtf", "report\r\n");
    root.write("outside.rtf", "not the catalogue's\r\n");
    start();
    auto* box = find<QComboBox>("TeX");
    for (const char* typed : {"Ghost", "QReport/Holiday finds", "../outside"}) {
        box->setEditText(typed);
        dialogs.expectPanel("ERROR",
                            QString("No disc named \"") + typed +
                                "\" is in the catalogue; nothing was changed.",
                            Buttons::Ok, Icon::Warning, Answer::Yes);
        click(SSPanel1::DeleteDisc);
    }
    box->setEditText("Ghost");
    dialogs.expectMessage("RENAME A DISC",
                          "No disc named \"Ghost\" is in the catalogue; nothing was changed.",
                          Buttons::Ok, Icon::Warning, 1);
    click(SSPanel1::Rename);
    box->setEditText("");
    dialogs.expectMessage("RENAME A DISC", "There is no disc selected to rename!", Buttons::Ok,
                          Icon::Warning, 1);
    click(SSPanel1::Rename);
    EXPECT_TRUE(std::filesystem::exists(data / "Ghost.rtf"));
    EXPECT_FALSE(std::filesystem::exists(data / "Phantom.rtf"));
    EXPECT_TRUE(std::filesystem::exists(data / "QReport/Holiday finds.rtf"));
    EXPECT_TRUE(std::filesystem::exists(root.path() / "outside.rtf"));
    EXPECT_FALSE(std::filesystem::exists(data / "Dk.Tex.Bak"));
    EXPECT_EQ(size("FromEmpty"), "absent");
    EXPECT_TRUE(dialogs.allAnswered());
}

TEST_F(DiscAdministration, ADiscCataloguedWhileTheDeleteManyBoxIsOpenSurvives) {
    start();
    click(SSPanel1::DeleteMany);
    auto* list = find<QListView>("DmDLys");
    choose(list, 1); // Work
    // Meanwhile another program catalogues a disc and renames one.
    root.write("data/Brand New.rtf", "new\r\n");
    root.write("data/DK.tex", "Holiday\r\nWork\r\nTunes\r\nWORK\r\nFilms\r\nBrand New\r\n");
    confirmPanel("DELETE the selected disc",
                 "You are about to DELETE the selected discs in the list.\n\nDo you want to "
                 "continue?",
                 6);
    click(SSPanel1::DeleteSelectedDiscs);
    EXPECT_EQ(TempFolder::read(data / "DK.tex"), "Holiday\r\nTunes\r\nFilms\r\nBrand New\r\n");
    EXPECT_EQ(boxEntries(), (QStringList{"Holiday", "Tunes", "Films", "Brand New"}));
    EXPECT_TRUE(std::filesystem::exists(data / "Brand New.rtf"));
    EXPECT_TRUE(dialogs.allAnswered());
}

TEST_F(DiscAdministration, TheDeleteManyListShowsTheIndexAndKeepsTheDiscsChosen) {
    start();
    click(SSPanel1::DeleteMany);
    auto* list = find<QListView>(Control::DeleteManyDiscs);
    choose(list, 0); // Holiday
    choose(list, 4); // Films
    find<QComboBox>(Control::DiscBox)->setEditText("Holiday");
    dialogs.expectInput("RENAME A DISC", "Rename current disc to:", "Summer", "Holiday");
    click(SSPanel1::Rename);
    EXPECT_EQ(rows(list), (QStringList{"Summer", "Work", "Music", "WORK", "Films"}));
    EXPECT_EQ(dravik::controls::ListSelection::texts(list), QStringList{"Films"});
    EXPECT_FALSE(find<QWidget>(Control::DeleteManyBox)->isHidden());
    EXPECT_TRUE(dialogs.allAnswered());
}

TEST_F(DiscAdministration, AChosenDiscThatIsGoneMeanwhileIsLeftAloneAndSaidSo) {
    start();
    click(SSPanel1::DeleteMany);
    auto* list = find<QListView>("DmDLys");
    choose(list, 0); // Holiday
    choose(list, 4); // Films
    root.write("data/DK.tex", "Work\r\nFilms\r\n");
    confirmPanel("DELETE the selected disc",
                 "You are about to DELETE the selected discs in the list.\n\nDo you want to "
                 "continue?",
                 6);
    dialogs.expectPanel("ERROR",
                        "These discs are no longer in the catalogue and were left alone:\n\n"
                        "Holiday",
                        Buttons::Ok, Icon::Warning, Answer::Yes);
    click(SSPanel1::DeleteSelectedDiscs);
    EXPECT_EQ(TempFolder::read(data / "DK.tex"), "Work\r\n");
    EXPECT_TRUE(std::filesystem::exists(data / "Holiday.rtf")); // not the index's any more
    EXPECT_EQ(boxEntries(), QStringList{"Work"});
    EXPECT_TRUE(dialogs.allAnswered());
}

TEST_F(DiscAdministration, ARenameWhoseLastStepFailsSaysItHappenedAndTheBoxFollows) {
    start();
    find<QComboBox>("TeX")->setEditText("Holiday");
    root.makeFolder("settings/dravik.ini"); // the "Size" setting cannot move
    dialogs.expectInput("RENAME A DISC", "Rename current disc to:", "Summer", "Holiday");
    dialogs.expectMessageHolding(
        {}, {"SSPanel1_click(1)-(", "The disc was renamed to \"Summer\". This step failed: "},
        Buttons::Ok, Icon::None, 1);
    click(SSPanel1::Rename);
    EXPECT_EQ(TempFolder::read(data / "DK.tex"), "Summer\r\nWork\r\nMusic\r\nWORK\r\nFilms\r\n");
    EXPECT_EQ(boxEntries(), (QStringList{"Summer", "Work", "Music", "WORK", "Films"}));
    // The next rename starts from the index as it is: nothing is orphaned.
    find<QComboBox>("TeX")->setEditText("Work");
    dialogs.expectInput("RENAME A DISC", "Rename current disc to:", "Job", "Work");
    dialogs.expectMessageHolding({}, {"The disc was renamed to \"Job\"."}, Buttons::Ok, Icon::None,
                                 1);
    click(SSPanel1::Rename);
    EXPECT_EQ(TempFolder::read(data / "DK.tex"), "Summer\r\nJob\r\nMusic\r\nJob\r\nFilms\r\n");
    EXPECT_TRUE(std::filesystem::exists(data / "Summer.rtf"));
    EXPECT_TRUE(std::filesystem::exists(data / "Job.rtf"));
    EXPECT_TRUE(dialogs.allAnswered());
}

TEST_F(DiscAdministration, TheDiscBoxFollowsAChangeAnotherProgramMakes) {
    start();
    root.write("data/DK.tex.new", "Holiday\r\nRenamed\r\n");
    std::filesystem::rename(data / "DK.tex.new", data / "DK.tex"); // as a swap does
    QTRY_COMPARE_WITH_TIMEOUT(boxEntries(), (QStringList{"Holiday", "Renamed"}), 20000);
    EXPECT_EQ(find<QLabel>("DTel")->text(), "2");
    root.write("data/DK.tex", "Holiday\r\nRenamed\r\nThird\r\n"); // written in place
    QTRY_COMPARE_WITH_TIMEOUT(find<QLabel>("DTel")->text(), QString("3"), 20000);
}

TEST_F(DiscAdministration, ClearingTheFindHistoryIsWhatExitKeeps) {
    root.write("data/FTex.Lys", "kamera\r\njpg\r\n");
    dravik::window::MainWindow& w = start();
    confirmPanel("Clear(DELETE) all search entries!!!",
                 "You are about to DELETE ALL the search entries!\n\nDo you want to continue?", 6);
    click(SSPanel1::ClearFindHistory);
    EXPECT_EQ(find<QComboBox>(Control::FindBox)->count(), 0);
    w.close();
    EXPECT_EQ(TempFolder::read(data / "FTex.Lys"), "");
}

TEST_F(DiscAdministration, ContinueStoresTheDriveAndAsksOnlyWhenListsCouldBeFixed) {
    const auto choose = [&](const char* letter) {
        click(GCom::SetDrive);
        auto* letters = find<QListWidget>(Control::DriveLetters);
        letters->setCurrentItem(letters->findItems(letter, Qt::MatchExactly).value(0));
        click(WCom::Continue);
    };
    start({}, false); // no drive yet: the first choice is the drive at once
    choose("E");
    EXPECT_EQ(TempFolder::read(program / "SSc.ini"), "E\r\n");
    EXPECT_EQ(find<QLabel>(Control::DefaultDrive)->text(), "E");
    EXPECT_TRUE(find<QWidget>(Control::DefaultDriveBox)->isHidden());
    const QString asked = "The previous drive letter was E and was changed to F\n\nDo you want to "
                          "FiX ALL the drive letters in the current list with the NEW Drive Info?";
    dialogs.expectMessage("Drive Info changed: FiX or NOT?", asked, Buttons::YesNo, Icon::Question,
                          7);
    choose("F");
    EXPECT_EQ(TempFolder::read(program / "SSc.ini"), "F\r\n");
    EXPECT_EQ(find<QLabel>(Control::DefaultDrive)->text(), "E");
    EXPECT_EQ(common::SettingsStore("DRAVIK 2016").value("Set Drive", "NEW Drive"), "F");
    choose("E"); // the same letter as the current drive: no question
    dialogs.expectMessage("Drive Info changed: FiX or NOT?", asked, Buttons::YesNo, Icon::Question,
                          6);
    choose("F");
    EXPECT_EQ(find<QLabel>(Control::DefaultDrive)->text(), "F");
    click(GCom::SetDrive);
    find<QListWidget>(Control::DriveLetters)->setCurrentItem(nullptr);
    dialogs.expectMessage("Drive Info changed: FiX or NOT?",
                          "The previous drive letter was F and was changed to \n\nDo you want to "
                          "FiX ALL the drive letters in the current list with the NEW Drive Info?",
                          Buttons::YesNo, Icon::Question, 7);
    click(WCom::Continue); // nothing chosen: an empty line for the next start
    EXPECT_EQ(TempFolder::read(program / "SSc.ini"), "\r\n");
}

TEST_F(DiscAdministration, WithoutDiscsTheDriveChangesAtTheNextStart) {
    root.write("data/DK.tex", "");
    start();
    click(GCom::SetDrive);
    auto* letters = find<QListWidget>(Control::DriveLetters);
    letters->setCurrentItem(letters->findItems("F", Qt::MatchExactly).value(0));
    click(WCom::Continue);
    EXPECT_EQ(find<QLabel>(Control::DefaultDrive)->text(), "E");
    EXPECT_EQ(TempFolder::read(program / "SSc.ini"), "F\r\n");
    click(WCom::Fix); // FiX only closes the panel
}

TEST_F(DiscAdministration, TemporaryDrivesAreChosenByClickAndSetByRightPress) {
    start();
    QTest::mouseClick(find<QLabel>(Control::DefaultDriveCaption), Qt::LeftButton);
    EXPECT_FALSE(find<QWidget>(Control::TemporaryDrives)->isHidden());
    const auto ask = [&](std::optional<QString> answer) {
        dialogs.expectInput("Create temporary external drive(s)",
                            "Type the letter of the CD/DvD Drive and enter", answer);
        rightPress(find<QWidget>(SellD::Third));
    };
    ask("x");
    EXPECT_EQ(find<QAbstractButton>(SellD::Third)->text(), "X");
    EXPECT_EQ(find<QLabel>(Control::DefaultDrive)->text(), "X");
    EXPECT_EQ(common::SettingsStore("DRAVIK 2016").value("TmpDrive", "SellD2"), "X");
    EXPECT_FALSE(find<QWidget>(Control::TemporaryDrives)->isHidden()); // stays open for a click
    dialogs.expectInput("Create temporary external drive(s)",
                        "Type the letter of the CD/DvD Drive and enter", "xy");
    dialogs.expectMessage("Create temporary external drive(s)", "A drive is one letter, A to Z.",
                          Buttons::Ok, Icon::Warning, 1);
    rightPress(find<QWidget>(SellD::Third));
    ask(std::nullopt); // cancelled: nothing changes
    EXPECT_EQ(find<QAbstractButton>(SellD::Third)->text(), "X");
    click(SellD::First);
    EXPECT_EQ(find<QLabel>(Control::DefaultDrive)->text(), "H");
    EXPECT_TRUE(find<QWidget>(Control::TemporaryDrives)->isHidden());
    EXPECT_EQ(TempFolder::read(program / "SSc.ini"), "E\r\n");
    ask(""); // an empty answer empties the panel and the drive
    EXPECT_EQ(find<QAbstractButton>(SellD::Third)->text(), "");
    EXPECT_EQ(find<QLabel>(Control::DefaultDrive)->text(), "");
    EXPECT_EQ(common::SettingsStore("DRAVIK 2016").value("TmpDrive", "SellD2", "?"), "");
}

TEST_F(DiscAdministration, OldListsAreCleanedAndTodaysAreLeftAlone) {
    std::string old;
    for (int i = 0; i < 10; ++i)
        old += (i < 3 ? "   entry " : "stamp ") + std::to_string(i) + "\r\n";
    root.write("data/Old.rtf", old);
    start();
    QTest::mouseClick(find<QLabel>(Control::ListState), Qt::LeftButton);
    auto* lists = find<common::ui::FileListBox>(Control::OldLists);
    EXPECT_FALSE(find<QWidget>(Control::OldFilesBox)->isHidden());
    for (const char* name : {"Old.rtf", "Holiday.rtf"})
        lists->findItems(name, Qt::MatchExactly).value(0)->setSelected(true);
    click(XCom::Go);
    EXPECT_EQ(TempFolder::read(data / "Old.rtf"),
              "   entry 0\r\n   entry 1\r\n   entry 2\r\n 10 \r\n");
    EXPECT_EQ(TempFolder::read(data / "Holiday.rtf"),
              "\"E:\\Photos\\\",\"beach.jpg\"\r\n1 files : 1 folders\r\n");
    EXPECT_EQ(find<QLabel>(Control::Status)->text(),
              "Delete obsolute entries: 7 * Finished * (1 list(s) "
              "not of the older layout left as they were)");
    click(XCom::Close);
    EXPECT_TRUE(find<QWidget>(Control::OldFilesBox)->isHidden());
}

TEST(GoToFolder, SelectionsNameTheFolderBelowTheDrive) {
    EXPECT_EQ(GoToController::folderOf("E:\\Photos\\2009\\"), "\\Photos\\2009");
    EXPECT_EQ(GoToController::folderOf("\"E:\\Photos\\\",\"beach.jpg\""), "\\Photos");
    EXPECT_EQ(GoToController::folderOf("*Holiday* \"E:\\Photos\\\",\"beach.jpg\""), "\\Photos");
    EXPECT_EQ(GoToController::folderOf("E:\\"), "");
    EXPECT_FALSE(GoToController::folderOf("E"));
    EXPECT_FALSE(GoToController::folderOf(""));
}

TEST_F(DiscAdministration, GoToOpensTheFolderOnTheDiscInTheDrive) {
    root.makeFolder("disc/Photos/2009");
    start();
    auto* list = find<QPlainTextEdit>(Control::ListView);
    list->setPlainText("F:\\Photos\\2009\\");
    list->selectAll();
    QTest::mouseClick(find<QLabel>(Control::GoTo), Qt::LeftButton);
    EXPECT_EQ(find<common::ui::DriveListBox>(Control::Drives)->drive(), "e:");
    EXPECT_EQ(find<common::ui::FolderListBox>(Control::Folders)->path(), disc / "Photos" / "2009");
    list->setPlainText("\"E:\\Music\\\",\"song.mp3\"");
    list->selectAll();
    dialogs.expectPanel("Wrong Disc",
                        "Although there is a disc in the specified drive, it's not the correct "
                        "one!",
                        Buttons::Ok, Icon::Warning, Answer::Yes);
    QTest::mouseClick(find<QLabel>(Control::GoTo), Qt::LeftButton);
    EXPECT_EQ(find<common::ui::FolderListBox>(Control::Folders)->path(), home);
    std::filesystem::remove_all(disc);
    list->selectAll();
    dialogs.expectPanel("Drive ERROR", "There is no disc in the drive!", Buttons::Ok, Icon::Warning,
                        Answer::Yes);
    QTest::mouseClick(find<QLabel>(Control::GoTo), Qt::LeftButton);
    EXPECT_EQ(find<common::ui::DriveListBox>(Control::Drives)->drive(), "c:");
}

TEST_F(DiscAdministration, GoToWithoutADriveSaysWhatToDo) {
    start({}, false);
    auto* list = find<QPlainTextEdit>(Control::ListView);
    list->setPlainText("E:\\Photos\\");
    list->selectAll();
    dialogs.expectPanelHeading("No drive set", 6);
    QTest::mouseClick(find<QLabel>(Control::GoTo), Qt::LeftButton);
    EXPECT_TRUE(dialogs.allAnswered());
}
