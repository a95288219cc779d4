#include "dravik/window/priority_panel.h"

#include "dravik/controls/floating_panel.h"

#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QMouseEvent>

namespace dravik::window {

namespace {
struct Choice {
    int level;
    const char* button;
    const char* label;
    const char* caption;
};
// Indexed by the button's index; the first closes the panel without a choice.
constexpr int CloseButton = 0;
const Choice Choices[4] = {{0, "X", "", ""},
                           {5, "Low", "Background (5)", "Low >>"},
                           {3, "Default", "Normal (3)", "Default >>"},
                           {1, "High", "Foreground (1)", "High >>"}};
} // namespace

PriorityPanel::PriorityPanel(common::ui::YieldPoint& yield, QLabel* opener, QWidget* parent)
    : QFrame(parent), yield_(yield), opener_(opener),
      buttons_(QStringLiteral("PrioC"), controls::CommandArray::Look::Button) {
    setObjectName(QStringLiteral("PrioF"));
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Raised);
    setAutoFillBackground(true);
    auto* grid = new QGridLayout(this);
    auto* title = new QLabel(QStringLiteral("Priority Settings (Not saved)"), this);
    title->setStyleSheet(QStringLiteral("font-weight:bold"));
    grid->addWidget(title, 0, 0);
    grid->addWidget(buttons_.add(CloseButton, QStringLiteral("X"), {}, this), 0, 1);
    for (int i = CloseButton + 1; i <= 3; ++i) {
        grid->addWidget(buttons_.add(i, QString::fromLatin1(Choices[i].button), {}, this), i, 0);
        grid->addWidget(new QLabel(QString::fromLatin1(Choices[i].label), this), i, 1);
    }
    connect(&buttons_, &controls::CommandArray::clicked, this, &PriorityPanel::choose);
    controls::FloatingPanel::of(this).setCancelButton(buttons_.element(CloseButton));
    opener_->setText(QStringLiteral("Default >>"));
    opener_->setCursor(Qt::PointingHandCursor);
    opener_->installEventFilter(this);
    adjustSize();
    hide();
}

void PriorityPanel::open() {
    // Below its opener, but never past the window's edge.
    const QPoint below =
        parentWidget() ? opener_->mapTo(parentWidget(), QPoint(0, opener_->height())) : QPoint();
    controls::showInside(this, below);
}

void PriorityPanel::choose(int index) {
    if (index != CloseButton) {
        yield_.setLevel(Choices[index].level);
        opener_->setText(QString::fromLatin1(Choices[index].caption));
    }
    hide();
}

bool PriorityPanel::eventFilter(QObject* watched, QEvent* event) {
    if (watched == opener_ && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        open();
        return true;
    }
    return QFrame::eventFilter(watched, event);
}

} // namespace dravik::window
