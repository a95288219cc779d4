#include "dravik/controls/floating_panel.h"

#include <QFrame>
#include <QLabel>
#include <QVBoxLayout>

#include <algorithm>

namespace dravik::controls {

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
    panel->hide();
    return panel;
}

QVBoxLayout* panelLayout(QFrame* panel) {
    return static_cast<QVBoxLayout*>(panel->layout());
}

void showInside(QWidget* panel, const QPoint& at) {
    panel->adjustSize();
    QPoint place = at;
    if (const QWidget* parent = panel->parentWidget()) {
        const QSize room = parent->size() - panel->size();
        place.setX(std::clamp(place.x(), 0, std::max(0, room.width())));
        place.setY(std::clamp(place.y(), 0, std::max(0, room.height())));
    }
    panel->move(place);
    panel->show();
    panel->raise();
}

void showCentred(QWidget* panel) {
    panel->adjustSize();
    const QWidget* parent = panel->parentWidget();
    showInside(panel, parent ? parent->rect().center() - panel->rect().center() : QPoint());
}

} // namespace dravik::controls
