#include "dravik/search/disc_selection.h"

#include "dravik/controls/list_selection.h"

#include <QAbstractItemView>
#include <QKeyEvent>
#include <QMouseEvent>

namespace dravik::search {

namespace {

bool isMouse(const QEvent* event) {
    return event->type() == QEvent::MouseMove || event->type() == QEvent::MouseButtonPress ||
           event->type() == QEvent::MouseButtonRelease;
}

} // namespace

DiscSelection::DiscSelection(QAbstractItemView* list)
    : QObject(list), list_(list), viewport_(list->viewport()) {
    list->installEventFilter(this);
    viewport_->installEventFilter(this);
    list->viewport()->setMouseTracking(true);
}

void DiscSelection::toggle(int row) {
    const QModelIndex at = list_->model()->index(row, 0, list_->rootIndex());
    if (at.isValid())
        list_->selectionModel()->select(at, QItemSelectionModel::Toggle);
}

int DiscSelection::currentRow() const {
    return list_->currentIndex().row();
}

void DiscSelection::setCurrentRow(int row) {
    list_->selectionModel()->setCurrentIndex(list_->model()->index(row, 0, list_->rootIndex()),
                                             QItemSelectionModel::NoUpdate);
}

void DiscSelection::toggleThenStepDown() {
    const int row = currentRow();
    if (row < 0)
        return; // an empty list has no row to act on
    toggle(row);
    if (row < controls::ListSelection::rows(list_) - 1)
        setCurrentRow(row + 1);
}

void DiscSelection::stepUpThenToggle() {
    int row = currentRow();
    if (row < 0)
        return;
    if (row > 0)
        setCurrentRow(--row);
    toggle(row);
}

bool DiscSelection::eventFilter(QObject* watched, QEvent* event) {
    if (watched == list_ && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Insert) {
            const Qt::KeyboardModifiers held = key->modifiers() & ~Qt::KeypadModifier;
            if (held == Qt::NoModifier) {
                toggleThenStepDown();
                return true;
            }
            if (held == Qt::ControlModifier) {
                stepUpThenToggle();
                return true;
            }
        }
    }
    // The viewport is compared as it was kept: while the list goes, it cannot be asked.
    if (watched == viewport_ && isMouse(event)) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (event->type() == QEvent::MouseMove && (mouse->buttons() & Qt::RightButton)) {
            toggleThenStepDown();
            return true;
        }
        // The right button only drags a selection; it does not pick a row by itself.
        if (event->type() != QEvent::MouseMove && mouse->button() == Qt::RightButton)
            return true;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace dravik::search
