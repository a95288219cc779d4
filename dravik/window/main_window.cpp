#include "dravik/window/main_window.h"

#include "common/error.h"
#include "common/mount_watcher.h"
#include "common/process_starter.h"
#include "common/program_folder.h"
#include "common/ui/drive_list_box.h"
#include "common/ui/folder_list_box.h"
#include "dravik/catalogue/browser_controller.h"
#include "dravik/catalogue/browser_panel.h"
#include "dravik/catalogue/catalogue.h"
#include "dravik/catalogue/catalogue_controller.h"
#include "dravik/catalogue/disc_index.h"
#include "dravik/catalogue/disc_open_controller.h"
#include "dravik/catalogue/disc_panel.h"
#include "dravik/catalogue/medium_controller.h"
#include "dravik/controls/browser_links.h"
#include "dravik/controls/command_array.h"
#include "dravik/controls/control_tag.h"
#include "dravik/controls/floating_panel.h"
#include "dravik/controls/list_adapter.h"
#include "dravik/controls/list_view_panel.h"
#include "dravik/discadmin/disc_admin_controller.h"
#include "dravik/discadmin/disc_admin_panel.h"
#include "dravik/discadmin/drive_controller.h"
#include "dravik/discadmin/drive_panel.h"
#include "dravik/discadmin/go_to_controller.h"
#include "dravik/extsets/extension_list.h"
#include "dravik/extsets/extsets_controller.h"
#include "dravik/extsets/extsets_panel.h"
#include "dravik/extsets/selections.h"
#include "dravik/extsets/set_box.h"
#include "dravik/launch/association_controller.h"
#include "dravik/launch/association_help.h"
#include "dravik/launch/association_model.h"
#include "dravik/launch/association_panel.h"
#include "dravik/launch/launch_controller.h"
#include "dravik/reports/list_view_reactions.h"
#include "dravik/reports/report_controller.h"
#include "dravik/reports/report_panel.h"
#include "dravik/search/find_controller.h"
#include "dravik/search/find_history.h"
#include "dravik/search/find_panel.h"
#include "dravik/search/search_controller.h"
#include "dravik/search/search_panel.h"
#include "dravik/window/command_router.h"
#include "dravik/window/data_path_dialog.h"
#include "dravik/window/drive_warning.h"
#include "dravik/window/message_panel.h"
#include "dravik/window/priority_panel.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QListView>
#include <QListWidget>
#include <QPlainTextEdit>

#include <functional>

namespace dravik::window {

using controls::CommandArray;
using controls::GCom;
using controls::SoekCom;
using controls::SSPanel1;
using controls::WCom;
using Effect = CommandRouter::Effect;

MainWindow::MainWindow(common::ui::Dialogs& dialogs, common::DriveTable drives, QWidget* parent)
    : QWidget(parent), dialogs_(dialogs), workspace_(std::move(drives)),
      discIndex_(std::make_unique<catalogue::DiscIndex>(
          catalogue::Catalogue(workspace_.dataFolder(), workspace_.programFolder()))) {
    setObjectName(QStringLiteral("Dravik"));
    setWindowTitle(QStringLiteral("Dravik 2016"));
    createArrays();
    createPanels();
    buildLayout();
    createControllers();
    routeCommands();
    qApp->installEventFilter(this);
}

MainWindow::~MainWindow() {
    // The filter uses the panels, which go before the window's own widgets do.
    qApp->removeEventFilter(this);
}

void MainWindow::createArrays() {
    const auto make = [this](const char* name, CommandArray::Look look) {
        return new CommandArray(QString::fromLatin1(name), look, this);
    };
    arrays_.gCom = make("GCom", CommandArray::Look::Panel);
    arrays_.ssPanel1 = make("SSPanel1", CommandArray::Look::Panel);
    arrays_.fCom = make("FCom", CommandArray::Look::Button);
    arrays_.soekCom = make("SoekCom", CommandArray::Look::Button);
    arrays_.wCom = make("WCom", CommandArray::Look::Panel);
    arrays_.xCom = make("XCom", CommandArray::Look::Panel);
    arrays_.sellD = make("SellD", CommandArray::Look::Panel);
    arrays_.mAo = make("MAo", CommandArray::Look::Option);
    arrays_.soCCom = make("SoCCom", CommandArray::Look::Button);
    arrays_.loadReportCom = make("LoadReportCom", CommandArray::Look::Button);
}

void MainWindow::createPanels() {
    listView_ = std::make_unique<controls::ListViewPanel>(this);
    discs_ = std::make_unique<catalogue::DiscPanel>(this, *arrays_.gCom, *arrays_.ssPanel1);
    browser_ = std::make_unique<catalogue::BrowserPanel>(this, workspace_.drives());
    find_ =
        std::make_unique<search::FindPanel>(this, *arrays_.gCom, *arrays_.ssPanel1, *arrays_.fCom);
    search_ = std::make_unique<search::SearchPanel>(this, *arrays_.soekCom);
    reports_ = std::make_unique<reports::ReportPanel>(this, *arrays_.gCom, *arrays_.loadReportCom);
    associations_ =
        std::make_unique<launch::AssociationPanel>(this, workspace_.drives(), *arrays_.soCCom);
    drives_ = std::make_unique<discadmin::DrivePanel>(this, *arrays_.sellD, *arrays_.wCom);
    discAdmin_ =
        std::make_unique<discadmin::DiscAdminPanel>(this, *arrays_.ssPanel1, *arrays_.xCom);
}

void MainWindow::createControllers() {
    createCatalogue();
    createDiscAdmin();
    createLaunch();
    createSearch();
    connect(arrays_.mAo, &CommandArray::clicked, this,
            [this](int index) { workspace_.automatic = index > int(controls::MAo::Manual); });
}

void MainWindow::createCatalogue() {
    discs_->follow(*discIndex_);
    cataloguing_ = std::make_unique<catalogue::CatalogueController>(*discIndex_, *discs_, *browser_,
                                                                    context());
    opener_ = std::make_unique<catalogue::DiscOpenController>(*discs_, *browser_, context());
    browsing_ = std::make_unique<catalogue::BrowserController>(*browser_, context());
    reading_ = std::make_unique<reports::ListViewReactions>(*listView_);
    cataloguing_->setOpener([this] { opener_->open(); });
    connect(discs_.get(), &catalogue::DiscPanel::discChosen, this, [this] {
        if (router_->command(QStringLiteral("TeX_Click"), 0, Effect::Reads,
                             [this] { opener_->open(); }))
            message_->closeStaleNotice();
    });
    // Connected after the controller's: runs once the naming step has returned.
    connect(discs_.get(), &catalogue::DiscPanel::enterPressed, this,
            [this] { message_->closeStaleNotice(); });
    connect(listView_.get(), &controls::ListViewPanel::widthChosen, this,
            [this](controls::ListViewPanel::Width width) {
                // Wide, the list view takes the browser's room as well.
                browser_->column()->setVisible(width == controls::ListViewPanel::Width::Narrow);
            });
}

void MainWindow::recogniseMedia(std::unique_ptr<services::MediumRecogniser> recogniser) {
    media_.reset();
    recogniser_ = std::move(recogniser);
    mounts_ = std::make_unique<common::MountWatcher>();
    media_ = std::make_unique<catalogue::MediumController>(
        *discIndex_, *discs_, *recogniser_, context(), [this] { return router_->busy(); });
    connect(mounts_.get(), &common::MountWatcher::changed, media_.get(),
            &catalogue::MediumController::mountChanged);
    connect(driveChoice_.get(), &discadmin::DriveController::driveInUse, media_.get(),
            &catalogue::MediumController::look);
    media_->look();
}

void MainWindow::createLaunch() {
    associationTable_ = std::make_unique<launch::AssociationModel>();
    associations_->showModel(*associationTable_);
    linking_ = std::make_unique<launch::AssociationController>(
        *associations_, *associationTable_, context(),
        [this] { return workspace_.currentExtension; });
    launching_ = std::make_unique<launch::LaunchController>(
        browser_->launchList(), *associationTable_, *linking_, context());
}

void MainWindow::createDiscAdmin() {
    driveChoice_ = std::make_unique<discadmin::DriveController>(
        *drives_, *discAdmin_, context(), [this] { return int(discIndex_->count()); });
    discCommands_ = std::make_unique<discadmin::DiscAdminController>(
        *discIndex_, *discs_, *discAdmin_, context(), [this] { findHistory_->clear(); });
    goTo_ = std::make_unique<discadmin::GoToController>(*browser_, *drives_, context());
    connect(arrays_.sellD, &CommandArray::clicked, this, [this](int index) {
        router_->command(QStringLiteral("SellD_click"), index, Effect::Reads,
                         [this, index] { driveChoice_->useTemporaryDrive(index); });
    });
    connect(listView_.get(), &controls::ListViewPanel::listStateClicked, this, [this] {
        if (listView_->listState()->text() == QStringLiteral("Update X-Files"))
            router_->command(QStringLiteral("Label4_Click"), 0, Effect::Reads,
                             [this] { driveChoice_->openOldFiles(); });
    });
    connect(discAdmin_.get(), &discadmin::DiscAdminPanel::goToClicked, this, [this] {
        router_->command(QStringLiteral("OpenFile_Click"), 0, Effect::Reads,
                         [this] { goTo_->goTo(); });
    });
}

void MainWindow::createSearch() {
    findHistory_ = std::make_unique<search::FindHistory>();
    find_->showHistory(*findHistory_);
    finding_ = std::make_unique<search::FindController>(*find_, *findHistory_, *arrays_.gCom,
                                                        *arrays_.fCom, context());
    connect(finding_.get(), &search::FindController::globalSearchWanted, this,
            [this] { router_->run(controls::FCom::FindGlobal); });
    reporting_ = std::make_unique<reports::ReportController>(
        *reports_, context(), [this] { return find_->findBox()->currentText(); });
    extsets::ExtSetsController::Surroundings around;
    around.launchEntries = [this] {
        QStringList entries;
        for (int i = 0; i < browser_->launchList()->count(); ++i)
            entries << browser_->launchList()->item(i)->text();
        return entries;
    };
    around.subfolderRows = [this] {
        int rows = 0;
        std::error_code ec;
        for (const auto& entry :
             std::filesystem::directory_iterator(browser_->folders()->path(), ec))
            rows += entry.is_directory(ec) ? 1 : 0;
        return rows;
    };
    around.showChangeNotice = [this](bool on) { discs_->changeNotice()->setVisible(on); };
    extensionList_ = std::make_unique<extsets::ExtensionList>();
    extensionSets_ = std::make_unique<extsets::SetBox>();
    discSelections_ = std::make_unique<extsets::Selections>();
    search_->extensions().showModels(*extensionList_, *extensionSets_, *discSelections_);
    extensions_ = std::make_unique<extsets::ExtSetsController>(
        search_->extensions(),
        extsets::ExtSetsController::Lists{*extensionList_, *extensionSets_, *discSelections_},
        search_->discs(), context(), std::move(around));
    auto* searchDiscs = new controls::ListAdapter(
        *discIndex_, [this]() -> const QStringList& { return discIndex_->names(); },
        search_->discs());
    search::SearchController::Parts parts{*search_,     *find_,      *finding_,   *arrays_.gCom,
                                          *extensions_, *reporting_, *searchDiscs};
    searching_ = std::make_unique<search::SearchController>(std::move(parts), context());
    connect(discIndex_.get(), &catalogue::DiscIndex::changed, searching_.get(),
            &search::SearchController::discsChanged);
}

void MainWindow::routeSearch(CommandRouter& r) {
    using controls::LoadReportCom;
    // A search writes the find history and its report; while it runs, its start command is its
    // "STOP" and must get through.
    const auto searchRuns = [this] { return searching_->running(); };
    r.routeChange(GCom::FindGlobal, [this] { searching_->findGlobal(); });
    r.harmlessWhile(GCom::FindGlobal, searchRuns);
    r.routeChange(controls::FCom::FindGlobal, [this] {
        searching_->findGlobal();
        find_->closeMenu();
    });
    r.harmlessWhile(controls::FCom::FindGlobal, searchRuns);
    r.route(GCom::Report, [this] { reporting_->showPanel(); });
    r.route(GCom::SaveReport, [this] { reporting_->save(); });
    r.route(GCom::LoadReport, [this] { reporting_->chooseReports(); });
    r.route(LoadReportCom::Load, [this] { reporting_->loadChosen(); });
    r.route(LoadReportCom::Close, [this] { reporting_->closeLoadBox(); });
    r.route(SoekCom::CancelSearch, [this] { searching_->cancel(); });
    r.routeChange(SoekCom::Start, [this] { searching_->start(); });
    r.harmlessWhile(SoekCom::Start, searchRuns);
    r.route(SoekCom::SelectAll, [this] { extensions_->selectAllDiscs(true); });
    r.route(SoekCom::SelectNone, [this] { extensions_->selectAllDiscs(false); });
    r.routeChange(SoekCom::RememberSelection, [this] { extensions_->rememberSelection(); });
    r.routeChange(SoekCom::AddExtension, [this] { extensions_->addExtension(); });
    r.route(SoekCom::SearchExtension, [this] { extensions_->searchExtensions(); });
    r.routeChange(SoekCom::SaveList, [this] { extensions_->saveList(); });
    r.routeChange(SoekCom::ClearList, [this] { extensions_->clearList(); });
    r.routeChange(SoekCom::DeleteSelected, [this] { extensions_->deleteSelected(); });
    r.routeChange(SoekCom::DeleteSelection, [this] { extensions_->deleteSelection(); });
    // These two have no action of their own; Enter on them still starts the search.
    r.route(SoekCom::SetSelection, [] {});
    r.route(SoekCom::Category, [] {});
}

void MainWindow::routeDiscAdmin(CommandRouter& r) {
    r.routeChange(SSPanel1::Rename, [this] { discCommands_->rename(); });
    r.routeChange(SSPanel1::DeleteDisc, [this] { discCommands_->deleteDisc(); });
    r.routeChange(SSPanel1::ClearFindHistory, [this] { discCommands_->clearFindHistory(); });
    r.route(SSPanel1::DeleteMany, [this] { discCommands_->openDeleteMany(); });
    r.route(SSPanel1::CloseDeleteMany, [this] { discCommands_->closeDeleteMany(); });
    r.routeChange(SSPanel1::DeleteSelectedDiscs, [this] { discCommands_->deleteSelectedDiscs(); });
    r.route(WCom::Continue, [this] { driveChoice_->storeDrive(); });
    r.route(WCom::Fix, [this] { driveChoice_->closeDrivePanel(); });
    r.routeChange(controls::XCom::Go, [this] { driveChoice_->updateOldFiles(); });
    r.route(controls::XCom::Close, [this] { driveChoice_->closeOldFiles(); });
}

void MainWindow::routeCommands() {
    router_ = std::make_unique<CommandRouter>(*this);
    for (CommandArray* array : {arrays_.gCom, arrays_.ssPanel1, arrays_.fCom, arrays_.soekCom,
                                arrays_.wCom, arrays_.xCom, arrays_.soCCom, arrays_.loadReportCom})
        router_->attach(*array);
    CommandRouter& r = *router_;
    r.route(GCom::SearchHelp,
            [this] { find_->toggleSearchHelp(listView_->view()->mapTo(this, QPoint(20, 20))); });
    r.route(GCom::RefreshDriveInfo, [this] { browsing_->refreshDriveInfo(); });
    r.route(GCom::SetDrive, [this] { driveChoice_->openDrivePanel(); });
    r.routeChange(GCom::Create, [this] { cataloguing_->create(); });
    r.route(GCom::ListViewSwitch, [this] { listView_->toggleEditable(); });
    r.route(GCom::CloseFindMenu, [this] { find_->closeMenu(); });
    r.route(GCom::FindFirst, [this] { finding_->findFirst(); });
    r.route(GCom::FindNext, [this] { finding_->findNext(); });
    r.route(controls::FCom::FindFirst, [this] {
        finding_->findFirst();
        find_->closeMenu();
    });
    r.route(controls::FCom::FindNext, [this] {
        finding_->findNext();
        find_->closeMenu();
    });
    r.route(SSPanel1::Open, [this] { opener_->open(); });
    // "-F2" is a reminder of the key; a click does what the key does.
    r.route(SSPanel1::FindBox, [this] { find_->findBox()->setFocus(); });
    r.routeChange(SoekCom::DataPath, [this] { showDataPathDialog(); });
    r.route(WCom::Cancel, [this] { driveChoice_->closeDrivePanel(); });
    routeDiscAdmin(r);
    routeSearch(r);
    using controls::SoCCom;
    r.route(SoCCom::New, [this] { linking_->newLink(); });
    r.routeChange(SoCCom::Edited, [this] { linking_->edited(); });
    r.routeChange(SoCCom::Delete, [this] { linking_->remove(); });
    r.route(SoCCom::Ok, [this] { linking_->close(); });
    r.routeChange(SoCCom::Select, [this] { linking_->select(); });
    r.disableUnrouted();
    r.onSuccess([this] { message_->closeStaleNotice(); });
}

void MainWindow::reportLoadStep(int step, const QString& description, int number) {
    const QChar lb = workspace::Workspace::LineBreak;
    dialogs_.message({},
                     QStringLiteral("form load: ") + QString::number(step) + lb + lb +
                         QDir::currentPath() + lb + QString::number(number) + " / " + description,
                     common::ui::Buttons::Ok, common::ui::Icon::None);
}

void MainWindow::showTemporaryDrives() {
    std::optional<common::Error> failure;
    for (int i = 0; i < discadmin::DrivePanel::TemporaryDrives; ++i) {
        try {
            drives_->setTemporaryDrive(i, workspace::Workspace::temporaryDrive(i));
        } catch (const common::Error& e) {
            drives_->setTemporaryDrive(i, QString(QChar(char16_t('H' + i)))); // the defaults
            failure = e;
        }
    }
    if (failure)
        reportLoadStep(1, QString::fromStdString(failure->description()), failure->number());
}

void MainWindow::pointBrowserAt(const QStringList& arguments) {
    // The command line is nothing or a drive letter for the browser.
    const QString drive = arguments.join(' ').trimmed();
    try {
        browsing_->pointAt(drive.isEmpty() ? QStringLiteral("c") : drive);
    } catch (const common::Error& e) {
        reportLoadStep(2, QString::fromStdString(e.description()), e.number());
    }
}

void MainWindow::load(const QStringList& arguments) {
    showTemporaryDrives();
    if (const auto& failure = workspace_.drives().settingsFailure())
        reportLoadStep(1, QString::fromStdString(failure->description()), failure->number());
    listView_->view()->raise();
    yield_.setLevel(common::ui::YieldPoint::Normal);
    const QString startFolder = QDir::currentPath();
    pointBrowserAt(arguments);
    workspace_.automatic = true;
    arrays_.mAo->element(controls::MAo::Automatic)->setChecked(true);
    runLoadSteps(startFolder);
    tidyUp();
    discs_->setName({});
    find_->findBox()->setEditText({});
    if (workspace_.defaultDrive().isEmpty())
        warning_->start();
    show();
    find_->findBox()->setFocus();
}

void MainWindow::tidyUp() {
    // Work files of rewrites that a killed program left behind, and the shipped help text.
    catalogue::Catalogue(workspace_.dataFolder(), workspace_.programFolder()).removeLeftOvers();
    try {
        launch::AssociationHelp::installWhenMissing(workspace_.programFolder());
    } catch (const common::Error&) {
        // Without it the association panel shows an empty help box, nothing else.
    }
}

void MainWindow::runLoadSteps(const QString& startFolder) {
    struct Step {
        int number;
        std::function<void()> work;
    };
    const Step steps[] = {
        {3,
         [&] {
             QDir::setCurrent(startFolder);
             listView_->rememberStatusColour();
             workspace_.namingState = workspace::NamingState::NeedsName;
             workspace_.locateFolders(startFolder.toStdString());
         }},
        {4, [&] { associationTable_->prepare(workspace_.dataFolder()); }},
        {6, [&] { workspace_.writeStartMarker(); }},
        {7,
         [&] {
             discIndex_->moveTo(
                 catalogue::Catalogue(workspace_.dataFolder(), workspace_.programFolder()));
             discIndex_->watchFile();
             yield_.at({common::ui::YieldPoint::Background, common::ui::YieldPoint::Normal});
         }},
        {8, [&] { associationTable_->loadLinks(workspace_.dataFolder()); }},
        {9, [&] { associationTable_->loadExtensions(workspace_.dataFolder()); }},
        {10, [&] { findHistory_->load(workspace_.dataFolder()); }},
        {11,
         [&] {
             workspace_.loadDefaultDrive();
             driveChoice_->showDefaultDrive();
         }},
    };
    // From here a failing step is reported by its number and the next step runs.
    for (const Step& step : steps) {
        try {
            step.work();
        } catch (const common::Error& e) {
            reportLoadStep(step.number, QString::fromStdString(e.description()), e.number());
        } catch (const std::exception& e) {
            reportLoadStep(step.number, QString::fromLocal8Bit(e.what()),
                           common::ErrorNumber::PathFileAccess);
        }
    }
}

int MainWindow::ask(const QString& heading, const QString& text, common::ui::Buttons buttons,
                    common::ui::Icon icon) {
    return message_->ask(heading, text, buttons, icon);
}

bool MainWindow::runChange(const QString& handler, int index, const std::function<void()>& work) {
    return router_->command(handler, index, Effect::ChangesCatalogue, work);
}

void MainWindow::reportError(const QString& handler, int index, int number,
                             const QString& description) {
    dialogs_.message({}, errorText(handler, index, number, description), common::ui::Buttons::Ok,
                     common::ui::Icon::None);
}

void MainWindow::wagter(discadmin::DrivePanel::DriveChosen next) {
    if (!exited_)
        drives_->awaitDriveChoice(std::move(next));
}

void MainWindow::showDataPathDialog() {
    DataPathDialog dialog(workspace_, this);
    dialog.exec();
    // The catalogue shown is always the one that changes act on: the new folder's.
    if (discIndex_->files().dataFolder() != workspace_.dataFolder())
        discIndex_->moveTo(
            catalogue::Catalogue(workspace_.dataFolder(), workspace_.programFolder()));
}

void MainWindow::startSplitter() {
    const QString name = discs_->name();
    const QString argument = QString::fromStdString(workspace_.dataFolder().string()) + name +
                             QStringLiteral(".rtf,") + name.trimmed();
    const QString program = common::ProgramFolder::siblingProgram(common::ProgramFolder::Splitter);
    if (!common::ProcessStarter::startDetached(program, {argument}))
        throw common::Error(common::ErrorNumber::FileNotFound,
                            program.toStdString() + ": could not be started");
    yield_.at({common::ui::YieldPoint::Background});
}

void MainWindow::exitSteps() {
    if (exited_)
        return;
    exited_ = true;
    message_->cancelAll();
    searching_->stop();
    drives_->dropDriveWait();
    workspace_.exit();
    try {
        findHistory_->save();
    } catch (const common::Error&) {
        // The window is closing: nobody is left to tell, and the old history stays whole.
    }
}

void MainWindow::closeEvent(QCloseEvent* event) {
    exitSteps();
    QWidget::closeEvent(event);
}

bool MainWindow::handleKey(QObject* watched, QEvent* event) {
    // F2 and F5 belong to the window before any control sees them.
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType() ||
        static_cast<QWidget*>(watched)->window() != this)
        return false;
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Escape)
        return message_->escape() || controls::FloatingPanel::escapeIn(this);
    if (key == Qt::Key_F2)
        find_->findBox()->setFocus();
    else if (key == Qt::Key_F5)
        discs_->box()->setFocus();
    else
        return false;
    return true;
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    // The help line follows the pointer: any control that carries a help text shows it.
    if (event->type() == QEvent::Enter && watched->isWidgetType()) {
        const QVariant help = watched->property(CommandArray::HelpProperty);
        if (help.isValid() && static_cast<QWidget*>(watched)->window() == this)
            help_->setText(help.toString());
    }
    if (watched == splitter_ && event->type() == QEvent::MouseButtonRelease) {
        router_->command(QStringLiteral("Splitter_Click"), 0, Effect::Reads,
                         [this] { startSplitter(); });
        return true;
    }
    if (handleKey(watched, event))
        return true;
    return QWidget::eventFilter(watched, event);
}

} // namespace dravik::window
