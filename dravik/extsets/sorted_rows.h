#pragma once

#include <QString>
#include <QStringList>

namespace dravik::extsets {

// The lists of the panel keep their rows sorted without regard to case; a row goes after the
// rows equal to it, so a list read at once and sorted once ends as one filled row by row.
namespace SortedRows {

// Where a new row goes.
qsizetype place(const QStringList& rows, const QString& row);
// The rows of a file, in the order row-by-row insertion would give them.
void sort(QStringList& rows);

} // namespace SortedRows

} // namespace dravik::extsets
