#include "dravik/discadmin/disc_admin_controller.h"

#include "common/ui/yield_point.h"
#include "dravik/catalogue/catalogue.h"
#include "dravik/catalogue/disc_panel.h"
#include "dravik/controls/control_tag.h"
#include "dravik/controls/floating_panel.h"
#include "dravik/controls/list_selection.h"
#include "dravik/controls/list_view_panel.h"
#include "dravik/discadmin/disc_admin.h"
#include "dravik/discadmin/disc_admin_panel.h"
#include "dravik/services/window_services.h"
#include "dravik/workspace/workspace.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>

namespace dravik::discadmin {

namespace Answer = common::ui::Answer;
using common::ui::Buttons;
using common::ui::Icon;
using common::ui::YieldPoint;
using workspace::Workspace;

namespace {

const QColor LightGrey(0xe0, 0xe0, 0xe0);

} // namespace

DiscAdminController::DiscAdminController(catalogue::DiscPanel& discs, controls::ListViewPanel& list,
                                         DiscAdminPanel& panel, Workspace& workspace,
                                         services::WindowServices& services,
                                         std::function<void()> clearFindHistory)
    : discs_(discs), list_(list), panel_(panel), workspace_(workspace), services_(services),
      clearFindHistory_(std::move(clearFindHistory)) {}

DiscAdmin DiscAdminController::admin() const {
    return DiscAdmin(catalogue::Catalogue(workspace_.dataFolder(), workspace_.programFolder()));
}

bool DiscAdminController::confirmed(const QString& heading, const QString& text) {
    return services_.ask(heading, text, Buttons::OkCancel, Icon::Warning) == Answer::Yes;
}

void DiscAdminController::noDiscSelected() {
    services_.ask(QStringLiteral("ERROR"), QStringLiteral("There is no disc selected to delete!"),
                  Buttons::Ok, Icon::Warning);
}

void DiscAdminController::showDiscs(const QStringList& discs) {
    discs_.box()->clear();
    for (const QString& disc : discs) {
        discs_.box()->addItem(disc);
        services_.yieldPoint().at({YieldPoint::Background});
    }
    discs_.showDiscCount();
}

void DiscAdminController::rename() {
    const QString oldName = discs_.name();
    const auto answer = services_.dialogs().input(
        QStringLiteral("RENAME A DISC"), QStringLiteral("Rename current disc to:"), oldName);
    const QString newName = answer.value_or(QString());
    if (newName.isEmpty()) {
        services_.dialogs().message({},
                                    QStringLiteral("Want to DELETE? Well, Open your eyes (or "
                                                   "ears). Two other options do that!"),
                                    Buttons::Ok, Icon::None);
        return;
    }
    if (DiscAdmin::sameName(oldName, newName))
        return;
    const DiscAdmin discs = admin();
    if (const auto reason = discs.renameRefusal(discs_.discs(), oldName, newName)) {
        services_.dialogs().message(QStringLiteral("RENAME A DISC"), *reason, Buttons::Ok,
                                    Icon::Warning);
        return;
    }
    showDiscs(discs.rename(discs_.discs(), oldName, newName));
    discs_.setName(newName);
    controls::paint(discs_.counter(), LightGrey);
}

void DiscAdminController::deleteDisc() {
    const QString name = discs_.name();
    const QChar lb = Workspace::LineBreak;
    if (name.isEmpty()) {
        noDiscSelected();
        return;
    }
    if (!confirmed(QStringLiteral("DELETE the selected disc"),
                   QStringLiteral("You are about to DELETE:") + lb + lb + name + lb + lb +
                       QStringLiteral("Do you want to continue?")))
        return;
    const auto trouble = [this](const common::Error& e) {
        services_.reportError(QStringLiteral("SSPanel1_click"), 3, e);
    };
    // The box shows the new index whole: every entry of the name is gone from it.
    showDiscs(admin().remove(discs_.discs(), {name}, trouble));
    discs_.setName({});
    if (services_.dialogs().message(QStringLiteral("DELETE disc COMPLETELY!!"),
                                    QStringLiteral("Do you want me to CLEAR the workspace?"),
                                    Buttons::YesNo, Icon::Question) == Answer::Yes) {
        list_.view()->clear();
        controls::paint(list_.listState(), LightGrey);
    }
}

void DiscAdminController::clearFindHistory() {
    const QChar lb = Workspace::LineBreak;
    if (confirmed(QStringLiteral("Clear(DELETE) all search entries!!!"),
                  QStringLiteral("You are about to DELETE ALL the search entries!") + lb + lb +
                      QStringLiteral("Do you want to continue?")))
        clearFindHistory_();
}

void DiscAdminController::openDeleteMany() {
    panel_.manyDiscs()->clear();
    panel_.manyDiscs()->addItems(discs_.discs());
    controls::showCentred(panel_.deleteMany());
    panel_.deleteMany()->setFocus();
}

void DiscAdminController::closeDeleteMany() {
    panel_.deleteMany()->hide();
}

void DiscAdminController::deleteSelectedDiscs() {
    QListWidget* list = panel_.manyDiscs();
    QStringList rows;
    for (int i = 0; i < list->count(); ++i)
        rows << list->item(i)->text();
    const QStringList chosen = controls::ListSelection::texts(list);
    if (chosen.isEmpty()) {
        noDiscSelected();
        list->clear();
        closeDeleteMany();
        return;
    }
    const QChar lb = Workspace::LineBreak;
    if (!confirmed(QStringLiteral("DELETE the selected disc"),
                   QStringLiteral("You are about to DELETE the selected discs in the list.") + lb +
                       lb + QStringLiteral("Do you want to continue?")))
        return;
    const auto trouble = [this](const common::Error& e) {
        services_.reportError(QStringLiteral("SSPanel1_click"), 7, e);
    };
    showDiscs(admin().remove(rows, chosen, trouble));
    list->clear();
    closeDeleteMany();
    controls::paint(list_.listState(), LightGrey);
}

} // namespace dravik::discadmin
