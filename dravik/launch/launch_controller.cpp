#include "dravik/launch/launch_controller.h"

#include "common/error.h"
#include "dravik/catalogue/file_list_entry.h"
#include "dravik/controls/control_tag.h"
#include "dravik/launch/association_controller.h"
#include "dravik/launch/association_model.h"
#include "dravik/launch/launcher.h"
#include "dravik/services/window_services.h"
#include "dravik/workspace/workspace.h"

#include <QListWidget>
#include <QMouseEvent>

namespace dravik::launch {

namespace Answer = common::ui::Answer;
namespace FileListEntry = catalogue::FileListEntry;

LaunchController::LaunchController(QListWidget* launchList, const AssociationModel& associations,
                                   AssociationController& linking, services::FeatureContext context)
    : launchList_(launchList), associations_(associations), linking_(linking),
      workspace_(context.workspace), services_(context.window) {
    connect(launchList, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { launch(item->text()); });
    launchList->viewport()->installEventFilter(this);
}

bool LaunchController::tryLaunch(const QString& entry) {
    services_.dravikCap(FileListEntry::fileName(entry));
    const Launcher launcher(workspace_.browseFolder, workspace_.programFolder());
    const auto plan = launcher.plan(entry, associations_.links());
    return plan && launcher.start(*plan);
}

void LaunchController::launch(const QString& entry) {
    bool started = false;
    try {
        started = tryLaunch(entry);
    } catch (const std::exception&) {
        // Whatever went wrong, the user is offered to set the association.
    }
    if (!started)
        noAssociation();
}

void LaunchController::noAssociation() {
    const QChar lb = workspace::Workspace::LineBreak;
    if (services_.ask(QStringLiteral("No association?"),
                      QStringLiteral("Maybe this does not have an association!") + lb + lb +
                          QStringLiteral("RClick on the file to set associations..."),
                      common::ui::Buttons::Ok, common::ui::Icon::Warning) == Answer::Yes)
        linking_.show();
}

void LaunchController::setAssociation() {
    QListWidgetItem* selected = launchList_->currentItem();
    if (!selected)
        return;
    const QString key = FileListEntry::key(selected->text());
    workspace_.currentExtension = key;
    linking_.openFor(key);
}

bool LaunchController::eventFilter(QObject* watched, QEvent* event) {
    if (watched == launchList_->viewport() && event->type() == QEvent::MouseButtonPress &&
        static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) {
        try {
            setAssociation();
        } catch (const common::Error& e) {
            services_.reportError(QStringLiteral("FiL_MouseDown"), 0, e);
        }
        return true;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace dravik::launch
