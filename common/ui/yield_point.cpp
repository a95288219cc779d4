#include "common/ui/yield_point.h"

#include <QCoreApplication>

namespace common::ui {

namespace {
constexpr qint64 ThrottleMs = 15;
}

YieldPoint::YieldPoint() {
    sinceLast_.start();
}

void YieldPoint::always() {
    if (sinceLast_.elapsed() >= ThrottleMs)
        now();
}

void YieldPoint::at(std::initializer_list<int> levels) {
    for (const int l : levels) {
        if (l == level_) {
            always();
            return;
        }
    }
}

bool YieldPoint::due() const {
    return sinceLast_.elapsed() >= ThrottleMs;
}

bool YieldPoint::due(std::initializer_list<int> levels) const {
    for (const int l : levels) {
        if (l == level_)
            return due();
    }
    return false;
}

void YieldPoint::now() {
    QCoreApplication::processEvents();
    sinceLast_.restart();
}

} // namespace common::ui
