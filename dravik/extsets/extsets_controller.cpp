#include "dravik/extsets/extsets_controller.h"

#include "common/error.h"
#include "common/settings_names.h"
#include "common/settings_store.h"
#include "dravik/controls/control_tag.h"
#include "dravik/controls/list_selection.h"
#include "dravik/extsets/entry_extension.h"
#include "dravik/extsets/extsets_panel.h"
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

ExtSetsController::ExtSetsController(ExtSetsPanel& panel, QListWidget* discs,
                                     workspace::Workspace& workspace,
                                     services::WindowServices& services, Surroundings surroundings)
    : panel_(panel), discs_(discs), workspace_(workspace), services_(services),
      surroundings_(std::move(surroundings)), selections_(workspace.dataFolder()) {
    panel.newExtension()->installEventFilter(this);
    panel.extensions()->viewport()->installEventFilter(this);
    panel.extensionLength()->installEventFilter(this);
    connect(panel.sets(), &QComboBox::activated, this,
            [this](int row) { applySet(panel_.sets()->itemText(row)); });
    connect(panel.selections(), &QComboBox::activated, this,
            [this](int row) { applySelection(panel_.selections()->itemText(row)); });
}

void ExtSetsController::takeSelection() {
    list_.selectAll(false);
    for (const int row : controls::ListSelection::positions(panel_.extensions()))
        list_.setSelected(row, true);
}

void ExtSetsController::showList() {
    QListWidget* view = panel_.extensions();
    view->clear();
    view->addItems(list_.entries());
    for (int i = 0; i < list_.size(); ++i)
        view->item(i)->setSelected(list_.isSelected(i));
}

void ExtSetsController::showSelections() {
    panel_.selections()->clear();
    panel_.selections()->addItems(selections_.names());
}

void ExtSetsController::load() {
    sets_.load(workspace_.programFolder());
    panel_.sets()->clear();
    panel_.sets()->addItems(sets_.rows());
    panel_.sets()->setEditText(QString::fromLatin1(SetBox::Caption));
    list_.load(workspace_.dataFolder());
    showList();
    selections_ = Selections(workspace_.dataFolder());
    selections_.load();
    showSelections();
    const QString changed =
        common::SettingsStore(common::SettingsNames::Main)
            .value(QStringLiteral("Changes"), QStringLiteral("NewDisc"), QStringLiteral("False"));
    surroundings_.showChangeNotice(changed.compare(u"True", Qt::CaseInsensitive) == 0);
}

void ExtSetsController::added(int entries) {
    panel_.extensionCount()->setText(ExtensionList::countLabel(entries));
}

bool ExtSetsController::addExtension() {
    takeSelection();
    if (!list_.add(panel_.newExtension()->text()))
        return false;
    showList();
    added(list_.size());
    services_.yieldPoint().at({YieldPoint::Background, YieldPoint::Normal});
    return true;
}

void ExtSetsController::searchExtensions() {
    list_.clear();
    panel_.extensions()->clear();
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
    showList();
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
    showList();
    saveList();
}

void ExtSetsController::deleteSelected() {
    if (services_.dialogs().message(
            QStringLiteral("DELETE selected extentions"),
            QStringLiteral("Do you want to DELETE the selected extentions?"), Buttons::YesNo,
            Icon::Question) != Answer::Yes)
        return;
    takeSelection();
    list_.removeSelected();
    showList();
    saveList();
}

void ExtSetsController::applySet(const QString& setText) {
    takeSelection();
    list_.applySet(setText);
    showList();
    services_.yieldPoint().at({YieldPoint::Background});
}

void ExtSetsController::applySelection(const QString& name) {
    QListWidget* discs = discs_;
    for (const int row : selections_.positions(name, discs->count()))
        discs->item(row)->setSelected(true);
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
    showSelections();
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
    showSelections();
}

void ExtSetsController::selectAllDiscs(bool on) {
    QListWidget* discs = discs_;
    // One range for the whole list: row by row, thousands of discs take seconds.
    if (on)
        discs->selectAll();
    else
        discs->clearSelection();
    discs->setFocus();
}

QStringList ExtSetsController::selectedExtensions() {
    takeSelection();
    return list_.selectedEntries();
}

void ExtSetsController::recordSet() {
    takeSelection();
    const QString set = list_.setText();
    services_.yieldPoint().at({YieldPoint::Background});
    if (!sets_.record(set, workspace_.programFolder()))
        return;
    const QString shown = panel_.sets()->currentText();
    panel_.sets()->clear();
    panel_.sets()->addItems(sets_.rows());
    panel_.sets()->setEditText(shown);
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
        // The right button selects all, and the next time none; the list's tag remembers.
        QListWidget* list = panel_.extensions();
        const bool all = controls::tag(list).toString().isEmpty();
        controls::setTag(list, all ? QStringLiteral("5") : QString());
        for (int i = 0; i < list->count(); ++i)
            list->item(i)->setSelected(all);
        return true;
    } else if (watched == panel_.extensionLength() && event->type() == QEvent::FocusOut) {
        QLineEdit* length = panel_.extensionLength();
        length->setText(EntryExtension::checkedLengthText(length->text()));
    }
    return QObject::eventFilter(watched, event);
}

} // namespace dravik::extsets
