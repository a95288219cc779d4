#include "dravik/search/key_set.h"

#include <cstring>
#include <functional>

namespace dravik::search {

KeySet::KeySet() : slots_(1024) {}

std::string_view KeySet::keyAt(const Slot& slot) const {
    const char* at = blocks_[slot.block - 1].get() + slot.offset;
    std::uint32_t length;
    std::memcpy(&length, at, sizeof length);
    return std::string_view(at + sizeof length, length);
}

KeySet::Slot KeySet::store(std::string_view key, std::uint64_t hash) {
    const std::size_t need = sizeof(std::uint32_t) + key.size();
    if (BlockSize - used_ < need) {
        // A key longer than a block gets a block of its own size.
        blocks_.push_back(std::make_unique_for_overwrite<char[]>(std::max(need, BlockSize)));
        used_ = 0;
    }
    char* at = blocks_.back().get() + used_;
    const auto length = static_cast<std::uint32_t>(key.size());
    std::memcpy(at, &length, sizeof length);
    std::memcpy(at + sizeof length, key.data(), key.size());
    Slot slot{hash, static_cast<std::uint32_t>(blocks_.size()), static_cast<std::uint32_t>(used_)};
    used_ = need > BlockSize ? BlockSize : used_ + need;
    return slot;
}

bool KeySet::insert(std::string_view key) {
    const std::uint64_t hash = std::hash<std::string_view>{}(key);
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
        Slot& slot = slots_[i];
        if (slot.block == 0) {
            slot = store(key, hash);
            if (++size_ * 2 > slots_.size())
                grow();
            return true;
        }
        if (slot.hash == hash && keyAt(slot) == key)
            return false;
    }
}

void KeySet::grow() {
    std::vector<Slot> old(slots_.size() * 2);
    old.swap(slots_);
    const std::size_t mask = slots_.size() - 1;
    for (const Slot& slot : old) {
        if (slot.block == 0)
            continue;
        std::size_t i = slot.hash & mask;
        while (slots_[i].block != 0)
            i = (i + 1) & mask;
        slots_[i] = slot;
    }
}

} // namespace dravik::search
