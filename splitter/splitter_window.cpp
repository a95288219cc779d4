#include "splitter/splitter_window.h"

#include "common/error.h"
#include "common/file_ops.h"
#include "common/number_format.h"
#include "common/ui/dialogs.h"
#include "common/ui/file_list_box.h"
#include "splitter/click_label.h"
#include "splitter/data_pad_dialog.h"
#include "splitter/disc_list_box.h"
#include "splitter/done_list.h"
#include "splitter/open_file_table.h"
#include "splitter/split_engine.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace splitter {

namespace {
const QString Caption = QStringLiteral("Zizovizi 2013");

template <typename W> W* named(W* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}
} // namespace

SplitterWindow::SplitterWindow(common::ui::Dialogs& dialogs, common::DriveTable drives,
                               const QString& startFolder, QWidget* parent)
    : QWidget(parent), dialogs_(dialogs), drives_(std::move(drives)), startFolder_(startFolder) {
    build();
    lastShown_.start();
}

SplitterWindow::~SplitterWindow() = default;

void SplitterWindow::build() {
    setWindowTitle(Caption);
    discs_ = named(new DiscListBox(this), "DLyS");
    refresh_ = named(new ClickLabel(QStringLiteral("Refresh the FileList"), this), "Label2");
    start_ = named(new QPushButton(QStringLiteral("Start Split"), this), "ACoM");
    delete_ = named(new QCheckBox(QStringLiteral("If disc exist, DELETE"), this), "DeLte");
    redo_ = named(new QCheckBox(QStringLiteral("If disc exist, REDO"), this), "ReDO");
    setPad_ = named(new QPushButton(QStringLiteral("Set DataPad"), this), "MSet");
    doneFrame_ = new QGroupBox(QStringLiteral("Discs Done:"), this);
    doneNames_ = named(new QListWidget(doneFrame_), "FLyS");
    doneNames_->setAccessibleName(QStringLiteral("Discs done"));
    log_ = named(new QListWidget(this), "iFO");
    log_->setAccessibleName(QStringLiteral("Run log"));
    // Labels with text: a screen reader reads the text itself, the description says what it is.
    status_ = named(new QLabel(this), "Wagter");
    status_->setAccessibleDescription(QStringLiteral("Status"));
    progress_ = named(new QLabel(this), "WysP");
    progress_->setAccessibleDescription(QStringLiteral("Bytes left"));
    extensionsFrame_ = named(new QGroupBox(QStringLiteral("Extentions"), this), "WySE");
    extensions_ = named(new QListWidget(extensionsFrame_), "EL");
    extensions_->setAccessibleName(QStringLiteral("Open extension files"));
    sources_ = named(new common::ui::FileListBox(this), "File1");
    sources_->setPattern(QStringLiteral("*.rtf"));
    sources_->setAccessibleName(QStringLiteral("Disc list files"));
    sources_->hide();
    outputs_ = named(new common::ui::FileListBox(this), "File2");
    outputs_->setPattern(QStringLiteral("*.rtf"));
    outputs_->setAccessibleName(QStringLiteral("Extension files"));
    outputs_->hide();

    auto* doneLayout = new QVBoxLayout(doneFrame_);
    doneLayout->addWidget(doneNames_);
    auto* extLayout = new QVBoxLayout(extensionsFrame_);
    extLayout->addWidget(extensions_);

    auto* commands = new QVBoxLayout;
    commands->addWidget(refresh_);
    commands->addWidget(start_);
    commands->addWidget(delete_);
    commands->addWidget(redo_);
    commands->addWidget(setPad_);
    commands->addStretch(1);

    auto* progressRow = new QHBoxLayout;
    progressRow->addWidget(new QLabel(QStringLiteral("Progress:"), this));
    progressRow->addWidget(progress_, 1);

    auto* grid = new QGridLayout(this);
    grid->addWidget(discs_, 0, 0, 2, 1);
    grid->addLayout(commands, 0, 1);
    grid->addWidget(doneFrame_, 0, 2);
    grid->addWidget(extensionsFrame_, 0, 3, 2, 1);
    grid->addWidget(log_, 1, 1, 1, 2);
    grid->addWidget(status_, 2, 0, 1, 2);
    grid->addLayout(progressRow, 2, 2, 1, 2);
    grid->setColumnStretch(0, 2);
    grid->setColumnStretch(2, 2);
    grid->setColumnStretch(3, 1);
    resize(900, 480);

    connect(discs_, &QListWidget::itemSelectionChanged, this, &SplitterWindow::selectionChanged);
    connect(refresh_, &ClickLabel::clicked, this, [this] {
        if (!running())
            refreshDiscs();
    });
    connect(start_, &QPushButton::clicked, this, &SplitterWindow::startSplit);
    // Releasing the mouse on one box clears the other: a done disc is either deleted or redone.
    connect(delete_, &QCheckBox::clicked, this, [this] { redo_->setChecked(false); });
    connect(redo_, &QCheckBox::clicked, this, [this] { delete_->setChecked(false); });
    connect(setPad_, &QPushButton::clicked, this, &SplitterWindow::setDataPad);
}

SplitterWindow::StartResult SplitterWindow::start() {
    QString dataPath;
    try {
        dataPath = settings_.dataPath();
    } catch (const common::Error& e) {
        settingsUnreadable(e);
    }
    folders_ = SplitFolders(dataPath);
    if (folders_.isEmpty())
        askDataPath();
    if (!lockDataPath())
        return StartResult::AlreadyRunning;
    useDataPath();
    warnAboutCutDisc();
    return StartResult::Ready;
}

void SplitterWindow::showWithoutTakingFocus() {
    setAttribute(Qt::WA_ShowWithoutActivating);
    show();
}

void SplitterWindow::settingsUnreadable(const common::Error& error) {
    // The window works on with the defaults; the user should know why the path is asked again.
    if (settingsFailureShown_)
        return;
    settingsFailureShown_ = true;
    log_->addItem(QStringLiteral("Settings could not be read, defaults used: ") +
                  QString::fromStdString(error.description()));
}

bool SplitterWindow::lockDataPath() {
    if (folders_.isEmpty())
        return true;
    try {
        if (lock_.acquire(folders_.data()))
            return true;
    } catch (const common::Error&) {
        return true; // a folder that cannot be opened cannot be worked on either: said later
    }
    dialogs_.message(QString(),
                     QStringLiteral("A splitter is already running on this data path:\r\n") +
                         folders_.dataPath(),
                     common::ui::Buttons::Ok, common::ui::Icon::None);
    return false;
}

void SplitterWindow::warnAboutCutDisc() {
    QString busy;
    try {
        busy = settings_.busyDisc();
    } catch (const common::Error& e) {
        settingsUnreadable(e);
        return;
    }
    if (busy.isEmpty())
        return;
    if (done_ && done_->contains(busy)) {
        // The run ended between two discs: this one is whole in the extension files and in the
        // done list, so there is nothing to deal with.
        try {
            settings_.setBusyDisc(QString());
        } catch (const common::Error&) {
            // A marker left in place finds the disc done again at the next start: harmless.
        }
        return;
    }
    dialogs_.message(QString(),
                     QStringLiteral("I was busy with:\r\n") + busy +
                         QStringLiteral("\r\n\r\nBest way to deal with this is to DELETE the "
                                        "disc from the Extention lists."),
                     common::ui::Buttons::Ok, common::ui::Icon::None);
}

void SplitterWindow::askDataPath() {
    // Later visits open where the data path is, so looking does not move it.
    const QString at = folders_.isEmpty() ? startFolder_ : folders_.dataPath();
    DataPadDialog dialog(drives_, settings_, dialogs_, at, this);
    dialog.exec();
    // The folder list sets the data path as it moves, whether or not "SET" kept it.
    folders_ = SplitFolders(dialog.dataPath());
}

void SplitterWindow::useDataPath() {
    if (folders_.isEmpty())
        return;
    std::error_code ec;
    if (!std::filesystem::is_directory(folders_.data(), ec)) {
        // One report for a data path that is gone; "Set DataPad" picks another.
        const QSignalBlocker quiet(discs_);
        discs_->clear();
        doneNames_->clear();
        done_.reset();
        report(common::Error(common::ErrorNumber::PathNotFound, folders_.data().string()));
        return;
    }
    folders_.createOutput();
    folders_.removeStaleFiles();
    refreshDiscs();
    done_ = std::make_unique<DoneList>(folders_.doneList());
    try {
        done_->load();
    } catch (const common::Error& e) {
        report(e);
    }
    doneListChanged(done_->names());
    try {
        outputs_->setFolder(folders_.output());
    } catch (const common::Error&) {
        outputs_->clear(); // no output folder: the first split reports why
    }
}

void SplitterWindow::refreshDiscs() {
    const QSignalBlocker quiet(discs_);
    discs_->clear();
    try {
        sources_->setFolder(folders_.data());
        discs_->fill(*sources_);
    } catch (const common::Error& e) {
        sources_->clear();
        report(e);
    }
}

void SplitterWindow::selectionChanged() {
    status_->setText(QStringLiteral("...waiting...(%1)").arg(discs_->selectedItems().size()));
}

void SplitterWindow::setDataPad() {
    if (running())
        return;
    const SplitFolders before = folders_;
    askDataPath();
    if (folders_.dataPath() == before.dataPath())
        return;
    if (!lockDataPath()) {
        folders_ = before; // another splitter works there: stay where this one is
        return;
    }
    // The lists, the output folder and the done list follow the new path at once, so a run never
    // reads entries of one folder from another.
    useDataPath();
}

void SplitterWindow::startSplit() {
    if (running())
        return;
    const std::vector<ListedFile> chosen = discs_->selectedFiles();
    if (chosen.empty()) {
        dialogs_.message(QString(), QStringLiteral("No disc was selected"), common::ui::Buttons::Ok,
                         common::ui::Icon::None);
        return;
    }
    if (!done_) {
        // The data path came back after start-up (Refresh found its lists).
        done_ = std::make_unique<DoneList>(folders_.doneList());
        try {
            folders_.createOutput();
            done_->load();
        } catch (const common::Error& e) {
            done_.reset();
            report(e);
            return;
        }
    }
    const auto whenDone = redo_->isChecked()     ? SplitEngine::WhenDone::Redo
                          : delete_->isChecked() ? SplitEngine::WhenDone::Delete
                                                 : SplitEngine::WhenDone::Skip;
    SplitObserver& observer = *this;
    engine_ = std::make_unique<SplitEngine>(folders_, *done_, settings_, observer);
    try {
        engine_->run(chosen, whenDone);
    } catch (const common::Error& e) {
        report(e);
    }
    engine_.reset();
    if (closeWhenStopped_)
        close();
}

void SplitterWindow::report(const common::Error& error) {
    dialogs_.message(QString(), QStringLiteral("Error: %1").arg(error.number()),
                     common::ui::Buttons::Ok, common::ui::Icon::None);
}

void SplitterWindow::closeEvent(QCloseEvent* event) {
    if (running()) {
        // Let the run end as an interrupted run does, then close.
        closeWhenStopped_ = true;
        engine_->requestStop();
        event->ignore();
        return;
    }
    QWidget::closeEvent(event);
}

void SplitterWindow::showProgress() {
    progress_->setText(common::NumberFormat::hashes(static_cast<long long>(engine_->remaining())));
    extensionsFrame_->setTitle(QString::number(engine_->table().count()));
}

void SplitterWindow::runStarted() {
    discs_->setEnabled(false);
    extensions_->clear();
    extensions_->addItem(QStringLiteral("empty"));
    log_->clear();
    status_->setText(QStringLiteral("Start working..."));
}

void SplitterWindow::discStarted(const QString& disc) {
    setWindowTitle(Caption + QStringLiteral(" [") + disc + QStringLiteral("]"));
    if (engine_)
        showProgress();
}

void SplitterWindow::logTop(const QString& line) {
    log_->insertItem(0, line);
}

void SplitterWindow::removeTopLog() {
    delete log_->takeItem(0);
}

void SplitterWindow::logBottom(const QString& line) {
    log_->addItem(line);
}

void SplitterWindow::scrollLogToTop() {
    log_->scrollToTop();
}

void SplitterWindow::record() {
    // Formatting and pumping per record would cost more than the split itself.
    if (lastShown_.elapsed() < 15)
        return;
    showProgress();
    yield_.now();
    lastShown_.restart();
}

void SplitterWindow::tableChanged(const OpenFileTable& table) {
    if (extensions_->count() - 1 > table.count()) {
        extensions_->clear();
        extensions_->addItem(table.at(0).c_str());
    }
    for (int k = extensions_->count(); k <= table.count(); ++k)
        extensions_->addItem(QString::fromStdString(table.at(k)));
    extensionsFrame_->setTitle(QString::number(table.count()));
}

void SplitterWindow::rewriting(int index) {
    extensionsFrame_->setTitle(QString::number(index));
}

void SplitterWindow::doneListChanged(const QStringList& names) {
    doneNames_->clear();
    doneNames_->addItems(names);
}

void SplitterWindow::discFinished() {
    progress_->setText(QStringLiteral("0"));
}

void SplitterWindow::pump() {
    yield_.always();
}

void SplitterWindow::runFinished() {
    setWindowTitle(Caption);
    status_->setText(QStringLiteral("FINISHED"));
    discs_->setEnabled(true);
    outputs_->refresh();
}

void SplitterWindow::runStopped() {
    // The window stays usable after a failed or stopped run; the busy marker tells the next start.
    setWindowTitle(Caption);
    discs_->setEnabled(true);
    outputs_->refresh();
}

} // namespace splitter
