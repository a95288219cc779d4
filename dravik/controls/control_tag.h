#pragma once

#include <QColor>
#include <QObject>
#include <QVariant>

class QLabel;
class QWidget;

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

// A label framed as a sunken panel, for a value the window shows (`DTel`, `LaB`, `hP`, ...).
QLabel* sunkenLabel(QWidget* parent, const char* name, const QString& text = {});
// A label framed as a raised panel that acts as a command ("Splitter", "GoTo"): it looks and
// reacts like a thing to click.
QLabel* raisedLabel(QWidget* parent, const char* name, const QString& caption);

// Back colour and (when given) text colour of a label.
void paint(QLabel* label, const QColor& back, const QColor& text = QColor());

} // namespace dravik::controls
