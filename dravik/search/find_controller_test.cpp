#include "dravik/controls/command_array.h"
#include "dravik/controls/command_index.h"
#include "dravik/controls/list_view_panel.h"
#include "dravik/search/find_controller.h"
#include "dravik/search/find_history.h"
#include "dravik/search/find_panel.h"
#include "dravik/testing/fake_window_services.h"
#include "dravik/workspace/workspace.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using common::ui::Buttons;
using common::ui::Icon;
using dravik::controls::CommandArray;
namespace Answer = common::ui::Answer;

// The find box, the find menu and the list view in a plain widget, with a fake window.
class Finding : public ::testing::Test {
protected:
    common::testing::ScriptedDialogs dialogs;
    dravik::testing::FakeWindowServices services{dialogs};
    dravik::workspace::Workspace workspace{common::DriveTable()};
    QWidget host;
    CommandArray gCom{"GCom", CommandArray::Look::Panel};
    CommandArray ssPanel1{"SSPanel1", CommandArray::Look::Panel};
    CommandArray fCom{"FCom", CommandArray::Look::Button};
    dravik::controls::ListViewPanel list{&host};
    dravik::search::FindPanel panel{&host, gCom, ssPanel1, fCom};
    dravik::search::FindHistory history;
    dravik::search::FindController find{panel, history, gCom, fCom, {workspace, services, list}};

    Finding() {
        // The command column adds these in the window.
        gCom.add(dravik::controls::GCom::FindFirst, "Find-F3", {}, &host);
        gCom.add(dravik::controls::GCom::FindNext, "Find Next-F4", {}, &host);
        host.resize(900, 600);
        host.show();
    }
    QPlainTextEdit* view() { return list.view(); }
    void ask(const QString& word) {
        dialogs.expectInput("Search for another word", "Type in the new word to search for:", word);
    }
    int selected() { return view()->textCursor().selectionStart(); }
    void expectFinished() {
        dialogs.expectPanel("Information...", "Finished Searching...", Buttons::Ok, Icon::Warning,
                            Answer::Yes);
    }
};

} // namespace

TEST_F(Finding, FirstInstanceIgnoresCaseAndSelectsTheMatch) {
    view()->setPlainText("\"E:\\\",\"readme.txt\"\n\"E:\\Photos\\\",\"IMG.JPG\"\n");
    panel.findBox()->setEditText("photos|jpg");
    ask("jpg");
    find.findFirst();
    EXPECT_EQ(view()->textCursor().selectedText(), "JPG");
    EXPECT_EQ(find.lastFindPosition(), view()->toPlainText().indexOf("JPG"));
    EXPECT_EQ(list.status()->text(), "Find photos|jpg"); // the box's text, not the new word
}

TEST_F(Finding, NextStartsAfterTheMatchAndAfterAMissAtTheTop) {
    view()->setPlainText("cat at the start, a cat, and a last cat");
    ask("cat");
    find.findFirst();
    EXPECT_EQ(selected(), 0);
    find.findNext();
    EXPECT_EQ(selected(), 20);
    find.findNext();
    EXPECT_EQ(selected(), 36);
    expectFinished();
    find.findNext();
    EXPECT_EQ(find.lastFindPosition(), -1);
    EXPECT_EQ(selected(), 36); // a miss leaves the selection alone
    find.findNext();           // starts again at the top: the match at 0 is not skipped
    EXPECT_EQ(selected(), 0);
    EXPECT_TRUE(dialogs.allAnswered());
}

TEST_F(Finding, ManualModeAsksWhereToStartOnceAMatchWasMade) {
    workspace.automatic = false;
    view()->setPlainText("one dog, two dogs, three dogs");
    ask("dog");
    find.findFirst();
    EXPECT_EQ(selected(), 4);
    QTextCursor cursor = view()->textCursor();
    cursor.setPosition(15);
    view()->setTextCursor(cursor);
    const QString where = "Do you want to start at the beginning of the document?-YES / From this "
                          "point forward?-NO";
    ask("dog");
    dialogs.expectPanel("Where to start searching", where, Buttons::YesNoCancel, Icon::Question,
                        Answer::No);
    find.findFirst();
    EXPECT_EQ(selected(), 25); // from the cursor on
    ask("dog");
    dialogs.expectPanel("Where to start searching", where, Buttons::YesNoCancel, Icon::Question,
                        Answer::Yes);
    find.findFirst();
    EXPECT_EQ(selected(), 4); // from the beginning
    ask("two");
    dialogs.expectPanel("Where to start searching", where, Buttons::YesNoCancel, Icon::Question,
                        Answer::Cancel);
    find.findFirst();
    EXPECT_EQ(selected(), 4);          // CANCEL finds nothing and moves nothing...
    EXPECT_EQ(find.findWord(), "two"); // ...but the word is set
}

TEST_F(Finding, AutomaticModeStartsAtTheCursorAfterAMatchBeyondTheStart) {
    view()->setPlainText("ab ab ab");
    ask("ab");
    find.findFirst();
    EXPECT_EQ(selected(), 0);
    ask("ab");
    find.findFirst(); // a match at 0 counts as none: from the beginning again
    EXPECT_EQ(selected(), 0);
    find.findNext();
    EXPECT_EQ(selected(), 3);
    ask("ab");
    find.findFirst(); // never asks; starts at the cursor
    EXPECT_EQ(selected(), 3);
}

TEST_F(Finding, AnEmptyOrCancelledWordOnlyFocusesTheList) {
    view()->setPlainText("text");
    dialogs.expectInput("Search for another word",
                        "Type in the new word to search for:", std::nullopt);
    find.findFirst();
    EXPECT_EQ(find.findWord(), "");
    panel.findBox()->setEditText("text");
    find.findNext(); // an empty word with text in the box: focus only, no message
    EXPECT_TRUE(dialogs.allAnswered());
    EXPECT_EQ(host.focusWidget(), view());
}

TEST_F(Finding, EnterInTheFindBoxOpensTheMenuOrTheSearch) {
    QSignalSpy search(&find, &dravik::search::FindController::globalSearchWanted);
    QTest::keyClick(panel.findBox(), Qt::Key_Return);
    EXPECT_EQ(search.count(), 1); // no list open: straight to the global search
    EXPECT_FALSE(fCom.element(0)->isEnabled());
    EXPECT_FALSE(gCom.element(dravik::controls::GCom::FindNext)->isEnabled());
    EXPECT_TRUE(panel.menu()->isHidden());
    view()->setPlainText("a list");
    QTest::keyClick(panel.findBox(), Qt::Key_Return);
    EXPECT_EQ(search.count(), 1);
    EXPECT_FALSE(panel.menu()->isHidden());
    EXPECT_TRUE(fCom.element(0)->isEnabled());
    EXPECT_EQ(host.focusWidget(), fCom.element(0));
    EXPECT_EQ(panel.findBox()->currentText(), ""); // the key never reached the box
}

TEST_F(Finding, EnterInTheFindMenuPressesTheFocusedButtonAsSpaceDoes) {
    using dravik::controls::FCom;
    view()->setPlainText("a list");
    QTest::keyClick(panel.findBox(), Qt::Key_Return);
    QSignalSpy pressed(&fCom, &CommandArray::clicked);
    QAbstractButton* global = fCom.element(FCom::FindGlobal);
    global->setFocus();
    QTest::keyClick(global, Qt::Key_Return);
    QTest::keyClick(global, Qt::Key_Enter); // the keypad's
    QTest::keyClick(fCom.element(FCom::FindNext), Qt::Key_Space);
    ASSERT_EQ(pressed.count(), 3);
    EXPECT_EQ(pressed.at(0).at(0).toInt(), int(FCom::FindGlobal));
    EXPECT_EQ(pressed.at(1).at(0).toInt(), int(FCom::FindGlobal));
    EXPECT_EQ(pressed.at(2).at(0).toInt(), int(FCom::FindNext));
}

TEST_F(Finding, FunctionKeysInTheListFindAndANewTextRestartsFromTheCursor) {
    view()->setPlainText("x y x");
    ask("x");
    QTest::keyClick(view(), Qt::Key_F3);
    EXPECT_EQ(selected(), 0);
    QTest::keyClick(view(), Qt::Key_F4);
    EXPECT_EQ(selected(), 4);
    view()->setPlainText("another list");
    EXPECT_EQ(find.lastFindPosition(), 0);
}

TEST_F(Finding, TwoFindBoxesOverOneHistoryShowTheSameWords) {
    QWidget otherHost;
    CommandArray otherG{"GCom", CommandArray::Look::Panel};
    CommandArray otherS{"SSPanel1", CommandArray::Look::Panel};
    CommandArray otherF{"FCom", CommandArray::Look::Button};
    dravik::search::FindPanel other{&otherHost, otherG, otherS, otherF};
    panel.showHistory(history);
    other.showHistory(history);
    panel.findBox()->setEditText("kamera|camera");
    find.keepFindText(); // a search starts from the first box
    panel.findBox()->setEditText("KAMERA|Camera");
    find.keepFindText(); // the same words in another case: kept once
    EXPECT_EQ(panel.findBox()->currentText(), "KAMERA|Camera"); // the typed words stay
    ASSERT_EQ(other.findBox()->count(), 1);
    EXPECT_EQ(other.findBox()->itemText(0), "kamera|camera");
    EXPECT_EQ(history.entries(), QStringList{"kamera|camera"});
    other.findBox()->setEditText("typed");
    history.clear();
    EXPECT_EQ(panel.findBox()->count(), 0);
    EXPECT_EQ(other.findBox()->currentText(), ""); // an emptied history empties the box
}
