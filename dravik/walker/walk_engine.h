#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace dravik::walker {

// What the walk is told, as the finder window's fields hold it.
struct WalkInput {
    std::string fileName = "*.*";     // file-name pattern
    std::string phrase;               // trimmed, otherwise not used
    std::string location;             // start location in list form, "E:\"
    std::vector<std::string> include; // files to include
    std::vector<std::string> exclude; // files to exclude
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
// listed is skipped and counted.
class WalkEngine {
public:
    using Progress = std::function<void(const WalkCounts&)>;

    // `root` is the local folder that the location's drive letter stands for.
    WalkEngine(std::filesystem::path root, WalkInput input);

    // Called every few hundred entries and once at the end.
    void setProgress(Progress progress) { progress_ = std::move(progress); }
    // When it turns true, the walk ends after the current entry (the list still gets its
    // summary line).
    void setStopFlag(const bool* stop) { stop_ = stop; }

    // Writes the list to `workFile`, replacing it. Throws common::Error when the work file cannot
    // be written or the root cannot be listed.
    WalkCounts run(const std::filesystem::path& workFile);

    // The patterns a folder's files are listed with, in order.
    static std::vector<std::string> patterns(const WalkInput& input);

private:
    std::filesystem::path root_;
    WalkInput input_;
    Progress progress_;
    const bool* stop_ = nullptr;
};

} // namespace dravik::walker
