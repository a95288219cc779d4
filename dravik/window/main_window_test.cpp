#include "common/ui/drive_list_box.h"
#include "common/ui/folder_list_box.h"
#include "dravik/controls/control_names.h"
#include "dravik/testing/main_window_fixture.h"
#include "dravik/window/data_path_dialog.h"
#include "dravik/window/drive_warning.h"
#include "dravik/window/priority_panel.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

using common::testing::TempFolder;
namespace Answer = common::ui::Answer;
using common::ui::Buttons;
using common::ui::Icon;
using dravik::controls::GCom;
using dravik::controls::MAo;
using dravik::controls::PrioC;
using dravik::controls::SellD;
using dravik::controls::SetCom;
using dravik::controls::SoekCom;
using dravik::controls::SSPanel1;
using dravik::controls::WCom;
using dravik::window::MainWindow;
using dravik::workspace::NamingState;
namespace Control = dravik::controls::Control;

class StartUp : public dravik::testing::MainWindowFixture {};

TEST_F(StartUp, FirstStartInAnEmptyDataFolderCreatesFilesQuietly) {
    MainWindow& w = start({}, false);
    EXPECT_TRUE(dialogs.allAnswered());
    for (const char* name : {"DK.mmd", "DK.tex", "DK.SoC", "DK.EXL", "FTex.Lys"})
        EXPECT_TRUE(std::filesystem::exists(data / name)) << name;
    EXPECT_TRUE(std::filesystem::exists(program / "SSc.ini"));
    EXPECT_EQ(TempFolder::read(home / "DK.tmp"), std::string(30, '.') + "\r\n");
    EXPECT_EQ(find<QComboBox>(Control::DiscBox)->count(), 0);
    EXPECT_EQ(find<QLabel>(Control::DiscCount)->text(), "0");
    EXPECT_EQ(find<QLabel>(Control::DefaultDrive)->text(), "");
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(find<QAbstractButton>(SellD(i))->text(), QString(QChar(char16_t('H' + i))));
    EXPECT_TRUE(w.workspace().automatic);
    EXPECT_EQ(w.workspace().namingState, NamingState::NeedsName);
    EXPECT_EQ(w.yieldPoint().level(), 3);
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(find<QLabel>(Control::Priority)->text(), "Default >>");
    // Without a default drive the warning blinks.
    EXPECT_TRUE(w.driveWarning().timer()->isActive());
}

TEST_F(StartUp, ListsAreFilledFromTheCatalogueFiles) {
    root.write("data/DK.tex", "Holiday 2009\r\n\"Music\",Films\r\n");
    root.write("data/dk.soc", "\"mp3 vlc\",\"txt gedit\"\r\n");
    root.write("data/DK.EXL", ".mp3\r\n  \r\n");
    root.write("data/FTex.Lys", "kamera|camera\r\n");
    setting("TmpDrive", "SellD1", "M");
    start();
    auto* discs = find<QComboBox>(Control::DiscBox);
    ASSERT_EQ(discs->count(), 3);
    EXPECT_EQ(discs->itemText(2), "Films");
    EXPECT_EQ(find<QLabel>(Control::DiscCount)->text(), "3");
    EXPECT_EQ(find<QListView>(Control::Associations)->model()->rowCount(), 2);
    EXPECT_EQ(find<QListView>(Control::AssociationExtensions)->model()->rowCount(), 1);
    EXPECT_EQ(find<QComboBox>(Control::FindBox)->itemText(0), "kamera|camera");
    EXPECT_EQ(find<QLabel>(Control::DefaultDrive)->text(), "E");
    EXPECT_EQ(find<QAbstractButton>(SellD::Second)->text(), "M");
    EXPECT_FALSE(window->driveWarning().timer()->isActive());
}

TEST_F(StartUp, MissingDataFolderReportsEachStepAndTheWindowOpens) {
    setting("Form_Load", "Def DPath", QString::fromStdString((data / "gone").string()));
    const QString here = QDir::currentPath();
    for (int step : {4, 7, 8, 9, 10}) {
        const QString reason = QString::fromStdString((data / "gone").string()) + "/" +
                               QString::fromLatin1(step == 4   ? "DK.mmd"
                                                   : step == 7 ? "DK.tex"
                                                   : step == 8 ? "DK.SoC"
                                                   : step == 9 ? "DK.EXL"
                                                               : "FTex.Lys") +
                               ": No such file or directory";
        dialogs.expectMessage(
            {}, "form load: " + QString::number(step) + "\n\n" + here + "\n76 / " + reason,
            Buttons::Ok, Icon::None, 1);
    }
    MainWindow& w = start();
    EXPECT_TRUE(dialogs.allAnswered());
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(find<QLabel>(Control::DefaultDrive)->text(), "E"); // later steps still ran
}

TEST_F(StartUp, CommandLineDriveLetterPointsTheBrowser) {
    root.makeFolder("disc/Photos");
    start({"e"});
    EXPECT_EQ(find<common::ui::DriveListBox>(Control::Drives)->drive(), "e:");
    EXPECT_EQ(find<common::ui::FolderListBox>(Control::Folders)->path(), disc);
}

TEST_F(StartUp, NoCommandLineStartsOnDriveC) {
    start();
    EXPECT_EQ(find<common::ui::DriveListBox>(Control::Drives)->drive(), "c:");
    EXPECT_EQ(find<common::ui::FolderListBox>(Control::Folders)->path(), home);
}

TEST_F(StartUp, ExitRemovesMarkersAndSavesTheFindHistory) {
    root.write("home/DK.004", "");
    root.write("data/FTex.Lys", "first\r\n");
    MainWindow& w = start();
    find<QComboBox>(Control::FindBox)
        ->addItem("typed into the box only"); // a view holds no history
    find<QComboBox>(Control::FindBox)->setEditText("second");
    click(GCom::FindGlobal);
    dialogs.expectPanel("Saving Search Report", "Do yu want to SAVE this report?", Buttons::YesNo,
                        Icon::Question, Answer::No);
    click(SoekCom::Start); // a search starts: its words join the history
    w.close();
    EXPECT_FALSE(std::filesystem::exists(home / "DK.tmp"));
    EXPECT_FALSE(std::filesystem::exists(home / "DK.004"));
    EXPECT_EQ(TempFolder::read(data / "FTex.Lys"), "first\r\nsecond\r\n");
}

TEST_F(StartUp, DriveWarningToggledFiveTimesThenHidden) {
    MainWindow& w = start({}, false);
    auto* warning = find<QLabel>(Control::SetDriveWarning);
    QTimer* timer = w.driveWarning().timer();
    EXPECT_EQ(timer->interval(), 400);
    timer->stop(); // tick by hand: the count matters, not the clock
    QStringList seen;
    for (int i = 0; i < 6; ++i) {
        w.driveWarning().tick();
        seen << (warning->isHidden() ? "hidden" : "shown");
    }
    EXPECT_EQ(seen, (QStringList{"shown", "hidden", "shown", "hidden", "shown", "hidden"}));
    EXPECT_EQ(w.driveWarning().ticks(), 6);
    EXPECT_FALSE(timer->isActive());
}

TEST_F(StartUp, PriorityPanelSetsTheLevel) {
    MainWindow& w = start();
    auto* panel = find<QFrame>(Control::PriorityPanel);
    EXPECT_TRUE(panel->isHidden());
    QTest::mouseClick(find<QLabel>(Control::Priority), Qt::LeftButton);
    EXPECT_FALSE(panel->isHidden());
    click(PrioC::Low);
    EXPECT_EQ(w.yieldPoint().level(), 5);
    EXPECT_EQ(find<QLabel>(Control::Priority)->text(), "Low >>");
    EXPECT_TRUE(panel->isHidden());
    w.priorityPanel().open();
    click(PrioC::High);
    EXPECT_EQ(w.yieldPoint().level(), 1);
    EXPECT_EQ(find<QLabel>(Control::Priority)->text(), "High >>");
    w.priorityPanel().open();
    click(PrioC::Close);
    EXPECT_EQ(w.yieldPoint().level(), 1);
    EXPECT_TRUE(panel->isHidden());
    w.priorityPanel().open();
    click(PrioC::Default);
    EXPECT_EQ(find<QLabel>(Control::Priority)->text(), "Default >>");
    EXPECT_EQ(w.yieldPoint().level(), 3);
}

TEST_F(StartUp, CaptionAndConfirmationMode) {
    MainWindow& w = start();
    w.dravikCap("photos.rtf");
    EXPECT_EQ(w.windowTitle(), "Dravik [photos.rtf ]");
    click(MAo::Manual);
    EXPECT_FALSE(w.workspace().automatic);
    click(MAo::Automatic);
    EXPECT_TRUE(w.workspace().automatic);
    EXPECT_EQ(find<QAbstractButton>(MAo::Manual)->toolTip(), "User has options");
    EXPECT_EQ(find<QAbstractButton>(MAo::Automatic)->property("helpText").toString(),
              "Program choose certain options automatically");
}

TEST_F(StartUp, WagterGoesOnOnceADriveIsChosen) {
    MainWindow& w = start({}, false);
    QStringList chosen;
    w.wagter([&](const QString& letter) { chosen << letter; });
    EXPECT_TRUE(chosen.isEmpty()); // returned at once, nothing chosen yet
    click(GCom::SetDrive);
    click(WCom::Continue); // no letter selected: still waiting
    EXPECT_TRUE(chosen.isEmpty());
    click(GCom::SetDrive);
    find<QListWidget>(Control::DriveLetters)->setCurrentRow(1);
    click(WCom::Continue);
    EXPECT_EQ(chosen, QStringList{"E"});
    click(GCom::SetDrive);
    find<QListWidget>(Control::DriveLetters)->setCurrentRow(2);
    click(WCom::Continue); // what waited ran once
    EXPECT_EQ(chosen, QStringList{"E"});
}

TEST_F(StartUp, WagterTakesATemporaryDriveAndEndsWithTheWindow) {
    MainWindow& w = start({}, false);
    QStringList chosen;
    w.wagter([&](const QString& letter) { chosen << letter; });
    click(SellD::First);
    EXPECT_EQ(chosen, QStringList{"H"});
    w.wagter([&](const QString& letter) { chosen << letter; });
    w.close();
    click(SellD::Second);
    EXPECT_EQ(chosen, QStringList{"H"});
}

TEST_F(StartUp, DataPathDialogSetsTheDataFolderAtOnce) {
    MainWindow& w = start();
    root.makeFolder("home/NewData");
    dravik::window::DataPathDialog dialog(w.workspace(), &w);
    EXPECT_EQ(dialog.windowTitle(), "Data Path");
    EXPECT_EQ(dialog.drives()->drive(), "c:"); // the data folder is under no drive but C's home
    dialog.folders()->setPath(home / "NewData");
    EXPECT_EQ(dialog.chosen(), QString::fromStdString((home / "NewData").string() + "/"));
    dialog.findChild<QAbstractButton*>(objectName(SetCom::SetPath))->click();
    EXPECT_EQ(w.workspace().dataFolder(), (home / "NewData").string() + "/");
    EXPECT_EQ(common::SettingsStore("DRAVIK 2016").value("Form_Load", "Def DPath"),
              QString::fromStdString((home / "NewData").string() + "/"));
    EXPECT_EQ(find<QComboBox>(Control::DiscBox)->count(), 0); // not reloaded
}

TEST_F(StartUp, DataPathDialogCancelChangesNothing) {
    MainWindow& w = start();
    const auto before = w.workspace().dataFolder();
    dravik::window::DataPathDialog dialog(w.workspace(), &w);
    dialog.folders()->setPath(home);
    dialog.findChild<QAbstractButton*>(objectName(SetCom::Cancel))->click();
    EXPECT_EQ(w.workspace().dataFolder(), before);
}

TEST_F(StartUp, HelpLineFollowsThePointer) {
    start();
    auto* manual = find<QAbstractButton>(MAo::Manual);
    QEvent enter(QEvent::Enter);
    QApplication::sendEvent(manual, &enter);
    EXPECT_EQ(find<QLabel>(Control::HelpLine)->text(),
              "Let the user decide what he/she wants to happen in the program");
    QApplication::sendEvent(find<QLabel>(Control::DiscCount), &enter);
    EXPECT_EQ(find<QLabel>(Control::HelpLine)->text(), "How many discs are in the list?");
}

TEST_F(StartUp, DamagedCatalogueFilesLoadWithoutACrash) {
    // Stray bytes, an unclosed quote and a long line are text of a sort; NUL bytes are none.
    root.write("data/DK.tex", "Disc One\r\n\"never closed\r\n\xff\xfe\x80 bytes\r\n" +
                                  std::string(60000, 'x') + "\r\nLast\r\n");
    root.write("data/FTex.Lys", std::string("\0\0\0", 3));
    root.write("program/SSc.ini", "\"E");
    dialogs.expectMessageHolding(
        {}, {"form load: 10\n\n", "FTex.Lys: is not a text file (it holds NUL bytes)"}, Buttons::Ok,
        Icon::None, 1);
    MainWindow& w = start({}, false);
    EXPECT_TRUE(dialogs.allAnswered());
    auto* discs = find<QComboBox>(Control::DiscBox);
    ASSERT_EQ(discs->count(), 5);
    EXPECT_EQ(discs->itemText(1), "never closed");
    EXPECT_EQ(discs->itemText(2), QString::fromUtf8("\xc3\xbf\xc3\xbe\xe2\x82\xac bytes"));
    EXPECT_EQ(discs->itemText(3).size(), 60000);
    EXPECT_EQ(discs->itemText(4), "Last");
    EXPECT_EQ(find<QComboBox>(Control::FindBox)->count(), 0);
    EXPECT_EQ(find<QLabel>(Control::DefaultDrive)->text(), "E");
    EXPECT_TRUE(w.isVisible());
}

TEST_F(StartUp, PanelsOpenInsideTheWindow) {
    MainWindow& w = start();
    w.resize(1280, 800);
    auto* opener = find<QLabel>(Control::Priority);
    w.priorityPanel().open();
    auto* panel = find<QFrame>(Control::PriorityPanel);
    EXPECT_TRUE(w.rect().contains(panel->geometry())) << opener->x();
    click(GCom::SetDrive);
    EXPECT_TRUE(w.rect().contains(find<QFrame>(Control::DefaultDriveBox)->geometry()));
    click(GCom::SearchHelp);
    EXPECT_TRUE(w.rect().contains(find<QFrame>(Control::SearchHelp)->geometry()));
}

TEST_F(StartUp, ASmallWindowScrollsInsteadOfOverlapping) {
    MainWindow& w = start();
    const QSize screen = QGuiApplication::primaryScreen()->availableGeometry().size();
    EXPECT_LE(w.width(), screen.width());
    EXPECT_LE(w.height(), screen.height());
    w.resize(800, 500);
    QApplication::processEvents();
    auto* box = find<QWidget>(Control::DiscBox);
    auto* open = find<QWidget>(SSPanel1::Open);
    const QRect boxArea(box->mapTo(&w, QPoint()), box->size());
    const QRect openArea(open->mapTo(&w, QPoint()), open->size());
    EXPECT_FALSE(boxArea.intersects(openArea));
    EXPECT_TRUE(find<QScrollArea>(Control::Page)->horizontalScrollBar()->isVisible());
}

TEST_F(StartUp, TheBlinkingWarningMovesNothing) {
    MainWindow& w = start({}, false);
    w.resize(1280, 800);
    w.driveWarning().timer()->stop();
    QApplication::processEvents();
    auto* refresh = find<QWidget>(GCom::RefreshDriveInfo);
    const int y = refresh->mapTo(&w, QPoint()).y();
    for (int i = 0; i < 6; ++i) {
        w.driveWarning().tick();
        QApplication::processEvents();
        EXPECT_EQ(refresh->mapTo(&w, QPoint()).y(), y);
    }
}

TEST_F(StartUp, BoxesSayWhatToTypeAndPanelsLookClickable) {
    start();
    EXPECT_EQ(find<QComboBox>(Control::DiscBox)->lineEdit()->placeholderText(),
              QString::fromUtf8("Disc name \xe2\x80\x94 Enter catalogues it"));
    EXPECT_EQ(find<QComboBox>(Control::FindBox)->lineEdit()->placeholderText(),
              "Words to find, a|b for either");
    for (const QString& name :
         {objectName(SSPanel1::Open), objectName(GCom::Create), objectName(SSPanel1::FindBox),
          objectName(SSPanel1::Rename), objectName(SSPanel1::ClearFindHistory),
          objectName(SSPanel1::DeleteDisc), QString(Control::SplitterLink)})
        EXPECT_EQ(find<QWidget>(name)->cursor().shape(), Qt::PointingHandCursor)
            << name.toStdString();
    EXPECT_EQ(find<QAbstractButton>(SSPanel1::Open)->text(), "OPEN");
}

TEST_F(StartUp, TheListViewMovesByKeyboard) {
    start();
    auto* list = find<QPlainTextEdit>(Control::ListView);
    QStringList lines;
    for (int i = 0; i < 500; ++i)
        lines << QString("\"E:\\\",\"file %1.txt\"").arg(i);
    list->setPlainText(lines.join('\n'));
    list->setFocus();
    QTest::keyClick(list, Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(list->textCursor().blockNumber(), 499);
    QTest::keyClick(list, Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(list->textCursor().blockNumber(), 0);
    QTest::keyClick(list, Qt::Key_PageDown);
    EXPECT_GT(list->textCursor().blockNumber(), 0);
    EXPECT_TRUE(list->isReadOnly());
}

TEST_F(StartUp, UnreadableSettingsFallBackToTheDefaultsAndTheWindowOpens) {
    std::filesystem::remove(settings / "dravik 2016.ini");
    root.makeFolder("settings/dravik 2016.ini"); // a folder where the settings file should be
    QDir::setCurrent(QString::fromStdString(data.string()));
    const QString reason = QString::fromStdString((settings / "dravik 2016.ini").string()) +
                           ": is a folder, not a file";
    for (int step : {1, 3})
        dialogs.expectMessage({},
                              "form load: " + QString::number(step) + "\n\n" +
                                  QString::fromStdString(data.string()) + "\n75 / " + reason,
                              Buttons::Ok, Icon::None, 1);
    MainWindow& w = start();
    EXPECT_TRUE(dialogs.allAnswered());
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(find<QAbstractButton>(SellD::First)->text(), "H");
    EXPECT_EQ(w.workspace().dataFolder(), data.string() + "/"); // the current folder
    EXPECT_EQ(find<QLabel>(Control::DefaultDrive)->text(), "E");
}

TEST_F(StartUp, AListThatCannotBeReadIsReportedAndNeverOverwritten) {
    root.write("data/DK.SoC/inside", "x"); // folders where the lists belong
    root.write("data/FTex.Lys/inside", "x");
    const QString here = QDir::currentPath();
    for (const auto& [step, name] : {std::pair{8, "DK.SoC"}, std::pair{10, "FTex.Lys"}}) {
        const QString reason =
            QString::fromStdString((data / name).string()) + ": is a folder, not a file";
        dialogs.expectMessage(
            {}, "form load: " + QString::number(step) + "\n\n" + here + "\n75 / " + reason,
            Buttons::Ok, Icon::None, 1);
    }
    MainWindow& w = start();
    EXPECT_TRUE(dialogs.allAnswered());
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(find<QListView>("SoCLys")->model()->rowCount(), 0);
    EXPECT_EQ(find<QComboBox>(Control::FindBox)->count(), 0);
    find<QComboBox>(Control::FindBox)->setEditText("beach");
    w.close();
    EXPECT_EQ(TempFolder::read(data / "FTex.Lys" / "inside"), "x");
}
