#include "common/code_page.h"
#include "common/process_starter.h"
#include "dravik/catalogue/disc_open_controller.h"
#include "dravik/controls/control_names.h"
#include "dravik/testing/catalogue_fixture.h"
#include "dravik/walker/walk_lock.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QTest>

using common::ui::Buttons;
using common::ui::Icon;
using dravik::catalogue::DiscOpenController;
namespace Answer = common::ui::Answer;
namespace Control = dravik::controls::Control;

namespace {

class Opening : public dravik::testing::CatalogueFixture {
protected:
    QList<QStringList> started;

    void SetUp() override {
        CatalogueFixture::SetUp();
        root.write("data/DK.tex", "Photos\r\nMusic\r\n");
        root.write("data/Photos.rtf", "\"E:\\\",\"a.jpg\"\r\n\"E:\\x\\\",\"b.jpg\"\r\n"
                                      "2 files : 1 folders\r\n");
        common::ProcessStarter::replaceForTests(
            [this](const QString& program, const QStringList& arguments) {
                started << (QStringList{program} + arguments);
                return true;
            });
    }
    void TearDown() override {
        common::ProcessStarter::replaceForTests({});
        CatalogueFixture::TearDown();
    }
    void where(int answer) {
        dialogs.expectMessage("Where to open disc",
                              "Open disc in this program (Yes) or in New List(No)", Buttons::YesNo,
                              Icon::None, answer);
    }
    void open(const QString& name) {
        find<QComboBox>(Control::DiscBox)->setEditText(name);
        opener->open();
    }
    QColor back(const char* name) { return find<QLabel>(name)->palette().color(QPalette::Window); }
};

} // namespace

TEST_F(Opening, AutomaticModeAsksOnlyWhereAndShowsTheCount) {
    startPanels();
    where(6);
    open("photos");
    EXPECT_EQ(find<QPlainTextEdit>(Control::ListView)->toPlainText(),
              "\"E:\\\",\"a.jpg\"\n\"E:\\x\\\",\"b.jpg\"\n2 files : 1 folders\n");
    EXPECT_EQ(find<QLabel>(Control::DiscCount)->text(),
              "4*"); // two file lines and the summary: N + 2
    EXPECT_EQ(back(Control::ListState), QColor(255, 192, 192));
    EXPECT_EQ(services->caption(), "Dravik [photos.rtf ]");
    EXPECT_EQ(find<QLabel>(Control::Status)->text(), "Finished Loading");
    EXPECT_EQ(back(Control::Status), QColor(255, 255, 0));
    EXPECT_TRUE(find<QLabel>(Control::LoadingNotice)->isHidden());
    EXPECT_EQ(find<QPlainTextEdit>(Control::ListView)->textCursor().position(), 0);
}

TEST_F(Opening, ManualModeConfirmsFirst) {
    startPanels();
    ws->automatic = false;
    dialogs.expectPanel("Open Disc to Load",
                        "You are about to open:\n\nPhotos\n\nDo you want to continue?",
                        Buttons::YesNo, Icon::Question, Answer::No);
    open("Photos");
    EXPECT_EQ(find<QLabel>(Control::Status)->text(), "Loading Info");
    EXPECT_TRUE(find<QPlainTextEdit>(Control::ListView)->toPlainText().isEmpty());
    dialogs.expectPanelHeading("Open Disc to Load", 6);
    where(6);
    open("Photos");
    EXPECT_EQ(find<QLabel>(Control::Status)->text(), "Finished Loading");
}

TEST_F(Opening, SizeSettingIsShownInGreen) {
    setting("Photos", "Size", "1", "Dravik");
    startPanels();
    where(6);
    open("Photos");
    EXPECT_EQ(find<QLabel>(Control::DiscCount)->text(), "1");
    EXPECT_EQ(back(Control::ListState), QColor(0, 255, 0));
}

TEST_F(Opening, NoStartsTheViewerWithThePathAsOneArgument) {
    root.write("data/My Disc 2.rtf", "x\r\n");
    startPanels();
    where(7);
    open("My Disc 2");
    ASSERT_EQ(started.size(), 1);
    EXPECT_TRUE(started[0][0].endsWith("dravik-peek"));
    EXPECT_EQ(started[0].mid(1),
              QStringList{QString::fromStdString((data / "My Disc 2.rtf").string())});
    EXPECT_TRUE(find<QPlainTextEdit>(Control::ListView)->toPlainText().isEmpty());
    EXPECT_EQ(find<QLabel>(Control::DiscCount)->text(), "1*");
}

TEST_F(Opening, MissingListAndFailedViewerTakeTheErrorCaption) {
    startPanels();
    where(6);
    open("Music");
    EXPECT_EQ(find<QLabel>(Control::Status)->text(), DiscOpenController::MissingCaption);
    EXPECT_EQ(find<QLabel>(Control::Status)->text(),
              "ERROR: Maybe interrupted before; empty; not existing.   -  Enter to create");
    EXPECT_EQ(back(Control::Status), QColor(128, 0, 0));
    EXPECT_EQ(find<QLabel>(Control::Status)->palette().color(QPalette::WindowText),
              QColor(0, 255, 255));
    EXPECT_TRUE(find<QLabel>(Control::LoadingNotice)->isHidden());
    common::ProcessStarter::replaceForTests(
        [](const QString&, const QStringList&) { return false; });
    where(7);
    open("Photos");
    EXPECT_EQ(find<QLabel>(Control::Status)->text(), DiscOpenController::MissingCaption);
}

TEST_F(Opening, AListBeingWrittenIsInUse) {
    startPanels();
    dravik::walker::WalkLock walk(program);
    ASSERT_TRUE(walk.acquire(data / "Photos.rtf"));
    where(6);
    open("Photos");
    EXPECT_EQ(find<QLabel>(Control::Status)->text(), "ERROR: File in use!!. Type another!");
    EXPECT_TRUE(find<QPlainTextEdit>(Control::ListView)->toPlainText().isEmpty());
}

TEST_F(Opening, OnlyTheListBeingWrittenIsInUse) {
    startPanels();
    dravik::walker::WalkLock walk(program);
    ASSERT_TRUE(walk.acquire(data / "Elsewhere.rtf"));
    where(6);
    open("Photos");
    EXPECT_EQ(find<QLabel>(Control::Status)->text(), "Finished Loading");
}

TEST_F(Opening, ArrowKeysInTheClosedBoxChooseAndOpen) {
    root.write("data/Music.rtf", "\"E:\\\",\"song.mp3\"\r\n1 files :  folders\r\n");
    startPanels();
    auto* box = find<QComboBox>(Control::DiscBox);
    box->setEditText({});
    box->setFocus();
    where(6);
    QTest::keyClick(box, Qt::Key_Down); // no entry shown yet: the first
    EXPECT_EQ(box->currentText(), "Photos");
    EXPECT_EQ(find<QLabel>(Control::DiscCount)->text(), "4*");
    where(6);
    QTest::keyClick(box, Qt::Key_Down);
    EXPECT_EQ(box->currentText(), "Music");
    EXPECT_EQ(find<QLabel>(Control::DiscCount)->text(), "3*");
    QTest::keyClick(box, Qt::Key_Down); // the last entry: nothing to choose, nothing opens
    EXPECT_EQ(box->currentText(), "Music");
    where(6);
    QTest::keyClick(box, Qt::Key_Up);
    EXPECT_EQ(box->currentText(), "Photos");
    EXPECT_TRUE(dialogs.allAnswered());
}

TEST_F(Opening, ChoosingFromTheListOpensButLeavingTheBoxDoesNot) {
    startPanels();
    auto* box = find<QComboBox>(Control::DiscBox);
    box->setFocus();
    box->setEditText("Photos");
    find<QWidget>(Control::ListView)->setFocus(); // the box reports "activated" on leaving: no open
    EXPECT_TRUE(dialogs.allAnswered());
    where(6);
    box->showPopup();
    QAbstractItemView* list = box->view();
    const QRect row = list->visualRect(list->model()->index(0, 0));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, row.center());
    EXPECT_EQ(find<QLabel>(Control::Status)->text(), "Finished Loading");
}

TEST_F(Opening, DeclinedRebuildOpensTheDisc) {
    startPanels();
    auto* box = find<QComboBox>(Control::DiscBox);
    box->setCurrentIndex(0);
    QTest::keyRelease(box, Qt::Key_Shift);
    dialogs.expectMessage("Disc with filename already exists",
                          "File already exists.\nDo you want to Re-USE this filename? (Rebuild)",
                          Buttons::YesNo, Icon::Question, 7);
    where(6);
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_EQ(find<QLabel>(Control::DiscCount)->text(), "4*");
}

namespace {

// A list of a few thousand lines opened in the whole window, where finding, the row number and
// the status line react to the list view.
class OpeningALongList : public dravik::testing::MainWindowFixture {
protected:
    static constexpr int Files = 3000;

    static QString line(int i) {
        return QString::fromUtf8("\"E:\\Fotos Åre %1\\\",\"Café %2 €.jpg\"")
            .arg(i / 10)
            .arg(i, 4, 10, QChar('0'));
    }
    static QString text() {
        QString all;
        for (int i = 0; i < Files; ++i)
            all += line(i) + "\r\n";
        return all + "3,000 files : 300 folders\r\n";
    }
    void openFirst(const std::string& bytes) {
        root.write("data/DK.tex", "Long\r\n");
        root.write("data/Long.rtf", bytes);
        start();
        auto* box = find<QComboBox>(Control::DiscBox);
        box->setEditText({});
        box->setFocus();
        dialogs.expectMessage("Where to open disc",
                              "Open disc in this program (Yes) or in New List(No)", Buttons::YesNo,
                              Icon::None, 6);
        QTest::keyClick(box, Qt::Key_Down);
        ASSERT_TRUE(dialogs.allAnswered());
    }
    QPlainTextEdit* view() const { return find<QPlainTextEdit>(Control::ListView); }
    QString row() const { return find<QLabel>(Control::RowCount)->text(); }
    QPoint pointOf(int position) const {
        QTextCursor at(view()->document());
        at.setPosition(position);
        return view()->cursorRect(at).center();
    }
    void expectTheSameText(const std::string& bytes, bool utf8) {
        QString shown = view()->toPlainText();
        EXPECT_EQ(shown, text().replace("\r\n", "\n"));
        shown.replace("\n", "\r\n");
        EXPECT_EQ(utf8 ? shown.toStdString() : common::CodePage::toWindows1252(shown), bytes);
        EXPECT_EQ(find<QLabel>(Control::DiscCount)->text(),
                  "3,002*"); // the files, the summary, the end
    }
};

} // namespace

TEST_F(OpeningALongList, Utf8AndWindows1252ListsShowTheSameText) {
    const std::string utf8 = text().toStdString();
    openFirst(utf8);
    expectTheSameText(utf8, true);
    window.reset();
    const std::string cp1252 = common::CodePage::toWindows1252(text());
    ASSERT_NE(cp1252, utf8);
    openFirst(cp1252);
    expectTheSameText(cp1252, false);
}

TEST_F(OpeningALongList, FindRowAndSelectionFollowTheLines) {
    openFirst(text().toStdString());
    EXPECT_EQ(row(), "1");
    view()->setFocus();
    dialogs.expectInput("Search for another word",
                        "Type in the new word to search for:", QString::fromUtf8("åre 250\\"));
    QTest::keyClick(view(), Qt::Key_F3);
    EXPECT_EQ(view()->textCursor().selectedText(), QString::fromUtf8("Åre 250\\"));
    EXPECT_EQ(row(), "2501");
    QTest::keyClick(view(), Qt::Key_F4);
    EXPECT_EQ(row(), "2502");

    // A triple click shows the whole row and its number.
    const QPoint at = pointOf(view()->textCursor().selectionStart());
    QTest::mouseDClick(view()->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseClick(view()->viewport(), Qt::LeftButton, {}, at);
    EXPECT_EQ(find<QLabel>(Control::Status)->text(), line(2501));
    EXPECT_EQ(row(), "2502");

    // Dragging over the folder selects it, for "GoTo" (from outside the selection, which a press
    // would start to drag away).
    const int folder = view()->textCursor().selectionStart() + 1;
    QTextCursor none = view()->textCursor();
    none.clearSelection();
    view()->setTextCursor(none);
    const int folderEnd =
        folder + static_cast<int>(QString::fromUtf8("E:\\Fotos Åre 250\\").size());
    QTest::mousePress(view()->viewport(), Qt::LeftButton, {}, pointOf(folder));
    QMouseEvent move(QEvent::MouseMove, pointOf(folderEnd),
                     view()->viewport()->mapToGlobal(pointOf(folderEnd)), Qt::NoButton,
                     Qt::LeftButton, {});
    QApplication::sendEvent(view()->viewport(), &move);
    QTest::mouseRelease(view()->viewport(), Qt::LeftButton, {}, pointOf(folderEnd));
    EXPECT_EQ(view()->textCursor().selectedText(), QString::fromUtf8("E:\\Fotos Åre 250\\"));
    EXPECT_EQ(row(), "2502");

    QTest::keyClick(view(), Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(row(), "3002");
}
