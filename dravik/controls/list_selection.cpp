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
    keepChosen(list, [&] {
        list->clear();
        list->addItems(rows);
    });
}

void keepChosen(QAbstractItemView* list, const std::function<void()>& change) {
    const QStringList chosen = texts(list);
    change();
    if (chosen.isEmpty())
        return;
    const QAbstractItemModel* model = list->model();
    QItemSelection keep;
    for (int row = 0; row < rows(list); ++row) {
        const QModelIndex at = model->index(row, 0, list->rootIndex());
        if (chosen.contains(at.data().toString()))
            keep.select(at, at);
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
