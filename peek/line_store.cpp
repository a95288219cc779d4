#include "peek/line_store.h"

namespace peek {

LineStore::LineStore() {
    starts_.push_back(0);
}

void LineStore::clear() {
    bytes_.clear();
    starts_.clear();
    starts_.push_back(0);
}

} // namespace peek
