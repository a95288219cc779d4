#pragma once

#include <QObject>

class QAbstractItemView;

namespace dravik::search {

// Quick selection in the list of discs to search: Insert toggles the current row and steps down,
// Ctrl+Insert steps up and toggles, and moving the pointer with the right button held toggles the
// current row and steps down once per movement, whatever rows the pointer passes.
class DiscSelection : public QObject {
    Q_OBJECT
public:
    explicit DiscSelection(QAbstractItemView* list);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void toggleThenStepDown();
    void stepUpThenToggle();
    void toggle(int row);
    int currentRow() const;
    void setCurrentRow(int row);

    QAbstractItemView* list_;
    QObject* viewport_;
};

} // namespace dravik::search
