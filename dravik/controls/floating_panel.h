#pragma once

#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QRect>
#include <QString>

#include <functional>

class QAbstractButton;
class QFrame;
class QVBoxLayout;
class QWidget;

namespace dravik::controls {

// What makes a widget a panel floating over the window: it is shown inside its parent, never
// larger than the room it is given (it fits again when the window changes size), and Escape
// closes the frontmost one as its cancelling button would.
class FloatingPanel : public QObject {
    Q_OBJECT
public:
    // What Escape does to the panel when it is the frontmost one.
    enum class Escape { Ignored, Hides, PressesCancel };

    // The floating side of `panel`, made on first use; it lives as long as the panel.
    static FloatingPanel& of(QWidget* panel);

    // The layout that takes the panel's controls (a panel made by floatingPanel() scrolls them
    // when the window is too small for them).
    QVBoxLayout* body() const { return body_; }
    void setBody(QVBoxLayout* body) { body_ = body; }

    void setEscape(Escape escape) { escape_ = escape; }
    // Escape presses `button`.
    void setCancelButton(QAbstractButton* button);

    // Shows the panel with its top left at `at`, moved and shrunk as needed to stay inside its
    // parent, in front.
    void showAt(const QPoint& at);
    // The same, in the middle of its parent.
    void showCentred();
    // The same at the top left of the room `room` gives (asked again whenever the window
    // changes size); the panel never reaches outside that room.
    void showWithin(std::function<QRect()> room);

    // Escape in `host`: the frontmost shown panel of `host` closes. False when none took it.
    static bool escapeIn(QWidget* host);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    enum class Anchor { At, Centre };

    explicit FloatingPanel(QWidget* panel);
    void show(Anchor anchor);
    void fit();
    QRect room() const;
    bool escape();

    QWidget* panel_;
    QVBoxLayout* body_ = nullptr;
    Escape escape_ = Escape::Ignored;
    QPointer<QAbstractButton> cancel_;
    Anchor anchor_ = Anchor::At;
    QPoint at_;
    std::function<QRect()> room_;
};

// A raised frame that floats over the window, with an optional heading, hidden until its command
// shows it; Escape hides it unless it is given a cancelling button. Its controls go into
// panelLayout(), a QVBoxLayout that scrolls when the window is too small for it.
QFrame* floatingPanel(QWidget* host, const char* name, const QString& heading);
QVBoxLayout* panelLayout(QFrame* panel);

// FloatingPanel::of(panel).showAt(at) and .showCentred().
void showInside(QWidget* panel, const QPoint& at);
void showCentred(QWidget* panel);

} // namespace dravik::controls
