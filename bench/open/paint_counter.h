#pragma once

#include <QEvent>
#include <QObject>

// Counts the paint events of a widget it filters, to be sure a timed paint really happened.
class PaintCounter : public QObject {
public:
    int paints = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            ++paints;
        return QObject::eventFilter(watched, event);
    }
};
