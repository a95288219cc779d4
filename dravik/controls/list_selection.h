#pragma once

#include <QStringList>

#include <functional>
#include <vector>

class QAbstractItemView;
class QListWidget;

// The selected rows of a multi-select list, first to last. Asking each row whether it is
// selected costs as much as the selection is long, which for thousands of discs adds up to
// seconds; the selection model is read once instead.
namespace dravik::controls::ListSelection {

std::vector<int> positions(const QAbstractItemView* list);
QStringList texts(const QAbstractItemView* list);
// Fills the list with `rows`; the rows chosen before that are still there stay chosen.
void refill(QListWidget* list, const QStringList& rows);
// Runs `change`, which changes the rows the list shows; the rows chosen before that are still
// there stay chosen.
void keepChosen(QAbstractItemView* list, const std::function<void()>& change);
// How many rows the list shows.
int rows(const QAbstractItemView* list);
// Adds `rows` to the selection; rows the list does not show are passed over.
void select(QAbstractItemView* list, const std::vector<int>& rows);

} // namespace dravik::controls::ListSelection
