#include "dravik/search/key_set.h"

#include <functional>

namespace dravik::search {

KeySet::KeySet() : table_(common::HugePageArray<Slot>::zeroed(std::size_t(1) << bits_)) {}

std::size_t KeySet::placeOf(std::uint32_t tag) const {
    return (std::uint64_t(tag) * 0x9E3779B97F4A7C15ull) >> (64 - bits_);
}

bool KeySet::insert(std::string_view key) {
    const auto tag = static_cast<std::uint32_t>(std::hash<std::string_view>{}(key) >> 32);
    const std::size_t mask = (std::size_t(1) << bits_) - 1;
    Slot* table = table_.data();
    for (std::size_t i = placeOf(tag);; i = (i + 1) & mask) {
        Slot& slot = table[i];
        if (slot.key == 0) {
            keys_.push_back(bytes_.add(key));
            slot = Slot{tag, static_cast<std::uint32_t>(keys_.size())};
            // At most three quarters full, so probes stay short.
            if (keys_.size() * 4 > (std::size_t(3) << bits_))
                grow();
            return true;
        }
        if (slot.tag == tag && bytes_.at(keys_[slot.key - 1]) == key)
            return false;
    }
}

void KeySet::grow() {
    const common::HugePageArray<Slot> old = std::move(table_);
    ++bits_;
    table_ = common::HugePageArray<Slot>::zeroed(std::size_t(1) << bits_);
    const std::size_t mask = (std::size_t(1) << bits_) - 1;
    Slot* table = table_.data();
    const Slot* from = old.data();
    for (std::size_t k = 0; k < old.size(); ++k) {
        if (from[k].key == 0)
            continue;
        std::size_t i = placeOf(from[k].tag);
        while (table[i].key != 0)
            i = (i + 1) & mask;
        table[i] = from[k];
    }
}

} // namespace dravik::search
