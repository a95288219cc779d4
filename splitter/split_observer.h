#pragma once

#include <QString>
#include <QStringList>

namespace splitter {

class OpenFileTable;

// What a run tells the window. Every call has a default that does nothing, so a run without a
// window (tests, the benchmark driver) passes a plain SplitObserver.
class SplitObserver {
public:
    virtual ~SplitObserver() = default;

    virtual void runStarted() {}
    // The disc whose list is read now.
    virtual void discStarted(const QString& disc) { (void)disc; }
    // The run log: newest line on top.
    virtual void logTop(const QString& line) { (void)line; }
    virtual void removeTopLog() {}
    virtual void logBottom(const QString& line) { (void)line; }
    virtual void scrollLogToTop() {}
    // After each record; the window decides how often it is worth showing anything.
    virtual void record() {}
    // A file was opened or the table started again.
    virtual void tableChanged(const OpenFileTable& table) { (void)table; }
    // A deletion rewrites the extension file at this position of its list.
    virtual void rewriting(int index) { (void)index; }
    virtual void doneListChanged(const QStringList& names) { (void)names; }
    virtual void discFinished() {}
    // A step the user should see: let pending window events run.
    virtual void pump() {}
    virtual void runFinished() {}
    // The run ended early, by a failure or at the user's request.
    virtual void runStopped() {}
};

} // namespace splitter
