#include "dravik/discadmin/disc_admin_controller.h"

#include "dravik/catalogue/disc_index.h"
#include "dravik/catalogue/disc_panel.h"
#include "dravik/controls/control_tag.h"
#include "dravik/controls/floating_panel.h"
#include "dravik/controls/list_view_panel.h"
#include "dravik/discadmin/disc_admin.h"
#include "dravik/discadmin/disc_admin_panel.h"
#include "dravik/services/window_services.h"
#include "dravik/workspace/workspace.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QPlainTextEdit>

namespace dravik::discadmin {

namespace Answer = common::ui::Answer;
using catalogue::DiscIndex;
using common::ui::Buttons;
using common::ui::Icon;
using common::ui::YieldPoint;
using workspace::Workspace;

namespace {

const QColor LightGrey(0xe0, 0xe0, 0xe0);

} // namespace

DiscAdminController::DiscAdminController(catalogue::DiscIndex& index, catalogue::DiscPanel& discs,
                                         DiscAdminPanel& panel, services::FeatureContext context,
                                         std::function<void()> clearFindHistory)
    : index_(index), discs_(discs), list_(context.list), panel_(panel),
      workspace_(context.workspace), services_(context.window),
      clearFindHistory_(std::move(clearFindHistory)) {
    // The "Delete Many Discs" box shows the discs as they are, also after a change elsewhere.
    panel.follow(index);
}

bool DiscAdminController::confirmed(const QString& heading, const QString& text) {
    return services_.ask(heading, text, Buttons::OkCancel, Icon::Warning) == Answer::Yes;
}

// A catalogue that cannot be changed says so before the user types a name or confirms anything.
bool DiscAdminController::refusedAsReadOnly(const QString& heading) {
    const auto reason = index_.readOnlyRefusal();
    if (reason)
        services_.dialogs().message(heading, *reason, Buttons::Ok, Icon::Warning);
    return reason.has_value();
}

void DiscAdminController::noDiscSelected() {
    services_.ask(QStringLiteral("ERROR"), QStringLiteral("There is no disc selected to delete!"),
                  Buttons::Ok, Icon::Warning);
}

void DiscAdminController::reportLeftAlone(const QStringList& names) {
    if (names.isEmpty())
        return;
    const QChar lb = Workspace::LineBreak;
    services_.ask(QStringLiteral("ERROR"),
                  QStringLiteral("These discs are no longer in the catalogue and were left "
                                 "alone:") +
                      lb + lb + names.join(lb),
                  Buttons::Ok, Icon::Warning);
}

void DiscAdminController::reportAfterChange(int index, const QString& done,
                                            const common::Error& e) {
    services_.reportError(QStringLiteral("SSPanel1_click"), index, e.number(),
                          done + QStringLiteral(" This step failed: ") +
                              QString::fromStdString(e.description()));
}

void DiscAdminController::rename() {
    const QString oldName = discs_.name();
    const QString heading = QStringLiteral("RENAME A DISC");
    index_.refresh();
    if (!index_.holds(oldName)) {
        // Only a catalogued disc has a list, an index entry and a setting to move.
        services_.dialogs().message(heading,
                                    oldName.isEmpty()
                                        ? QStringLiteral("There is no disc selected to rename!")
                                        : DiscAdmin::notCatalogued(oldName),
                                    Buttons::Ok, Icon::Warning);
        return;
    }
    if (refusedAsReadOnly(heading))
        return;
    const auto answer =
        services_.dialogs().input(heading, QStringLiteral("Rename current disc to:"), oldName);
    const QString newName = answer.value_or(QString());
    if (newName.isEmpty()) {
        services_.dialogs().message({},
                                    QStringLiteral("Want to DELETE? Well, Open your eyes (or "
                                                   "ears). Two other options do that!"),
                                    Buttons::Ok, Icon::None);
        return;
    }
    if (DiscIndex::sameName(oldName, newName))
        return;
    const DiscAdmin admin(index_);
    if (const auto reason = admin.renameRefusal(oldName, newName)) {
        services_.dialogs().message(heading, *reason, Buttons::Ok, Icon::Warning);
        return;
    }
    const QString done =
        QStringLiteral("The disc was renamed to \"") + newName + QStringLiteral("\".");
    admin.rename(oldName, newName, [&](const common::Error& e) { reportAfterChange(1, done, e); });
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
    index_.refresh();
    if (!index_.holds(name)) {
        services_.ask(QStringLiteral("ERROR"), DiscAdmin::notCatalogued(name), Buttons::Ok,
                      Icon::Warning);
        return;
    }
    if (refusedAsReadOnly(QStringLiteral("DELETE the selected disc")))
        return;
    if (!confirmed(QStringLiteral("DELETE the selected disc"),
                   QStringLiteral("You are about to DELETE:") + lb + lb + name + lb + lb +
                       QStringLiteral("Do you want to continue?")))
        return;
    const QString done =
        QStringLiteral("The disc \"") + name + QStringLiteral("\" is no longer in the catalogue.");
    const auto removal = DiscAdmin(index_).remove(
        {name}, [&](const common::Error& e) { reportAfterChange(3, done, e); });
    reportLeftAlone(removal.notCatalogued);
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
    index_.refresh();
    panel_.clearChoice();
    controls::showCentred(panel_.deleteMany());
    panel_.deleteMany()->setFocus();
}

void DiscAdminController::closeDeleteMany() {
    panel_.deleteMany()->hide();
}

void DiscAdminController::deleteSelectedDiscs() {
    const QStringList chosen = panel_.chosenDiscs();
    if (chosen.isEmpty()) {
        noDiscSelected();
        panel_.clearChoice();
        closeDeleteMany();
        return;
    }
    const QChar lb = Workspace::LineBreak;
    if (refusedAsReadOnly(QStringLiteral("DELETE the selected disc")))
        return;
    if (!confirmed(QStringLiteral("DELETE the selected disc"),
                   QStringLiteral("You are about to DELETE the selected discs in the list.") + lb +
                       lb + QStringLiteral("Do you want to continue?")))
        return;
    // The discs chosen that the index holds at this moment go; the index is read afresh, so
    // a disc catalogued or renamed while the box was open is kept.
    const auto removal = DiscAdmin(index_).remove(chosen, [&](const common::Error& e) {
        reportAfterChange(7, QStringLiteral("The chosen discs are no longer in the catalogue."), e);
    });
    reportLeftAlone(removal.notCatalogued);
    panel_.clearChoice();
    closeDeleteMany();
    controls::paint(list_.listState(), LightGrey);
}

} // namespace dravik::discadmin
