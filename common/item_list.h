#pragma once

#include "common/text_limit.h"

#include <QStringList>

#include <filesystem>

namespace common {

// A list file of the catalogue (the disc index, the find history, the association and extension
// lists, the sets): every item, decoded from the code page of its line.
class ItemList {
public:
    // The file is created empty when missing; a folder this process may only read holds none and
    // is no failure. A file beyond `limit` is refused (common::Error).
    static QStringList readCreating(const std::filesystem::path& file, const TextLimit& limit);
};

} // namespace common
