#include "dravik/catalogue/file_list_entry.h"

namespace dravik::catalogue::FileListEntry {

QString of(const QString& name) {
    int count = 0;
    for (qsizetype i = name.size() - 1; i >= 0; --i) {
        ++count;
        if (name[i] == u'\\' || name[i] == u'/')
            break;
        if (name[i] == u'.') {
            if (count == 4)
                return name.right(3) + u' ' + name;
            if (count > 4)
                break;
        }
    }
    return name;
}

bool hasKey(const QString& entry) {
    return entry.size() > 4 && entry[3] == u' ' && of(entry.mid(4)) == entry;
}

QString fileName(const QString& entry) {
    return hasKey(entry) ? entry.mid(4) : entry;
}

QString key(const QString& entry) {
    if (hasKey(entry))
        return entry.left(3);
    const qsizetype dot = entry.lastIndexOf(u'.');
    return dot < 0 ? QString() : entry.mid(dot + 1).left(3);
}

} // namespace dravik::catalogue::FileListEntry
