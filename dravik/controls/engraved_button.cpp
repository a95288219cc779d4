#include "dravik/controls/engraved_button.h"

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

EngravedButton::EngravedButton(QWidget* parent) : QWidget(parent) {
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
    QPalette p = palette();
    p.setColor(QPalette::Window, p.color(QPalette::Button));
    setPalette(p);
    paintLabel(caption_, palette().color(QPalette::ButtonText));
    layoutCaption();
    changed_.clear();
}

QColor EngravedButton::backColor() const {
    return palette().color(QPalette::Window);
}

void EngravedButton::setBackColor(const QColor& colour) {
    QPalette p = palette();
    p.setColor(QPalette::Window, colour);
    setPalette(p);
    markChanged(QStringLiteral("BackColor"));
}

QString EngravedButton::caption() const {
    return caption_->text();
}

void EngravedButton::setCaption(const QString& caption) {
    caption_->setText(caption);
    // Handlers of Change see the new caption before the control lays itself out anew.
    emit Change();
    layoutCaption();
    markChanged(QStringLiteral("Caption"));
}

void EngravedButton::setEnabled(bool enabled) {
    QWidget::setEnabled(enabled);
    markChanged(QStringLiteral("Enabled"));
}

QFont EngravedButton::captionFont() const {
    return caption_->font();
}

void EngravedButton::setCaptionFont(const QFont& font) {
    caption_->setFont(font);
    markChanged(QStringLiteral("Font"));
    layoutCaption();
}

QColor EngravedButton::foreColor() const {
    return caption_->palette().color(QPalette::WindowText);
}

void EngravedButton::setForeColor(const QColor& colour) {
    paintLabel(caption_, colour);
    markChanged(QStringLiteral("ForeColor"));
}

QString EngravedButton::toolTipText() const {
    return caption_->toolTip();
}

void EngravedButton::setToolTipText(const QString& text) {
    caption_->setToolTip(text);
    markChanged(QStringLiteral("ToolTipText"));
}

void EngravedButton::markChanged(const QString& property) {
    if (!changed_.contains(property))
        changed_ << property;
}

void EngravedButton::sizeToCaption() {
    caption_->adjustSize();
    const QSize c = caption_->size();
    resize(c.width() + px(150), c.height() + px(110));
    shape_->setGeometry(rect());
    updateGeometry();
}

void EngravedButton::layoutCaption() {
    caption_->move(px(60), px(60));
    // The shadow and highlight copies are made afresh each time, never more than two.
    delete shadow_;
    delete highlight_;
    shadow_ = new QLabel(caption_->text(), this);
    shadow_->setObjectName(QStringLiteral("XLab_1"));
    highlight_ = new QLabel(caption_->text(), this);
    highlight_->setObjectName(QStringLiteral("XLab_2"));
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

void EngravedButton::layoutBevel() {
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

void EngravedButton::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    caption_->move(px(60), px(60));
    // The control always takes its caption's size: a resize from outside snaps back.
    const QSize wanted(caption_->width() + px(150), caption_->height() + px(110));
    if (size() != wanted)
        resize(wanted);
    shape_->setGeometry(rect());
}

bool EngravedButton::eventFilter(QObject* watched, QEvent* event) {
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
        mouse(&EngravedButton::MouseDown);
        break;
    case QEvent::MouseMove:
        mouse(&EngravedButton::MouseMove);
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
