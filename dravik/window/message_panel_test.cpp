#include "dravik/controls/control_names.h"
#include "dravik/testing/main_window_fixture.h"
#include "dravik/window/message_panel.h"

#include <QLabel>
#include <QMouseEvent>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>
#include <QTimer>

using common::ui::Buttons;
using common::ui::Icon;
using dravik::window::MainWindow;
namespace Answer = common::ui::Answer;
using dravik::controls::GCom;
using dravik::controls::MsgC;
using dravik::controls::MsgI;
namespace Control = dravik::controls::Control;

class MessagePanelTest : public dravik::testing::MainWindowFixture {
protected:
    void SetUp() override {
        MainWindowFixture::SetUp();
        dialogs.answerPanelsByHand(true);
    }
    // Presses a button of the panel once the question is showing.
    void pressLater(MsgC button) {
        QTimer::singleShot(0, [this, button] { click(button); });
    }
};

TEST_F(MessagePanelTest, AnswersComeFromTheButtons) {
    MainWindow& w = start();
    const std::pair<MsgC, int> presses[3] = {{MsgC::Yes, 6}, {MsgC::No, 7}, {MsgC::Cancel, 2}};
    for (const auto& [button, expected] : presses) {
        pressLater(button);
        EXPECT_EQ(w.ask("Heading", "Text", Buttons::YesNoCancel, Icon::Question), expected);
        EXPECT_EQ(w.messagePanel().answer(), expected);
        EXPECT_TRUE(find<QWidget>(Control::MessagePanel)->isHidden());
    }
}

TEST_F(MessagePanelTest, OnlyYesLeavesTheOthersGreyedAndShowsTheChosenIcon) {
    MainWindow& w = start();
    QTimer::singleShot(0, [this] {
        EXPECT_FALSE(find<QWidget>(Control::MessagePanel)->isHidden());
        EXPECT_EQ(find<QLabel>(Control::MessageHeading)->text(), "Name Set");
        EXPECT_TRUE(find<QAbstractButton>(MsgC::Yes)->isEnabled());
        EXPECT_FALSE(find<QAbstractButton>(MsgC::No)->isEnabled());
        EXPECT_FALSE(find<QAbstractButton>(MsgC::Cancel)->isEnabled());
        EXPECT_FALSE(find<QAbstractButton>(MsgC::No)->isHidden()); // greyed, still there
        EXPECT_TRUE(find<QLabel>(MsgI::Question)->isHidden());
        EXPECT_FALSE(find<QLabel>(MsgI::Warning)->isHidden());
        auto* text = find<QTextEdit>(Control::MessageText);
        EXPECT_EQ(text->toPlainText(), "first\n\nsecond");
        for (auto block = text->document()->begin(); block.isValid(); block = block.next())
            EXPECT_EQ(block.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
        click(MsgC::Yes);
    });
    EXPECT_EQ(w.ask("Name Set", "first\n\nsecond", Buttons::Ok, Icon::Warning), 6);
}

TEST_F(MessagePanelTest, ASecondQuestionReplacesTheFirstAndOneAnswerEndsBoth) {
    MainWindow& w = start();
    int inner = -1;
    QTimer::singleShot(0, [&] {
        QTimer::singleShot(0, [this] {
            EXPECT_EQ(find<QLabel>(Control::MessageHeading)->text(), "Second");
            click(MsgC::No);
        });
        inner = w.ask("Second", "two", Buttons::YesNo, Icon::Question);
    });
    const int outer = w.ask("First", "one", Buttons::YesNoCancel, Icon::Question);
    EXPECT_EQ(inner, 7);
    EXPECT_EQ(outer, 7);
}

TEST_F(MessagePanelTest, ScriptedAnswersGoThroughTheRealButtons) {
    MainWindow& w = start();
    dialogs.answerPanelsByHand(false);
    dialogs.expectPanel("Disc ERROR", "text", Buttons::Ok, Icon::Warning, Answer::Yes);
    EXPECT_EQ(w.ask("Disc ERROR", "text", Buttons::Ok, Icon::Warning), 6);
    EXPECT_TRUE(find<QWidget>(Control::MessagePanel)->isHidden());
}

TEST_F(MessagePanelTest, DraggedByItsHeader) {
    MainWindow& w = start();
    w.resize(1000, 700);
    auto* panel = find<QWidget>(Control::MessagePanel);
    auto* header = find<QLabel>(Control::MessageHeading);
    panel->show();
    panel->move(100, 100);
    QTest::mousePress(header, Qt::LeftButton, {}, QPoint(20, 10));
    QMouseEvent move(QEvent::MouseMove, QPointF(50, 30), header->mapToGlobal(QPointF(50, 30)),
                     Qt::NoButton, Qt::LeftButton, {});
    QApplication::sendEvent(header, &move);
    QTest::mouseRelease(header, Qt::LeftButton, {}, QPoint(50, 30));
    // grab = press point - 4: the panel moves by pointer - grab.
    EXPECT_EQ(panel->pos(), QPoint(100 + 50 - 16, 100 + 30 - 6));
    QMouseEvent after(QEvent::MouseMove, QPointF(60, 60), header->mapToGlobal(QPointF(60, 60)),
                      Qt::NoButton, Qt::NoButton, {});
    QApplication::sendEvent(header, &after);
    EXPECT_EQ(panel->pos(), QPoint(134, 124)); // released: no more moving
}

TEST_F(MessagePanelTest, ClosingTheWindowEndsAWait) {
    MainWindow& w = start();
    QTimer::singleShot(0, [&] { w.close(); });
    EXPECT_EQ(w.ask("Heading", "Text", Buttons::YesNoCancel, Icon::Question), 2);
}

TEST_F(MessagePanelTest, EscapeAnswersWithTheCancellingButton) {
    MainWindow& w = start();
    const auto escape = [this] {
        QTimer::singleShot(0,
                           [this] { QTest::keyClick(find<QWidget>(MsgC::Yes), Qt::Key_Escape); });
    };
    escape();
    EXPECT_EQ(w.ask("Q", "Text", Buttons::YesNoCancel, Icon::Question), 2);
    escape();
    EXPECT_EQ(w.ask("Q", "Text", Buttons::YesNo, Icon::Question), 7);
    escape();
    EXPECT_EQ(w.ask("Notice", "Text", Buttons::Ok, Icon::Warning), 6);
    EXPECT_TRUE(find<QWidget>(Control::MessagePanel)->isHidden());
}

TEST_F(MessagePanelTest, ACommandThatSucceedsClosesAStaleNotice) {
    MainWindow& w = start();
    QTimer::singleShot(0, [this] {
        EXPECT_FALSE(find<QWidget>(Control::MessagePanel)->isHidden());
        click(GCom::ListViewSwitch); // any command that works
        EXPECT_TRUE(find<QWidget>(Control::MessagePanel)->isHidden());
    });
    EXPECT_EQ(w.ask("Disc ERROR", "An earlier attempt", Buttons::Ok, Icon::Warning), 6);
}
