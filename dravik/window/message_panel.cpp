#include "dravik/window/message_panel.h"

#include <QApplication>
#include <QEventLoop>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QStyle>
#include <QTextBlockFormat>
#include <QTextCursor>
#include <QTextEdit>
#include <QTimer>
#include <QVBoxLayout>

namespace dravik::window {

namespace {
// The grab point sits this far inside the pointer, so the panel jumps a little on the first move.
constexpr int GrabOffset = 4;
} // namespace

MessagePanel::MessagePanel(common::ui::Dialogs& dialogs, QWidget* parent)
    : QFrame(parent), dialogs_(dialogs),
      buttons_(QStringLiteral("MsgC"), controls::CommandArray::Look::Button) {
    setObjectName(QStringLiteral("MsgP"));
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Raised);
    setAutoFillBackground(true);
    setFixedSize(460, 260);

    header_ = new QLabel(this);
    header_->setObjectName(QStringLiteral("MsgH"));
    header_->setAutoFillBackground(true);
    header_->setStyleSheet(QStringLiteral("background:#1f3f7f;color:white;font-weight:bold;"
                                          "padding:3px;"));
    header_->setCursor(Qt::SizeAllCursor);
    header_->installEventFilter(this);

    text_ = new QTextEdit(this);
    text_->setObjectName(QStringLiteral("MsgT"));
    text_->setAccessibleName(QStringLiteral("Message"));
    text_->setReadOnly(true);

    const QStyle* style = QApplication::style();
    const QIcon pictures[2] = {style->standardIcon(QStyle::SP_MessageBoxInformation),
                               style->standardIcon(QStyle::SP_MessageBoxWarning)};
    auto* iconColumn = new QVBoxLayout;
    for (int i = 0; i < 2; ++i) {
        icons_[i] = new QLabel(this);
        icons_[i]->setObjectName(QStringLiteral("MsgI_%1").arg(i));
        icons_[i]->setAccessibleName(i == 0 ? QStringLiteral("Question")
                                            : QStringLiteral("Warning"));
        icons_[i]->setPixmap(pictures[i].pixmap(32, 32));
        iconColumn->addWidget(icons_[i]);
    }
    iconColumn->addStretch();

    auto* buttonRow = new QHBoxLayout;
    buttonRow->addStretch();
    const char* captions[3] = {"Yes", "NO", "CANCEL"};
    for (int i = 0; i < 3; ++i)
        buttonRow->addWidget(buttons_.add(i, QString::fromLatin1(captions[i]), {}, this));
    connect(&buttons_, &controls::CommandArray::clicked, this, &MessagePanel::press);

    auto* middle = new QHBoxLayout;
    middle->addLayout(iconColumn);
    middle->addWidget(text_, 1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 6);
    layout->addWidget(header_);
    layout->addLayout(middle, 1);
    layout->addLayout(buttonRow);
    hide();
}

void MessagePanel::offer(common::ui::Buttons buttons) {
    using common::ui::Buttons;
    buttons_.element(Button::Yes)->setEnabled(true);
    buttons_.element(Button::No)
        ->setEnabled(buttons == Buttons::YesNo || buttons == Buttons::YesNoCancel);
    buttons_.element(Button::Cancel)
        ->setEnabled(buttons == Buttons::OkCancel || buttons == Buttons::YesNoCancel);
}

common::ui::Buttons MessagePanel::offered() const {
    // Read back from the buttons, so a test sees what the user would be offered.
    using common::ui::Buttons;
    const bool no = buttons_.element(Button::No)->isEnabled();
    const bool cancel = buttons_.element(Button::Cancel)->isEnabled();
    if (no)
        return cancel ? Buttons::YesNoCancel : Buttons::YesNo;
    return cancel ? Buttons::OkCancel : Buttons::Ok;
}

void MessagePanel::place() {
    // Centred until the user drags it somewhere; kept inside the window.
    if (!parentWidget())
        return;
    const QRect area = parentWidget()->rect();
    if (!dragged_ || !area.contains(geometry()))
        move(area.center() - rect().center());
}

int MessagePanel::ask(const QString& heading, const QString& text, common::ui::Buttons buttons,
                      common::ui::Icon icon) {
    offer(buttons);
    const bool warning = icon == common::ui::Icon::Warning || icon == common::ui::Icon::Critical;
    const int picture = int(warning ? Picture::Warning : Picture::Question);
    icons_[0]->hide();
    icons_[1]->hide();
    icons_[picture]->show();
    header_->setText(heading);
    text_->setPlainText(text);
    QTextCursor all(text_->document());
    all.select(QTextCursor::Document);
    QTextBlockFormat centred;
    centred.setAlignment(Qt::AlignHCenter);
    all.mergeBlockFormat(centred);
    place();
    show();
    raise();
    buttons_.element(Button::Yes)->setFocus();
    answer_ = 0;

    // Tests answer through the real button, so the panel's own path is what they check.
    const common::ui::Icon shown = warning ? common::ui::Icon::Warning : common::ui::Icon::Question;
    if (const auto scripted = dialogs_.panelAnswer(heading, text, offered(), shown)) {
        const Button index = *scripted == common::ui::Answer::Yes  ? Button::Yes
                             : *scripted == common::ui::Answer::No ? Button::No
                                                                   : Button::Cancel;
        QAbstractButton* button = buttons_.element(index);
        QTimer::singleShot(0, button, [button] {
            button->setEnabled(true);
            button->click();
        });
    }

    QEventLoop wait;
    waits_.append(&wait);
    if (answer_ == 0)
        wait.exec();
    waits_.removeOne(&wait);
    return answer_;
}

void MessagePanel::press(int index) {
    static const int answers[3] = {common::ui::Answer::Yes, common::ui::Answer::No,
                                   common::ui::Answer::Cancel};
    answer_ = answers[index];
    hide();
    for (QEventLoop* wait : waits_)
        wait->quit();
}

void MessagePanel::cancelAll() {
    if (!waits_.isEmpty())
        press(int(Button::Cancel));
}

bool MessagePanel::escape() {
    if (waits_.isEmpty() || isHidden())
        return false;
    for (const Button b : {Button::Cancel, Button::No, Button::Yes}) {
        if (buttons_.element(b)->isEnabled()) {
            press(int(b));
            break;
        }
    }
    return true;
}

void MessagePanel::closeStaleNotice() {
    const bool notice = !buttons_.element(Button::No)->isEnabled() &&
                        !buttons_.element(Button::Cancel)->isEnabled();
    if (!waits_.isEmpty() && !isHidden() && notice)
        press(int(Button::Yes));
}

bool MessagePanel::eventFilter(QObject* watched, QEvent* event) {
    if (watched != header_)
        return QFrame::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton) {
            dragging_ = true;
            grab_ = mouse->position().toPoint() - QPoint(GrabOffset, GrabOffset);
        }
        return true;
    }
    case QEvent::MouseMove:
        if (dragging_) {
            const QPoint pointer = static_cast<QMouseEvent*>(event)->position().toPoint();
            move(pos() + pointer - grab_);
            dragged_ = true;
        }
        return true;
    case QEvent::MouseButtonRelease:
        dragging_ = false;
        return true;
    default:
        return false;
    }
}

} // namespace dravik::window
