#include "splitter/open_file_table.h"

#include "common/error.h"
#include "common/name_resolver.h"

#include <optional>

namespace splitter {

OpenFileTable::OpenFileTable(std::filesystem::path folder)
    : folder_(std::move(folder)), names_(Capacity + 1), files_(new AppendFile[Capacity + 1]) {
    names_[0] = "empty";
    positions_.reserve(Capacity * 2);
}

std::filesystem::path OpenFileTable::pathOf(std::string_view extension) const {
    std::string name(extension);
    name += ".rtf";
    // An existing list written in other letters ("jpg.rtf") is the same list.
    return common::NameResolver::resolve(folder_, name);
}

AppendFile& OpenFileTable::openNew(std::string_view extension) {
    if (count_ == Capacity)
        closeAll();
    const int position = count_ + 1;
    files_[position].open(pathOf(extension));
    count_ = position;
    current_ = position;
    names_[position].assign(extension);
    positions_.emplace(names_[position], position);
    return files_[position];
}

void OpenFileTable::closeAll() {
    std::optional<common::Error> failure;
    for (int k = 1; k <= count_; ++k) {
        try {
            files_[k].close();
        } catch (const common::Error& e) {
            if (!failure)
                failure = e;
        }
        names_[k].clear();
    }
    positions_.clear();
    count_ = 0;
    current_ = 0;
    if (failure)
        throw *failure;
}

} // namespace splitter
