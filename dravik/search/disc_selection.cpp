#include "dravik/search/disc_selection.h"

#include <QKeyEvent>
#include <QListWidget>
#include <QMouseEvent>

namespace dravik::search {

namespace {

bool isMouse(const QEvent* event) {
    return event->type() == QEvent::MouseMove || event->type() == QEvent::MouseButtonPress ||
           event->type() == QEvent::MouseButtonRelease;
}

} // namespace

DiscSelection::DiscSelection(QListWidget* list)
    : QObject(list), list_(list), viewport_(list->viewport()) {
    list->installEventFilter(this);
    viewport_->installEventFilter(this);
    list->viewport()->setMouseTracking(true);
}

void DiscSelection::toggle(int row) {
    if (QListWidgetItem* item = list_->item(row))
        item->setSelected(!item->isSelected());
}

void DiscSelection::toggleThenStepDown() {
    const int row = list_->currentRow();
    if (row < 0)
        return; // an empty list has no row to act on
    toggle(row);
    if (row < list_->count() - 1)
        list_->setCurrentRow(row + 1, QItemSelectionModel::NoUpdate);
}

void DiscSelection::stepUpThenToggle() {
    int row = list_->currentRow();
    if (row < 0)
        return;
    if (row > 0)
        list_->setCurrentRow(--row, QItemSelectionModel::NoUpdate);
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
