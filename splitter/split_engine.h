#pragma once

#include "splitter/extension_rule.h"
#include "splitter/open_file_table.h"
#include "splitter/split_folders.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <string>

namespace splitter {

class DoneList;
class SplitObserver;
class SplitterSettings;

// A run of the splitter: each chosen disc list is split over the extension files, unless it is in
// the done list, in which case it is skipped, deleted from the extension files, or deleted and
// split again. Failures come out as common::Error once the open files are closed and the finished
// discs are in the done list; the busy marker then keeps the disc whose split was cut, if any.
class SplitEngine {
public:
    enum class WhenDone { Skip, Delete, Redo };
    enum class Outcome { Finished, Stopped };

    SplitEngine(SplitFolders folders, DoneList& done, SplitterSettings& settings,
                SplitObserver& observer);

    // `entries` are disc list file names ("name.rtf"), in the order to split them.
    Outcome run(const QStringList& entries, WhenDone whenDone);
    // Asks a running run to end after the current record, as an interrupted run ends.
    void requestStop() { stop_ = true; }

    // Bytes of the current disc list not yet read.
    std::uint64_t remaining() const { return remaining_; }
    const OpenFileTable& table() const { return table_; }
    const SplitFolders& folders() const { return folders_; }

    // Takes a disc's lines out of every extension file there is now and out of the done list.
    void deleteDisc(const QString& disc);

    // The disc whose split an earlier run left cut (the busy marker at start-up). Its leftover
    // lines are taken out before it is split again, so each of its records ends up once; with
    // DELETE ticked they are only taken out. Cleared once done.
    void setCutDisc(const QString& disc) { cutDisc_ = disc; }
    const QString& cutDisc() const { return cutDisc_; }

private:
    struct Stopped {};

    void runDiscs(const QStringList& entries, WhenDone whenDone);
    void split(const QString& disc, const QString& entry);
    void removeLines(const QString& disc);
    void closeFiles();
    void abandon();

    SplitFolders folders_;
    DoneList& done_;
    SplitterSettings& settings_;
    SplitObserver& observer_;
    OpenFileTable table_;
    ExtensionRule rule_;
    std::string line_;
    QString cutDisc_;
    std::uint64_t remaining_ = 0;
    bool stop_ = false;
    bool cut_ = false; // a disc's split began and did not end
};

} // namespace splitter
