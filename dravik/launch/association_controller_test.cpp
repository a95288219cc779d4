#include "common/process_starter.h"
#include "common/ui/drive_list_box.h"
#include "common/ui/file_list_box.h"
#include "common/ui/folder_list_box.h"
#include "dravik/controls/command_array.h"
#include "dravik/controls/command_index.h"
#include "dravik/controls/control_tag.h"
#include "dravik/controls/list_view_panel.h"
#include "dravik/launch/association_controller.h"
#include "dravik/launch/association_help.h"
#include "dravik/launch/association_model.h"
#include "dravik/launch/association_panel.h"
#include "dravik/launch/launch_controller.h"
#include "dravik/testing/fake_window_services.h"
#include "dravik/testing/main_window_fixture.h"
#include "dravik/testing/view_rows.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QMouseEvent>
#include <QTest>
#include <QTextEdit>

using common::testing::TempFolder;
using common::ui::Buttons;
using common::ui::Icon;
using dravik::controls::SoCCom;
namespace Answer = common::ui::Answer;

namespace {

// The association panel with its controllers in a plain widget, and a launch list beside it.
class Associations : public dravik::testing::MainWindowFixture {
protected:
    QWidget host;
    QListWidget launchList{&host};
    dravik::controls::ListViewPanel list{&host};
    dravik::controls::CommandArray soCCom{"SoCCom", dravik::controls::CommandArray::Look::Button};
    std::unique_ptr<dravik::testing::FakeWindowServices> services;
    std::unique_ptr<dravik::workspace::Workspace> ws;
    dravik::launch::AssociationModel model;
    std::unique_ptr<dravik::launch::AssociationPanel> panel;
    std::unique_ptr<dravik::launch::AssociationController> linking;
    std::unique_ptr<dravik::launch::LaunchController> launching;
    QString extension = "txt";

    void SetUp() override {
        MainWindowFixture::SetUp();
        services = std::make_unique<dravik::testing::FakeWindowServices>(dialogs);
        ws = std::make_unique<dravik::workspace::Workspace>(drives());
        ws->locateFolders(data);
        model.prepare(ws->dataFolder());
        panel = std::make_unique<dravik::launch::AssociationPanel>(&host, ws->drives(), soCCom);
        panel->showModel(model);
        const dravik::services::FeatureContext context{*ws, *services, list};
        linking = std::make_unique<dravik::launch::AssociationController>(
            *panel, model, context, [this] { return extension; });
        launching = std::make_unique<dravik::launch::LaunchController>(&launchList, model, *linking,
                                                                       context);
        host.resize(1000, 700);
        host.show();
    }
    void TearDown() override {
        launching.reset();
        linking.reset();
        panel.reset();
        MainWindowFixture::TearDown();
    }
    void rightPress(QWidget* area) { QTest::mousePress(area, Qt::RightButton, {}, QPoint(3, 3)); }
    static void choose(QListView* list, const QString& text) {
        dravik::testing::clickRow(list, text);
    }
    static QStringList shown(const QListView* list) { return dravik::testing::shownRows(list); }
};

} // namespace

TEST_F(Associations, SelectLinksTheCurrentExtensionToTheChosenProgram) {
    root.write("home/Tools/ed.exe", "");
    linking->select(); // nothing chosen in the picker: nothing written
    EXPECT_FALSE(std::filesystem::exists(data / "DK.soc"));
    EXPECT_FALSE(panel->hint()->text().isEmpty());
    panel->pickerFolders()->setPath(home / "Tools");
    choose(panel->pickerFiles(), "ed.exe");
    const QString program = QString::fromStdString((home / "Tools" / "ed.exe").string());
    EXPECT_EQ(panel->line()->text(), program);
    linking->select();
    EXPECT_EQ(TempFolder::read(data / "DK.soc"), "txt " + program.toStdString() + "\r\n");
    EXPECT_EQ(shown(panel->links()).last(), "txt " + program);
}

TEST_F(Associations, EditedAndDeleteRewriteTheWholeListAndDeleteCanBeUndone) {
    root.write("data/DK.soc", "txt /bin/a\r\ndoc /bin/b\r\nmp3 /bin/c\r\n");
    model.loadLinks(ws->dataFolder());
    linking->edited(); // an empty line: nothing
    EXPECT_EQ(TempFolder::read(data / "DK.mmd"), "");
    rightPress(panel->links()->viewport()); // nothing deleted yet: no question
    EXPECT_FALSE(panel->editedButton()->isEnabled());
    QTest::keyClicks(panel->line(), "x");
    EXPECT_TRUE(panel->editedButton()->isEnabled()); // typing makes it worth storing
    choose(panel->links(), "doc /bin/b");
    EXPECT_EQ(panel->line()->text(), "doc /bin/b");
    panel->line()->setText("doc /bin/word");
    linking->edited();
    EXPECT_EQ(model.links(), (QStringList{"txt /bin/a", "mp3 /bin/c", "doc /bin/word"}));
    EXPECT_EQ(shown(panel->links()).at(2), "doc /bin/word");
    EXPECT_EQ(TempFolder::read(data / "DK.mmd"), "txt /bin/a\r\nmp3 /bin/c\r\ndoc /bin/word\r\n");
    EXPECT_EQ(TempFolder::read(data / "DK.soc"), TempFolder::read(data / "DK.mmd"));
    EXPECT_EQ(panel->line()->text(), "");
    choose(panel->links(), "txt /bin/a");
    linking->remove();
    EXPECT_EQ(TempFolder::read(data / "DK.mmd"), "mp3 /bin/c\r\ndoc /bin/word\r\n");
    dialogs.expectPanel("Undo Last Deletion", "Undo DELETE association?", Buttons::YesNo,
                        Icon::Question, Answer::Yes);
    rightPress(panel->links()->viewport());
    EXPECT_EQ(panel->line()->text(), "txt /bin/a");
    panel->links()->setCurrentIndex({});
    linking->remove(); // nothing selected: nothing happens
    EXPECT_EQ(shown(panel->links()).size(), 2);
}

TEST_F(Associations, ThePasteBoxCutsAMissingFolderBack) {
    root.makeFolder("home/Tools");
    panel->pastePad()->setText("C:\\Tools\\Missing\\More");
    QTest::keyClick(panel->pastePad(), Qt::Key_Return);
    EXPECT_EQ(panel->pastePad()->text(), "C:\\Tools");
    EXPECT_EQ(panel->pickerFolders()->path(), home / "Tools");
    EXPECT_EQ(linking->pickerFolder(), QString::fromStdString((home / "Tools").string()) + "/");
    dialogs.expectPanel("Cannot fix path",
                        "Some ERROR. Cannot repair. Please do it on your side...", Buttons::Ok,
                        Icon::Warning, Answer::Yes);
    panel->pastePad()->setText("Q:\\Nowhere");
    QTest::keyClick(panel->pastePad(), Qt::Key_Return);
    // A local path is cut back the same way, under the drive whose root holds it.
    panel->pastePad()->setText(QString::fromStdString((home / "Tools" / "Gone").string()));
    QTest::keyClick(panel->pastePad(), Qt::Key_Return);
    EXPECT_EQ(panel->pickerFolders()->path(), home / "Tools");
    EXPECT_EQ(panel->pickerDrives()->drive(), "c:");
    panel->pastePad()->clear();
    EXPECT_FALSE(linking->pasteEntered()); // an empty box lets Enter pass
}

TEST_F(Associations, ARightClickOpensThePanelForTheSelectedEntryOnce) {
    root.write("program/AssHP.rtf", "<b>help</b>\r\n");
    launchList.addItems({"txt notes.txt", "Txt other.Txt"});
    launchList.setCurrentRow(0);
    rightPress(launchList.viewport());
    EXPECT_FALSE(panel->frame()->isHidden());
    EXPECT_EQ(panel->help()->toPlainText(), "help");
    EXPECT_EQ(ws->currentExtension, "txt");
    launchList.setCurrentRow(1);
    rightPress(launchList.viewport()); // the same extension in another case counts as present
    EXPECT_EQ(TempFolder::read(data / "DK.EXL"), "txt\r\n");
    EXPECT_EQ(model.extensions(), QStringList{"txt"});
    EXPECT_EQ(shown(panel->extensions()), QStringList{"txt"});
    linking->close();
    EXPECT_TRUE(panel->frame()->isHidden());
    EXPECT_TRUE(panel->help()->toPlainText().isEmpty());
}

TEST_F(Associations, EveryFailedLaunchAsksNoAssociationAndYesOpensThePanel) {
    root.write("disc/song.mp3", "");
    ws->browseFolder = disc.string() + "/";
    const QString text = "Maybe this does not have an association!\n\nRClick on the file to set "
                         "associations...";
    dialogs.expectPanel("No association?", text, Buttons::Ok, Icon::Warning, Answer::Yes);
    launching->launch("mp3 song.mp3");
    EXPECT_EQ(services->caption(), "Dravik [song.mp3 ]");
    EXPECT_FALSE(panel->frame()->isHidden());
    EXPECT_TRUE(panel->help()->toPlainText().isEmpty()); // no help file: an empty help box
    root.write("disc/setup.exe", "MZ");
    common::ProcessStarter::replaceForTests(
        [](const QString&, const QStringList&) { return false; });
    dialogs.expectPanel("No association?", text, Buttons::Ok, Icon::Warning, Answer::Yes);
    launching->launch("exe setup.exe"); // a Windows program cannot start here
    common::ProcessStarter::replaceForTests({});
}

TEST_F(Associations, TwoPanelsOverOneTableShowEveryChange) {
    QWidget otherHost;
    dravik::controls::CommandArray otherCom{"SoCCom", dravik::controls::CommandArray::Look::Button};
    dravik::launch::AssociationPanel other(&otherHost, ws->drives(), otherCom);
    other.showModel(model);
    root.write("data/DK.soc", "txt /bin/a\r\ndoc /bin/b\r\n");
    model.loadLinks(ws->dataFolder());
    EXPECT_EQ(shown(other.links()).size(), 2);
    choose(panel->links(), "txt /bin/a");
    linking->remove(); // through the first panel
    EXPECT_EQ(shown(other.links()), QStringList{"doc /bin/b"});
    linking->openFor("mp3");
    EXPECT_EQ(shown(other.extensions()), QStringList{"mp3"});
}

TEST_F(Associations, AChoiceOutlivedByAChangeOfTheTableReplacesNothing) {
    root.write("data/DK.soc", "txt /bin/a\r\ndoc /bin/b\r\n");
    model.loadLinks(ws->dataFolder());
    choose(panel->links(), "doc /bin/b");
    EXPECT_EQ(panel->line()->text(), "doc /bin/b");
    model.removeLink(0); // as another view of the table does
    EXPECT_EQ(panel->chosenLink(), -1);
    panel->line()->setText("doc /bin/new");
    linking->edited(); // joins the table; the row once chosen now holds another link
    EXPECT_EQ(model.links(), (QStringList{"doc /bin/b", "doc /bin/new"}));
    EXPECT_EQ(shown(panel->links()), model.links());
    EXPECT_EQ(TempFolder::read(data / "DK.soc"), "doc /bin/b\r\ndoc /bin/new\r\n");
}

TEST(AssociationHelpTest, ShippedWhenMissingAndNeverOverwritten) {
    TempFolder program;
    EXPECT_EQ(dravik::launch::AssociationHelp::load(program.path()), "");
    dravik::launch::AssociationHelp::installWhenMissing(program.path());
    EXPECT_EQ(dravik::launch::AssociationHelp::load(program.path()),
              dravik::launch::AssociationHelp::shipped());
    program.write("AssHP.rtf", "mine\r\n");
    dravik::launch::AssociationHelp::installWhenMissing(program.path());
    EXPECT_EQ(dravik::launch::AssociationHelp::load(program.path()), "mine");
    // A huge or binary file in its place is no help, and is not read whole.
    program.write("AssHP.rtf", std::string(2u << 20, 'x'));
    EXPECT_EQ(dravik::launch::AssociationHelp::load(program.path()), "");
    program.write("AssHP.rtf", std::string("help\0\r\n", 7));
    EXPECT_EQ(dravik::launch::AssociationHelp::load(program.path()), "");
}

TEST_F(Associations, AnUndoneDeletionIsAddedBackReplacingNothing) {
    const auto undo = [this] {
        dialogs.expectPanel("Undo Last Deletion", "Undo DELETE association?", Buttons::YesNo,
                            Icon::Question, Answer::Yes);
        rightPress(panel->links()->viewport());
    };
    root.write("data/DK.soc", "txt /bin/a\r\n");
    model.loadLinks(ws->dataFolder());
    choose(panel->links(), "txt /bin/a");
    linking->remove(); // the only link
    undo();
    EXPECT_EQ(panel->line()->text(), "txt /bin/a");
    linking->edited();
    EXPECT_EQ(model.links(), QStringList{"txt /bin/a"});
    EXPECT_EQ(TempFolder::read(data / "DK.mmd"), "txt /bin/a\r\n");
    EXPECT_EQ(TempFolder::read(data / "DK.soc"), "txt /bin/a\r\n");
    EXPECT_EQ(panel->line()->text(), "");

    root.write("data/DK.soc", "txt /bin/a\r\ndoc /bin/b\r\nmp3 /bin/c\r\n");
    model.loadLinks(ws->dataFolder());
    choose(panel->links(), "doc /bin/b");
    linking->remove();
    choose(panel->links(), "mp3 /bin/c"); // another link looked at after the deletion
    undo();
    EXPECT_EQ(panel->line()->text(), "doc /bin/b");
    linking->edited();
    EXPECT_EQ(model.links(), (QStringList{"txt /bin/a", "mp3 /bin/c", "doc /bin/b"}));
    EXPECT_EQ(TempFolder::read(data / "DK.mmd"), "txt /bin/a\r\nmp3 /bin/c\r\ndoc /bin/b\r\n");

    // After "NEW" the line typed is a new link too.
    choose(panel->links(), "txt /bin/a");
    linking->newLink();
    panel->line()->setText("jpg /bin/view");
    linking->edited();
    EXPECT_EQ(model.links(),
              (QStringList{"txt /bin/a", "mp3 /bin/c", "doc /bin/b", "jpg /bin/view"}));
}

TEST_F(Associations, SelectWritesAProgramWithACommaSoItReadsBackWhole) {
    const auto viewer = root.write("home/Foo, Inc/bin/viewer", "#!/bin/sh\n");
    std::filesystem::permissions(viewer, std::filesystem::perms::owner_exec,
                                 std::filesystem::perm_options::add);
    panel->pickerFolders()->setPath(home / "Foo, Inc" / "bin");
    choose(panel->pickerFiles(), "viewer");
    extension = "jpg";
    linking->select();
    const std::string line = "jpg " + viewer.string();
    EXPECT_EQ(TempFolder::read(data / "DK.soc"), "\"" + line + "\"\r\n");
    EXPECT_EQ(model.links(), QStringList{QString::fromStdString(line)});
    model.loadLinks(ws->dataFolder()); // as after a restart
    EXPECT_EQ(model.links(), QStringList{QString::fromStdString(line)});
}

TEST_F(Associations, SelectWithoutAnExtensionSaysWhatIsMissing) {
    const auto tool = root.write("home/bin/tool", "#!/bin/sh\n");
    std::filesystem::permissions(tool, std::filesystem::perms::owner_exec,
                                 std::filesystem::perm_options::add);
    panel->pickerFolders()->setPath(home / "bin");
    choose(panel->pickerFiles(), "tool");
    for (const char* none : {"", "   "}) {
        extension = none;
        linking->select();
        EXPECT_FALSE(std::filesystem::exists(data / "DK.soc")) << '"' << none << '"';
        EXPECT_TRUE(model.links().isEmpty());
        EXPECT_EQ(panel->hint()->text(), "No extension to link: click a file with an extension "
                                         "in the file list first.");
    }
}

TEST_F(Associations, ThePickerTakesAnyFolderOfThisSystem) {
    // No "Cannot fix path": the scripted dialogs refuse any question.
    panel->pastePad()->setText("/usr/bin");
    QTest::keyClick(panel->pastePad(), Qt::Key_Return);
    EXPECT_EQ(panel->pickerFolders()->path(), "/usr/bin");
    EXPECT_EQ(linking->pickerFolder(), "/usr/bin/");
    EXPECT_EQ(panel->pickerDrives()->drive(), "/usr/bin");
    EXPECT_GT(panel->pickerFiles()->count(), 0);

    const auto tool = root.write("opt/app/bin/tool", "#!/bin/sh\n");
    std::filesystem::permissions(tool, std::filesystem::perms::owner_exec,
                                 std::filesystem::perm_options::add);
    const QString folder = QString::fromStdString((root / "opt/app/bin").string());
    panel->pastePad()->setText(folder + "/missing");
    QTest::keyClick(panel->pastePad(), Qt::Key_Return);
    EXPECT_EQ(panel->pastePad()->text(), folder); // cut back to the folder that is there
    EXPECT_EQ(panel->pickerFolders()->path(), root / "opt/app/bin");
    EXPECT_EQ(panel->pickerDrives()->drive(), "/"); // the place that holds it
    choose(panel->pickerFiles(), "tool");
    extension = "txt";
    linking->select();
    EXPECT_EQ(model.links(), QStringList{"txt " + folder + "/tool"});
}

TEST_F(Associations, ThePickerOffersUsrBinAmongItsPlaces) {
    common::ui::DriveListBox* drives = panel->pickerDrives();
    const int place = drives->findText("/usr/bin");
    ASSERT_GE(place, 0);
    EXPECT_GE(drives->findText("c:"), 0); // the drives stay
    drives->setCurrentIndex(place);
    emit drives->activated(place);
    EXPECT_EQ(panel->pickerFolders()->path(), "/usr/bin");
    EXPECT_EQ(linking->pickerFolder(), "/usr/bin/");
    EXPECT_FALSE(panel->pickerFiles()->findItems("sh", Qt::MatchExactly).isEmpty());
    drives->setCurrentIndex(drives->findText("c:"));
    emit drives->activated(drives->findText("c:"));
    EXPECT_EQ(panel->pickerFolders()->path(), home); // and a drive is its root again
}
