#pragma once

#include <QElapsedTimer>

#include <initializer_list>

namespace common::ui {

// Lets pending window events run during long operations. Pumping costs time, so a point pumps
// only when about 15 ms have passed since the last pump: the window stays live at a fraction of
// the cost. The priority level (5 background, 3 normal, 1 foreground) decides which optional
// points yield at all.
class YieldPoint {
public:
    static constexpr int Background = 5;
    static constexpr int Normal = 3;
    static constexpr int Foreground = 1;

    YieldPoint();

    int level() const { return level_; }
    void setLevel(int level) { level_ = level; }

    // An unconditional point.
    void always();
    // An optional point that yields at the given levels only.
    void at(std::initializer_list<int> levels);
    // Pumps now, whatever the time since the last pump (a visible step the user must see).
    void now();

    // Whether an unconditional point, or a point yielding at `levels`, would pump now: a caller
    // brings its labels up to date only then, not at every step.
    bool due() const;
    bool due(std::initializer_list<int> levels) const;

private:
    int level_ = Normal;
    QElapsedTimer sinceLast_;
};

} // namespace common::ui
