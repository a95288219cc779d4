#include "dravik/controls/list_text_edit.h"

#include "common/error.h"
#include "common/testing/temp_folder.h"
#include "dravik/controls/row_view.h"

#include <QApplication>
#include <QMouseEvent>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>

#include <gtest/gtest.h>

#include <filesystem>

using dravik::controls::ListTextEdit;

namespace {

constexpr int Lines = 3000;

QString line(int i) {
    return QString("\"E:\\Photos %1\\\",\"IMG_%2.JPG\"").arg(i / 10).arg(i, 4, 10, QChar('0'));
}

QString list(int lines, const QString& separator = "\n") {
    QStringList all;
    for (int i = 0; i < lines; ++i)
        all << line(i);
    return all.join(separator) + separator;
}

class ListTextEditTest : public ::testing::Test {
protected:
    ListTextEdit view;

    ListTextEditTest() {
        view.resize(700, 300);
        // Read-only, as the list view is, and moving by keyboard.
        view.setReadOnly(true);
        view.setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
        view.show();
        QApplication::processEvents();
    }
    int caretLine() { return view.lineNumber(view.textCursor().position()); }
    int lineStart(int i) { return static_cast<int>(view.toPlainText().indexOf(line(i))); }
    QPoint pointOf(int position) {
        QTextCursor at(view.document());
        at.setPosition(position);
        return view.cursorRect(at).center();
    }
    void mouse(QEvent::Type type, QPoint at, Qt::MouseButtons held) {
        QMouseEvent event(type, at, view.viewport()->mapToGlobal(at), Qt::LeftButton, held, {});
        QApplication::sendEvent(view.viewport(), &event);
    }
};

} // namespace

TEST_F(ListTextEditTest, TheTextKeepsItsLinesInFewBlocksAndCountsLines) {
    const QString text = list(Lines);
    view.setListText(text);
    EXPECT_EQ(view.toPlainText(), text);
    EXPECT_EQ(view.lineCount(), Lines + 1); // a text ending in a line break has one more line
    EXPECT_LE(view.document()->blockCount(), Lines / ListTextEdit::LinesPerBlock + 1);
    for (int i : {0, 1, 31, 32, 33, 63, 64, 1500, 2999})
        EXPECT_EQ(view.lineNumber(lineStart(i) + 3), i) << i;
    EXPECT_EQ(view.lineNumber(static_cast<int>(text.size())), Lines);

    view.setListText(list(Lines).chopped(1));
    EXPECT_EQ(view.lineCount(), Lines);
    view.setListText({});
    EXPECT_EQ(view.lineCount(), 1);
    view.setListText("a");
    EXPECT_EQ(view.lineCount(), 1);
}

TEST_F(ListTextEditTest, EveryKindOfLineBreakIsOneLine) {
    view.setListText(QString::fromUtf16(u"a\r\nb\rc\u2028d\u2029e\nf\ufdd0g"));
    EXPECT_EQ(view.lineCount(), 6);
    EXPECT_EQ(view.toPlainText(), QString::fromUtf16(u"a\nb\nc\nd\ne\nf\ufffdg"));
    EXPECT_EQ(view.lineNumber(view.toPlainText().indexOf('g')), 5);
}

TEST_F(ListTextEditTest, SettingTheTextIsOneChangeWithTheCaretAtTheStart) {
    view.setListText("old\ntext\n");
    view.moveCursor(QTextCursor::End);
    QList<int> caretAtChange;
    QObject::connect(&view, &QPlainTextEdit::textChanged, &view,
                     [&] { caretAtChange << view.textCursor().position(); });
    view.setListText(list(100));
    EXPECT_EQ(caretAtChange, QList<int>{0});
    EXPECT_EQ(view.textCursor().position(), 0);
    EXPECT_FALSE(view.document()->isUndoAvailable());
    EXPECT_EQ(view.verticalScrollBar()->value(), 0);
}

TEST_F(ListTextEditTest, FindSelectsTheMatchOnItsLine) {
    view.setListText(list(Lines));
    const QTextCursor found = view.document()->find("img_2500.jpg", 0);
    ASSERT_FALSE(found.isNull());
    view.setTextCursor(found);
    EXPECT_EQ(view.textCursor().selectedText(), "IMG_2500.JPG");
    EXPECT_EQ(view.lineNumber(found.selectionStart()), 2500);
    EXPECT_TRUE(view.document()->find("img_2500.jpg", found.selectionEnd()).isNull());
}

TEST_F(ListTextEditTest, KeysMoveByLinesAndPages) {
    view.setListText(list(Lines));
    view.setFocus();
    QTest::keyClick(&view, Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(caretLine(), Lines);
    // As with one block to a line: the last line shows at the bottom, maybe a part line below.
    EXPECT_GE(view.verticalScrollBar()->value(), view.verticalScrollBar()->maximum() - 1);
    QTest::keyClick(&view, Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(caretLine(), 0);
    QTest::keyClick(&view, Qt::Key_Down);
    EXPECT_EQ(caretLine(), 1);
    QTest::keyClick(&view, Qt::Key_End);
    EXPECT_EQ(view.textCursor().position(), lineStart(1) + line(1).size());
    QTest::keyClick(&view, Qt::Key_PageDown);
    const int page = caretLine();
    EXPECT_GT(page, 5);
    EXPECT_LT(page, 40);
    for (int i = 0; i < 3; ++i)
        QTest::keyClick(&view, Qt::Key_PageDown);
    EXPECT_GT(caretLine(), page + 2 * (page - 1)); // pages across block boundaries
    QTest::keyClick(&view, Qt::Key_PageUp);
    EXPECT_LT(caretLine(), page * 4);

    // Over the break between two blocks, moving and selecting.
    QTextCursor at(view.document());
    at.setPosition(lineStart(30));
    view.setTextCursor(at);
    for (int i = 0; i < 3; ++i)
        QTest::keyClick(&view, Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(caretLine(), 33);
    EXPECT_EQ(view.selectedLines(), line(30) + "\n" + line(31) + "\n" + line(32) + "\n");
    QTest::keyClick(&view, Qt::Key_Up);
    EXPECT_EQ(caretLine(), 32);
}

TEST_F(ListTextEditTest, TheScrollBarSpansEveryLineAlsoAfterAResize) {
    view.setListText(list(Lines));
    const int visible = view.viewport()->height() / view.fontMetrics().lineSpacing();
    QScrollBar* bar = view.verticalScrollBar();
    EXPECT_NEAR(bar->maximum(), Lines + 1 - visible, 3);
    view.resize(500, 300);
    QApplication::processEvents();
    EXPECT_NEAR(bar->maximum(), Lines + 1 - visible, 3);
    EXPECT_EQ(view.lineNumber(lineStart(2000)), 2000);
    bar->setValue(1000);
    QApplication::processEvents();
    EXPECT_EQ(view.lineNumber(view.cursorForPosition(QPoint(5, 2)).position()), 1000);
}

TEST_F(ListTextEditTest, ATripleClickSelectsOneLineAndDraggingAddsLines) {
    view.setListText(list(Lines));
    const QPoint at = pointOf(lineStart(5) + 10);
    QTest::mouseDClick(view.viewport(), Qt::LeftButton, {}, at);
    QTest::mousePress(view.viewport(), Qt::LeftButton, {}, at);
    EXPECT_EQ(view.selectedLines(), line(5) + "\n");
    mouse(QEvent::MouseMove, pointOf(lineStart(7) + 4), Qt::LeftButton);
    EXPECT_EQ(view.selectedLines(), line(5) + "\n" + line(6) + "\n" + line(7) + "\n");
    mouse(QEvent::MouseMove, at + QPoint(3, 0), Qt::LeftButton); // back on the first line
    EXPECT_EQ(view.selectedLines(), line(5) + "\n");
    QTest::mouseRelease(view.viewport(), Qt::LeftButton, {}, at);
    EXPECT_EQ(view.selectedLines(), line(5) + "\n");

    // The last line of a block and the last line of the text.
    view.setListText(list(40).chopped(1));
    const QPoint last = pointOf(lineStart(31) + 3);
    QTest::mouseDClick(view.viewport(), Qt::LeftButton, {}, last);
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, last);
    EXPECT_EQ(view.selectedLines(), line(31) + "\n");
    view.moveCursor(QTextCursor::End);
    const QPoint end = pointOf(lineStart(39) + 3);
    QTest::mouseDClick(view.viewport(), Qt::LeftButton, {}, end);
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, end);
    EXPECT_EQ(view.selectedLines(), line(39));
}

TEST_F(ListTextEditTest, DraggingSelectsTheFolderOfALine) {
    view.setListText(list(Lines));
    const int from = lineStart(12) + 1;
    const int to = from + static_cast<int>(QString("E:\\Photos 1\\").size());
    mouse(QEvent::MouseButtonPress, pointOf(from), Qt::LeftButton);
    mouse(QEvent::MouseMove, pointOf(from + 4), Qt::LeftButton);
    mouse(QEvent::MouseMove, pointOf(to), Qt::LeftButton);
    mouse(QEvent::MouseButtonRelease, pointOf(to), Qt::NoButton);
    EXPECT_EQ(view.textCursor().selectedText(), "E:\\Photos 1\\");
    EXPECT_EQ(view.lineNumber(view.textCursor().selectionStart()), 12);
}

TEST_F(ListTextEditTest, EditingKeepsTheLinesCounted) {
    view.setListText(list(Lines));
    view.setReadOnly(false);
    view.setFocus();
    QTextCursor at(view.document());
    at.setPosition(lineStart(40));
    view.setTextCursor(at);
    QTest::keyClicks(&view, "new");
    QTest::keyClick(&view, Qt::Key_Return);
    EXPECT_EQ(view.lineCount(), Lines + 2);
    EXPECT_EQ(caretLine(), 41);
    EXPECT_EQ(view.lineNumber(lineStart(2000)), 2001);
    QTest::keyClick(&view, Qt::Key_Backspace);
    EXPECT_EQ(view.lineCount(), Lines + 1);
    EXPECT_EQ(view.lineNumber(lineStart(2000)), 2000);
    // A pasted block of lines, far from where the view has laid anything out.
    QTextCursor far(view.document());
    far.setPosition(lineStart(2500));
    far.insertText("one\ntwo\nthree\n");
    EXPECT_EQ(view.lineCount(), Lines + 4);
    EXPECT_EQ(view.lineNumber(lineStart(2999)), 3002);
    view.resize(520, 300);
    QApplication::processEvents();
    EXPECT_EQ(view.lineNumber(lineStart(2999)), 3002);
    EXPECT_EQ(view.toPlainText().count('\n'), Lines + 3);
}

TEST_F(ListTextEditTest, AppendedTextFollowsTheLastLine) {
    view.setListText("first\nsecond");
    QSignalSpy changes(&view, &QPlainTextEdit::textChanged);
    view.appendListText("\n================a.rtf==============\n" + list(100));
    EXPECT_EQ(changes.size(), 1);
    EXPECT_EQ(view.toPlainText(),
              "first\nsecond\n================a.rtf==============\n" + list(100));
    EXPECT_EQ(view.lineCount(), 104);
    EXPECT_EQ(view.lineNumber(lineStart(99)), 102);
    EXPECT_EQ(view.textCursor().position(), 0);
}

TEST_F(ListTextEditTest, TextSetAsPlainTextIsCountedTheSameWay) {
    view.setPlainText(list(200));
    EXPECT_EQ(view.lineCount(), 201);
    EXPECT_EQ(view.lineNumber(lineStart(150)), 150);
    view.resize(640, 300);
    QApplication::processEvents();
    EXPECT_EQ(view.lineNumber(lineStart(150)), 150);
    view.moveCursor(QTextCursor::End);
    EXPECT_EQ(caretLine(), 200);
}

namespace {

using common::testing::TempFolder;
using dravik::controls::RowView;

// A list file shown as rows read when painted: every file is big enough here.
class ListRowsTest : public ListTextEditTest {
protected:
    TempFolder folder;
    std::filesystem::path file;

    void showList(const QString& text) {
        file = folder.write("list.rtf", text.toStdString());
        view.setRowsFrom(0);
        view.showListFile(file);
        QApplication::processEvents();
    }
    RowView* rows() { return view.findChild<RowView*>(); }
    QPoint pointOfRow(int row, int x = 30) {
        const int height = rows()->fontMetrics().lineSpacing();
        return QPoint(x, (row - rows()->verticalScrollBar()->value()) * height + height / 2);
    }
    void rowMouse(QEvent::Type type, QPoint at, Qt::MouseButtons held) {
        QWidget* area = rows()->viewport();
        QMouseEvent event(type, at, area->mapToGlobal(at), Qt::LeftButton, held, {});
        QApplication::sendEvent(area, &event);
    }
    int caretRow() { return view.lineNumber(view.selectionStart()); }
};

} // namespace

TEST_F(ListRowsTest, ABigListIsShownAsRowsThatCountLikeTheText) {
    QSignalSpy changes(&view, &QPlainTextEdit::textChanged);
    showList(list(Lines, "\r\n"));
    EXPECT_EQ(view.showing(), ListTextEdit::Showing::Rows);
    EXPECT_EQ(changes.size(), 1);
    EXPECT_TRUE(view.toPlainText().isEmpty()); // no document was built
    EXPECT_EQ(view.lineCount(), Lines + 1);
    EXPECT_FALSE(view.isEmpty());
    EXPECT_TRUE(rows()->isVisible());
    EXPECT_EQ(rows()->geometry(), view.rect());
    EXPECT_EQ(rows()->verticalScrollBar()->maximum(),
              Lines + 1 - rows()->verticalScrollBar()->pageStep());
    EXPECT_FALSE(view.grab().isNull());
    view.clear();
    EXPECT_EQ(view.showing(), ListTextEdit::Showing::Document);
    EXPECT_FALSE(rows()->isVisible());
    EXPECT_TRUE(view.isEmpty());
    EXPECT_EQ(view.lineCount(), 1);
}

TEST_F(ListRowsTest, KeysMoveTheCaretAndSelectByRows) {
    showList(list(Lines, "\r\n"));
    view.setFocus();
    EXPECT_TRUE(rows()->hasFocus() || !view.isActiveWindow());
    QSignalSpy moves(&view, &QPlainTextEdit::cursorPositionChanged);
    QTest::keyClick(&view, Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(caretRow(), Lines);
    EXPECT_GE(moves.size(), 1);
    EXPECT_EQ(rows()->verticalScrollBar()->value(), rows()->verticalScrollBar()->maximum());
    QTest::keyClick(&view, Qt::Key_Home, Qt::ControlModifier);
    EXPECT_EQ(caretRow(), 0);
    QTest::keyClick(&view, Qt::Key_PageDown);
    EXPECT_EQ(caretRow(), rows()->verticalScrollBar()->pageStep());
    QTest::keyClick(rows(), Qt::Key_Down);
    QTest::keyClick(rows(), Qt::Key_Home);
    QTest::keyClick(rows(), Qt::Key_Down, Qt::ShiftModifier);
    QTest::keyClick(rows(), Qt::Key_Down, Qt::ShiftModifier);
    const int first = rows()->verticalScrollBar()->pageStep() + 1;
    EXPECT_EQ(view.selectedLines(), line(first) + "\n" + line(first + 1) + "\n");
    QTest::keyClick(rows(), Qt::Key_Left, Qt::ShiftModifier);
    EXPECT_EQ(view.selectedLines(), line(first) + "\n" + line(first + 1));
    // Keys the rows have no use for go on to whoever watches the list view.
    QSignalSpy none(&view, &QPlainTextEdit::textChanged);
    QTest::keyClick(&view, Qt::Key_F3);
    QTest::keyClick(rows(), Qt::Key_A);
    EXPECT_EQ(view.lineCount(), Lines + 1);
    EXPECT_EQ(none.size(), 0);
}

TEST_F(ListRowsTest, ATripleClickSelectsARowAndDraggingExtendsByRows) {
    showList(list(Lines, "\r\n"));
    QSignalSpy released(&view, &ListTextEdit::released);
    QTest::mouseDClick(rows()->viewport(), Qt::LeftButton, {}, pointOfRow(5));
    rowMouse(QEvent::MouseButtonPress, pointOfRow(5), Qt::LeftButton);
    EXPECT_EQ(view.selectedLines(), line(5) + "\n");
    rowMouse(QEvent::MouseMove, pointOfRow(7, 3), Qt::LeftButton);
    rowMouse(QEvent::MouseButtonRelease, pointOfRow(7, 3), Qt::NoButton);
    EXPECT_EQ(view.selectedLines(), line(5) + "\n" + line(6) + "\n" + line(7) + "\n");
    EXPECT_EQ(caretRow(), 5);
    EXPECT_GE(released.size(), 1);
    // A plain drag selects characters.
    rowMouse(QEvent::MouseButtonPress, pointOfRow(2, 3), Qt::LeftButton);
    rowMouse(QEvent::MouseMove, pointOfRow(3, 3), Qt::LeftButton);
    rowMouse(QEvent::MouseButtonRelease, pointOfRow(3, 3), Qt::NoButton);
    EXPECT_EQ(view.selectedLines(), line(2) + "\n");
    EXPECT_EQ(caretRow(), 2);
}

TEST_F(ListRowsTest, FindSelectsTheNextMatchInAnyCase) {
    showList(list(Lines, "\r\n"));
    const qint64 found = view.findWord("img_2500.jpg", 0);
    EXPECT_EQ(view.lineNumber(found), 2500);
    EXPECT_EQ(view.selectedLines(), "IMG_2500.JPG");
    EXPECT_EQ(view.selectionStart(), found);
    EXPECT_EQ(view.findWord("img_2500.jpg", found + 12), -1);
    EXPECT_EQ(view.lineNumber(view.findWord("photos 299", found)), 2990);
    EXPECT_EQ(view.findWord("jpg", -1), -1);
}

TEST_F(ListRowsTest, AppendedTextFollowsTheLastRow) {
    showList("first\r\nsecond");
    QSignalSpy changes(&view, &QPlainTextEdit::textChanged);
    view.appendListText("\n================a.rtf==============\n" + list(100));
    EXPECT_EQ(changes.size(), 1);
    EXPECT_EQ(view.lineCount(), 104);
    EXPECT_EQ(view.lineNumber(view.findWord(line(99), 0)), 102);
    view.makeDocument();
    EXPECT_EQ(view.showing(), ListTextEdit::Showing::Document);
    EXPECT_EQ(view.toPlainText(),
              "first\nsecond\n================a.rtf==============\n" + list(100));
}

TEST_F(ListRowsTest, AListTooLargeToHoldAsATextStaysRows) {
    view.setDocumentsUpTo(10);
    showList("first\r\nsecond\r\n");
    EXPECT_FALSE(view.makeDocument());
    EXPECT_EQ(view.showing(), ListTextEdit::Showing::Rows);
    EXPECT_EQ(view.lineCount(), 3);
    view.setDocumentsUpTo(100);
    EXPECT_TRUE(view.makeDocument());
    EXPECT_EQ(view.toPlainText(), "first\nsecond\n");
}

TEST_F(ListRowsTest, AFileCutWhileShownShowsWhatIsLeft) {
    showList(list(Lines, "\r\n"));
    std::filesystem::resize_file(file, 100);
    QTest::keyClick(&view, Qt::Key_End, Qt::ControlModifier);
    EXPECT_FALSE(view.grab().isNull());
    EXPECT_EQ(view.lineCount(), Lines + 1);
    QTest::keyClick(&view, Qt::Key_Up, Qt::ShiftModifier);
    EXPECT_EQ(view.selectedLines(), "\n");
    EXPECT_EQ(view.findWord("jpg", 0), view.findWord("IMG_0000", 0) + 9);
    EXPECT_EQ(view.findWord("img_2000", 0), -1);
}

TEST_F(ListRowsTest, ABinaryOrHugeLinedFileIsRefusedAndTheViewKeepsItsText) {
    view.setListText("kept");
    view.setRowsFrom(0);
    EXPECT_THROW(view.showListFile(folder.write("nul.rtf", std::string("a\r\n\0\r\n", 5))),
                 common::Error);
    EXPECT_THROW(view.showListFile(folder.write("long.rtf", std::string(70000, 'x'))),
                 common::Error);
    EXPECT_EQ(view.showing(), ListTextEdit::Showing::Document);
    EXPECT_EQ(view.toPlainText(), "kept");
    // A small file is still a text below the size where rows begin.
    view.setRowsFrom(1u << 20);
    view.showListFile(folder.write("small.rtf", "a\r\nb\r\n"));
    EXPECT_EQ(view.showing(), ListTextEdit::Showing::Document);
    EXPECT_EQ(view.toPlainText(), "a\nb\n");
}
