#pragma once

#include <QString>

#include <optional>

namespace dravik::extsets {

// Names the user types for files of their own: saved search reports and saved disc selections.
// They follow the disc-name rule (a file name on Linux and Windows, nothing outside its folder,
// read back whole from a list of names); "ExtLys" and "RemSel" are refused too, as a selection of
// either name would overwrite the extension list or the list of selections.
class SavedName {
public:
    enum class Kind { Report, Selection };

    // Why the name cannot be used, in words for the user; nothing when it can.
    static std::optional<QString> refusal(const QString& name, Kind kind);
};

} // namespace dravik::extsets
