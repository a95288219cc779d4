#include "common/process_starter.h"
#include "common/ui/drive_list_box.h"
#include "dravik/controls/command_array.h"
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
using dravik::search::FindPanel;
using dravik::window::MainWindow;

namespace {

struct Element {
    const char* name;
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
    QString helpLine() { return find<QLabel>("hP")->text(); }
};

} // namespace

TEST_F(Routing, EveryArrayHasItsElementsCaptionsAndHelp) {
    start();
    const Element table[] = {
        {"GCom_1", "SHelp", "&H0000FF00&", "", true},
        {"GCom_2", "Find-F3", "Internal-Starts from the beginning of the list", "", true},
        {"GCom_3", "Find Next-F4", "Internal-Find the next item", "", true},
        {"GCom_4", "Find Global", "External-Find in all the disc something...", "", true},
        {"GCom_5", "Refresh Drive Info",
         "Rfresh disc info. Make sure it is the correct disc in the drive!", "", true},
        {"GCom_6", "Set CD/DVD", "Done only once, unless a new Source drive is selected", "", true},
        {"GCom_7", "CREATE", "", "", true},
        {"GCom_10", "Report", "Internal-Starts from the beginning of the list", "", true},
        {"GCom_11", "ER", "Internal-Starts from the beginning of the list", "", true},
        {"GCom_15", "X", "Close Find menu", "Close Find menu", true},
        {"GCom_16", "Load", "Internal-Starts from the beginning of the list", "", true},
        {"GCom_17", "Save", "Internal-Starts from the beginning of the list", "", true},
        {"SSPanel1_0", "-F2", "Press F2 to activate search text box",
         "Press F2 to activate search text box", true},
        {"SSPanel1_1", "F5", "Press F5 to setfocus on the list/ Click to RENAME current disc", "",
         true},
        {"SSPanel1_2", "OPEN", "Open Selected disc", "", true},
        {"SSPanel1_3", "Delete Disc", "DELETE selected disc", "", true},
        {"SSPanel1_4", "DEL", "Delete ALL search entries", "", true},
        {"SSPanel1_5", "Delete Many Discs", "DELETE multiple discs", "", true},
        {"SSPanel1_6", "X", "Close this box", "", true},
        {"SSPanel1_7", "DELETE SELECTED DISCS", "DELETE the selected discs and close this box", "",
         true},
        {"FCom_0", "Find-F3", FindHint + "Find-F3]", "", true},
        {"FCom_1", "Find Next-F4", FindHint + "Find Next-F4]", "", true},
        {"FCom_2", "Find Global", FindHint + "Find Global]", "", true},
        {"SoekCom_0", "Cancel Search", "", "", true},
        {"SoekCom_1", "Select ALL", "", "", true},
        {"SoekCom_2", "Select NONE", "", "", true},
        {"SoekCom_3", "START", "", "", true},
        {"SoekCom_4", "Remember Selection", "", "", true},
        {"SoekCom_5", "SET Selection", "", "SET Selection", true},
        {"SoekCom_6", "ADD Extention", "", "", true},
        {"SoekCom_7", "Search Extention", "", "", true},
        {"SoekCom_8", "Save List", "", "", true},
        {"SoekCom_9", "C", "", "CLEAR List", true},
        {"SoekCom_10", "D", "", "DELETE Selected", true},
        {"SoekCom_11", "D", "", "Delete Selection", true},
        {"SoekCom_12", "Data Path", "", "", true},
        {"SoekCom_13", "Category", "", "", true},
        {"WCom_0", "Continue",
         "Set the default CD/DVD drive. If not set the program will not work!", "", true},
        {"WCom_1", "Cancel", "", "", true},
        {"WCom_2", "FiX",
         "Set a NEW Drive? FiX the OLD drive info with the NEW !   (Within ALL the current Disc "
         "Files)",
         "Fix Set CD/DvD Info", true},
        {"XCom_0", "Go!", "", "", true},
        {"XCom_1", "X", "", "", true},
    };
    for (const Element& e : table) {
        auto* element = find<QAbstractButton>(e.name);
        if (!element)
            continue;
        if (e.caption) {
            EXPECT_EQ(element->text(), e.caption) << e.name;
        }
        EXPECT_EQ(element->property("helpText").toString(), e.help) << e.name;
        EXPECT_EQ(element->toolTip(), e.tooltip) << e.name;
        EXPECT_EQ(element->isEnabled(), e.routed) << e.name;
    }
    for (int missing : {0, 8, 9, 12, 13, 14})
        EXPECT_EQ(window->findChild<QWidget*>(QString("GCom_%1").arg(missing)), nullptr);
}

TEST_F(Routing, HelpLineFollowsThePointer) {
    start();
    hover("GCom_5");
    EXPECT_EQ(helpLine(), "Rfresh disc info. Make sure it is the correct disc in the drive!");
    hover("GCom_7"); // CREATE has no help text: the line empties
    EXPECT_EQ(helpLine(), "");
    hover("SSPanel1_2");
    EXPECT_EQ(helpLine(), "Open Selected disc");
    hover("WCom_2");
    EXPECT_EQ(helpLine().left(18), "Set a NEW Drive? F");
    hover("FiL");
    EXPECT_EQ(helpLine(), "DClick to run or open. RClick to set associations");
    hover("TeX");
    EXPECT_EQ(helpLine(), "Type the name of the disc to get data from and enter.");
}

TEST_F(Routing, FunctionKeysMoveTheFocus) {
    MainWindow& w = start();
    const auto focused = [&](const char* name) {
        QWidget* now = w.focusWidget();
        return now && (now->objectName() == name || now->parentWidget()->objectName() == name);
    };
    find<QWidget>("RtB")->setFocus();
    QTest::keyClick(find<QWidget>("RtB"), Qt::Key_F5);
    EXPECT_TRUE(focused("TeX"));
    QTest::keyClick(find<QComboBox>("TeX"), Qt::Key_F2);
    EXPECT_TRUE(focused("FTex"));
    find<QWidget>("RtB")->setFocus();
    QTest::keyClick(find<QWidget>("RtB"), Qt::Key_A); // other keys pass on
    EXPECT_TRUE(focused("RtB"));
}

TEST_F(Routing, SearchHelpShowsAndHides) {
    start();
    click("GCom_1");
    EXPECT_FALSE(find<QWidget>("SHelp")->isHidden());
    EXPECT_EQ(find<QLabel>("SHelpLab")->text(), FindPanel::searchHelpText());
    EXPECT_EQ(FindPanel::searchHelpText().split('\n').size(), 10);
    EXPECT_EQ(FindPanel::searchHelpText().split('\n')[1],
              "Use the PIPE | comand (usually on the left of the backspace; Shift+\\");
    click("GCom_1");
    EXPECT_TRUE(find<QWidget>("SHelp")->isHidden());
    EXPECT_EQ(find<QLabel>("SHelpLab")->text(), "");
}

TEST_F(Routing, SetCdDvdListsTwentyThreeLetters) {
    MainWindow& w = start();
    click("GCom_6");
    auto* letters = find<QListWidget>("SScLys");
    ASSERT_EQ(letters->count(), 23);
    EXPECT_EQ(letters->item(0)->text(), "D");
    EXPECT_EQ(letters->item(22)->text(), "Z");
    EXPECT_EQ(find<QLabel>("Label3")->text(),
              "Select the letter from the list (on the right) to set the default CD/DVD "
              "drive.\n\nThis is done only once until you decide to set a new drive letter.");
    EXPECT_EQ(common::SettingsStore("DRAVIK 2016").value("Set Drive", "OLD Drive"), "E");
    EXPECT_FALSE(find<QWidget>("WDrive")->isHidden());
    click("WCom_1");
    EXPECT_TRUE(find<QWidget>("WDrive")->isHidden());
    (void)w;
}

TEST_F(Routing, ListViewSwitchAndFindMenuClose) {
    start();
    auto* list = find<QPlainTextEdit>("RtB");
    EXPECT_TRUE(list->isReadOnly());
    click("GCom_11");
    EXPECT_FALSE(list->isReadOnly());
    click("GCom_11");
    EXPECT_TRUE(list->isReadOnly());
    find<QWidget>("FindMenuPan")->show();
    click("GCom_15");
    EXPECT_TRUE(find<QWidget>("FindMenuPan")->isHidden());
}

TEST_F(Routing, RefreshDriveInfoKeepsTheDriveAndReportsFailures) {
    start({"E"});
    click("GCom_5");
    EXPECT_EQ(find<common::ui::DriveListBox>("Drive1")->drive(), "e:");
    std::filesystem::remove_all(disc);
    dialogs.expectMessage({},
                          QString("GCom_click(5)-(68)\nDrive E: ") +
                              QString::fromStdString(disc.string()) + " cannot be read",
                          Buttons::Ok, Icon::None, 1);
    click("GCom_5");
}

TEST_F(Routing, DataPathCommandOpensTheDialog) {
    start();
    QTimer::singleShot(0, [] {
        for (QWidget* top : QApplication::topLevelWidgets()) {
            if (top->objectName() == "SetDPad" && top->isVisible())
                top->findChild<QAbstractButton*>("SetCom_1")->click();
        }
    });
    click("SoekCom_12");
    EXPECT_EQ(window->findChild<QWidget*>("SetDPad"), nullptr); // closed and gone
}

TEST_F(Routing, SplitterLabelStartsTheSplitterWithTheDisc) {
    QList<QStringList> started;
    common::ProcessStarter::replaceForTests([&](const QString& program, const QStringList& args) {
        started << (QStringList{program} + args);
        return true;
    });
    start();
    EXPECT_EQ(find<QLabel>("Splitter")->toolTip(), "Split current disc in seperate files");
    find<QComboBox>("TeX")->setEditText("Disc 1 ");
    QTest::mouseClick(find<QLabel>("Splitter"), Qt::LeftButton);
    common::ProcessStarter::replaceForTests({});
    ASSERT_EQ(started.size(), 1);
    EXPECT_TRUE(started[0][0].endsWith("/splitter"));
    EXPECT_EQ(started[0].mid(1),
              QStringList{QString::fromStdString(data.string()) + "/Disc 1 .rtf,Disc 1"});
}

namespace {

const QString WaitText = "Another command is still running.\nTry this again when it has finished.";

} // namespace

TEST_F(Routing, ACatalogueChangeInsidePumpingCommandWaits) {
    start();
    find<QComboBox>("FTex")->addItem("kept");
    // CREATE pumps events before it looks at the name: DEL arrives from inside that pump, and so
    // does the list view switch, which changes nothing in the catalogue.
    int inside = 0;
    QTimer::singleShot(0, [&] {
        ++inside;
        click("SSPanel1_4");
        click("GCom_11");
    });
    dialogs.expectMessage("Please wait", WaitText, Buttons::Ok, Icon::Warning,
                          common::ui::Answer::Ok);
    dialogs.expectPanelHeading("Disc name", common::ui::Answer::Yes);
    click("GCom_7");
    EXPECT_EQ(inside, 1);
    EXPECT_EQ(dialogs.pending(), 0);
    EXPECT_EQ(find<QComboBox>("FTex")->count(), 1); // the history was not cleared
    EXPECT_FALSE(find<QPlainTextEdit>("RtB")->isReadOnly());
    // Once CREATE has ended, DEL runs again.
    dialogs.expectPanelHeading("Clear(DELETE) all search entries!!!", common::ui::Answer::No);
    click("SSPanel1_4");
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
    click("GCom_2"); // Find-F3 pumps once its word is asked for
    EXPECT_EQ(dialogs.pending(), 0);
    EXPECT_FALSE(std::filesystem::exists(data / "New disc.rtf"));
}

TEST_F(Routing, DataPathWaitsForARunningCommand) {
    start();
    bool opened = false;
    QTimer::singleShot(0, [&] { click("SoekCom_12"); });
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
    click("GCom_2");
    EXPECT_EQ(dialogs.pending(), 0);
    EXPECT_FALSE(opened);
}
