#pragma once

#include "common/ui/dialogs.h"
#include "common/ui/yield_point.h"
#include "dravik/workspace/main_controls.h"
#include "dravik/workspace/workspace.h"

#include <QColor>
#include <QWidget>

class QLabel;

#include <memory>

namespace dravik::workspace {

class CommandRouter;
class DriveWarning;
class MessagePanel;
class PriorityPanel;

// The main window `Dravik`: owns the controls, runs start-up and exit, and hosts the panels.
class MainWindow : public QWidget {
    Q_OBJECT
public:
    MainWindow(common::ui::Dialogs& dialogs, common::DriveTable drives, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Start-up: `arguments` is the command line after the program name (nothing, or a drive
    // letter). Failing steps are reported and skipped; the window always opens.
    void load(const QStringList& arguments);

    // `DravikCap`: "Dravik [" + text + " ]".
    void dravikCap(const QString& text);
    // `MsG`
    int msG(const QString& heading, bool yes, bool no, bool cancel, const QString& text, int icon);
    // `Wagter`: clears the tag of `WDrive` and waits until a handler puts a text into it.
    void wagter();
    void showDataPathDialog();
    // Shows a notice panel (`CrePan`, `UpPan`, `Wag`) in front of the list view.
    void showOverPanel(QWidget* panel);
    // The standard error box of a command handler: "GCom_click(7)-(68)" + LF + description.
    void reportHandlerError(const QString& handler, int index, int number,
                            const QString& description);

    MainControls& controls() { return c_; }
    Workspace& workspace() { return workspace_; }
    common::ui::Dialogs& dialogs() { return dialogs_; }
    common::ui::YieldPoint& yieldPoint() { return yield_; }
    MessagePanel& messagePanel() { return *message_; }
    PriorityPanel& priorityPanel() { return *priority_; }
    DriveWarning& driveWarning() { return *warning_; }
    CommandRouter& router() { return *router_; }

    // Back and (when given) text colour of a status label.
    static void colour(QLabel* label, const QColor& back, const QColor& text = QColor());
    // `LaB` back to its normal colours (the back colour kept in its tag at start-up).
    void restoreStatusColour();

    // A widget's "tag".
    static QVariant tag(const QObject* control);
    static void setTag(QObject* control, const QVariant& value);

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void build();
    void reportLoadStep(int step, const QString& description, int number);
    void pointBrowserAt(const QString& letter);
    void exitSteps();

    common::ui::Dialogs& dialogs_;
    Workspace workspace_;
    common::ui::YieldPoint yield_;
    MainControls c_;
    MessagePanel* message_ = nullptr;
    PriorityPanel* priority_ = nullptr;
    DriveWarning* warning_ = nullptr;
    CommandRouter* router_ = nullptr;
    bool findHistoryLoaded_ = false;
    bool exited_ = false;
};

} // namespace dravik::workspace
