#pragma once

#include <stdexcept>
#include <string>

namespace common {

// Error numbers the program reports; callers answer some of them with texts of their own.
namespace ErrorNumber {
constexpr int InvalidArgument = 5;
constexpr int FileNotFound = 53;
constexpr int DeviceIo = 57;
constexpr int DiskFull = 61;
constexpr int InputPastEnd = 62;
constexpr int DeviceUnavailable = 68;
constexpr int PermissionDenied = 70;
constexpr int PathFileAccess = 75;
constexpr int PathNotFound = 76;
} // namespace ErrorNumber

// The one failure type: a number callers can test and a description a person can read.
class Error : public std::runtime_error {
public:
    Error(int number, const std::string& description)
        : std::runtime_error(description), number_(number) {}

    int number() const { return number_; }
    std::string description() const { return what(); }

    // Maps an errno value onto the program's numbers; `subject` names the file or folder.
    static Error fromErrno(int err, const std::string& subject);

private:
    int number_;
};

} // namespace common
