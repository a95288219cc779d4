#include "dravik/reports/list_view_reactions.h"

#include "dravik/controls/list_view_panel.h"

#include <QLabel>

namespace dravik::reports {

ListViewReactions::ListViewReactions(controls::ListViewPanel& list) : list_(list) {
    connect(list.view(), &QPlainTextEdit::cursorPositionChanged, this, &ListViewReactions::showRow);
    connect(list.view(), &controls::ListTextEdit::released, this, &ListViewReactions::released);
}

int ListViewReactions::row() const {
    controls::ListTextEdit* view = list_.view();
    return view->lineNumber(view->selectionStart()) + 1;
}

void ListViewReactions::showRow() {
    list_.rowCount()->setText(QString::number(row()));
}

void ListViewReactions::released() {
    list_.restoreStatusColour();
    QString selected = list_.view()->selectedLines();
    // A whole row selected by a triple click ends with its line break.
    if (selected.endsWith(u'\n'))
        selected.chop(1);
    list_.setStatus(selected);
    showRow();
}

} // namespace dravik::reports
