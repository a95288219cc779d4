#include "dravik/controls/x_command_lup.h"

#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>

namespace dravik::controls {

namespace {

QColor grey() {
    return QColor(0x80, 0x80, 0x80);
}

void paintLabel(QLabel* label, const QColor& colour) {
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, colour);
    label->setPalette(p);
}

} // namespace

XCommandLUP::XCommandLUP(QWidget* parent) : QWidget(parent) {
    setAutoFillBackground(true);
    shape_ = new QFrame(this);
    shape_->setObjectName(QStringLiteral("Shape1"));
    shape_->setFrameShape(QFrame::NoFrame);
    for (int i = 0; i < 4; ++i) {
        lines_[i] = new QFrame(this);
        lines_[i]->setObjectName(QStringLiteral("Ly_%1").arg(i));
        lines_[i]->setAutoFillBackground(true);
    }
    caption_ = new QLabel(QStringLiteral("Label1"), this);
    caption_->setObjectName(QStringLiteral("XLab_0"));
    caption_->setAttribute(Qt::WA_TranslucentBackground);
    caption_->installEventFilter(this);
    caption_->setMouseTracking(true);
    caption_->setProperty("tag", 0);
    QPalette p = palette();
    p.setColor(QPalette::Window, p.color(QPalette::Button));
    setPalette(p);
    paintLabel(caption_, palette().color(QPalette::ButtonText));
    layoutCaption();
    changed_.clear();
}

QColor XCommandLUP::backColor() const {
    return palette().color(QPalette::Window);
}

void XCommandLUP::setBackColor(const QColor& colour) {
    QPalette p = palette();
    p.setColor(QPalette::Window, colour);
    setPalette(p);
    markChanged(QStringLiteral("BackColor"));
}

QString XCommandLUP::caption() const {
    return caption_->text();
}

void XCommandLUP::setCaption(const QString& caption) {
    caption_->setText(caption);
    // Handlers of Change see the new caption before the control lays itself out anew.
    emit Change();
    layoutCaption();
    markChanged(QStringLiteral("Caption"));
}

void XCommandLUP::setEnabled(bool enabled) {
    QWidget::setEnabled(enabled);
    markChanged(QStringLiteral("Enabled"));
}

QFont XCommandLUP::captionFont() const {
    return caption_->font();
}

void XCommandLUP::setCaptionFont(const QFont& font) {
    caption_->setFont(font);
    markChanged(QStringLiteral("Font"));
    layoutCaption();
}

QColor XCommandLUP::foreColor() const {
    return caption_->palette().color(QPalette::WindowText);
}

void XCommandLUP::setForeColor(const QColor& colour) {
    paintLabel(caption_, colour);
    markChanged(QStringLiteral("ForeColor"));
}

QString XCommandLUP::toolTipText() const {
    return caption_->toolTip();
}

void XCommandLUP::setToolTipText(const QString& text) {
    caption_->setToolTip(text);
    markChanged(QStringLiteral("ToolTipText"));
}

void XCommandLUP::markChanged(const QString& property) {
    if (!changed_.contains(property))
        changed_ << property;
}

void XCommandLUP::sizeToCaption() {
    caption_->adjustSize();
    const QSize c = caption_->size();
    resize(c.width() + px(150), c.height() + px(110));
    shape_->setGeometry(rect());
    updateGeometry();
}

void XCommandLUP::layoutCaption() {
    caption_->move(px(60), px(60));
    // The shadow and highlight copies are made afresh each time, never more than two.
    if (caption_->property("tag").toInt() > 0) {
        delete shadow_;
        delete highlight_;
    }
    shadow_ = new QLabel(caption_->text(), this);
    shadow_->setObjectName(QStringLiteral("XLab_1"));
    highlight_ = new QLabel(caption_->text(), this);
    highlight_->setObjectName(QStringLiteral("XLab_2"));
    caption_->setProperty("tag", 2);
    for (QLabel* copy : {shadow_, highlight_}) {
        copy->setFont(caption_->font());
        copy->setAttribute(Qt::WA_TransparentForMouseEvents);
        copy->adjustSize();
    }
    caption_->adjustSize();
    shadow_->move(caption_->pos() + QPoint(1, 1));
    paintLabel(shadow_, QColor(0x40, 0x40, 0x40));
    highlight_->move(caption_->pos() - QPoint(1, 1));
    paintLabel(highlight_, Qt::white);
    shadow_->show();
    highlight_->show();
    shadow_->stackUnder(caption_);
    highlight_->stackUnder(caption_);
    sizeToCaption();
    layoutBevel();
}

void XCommandLUP::layoutBevel() {
    const int w = caption_->width();
    const int h = caption_->height();
    const QColor colours[4] = {Qt::white, Qt::white, grey(), grey()};
    // left, top, right, bottom
    const QRect spans[4] = {QRect(0, 0, 1, h + px(50) + 1), QRect(0, 0, w + px(80) + 1, 1),
                            QRect(w + px(120), px(30), 1, h + px(80) - px(30) + 1),
                            QRect(px(30), h + px(80), w + px(120) - px(30) + 1, 1)};
    for (int i = 0; i < 4; ++i) {
        QPalette p = lines_[i]->palette();
        p.setColor(QPalette::Window, colours[i]);
        lines_[i]->setPalette(p);
        lines_[i]->setGeometry(spans[i]);
        lines_[i]->show();
        lines_[i]->raise();
    }
}

void XCommandLUP::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    caption_->move(px(60), px(60));
    // The control always takes its caption's size: a resize from outside snaps back.
    const QSize wanted(caption_->width() + px(150), caption_->height() + px(110));
    if (size() != wanted)
        resize(wanted);
    shape_->setGeometry(rect());
}

bool XCommandLUP::eventFilter(QObject* watched, QEvent* event) {
    if (watched != caption_ || !isEnabled())
        return QWidget::eventFilter(watched, event);
    const auto mouse = [&](auto signal) {
        auto* m = static_cast<QMouseEvent*>(event);
        const QPoint at = m->position().toPoint();
        emit(this->*signal)(static_cast<int>(m->buttons() | m->button()),
                            static_cast<int>(m->modifiers() >> 25), at.x() * TwipsPerPixel,
                            at.y() * TwipsPerPixel);
    };
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        mouse(&XCommandLUP::MouseDown);
        break;
    case QEvent::MouseMove:
        mouse(&XCommandLUP::MouseMove);
        break;
    case QEvent::MouseButtonRelease:
        if (caption_->rect().contains(static_cast<QMouseEvent*>(event)->position().toPoint()))
            emit Click();
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace dravik::controls
