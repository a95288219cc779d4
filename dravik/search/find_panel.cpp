#include "dravik/search/find_panel.h"

#include "dravik/controls/command_array.h"
#include "dravik/controls/command_index.h"
#include "dravik/controls/floating_panel.h"
#include "dravik/controls/list_adapter.h"
#include "dravik/search/find_history.h"
#include "dravik/workspace/workspace.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace dravik::search {

using controls::CommandArray;
using controls::FCom;
using controls::GCom;
using controls::SSPanel1;

FindPanel::FindPanel(QWidget* host, CommandArray& gCom, CommandArray& ssPanel1, CommandArray& fCom)
    : QObject(nullptr), bar_(new QWidget(host)) {
    findBox_ = new QComboBox(bar_);
    findBox_->setObjectName(QStringLiteral("FTex"));
    findBox_->setAccessibleName(QStringLiteral("Find text"));
    findBox_->setEditable(true);
    findBox_->setInsertPolicy(QComboBox::NoInsert);
    findBox_->setMinimumWidth(200);
    findBox_->lineEdit()->setPlaceholderText(QStringLiteral("Words to find, a|b for either"));
    auto* row = new QHBoxLayout(bar_);
    row->setContentsMargins(0, 0, 0, 0);
    const QString f2 = QStringLiteral("Press F2 to activate search text box");
    row->addWidget(ssPanel1.add(SSPanel1::FindBox, QStringLiteral("-F2"), f2, bar_, f2));
    row->addWidget(findBox_, 1);
    row->addWidget(ssPanel1.add(SSPanel1::ClearFindHistory, QStringLiteral("DEL"),
                                QStringLiteral("Delete ALL search entries"), bar_));

    menu_ = controls::floatingPanel(host, "FindMenuPan", QStringLiteral("Find Menu"));
    const QString captions[3] = {QStringLiteral("Find-F3"), QStringLiteral("Find Next-F4"),
                                 QStringLiteral("Find Global")};
    for (const FCom index : {FCom::FindFirst, FCom::FindNext, FCom::FindGlobal}) {
        const QString& caption = captions[int(index)];
        const QString hint = QStringLiteral("F3 search 1st instance. F4 search through disc. "
                                            "Global search all discs. [") +
                             caption + QStringLiteral("]");
        controls::panelLayout(menu_)->addWidget(fCom.add(index, caption, hint, menu_));
    }
    QAbstractButton* close =
        gCom.add(GCom::CloseFindMenu, QStringLiteral("X"), QStringLiteral("Close Find menu"), menu_,
                 QStringLiteral("Close Find menu"));
    controls::panelLayout(menu_)->addWidget(close);
    controls::FloatingPanel::of(menu_).setCancelButton(close);

    help_ = controls::floatingPanel(host, "SHelp", QStringLiteral("Global SEARCH help"));
    helpText_ = new QLabel(help_);
    helpText_->setObjectName(QStringLiteral("SHelpLab"));
    controls::panelLayout(help_)->addWidget(helpText_);
}

void FindPanel::showHistory(const FindHistory& history) {
    auto* rows = new controls::ListAdapter(
        history, [&history]() -> const QStringList& { return history.entries(); }, findBox_);
    findBox_->setModel(rows);
    findBox_->setEditText({});
    connect(&history, &FindHistory::changed, this, [this, rows] {
        rows->reload();
        findBox_->setEditText({});
    });
    connect(&history, &FindHistory::added, this, [this, rows](int row) {
        // The box keeps the words typed in it, as it does for any added row.
        const QString typed = findBox_->currentText();
        rows->inserted(row);
        findBox_->setEditText(typed);
    });
}

QString FindPanel::searchHelpText() {
    const QChar lb = workspace::Workspace::LineBreak;
    return QStringLiteral("A quick and simple way to add more than one word to search for:") + lb +
           QStringLiteral("Use the PIPE | comand (usually on the left of the backspace; Shift+\\") +
           lb + lb + QStringLiteral("       Example:") + lb +
           QStringLiteral("             kamera|camera|snap") + lb + lb +
           QStringLiteral("Remember the extention selection list.") + lb +
           QStringLiteral("===============") + lb + QStringLiteral("Extention list:") + lb +
           QStringLiteral("The length of the extention, with the dot is 4 chars");
}

void FindPanel::toggleSearchHelp(const QPoint& at) {
    if (!help_->isHidden()) {
        help_->hide();
        helpText_->clear();
        return;
    }
    helpText_->setText(searchHelpText());
    controls::showInside(help_, at);
}

void FindPanel::closeMenu() {
    menu_->hide();
}

} // namespace dravik::search
