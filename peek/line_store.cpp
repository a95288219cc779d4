#include "peek/line_store.h"

namespace peek {

LineStore::LineStore() {
    starts_.push_back(0);
}

void LineStore::clear() {
    MappedArray<char>().swap(bytes_);
    MappedArray<std::size_t>().swap(starts_);
    starts_.push_back(0);
}

} // namespace peek
