// The areas of the main window: which panel sits where, and the command column with its
// captions and help texts. The feature panels build their own controls.
#include "dravik/catalogue/browser_panel.h"
#include "dravik/catalogue/disc_panel.h"
#include "dravik/controls/command_array.h"
#include "dravik/controls/command_index.h"
#include "dravik/controls/control_tag.h"
#include "dravik/controls/list_view_panel.h"
#include "dravik/discadmin/disc_admin_panel.h"
#include "dravik/discadmin/drive_panel.h"
#include "dravik/search/find_panel.h"
#include "dravik/window/drive_warning.h"
#include "dravik/window/main_window.h"
#include "dravik/window/message_panel.h"
#include "dravik/window/priority_panel.h"

#include <QFrame>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScreen>
#include <QScrollArea>
#include <QVBoxLayout>

namespace dravik::window {

using controls::CommandArray;
using controls::GCom;
using controls::SSPanel1;

namespace {

// A command of the command column: its array, index, caption, help text and grid cell.
struct Command {
    bool disc; // an `SSPanel1` element, else a `GCom` one
    int index;
    const char* caption;
    const char* help;
    int row;
    int column;
};

const char* const FromStart = "Internal-Starts from the beginning of the list";

const Command Commands[] = {
    {false, int(GCom::RefreshDriveInfo), "Refresh Drive Info",
     "Rfresh disc info. Make sure it is the correct disc in the drive!", 0, 0},
    {false, int(GCom::SetDrive), "Set CD/DVD",
     "Done only once, unless a new Source drive is selected", 0, 1},
    {false, int(GCom::Report), "Report", FromStart, 1, 0},
    {false, int(GCom::ListViewSwitch), "ER", FromStart, 1, 1},
    {true, int(SSPanel1::DeleteDisc), "Delete Disc", "DELETE selected disc", 2, 0},
    {true, int(SSPanel1::DeleteMany), "Delete Many Discs", "DELETE multiple discs", 2, 1},
    {false, int(GCom::FindFirst), "Find-F3", FromStart, 4, 0},
    {false, int(GCom::FindNext), "Find Next-F4", "Internal-Find the next item", 4, 1},
    {false, int(GCom::FindGlobal), "Find Global", "External-Find in all the disc something...", 5,
     0},
    {false, int(GCom::SearchHelp), "SHelp", "&H0000FF00&", 5, 1},
};

} // namespace

namespace {

// Panels that act like buttons look and react like things to click.
const char* const PanelStyle =
    "QPushButton[panel=\"true\"] { border: 1px solid #8a8a8a; border-radius: 2px;"
    " padding: 3px 8px; background: palette(button); }"
    "QPushButton[panel=\"true\"]:hover { background: #dce8fb; border-color: #3d6fb4; }"
    "QPushButton[panel=\"true\"]:pressed { background: #b9cff2; }"
    "QPushButton[panel=\"true\"]:disabled { color: palette(mid); border-color: #c4c4c4; }"
    "QLabel#Splitter:hover { background: #dce8fb; }";

} // namespace

void MainWindow::buildLayout() {
    setStyleSheet(QString::fromLatin1(PanelStyle));
    // The areas lie on a page that scrolls when the window is smaller than the page can shrink
    // to, so controls never overlap; the floating panels stay children of the window itself.
    auto* page = new QWidget;
    help_ = controls::sunkenLabel(page, "hP");
    help_->setMinimumHeight(22);
    auto* areas = new QVBoxLayout(page);
    areas->setContentsMargins(6, 6, 6, 4);
    areas->addLayout(topRow());
    areas->addWidget(listView_->statusRow());
    areas->addLayout(middleRow(), 1);
    areas->addWidget(help_);
    auto* scroll = new QScrollArea(this);
    scroll->setObjectName(QStringLiteral("Page"));
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidget(page);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->addWidget(scroll);
    fitToScreen();

    // Panels over everything else.
    message_ = new MessagePanel(dialogs_, this);
    priority_ = new PriorityPanel(yield_, priorityLabel_, this);
    warning_ = new DriveWarning(drives_->warning(), yield_, this);
}

void MainWindow::fitToScreen() {
    const QSize wanted(1280, 800);
    const QScreen* screen = QGuiApplication::primaryScreen();
    resize(screen ? wanted.boundedTo(screen->availableGeometry().size()) : wanted);
}

QHBoxLayout* MainWindow::topRow() {
    auto* row = new QHBoxLayout;
    row->addWidget(discs_->bar(), 3);
    row->addSpacing(12);
    row->addWidget(find_->bar(), 2);
    return row;
}

QHBoxLayout* MainWindow::middleRow() {
    auto* row = new QHBoxLayout;
    browser_->column()->setFixedWidth(250);
    row->addWidget(browser_->column());
    row->addWidget(listView_->view(), 1);
    row->addWidget(rightColumn());
    return row;
}

QWidget* MainWindow::rightColumn() {
    auto* host = new QWidget(this);
    host->setFixedWidth(300);
    auto* column = new QVBoxLayout(host);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(drives_->driveRow());
    // The blinking warning keeps its room, so nothing below it moves.
    QSizePolicy keep = drives_->warning()->sizePolicy();
    keep.setRetainSizeWhenHidden(true);
    drives_->warning()->setSizePolicy(keep);
    column->addWidget(drives_->warning());
    column->addLayout(commandGrid());
    column->addLayout(optionRow());
    column->addWidget(discs_->changeNotice());
    column->addStretch();
    return host;
}

QGridLayout* MainWindow::commandGrid() {
    auto* grid = new QGridLayout;
    for (const Command& c : Commands) {
        CommandArray* array = c.disc ? arrays_.ssPanel1 : arrays_.gCom;
        grid->addWidget(
            array->add(c.index, QString::fromLatin1(c.caption), QString::fromLatin1(c.help), this),
            c.row, c.column);
    }
    grid->addWidget(drives_->fixCommand(), 3, 0);
    splitter_ = controls::raisedLabel(this, "Splitter", QStringLiteral("Splitter"));
    splitter_->setToolTip(QStringLiteral("Split current disc in seperate files"));
    splitter_->installEventFilter(this);
    grid->addWidget(splitter_, 3, 1);
    grid->addWidget(discAdmin_->goTo(), 6, 0);
    return grid;
}

QHBoxLayout* MainWindow::optionRow() {
    auto* row = new QHBoxLayout;
    row->addWidget(arrays_.mAo->add(
        controls::MAo::Manual, QStringLiteral("Man"),
        QStringLiteral("Let the user decide what he/she wants to happen in the program"), this,
        QStringLiteral("User has options")));
    row->addWidget(arrays_.mAo->add(controls::MAo::Automatic, QStringLiteral("Aut"),
                                    QStringLiteral("Program choose certain options automatically"),
                                    this, QStringLiteral("Program choose certain options")));
    arrays_.mAo->element(controls::MAo::Automatic)->setChecked(true);
    priorityLabel_ = controls::sunkenLabel(this, "Prio");
    row->addWidget(priorityLabel_);
    row->addStretch();
    return row;
}

} // namespace dravik::window
