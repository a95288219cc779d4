#include "splitter/click_label.h"

#include <QMouseEvent>

namespace splitter {

ClickLabel::ClickLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
    setCursor(Qt::PointingHandCursor);
    // Looks like what it is: something to click.
    QFont underlined = font();
    underlined.setUnderline(true);
    setFont(underlined);
}

void ClickLabel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
    QLabel::mouseReleaseEvent(event);
}

} // namespace splitter
