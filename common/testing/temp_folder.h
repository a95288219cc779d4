#pragma once

#include <chrono>
#include <filesystem>
#include <string>

namespace common::testing {

// A temporary folder for one test, with byte-exact file helpers. It goes with everything in it,
// whatever bytes the names hold and whatever rights a test left on its folders.
class TempFolder {
public:
    // Made in the system's temporary folder ($TMPDIR) as `prefix` + "-XXXXXX".
    explicit TempFolder(const std::string& prefix = "dravik-test");
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    std::filesystem::path path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path() / name; }

    // Writes bytes, creating folders on the way.
    std::filesystem::path write(const std::string& relative, const std::string& bytes) const;
    std::filesystem::path makeFolder(const std::string& relative) const;
    static std::string read(const std::filesystem::path& file);
    // Sets a file's modification time this far into the past.
    static void makeOlder(const std::filesystem::path& file, std::chrono::seconds age);
    // Removes a file or a whole tree by its bytes; folders a test made unreadable are opened up
    // first. Nothing is followed through a symbolic link.
    static void removeTree(const std::filesystem::path& path);

private:
    std::filesystem::path path_;
};

} // namespace common::testing
