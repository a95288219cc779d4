#pragma once

#include <cstddef>
#include <filesystem>

namespace common::testing {

// How many file descriptors the process holds now, for tests that an error path closes what it
// opened.
inline std::size_t openDescriptors() {
    std::size_t count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator("/proc/self/fd"))
        ++count;
    return count;
}

} // namespace common::testing
