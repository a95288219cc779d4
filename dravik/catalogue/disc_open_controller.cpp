#include "dravik/catalogue/disc_open_controller.h"

#include "common/error.h"
#include "common/list_text.h"
#include "common/number_format.h"
#include "common/process_starter.h"
#include "common/program_folder.h"
#include "common/settings_names.h"
#include "common/settings_store.h"
#include "common/ui/file_list_box.h"
#include "dravik/catalogue/browser_panel.h"
#include "dravik/catalogue/catalogue.h"
#include "dravik/catalogue/disc_panel.h"
#include "dravik/controls/control_tag.h"
#include "dravik/controls/list_view_panel.h"
#include "dravik/services/window_services.h"
#include "dravik/walker/walk_lock.h"
#include "dravik/workspace/workspace.h"

#include <QLabel>

namespace dravik::catalogue {

namespace Answer = common::ui::Answer;
using common::ui::YieldPoint;
using controls::ListViewPanel;
using workspace::Workspace;

DiscOpenController::DiscOpenController(DiscPanel& discs, BrowserPanel& browser,
                                       services::FeatureContext context)
    : discs_(discs), list_(context.list), browser_(browser), workspace_(context.workspace),
      services_(context.window) {}

bool DiscOpenController::startViewer(const QString& listPath) {
    return common::ProcessStarter::startDetached(
        common::ProgramFolder::siblingProgram(common::ProgramFolder::Peek), {listPath});
}

void DiscOpenController::open() {
    const QString name = discs_.name();
    if (!prepare(name))
        return;
    try {
        load(name);
        showCount(name);
        services_.dravikCap(name + QStringLiteral(".rtf"));
        list_.paintStatus(QColor(255, 255, 0), QColor());
        list_.setStatus(QStringLiteral("Finished Loading"));
        services_.yieldPoint().now();
        list_.hideNotice(ListViewPanel::Notice::Loading);
        list_.view()->moveCursor(QTextCursor::Start);
        list_.view()->setFocus();
    } catch (const common::Error& e) {
        fail(e.number());
    }
}

bool DiscOpenController::prepare(const QString& name) {
    const QChar lb = Workspace::LineBreak;
    YieldPoint& yield = services_.yieldPoint();
    list_.restoreStatusColour();
    browser_.files()->setEnabled(false);
    list_.setStatus(QStringLiteral("Loading Info"));
    yield.now();
    if (!workspace_.automatic &&
        services_.ask(QStringLiteral("Open Disc to Load"),
                      QStringLiteral("You are about to open:") + lb + lb + name + lb + lb +
                          QStringLiteral("Do you want to continue?"),
                      common::ui::Buttons::YesNo, common::ui::Icon::Question) == Answer::No)
        return false;
    list_.view()->clear();
    list_.folderCount()->clear();
    list_.fileCount()->clear();
    list_.showNotice(ListViewPanel::Notice::Loading);
    list_.notice(ListViewPanel::Notice::Loading)->setFocus();
    yield.at({YieldPoint::Normal});
    return true;
}

void DiscOpenController::load(const QString& name) {
    const auto path =
        Catalogue(workspace_.dataFolder(), workspace_.programFolder()).discListPath(name);
    const int answer = services_.dialogs().message(
        QStringLiteral("Where to open disc"),
        QStringLiteral("Open disc in this program (Yes) or in New List(No)"),
        common::ui::Buttons::YesNo, common::ui::Icon::None);
    // Only the list that a running walk is about to replace is in use; it is not shown half-made.
    if (walker::WalkLock::busyWith(workspace_.programFolder()) == path)
        throw common::Error(common::ErrorNumber::PathFileAccess, path.string() + ": in use");
    if (answer == Answer::Yes) {
        list_.view()->showListFile(path);
        return;
    }
    if (!std::filesystem::exists(path))
        throw common::Error(common::ErrorNumber::FileNotFound, path.string());
    if (!startViewer(QString::fromStdString(path.string())))
        throw common::Error(common::ErrorNumber::FileNotFound,
                            "the list viewer could not be started");
}

void DiscOpenController::showCount(const QString& name) {
    // A text ending in a line break has one more line.
    const long long lines = list_.view()->lineCount();
    const QString size =
        common::SettingsStore(common::SettingsNames::DiscSizes).value(name, QStringLiteral("Size"));
    QLabel* counter = discs_.counter();
    counter->setText(size.isEmpty() ? common::NumberFormat::withZero(lines) + QStringLiteral("*")
                                    : size);
    controls::paint(list_.listState(),
                    counter->text().endsWith(u'*') ? QColor(255, 192, 192) : QColor(0, 255, 0));
}

void DiscOpenController::fail(int number) {
    list_.hideNotice(ListViewPanel::Notice::Loading);
    list_.view()->clear();
    list_.paintStatus(QColor(128, 0, 0), QColor(0, 255, 255));
    list_.setStatus(QString::fromLatin1(
        number == common::ErrorNumber::PathFileAccess ? InUseCaption : MissingCaption));
}

} // namespace dravik::catalogue
