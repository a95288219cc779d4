#include "dravik/search/find_controller.h"

#include "dravik/controls/command_array.h"
#include "dravik/controls/command_index.h"
#include "dravik/controls/floating_panel.h"
#include "dravik/controls/list_view_panel.h"
#include "dravik/search/find_history.h"
#include "dravik/search/find_panel.h"
#include "dravik/services/window_services.h"
#include "dravik/workspace/workspace.h"

#include <QComboBox>
#include <QFrame>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTextDocument>

namespace dravik::search {

namespace Answer = common::ui::Answer;
using common::ui::Buttons;
using common::ui::Icon;
using controls::FCom;
using controls::GCom;

FindController::FindController(FindPanel& panel, FindHistory& history, controls::CommandArray& gCom,
                               controls::CommandArray& fCom, services::FeatureContext context)
    : panel_(panel), history_(history), list_(context.list), gCom_(gCom), fCom_(fCom),
      workspace_(context.workspace), services_(context.window) {
    list_.view()->installEventFilter(this);
    panel.findBox()->installEventFilter(this);
    // A new text (a list opened, a report loaded, an edit) starts the finding afresh from the
    // cursor.
    connect(list_.view(), &QPlainTextEdit::textChanged, this,
            [this] { last_ = list_.view()->selectionStart(); });
}

void FindController::findFirst() {
    const auto answer =
        services_.dialogs().input(QStringLiteral("Search for another word"),
                                  QStringLiteral("Type in the new word to search for:"), {});
    list_.setStatus(QStringLiteral("Find ") + panel_.findBox()->currentText());
    services_.yieldPoint().now();
    word_ = answer.value_or(QString());
    finders(Instance::First);
}

void FindController::findNext() {
    if (panel_.findBox()->currentText().isEmpty() && word_.isEmpty())
        return;
    finders(Instance::Next);
}

void FindController::keepFindText() {
    history_.remember(panel_.findBox()->currentText());
}

void FindController::enableFindCommands(bool enabled) {
    gCom_.element(GCom::FindFirst)->setEnabled(enabled);
    gCom_.element(GCom::FindNext)->setEnabled(enabled);
    fCom_.element(FCom::FindFirst)->setEnabled(enabled);
    fCom_.element(FCom::FindNext)->setEnabled(enabled);
}

void FindController::enterInFindBox() {
    if (!list_.view()->isEmpty()) {
        enableFindCommands(true);
        controls::showCentred(panel_.menu());
        fCom_.element(FCom::FindFirst)->setFocus();
        return;
    }
    enableFindCommands(false);
    panel_.closeMenu();
    emit globalSearchWanted();
}

qint64 FindController::find(qint64 start) {
    return list_.view()->findWord(word_, start);
}

void FindController::finders(Instance instance) {
    controls::ListTextEdit* view = list_.view();
    if (word_.isEmpty()) {
        view->setFocus();
        return;
    }
    qint64 start = 0;
    if (instance == Instance::First) {
        if (last_ > 0) {
            if (workspace_.automatic) {
                start = view->selectionStart();
            } else {
                const int answer = services_.ask(
                    QStringLiteral("Where to start searching"),
                    QStringLiteral("Do you want to start at the beginning of the document?-YES / "
                                   "From this point forward?-NO"),
                    Buttons::YesNoCancel, Icon::Question);
                if (answer == Answer::Cancel)
                    return;
                start = answer == Answer::Yes ? 0 : view->selectionStart();
            }
        }
    } else {
        // After a miss the next search starts again at the top, so no match there is skipped.
        start = last_ < 0 ? 0 : word_.size() + last_;
    }
    const qint64 result = find(start);
    if (result < 0 && instance == Instance::Next)
        services_.ask(QStringLiteral("Information..."), QStringLiteral("Finished Searching..."),
                      Buttons::Ok, Icon::Warning);
    last_ = result;
    view->setFocus();
}

bool FindController::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (watched == list_.view() && (key == Qt::Key_F3 || key == Qt::Key_F4)) {
        key == Qt::Key_F3 ? findFirst() : findNext();
        return true;
    }
    if (watched == panel_.findBox() && (key == Qt::Key_Return || key == Qt::Key_Enter)) {
        enterInFindBox();
        return true; // the key never reaches the box
    }
    return QObject::eventFilter(watched, event);
}

} // namespace dravik::search
