#include "common/ui/drive_list_box.h"
#include "common/ui/folder_list_box.h"
#include "dravik/controls/control_tag.h"
#include "dravik/testing/main_window_fixture.h"
#include "dravik/window/data_path_dialog.h"
#include "dravik/window/drive_warning.h"
#include "dravik/window/priority_panel.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

using common::testing::TempFolder;
using common::ui::Buttons;
using common::ui::Icon;
using dravik::window::MainWindow;
using dravik::workspace::NamingState;

class StartUp : public dravik::testing::MainWindowFixture {};

TEST_F(StartUp, FirstStartInAnEmptyDataFolderCreatesFilesQuietly) {
    MainWindow& w = start({}, false);
    EXPECT_TRUE(dialogs.allAnswered());
    for (const char* name : {"DK.mmd", "DK.tex", "DK.SoC", "DK.EXL", "FTex.Lys"})
        EXPECT_TRUE(std::filesystem::exists(data / name)) << name;
    EXPECT_TRUE(std::filesystem::exists(program / "SSc.ini"));
    EXPECT_EQ(TempFolder::read(home / "DK.tmp"), std::string(30, '.') + "\r\n");
    EXPECT_EQ(find<QComboBox>("TeX")->count(), 0);
    EXPECT_EQ(find<QLabel>("DTel")->text(), "0");
    EXPECT_EQ(find<QLabel>("DefDrive")->text(), "");
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(find<QAbstractButton>(QStringLiteral("SellD_%1").arg(i))->text(),
                  QString(QChar(char16_t('H' + i))));
    EXPECT_TRUE(w.workspace().automatic);
    EXPECT_EQ(w.workspace().namingState, NamingState::NeedsName);
    EXPECT_EQ(w.yieldPoint().level(), 3);
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(find<QLabel>("Prio")->text(), "Default >>");
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
    auto* discs = find<QComboBox>("TeX");
    ASSERT_EQ(discs->count(), 3);
    EXPECT_EQ(discs->itemText(2), "Films");
    EXPECT_EQ(find<QLabel>("DTel")->text(), "3");
    EXPECT_EQ(find<QListWidget>("SoCLys")->count(), 2);
    EXPECT_EQ(find<QListWidget>("EXLys")->count(), 1);
    EXPECT_EQ(find<QComboBox>("FTex")->itemText(0), "kamera|camera");
    EXPECT_EQ(find<QLabel>("DefDrive")->text(), "E");
    EXPECT_EQ(find<QAbstractButton>("SellD_1")->text(), "M");
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
    EXPECT_EQ(find<QLabel>("DefDrive")->text(), "E"); // later steps still ran
}

TEST_F(StartUp, CommandLineDriveLetterPointsTheBrowser) {
    root.makeFolder("disc/Photos");
    start({"e"});
    EXPECT_EQ(find<common::ui::DriveListBox>("Drive1")->drive(), "e:");
    EXPECT_EQ(find<common::ui::FolderListBox>("Dir1")->path(), disc);
}

TEST_F(StartUp, NoCommandLineStartsOnDriveC) {
    start();
    EXPECT_EQ(find<common::ui::DriveListBox>("Drive1")->drive(), "c:");
    EXPECT_EQ(find<common::ui::FolderListBox>("Dir1")->path(), home);
}

TEST_F(StartUp, ExitRemovesMarkersAndSavesTheFindHistory) {
    root.write("home/DK.004", "");
    root.write("data/FTex.Lys", "first\r\n");
    MainWindow& w = start();
    find<QComboBox>("FTex")->addItem("typed into the box only"); // a view holds no history
    find<QComboBox>("FTex")->setEditText("second");
    click("GCom_4");
    dialogs.expectPanel("Saving Search Report", "Do yu want to SAVE this report?", true, true,
                        false, 0, 7);
    click("SoekCom_3"); // a search starts: its words join the history
    w.close();
    EXPECT_FALSE(std::filesystem::exists(home / "DK.tmp"));
    EXPECT_FALSE(std::filesystem::exists(home / "DK.004"));
    EXPECT_EQ(TempFolder::read(data / "FTex.Lys"), "first\r\nsecond\r\n");
}

TEST_F(StartUp, DriveWarningToggledFiveTimesThenHidden) {
    MainWindow& w = start({}, false);
    auto* warning = find<QLabel>("Warning");
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
    auto* panel = find<QFrame>("PrioF");
    EXPECT_TRUE(panel->isHidden());
    QTest::mouseClick(find<QLabel>("Prio"), Qt::LeftButton);
    EXPECT_FALSE(panel->isHidden());
    click("PrioC_1");
    EXPECT_EQ(w.yieldPoint().level(), 5);
    EXPECT_EQ(find<QLabel>("Prio")->text(), "Low >>");
    EXPECT_TRUE(panel->isHidden());
    w.priorityPanel().open();
    click("PrioC_3");
    EXPECT_EQ(w.yieldPoint().level(), 1);
    EXPECT_EQ(find<QLabel>("Prio")->text(), "High >>");
    w.priorityPanel().open();
    click("PrioC_0");
    EXPECT_EQ(w.yieldPoint().level(), 1);
    EXPECT_TRUE(panel->isHidden());
    w.priorityPanel().open();
    click("PrioC_2");
    EXPECT_EQ(find<QLabel>("Prio")->text(), "Default >>");
    EXPECT_EQ(w.yieldPoint().level(), 3);
}

TEST_F(StartUp, CaptionAndConfirmationMode) {
    MainWindow& w = start();
    w.dravikCap("photos.rtf");
    EXPECT_EQ(w.windowTitle(), "Dravik [photos.rtf ]");
    click("MAo_0");
    EXPECT_FALSE(w.workspace().automatic);
    click("MAo_1");
    EXPECT_TRUE(w.workspace().automatic);
    EXPECT_EQ(find<QAbstractButton>("MAo_0")->toolTip(), "User has options");
    EXPECT_EQ(find<QAbstractButton>("MAo_1")->property("helpText").toString(),
              "Program choose certain options automatically");
}

TEST_F(StartUp, WagterWaitsForTheDrivePanelTagEvenAtHighPriority) {
    MainWindow& w = start();
    w.priorityPanel().open();
    click("PrioC_3");
    QTimer::singleShot(20, [&] { dravik::controls::setTag(find<QFrame>("WDrive"), "E"); });
    w.wagter();
    EXPECT_EQ(dravik::controls::tag(find<QFrame>("WDrive")).toString(), "E");
}

TEST_F(StartUp, DataPathDialogSetsTheDataFolderAtOnce) {
    MainWindow& w = start();
    root.makeFolder("home/NewData");
    dravik::window::DataPathDialog dialog(w.workspace(), &w);
    EXPECT_EQ(dialog.windowTitle(), "Data Path");
    EXPECT_EQ(dialog.drives()->drive(), "c:"); // the data folder is under no drive but C's home
    dialog.folders()->setPath(home / "NewData");
    EXPECT_EQ(dialog.chosen(), QString::fromStdString((home / "NewData").string() + "/"));
    dialog.findChild<QAbstractButton*>("SetCom_0")->click();
    EXPECT_EQ(w.workspace().dataFolder(), (home / "NewData").string() + "/");
    EXPECT_EQ(common::SettingsStore("DRAVIK 2016").value("Form_Load", "Def DPath"),
              QString::fromStdString((home / "NewData").string() + "/"));
    EXPECT_EQ(find<QComboBox>("TeX")->count(), 0); // not reloaded
}

TEST_F(StartUp, DataPathDialogCancelChangesNothing) {
    MainWindow& w = start();
    const auto before = w.workspace().dataFolder();
    dravik::window::DataPathDialog dialog(w.workspace(), &w);
    dialog.folders()->setPath(home);
    dialog.findChild<QAbstractButton*>("SetCom_1")->click();
    EXPECT_EQ(w.workspace().dataFolder(), before);
}

TEST_F(StartUp, HelpLineFollowsThePointer) {
    start();
    auto* manual = find<QAbstractButton>("MAo_0");
    QEvent enter(QEvent::Enter);
    QApplication::sendEvent(manual, &enter);
    EXPECT_EQ(find<QLabel>("hP")->text(),
              "Let the user decide what he/she wants to happen in the program");
    QApplication::sendEvent(find<QLabel>("DTel"), &enter);
    EXPECT_EQ(find<QLabel>("hP")->text(), "How many discs are in the list?");
}

TEST_F(StartUp, DamagedCatalogueFilesLoadWithoutACrash) {
    const char raw[] = "Disc\0One\r\n\"never closed\r\n\xff\xfe\x80 bytes\r\n";
    std::string junk(raw, sizeof raw - 1);
    junk += std::string(1u << 20, 'x') + "\r\nLast\r\n";
    root.write("data/DK.tex", junk);
    root.write("data/FTex.Lys", std::string("\0\0\0", 3));
    root.write("program/SSc.ini", "\"E");
    MainWindow& w = start({}, false);
    auto* discs = find<QComboBox>("TeX");
    ASSERT_EQ(discs->count(), 5);
    EXPECT_EQ(discs->itemText(1), "never closed");
    EXPECT_EQ(discs->itemText(2), QString::fromUtf8("\xc3\xbf\xc3\xbe\xe2\x82\xac bytes"));
    EXPECT_EQ(discs->itemText(3).size(), 1 << 20);
    EXPECT_EQ(discs->itemText(4), "Last");
    EXPECT_EQ(find<QLabel>("DefDrive")->text(), "E");
    EXPECT_TRUE(w.isVisible());
}

TEST_F(StartUp, PanelsOpenInsideTheWindow) {
    MainWindow& w = start();
    w.resize(1280, 800);
    auto* opener = find<QLabel>("Prio");
    w.priorityPanel().open();
    auto* panel = find<QFrame>("PrioF");
    EXPECT_TRUE(w.rect().contains(panel->geometry())) << opener->x();
    click("GCom_6");
    EXPECT_TRUE(w.rect().contains(find<QFrame>("WDrive")->geometry()));
    click("GCom_1");
    EXPECT_TRUE(w.rect().contains(find<QFrame>("SHelp")->geometry()));
}

TEST_F(StartUp, ASmallWindowScrollsInsteadOfOverlapping) {
    MainWindow& w = start();
    const QSize screen = QGuiApplication::primaryScreen()->availableGeometry().size();
    EXPECT_LE(w.width(), screen.width());
    EXPECT_LE(w.height(), screen.height());
    w.resize(800, 500);
    QApplication::processEvents();
    auto* box = find<QWidget>("TeX");
    auto* open = find<QWidget>("SSPanel1_2");
    const QRect boxArea(box->mapTo(&w, QPoint()), box->size());
    const QRect openArea(open->mapTo(&w, QPoint()), open->size());
    EXPECT_FALSE(boxArea.intersects(openArea));
    EXPECT_TRUE(find<QScrollArea>("Page")->horizontalScrollBar()->isVisible());
}

TEST_F(StartUp, TheBlinkingWarningMovesNothing) {
    MainWindow& w = start({}, false);
    w.resize(1280, 800);
    w.driveWarning().timer()->stop();
    QApplication::processEvents();
    auto* refresh = find<QWidget>("GCom_5");
    const int y = refresh->mapTo(&w, QPoint()).y();
    for (int i = 0; i < 6; ++i) {
        w.driveWarning().tick();
        QApplication::processEvents();
        EXPECT_EQ(refresh->mapTo(&w, QPoint()).y(), y);
    }
}

TEST_F(StartUp, BoxesSayWhatToTypeAndPanelsLookClickable) {
    start();
    EXPECT_EQ(find<QComboBox>("TeX")->lineEdit()->placeholderText(),
              QString::fromUtf8("Disc name \xe2\x80\x94 Enter catalogues it"));
    EXPECT_EQ(find<QComboBox>("FTex")->lineEdit()->placeholderText(),
              "Words to find, a|b for either");
    for (const char* name : {"SSPanel1_2", "GCom_7", "SSPanel1_0", "SSPanel1_1", "SSPanel1_4",
                             "SSPanel1_3", "Splitter"})
        EXPECT_EQ(find<QWidget>(name)->cursor().shape(), Qt::PointingHandCursor) << name;
    EXPECT_EQ(find<QAbstractButton>("SSPanel1_2")->text(), "OPEN");
}

TEST_F(StartUp, TheListViewMovesByKeyboard) {
    start();
    auto* list = find<QPlainTextEdit>("RtB");
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
    EXPECT_EQ(find<QAbstractButton>("SellD_0")->text(), "H");
    EXPECT_EQ(w.workspace().dataFolder(), data.string() + "/"); // the current folder
    EXPECT_EQ(find<QLabel>("DefDrive")->text(), "E");
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
    EXPECT_EQ(find<QListWidget>("SoCLys")->count(), 0);
    EXPECT_EQ(find<QComboBox>("FTex")->count(), 0);
    find<QComboBox>("FTex")->setEditText("beach");
    w.close();
    EXPECT_EQ(TempFolder::read(data / "FTex.Lys" / "inside"), "x");
}
