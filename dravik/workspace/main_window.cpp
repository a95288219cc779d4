#include "dravik/workspace/main_window.h"

#include "common/error.h"
#include "common/ui/drive_list_box.h"
#include "common/ui/folder_list_box.h"
#include "dravik/controls/command_array.h"
#include "dravik/workspace/data_path_dialog.h"
#include "dravik/workspace/drive_warning.h"
#include "dravik/workspace/message_panel.h"
#include "dravik/workspace/priority_panel.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QEventLoop>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include <functional>

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

} // namespace

MainWindow::MainWindow(common::ui::Dialogs& dialogs, common::DriveTable drives, QWidget* parent)
    : QWidget(parent), dialogs_(dialogs), workspace_(std::move(drives)) {
    setObjectName(QStringLiteral("Dravik"));
    setWindowTitle(QStringLiteral("Dravik 2016"));
    build();
    qApp->installEventFilter(this);
}

MainWindow::~MainWindow() {
    qApp->removeEventFilter(this);
}

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
    c_.discBar->addWidget(c_.TeX, 1);
    c_.discBar->addWidget(c_.DTel);
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

    // Panels over everything else.
    message_ = new MessagePanel(dialogs_, this);
    priority_ = new PriorityPanel(yield_, c_.Prio, this);
    warning_ = new DriveWarning(c_.Warning, yield_, this);
}

QVariant MainWindow::tag(const QObject* control) {
    return control->property("tag");
}

void MainWindow::setTag(QObject* control, const QVariant& value) {
    control->setProperty("tag", value);
}

void MainWindow::reportLoadStep(int step, const QString& description, int number) {
    const QChar lb = Workspace::LineBreak;
    dialogs_.message({},
                     QStringLiteral("form load: ") + QString::number(step) + lb + lb +
                         QDir::currentPath() + lb + QString::number(number) + " / " + description,
                     common::ui::Buttons::Ok, common::ui::Icon::None);
}

void MainWindow::pointBrowserAt(const QString& letter) {
    c_.Drive1->setDrive(letter);
    c_.Dir1->setPath(workspace_.drives().root(letter[0].toLatin1()));
}

void MainWindow::load(const QStringList& arguments) {
    // Temporary drive panels.
    for (int i = 0; i < 4; ++i)
        c_.SellD->element(i)->setText(Workspace::temporaryDrive(i));
    c_.RtB->raise();
    yield_.setLevel(common::ui::YieldPoint::Normal);
    const QString startFolder = QDir::currentPath();

    // The command line is nothing or a drive letter for the browser.
    const QString drive = arguments.isEmpty() ? QStringLiteral("c") : arguments.join(' ').trimmed();
    try {
        pointBrowserAt(drive.isEmpty() ? QStringLiteral("c") : drive);
    } catch (const common::Error& e) {
        reportLoadStep(2, QString::fromStdString(e.description()), e.number());
    }
    workspace_.automatic = true;
    c_.MAo->element(1)->setChecked(true);

    // From here a failing step is reported by its number and the next step runs.
    auto step = [this](int number, auto&& work) {
        try {
            work();
        } catch (const common::Error& e) {
            reportLoadStep(number, QString::fromStdString(e.description()), e.number());
        } catch (const std::exception& e) {
            reportLoadStep(number, QString::fromLocal8Bit(e.what()),
                           common::ErrorNumber::PathFileAccess);
        }
    };
    step(3, [&] {
        QDir::setCurrent(startFolder);
        workspace_.locateFolders(startFolder.toStdString());
        setTag(c_.LaB, c_.LaB->palette().color(QPalette::Window));
        workspace_.namingState = Workspace::NeedsName;
        setTag(c_.Lab4, QStringLiteral("0"));
    });
    step(4, [&] { workspace_.createAssociationData(); });
    step(6, [&] { workspace_.writeStartMarker(); });
    step(7, [&] {
        const QStringList discs = workspace_.loadDiscIndex();
        c_.TeX->addItems(discs);
        c_.DTel->setText(QString::number(c_.TeX->count()));
        yield_.at({common::ui::YieldPoint::Background, common::ui::YieldPoint::Normal});
    });
    step(8, [&] { c_.SoCLys->addItems(workspace_.loadAssociations()); });
    step(9, [&] { c_.EXLys->addItems(workspace_.loadExtensions()); });
    step(10, [&] {
        c_.FTex->addItems(workspace_.loadFindHistory());
        findHistoryLoaded_ = true;
    });
    step(11, [&] { c_.DefDrive->setText(workspace_.loadDefaultDrive()); });
    c_.TeX->setEditText({});
    c_.FTex->setEditText({});

    if (workspace_.defaultDrive().isEmpty())
        warning_->start();
    show();
    c_.FTex->setFocus();
}

void MainWindow::dravikCap(const QString& text) {
    setWindowTitle(QStringLiteral("Dravik [") + text + QStringLiteral(" ]"));
}

int MainWindow::msG(const QString& heading, bool yes, bool no, bool cancel, const QString& text,
                    int icon) {
    return message_->ask(heading, yes, no, cancel, text, icon);
}

void MainWindow::wagter() {
    setTag(c_.WDrive, QString());
    QEventLoop wait;
    const auto tagged = [this] { return !tag(c_.WDrive).toString().isEmpty(); };
    // The tag is a dynamic property: its change arrives as an event on the panel.
    struct TagWatch : QObject {
        QEventLoop* loop;
        std::function<bool()> done;
        bool eventFilter(QObject*, QEvent* event) override {
            if (event->type() == QEvent::DynamicPropertyChange && done())
                loop->quit();
            return false;
        }
    } watch;
    watch.loop = &wait;
    watch.done = tagged;
    c_.WDrive->installEventFilter(&watch);
    if (!tagged() && !exited_)
        wait.exec();
    c_.WDrive->removeEventFilter(&watch);
}

void MainWindow::showDataPathDialog() {
    DataPathDialog dialog(workspace_, this);
    dialog.exec();
}

void MainWindow::exitSteps() {
    if (exited_)
        return;
    exited_ = true;
    message_->cancelAll();
    setTag(c_.WDrive, QStringLiteral("exit")); // ends a waiting Wagter
    QStringList history;
    for (int i = 0; i < c_.FTex->count(); ++i)
        history << c_.FTex->itemText(i);
    // A history that could not be read is not overwritten with an empty one.
    workspace_.exit(findHistoryLoaded_ ? std::optional<QStringList>(history) : std::nullopt);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    exitSteps();
    QWidget::closeEvent(event);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    // The help line follows the pointer: any control that carries a help text shows it.
    if (event->type() == QEvent::Enter && watched->isWidgetType()) {
        const QVariant help = watched->property(controls::CommandArray::HelpProperty);
        if (help.isValid() && static_cast<QWidget*>(watched)->window() == this)
            c_.hP->setText(help.toString());
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace dravik::workspace
