#include "common/ui/drive_list_box.h"
#include "dravik/catalogue/catalogue_controller.h"
#include "dravik/controls/control_names.h"
#include "dravik/controls/engraved_button.h"
#include "dravik/testing/catalogue_fixture.h"
#include "dravik/walker/walk_lock.h"

#include <QComboBox>
#include <QDateTime>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <QTimer>

using common::testing::TempFolder;
using common::ui::Buttons;
using common::ui::Icon;
using dravik::catalogue::CatalogueController;
using dravik::workspace::NamingState;
namespace Answer = common::ui::Answer;
using dravik::controls::XLab;
namespace Control = dravik::controls::Control;

namespace {

const QString DiscErrorText =
    "An unforseen problem:\n1.   Disc in drive is blank\n2.  Disc in drive is a RW and settings "
    "to read were not installed\n3.  Disc cannot be read (for whatever reason)\n\nConclusion:\nIf "
    "the problem persist, use another disc to write and store data and/or information using this "
    "name for later creation.";

class Cataloguing : public dravik::testing::CatalogueFixture {
protected:
    void SetUp() override {
        CatalogueFixture::SetUp();
        root.write("disc/autorun.inf", "x");
        root.write("disc/Photos/img 1.jpg", "x");
    }
    void typeName(const QString& name) {
        auto* box = find<QComboBox>(Control::DiscBox);
        box->setEditText(name);
        QTest::keyRelease(box, Qt::Key_Shift);
    }
    void enter() { QTest::keyClick(find<QComboBox>(Control::DiscBox), Qt::Key_Return); }
    std::string list(const std::string& name) { return TempFolder::read(data / (name + ".rtf")); }
    static const char* expectedList() {
        return "\"E:\\\",\"autorun.inf\"\r\n\"E:\\Photos\\\",\"img 1.jpg\"\r\n"
               "2 files : 1 folders\r\n";
    }
};

} // namespace

TEST_F(Cataloguing, AutomaticModeBuildsANewNameWithoutQuestions) {
    startPanels();
    typeName("Disc 1");
    enter();
    EXPECT_TRUE(dialogs.allAnswered());
    EXPECT_EQ(list("Disc 1"), expectedList());
    EXPECT_EQ(TempFolder::read(data / "DK.tex"), "Disc 1\r\n");
    EXPECT_EQ(common::SettingsStore("DRAVIK 2016").value("Changes", "NewDisc"), "True");
    EXPECT_FALSE(std::filesystem::exists(program / "File.List.Qel"));
    EXPECT_EQ(services->caption(), "Dravik [Disc 1.rtf ] Dir:1 File:2");
    EXPECT_EQ(find<QPlainTextEdit>(Control::ListView)->toPlainText(),
              "\"E:\\\",\"autorun.inf\"\n\"E:\\Photos\\\",\"img 1.jpg\"\n2 files : 1 folders\n");
    EXPECT_EQ(find<QLabel>(Control::Status)->text(), "Finished.");
    EXPECT_EQ(find<QLabel>(Control::ListState)->palette().color(QPalette::Window),
              QColor(0, 255, 0));
    EXPECT_EQ(find<QLabel>(Control::FileCount)->text(), "2");
    EXPECT_EQ(find<QLabel>(Control::FolderCount)->text(), "1");
    EXPECT_EQ(find<QComboBox>(Control::DiscBox)->count(), 1);
    EXPECT_EQ(ws->namingState, NamingState::NeedsName);
    EXPECT_TRUE(find<QLabel>(Control::CreatingNotice)->isHidden());
}

TEST_F(Cataloguing, ManualModeAsksInOrder) {
    startPanels();
    ws->automatic = false;
    dialogs.expectPanelHeading("Autorun Message", 6);
    dialogs.expectPanel("Name Set", "Are you ready to start?", Buttons::YesNo, Icon::Question,
                        Answer::Yes);
    dialogs.expectPanel("Just to make certain",
                        "The following drive will be build:\n\nDrive: [E]\n Name: [Disc 2].\n\nDo "
                        "you want me to continue?",
                        Buttons::YesNo, Icon::Question, Answer::Yes);
    typeName("Disc 2");
    enter();
    EXPECT_EQ(list("Disc 2"), expectedList());
}

TEST_F(Cataloguing, ManualModeNoBeforeTheBuildWritesNoList) {
    startPanels();
    ws->automatic = false;
    dialogs.expectPanelHeading("Autorun Message", 6);
    dialogs.expectPanelHeading("Name Set", 7);
    typeName("Later");
    enter();
    EXPECT_FALSE(std::filesystem::exists(data / "Later.rtf"));
    EXPECT_EQ(TempFolder::read(data / "DK.tex"), ""); // no list, so the index does not name it
}

TEST_F(Cataloguing, ExistingNameInOtherCaseAsksBeforeReuse) {
    root.write("data/DK.tex", "Other\r\nHoliday\r\n");
    root.write("data/Holiday.rtf", "old\r\n");
    startPanels();
    dialogs.expectPanel("Name EXISTS!!!", "The name already exists. Must I re-used the name?",
                        Buttons::YesNo, Icon::Warning, Answer::No);
    typeName("HOLIDAY");
    enter();
    EXPECT_EQ(list("Holiday"), "old\r\n");
    dialogs.expectPanelHeading("Name EXISTS!!!", 6);
    enter();
    EXPECT_EQ(list("Holiday"), expectedList()); // replaced whole, same file
    EXPECT_EQ(TempFolder::read(data / "DK.tex"), "Other\r\nHoliday\r\n");
}

TEST_F(Cataloguing, ChosenExistingDiscAsksToRebuildOrOpens) {
    root.write("data/DK.tex", "Holiday\r\n");
    startPanels();
    int opened = 0;
    cataloguing->setOpener([&] { ++opened; });
    find<QComboBox>(Control::DiscBox)->setCurrentIndex(0);
    QTest::keyRelease(find<QComboBox>(Control::DiscBox), Qt::Key_Shift);
    EXPECT_TRUE(ws->nameExists);
    dialogs.expectMessage("Disc with filename already exists",
                          "File already exists.\nDo you want to Re-USE this filename? (Rebuild)",
                          Buttons::YesNo, Icon::Question, 7);
    enter();
    EXPECT_EQ(opened, 1);
    EXPECT_FALSE(std::filesystem::exists(data / "Holiday.rtf"));
    typeName("Holiday 2");
    EXPECT_FALSE(ws->nameExists);
}

TEST_F(Cataloguing, ARebuildSaysWhatChangedSinceThePreviousList) {
    startPanels();
    typeName("Disc 1");
    enter();
    std::filesystem::remove(disc / "autorun.inf");
    root.write("disc/new.txt", "new");
    root.write("disc/Photos/img 1.jpg", "larger");
    typeName("Disc 1");
    dialogs.expectMessage("Disc with filename already exists",
                          "File already exists.\nDo you want to Re-USE this filename? (Rebuild)",
                          Buttons::YesNo, Icon::Question, Answer::Yes);
    dialogs.expectPanelHeading("Name EXISTS!!!", Answer::Yes);
    enter();
    EXPECT_TRUE(dialogs.allAnswered());
    const QString today = QDateTime::currentDateTimeUtc().toString("yyyy-MM-dd");
    EXPECT_EQ(find<QLabel>(Control::Status)->text(),
              "1 files added, 1 removed, 1 changed size since " + today);
    EXPECT_EQ(TempFolder::read(data / "DK.tex"), "Disc 1\r\n");
}

TEST_F(Cataloguing, AFailedBuildGivesTheWindowBack) {
    startPanels();
    const QColor normal = find<QLabel>(Control::Status)->palette().color(QPalette::Window);
    root.makeFolder("data/Blocked.rtf"); // the list cannot be published over a folder
    typeName("Blocked");
    dialogs.expectMessage({},
                          "GCom_click(0)-(75)\n" +
                              QString::fromStdString((data / "Blocked.rtf").string()) +
                              ": Is a directory",
                          Buttons::Ok, Icon::None, 1);
    enter();
    auto* status = find<QLabel>(Control::Status);
    EXPECT_FALSE(status->isHidden());
    EXPECT_NE(status->text(), "Creating Info");
    EXPECT_EQ(status->palette().color(QPalette::Window), normal);
    EXPECT_TRUE(find<QLabel>(Control::CreatingNotice)->isHidden());
    EXPECT_EQ(ws->namingState, NamingState::NeedsName);
    EXPECT_FALSE(std::filesystem::exists(program / "File.List.Qel"));
    EXPECT_EQ(TempFolder::read(data / "DK.tex"), ""); // a failed build leaves no trace
    EXPECT_EQ(find<QComboBox>(Control::DiscBox)->count(), 0);
}

TEST_F(Cataloguing, DriveWithoutAReadableDiscShowsDiscError) {
    std::filesystem::remove_all(disc);
    startPanels();
    dialogs.expectPanel("Disc ERROR", DiscErrorText, Buttons::Ok, Icon::Warning, Answer::Yes);
    typeName("Blank");
    enter();
    EXPECT_FALSE(std::filesystem::exists(data / "Blank.rtf"));
    EXPECT_EQ(TempFolder::read(data / "DK.tex"), "");
    EXPECT_TRUE(find<QLabel>(Control::UpdatingDriveNotice)->isHidden());
}

TEST_F(Cataloguing, RefusedNamesWriteNothing) {
    startPanels();
    for (const char* name : {"a/b", "..", "x:y", "a,b", "   "}) {
        dialogs.expectPanelHeading("Disc name", 6);
        typeName(name);
        enter();
    }
    EXPECT_TRUE(dialogs.allAnswered());
    EXPECT_EQ(TempFolder::read(data / "DK.tex"), "");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(data), {}), 1); // the index only
}

TEST_F(Cataloguing, ASecondWalkIsRefused) {
    startPanels();
    dravik::walker::WalkLock other(program);
    ASSERT_TRUE(other.acquire(data / "Elsewhere.rtf"));
    dialogs.expectPanel("Disc name",
                        "Another cataloguing is running (Elsewhere.rtf). Wait until it has "
                        "finished, then try again.",
                        Buttons::Ok, Icon::Warning, Answer::Yes);
    typeName("Disc 3");
    enter();
    EXPECT_EQ(TempFolder::read(data / "DK.tex"), "");
}

TEST_F(Cataloguing, TwoBuildsInARowCountFromZeroAndCreateShowsItsPanel) {
    startPanels();
    typeName("One");
    enter();
    root.write("disc/more.txt", "x");
    typeName("Two");
    bool panelShown = false;
    QTimer::singleShot(0, [&] { panelShown = !find<QLabel>(Control::CreatingNotice)->isHidden(); });
    cataloguing->create();
    EXPECT_TRUE(panelShown || !find<QLabel>(Control::CreatingNotice)->isVisible());
    EXPECT_EQ(services->caption(), "Dravik [Two.rtf ] Dir:1 File:3");
    EXPECT_EQ(find<QLabel>(Control::CreatingNotice)->text(), "CREATING. PLEASE Wait...");
    EXPECT_TRUE(find<QLabel>(Control::CreatingNotice)->isHidden());
    EXPECT_EQ(TempFolder::read(data / "DK.tex"), "One\r\nTwo\r\n");
}

TEST_F(Cataloguing, EmptyDiscCaptionShowsZeroCounts) {
    std::filesystem::remove_all(disc);
    std::filesystem::create_directory(disc);
    startPanels();
    typeName("Empty");
    enter();
    EXPECT_EQ(list("Empty"), " files :  folders\r\n");
    EXPECT_EQ(services->caption(), "Dravik [Empty.rtf ] Dir:0 File:0");
}

TEST_F(Cataloguing, NextDiscIncrementsTheTrailingNumber) {
    EXPECT_EQ(CatalogueController::nextName("Disc 9"), "Disc 10");
    EXPECT_EQ(CatalogueController::nextName("Disc 19"), "Disc 20");
    EXPECT_EQ(CatalogueController::nextName("Disc 099"), "Disc 100");
    EXPECT_EQ(CatalogueController::nextName("7"), "8");
    EXPECT_EQ(CatalogueController::nextName("Photos"), "Photos");
    EXPECT_EQ(CatalogueController::nextName(""), "");
    startPanels();
    typeName("Disc 9");
    auto* next = find<dravik::controls::EngravedButton>(Control::NextDisc);
    EXPECT_EQ(next->caption(), ">>");
    EXPECT_EQ(next->toolTipText(), "NextDisc");
    QTest::mouseClick(next->findChild<QLabel*>(objectName(XLab::Caption)), Qt::LeftButton);
    EXPECT_EQ(find<QComboBox>(Control::DiscBox)->currentText(), "Disc 10");
    EXPECT_FALSE(std::filesystem::exists(data / "Disc 10.rtf")); // nothing else happens
}

TEST_F(Cataloguing, ChangeNoticeClickStoresFalse) {
    startPanels();
    auto* notice = find<QFrame>(Control::ListsChangedNotice);
    notice->show();
    QTest::mouseClick(notice, Qt::LeftButton);
    EXPECT_TRUE(notice->isHidden());
    EXPECT_EQ(common::SettingsStore("DRAVIK 2016").value("Changes", "NewDisc"), "False");
}

TEST_F(Cataloguing, ASeriesGoesNextDiscEnterWithoutFalseQuestions) {
    root.write("data/DK.tex", "Disc 1\r\n");
    startPanels();
    auto* box = find<QComboBox>(Control::DiscBox);
    box->setEditText("Disc 1");
    EXPECT_TRUE(ws->nameExists);
    EXPECT_EQ(find<QLabel>(Control::DiscCount)->text(), "1");
    auto* next = find<dravik::controls::EngravedButton>(Control::NextDisc);
    QTest::mouseClick(next->findChild<QLabel*>(objectName(XLab::Caption)), Qt::LeftButton);
    EXPECT_EQ(box->currentText(), "Disc 2");
    EXPECT_FALSE(ws->nameExists); // changed without a key: the flag follows all the same
    ASSERT_TRUE(host->focusWidget() == box || host->focusWidget() == box->lineEdit());
    EXPECT_EQ(box->lineEdit()->selectedText(), "Disc 2");
    QTest::keyClick(host->focusWidget(), Qt::Key_Return); // no "Re-USE" question
    EXPECT_EQ(list("Disc 2"), expectedList());
    EXPECT_EQ(find<QLabel>(Control::DiscCount)->text(), "2"); // the counter follows the index
    QTest::mouseClick(next->findChild<QLabel*>(objectName(XLab::Caption)), Qt::LeftButton);
    QTest::keyClick(host->focusWidget(), Qt::Key_Return);
    EXPECT_EQ(TempFolder::read(data / "DK.tex"), "Disc 1\r\nDisc 2\r\nDisc 3\r\n");
    EXPECT_EQ(find<QLabel>(Control::DiscCount)->text(), "3");
}

TEST_F(Cataloguing, WithoutADefaultDriveItSaysToSetOne) {
    startPanels(false);
    dialogs.expectPanel("No CD/DVD drive",
                        "The CD/DVD drive to catalogue from has not been set yet.\n\nPress \"Set "
                        "CD/DVD\", choose the drive's letter and press \"Continue\"; then press "
                        "Enter in the disc box again.",
                        Buttons::Ok, Icon::Warning, Answer::Yes);
    typeName("Disc 1");
    enter();
    EXPECT_EQ(TempFolder::read(data / "DK.tex"), "");
}
