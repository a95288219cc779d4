#include "dravik/workspace/command_router.h"

#include "common/error.h"
#include "common/process_starter.h"
#include "common/program_folder.h"
#include "common/settings_store.h"
#include "common/ui/drive_list_box.h"
#include "dravik/catalogue/browser_controller.h"
#include "dravik/catalogue/catalogue_controller.h"
#include "dravik/catalogue/disc_opener.h"
#include "dravik/controls/command_array.h"
#include "dravik/workspace/main_window.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>

namespace dravik::workspace {

using controls::CommandArray;

namespace {

// The indices each array routes today; the other elements are shown disabled.
const QList<int> RoutedGCom = {1, 5, 6, 7, 11, 15};
const QList<int> RoutedSSPanel1 = {2};
const QList<int> RoutedSoekCom = {12};
const QList<int> RoutedWCom = {1};

void enableOnly(CommandArray* array, const QList<int>& routed) {
    for (const int index : array->indices())
        array->element(index)->setEnabled(routed.contains(index));
}

} // namespace

CommandRouter::CommandRouter(MainWindow& window)
    : QObject(&window), window_(window), cataloguing_(new catalogue::CatalogueController(window)),
      opener_(new catalogue::DiscOpener(window)),
      browsers_(new catalogue::BrowserController(window)) {
    auto& c = window.controls();
    cataloguing_->setOpener([this] { opener_->open(); });
    connect(c.GCom, &CommandArray::clicked, this, &CommandRouter::gCom);
    connect(c.SSPanel1, &CommandArray::clicked, this, &CommandRouter::ssPanel1);
    connect(c.SoekCom, &CommandArray::clicked, this, &CommandRouter::soekCom);
    connect(c.WCom, &CommandArray::clicked, this, &CommandRouter::wCom);
    enableOnly(c.GCom, RoutedGCom);
    enableOnly(c.SSPanel1, RoutedSSPanel1);
    enableOnly(c.SoekCom, RoutedSoekCom);
    enableOnly(c.WCom, RoutedWCom);
    enableOnly(c.FCom, {});
    enableOnly(c.XCom, {});
    enableOnly(c.SellD, {});
    // Choosing a disc from the box's list opens it. The box also reports "activated" when its
    // text loses the focus, so only a choice made in the list counts.
    QAbstractItemView* list = c.TeX->view();
    discList_ = list;
    discListArea_ = list->viewport();
    discList_->installEventFilter(this);
    discListArea_->installEventFilter(this);
    connect(c.TeX, &QComboBox::activated, this, [this] {
        if (!choosing_)
            return;
        choosing_ = false;
        trap(QStringLiteral("TeX_Click"), 0, [this] { opener_->open(); });
    });
    c.Splitter->installEventFilter(this);
    qApp->installEventFilter(this);
}

template <typename Work> void CommandRouter::trap(const QString& handler, int index, Work work) {
    try {
        work();
    } catch (const common::Error& e) {
        window_.reportHandlerError(handler, index, e.number(),
                                   QString::fromStdString(e.description()));
    } catch (const std::exception& e) {
        window_.reportHandlerError(handler, index, common::ErrorNumber::PathFileAccess,
                                   QString::fromLocal8Bit(e.what()));
    }
}

void CommandRouter::gCom(int index) {
    trap(QStringLiteral("GCom_click"), index, [&] {
        switch (index) {
        case 1:
            searchHelp();
            break;
        case 5:
            refreshDriveInfo();
            break;
        case 6:
            setDefaultDrive();
            break;
        case 7:
            cataloguing_->create();
            break;
        case 11:
            switchListView();
            break;
        case 15:
            window_.controls().FindMenuPan->hide();
            break;
        default:
            break;
        }
    });
}

void CommandRouter::ssPanel1(int index) {
    trap(QStringLiteral("SSPanel1_Click"), index, [&] {
        if (index == 2)
            opener_->open();
    });
}

void CommandRouter::soekCom(int index) {
    trap(QStringLiteral("SoekCom_Click"), index, [&] {
        if (index == 12)
            window_.showDataPathDialog();
    });
}

void CommandRouter::wCom(int index) {
    trap(QStringLiteral("WCom_Click"), index, [&] {
        if (index == 1)
            window_.controls().WDrive->hide();
    });
}

QString CommandRouter::searchHelpText() {
    const QChar lb = Workspace::LineBreak;
    return QStringLiteral("A quick and simple way to add more than one word to search for:") + lb +
           QStringLiteral("Use the PIPE | comand (usually on the left of the backspace; Shift+\\") +
           lb + lb + QStringLiteral("       Example:") + lb +
           QStringLiteral("             kamera|camera|snap") + lb + lb +
           QStringLiteral("Remember the extention selection list.") + lb +
           QStringLiteral("===============") + lb + QStringLiteral("Extention list:") + lb +
           QStringLiteral("The length of the extention, with the dot is 4 chars");
}

QString CommandRouter::driveChoiceText() {
    const QChar lb = Workspace::LineBreak;
    return QStringLiteral("Select the letter from the list (on the right) to set ") +
           QStringLiteral("the default CD/DVD drive.") + lb + lb +
           QStringLiteral("This is done only once until you decide to set a new ") +
           QStringLiteral("drive letter.");
}

void CommandRouter::searchHelp() {
    auto& c = window_.controls();
    if (!c.SHelp->isHidden()) {
        c.SHelp->hide();
        c.SHelpLab->clear();
        return;
    }
    c.SHelpLab->setText(searchHelpText());
    c.SHelp->adjustSize();
    c.SHelp->move(c.RtB->geometry().topLeft() + QPoint(20, 20));
    c.SHelp->show();
    c.SHelp->raise();
}

void CommandRouter::refreshDriveInfo() {
    common::ui::DriveListBox* drives = window_.controls().Drive1;
    const QString drive = drives->drive();
    // Switching away and back makes the drive be read afresh.
    if (drives->letter() != 'C') {
        try {
            drives->setDrive(QStringLiteral("c"));
        } catch (const common::Error&) {
        }
        drives->setDrive(drive);
    } else {
        drives->refresh();
        drives->setDrive(drive);
    }
}

void CommandRouter::setDefaultDrive() {
    auto& c = window_.controls();
    c.SScLys->clear();
    for (char letter = 'D'; letter <= 'Z'; ++letter)
        c.SScLys->addItem(QString(QChar(letter)));
    c.Label3->setText(driveChoiceText());
    common::SettingsStore(QStringLiteral("DRAVIK 2016"))
        .setValue(QStringLiteral("Set Drive"), QStringLiteral("OLD Drive"),
                  window_.workspace().defaultDrive());
    c.WDrive->adjustSize();
    c.WDrive->move(c.RtB->geometry().center() - c.WDrive->rect().center());
    c.WDrive->show();
    c.WDrive->raise();
}

void CommandRouter::switchListView() {
    QPlainTextEdit* list = window_.controls().RtB;
    list->setReadOnly(!list->isReadOnly());
    list->setFocus();
}

void CommandRouter::startSplitter() {
    auto& c = window_.controls();
    const QString name = c.TeX->currentText();
    const QString argument = QString::fromStdString(window_.workspace().dataFolder().string()) +
                             name + QStringLiteral(".rtf,") + name.trimmed();
    const QString program = common::ProgramFolder::siblingProgram(QStringLiteral("splitter"));
    if (!common::ProcessStarter::startDetached(program, {argument}))
        throw common::Error(common::ErrorNumber::FileNotFound,
                            program.toStdString() + ": could not be started");
    window_.yieldPoint().at({common::ui::YieldPoint::Background});
}

bool CommandRouter::eventFilter(QObject* watched, QEvent* event) {
    if ((watched == discListArea_ && event->type() == QEvent::MouseButtonRelease) ||
        (watched == discList_ && event->type() == QEvent::KeyPress &&
         (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Return ||
          static_cast<QKeyEvent*>(event)->key() == Qt::Key_Enter)))
        choosing_ = true;
    if (watched == window_.controls().Splitter && event->type() == QEvent::MouseButtonRelease) {
        trap(QStringLiteral("Splitter_Click"), 0, [this] { startSplitter(); });
        return true;
    }
    // F2 and F5 belong to the window before any control sees them.
    if (event->type() == QEvent::KeyPress && watched->isWidgetType() &&
        static_cast<QWidget*>(watched)->window() == &window_) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_F2) {
            window_.controls().FTex->setFocus();
            return true;
        }
        if (key == Qt::Key_F5) {
            window_.controls().TeX->setFocus();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace dravik::workspace
