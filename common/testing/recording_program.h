#pragma once

#include <QThread>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace common::testing {

// A tiny program for tests that start programs: a shell script that writes its arguments, one a
// line, a line "--", then its environment, to `output`. It writes beside and renames, so the
// output is whole once it is there.
class RecordingProgram {
public:
    RecordingProgram(std::filesystem::path script, std::filesystem::path output)
        : script_(std::move(script)), output_(std::move(output)) {
        std::ofstream(script_) << "#!/bin/sh\n"
                               << "out='" << output_.string() << "'\n"
                               << "{ for a in \"$@\"; do printf '%s\\n' \"$a\"; done; "
                               << "echo --; env; } > \"$out.part\" && mv \"$out.part\" \"$out\"\n";
        std::filesystem::permissions(script_, std::filesystem::perms::owner_exec,
                                     std::filesystem::perm_options::add);
    }

    const std::filesystem::path& path() const { return script_; }

    // What the started program wrote; empty when it wrote nothing. Waits by counting trials, far
    // more than a loaded machine needs, so only a failing test waits long.
    std::string received(int trials = 3000) const {
        for (int i = 0; i < trials && !std::filesystem::exists(output_); ++i)
            QThread::msleep(10);
        std::ifstream in(output_, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }

    // The line "NAME=value" of the received environment, or empty.
    static std::string variable(const std::string& received, const std::string& name) {
        std::istringstream lines(received);
        for (std::string line; std::getline(lines, line);) {
            if (line.rfind(name + "=", 0) == 0)
                return line;
        }
        return {};
    }

private:
    std::filesystem::path script_;
    std::filesystem::path output_;
};

} // namespace common::testing
