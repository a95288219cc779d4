#pragma once

#include "common/drive_table.h"
#include "common/file_lock.h"
#include "common/ui/yield_point.h"
#include "splitter/split_folders.h"
#include "splitter/split_observer.h"
#include "splitter/splitter_settings.h"

#include <QElapsedTimer>
#include <QWidget>

#include <memory>

class QCheckBox;
class QGroupBox;
class QLabel;
class QListWidget;
class QPushButton;

namespace common {
class Error;
}

namespace common::ui {
class Dialogs;
class FileListBox;
} // namespace common::ui

namespace splitter {

class ClickLabel;
class DiscListBox;
class DoneList;
class SplitEngine;

// "Zizovizi 2013": pick disc lists, split them, and watch the run. All the work is done by
// SplitEngine; the window shows what the run tells it.
class SplitterWindow : public QWidget, private SplitObserver {
    Q_OBJECT
public:
    // `startFolder` is the data folder Dravik named on the command line, or empty.
    SplitterWindow(common::ui::Dialogs& dialogs, common::DriveTable drives,
                   const QString& startFolder, QWidget* parent = nullptr);
    ~SplitterWindow() override;

    enum class StartResult { Ready, AlreadyRunning };

    // The start-up steps: the data path (asking for it when none is set), the lock on it, the
    // output folder, the disc lists, the done list, and the warning about a run that did not end.
    // AlreadyRunning, after saying so, when another splitter works on the data path: the program
    // then ends.
    StartResult start();
    // Shows the window without taking the focus from the program that started it.
    void showWithoutTakingFocus();

    const SplitFolders& folders() const { return folders_; }
    bool running() const { return engine_ != nullptr; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void build();
    void askDataPath();
    bool lockDataPath();
    void useDataPath();
    void warnAboutCutDisc();
    void settingsUnreadable(const common::Error& error);
    void refreshDiscs();
    void startSplit();
    void setDataPad();
    void selectionChanged();
    void showProgress();
    void report(const common::Error& error);

    // SplitObserver
    void runStarted() override;
    void discStarted(const QString& disc) override;
    void logTop(const QString& line) override;
    void removeTopLog() override;
    void logBottom(const QString& line) override;
    void scrollLogToTop() override;
    void record() override;
    void tableChanged(const OpenFileTable& table) override;
    void rewriting(int index) override;
    void doneListChanged(const QStringList& names) override;
    void discFinished() override;
    void pump() override;
    void runFinished() override;
    void runStopped() override;

    common::ui::Dialogs& dialogs_;
    common::DriveTable drives_;
    QString startFolder_;
    SplitterSettings settings_;
    SplitFolders folders_;
    // Only one splitter works on a data path: two would append to the same extension files and
    // rewrite the same done list. The lock is on the data folder itself, so it holds however the
    // path is spelt and leaves no file behind.
    common::FileLock lock_;
    std::unique_ptr<DoneList> done_;
    std::unique_ptr<SplitEngine> engine_;
    common::ui::YieldPoint yield_;
    QElapsedTimer lastShown_;
    bool closeWhenStopped_ = false;
    bool settingsFailureShown_ = false;

    DiscListBox* discs_ = nullptr;
    ClickLabel* refresh_ = nullptr;
    QPushButton* start_ = nullptr;
    QCheckBox* delete_ = nullptr;
    QCheckBox* redo_ = nullptr;
    QPushButton* setPad_ = nullptr;
    QGroupBox* doneFrame_ = nullptr;
    QListWidget* doneNames_ = nullptr;
    QListWidget* log_ = nullptr;
    QLabel* status_ = nullptr;
    QLabel* progress_ = nullptr;
    QGroupBox* extensionsFrame_ = nullptr;
    QListWidget* extensions_ = nullptr;
    common::ui::FileListBox* sources_ = nullptr;
    common::ui::FileListBox* outputs_ = nullptr;
};

} // namespace splitter
