#include "dravik/reports/list_view_reactions.h"

#include "dravik/controls/list_view_panel.h"

#include <QLabel>
#include <QMouseEvent>

namespace dravik::reports {

ListViewReactions::ListViewReactions(controls::ListViewPanel& list) : list_(list) {
    list.view()->viewport()->installEventFilter(this);
    connect(list.view(), &QPlainTextEdit::cursorPositionChanged, this, &ListViewReactions::showRow);
}

int ListViewReactions::row() const {
    controls::ListTextEdit* view = list_.view();
    return view->lineNumber(view->textCursor().selectionStart()) + 1;
}

void ListViewReactions::showRow() {
    list_.rowCount()->setText(QString::number(row()));
}

bool ListViewReactions::eventFilter(QObject* watched, QEvent* event) {
    if (watched == list_.view()->viewport() && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        list_.restoreStatusColour();
        QString selected = list_.view()->selectedLines();
        // A whole row selected by a triple click ends with its line break.
        if (selected.endsWith(u'\n'))
            selected.chop(1);
        list_.setStatus(selected);
        showRow();
    }
    return QObject::eventFilter(watched, event);
}

} // namespace dravik::reports
