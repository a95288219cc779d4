#pragma once

#include <sys/types.h>
#include <unistd.h>

namespace common::testing {

// Permissions do not stop root. A test that needs a read-only file or folder runs the code under
// test inside this scope: run by root, the process acts as the user "nobody" until the scope
// ends (only the effective ids change, so root comes back); run by anyone else, nothing changes.
// Files the test made before are then someone else's, so they need read access for others.
class ScopedOrdinaryUser {
public:
    static constexpr uid_t Nobody = 65534;

    ScopedOrdinaryUser() : root_(::geteuid() == 0) {
        if (root_ && (::setegid(Nobody) != 0 || ::seteuid(Nobody) != 0))
            root_ = false;
    }
    ~ScopedOrdinaryUser() {
        if (root_ && ::seteuid(0) == 0)
            (void)::setegid(0);
    }
    ScopedOrdinaryUser(const ScopedOrdinaryUser&) = delete;
    ScopedOrdinaryUser& operator=(const ScopedOrdinaryUser&) = delete;

    // For a child process about to run a program: run by root, it becomes "nobody" for good.
    static void dropForGood() {
        if (::geteuid() == 0) {
            (void)::setgid(Nobody);
            (void)::setuid(Nobody);
        }
    }

private:
    bool root_;
};

} // namespace common::testing
