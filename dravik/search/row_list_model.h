#pragma once

#include <QAbstractListModel>

namespace dravik::search {

class ResultRows;

// The live list of result rows `TVieW`: a view of the rows a running search has found, decoded
// only when shown. Rows arrive far faster than a list can be told of each, so the new ones are
// announced in one step when the window next repaints.
class RowListModel : public QAbstractListModel {
    Q_OBJECT
public:
    explicit RowListModel(QObject* parent = nullptr);

    // The rows to show (nothing: an empty list). Valid while the model shows them.
    void show(const ResultRows* rows);
    // Announces the rows added since the last call.
    void catchUp();

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    const ResultRows* rows_ = nullptr;
    int shown_ = 0;
};

} // namespace dravik::search
