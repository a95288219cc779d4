#include "dravik/search/row_list_model.h"

#include "common/code_page.h"
#include "dravik/search/result_rows.h"

namespace dravik::search {

RowListModel::RowListModel(QObject* parent) : QAbstractListModel(parent) {}

void RowListModel::show(const ResultRows* rows) {
    beginResetModel();
    rows_ = rows;
    shown_ = rows ? static_cast<int>(rows->size()) : 0;
    endResetModel();
}

void RowListModel::catchUp() {
    if (!rows_)
        return;
    const int now = static_cast<int>(rows_->size());
    if (now <= shown_)
        return;
    beginInsertRows(QModelIndex(), shown_, now - 1);
    shown_ = now;
    endInsertRows();
}

int RowListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : shown_;
}

QVariant RowListModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !rows_ || index.row() >= shown_)
        return {};
    return common::CodePage::decodeLine(rows_->at(static_cast<std::size_t>(index.row())));
}

} // namespace dravik::search
