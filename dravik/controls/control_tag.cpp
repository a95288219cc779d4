#include "dravik/controls/control_tag.h"

#include <QLabel>

namespace dravik::controls {

void paint(QLabel* label, const QColor& back, const QColor& text) {
    QPalette p = label->palette();
    p.setColor(QPalette::Window, back);
    if (text.isValid())
        p.setColor(QPalette::WindowText, text);
    label->setAutoFillBackground(true);
    label->setPalette(p);
}

} // namespace dravik::controls
