#include "peek/line_store.h"

namespace peek {

void LineStore::clear() {
    std::vector<char>().swap(bytes_);
    std::vector<std::size_t>{0}.swap(starts_);
}

} // namespace peek
