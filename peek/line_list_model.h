#pragma once

#include "common/line_store.h"
#include <QAbstractListModel>

#include <cstddef>

namespace peek {

using common::LineStore;

// The rows of the viewer's list over a LineStore. A row is decoded to text only when a view asks
// for it (UTF-8 when valid, else windows-1252), so a million lines never become a million QStrings.
class LineListModel : public QAbstractListModel {
    Q_OBJECT
public:
    // Bytes of a line that a row shows; the rest would lie far beyond the right edge anyway, and
    // laying out megabytes of text for one row would stall painting. A click still copies it all.
    static constexpr std::size_t ShownBytes = 4096;

    explicit LineListModel(const LineStore& store, QObject* parent = nullptr);

    // Cheaper than the base class's, which asks rowCount() and columnCount() for every index:
    // a view laying out a million rows asks for a million indexes.
    QModelIndex index(int row, int column = 0,
                      const QModelIndex& parent = QModelIndex()) const override;
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    // The whole line of a row.
    QString lineText(int row) const;

    // Tells the views about the lines appended to the store since the last call.
    void publish();
    // Forgets every row, before the store is cleared.
    void forget();

private:
    const LineStore& store_;
    int published_ = 0;
};

} // namespace peek
