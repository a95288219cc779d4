#include "dravik/workspace/main_window.h"

#include "common/error.h"
#include "common/ui/drive_list_box.h"
#include "common/ui/folder_list_box.h"
#include "dravik/controls/command_array.h"
#include "dravik/workspace/command_router.h"
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

MainWindow::MainWindow(common::ui::Dialogs& dialogs, common::DriveTable drives, QWidget* parent)
    : QWidget(parent), dialogs_(dialogs), workspace_(std::move(drives)) {
    setObjectName(QStringLiteral("Dravik"));
    setWindowTitle(QStringLiteral("Dravik 2016"));
    build();
    router_ = new CommandRouter(*this);
    qApp->installEventFilter(this);
}

MainWindow::~MainWindow() {
    qApp->removeEventFilter(this);
}

void MainWindow::colour(QLabel* label, const QColor& back, const QColor& text) {
    QPalette p = label->palette();
    p.setColor(QPalette::Window, back);
    if (text.isValid())
        p.setColor(QPalette::WindowText, text);
    label->setAutoFillBackground(true);
    label->setPalette(p);
}

void MainWindow::restoreStatusColour() {
    colour(c_.LaB, tag(c_.LaB).value<QColor>(), palette().color(QPalette::WindowText));
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
    const auto root = workspace_.drives().root(letter[0].toLatin1());
    c_.Dir1->setPath(root, root);
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

void MainWindow::showOverPanel(QWidget* panel) {
    const QRect area = c_.RtB->geometry();
    panel->move(area.center() - panel->rect().center());
    panel->show();
    panel->raise();
}

void MainWindow::reportHandlerError(const QString& handler, int index, int number,
                                    const QString& description) {
    dialogs_.message({},
                     handler + "(" + QString::number(index) + ")-(" + QString::number(number) +
                         ")" + Workspace::LineBreak + description,
                     common::ui::Buttons::Ok, common::ui::Icon::None);
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
