#include "dravik/controls/list_selection.h"

#include <QAbstractItemView>
#include <QItemSelectionModel>
#include <QListWidget>

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

void refill(QListWidget* list, const QStringList& rows) {
    const QStringList chosen = texts(list);
    list->clear();
    list->addItems(rows);
    if (chosen.isEmpty())
        return;
    QItemSelection keep;
    for (int row = 0; row < list->count(); ++row) {
        if (chosen.contains(list->item(row)->text())) {
            const QModelIndex at = list->model()->index(row, 0);
            keep.select(at, at);
        }
    }
    list->selectionModel()->select(keep, QItemSelectionModel::Select);
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
