#include "splitter/open_file_table.h"

#include "common/error.h"
#include "common/name_resolver.h"
#include "common/open_file_limit.h"

#include <algorithm>
#include <optional>

namespace splitter {

namespace {
// Descriptors a run needs besides the table: the disc list it reads, a rewrite's reader, probe
// and new file, the settings file with its lock, a folder listing, and what a dialog may open.
constexpr std::size_t Reserve = 32;
} // namespace

OpenFileTable::OpenFileTable(std::filesystem::path folder, int capacity)
    : folder_(std::move(folder)), capacity_(std::clamp(capacity, 1, Capacity)),
      names_(capacity_ + 1), files_(new AppendFile[capacity_ + 1]) {
    names_[0] = "empty";
    positions_.reserve(capacity_ * 2);
}

int OpenFileTable::capacityWithin(std::size_t limit, std::size_t inUse) {
    const std::size_t taken = inUse + Reserve;
    if (limit <= taken)
        return 1;
    return static_cast<int>(std::min<std::size_t>(limit - taken, Capacity));
}

int OpenFileTable::capacityNow() {
    return capacityWithin(common::OpenFileLimit::soft(), common::OpenFileLimit::inUse());
}

std::filesystem::path OpenFileTable::pathOf(std::string_view extension) const {
    std::string name(extension);
    name += ".rtf";
    // An existing list written in other letters ("jpg.rtf") is the same list.
    return common::NameResolver::resolve(folder_, name);
}

AppendFile& OpenFileTable::openNew(std::string_view extension) {
    if (count_ == capacity_)
        closeAll();
    const int position = count_ + 1;
    files_[position].open(pathOf(extension));
    count_ = position;
    current_ = position;
    names_[position].assign(extension);
    positions_.emplace(names_[position], position);
    return files_[position];
}

template <typename Step> void OpenFileTable::eachFile(Step step) {
    // Every file gets its turn; the first failure is thrown after the last.
    std::optional<common::Error> failure;
    for (int k = 1; k <= count_; ++k) {
        try {
            step(files_[k]);
        } catch (const common::Error& e) {
            if (!failure)
                failure = e;
        }
    }
    if (failure)
        throw *failure;
}

void OpenFileTable::flushAll() {
    eachFile([](AppendFile& file) { file.flush(); });
}

void OpenFileTable::closeAll() {
    try {
        eachFile([](AppendFile& file) { file.close(); });
    } catch (const common::Error&) {
        clear();
        throw;
    }
    clear();
}

void OpenFileTable::clear() {
    for (int k = 1; k <= count_; ++k)
        names_[k].clear();
    positions_.clear();
    count_ = 0;
    current_ = 0;
}

} // namespace splitter
