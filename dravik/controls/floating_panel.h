#pragma once

#include <QString>

class QFrame;
class QPoint;
class QVBoxLayout;
class QWidget;

namespace dravik::controls {

// A raised frame that floats over the window, with an optional heading, hidden until its command
// shows it. Its layout is a QVBoxLayout.
QFrame* floatingPanel(QWidget* host, const char* name, const QString& heading);
QVBoxLayout* panelLayout(QFrame* panel);

// Shows a floating panel at `at` (its top left), kept fully inside its parent, and in front.
void showInside(QWidget* panel, const QPoint& at);
// The same, in the middle of its parent.
void showCentred(QWidget* panel);

} // namespace dravik::controls
