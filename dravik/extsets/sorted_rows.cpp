#include "dravik/extsets/sorted_rows.h"

#include <algorithm>

namespace dravik::extsets::SortedRows {

namespace {
bool before(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) < 0;
}
} // namespace

qsizetype place(const QStringList& rows, const QString& row) {
    return std::upper_bound(rows.begin(), rows.end(), row, before) - rows.begin();
}

void sort(QStringList& rows) {
    std::stable_sort(rows.begin(), rows.end(), before);
}

} // namespace dravik::extsets::SortedRows
