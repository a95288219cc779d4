#include "dravik/controls/control_tag.h"

#include <QLabel>

namespace dravik::controls {

QLabel* sunkenLabel(QWidget* parent, const char* name, const QString& text) {
    auto* label = named(new QLabel(text, parent), name);
    label->setFrameShape(QFrame::Panel);
    label->setFrameShadow(QFrame::Sunken);
    label->setMargin(2);
    return label;
}

QLabel* raisedLabel(QWidget* parent, const char* name, const QString& caption) {
    auto* label = named(new QLabel(caption, parent), name);
    label->setFrameShape(QFrame::Panel);
    label->setFrameShadow(QFrame::Raised);
    label->setAlignment(Qt::AlignCenter);
    label->setCursor(Qt::PointingHandCursor);
    label->setAttribute(Qt::WA_Hover);
    return label;
}

void paint(QLabel* label, const QColor& back, const QColor& text) {
    QPalette p = label->palette();
    p.setColor(QPalette::Window, back);
    if (text.isValid())
        p.setColor(QPalette::WindowText, text);
    label->setAutoFillBackground(true);
    label->setPalette(p);
}

} // namespace dravik::controls
