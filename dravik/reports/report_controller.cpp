#include "dravik/reports/report_controller.h"

#include "common/error.h"
#include "dravik/controls/floating_panel.h"
#include "dravik/controls/list_selection.h"
#include "dravik/controls/list_view_panel.h"
#include "dravik/reports/quick_report.h"
#include "dravik/reports/report_panel.h"
#include "dravik/reports/saved_reports.h"
#include "dravik/services/window_services.h"
#include "dravik/workspace/workspace.h"

#include <QFrame>
#include <QListWidget>

namespace dravik::reports {

namespace Answer = common::ui::Answer;
using common::ui::Buttons;
using common::ui::Icon;
using workspace::Workspace;

ReportController::ReportController(ReportPanel& panel, services::FeatureContext context,
                                   std::function<QString()> proposedName)
    : panel_(panel), list_(context.list), workspace_(context.workspace), services_(context.window),
      proposedName_(std::move(proposedName)) {}

void ReportController::showPanel() {
    controls::showCentred(panel_.frame());
}

void ReportController::save() {
    panel_.frame()->hide();
    if (services_.ask(QStringLiteral("Saving Search Report"),
                      QStringLiteral("Do you want to SAVE this report?"), Buttons::YesNo,
                      Icon::Question) == Answer::Yes)
        saveQuickReport();
    list_.setEditable(true);
    list_.view()->setFocus();
}

void ReportController::saveQuickReport() {
    const SavedReports reports(workspace_.dataFolder());
    try {
        reports.makeFolder();
    } catch (const common::Error&) {
        // A folder that cannot be made shows when the copy fails.
    }
    const auto name = askName();
    if (!name)
        return; // nothing saved, nothing said
    const auto target = reports.save(*name, QuickReport(workspace_.programFolder()).path());
    const QChar lb = Workspace::LineBreak;
    services_.ask(QStringLiteral("Saved!"),
                  QStringLiteral("The report was saved in the following folder:") + lb + lb +
                      QString::fromStdString(target.string()),
                  Buttons::Ok, Icon::Question);
}

std::optional<QString> ReportController::askName() {
    QString proposal = proposedName_();
    for (;;) {
        const QString name = services_.dialogs()
                                 .input(QStringLiteral("SAVE search report"),
                                        QStringLiteral("SAVE this report to:"), proposal)
                                 .value_or(QString());
        if (name.isEmpty())
            return std::nullopt;
        const auto reason = SavedReports::refusal(name);
        if (!reason)
            return name;
        services_.dialogs().message(QStringLiteral("SAVE search report"), *reason, Buttons::Ok,
                                    Icon::Warning);
        proposal = name; // to mend rather than type again
    }
}

void ReportController::chooseReports() {
    panel_.frame()->hide();
    panel_.reports()->clear();
    panel_.reports()->addItems(SavedReports(workspace_.dataFolder()).list());
    controls::showCentred(panel_.loadBox());
    panel_.loadBox()->setFocus();
}

void ReportController::loadChosen() {
    controls::ListTextEdit* view = list_.view();
    if (!view->isEmpty() && services_.dialogs().message(
                                {}, QStringLiteral("Do you want to clear the current search page?"),
                                Buttons::YesNo, Icon::Question) == Answer::Yes)
        view->clear();
    const SavedReports reports(workspace_.dataFolder());
    for (const QString& report : controls::ListSelection::texts(panel_.reports()))
        view->appendListText(reports.loadText(report));
    closeLoadBox();
}

void ReportController::closeLoadBox() {
    panel_.loadBox()->hide();
}

} // namespace dravik::reports
