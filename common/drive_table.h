#pragma once

#include "common/error.h"

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace common {

// Drive letters on Linux: each letter maps to a root, either a folder or a block device (such as
// /dev/sr0) that is looked up among the mounted file systems each time it is used, so an empty
// CD/DVD drive shows as "device unavailable". Lists always hold the "E:\Photos\" form.
class DriveTable {
public:
    // Defaults (C = home, D, E, ... = optical drives, further letters = mounted removable media),
    // then section "Drives" of the settings, then DRAVIK_DRIVE_<LETTER> variables. Settings that
    // cannot be read leave the defaults and the variables; settingsFailure() says why.
    static DriveTable fromSystem();
    const std::optional<Error>& settingsFailure() const { return settingsFailure_; }

    void set(char letter, const std::string& root);
    void remove(char letter);
    std::vector<char> letters() const;
    bool has(char letter) const;
    // What the letter is mapped to, as configured (folder or device); empty when unmapped.
    std::string mapping(char letter) const;

    // The folder the letter's files are under now. Throws Error 68 when the letter is unmapped,
    // its device has nothing mounted, or its folder does not exist.
    std::filesystem::path root(char letter) const;
    bool available(char letter) const;

    // "E:\Photos\2009\" -> <root of E>/Photos/2009/ (throws like root()). A path whose ".."
    // would climb above the root throws Error 5: nothing outside the drive is reached.
    std::filesystem::path toLocal(std::string_view listPath) const;
    // A local folder under the root of `letter` -> "E:\Photos\2009\" (always ending in "\").
    std::string toListForm(char letter, const std::filesystem::path& local) const;

    // The available letter whose root holds the local path, compared by whole path components
    // ("/home/ann2" is not under "/home/ann"); the deepest root when roots nest. Nothing when no
    // root holds it.
    [[nodiscard]] std::optional<char> letterOf(const std::filesystem::path& local) const;

    // Where a block device is mounted now, or empty.
    static std::filesystem::path mountPointOf(const std::string& device);

private:
    void addFromSettings();

    std::map<char, std::string> roots_;
    std::optional<Error> settingsFailure_;
};

} // namespace common
