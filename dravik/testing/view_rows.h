#pragma once

#include <QAbstractItemView>
#include <QStringList>

#include <gtest/gtest.h>

namespace dravik::testing {

// The rows a list view shows, read through its model as the user sees them.
inline QStringList shownRows(const QAbstractItemView* view) {
    QStringList rows;
    for (int row = 0; row < view->model()->rowCount(); ++row)
        rows << view->model()->index(row, 0).data().toString();
    return rows;
}

// Chooses the row showing `text` as a click does: it becomes current and `clicked` is sent.
inline void clickRow(QAbstractItemView* view, const QString& text) {
    const int row = int(shownRows(view).indexOf(text));
    ASSERT_GE(row, 0) << text.toStdString();
    const QModelIndex index = view->model()->index(row, 0);
    view->setCurrentIndex(index);
    emit view->clicked(index);
}

} // namespace dravik::testing
