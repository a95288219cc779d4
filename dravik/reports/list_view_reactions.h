#pragma once

#include <QObject>

namespace dravik::controls {
class ListViewPanel;
}

namespace dravik::reports {

// What the list view does for a reader of a list or a report: a click shows the selection in the
// status line (a triple click selects a whole row) and its row number, and every move of the
// selection keeps the row number current.
class ListViewReactions : public QObject {
    Q_OBJECT
public:
    explicit ListViewReactions(controls::ListViewPanel& list);

    // The 1-based row of the selection's start.
    int row() const;

private:
    void showRow();
    // A left click let go: the selection goes to the status line.
    void released();

    controls::ListViewPanel& list_;
};

} // namespace dravik::reports
