#include "common/ui/drive_list_box.h"
#include "common/ui/folder_list_box.h"
#include "dravik/controls/command_array.h"
#include "dravik/controls/x_command_lup.h"
#include "dravik/workspace/drive_warning.h"
#include "dravik/workspace/main_window.h"
#include "dravik/workspace/message_panel.h"
#include "dravik/workspace/priority_panel.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QVBoxLayout>

// The layout of the main window: which control sits in which area. Handlers find the controls
// through MainControls.
namespace dravik::workspace {

namespace {

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

} // namespace

void MainWindow::build() {
    resize(1280, 800);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(6, 6, 6, 4);

    // Disc box and find box.
    auto* top = new QHBoxLayout;
    c_.discBar = new QHBoxLayout;
    c_.TeX = new QComboBox(this);
    c_.TeX->setObjectName(QStringLiteral("TeX"));
    c_.TeX->setAccessibleName(QStringLiteral("Disc name"));
    c_.TeX->setEditable(true);
    c_.TeX->setInsertPolicy(QComboBox::NoInsert);
    c_.TeX->setMinimumWidth(260);
    c_.TeX->setProperty(controls::CommandArray::HelpProperty,
                        QStringLiteral("Type the name of the disc to get data from and enter."));
    c_.DTel = panel(this, "DTel");
    c_.DTel->setMinimumWidth(70);
    c_.DTel->setProperty(controls::CommandArray::HelpProperty,
                         QStringLiteral("How many discs are in the list?"));
    c_.GCom = new controls::CommandArray(QStringLiteral("GCom"),
                                         controls::CommandArray::Look::Panel, this);
    c_.NDc = new controls::XCommandLUP(this);
    c_.NDc->setObjectName(QStringLiteral("NDc"));
    c_.NDc->setCaption(QStringLiteral(">>"));
    c_.NDc->setToolTipText(QStringLiteral("NextDisc"));
    c_.discBar->addWidget(c_.TeX, 1);
    c_.discBar->addWidget(c_.DTel);
    c_.discBar->addWidget(c_.NDc);
    c_.discBar->addWidget(c_.GCom->add(7, QStringLiteral("CREATE"), {}, this));
    c_.findBar = new QHBoxLayout;
    c_.FTex = new QComboBox(this);
    c_.FTex->setObjectName(QStringLiteral("FTex"));
    c_.FTex->setAccessibleName(QStringLiteral("Find text"));
    c_.FTex->setEditable(true);
    c_.FTex->setInsertPolicy(QComboBox::NoInsert);
    c_.FTex->setMinimumWidth(240);
    c_.findBar->addWidget(c_.FTex, 1);
    top->addLayout(c_.discBar, 3);
    top->addSpacing(16);
    top->addLayout(c_.findBar, 2);
    outer->addLayout(top);

    // Status row: list state, status, counts, drives.
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
    c_.statusRow->addWidget(c_.FileLab);
    c_.statusRow->addWidget(c_.DirLab);
    outer->addLayout(c_.statusRow);

    // Browsers | list view | commands.
    auto* middle = new QHBoxLayout;
    c_.leftColumn = new QVBoxLayout;
    c_.Drive1 = new common::ui::DriveListBox(workspace_.drives(), this);
    c_.Drive1->setObjectName(QStringLiteral("Drive1"));
    c_.Dir1 = new common::ui::FolderListBox(this);
    c_.Dir1->setObjectName(QStringLiteral("Dir1"));
    c_.leftColumn->addWidget(c_.Drive1);
    c_.leftColumn->addWidget(c_.Dir1, 1);
    auto* leftHost = new QWidget(this);
    leftHost->setLayout(c_.leftColumn);
    leftHost->setFixedWidth(250);
    c_.leftColumn->setContentsMargins(0, 0, 0, 0);
    middle->addWidget(leftHost);

    c_.RtB = new QPlainTextEdit(this);
    c_.RtB->setObjectName(QStringLiteral("RtB"));
    c_.RtB->setAccessibleName(QStringLiteral("Disc list"));
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
    c_.SellD = new controls::CommandArray(QStringLiteral("SellD"),
                                          controls::CommandArray::Look::Panel, this);
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
    auto* options = new QHBoxLayout;
    c_.MAo = new controls::CommandArray(QStringLiteral("MAo"), controls::CommandArray::Look::Option,
                                        this);
    options->addWidget(c_.MAo->add(
        0, QStringLiteral("Man"),
        QStringLiteral("Let the user decide what he/she wants to happen in the program"), this,
        QStringLiteral("User has options")));
    options->addWidget(c_.MAo->add(1, QStringLiteral("Aut"),
                                   QStringLiteral("Program choose certain options automatically"),
                                   this, QStringLiteral("Program choose certain options")));
    c_.MAo->element(1)->setChecked(true);
    connect(c_.MAo, &controls::CommandArray::clicked, this,
            [this](int index) { workspace_.automatic = index > 0; });
    c_.Prio = panel(this, "Prio");
    options->addWidget(c_.Prio);
    c_.Lab4 = label(this, "Lab4", QStringLiteral("Select"));
    options->addWidget(c_.Lab4);
    c_.rightColumn->addLayout(options);
    c_.NewDisc = new QFrame(this);
    c_.NewDisc->setObjectName(QStringLiteral("NewDisc"));
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
    rightHost->setFixedWidth(250);
    middle->addWidget(rightHost);
    outer->addLayout(middle, 1);

    c_.hP = panel(this, "hP");
    c_.hP->setMinimumHeight(22);
    outer->addWidget(c_.hP);

    // Lists the window keeps for other commands, never shown on their own.
    c_.SoCLys = new QListWidget(this);
    c_.SoCLys->setObjectName(QStringLiteral("SoCLys"));
    c_.SoCLys->setAccessibleName(QStringLiteral("Associations"));
    c_.SoCLys->hide();
    c_.EXLys = new QListWidget(this);
    c_.EXLys->setObjectName(QStringLiteral("EXLys"));
    c_.EXLys->setAccessibleName(QStringLiteral("Extensions"));
    c_.EXLys->hide();
    c_.WDrive = new QFrame(this);
    c_.WDrive->setObjectName(QStringLiteral("WDrive"));
    c_.WDrive->setFrameShape(QFrame::Panel);
    c_.WDrive->setAutoFillBackground(true);
    c_.WDrive->hide();

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
