#pragma once

#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace common::testing {

// A program run in a process of its own, for tests that need real processes (kills, two programs
// at once). `prepare` runs in the child just before the program starts (limits, standard error,
// a start gate). A child still running when the object goes is killed.
class ChildProcess {
public:
    explicit ChildProcess(std::vector<std::string> args,
                          const std::function<void()>& prepare = {}) {
        std::vector<char*> argv;
        for (std::string& arg : args)
            argv.push_back(arg.data());
        argv.push_back(nullptr);
        pid_ = ::fork();
        if (pid_ == 0) {
            if (prepare)
                prepare();
            ::execv(argv[0], argv.data());
            ::_exit(127);
        }
    }
    ~ChildProcess() {
        if (pid_ > 0) {
            kill();
            wait();
        }
    }
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    void kill() { ::kill(pid_, SIGKILL); }
    // The exit status; nothing when a signal ended it.
    std::optional<int> wait() {
        int status = 0;
        ::waitpid(pid_, &status, 0);
        pid_ = -1;
        if (WIFEXITED(status))
            return WEXITSTATUS(status);
        return std::nullopt;
    }

private:
    pid_t pid_ = -1;
};

} // namespace common::testing
