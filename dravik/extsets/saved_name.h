#pragma once

#include "common/file_name_gate.h"

#include <QString>

#include <optional>

namespace dravik::extsets {

// Names the user types for files of their own: saved search reports (name + ".rtf" in the report
// folder) and saved disc selections (name + ".ini" in the data folder). Both pass the file name
// gate, so neither leaves its folder nor lands on one of the program's own files ("SSc" would be
// "SSc.ini", the default drive, when the data folder is the program folder). A selection name is
// also read back from the list of selections, item by item, in the catalogue's code page.
class SavedName {
public:
    enum class Kind { Report, Selection };

    // Why the name cannot be used, in words for the user; nothing when it can.
    static std::optional<QString> refusal(const QString& name, Kind kind);
    // The gate of the kind's files.
    static const common::FileNameGate& gate(Kind kind);
};

} // namespace dravik::extsets
