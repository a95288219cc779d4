#include "dravik/extsets/extsets_controller.h"

#include "common/error.h"
#include "common/settings_names.h"
#include "common/settings_store.h"
#include "dravik/controls/list_selection.h"
#include "dravik/extsets/entry_extension.h"
#include "dravik/extsets/extension_list.h"
#include "dravik/extsets/extsets_panel.h"
#include "dravik/extsets/selections.h"
#include "dravik/extsets/set_box.h"
#include "dravik/services/window_services.h"
#include "dravik/workspace/workspace.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>

namespace dravik::extsets {

namespace Answer = common::ui::Answer;
using common::ui::Buttons;
using common::ui::Icon;
using common::ui::YieldPoint;

ExtSetsController::ExtSetsController(ExtSetsPanel& panel, Lists lists, QAbstractItemView* discs,
                                     services::FeatureContext context, Surroundings surroundings)
    : panel_(panel), discs_(discs), workspace_(context.workspace), services_(context.window),
      surroundings_(std::move(surroundings)), list_(lists.extensions), sets_(lists.sets),
      selections_(lists.selections) {
    panel.newExtension()->installEventFilter(this);
    panel.extensions()->viewport()->installEventFilter(this);
    panel.extensionLength()->installEventFilter(this);
    connect(panel.sets(), &QComboBox::activated, this,
            [this](int row) { applySet(sets_.rows().value(row)); });
    // A list's own click: nothing routes it, so its failure is trapped here.
    connect(panel.selections(), &QComboBox::activated, this, [this](int row) {
        services_.trapped(QStringLiteral("RemSel_Click"), 0,
                          [&] { applySelection(selections_.names().value(row)); });
    });
}

void ExtSetsController::load() {
    // A list that cannot be read is reported by its step; the panel opens with the others.
    loadStep(1, [this] { sets_.load(workspace_.programFolder()); });
    panel_.sets()->setEditText(QString::fromLatin1(SetBox::Caption));
    loadStep(2, [this] { list_.load(workspace_.dataFolder()); });
    loadStep(3, [this] { selections_.load(workspace_.dataFolder()); });
    const QString changed =
        common::SettingsStore(common::SettingsNames::Main)
            .value(QStringLiteral("Changes"), QStringLiteral("NewDisc"), QStringLiteral("False"));
    surroundings_.showChangeNotice(changed.compare(u"True", Qt::CaseInsensitive) == 0);
}

void ExtSetsController::loadStep(int step, const std::function<void()>& work) {
    services_.trapped(QStringLiteral("InEXTLys"), step, work);
}

void ExtSetsController::added(int entries) {
    panel_.extensionCount()->setText(ExtensionList::countLabel(entries));
}

bool ExtSetsController::addExtension() {
    if (!list_.add(panel_.newExtension()->text()))
        return false;
    added(list_.size());
    services_.yieldPoint().at({YieldPoint::Background, YieldPoint::Normal});
    return true;
}

void ExtSetsController::searchExtensions() {
    list_.clear();
    panel_.extensionCount()->setText(QString::fromLatin1(ExtensionList::RestLabel));
    const int length = EntryExtension::lengthOf(panel_.extensionLength()->text());
    // The file list is walked once per subfolder row of the folder tree; every pass sees the
    // same entries, so one pass gives what they all give, and no subfolder row gives nothing.
    if (surroundings_.subfolderRows() == 0)
        return;
    for (const QString& entry : surroundings_.launchEntries()) {
        const QString extension = EntryExtension::extensionOf(entry, length);
        if (extension.isEmpty() || !list_.add(extension))
            continue;
        added(list_.size());
        services_.yieldPoint().at({YieldPoint::Normal});
    }
}

void ExtSetsController::saveList() {
    list_.save(workspace_.dataFolder());
}

void ExtSetsController::clearList() {
    if (services_.dialogs().message(QStringLiteral("Clear list"),
                                    QStringLiteral("Want to CLEAR this list?"), Buttons::YesNo,
                                    Icon::Warning) != Answer::Yes)
        return;
    list_.clear();
    saveList();
}

void ExtSetsController::deleteSelected() {
    if (services_.dialogs().message(
            QStringLiteral("DELETE selected extentions"),
            QStringLiteral("Do you want to DELETE the selected extentions?"), Buttons::YesNo,
            Icon::Question) != Answer::Yes)
        return;
    list_.removeSelected();
    saveList();
}

void ExtSetsController::applySet(const QString& setText) {
    list_.applySet(setText);
    services_.yieldPoint().at({YieldPoint::Background});
}

void ExtSetsController::applySelection(const QString& name) {
    controls::ListSelection::select(
        discs_, selections_.positions(name, controls::ListSelection::rows(discs_)));
}

void ExtSetsController::rememberSelection() {
    const QString shown = panel_.selections()->currentText();
    const auto answer =
        services_.dialogs().input(QStringLiteral("Save Selection"),
                                  QStringLiteral("Save this selection under the name of:") +
                                      workspace::Workspace::LineBreak + shown + QStringLiteral("?"),
                                  shown);
    const QString name = answer.value_or(QString());
    if (const auto reason = selections_.refusal(name)) {
        services_.dialogs().message({}, *reason, Buttons::Ok, Icon::None);
        return;
    }
    selections_.remember(name, controls::ListSelection::positions(discs_));
    panel_.selections()->setEditText(name);
}

void ExtSetsController::deleteSelection() {
    const QString name = panel_.selections()->currentText();
    if (services_.dialogs().message(QStringLiteral("DELETE Selection from list and disc"),
                                    QStringLiteral("Are you sure you want to DELETE ") + name +
                                        QStringLiteral(" from the list?"),
                                    Buttons::YesNo, Icon::Warning) != Answer::Yes)
        return;
    selections_.remove(name);
}

void ExtSetsController::selectAllDiscs(bool on) {
    QAbstractItemView* discs = discs_;
    // One range for the whole list: row by row, thousands of discs take seconds.
    if (on)
        discs->selectAll();
    else
        discs->clearSelection();
    discs->setFocus();
}

QStringList ExtSetsController::selectedExtensions() {
    return list_.selectedEntries();
}

void ExtSetsController::recordSet() {
    const QString set = list_.setText();
    services_.yieldPoint().at({YieldPoint::Background});
    sets_.record(set, workspace_.programFolder());
}

void ExtSetsController::saveForStart() {
    list_.saveForStart(workspace_.dataFolder());
}

bool ExtSetsController::eventFilter(QObject* watched, QEvent* event) {
    if (watched == panel_.newExtension()) {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                services_.runChange(QStringLiteral("AddExt_KeyPress"), 13, [this] {
                    if (addExtension())
                        panel_.newExtension()->clear(); // a refused text stays in the box
                });
                return true;
            }
        } else if (event->type() == QEvent::MouseButtonPress &&
                   static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) {
            panel_.newExtension()->clear();
            return true;
        }
    } else if (watched == panel_.extensions()->viewport() &&
               event->type() == QEvent::MouseButtonPress &&
               static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) {
        // The right button selects all, and the next time none.
        allChosen_ = !allChosen_;
        list_.selectAll(allChosen_);
        return true;
    } else if (watched == panel_.extensionLength() && event->type() == QEvent::FocusOut) {
        QLineEdit* length = panel_.extensionLength();
        length->setText(EntryExtension::checkedLengthText(length->text()));
    }
    return QObject::eventFilter(watched, event);
}

} // namespace dravik::extsets
