#include "common/process_starter.h"
#include "common/ui/drive_list_box.h"
#include "dravik/controls/command_array.h"
#include "dravik/controls/control_names.h"
#include "dravik/controls/list_text_edit.h"
#include "dravik/controls/list_view_panel.h"
#include "dravik/search/find_panel.h"
#include "dravik/testing/main_window_fixture.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTest>
#include <QTimer>

using common::ui::Buttons;
using common::ui::Icon;
using dravik::controls::FCom;
using dravik::controls::GCom;
using dravik::controls::SetCom;
using dravik::controls::SoekCom;
using dravik::controls::SSPanel1;
using dravik::controls::WCom;
using dravik::controls::XCom;
using dravik::search::FindPanel;
using dravik::window::MainWindow;
namespace Control = dravik::controls::Control;

namespace {

struct Element {
    QString name;
    const char* caption;
    QString help;
    const char* tooltip;
    bool routed;
};

const QString FindHint =
    "F3 search 1st instance. F4 search through disc. Global search all discs. [";

const QString FromStart = "Internal-Starts from the beginning of the list";

class Routing : public dravik::testing::MainWindowFixture {
protected:
    void hover(const QString& name) {
        QEvent enter(QEvent::Enter);
        QApplication::sendEvent(find<QWidget>(name), &enter);
    }
    QString helpLine() { return find<QLabel>(Control::HelpLine)->text(); }
};

} // namespace

TEST_F(Routing, EveryArrayHasItsElementsCaptionsAndHelp) {
    start();
    const Element table[] = {
        {objectName(GCom::SearchHelp), "SHelp", "&H0000FF00&", "", true},
        {objectName(GCom::FindFirst), "Find-F3", "Internal-Starts from the beginning of the list",
         "", true},
        {objectName(GCom::FindNext), "Find Next-F4", "Internal-Find the next item", "", true},
        {objectName(GCom::FindGlobal), "Find Global", "External-Find in all the disc something...",
         "", true},
        {objectName(GCom::RefreshDriveInfo), "Refresh Drive Info",
         "Rfresh disc info. Make sure it is the correct disc in the drive!", "", true},
        {objectName(GCom::SetDrive), "Set CD/DVD",
         "Done only once, unless a new Source drive is selected", "", true},
        {objectName(GCom::Create), "CREATE", "", "", true},
        {objectName(GCom::Report), "Report", "Internal-Starts from the beginning of the list", "",
         true},
        {objectName(GCom::ListViewSwitch), "ER", "Internal-Starts from the beginning of the list",
         "", true},
        {objectName(GCom::CloseFindMenu), "X", "Close Find menu", "Close Find menu", true},
        {objectName(GCom::LoadReport), "Load", "Internal-Starts from the beginning of the list", "",
         true},
        {objectName(GCom::SaveReport), "Save", "Internal-Starts from the beginning of the list", "",
         true},
        {objectName(SSPanel1::FindBox), "-F2", "Press F2 to activate search text box",
         "Press F2 to activate search text box", true},
        {objectName(SSPanel1::Rename), "F5",
         "Press F5 to setfocus on the list/ Click to RENAME current disc", "", true},
        {objectName(SSPanel1::Open), "OPEN", "Open Selected disc", "", true},
        {objectName(SSPanel1::DeleteDisc), "Delete Disc", "DELETE selected disc", "", true},
        {objectName(SSPanel1::ClearFindHistory), "DEL", "Delete ALL search entries", "", true},
        {objectName(SSPanel1::DeleteMany), "Delete Many Discs", "DELETE multiple discs", "", true},
        {objectName(SSPanel1::CloseDeleteMany), "X", "Close this box", "", true},
        {objectName(SSPanel1::DeleteSelectedDiscs), "DELETE SELECTED DISCS",
         "DELETE the selected discs and close this box", "", true},
        {objectName(FCom::FindFirst), "Find-F3", FindHint + "Find-F3]", "", true},
        {objectName(FCom::FindNext), "Find Next-F4", FindHint + "Find Next-F4]", "", true},
        {objectName(FCom::FindGlobal), "Find Global", FindHint + "Find Global]", "", true},
        {objectName(SoekCom::CancelSearch), "Cancel Search", "", "", true},
        {objectName(SoekCom::SelectAll), "Select ALL", "", "", true},
        {objectName(SoekCom::SelectNone), "Select NONE", "", "", true},
        {objectName(SoekCom::Start), "START", "", "", true},
        {objectName(SoekCom::RememberSelection), "Remember Selection", "", "", true},
        {objectName(SoekCom::SetSelection), "SET Selection", "", "SET Selection", true},
        {objectName(SoekCom::AddExtension), "ADD Extention", "", "", true},
        {objectName(SoekCom::SearchExtension), "Search Extention", "", "", true},
        {objectName(SoekCom::SaveList), "Save List", "", "", true},
        {objectName(SoekCom::ClearList), "C", "", "CLEAR List", true},
        {objectName(SoekCom::DeleteSelected), "D", "", "DELETE Selected", true},
        {objectName(SoekCom::DeleteSelection), "D", "", "Delete Selection", true},
        {objectName(SoekCom::DataPath), "Data Path", "", "", true},
        {objectName(SoekCom::Category), "Category", "", "", true},
        {objectName(WCom::Continue), "Continue",
         "Set the default CD/DVD drive. If not set the program will not work!", "", true},
        {objectName(WCom::Cancel), "Cancel", "", "", true},
        {objectName(WCom::Fix), "FiX",
         "Set a NEW Drive? FiX the OLD drive info with the NEW !   (Within ALL the current Disc "
         "Files)",
         "Fix Set CD/DvD Info", true},
        {objectName(XCom::Go), "Go!", "", "", true},
        {objectName(XCom::Close), "X", "", "", true},
    };
    for (const Element& e : table) {
        auto* element = find<QAbstractButton>(e.name);
        if (!element)
            continue;
        if (e.caption) {
            EXPECT_EQ(element->text(), e.caption) << e.name.toStdString();
        }
        EXPECT_EQ(element->property("helpText").toString(), e.help) << e.name.toStdString();
        EXPECT_EQ(element->toolTip(), e.tooltip) << e.name.toStdString();
        EXPECT_EQ(element->isEnabled(), e.routed) << e.name.toStdString();
    }
    for (int missing : {0, 8, 9, 12, 13, 14})
        EXPECT_EQ(window->findChild<QWidget*>(objectName(GCom(missing))), nullptr);
}

TEST_F(Routing, HelpLineFollowsThePointer) {
    start();
    hover(objectName(GCom::RefreshDriveInfo));
    EXPECT_EQ(helpLine(), "Rfresh disc info. Make sure it is the correct disc in the drive!");
    hover(objectName(GCom::Create)); // CREATE has no help text: the line empties
    EXPECT_EQ(helpLine(), "");
    hover(objectName(SSPanel1::Open));
    EXPECT_EQ(helpLine(), "Open Selected disc");
    hover(objectName(WCom::Fix));
    EXPECT_EQ(helpLine().left(18), "Set a NEW Drive? F");
    hover(Control::LaunchList);
    EXPECT_EQ(helpLine(), "DClick to run or open. RClick to set associations");
    hover(Control::DiscBox);
    EXPECT_EQ(helpLine(), "Type the name of the disc to get data from and enter.");
}

TEST_F(Routing, FunctionKeysMoveTheFocus) {
    MainWindow& w = start();
    const auto focused = [&](const char* name) {
        QWidget* now = w.focusWidget();
        return now && (now->objectName() == name || now->parentWidget()->objectName() == name);
    };
    find<QWidget>(Control::ListView)->setFocus();
    QTest::keyClick(find<QWidget>(Control::ListView), Qt::Key_F5);
    EXPECT_TRUE(focused(Control::DiscBox));
    QTest::keyClick(find<QComboBox>(Control::DiscBox), Qt::Key_F2);
    EXPECT_TRUE(focused(Control::FindBox));
    find<QWidget>(Control::ListView)->setFocus();
    QTest::keyClick(find<QWidget>(Control::ListView), Qt::Key_A); // other keys pass on
    EXPECT_TRUE(focused(Control::ListView));
}

TEST_F(Routing, SearchHelpShowsAndHides) {
    start();
    click(GCom::SearchHelp);
    EXPECT_FALSE(find<QWidget>(Control::SearchHelp)->isHidden());
    EXPECT_EQ(find<QLabel>(Control::SearchHelpText)->text(), FindPanel::searchHelpText());
    EXPECT_EQ(FindPanel::searchHelpText().split('\n').size(), 10);
    EXPECT_EQ(FindPanel::searchHelpText().split('\n')[1],
              "Use the PIPE | comand (usually on the left of the backspace; Shift+\\");
    click(GCom::SearchHelp);
    EXPECT_TRUE(find<QWidget>(Control::SearchHelp)->isHidden());
    EXPECT_EQ(find<QLabel>(Control::SearchHelpText)->text(), "");
}

TEST_F(Routing, SetCdDvdListsTwentyThreeLetters) {
    MainWindow& w = start();
    click(GCom::SetDrive);
    auto* letters = find<QListWidget>(Control::DriveLetters);
    ASSERT_EQ(letters->count(), 23);
    EXPECT_EQ(letters->item(0)->text(), "D");
    EXPECT_EQ(letters->item(22)->text(), "Z");
    EXPECT_EQ(find<QLabel>(Control::DefaultDriveExplanation)->text(),
              "Select the letter from the list (on the right) to set the default CD/DVD "
              "drive.\n\nThis is done only once until you decide to set a new drive letter.");
    EXPECT_EQ(common::SettingsStore("DRAVIK 2016").value("Set Drive", "OLD Drive"), "E");
    EXPECT_FALSE(find<QWidget>(Control::DefaultDriveBox)->isHidden());
    click(WCom::Cancel);
    EXPECT_TRUE(find<QWidget>(Control::DefaultDriveBox)->isHidden());
    (void)w;
}

// A list shown as rows and too large to hold as one text is not made editable, and says so.
TEST_F(Routing, AListTooLargeToEditStaysReadOnlyAndSaysSo) {
    start();
    auto* list = find<dravik::controls::ListTextEdit>(Control::ListView);
    list->setRowsFrom(0);
    list->setDocumentsUpTo(10);
    list->showListFile(root.write("big.rtf", "first line\r\nsecond line\r\n"));
    click(GCom::ListViewSwitch);
    EXPECT_TRUE(list->isReadOnly());
    EXPECT_EQ(find<QLabel>(Control::Status)->text(),
              dravik::controls::ListViewPanel::TooLargeToEdit);
    list->setDocumentsUpTo(100);
    click(GCom::ListViewSwitch);
    EXPECT_FALSE(list->isReadOnly());
    EXPECT_EQ(list->toPlainText(), "first line\nsecond line\n");
}

TEST_F(Routing, ListViewSwitchAndFindMenuClose) {
    start();
    auto* list = find<QPlainTextEdit>(Control::ListView);
    EXPECT_TRUE(list->isReadOnly());
    click(GCom::ListViewSwitch);
    EXPECT_FALSE(list->isReadOnly());
    click(GCom::ListViewSwitch);
    EXPECT_TRUE(list->isReadOnly());
    find<QWidget>(Control::FindMenu)->show();
    click(GCom::CloseFindMenu);
    EXPECT_TRUE(find<QWidget>(Control::FindMenu)->isHidden());
}

TEST_F(Routing, RefreshDriveInfoKeepsTheDriveAndReportsFailures) {
    start({"E"});
    click(GCom::RefreshDriveInfo);
    EXPECT_EQ(find<common::ui::DriveListBox>(Control::Drives)->drive(), "e:");
    std::filesystem::remove_all(disc);
    dialogs.expectMessage({},
                          QString("GCom_click(5)-(68)\nDrive E: ") +
                              QString::fromStdString(disc.string()) + " cannot be read",
                          Buttons::Ok, Icon::None, 1);
    click(GCom::RefreshDriveInfo);
}

TEST_F(Routing, DataPathCommandOpensTheDialog) {
    start();
    QTimer::singleShot(0, [] {
        for (QWidget* top : QApplication::topLevelWidgets()) {
            if (top->objectName() == Control::DataPathBox && top->isVisible())
                top->findChild<QAbstractButton*>(objectName(SetCom::Cancel))->click();
        }
    });
    click(SoekCom::DataPath);
    EXPECT_EQ(window->findChild<QWidget*>(Control::DataPathBox), nullptr); // closed and gone
}

TEST_F(Routing, SplitterLabelStartsTheSplitterWithTheDisc) {
    QList<QStringList> started;
    common::ProcessStarter::replaceForTests([&](const QString& program, const QStringList& args) {
        started << (QStringList{program} + args);
        return true;
    });
    start();
    EXPECT_EQ(find<QLabel>(Control::SplitterLink)->toolTip(),
              "Split current disc in seperate files");
    find<QComboBox>(Control::DiscBox)->setEditText("Disc 1 ");
    QTest::mouseClick(find<QLabel>(Control::SplitterLink), Qt::LeftButton);
    common::ProcessStarter::replaceForTests({});
    ASSERT_EQ(started.size(), 1);
    EXPECT_TRUE(started[0][0].endsWith("dravik-splitter"));
    EXPECT_EQ(started[0].mid(1),
              QStringList{QString::fromStdString(data.string()) + "/Disc 1 .rtf,Disc 1"});
}

namespace {

const QString WaitText = "Another command is still running.\nTry this again when it has finished.";

} // namespace

TEST_F(Routing, ACatalogueChangeInsidePumpingCommandWaits) {
    root.write("data/FTex.Lys", "kept\r\n");
    start();
    // CREATE pumps events before it looks at the name: DEL arrives from inside that pump, and so
    // does the list view switch, which changes nothing in the catalogue.
    int inside = 0;
    QTimer::singleShot(0, [&] {
        ++inside;
        click(SSPanel1::ClearFindHistory);
        click(GCom::ListViewSwitch);
    });
    dialogs.expectMessage("Please wait", WaitText, Buttons::Ok, Icon::Warning,
                          common::ui::Answer::Ok);
    dialogs.expectPanelHeading("Disc name", common::ui::Answer::Yes);
    click(GCom::Create);
    EXPECT_EQ(inside, 1);
    EXPECT_EQ(dialogs.pending(), 0);
    EXPECT_EQ(find<QComboBox>(Control::FindBox)->count(), 1); // the history was not cleared
    EXPECT_FALSE(find<QPlainTextEdit>("RtB")->isReadOnly());
    // Once CREATE has ended, DEL runs again.
    dialogs.expectPanelHeading("Clear(DELETE) all search entries!!!", common::ui::Answer::No);
    click(SSPanel1::ClearFindHistory);
    EXPECT_EQ(dialogs.pending(), 0);
}

TEST_F(Routing, EnterInTheDiscBoxWaitsForARunningCommand) {
    start();
    find<QComboBox>("TeX")->setEditText("New disc");
    QTimer::singleShot(0, [&] { QTest::keyClick(find<QComboBox>("TeX"), Qt::Key_Return); });
    dialogs.expectInput("Search for another word",
                        "Type in the new word to search for:", std::nullopt);
    dialogs.expectMessage("Please wait", WaitText, Buttons::Ok, Icon::Warning,
                          common::ui::Answer::Ok);
    click(GCom::FindFirst); // Find-F3 pumps once its word is asked for
    EXPECT_EQ(dialogs.pending(), 0);
    EXPECT_FALSE(std::filesystem::exists(data / "New disc.rtf"));
}

TEST_F(Routing, DataPathWaitsForARunningCommand) {
    start();
    bool opened = false;
    QTimer::singleShot(0, [&] { click(SoekCom::DataPath); });
    QTimer::singleShot(0, [&] { // had it opened, this closes it
        for (QWidget* top : QApplication::topLevelWidgets()) {
            if (top->objectName() == "SetDPad" && top->isVisible()) {
                opened = true;
                top->findChild<QAbstractButton*>("SetCom_1")->click();
            }
        }
    });
    dialogs.expectInput("Search for another word",
                        "Type in the new word to search for:", std::nullopt);
    dialogs.expectMessage("Please wait", WaitText, Buttons::Ok, Icon::Warning,
                          common::ui::Answer::Ok);
    click(GCom::FindFirst);
    EXPECT_EQ(dialogs.pending(), 0);
    EXPECT_FALSE(opened);
}
