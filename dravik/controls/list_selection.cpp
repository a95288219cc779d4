#include "dravik/controls/list_selection.h"

#include <QAbstractItemView>
#include <QItemSelectionModel>

#include <algorithm>

namespace dravik::controls::ListSelection {

namespace {

QModelIndexList inOrder(const QAbstractItemView* list) {
    QModelIndexList chosen = list->selectionModel()->selectedRows();
    std::sort(chosen.begin(), chosen.end(),
              [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
    return chosen;
}

} // namespace

std::vector<int> positions(const QAbstractItemView* list) {
    std::vector<int> rows;
    for (const QModelIndex& index : inOrder(list))
        rows.push_back(index.row());
    return rows;
}

QStringList texts(const QAbstractItemView* list) {
    QStringList rows;
    for (const QModelIndex& index : inOrder(list))
        rows << index.data().toString();
    return rows;
}

int rows(const QAbstractItemView* list) {
    return list->model()->rowCount(list->rootIndex());
}

void select(QAbstractItemView* list, const std::vector<int>& rows) {
    QItemSelection chosen;
    const QAbstractItemModel* model = list->model();
    for (const int row : rows) {
        const QModelIndex index = model->index(row, 0, list->rootIndex());
        if (index.isValid())
            chosen.select(index, index);
    }
    list->selectionModel()->select(chosen, QItemSelectionModel::Select | QItemSelectionModel::Rows);
}

} // namespace dravik::controls::ListSelection
