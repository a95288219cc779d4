#include "dravik/controls/floating_panel.h"

#include <QAbstractButton>
#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QScrollArea>
#include <QStyle>
#include <QVBoxLayout>

#include <algorithm>

namespace dravik::controls {

namespace {

// A scroll area that asks for the whole of its contents: a panel is as large as its controls
// want while the window has room, and scrolls only when it has not.
class WholeContentsArea : public QScrollArea {
public:
    using QScrollArea::QScrollArea;
    QSize sizeHint() const override {
        const int frame = 2 * frameWidth();
        if (!widget())
            return QScrollArea::sizeHint();
        return widget()->sizeHint().expandedTo(widget()->minimumSize()) + QSize(frame, frame);
    }
};

// `value` moved into [low, high], or to `low` when the range is empty.
int within(int value, int low, int high) {
    return std::clamp(value, low, std::max(low, high));
}

} // namespace

FloatingPanel::FloatingPanel(QWidget* panel) : QObject(panel), panel_(panel) {
    if (QWidget* parent = panel->parentWidget())
        parent->installEventFilter(this);
}

FloatingPanel& FloatingPanel::of(QWidget* panel) {
    if (auto* made = panel->findChild<FloatingPanel*>(QString(), Qt::FindDirectChildrenOnly))
        return *made;
    return *new FloatingPanel(panel);
}

void FloatingPanel::setCancelButton(QAbstractButton* button) {
    cancel_ = button;
    escape_ = Escape::PressesCancel;
}

void FloatingPanel::showAt(const QPoint& at) {
    at_ = at;
    room_ = nullptr;
    show(Anchor::At);
}

void FloatingPanel::showCentred() {
    room_ = nullptr;
    show(Anchor::Centre);
}

void FloatingPanel::showWithin(std::function<QRect()> room) {
    room_ = std::move(room);
    show(Anchor::At);
}

void FloatingPanel::show(Anchor anchor) {
    anchor_ = anchor;
    fit();
    panel_->show();
    panel_->raise();
}

QRect FloatingPanel::room() const {
    const QWidget* parent = panel_->parentWidget();
    if (!parent)
        return room_ ? room_() : QRect(at_, panel_->sizeHint());
    return room_ ? room_() & parent->rect() : parent->rect();
}

void FloatingPanel::fit() {
    panel_->ensurePolished();
    const QRect area = room();
    const QSize wanted = panel_->sizeHint().expandedTo(panel_->minimumSize());
    QSize size = wanted.boundedTo(area.size());
    // A panel that scrolls up and down needs the scroll bar's width beside its controls.
    if (body_ && size.height() < wanted.height())
        size.setWidth(std::min(
            area.width(), size.width() + panel_->style()->pixelMetric(QStyle::PM_ScrollBarExtent)));
    panel_->resize(size);
    size = panel_->size(); // a fixed size stays as it is
    QPoint place = room_ ? area.topLeft() : at_;
    if (anchor_ == Anchor::Centre)
        place = area.center() - QRect(QPoint(), size).center();
    place.setX(within(place.x(), area.left(), area.right() + 1 - size.width()));
    place.setY(within(place.y(), area.top(), area.bottom() + 1 - size.height()));
    panel_->move(place);
}

bool FloatingPanel::eventFilter(QObject* watched, QEvent* event) {
    if (watched == panel_->parentWidget() && event->type() == QEvent::Resize &&
        !panel_->isHidden()) {
        // The window's own layout moves its areas after this filter: fit once it has.
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (!panel_->isHidden())
                    fit();
            },
            Qt::QueuedConnection);
    }
    return QObject::eventFilter(watched, event);
}

bool FloatingPanel::escape() {
    switch (escape_) {
    case Escape::Ignored:
        return false;
    case Escape::Hides:
        panel_->hide();
        return true;
    case Escape::PressesCancel:
        if (cancel_ && cancel_->isEnabled())
            cancel_->click();
        return true;
    }
    return false;
}

bool FloatingPanel::escapeIn(QWidget* host) {
    // The last child is the frontmost one.
    const QObjectList& children = host->children();
    for (auto it = children.crbegin(); it != children.crend(); ++it) {
        auto* widget = qobject_cast<QWidget*>(*it);
        if (!widget || widget->isHidden())
            continue;
        auto* floating = widget->findChild<FloatingPanel*>(QString(), Qt::FindDirectChildrenOnly);
        if (floating && floating->escape())
            return true;
    }
    return false;
}

QFrame* floatingPanel(QWidget* host, const char* name, const QString& heading) {
    auto* panel = new QFrame(host);
    panel->setObjectName(QString::fromLatin1(name));
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Raised);
    panel->setAutoFillBackground(true);
    auto* layout = new QVBoxLayout(panel);
    if (!heading.isEmpty()) {
        auto* title = new QLabel(heading, panel);
        title->setStyleSheet(
            QStringLiteral("background:#1f3f7f;color:white;font-weight:bold;padding:3px"));
        layout->addWidget(title);
    }
    auto* scroll = new WholeContentsArea(panel);
    scroll->setObjectName(QString::fromLatin1(name) + QStringLiteral("Body"));
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    auto* contents = new QWidget(scroll);
    auto* body = new QVBoxLayout(contents);
    body->setContentsMargins(0, 0, 0, 0);
    scroll->setWidget(contents);
    layout->addWidget(scroll, 1);
    FloatingPanel& floating = FloatingPanel::of(panel);
    floating.setBody(body);
    floating.setEscape(FloatingPanel::Escape::Hides);
    panel->hide();
    return panel;
}

QVBoxLayout* panelLayout(QFrame* panel) {
    if (QVBoxLayout* body = FloatingPanel::of(panel).body())
        return body;
    return static_cast<QVBoxLayout*>(panel->layout());
}

void showInside(QWidget* panel, const QPoint& at) {
    FloatingPanel::of(panel).showAt(at);
}

void showCentred(QWidget* panel) {
    FloatingPanel::of(panel).showCentred();
}

} // namespace dravik::controls
