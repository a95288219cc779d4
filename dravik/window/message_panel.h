#pragma once

#include "common/ui/dialogs.h"
#include "dravik/controls/command_array.h"

#include <QFrame>
#include <QList>
#include <QPoint>

class QEventLoop;
class QLabel;
class QTextEdit;

namespace dravik::window {

// The in-window question panel `MsgP`. A caller fills in heading, buttons, text and icon and waits
// in a nested event loop, so the rest of the window stays live. A second question while one waits
// replaces the first, and the one answer ends both waits.
class MessagePanel : public QFrame {
    Q_OBJECT
public:
    MessagePanel(common::ui::Dialogs& dialogs, QWidget* parent);

    // `MsG`: shows the panel and returns the answer (6 Yes, 7 NO, 2 CANCEL). `Buttons::Ok`
    // offers "Yes" alone, `OkCancel` "Yes" and "CANCEL"; the warning icons show the warning
    // picture, the others the question one.
    int ask(const QString& heading, const QString& text, common::ui::Buttons buttons,
            common::ui::Icon icon);
    // The answer of the last panel (0 while a question is open).
    int answer() const { return answer_; }
    // Ends every open wait with CANCEL (the window is closing).
    void cancelAll();
    // Escape: the cancelling button answers ("CANCEL", else "NO", else "Yes" of a notice).
    // False when no question is open.
    bool escape();
    // A notice still open after a later command succeeded is about an earlier attempt: it goes.
    void closeStaleNotice();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    enum class Button { Yes = 0, No = 1, Cancel = 2 };
    enum class Picture { Question = 0, Warning = 1 };

    void offer(common::ui::Buttons buttons);
    common::ui::Buttons offered() const;
    void place();
    void press(int index);

    common::ui::Dialogs& dialogs_;
    QLabel* header_;
    QTextEdit* text_;
    QLabel* icons_[2];
    controls::CommandArray buttons_;
    int answer_ = 0;
    QList<QEventLoop*> waits_;
    bool dragging_ = false;
    bool dragged_ = false;
    QPoint grab_;
};

} // namespace dravik::window
