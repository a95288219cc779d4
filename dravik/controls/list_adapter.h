#pragma once

#include <QAbstractListModel>
#include <QPointer>
#include <QStringList>

#include <functional>

namespace dravik::controls {

// The rows a model of the core holds, as an item model for a combo box or a list view, so no
// widget keeps rows of its own. The core model tells its views of a change by a signal; whoever
// connects it calls `reload` or `inserted`. Until then the views see the rows as they were
// (shared with the core, not copied), as Qt's views expect: the rows chosen in a list can still
// be read when its rows change.
class ListAdapter : public QAbstractListModel {
    Q_OBJECT
public:
    using Rows = std::function<const QStringList&()>;

    // `rows` reads the rows of `source`; once `source` is gone the adapter holds none.
    ListAdapter(const QObject& source, Rows rows, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    // The rows were replaced as a whole.
    void reload();
    // One row joined at `row`.
    void inserted(int row);

private:
    QStringList sourceRows() const;

    QPointer<const QObject> source_;
    Rows rows_;
    QStringList shown_; // what the views were last told
};

} // namespace dravik::controls
