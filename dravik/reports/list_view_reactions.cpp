#include "dravik/reports/list_view_reactions.h"

#include "dravik/controls/list_view_panel.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QTextBlock>

namespace dravik::reports {

ListViewReactions::ListViewReactions(controls::ListViewPanel& list) : list_(list) {
    list.view()->viewport()->installEventFilter(this);
    connect(list.view(), &QPlainTextEdit::cursorPositionChanged, this, &ListViewReactions::showRow);
}

int ListViewReactions::row() const {
    QPlainTextEdit* view = list_.view();
    // The block of a position is found without laying the text out.
    return view->document()->findBlock(view->textCursor().selectionStart()).blockNumber() + 1;
}

void ListViewReactions::showRow() {
    list_.rowCount()->setText(QString::number(row()));
}

bool ListViewReactions::eventFilter(QObject* watched, QEvent* event) {
    if (watched == list_.view()->viewport() && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        list_.restoreStatusColour();
        QString selected = list_.view()->textCursor().selectedText();
        // A whole row selected by a triple click ends with its line break.
        if (selected.endsWith(QChar::ParagraphSeparator))
            selected.chop(1);
        selected.replace(QChar::ParagraphSeparator, u'\n');
        list_.setStatus(selected);
        showRow();
    }
    return QObject::eventFilter(watched, event);
}

} // namespace dravik::reports
