#pragma once

#include "common/ui/dialogs.h"
#include "common/ui/yield_point.h"
#include "dravik/discadmin/drive_panel.h"
#include "dravik/services/feature_context.h"
#include "dravik/services/window_services.h"
#include "dravik/workspace/workspace.h"

#include <QWidget>

#include <memory>

namespace common {
class MountWatcher;
}
namespace dravik::services {
class MediumRecogniser;
}

class QGridLayout;
class QHBoxLayout;
class QLabel;

namespace dravik::controls {
class CommandArray;
class ListViewPanel;
} // namespace dravik::controls
namespace dravik::catalogue {
class BrowserController;
class BrowserPanel;
class CatalogueController;
class DiscIndex;
class DiscOpenController;
class DiscPanel;
class MediumController;
} // namespace dravik::catalogue
namespace dravik::discadmin {
class DiscAdminController;
class DiscAdminPanel;
class DriveController;
class GoToController;
} // namespace dravik::discadmin
namespace dravik::launch {
class AssociationController;
class AssociationModel;
class AssociationPanel;
class LaunchController;
} // namespace dravik::launch
namespace dravik::extsets {
class ExtensionList;
class ExtSetsController;
class Selections;
class SetBox;
} // namespace dravik::extsets
namespace dravik::reports {
class ListViewReactions;
class ReportController;
class ReportPanel;
} // namespace dravik::reports
namespace dravik::search {
class FindController;
class FindHistory;
class FindPanel;
class SearchController;
class SearchPanel;
} // namespace dravik::search

namespace dravik::window {

class CommandRouter;
class DriveWarning;
class MessagePanel;
class PriorityPanel;

// The main window `Dravik`: a shell that creates one panel per feature, gives each feature's
// controller what it uses, routes the command arrays, runs start-up and exit, and offers the
// window's services (message panel, caption, yield point, dialogs, error box) to the features.
class MainWindow : public QWidget, public services::WindowServices {
    Q_OBJECT
public:
    MainWindow(common::ui::Dialogs& dialogs, common::DriveTable drives, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Start-up: `arguments` is the command line after the program name (nothing, or a drive
    // letter). Failing steps are reported and skipped; the window always opens.
    void load(const QStringList& arguments);

    int ask(const QString& heading, const QString& text, common::ui::Buttons buttons,
            common::ui::Icon icon) override;
    common::ui::Dialogs& dialogs() override { return dialogs_; }
    common::ui::YieldPoint& yieldPoint() override { return yield_; }
    bool runChange(const QString& handler, int index, const std::function<void()>& work) override;
    QString caption() const override { return windowTitle(); }
    void setCaption(const QString& caption) override { setWindowTitle(caption); }
    using services::WindowServices::reportError;
    void reportError(const QString& handler, int index, int number,
                     const QString& description) override;

    // `Wagter`: `next` runs once the user has chosen a drive (the default drive panel or a
    // temporary drive); the caller returns at once and nothing waits in a nested loop.
    void wagter(discadmin::DrivePanel::DriveChosen next);
    void showDataPathDialog();
    // From now on the medium in the default drive is recognised as it is mounted, and at once.
    void recogniseMedia(std::unique_ptr<services::MediumRecogniser> recogniser);
    // What tells of mounts while media are recognised.
    common::MountWatcher* mountWatcher() const { return mounts_.get(); }

    workspace::Workspace& workspace() { return workspace_; }
    MessagePanel& messagePanel() { return *message_; }
    PriorityPanel& priorityPanel() { return *priority_; }
    DriveWarning& driveWarning() { return *warning_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Arrays {
        controls::CommandArray* gCom;
        controls::CommandArray* ssPanel1;
        controls::CommandArray* fCom;
        controls::CommandArray* soekCom;
        controls::CommandArray* wCom;
        controls::CommandArray* xCom;
        controls::CommandArray* sellD;
        controls::CommandArray* mAo;
        controls::CommandArray* soCCom;
        controls::CommandArray* loadReportCom;
    };

    void createArrays();
    void createPanels();
    void createControllers();
    // What every controller is handed.
    services::FeatureContext context() { return {workspace_, *this, *listView_}; }
    void createCatalogue();
    void createDiscAdmin();
    void createLaunch();
    void createSearch();
    void routeCommands();
    void routeDiscAdmin(CommandRouter& router);
    void routeSearch(CommandRouter& router);
    // The window's areas (main_layout.cpp).
    void buildLayout();
    void fitToScreen();
    QHBoxLayout* topRow();
    QHBoxLayout* middleRow();
    QWidget* rightColumn();
    QGridLayout* commandGrid();
    QHBoxLayout* optionRow();
    // Start-up.
    void showTemporaryDrives();
    void pointBrowserAt(const QStringList& arguments);
    void runLoadSteps(const QString& startFolder);
    void tidyUp();
    void reportLoadStep(int step, const QString& description, int number);
    void exitSteps();
    bool handleKey(QObject* watched, QEvent* event);
    void startSplitter();

    common::ui::Dialogs& dialogs_;
    workspace::Workspace workspace_;
    common::ui::YieldPoint yield_;
    Arrays arrays_{};
    QLabel* help_ = nullptr;          // `hP`
    QLabel* priorityLabel_ = nullptr; // `Prio`
    QLabel* splitter_ = nullptr;      // `Splitter`
    MessagePanel* message_ = nullptr;
    PriorityPanel* priority_ = nullptr;
    DriveWarning* warning_ = nullptr;

    // The catalogue's state, before everything that shows it or acts on it.
    std::unique_ptr<catalogue::DiscIndex> discIndex_;
    std::unique_ptr<search::FindHistory> findHistory_;
    std::unique_ptr<launch::AssociationModel> associationTable_;
    std::unique_ptr<extsets::ExtensionList> extensionList_;
    std::unique_ptr<extsets::SetBox> extensionSets_;
    std::unique_ptr<extsets::Selections> discSelections_;
    std::unique_ptr<services::MediumRecogniser> recogniser_;
    std::unique_ptr<common::MountWatcher> mounts_;
    // Panels before controllers, controllers before the router: each is destroyed before what
    // it uses.
    std::unique_ptr<controls::ListViewPanel> listView_;
    std::unique_ptr<catalogue::DiscPanel> discs_;
    std::unique_ptr<catalogue::BrowserPanel> browser_;
    std::unique_ptr<search::FindPanel> find_;
    std::unique_ptr<search::SearchPanel> search_;
    std::unique_ptr<reports::ReportPanel> reports_;
    std::unique_ptr<launch::AssociationPanel> associations_;
    std::unique_ptr<discadmin::DrivePanel> drives_;
    std::unique_ptr<discadmin::DiscAdminPanel> discAdmin_;
    std::unique_ptr<catalogue::CatalogueController> cataloguing_;
    std::unique_ptr<catalogue::DiscOpenController> opener_;
    std::unique_ptr<catalogue::BrowserController> browsing_;
    std::unique_ptr<catalogue::MediumController> media_;
    std::unique_ptr<discadmin::DriveController> driveChoice_;
    std::unique_ptr<discadmin::DiscAdminController> discCommands_;
    std::unique_ptr<discadmin::GoToController> goTo_;
    std::unique_ptr<search::FindController> finding_;
    std::unique_ptr<launch::AssociationController> linking_;
    std::unique_ptr<launch::LaunchController> launching_;
    std::unique_ptr<reports::ListViewReactions> reading_;
    std::unique_ptr<reports::ReportController> reporting_;
    std::unique_ptr<extsets::ExtSetsController> extensions_;
    std::unique_ptr<search::SearchController> searching_;
    std::unique_ptr<CommandRouter> router_;
    bool exited_ = false;
};

} // namespace dravik::window
