#include "common/ui/folder_list_box.h"
#include "dravik/controls/control_names.h"
#include "dravik/testing/main_window_fixture.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QTest>

#include <functional>

using dravik::controls::GCom;
using dravik::controls::SSPanel1;
using dravik::window::MainWindow;
namespace Control = dravik::controls::Control;

namespace {

// The floating panels of the window, opened as the user opens them.
class FloatingPanels : public dravik::testing::MainWindowFixture {
protected:
    struct Panel {
        const char* name;
        std::function<void()> open;
    };

    void SetUp() override {
        MainWindowFixture::SetUp();
        root.write("data/DK.tex", "Holiday\r\n");
        root.write("data/Holiday.rtf", "\"E:\\Photos\\\",\"beach.jpg\"\r\n1 files : 1 folders\r\n");
        root.write("disc/Photos/beach.jpg", "");
    }

    MainWindow& startAt(const QSize& size) {
        MainWindow& w = start({"E"});
        w.resize(size);
        QApplication::processEvents();
        return w;
    }

    std::vector<Panel> panels() {
        return {
            {Control::FindMenu,
             [this] {
                 find<QPlainTextEdit>(Control::ListView)->setPlainText("beach");
                 find<QComboBox>(Control::FindBox)->setEditText("beach");
                 QTest::keyClick(find<QComboBox>(Control::FindBox), Qt::Key_Return);
             }},
            {Control::SearchHelp, [this] { click(GCom::SearchHelp); }},
            {Control::SearchPanel,
             [this] {
                 find<QComboBox>(Control::FindBox)->setEditText("beach");
                 click(GCom::FindGlobal);
             }},
            {Control::ReportPanel, [this] { click(GCom::Report); }},
            {Control::LoadReportBox, [this] { click(GCom::LoadReport); }},
            {Control::DefaultDriveBox, [this] { click(GCom::SetDrive); }},
            {Control::DeleteManyBox, [this] { click(SSPanel1::DeleteMany); }},
            {Control::OldFilesBox,
             [this] { QTest::mouseClick(find<QLabel>(Control::ListState), Qt::LeftButton); }},
            {Control::AssociationPanel,
             [this] {
                 find<common::ui::FolderListBox>(Control::Folders)->setPath(disc / "Photos");
                 auto* files = find<QListWidget>(Control::LaunchList);
                 files->setCurrentRow(0);
                 QTest::mousePress(files->viewport(), Qt::RightButton, {}, QPoint(3, 3));
             }},
            {Control::PriorityPanel,
             [this] { QTest::mouseClick(find<QLabel>(Control::Priority), Qt::LeftButton); }},
        };
    }

    // The panel lies inside the window, and so does every button it shows, unclipped by
    // anything between the button and the window.
    void expectWhollyShown(QWidget* panel) {
        const QWidget* w = window.get();
        EXPECT_TRUE(w->rect().contains(QRect(panel->mapTo(w, QPoint()), panel->size())))
            << panel->objectName().toStdString() << " " << panel->height();
        for (QAbstractButton* button : panel->findChildren<QAbstractButton*>()) {
            if (!button->isVisibleTo(panel))
                continue;
            for (const QWidget* up = button->parentWidget(); up; up = up->parentWidget()) {
                const QRect at(button->mapTo(up, QPoint()), button->size());
                EXPECT_TRUE(up->rect().contains(at))
                    << panel->objectName().toStdString() << ": "
                    << button->objectName().toStdString() << " outside "
                    << up->objectName().toStdString() << " at " << at.x() << "," << at.y() << " "
                    << at.width() << "x" << at.height() << " in " << up->width() << "x"
                    << up->height();
                if (up == w)
                    break;
            }
        }
    }

    // The left edge of the command column.
    int commandColumn() const {
        const QWidget* refresh = find<QWidget>(GCom::RefreshDriveInfo);
        return refresh->parentWidget()->mapTo(window.get(), QPoint()).x();
    }
};

} // namespace

TEST_F(FloatingPanels, EachFitsAt1024x768AndEscapeClosesIt) {
    startAt(QSize(1024, 768));
    for (const Panel& panel : panels()) {
        SCOPED_TRACE(panel.name);
        panel.open();
        QApplication::processEvents(); // as the user sees it
        auto* shown = find<QWidget>(panel.name);
        ASSERT_TRUE(shown->isVisible());
        expectWhollyShown(shown);
        QTest::keyClick(shown, Qt::Key_Escape);
        EXPECT_TRUE(shown->isHidden());
    }
    EXPECT_TRUE(dialogs.allAnswered());
}

TEST_F(FloatingPanels, TheyShrinkAndScrollInASmallWindowAndFitAgainWhenItGrows) {
    MainWindow& w = startAt(QSize(640, 420));
    for (const Panel& panel : panels()) {
        SCOPED_TRACE(panel.name);
        panel.open();
        auto* shown = find<QWidget>(panel.name);
        EXPECT_TRUE(w.rect().contains(shown->geometry())) << shown->height();
        QTest::keyClick(shown, Qt::Key_Escape);
    }
    // Open in a small window, then the window grows: the panel shows its controls whole.
    click(GCom::SetDrive);
    w.resize(1024, 768);
    QApplication::processEvents();
    expectWhollyShown(find<QWidget>(Control::DefaultDriveBox));
}

TEST_F(FloatingPanels, EscapeActsAsTheCancellingButton) {
    MainWindow& w = startAt(QSize(1024, 768));
    QTest::mouseClick(find<QLabel>(Control::Priority), Qt::LeftButton);
    QTest::keyClick(find<QWidget>(Control::PriorityPanel), Qt::Key_Escape);
    EXPECT_EQ(find<QLabel>(Control::Priority)->text(), "Default >>"); // no level chosen
    // Two panels: the frontmost goes first.
    click(GCom::SearchHelp);
    click(GCom::SetDrive);
    QTest::keyClick(&w, Qt::Key_Escape);
    EXPECT_TRUE(find<QWidget>(Control::DefaultDriveBox)->isHidden());
    EXPECT_FALSE(find<QWidget>(Control::SearchHelp)->isHidden());
    QTest::keyClick(&w, Qt::Key_Escape);
    EXPECT_TRUE(find<QWidget>(Control::SearchHelp)->isHidden());
    // Nothing open: Escape reaches the control as before.
    QTest::keyClick(&w, Qt::Key_Escape);
    EXPECT_TRUE(dialogs.allAnswered());
}

TEST_F(FloatingPanels, TheSearchPanelNeverCoversTheCommandColumn) {
    MainWindow& w = startAt(QSize(1024, 768));
    find<QComboBox>(Control::FindBox)->setEditText("beach");
    click(GCom::FindGlobal);
    auto* panel = find<QWidget>(Control::SearchPanel);
    for (const QSize size : {QSize(1024, 768), QSize(1280, 800), QSize(1920, 1080), QSize(900, 700),
                             QSize(800, 600), QSize(1024, 600), QSize(1366, 768)}) {
        w.resize(size);
        QApplication::processEvents();
        SCOPED_TRACE(QString("%1x%2").arg(size.width()).arg(size.height()).toStdString());
        ASSERT_TRUE(panel->isVisible());
        EXPECT_LT(panel->geometry().right(), commandColumn());
        EXPECT_TRUE(w.rect().contains(panel->geometry()));
        const QWidget* stop = find<QWidget>(GCom::FindGlobal);
        EXPECT_FALSE(panel->geometry().intersects(QRect(stop->mapTo(&w, QPoint()), stop->size())));
    }
    // Opened at each size, the same; from 1024x768 up nothing of it scrolls away.
    for (const QSize size : {QSize(800, 600), QSize(1024, 768), QSize(1280, 800)}) {
        click(dravik::controls::SoekCom::CancelSearch);
        w.resize(size);
        QApplication::processEvents();
        click(GCom::FindGlobal);
        QApplication::processEvents();
        EXPECT_LT(panel->geometry().right(), commandColumn());
        EXPECT_TRUE(w.rect().contains(panel->geometry()));
        if (size.width() >= 1024)
            expectWhollyShown(panel);
    }
}
