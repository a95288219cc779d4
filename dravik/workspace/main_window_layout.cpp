#include "common/ui/drive_list_box.h"
#include "common/ui/file_list_box.h"
#include "common/ui/folder_list_box.h"
#include "dravik/controls/command_array.h"
#include "dravik/controls/x_command_lup.h"
#include "dravik/workspace/drive_warning.h"
#include "dravik/workspace/main_window.h"
#include "dravik/workspace/message_panel.h"
#include "dravik/workspace/priority_panel.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QVBoxLayout>

// The layout of the main window: which control sits in which area. Handlers find the controls
// through MainControls.
namespace dravik::workspace {

namespace {

using controls::CommandArray;

QLabel* label(QWidget* parent, const char* name, const QString& text = {}) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(QString::fromLatin1(name));
    return l;
}

QLabel* panel(QWidget* parent, const char* name, const QString& text = {}) {
    QLabel* l = label(parent, name, text);
    l->setFrameShape(QFrame::Panel);
    l->setFrameShadow(QFrame::Sunken);
    l->setMargin(2);
    return l;
}

QLabel* overlay(QWidget* parent, const char* name, const QString& text) {
    QLabel* l = label(parent, name, text);
    l->setAlignment(Qt::AlignCenter);
    l->setStyleSheet(QStringLiteral("background:#203060;color:white;font-weight:bold;"
                                    "border:2px outset #8090c0;padding:12px"));
    l->setFixedSize(320, 70);
    l->hide();
    return l;
}

// A raised frame floating over the window, hidden until its command shows it.
QFrame* floating(QWidget* parent, const char* name, const QString& heading) {
    auto* f = new QFrame(parent);
    f->setObjectName(QString::fromLatin1(name));
    f->setFrameShape(QFrame::Panel);
    f->setFrameShadow(QFrame::Raised);
    f->setAutoFillBackground(true);
    auto* layout = new QVBoxLayout(f);
    if (!heading.isEmpty()) {
        auto* title = new QLabel(heading, f);
        title->setStyleSheet(QStringLiteral("background:#1f3f7f;color:white;font-weight:bold;"
                                            "padding:3px"));
        layout->addWidget(title);
    }
    f->hide();
    return f;
}

QComboBox* editableBox(QWidget* parent, const char* name, const QString& accessible) {
    auto* box = new QComboBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setAccessibleName(accessible);
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    return box;
}

template <typename T> T* named(T* widget, const char* name, const QString& accessible = {}) {
    widget->setObjectName(QString::fromLatin1(name));
    if (!accessible.isEmpty())
        widget->setAccessibleName(accessible);
    return widget;
}

} // namespace

void MainWindow::build() {
    resize(1280, 800);
    c_.GCom = new CommandArray(QStringLiteral("GCom"), CommandArray::Look::Panel, this);
    c_.SSPanel1 = new CommandArray(QStringLiteral("SSPanel1"), CommandArray::Look::Panel, this);
    c_.FCom = new CommandArray(QStringLiteral("FCom"), CommandArray::Look::Button, this);
    c_.SoekCom = new CommandArray(QStringLiteral("SoekCom"), CommandArray::Look::Button, this);
    c_.WCom = new CommandArray(QStringLiteral("WCom"), CommandArray::Look::Panel, this);
    c_.XCom = new CommandArray(QStringLiteral("XCom"), CommandArray::Look::Panel, this);
    const QString fromStart = QStringLiteral("Internal-Starts from the beginning of the list");

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(6, 6, 6, 4);

    // Disc box with its commands; find box with its commands.
    auto* top = new QHBoxLayout;
    c_.discBar = new QHBoxLayout;
    c_.TeX = editableBox(this, "TeX", QStringLiteral("Disc name"));
    c_.TeX->setMinimumWidth(240);
    c_.TeX->setProperty(CommandArray::HelpProperty,
                        QStringLiteral("Type the name of the disc to get data from and enter."));
    c_.DTel = panel(this, "DTel");
    c_.DTel->setMinimumWidth(70);
    c_.DTel->setProperty(CommandArray::HelpProperty,
                         QStringLiteral("How many discs are in the list?"));
    c_.NDc = named(new controls::XCommandLUP(this), "NDc");
    c_.NDc->setCaption(QStringLiteral(">>"));
    c_.NDc->setToolTipText(QStringLiteral("NextDisc"));
    c_.discBar->addWidget(c_.TeX, 1);
    c_.discBar->addWidget(c_.DTel);
    c_.discBar->addWidget(c_.NDc);
    c_.discBar->addWidget(
        c_.SSPanel1->add(2, QStringLiteral("OPEN"), QStringLiteral("Open Selected disc"), this));
    c_.discBar->addWidget(c_.SSPanel1->add(
        1, QStringLiteral("F5"),
        QStringLiteral("Press F5 to setfocus on the list/ Click to RENAME current disc"), this));
    c_.discBar->addWidget(c_.GCom->add(7, QStringLiteral("CREATE"), {}, this));
    c_.findBar = new QHBoxLayout;
    c_.FTex = editableBox(this, "FTex", QStringLiteral("Find text"));
    c_.FTex->setMinimumWidth(200);
    c_.findBar->addWidget(c_.SSPanel1->add(
        0, QStringLiteral("-F2"), QStringLiteral("Press F2 to activate search text box"), this,
        QStringLiteral("Press F2 to activate search text box")));
    c_.findBar->addWidget(c_.FTex, 1);
    c_.findBar->addWidget(c_.SSPanel1->add(4, QStringLiteral("DEL"),
                                           QStringLiteral("Delete ALL search entries"), this));
    top->addLayout(c_.discBar, 3);
    top->addSpacing(12);
    top->addLayout(c_.findBar, 2);
    outer->addLayout(top);

    // Status row: list state, status, counts of the last cataloguing.
    c_.statusRow = new QHBoxLayout;
    c_.Label4 = panel(this, "Label4", QStringLiteral("Update X-Files"));
    c_.LaB = panel(this, "LaB");
    c_.LaB->setAutoFillBackground(true);
    c_.LaB->setMinimumWidth(260);
    c_.FileLab = panel(this, "FileLab");
    c_.FileLab->setMinimumWidth(70);
    c_.DirLab = panel(this, "DirLab");
    c_.DirLab->setMinimumWidth(60);
    c_.statusRow->addWidget(c_.Label4);
    c_.statusRow->addWidget(c_.LaB, 1);
    c_.statusRow->addWidget(new QLabel(QStringLiteral("Files:"), this));
    c_.statusRow->addWidget(c_.FileLab);
    c_.statusRow->addWidget(new QLabel(QStringLiteral("Folders:"), this));
    c_.statusRow->addWidget(c_.DirLab);
    outer->addLayout(c_.statusRow);

    // Browser | list view | commands.
    auto* middle = new QHBoxLayout;
    c_.leftColumn = new QVBoxLayout;
    c_.leftColumn->setContentsMargins(0, 0, 0, 0);
    c_.Drive1 = named(new common::ui::DriveListBox(workspace_.drives(), this), "Drive1");
    c_.Dir1 = named(new common::ui::FolderListBox(this), "Dir1");
    c_.File1 = named(new common::ui::FileListBox(this), "File1");
    c_.File1->hide();
    c_.FiL = named(new QListWidget(this), "FiL", QStringLiteral("Files of the folder"));
    c_.FiL->setProperty(CommandArray::HelpProperty,
                        QStringLiteral("DClick to run or open. RClick to set associations"));
    c_.leftColumn->addWidget(c_.Drive1);
    c_.leftColumn->addWidget(c_.Dir1, 1);
    c_.leftColumn->addWidget(c_.FiL, 1);
    auto* leftHost = new QWidget(this);
    leftHost->setLayout(c_.leftColumn);
    leftHost->setFixedWidth(250);
    middle->addWidget(leftHost);

    c_.RtB = named(new QPlainTextEdit(this), "RtB", QStringLiteral("Disc list"));
    c_.RtB->setReadOnly(true);
    c_.RtB->setLineWrapMode(QPlainTextEdit::NoWrap);
    c_.RtB->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    middle->addWidget(c_.RtB, 1);

    c_.rightColumn = new QVBoxLayout;
    c_.rightColumn->setContentsMargins(0, 0, 0, 0);
    auto* driveRow = new QHBoxLayout;
    c_.DefDrive = panel(this, "DefDrive");
    c_.DefDrive->setMinimumWidth(28);
    c_.DefDrive->setAlignment(Qt::AlignCenter);
    driveRow->addWidget(new QLabel(QStringLiteral("CD/DVD:"), this));
    driveRow->addWidget(c_.DefDrive);
    c_.SellD = new CommandArray(QStringLiteral("SellD"), CommandArray::Look::Panel, this);
    for (int i = 0; i < 4; ++i)
        driveRow->addWidget(c_.SellD->add(i, {}, {}, this));
    driveRow->addStretch();
    c_.rightColumn->addLayout(driveRow);
    c_.Warning = label(this, "Warning", QStringLiteral("Please set the CD/DVD drive (Set CD/DVD)"));
    c_.Warning->setStyleSheet(QStringLiteral("background:#c00000;color:yellow;font-weight:bold;"
                                             "padding:3px"));
    c_.Warning->setWordWrap(true);
    c_.Warning->hide();
    c_.rightColumn->addWidget(c_.Warning);
    auto* commands = new QGridLayout;
    commands->addWidget(c_.GCom->add(2, QStringLiteral("Find-F3"), fromStart, this), 4, 0);
    commands->addWidget(c_.GCom->add(3, QStringLiteral("Find Next-F4"),
                                     QStringLiteral("Internal-Find the next item"), this),
                        4, 1);
    commands->addWidget(c_.GCom->add(4, QStringLiteral("Find Global"),
                                     QStringLiteral("External-Find in all the disc something..."),
                                     this),
                        5, 0);
    commands->addWidget(
        c_.GCom->add(1, QStringLiteral("SHelp"), QStringLiteral("&H0000FF00&"), this), 5, 1);
    commands->addWidget(
        c_.GCom->add(5, QStringLiteral("Refresh Drive Info"),
                     QStringLiteral("Rfresh disc info. Make sure it is the correct disc in the "
                                    "drive!"),
                     this),
        0, 0);
    commands->addWidget(
        c_.GCom->add(6, QStringLiteral("Set CD/DVD"),
                     QStringLiteral("Done only once, unless a new Source drive is selected"), this),
        0, 1);
    commands->addWidget(c_.GCom->add(10, QStringLiteral("Report"), fromStart, this), 1, 0);
    commands->addWidget(c_.GCom->add(11, QStringLiteral("ER"), fromStart, this), 1, 1);
    commands->addWidget(c_.SSPanel1->add(3, QStringLiteral("Delete Disc"),
                                         QStringLiteral("DELETE selected disc"), this),
                        2, 0);
    commands->addWidget(c_.SSPanel1->add(5, QStringLiteral("Delete Many Discs"),
                                         QStringLiteral("DELETE multiple discs"), this),
                        2, 1);
    commands->addWidget(
        c_.WCom->add(2, QStringLiteral("FiX"),
                     QStringLiteral("Set a NEW Drive? FiX the OLD drive info with the NEW !   "
                                    "(Within ALL the current Disc Files)"),
                     this, QStringLiteral("Fix Set CD/DvD Info")),
        3, 0);
    c_.Splitter = label(this, "Splitter", QStringLiteral("Splitter"));
    c_.Splitter->setToolTip(QStringLiteral("Split current disc in seperate files"));
    c_.Splitter->setFrameShape(QFrame::Panel);
    c_.Splitter->setFrameShadow(QFrame::Raised);
    c_.Splitter->setAlignment(Qt::AlignCenter);
    c_.Splitter->setCursor(Qt::PointingHandCursor);
    commands->addWidget(c_.Splitter, 3, 1);
    c_.rightColumn->addLayout(commands);
    auto* options = new QHBoxLayout;
    c_.MAo = new CommandArray(QStringLiteral("MAo"), CommandArray::Look::Option, this);
    options->addWidget(c_.MAo->add(
        0, QStringLiteral("Man"),
        QStringLiteral("Let the user decide what he/she wants to happen in the program"), this,
        QStringLiteral("User has options")));
    options->addWidget(c_.MAo->add(1, QStringLiteral("Aut"),
                                   QStringLiteral("Program choose certain options automatically"),
                                   this, QStringLiteral("Program choose certain options")));
    c_.MAo->element(1)->setChecked(true);
    connect(c_.MAo, &CommandArray::clicked, this,
            [this](int index) { workspace_.automatic = index > 0; });
    c_.Prio = panel(this, "Prio");
    options->addWidget(c_.Prio);
    options->addStretch();
    c_.rightColumn->addLayout(options);
    c_.NewDisc = named(new QFrame(this), "NewDisc");
    c_.NewDisc->setStyleSheet(QStringLiteral("QFrame#NewDisc{background:#ffff80;border:1px solid "
                                             "#a0a000}"));
    c_.NewDisc->setCursor(Qt::PointingHandCursor);
    auto* notice = new QVBoxLayout(c_.NewDisc);
    notice->addWidget(new QLabel(QStringLiteral("List have CHANGED ! !"), c_.NewDisc));
    notice->addWidget(new QLabel(QStringLiteral("Click Me"), c_.NewDisc));
    c_.NewDisc->hide();
    c_.rightColumn->addWidget(c_.NewDisc);
    c_.rightColumn->addStretch();
    auto* rightHost = new QWidget(this);
    rightHost->setLayout(c_.rightColumn);
    rightHost->setFixedWidth(300);
    middle->addWidget(rightHost);
    outer->addLayout(middle, 1);

    c_.hP = panel(this, "hP");
    c_.hP->setMinimumHeight(22);
    outer->addWidget(c_.hP);

    // Lists the window keeps for other commands, never shown on their own.
    c_.SoCLys = named(new QListWidget(this), "SoCLys", QStringLiteral("Associations"));
    c_.SoCLys->hide();
    c_.EXLys = named(new QListWidget(this), "EXLys", QStringLiteral("Extensions"));
    c_.EXLys->hide();

    // Panels hidden at rest.
    c_.FindMenuPan = floating(this, "FindMenuPan", QStringLiteral("Find Menu"));
    auto* findMenu = static_cast<QVBoxLayout*>(c_.FindMenuPan->layout());
    const char* findCaptions[3] = {"Find-F3", "Find Next-F4", "Find Global"};
    for (int i = 0; i < 3; ++i)
        findMenu->addWidget(
            c_.FCom->add(i, QString::fromLatin1(findCaptions[i]), {}, c_.FindMenuPan));
    findMenu->addWidget(c_.GCom->add(15, QStringLiteral("X"), QStringLiteral("Close Find menu"),
                                     c_.FindMenuPan, QStringLiteral("Close Find menu")));

    c_.SHelp = floating(this, "SHelp", QStringLiteral("Search help"));
    c_.SHelpLab = label(c_.SHelp, "SHelpLab");
    c_.SHelp->layout()->addWidget(c_.SHelpLab);

    c_.DSoekPan = floating(this, "DSoekPan", QStringLiteral(" Select Discs to search in"));
    c_.SoekLys = named(new QListWidget(c_.DSoekPan), "SoekLys", QStringLiteral("Discs to search"));
    c_.SoekLys->setSelectionMode(QAbstractItemView::MultiSelection);
    c_.DSoekPan->layout()->addWidget(c_.SoekLys);
    auto* soekGrid = new QGridLayout;
    struct Soek {
        int index;
        const char* caption;
        const char* tooltip;
    };
    const Soek soek[] = {
        {0, "Cancel Search", ""}, {1, "Select ALL", ""},         {2, "Select NONE", ""},
        {3, "START", ""},         {4, "Remember Selection", ""}, {5, "SET Selection", ""},
        {6, "ADD Extention", ""}, {7, "Search Extention", ""},   {8, "Save List", ""},
        {9, "", "CLEAR List"},    {10, "", "DELETE Selected"},   {11, "", "Delete Selection"},
        {12, "Data Path", ""},    {13, "Category", ""}};
    int cell = 0;
    for (const Soek& s : soek) {
        QString caption = QString::fromLatin1(s.caption);
        if (caption.isEmpty())
            caption = s.index == 9    ? QStringLiteral("CLR")
                      : s.index == 10 ? QStringLiteral("DEL")
                                      : QStringLiteral("DEL SEL");
        soekGrid->addWidget(
            c_.SoekCom->add(s.index, caption, {}, c_.DSoekPan, QString::fromLatin1(s.tooltip)),
            cell / 4, cell % 4);
        ++cell;
    }
    static_cast<QVBoxLayout*>(c_.DSoekPan->layout())->addLayout(soekGrid);

    c_.ReportPan = floating(this, "ReportPan", QStringLiteral("Report"));
    c_.ReportPan->layout()->addWidget(
        c_.GCom->add(16, QStringLiteral("Load"), fromStart, c_.ReportPan));
    c_.ReportPan->layout()->addWidget(
        c_.GCom->add(17, QStringLiteral("Save"), fromStart, c_.ReportPan));
    c_.Dir3 = named(new common::ui::FolderListBox(c_.ReportPan), "Dir3");
    c_.Dir3->hide();
    c_.File4 = named(new common::ui::FileListBox(c_.ReportPan), "File4");
    c_.File4->setPattern(QStringLiteral("*.rtf"));
    c_.File4->hide();

    c_.ProgramPan = floating(this, "ProgramPan", QStringLiteral("Program to open the file with"));
    c_.Drive2 = named(new common::ui::DriveListBox(workspace_.drives(), c_.ProgramPan), "Drive2");
    c_.Dir2 = named(new common::ui::FolderListBox(c_.ProgramPan), "Dir2");
    c_.File2 = named(new common::ui::FileListBox(c_.ProgramPan), "File2");
    c_.File2->setPattern(QStringLiteral("*.exe;*.com;*.bat"));
    c_.File2->setIncludeExecutables(true);
    for (QWidget* w : {static_cast<QWidget*>(c_.Drive2), static_cast<QWidget*>(c_.Dir2),
                       static_cast<QWidget*>(c_.File2)})
        c_.ProgramPan->layout()->addWidget(w);

    c_.WDrive = floating(this, "WDrive", QStringLiteral("Which is the default CD/DVD drive?"));
    auto* driveGrid = new QGridLayout;
    c_.Label3 = label(c_.WDrive, "Label3");
    c_.Label3->setWordWrap(true);
    c_.Label3->setMinimumWidth(220);
    c_.SScLys = named(new QListWidget(c_.WDrive), "SScLys", QStringLiteral("Drive letters"));
    c_.SScLys->setFixedWidth(60);
    c_.Lab4 = label(c_.WDrive, "Lab4", QStringLiteral("Select"));
    driveGrid->addWidget(c_.Label3, 0, 0);
    driveGrid->addWidget(c_.SScLys, 0, 1, 2, 1);
    driveGrid->addWidget(c_.Lab4, 1, 0);
    auto* driveButtons = new QHBoxLayout;
    driveButtons->addWidget(c_.WCom->add(
        0, QStringLiteral("Continue"),
        QStringLiteral("Set the default CD/DVD drive. If not set the program will not work!"),
        c_.WDrive));
    driveButtons->addWidget(c_.WCom->add(1, QStringLiteral("Cancel"), {}, c_.WDrive));
    driveGrid->addLayout(driveButtons, 2, 0, 1, 2);
    static_cast<QVBoxLayout*>(c_.WDrive->layout())->addLayout(driveGrid);

    auto* deleteMany = floating(this, "DelManyPan", QStringLiteral("Delete Many Discs"));
    deleteMany->layout()->addWidget(
        c_.SSPanel1->add(6, QStringLiteral("X"), QStringLiteral("Close this box"), deleteMany));
    deleteMany->layout()->addWidget(c_.SSPanel1->add(
        7, QStringLiteral("DELETE SELECTED DISCS"),
        QStringLiteral("DELETE the selected discs and close this box"), deleteMany));

    c_.UpXFiles = floating(this, "UpXFiles", QStringLiteral("Update old files"));
    c_.UpXFiles->layout()->addWidget(c_.XCom->add(0, QStringLiteral("Go!"), {}, c_.UpXFiles));
    c_.UpXFiles->layout()->addWidget(c_.XCom->add(1, QStringLiteral("X"), {}, c_.UpXFiles));

    // Notices shown over the list view while something runs.
    c_.CrePan = overlay(this, "CrePan", QStringLiteral("CREATING. PLEASE Wait..."));
    c_.UpPan = overlay(this, "UpPan", QStringLiteral("Updating drive info..."));
    c_.Wag = overlay(this, "Wag", QStringLiteral("Busy Loading..."));

    // Panels over everything else.
    message_ = new MessagePanel(dialogs_, this);
    priority_ = new PriorityPanel(yield_, c_.Prio, this);
    warning_ = new DriveWarning(c_.Warning, yield_, this);
}

} // namespace dravik::workspace
