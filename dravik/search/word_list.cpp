#include "dravik/search/word_list.h"

namespace dravik::search {

QStringList WordList::split(const QString& text) {
    return text.split(u'|', Qt::KeepEmptyParts);
}

} // namespace dravik::search
