#pragma once

#include "common/file_name_gate.h"

#include <QString>

#include <optional>

namespace dravik::extsets {

// The name the user types for a saved disc selection (name + ".ini" in the data folder). It passes
// the file name gate, so it neither leaves its folder nor lands on one of the program's own files
// ("SSc" would be "SSc.ini", the default drive, when the data folder is the program folder), and
// it is read back from the list of selections, item by item, in the catalogue's code page.
class SavedName {
public:
    // Why the name cannot be used, in words for the user; nothing when it can.
    static std::optional<QString> refusal(const QString& name);
    // The gate of selection files.
    static const common::FileNameGate& gate();
};

} // namespace dravik::extsets
