#include "dravik/controls/control_names.h"
#include "dravik/testing/main_window_fixture.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QTest>
#include <QTextBlock>

using dravik::controls::RTXw;
namespace Control = dravik::controls::Control;

namespace {

class ListViewReading : public dravik::testing::MainWindowFixture {};

} // namespace

TEST_F(ListViewReading, ATripleClickShowsTheRowAndItsNumber) {
    start();
    auto* list = find<QPlainTextEdit>(Control::ListView);
    list->setPlainText("*Holiday* \"E:\\\",\"a.jpg\"\n*Music* \"E:\\Jazz\\\",\"so what.mp3\"\n");
    auto* status = find<QLabel>(Control::Status);
    const QColor normal = status->palette().color(QPalette::Window);
    QPalette red = status->palette();
    red.setColor(QPalette::Window, Qt::red);
    status->setPalette(red);
    const QTextBlock second = list->document()->findBlockByNumber(1);
    const QPoint at = list->cursorRect(QTextCursor(second)).center() + QPoint(30, 0);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    EXPECT_EQ(status->text(), "*Music* \"E:\\Jazz\\\",\"so what.mp3\"");
    EXPECT_EQ(find<QLabel>(Control::RowCount)->text(), "2");
    EXPECT_EQ(status->palette().color(QPalette::Window), normal);
    list->moveCursor(QTextCursor::Start);
    EXPECT_EQ(find<QLabel>(Control::RowCount)->text(), "1");
    EXPECT_EQ(list->property("helpText").toString(), "To select: Lckick three(3) times");
}

TEST_F(ListViewReading, WideAndNarrowReturnToTheSameLeftEdge) {
    dravik::window::MainWindow& w = start();
    w.resize(1280, 800);
    QApplication::processEvents();
    auto* list = find<QPlainTextEdit>(Control::ListView);
    const int narrow = list->mapTo(&w, QPoint()).x();
    click(RTXw::Wide);
    QApplication::processEvents();
    EXPECT_LT(list->mapTo(&w, QPoint()).x(), narrow);
    click(RTXw::Narrow);
    QApplication::processEvents();
    EXPECT_EQ(list->mapTo(&w, QPoint()).x(), narrow);
}
