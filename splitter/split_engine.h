#pragma once

#include "splitter/extension_classifier.h"
#include "splitter/open_file_table.h"
#include "splitter/split_folders.h"

#include <QString>

#include <cstdint>
#include <string>
#include <vector>

namespace splitter {

class DoneList;
class SplitObserver;
class SplitterSettings;

// A run of the splitter: each chosen disc list is split over the extension files, unless it is in
// the done list, in which case it is skipped, deleted from the extension files, or deleted and
// split again.
//
// A run may be killed at any moment and the next run still ends with each record of each done
// disc exactly once. The busy marker names a disc before any of its lines is written or removed;
// a split ends by writing out its extension lines and then saving the done list with the disc in
// it; a deletion first saves the done list without the disc. So the marker names a disc that is
// not in the done list exactly when that disc may have some of its lines in the extension files,
// and the next run takes them out before anything else (a cut disc). Rewrites are complete new
// files renamed into place. None of this needs a disk flush to survive a killed process; the disk
// is flushed once at the start of a run (the first marker) and once at its end (the done list,
// then the cleared marker). The extension lines are not flushed: that costs a journal commit per
// file, and a run may write hundreds.
//
// Failures come out as common::Error once the open files are closed and the finished discs are in
// the done list; the busy marker then keeps the disc that was cut, if any.
class SplitEngine {
public:
    enum class WhenDone { Skip, Delete, Redo };
    enum class Outcome { Finished, Stopped };

    SplitEngine(SplitFolders folders, DoneList& done, SplitterSettings& settings,
                SplitObserver& observer);

    // `entries` are disc list files ("name.rtf"), in the order to split them.
    Outcome run(const std::vector<ListedFile>& entries, WhenDone whenDone);
    // Asks a running run to end after the current record, as an interrupted run ends.
    void requestStop() { stop_ = true; }

    // Bytes of the current disc list not yet read.
    std::uint64_t remaining() const { return remaining_; }
    const OpenFileTable& table() const { return table_; }
    const SplitFolders& folders() const { return folders_; }

    // The disc an earlier run left half split or half deleted: the busy marker when it names a
    // disc that is not in the done list; empty when there is none. Throws when the settings
    // cannot be read.
    static QString cutDisc(const SplitterSettings& settings, const DoneList& done);

private:
    struct Stopped {};

    void finishCutDisc();
    void runDiscs(const std::vector<ListedFile>& entries, WhenDone whenDone);
    void split(const QString& disc, const ListedFile& entry);
    void deleteDisc(const QString& disc);
    void removeLines(const QString& disc);
    void markBusy(const QString& disc);
    void markIdle();
    void closeFiles();
    void abandon();

    SplitFolders folders_;
    DoneList& done_;
    SplitterSettings& settings_;
    SplitObserver& observer_;
    OpenFileTable table_;
    ExtensionClassifier classifier_;
    std::string line_;
    QString cleaned_; // the cut disc whose leftovers this run took out
    std::uint64_t remaining_ = 0;
    bool stop_ = false;
    bool marked_ = false; // the run's first marker reached the disk
    bool cut_ = false;    // the marker names a disc that is half done
};

} // namespace splitter
