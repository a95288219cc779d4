#pragma once

#include "common/ui/yield_point.h"

#include <QObject>
#include <QTimer>

class QWidget;

namespace dravik::window {

// Blinks the "set the CD/DVD drive" warning five times, 400 ms apart, then hides it for good.
class DriveWarning : public QObject {
    Q_OBJECT
public:
    DriveWarning(QWidget* warning, common::ui::YieldPoint& yield, QObject* parent);

    void start();
    QTimer* timer() { return &timer_; }
    int ticks() const { return ticks_; }
    // One tick of the timer.
    void tick();

private:
    QWidget* warning_;
    common::ui::YieldPoint& yield_;
    QTimer timer_;
    int ticks_ = 0;
};

} // namespace dravik::window
