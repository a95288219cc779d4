#include "dravik/window/drive_warning.h"

#include <QWidget>

namespace dravik::window {

DriveWarning::DriveWarning(QWidget* warning, common::ui::YieldPoint& yield, QObject* parent)
    : QObject(parent), warning_(warning), yield_(yield) {
    timer_.setObjectName(QStringLiteral("TiMo"));
    timer_.setInterval(400);
    connect(&timer_, &QTimer::timeout, this, &DriveWarning::tick);
}

void DriveWarning::start() {
    ticks_ = 0;
    timer_.start();
}

void DriveWarning::tick() {
    if (++ticks_ != 6) {
        warning_->setHidden(!warning_->isHidden());
    } else {
        timer_.stop();
        warning_->hide();
    }
    yield_.at({common::ui::YieldPoint::Normal});
}

} // namespace dravik::window
