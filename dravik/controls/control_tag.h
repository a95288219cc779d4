#pragma once

#include <QColor>
#include <QObject>
#include <QVariant>

class QLabel;

// Small helpers every panel uses on its controls.
namespace dravik::controls {

// A control's "tag": a value the window keeps on a control for another handler to read (the
// status label's normal colour, the current extension of the file list, ...).
inline QVariant tag(const QObject* control) {
    return control->property("tag");
}
inline void setTag(QObject* control, const QVariant& value) {
    control->setProperty("tag", value);
}

// A control named for tests and the help line, and for screen readers when it shows no text.
template <typename T> T* named(T* widget, const char* name, const char* accessible = nullptr) {
    widget->setObjectName(QString::fromLatin1(name));
    if (accessible)
        widget->setAccessibleName(QString::fromLatin1(accessible));
    return widget;
}

// Back colour and (when given) text colour of a label.
void paint(QLabel* label, const QColor& back, const QColor& text = QColor());

} // namespace dravik::controls
