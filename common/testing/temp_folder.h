#pragma once

#include <QTemporaryDir>

#include <chrono>
#include <filesystem>
#include <string>

namespace common::testing {

// A temporary folder for one test, with byte-exact file helpers.
class TempFolder {
public:
    TempFolder();
    std::filesystem::path path() const { return dir_.path().toStdString(); }
    std::filesystem::path operator/(const std::string& name) const { return path() / name; }

    // Writes bytes, creating folders on the way.
    std::filesystem::path write(const std::string& relative, const std::string& bytes) const;
    std::filesystem::path makeFolder(const std::string& relative) const;
    static std::string read(const std::filesystem::path& file);
    // Sets a file's modification time this far into the past.
    static void makeOlder(const std::filesystem::path& file, std::chrono::seconds age);

private:
    QTemporaryDir dir_;
};

} // namespace common::testing
