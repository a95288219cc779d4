#pragma once

#include "dravik/walker/walk_observer.h"

#include <filesystem>
#include <functional>
#include <stop_token>
#include <string>
#include <vector>

namespace dravik::walker {

// What the walk is told, as the finder window's fields hold it. Cataloguing leaves the pattern
// at "*.*" and both lists empty, so every file is listed.
struct WalkInput {
    std::string fileName = "*.*";     // file-name pattern, used when both lists are empty
    std::string location;             // start location in list form, "E:\"
    std::vector<std::string> include; // each entry lists a folder's files once more, "*entry*"
    std::vector<std::string> exclude; // any entry: every file ("*.*"), nothing is left out
};

struct WalkCounts {
    long long files = 0;   // file lines written
    long long folders = 0; // subfolders met (the root not counted)
    long long entries = 0; // entries handled, files and folders
    long long skipped = 0; // folders that could not be listed
};

// Walks a medium breadth first and writes its disc list: one line per file as it is met, the
// summary line last. Each folder is listed once, in the order the file system returns entries;
// nothing is held in memory but the queue of folders still to list. Symbolic links are listed as
// files and never followed, so a walk cannot loop or leave the medium. A folder that cannot be
// listed is skipped and counted. Each folder is opened relative to its parent's descriptor, never
// by a path from the root, so a folder swapped for a link after it was listed is not followed and
// a tree may be deeper than any path the system takes.
class WalkEngine {
public:
    using Progress = std::function<void(const WalkCounts&)>;

    // `root` is the local folder that the location's drive letter stands for.
    WalkEngine(std::filesystem::path root, WalkInput input);

    // Called every few hundred entries and once at the end.
    void setProgress(Progress progress) { progress_ = std::move(progress); }
    // When a stop is requested, the walk ends after the current entry (the list still gets its
    // summary line).
    void setStopToken(std::stop_token stop) { stop_ = std::move(stop); }
    // How many folders the walk may hold open at once for their subfolders; by default half of
    // what the process may open. A folder it had to close is opened again from its nearest open
    // ancestor, one name at a time.
    void setFolderLimit(std::size_t limit) { folderLimit_ = limit; }
    // Reads each listed file's size and time for `observer` (not owned; null: none is read).
    void setObserver(WalkObserver* observer) { observer_ = observer; }

    // Writes the list to `workFile`, replacing it. Throws common::Error when the work file cannot
    // be written or the root cannot be listed.
    WalkCounts run(const std::filesystem::path& workFile);

    // The patterns a folder's files are listed with, in order: one per include entry, else
    // "*.*" when anything is excluded, else the file-name pattern ("*.*" when blank).
    static std::vector<std::string> patterns(const WalkInput& input);

private:
    std::filesystem::path root_;
    WalkInput input_;
    Progress progress_;
    std::stop_token stop_;
    std::size_t folderLimit_ = 0;
    WalkObserver* observer_ = nullptr;
};

} // namespace dravik::walker
