#include "dravik/controls/list_adapter.h"

namespace dravik::controls {

ListAdapter::ListAdapter(const QObject& source, Rows rows, QObject* parent)
    : QAbstractListModel(parent), source_(&source), rows_(std::move(rows)) {
    shown_ = sourceRows();
    // A view may outlive the core model it showed (the window's widgets go last).
    connect(&source, &QObject::destroyed, this, [this] { reload(); });
}

QStringList ListAdapter::sourceRows() const {
    return source_ ? rows_() : QStringList();
}

int ListAdapter::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(shown_.size());
}

QVariant ListAdapter::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= shown_.size() ||
        (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    return shown_.at(index.row());
}

void ListAdapter::reload() {
    beginResetModel();
    shown_ = sourceRows();
    endResetModel();
}

void ListAdapter::inserted(int row) {
    beginInsertRows({}, row, row);
    shown_ = sourceRows();
    endInsertRows();
}

} // namespace dravik::controls
