#pragma once

#include "common/ui/yield_point.h"
#include "dravik/controls/command_array.h"

#include <QFrame>

class QLabel;

namespace dravik::window {

// `PrioF`: chooses where long operations let the window breathe (5 background, 3 normal,
// 1 foreground). Not saved. The opener `Prio` shows the choice.
class PriorityPanel : public QFrame {
    Q_OBJECT
public:
    PriorityPanel(common::ui::YieldPoint& yield, QLabel* opener, QWidget* parent);

    void open();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void choose(int index);

    common::ui::YieldPoint& yield_;
    QLabel* opener_;
    controls::CommandArray buttons_;
};

} // namespace dravik::window
