#pragma once

#include <filesystem>

// Lists of the older layout hold their entries on lines that begin with three blanks; every other
// line of such a list is obsolete. Cleaning keeps the entries, drops the rest and ends the list
// with the number of lines it had.
namespace dravik::discadmin::OldListCleaner {

struct Result {
    long long linesRead = 0;
    long long obsolete = 0;
    // The list has no line of the older layout: it is left as it is.
    bool skipped = false;
};

// Rewrites the list through a complete new file; throws common::Error when it cannot.
Result clean(const std::filesystem::path& list);

} // namespace dravik::discadmin::OldListCleaner
