#include "common/line_store.h"

namespace common {

LineStore::LineStore() {
    starts_.push_back(0);
}

void LineStore::clear() {
    bytes_.clear();
    starts_.clear();
    starts_.push_back(0);
}

} // namespace common
