#include "dravik/search/search_controller.h"

#include "common/list_text.h"
#include "common/number_format.h"
#include "common/text_writer.h"
#include "dravik/controls/command_array.h"
#include "dravik/controls/command_index.h"
#include "dravik/controls/floating_panel.h"
#include "dravik/controls/list_adapter.h"
#include "dravik/controls/list_selection.h"
#include "dravik/controls/list_view_panel.h"
#include "dravik/extsets/extsets_controller.h"
#include "dravik/reports/quick_report.h"
#include "dravik/reports/report_controller.h"
#include "dravik/search/find_controller.h"
#include "dravik/search/find_panel.h"
#include "dravik/search/row_list_model.h"
#include "dravik/search/search_matcher.h"
#include "dravik/search/search_panel.h"
#include "dravik/search/word_list.h"
#include "dravik/services/window_services.h"
#include "dravik/workspace/workspace.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QListView>
#include <QPlainTextEdit>

namespace dravik::search {

namespace Answer = common::ui::Answer;
using common::ui::Buttons;
using common::ui::Icon;
using common::ui::YieldPoint;
using controls::GCom;

namespace {

const QString FindGlobalCaption = QStringLiteral("Find Global");
const QString StopCaption = QStringLiteral("STOP");
const QString NowCaption = QStringLiteral("NOW!");
const QColor Searching(0, 255, 0);
const QColor Searched(255, 255, 0);
constexpr int ErrorsBeforeTheEnd = 3;
constexpr qint64 LabelInterval = 100; // ms

} // namespace

SearchController::SearchController(Parts parts, services::FeatureContext context)
    : parts_(std::move(parts)), list_(context.list), workspace_(context.workspace),
      services_(context.window) {
    parts_.panel.discs()->setModel(&parts_.discs);
    // Enter on a command of the panel acts as "Find Global".
    for (QAbstractButton* button : parts_.panel.frame()->findChildren<QAbstractButton*>())
        if (button->objectName().startsWith(QStringLiteral("SoekCom_")))
            button->installEventFilter(this);
}

QAbstractButton* SearchController::startStop() const {
    return parts_.gCom.element(GCom::FindGlobal);
}

bool SearchController::running() const {
    return startStop()->text() != FindGlobalCaption;
}

void SearchController::stop() {
    if (startStop()->text() == StopCaption)
        startStop()->setText(NowCaption);
}

void SearchController::findGlobal() {
    // One search at a time: the window tells the user to wait until the end phase is over.
    if (parts_.find.findBox()->currentText().isEmpty() || phase_ == Phase::Ending)
        return;
    parts_.finding.clearFindWord();
    if (parts_.panel.frame()->isHidden()) {
        openPanel();
        return;
    }
    const QString caption = startStop()->text();
    if (caption == StopCaption)
        startStop()->setText(NowCaption);
    else if (caption == FindGlobalCaption)
        run();
}

void SearchController::start() {
    if (phase_ == Phase::Ending)
        return;
    words_ = WordList::split(parts_.find.findBox()->currentText());
    parts_.extensions.saveForStart();
    findGlobal();
}

void SearchController::cancel() {
    parts_.panel.frame()->hide();
}

void SearchController::discsChanged() {
    controls::ListSelection::keepChosen(parts_.panel.discs(), [this] { parts_.discs.reload(); });
}

void SearchController::openPanel() {
    QListView* discs = parts_.panel.discs();
    discs->clearSelection();
    if (controls::ListSelection::rows(discs) > 0)
        discs->selectionModel()->setCurrentIndex(discs->model()->index(0, 0),
                                                 QItemSelectionModel::NoUpdate);
    // Over the browser and the list, clear of the command column: "STOP" stays in reach.
    parts_.panel.open([this] {
        const QWidget* view = list_.view();
        const QWidget* host = parts_.panel.frame()->parentWidget();
        const QPoint corner = view->mapTo(host, QPoint(view->width(), 0));
        return QRect(QPoint(0, corner.y()), QPoint(corner.x() - 1, host->height() - 1));
    });
    parts_.panel.frame()->setFocus();
    ignoringErrors([this] { parts_.extensions.load(); });
    discs->setFocus();
}

SearchRequest SearchController::prepare() {
    startStop()->setText(StopCaption);
    ignoringErrors([this] { parts_.extensions.recordSet(); });
    list_.rowCount()->setText(QStringLiteral("0"));
    parts_.finding.keepFindText();
    list_.paintStatus(Searching, QColor());
    parts_.find.closeMenu();
    const reports::QuickReport quick(workspace_.programFolder());
    ignoringErrors([&] { quick.createEmpty(); });
    report_.reset();
    ignoringErrors([&] { report_ = quick.open(); });
    rows_.clear();
    examined_ = 0;
    labelsShown_.invalidate();
    parts_.panel.findingRows().show(&rows_);
    if (parts_.panel.viewFindings()->isChecked()) {
        QListView* findings = parts_.panel.findings();
        const QWidget* view = list_.view();
        findings->setGeometry(QRect(view->mapTo(findings->parentWidget(), QPoint()), view->size()));
        findings->show();
        findings->raise();
        services_.yieldPoint().always();
    }
    SearchRequest request;
    request.words = words_;
    request.dataFolder = workspace_.dataFolder();
    request.sources = controls::ListSelection::texts(parts_.panel.discs());
    parts_.panel.examined()->clear();
    controls::showInside(parts_.panel.counter(), parts_.panel.frame()->pos());
    parts_.panel.counter()->setFocus();
    const QStringList extensions = parts_.extensions.selectedExtensions();
    if (!extensions.isEmpty()) {
        request.mode = SourceMode::Extensions;
        request.sources = extensions;
    }
    request.options.caseRule =
        parts_.panel.caseSensitive()->isChecked() ? CaseRule::ExactCase : CaseRule::AnyCase;
    request.options.wordRule =
        parts_.panel.wordOnly()->isChecked() ? WordRule::WholeWord : WordRule::Anywhere;
    request.options.rowRule = parts_.panel.fileNames()->checkState() == Qt::Checked
                                  ? RowRule::EachFileName
                                  : RowRule::EachLine;
    return request;
}

void SearchController::run() {
    // However the search ends, the next one may start.
    struct BackToIdle {
        Phase& phase;
        ~BackToIdle() { phase = Phase::Idle; }
    } const idle{phase_};
    phase_ = Phase::Searching;
    errors_ = 0;
    SearchRequest request = prepare();
    rowRule_ = request.options.rowRule;
    SearchMatcher matcher(std::move(request));
    firstSkipped_.clear();
    tellSkippedLines(matcher.run(*this).skippedLines);
    phase_ = Phase::Ending;
    endPhase();
}

void SearchController::endPhase() {
    YieldPoint& yield = services_.yieldPoint();
    parts_.panel.examined()->setText(common::NumberFormat::hashes(examined_));
    writeQuickReport();
    const reports::QuickReport quick(workspace_.programFolder());
    const QString count = QString::number(rows_.size());
    list_.rowLabel()->setText(QStringLiteral("Row:"));
    list_.setStatus(QStringLiteral("Loading Quick-Report data"));
    yield.now();
    list_.rowCount()->setText(count);
    yield.at({YieldPoint::Background});
    startStop()->setText(FindGlobalCaption);
    parts_.finding.enableFindCommands(true);
    parts_.find.closeMenu();
    list_.showNotice(controls::ListViewPanel::Notice::Creating);
    yield.now();
    list_.view()->clear();
    underErrorRule([&] { list_.view()->showListFile(quick.path()); });
    parts_.panel.findingRows().show(nullptr);
    parts_.panel.findings()->hide();
    services_.dravikCap(QString::fromLatin1(reports::QuickReport::FileName));
    list_.paintStatus(Searched, QColor());
    list_.setStatus(QStringLiteral("Finished searching: There are ") + count +
                    QStringLiteral(" links"));
    yield.now();
    list_.rowCount()->setText(count);
    list_.hideNotice(controls::ListViewPanel::Notice::Creating);
    if (services_.ask(QStringLiteral("Saving Search Report"),
                      QStringLiteral("Do yu want to SAVE this report?"), Buttons::YesNo,
                      Icon::Question) == Answer::Yes)
        underErrorRule([this] { parts_.reports.saveQuickReport(); });
    rows_.clear();
    parts_.panel.counter()->hide();
    parts_.panel.filesFound()->setText(QStringLiteral("files found: ") +
                                       parts_.panel.examined()->text());
    parts_.panel.examined()->clear();
    parts_.panel.frame()->hide();
    list_.view()->setFocus();
}

void SearchController::writeQuickReport() {
    if (report_) {
        try {
            report_->commit();
            report_.reset();
            return;
        } catch (const common::Error&) {
            report_.reset(); // written whole below, where a failure is asked about
        }
    }
    const reports::QuickReport quick(workspace_.programFolder());
    underErrorRule([&] { quick.write([this](common::TextWriter& w) { rows_.writeTo(w); }); });
}

void SearchController::ignoringErrors(const std::function<void()>& step) {
    try {
        step();
    } catch (const common::Error&) {
        // Opening the panel and preparing a search go on with their next step.
    }
}

bool SearchController::errorAsked(const common::Error& error) {
    if (++errors_ >= ErrorsBeforeTheEnd)
        return false;
    services_.ask(QStringLiteral("ERROR: ") + QString::number(error.number()),
                  QStringLiteral("Hier is 'n fout by die auto search outside"), Buttons::Ok,
                  Icon::Warning);
    return true;
}

void SearchController::underErrorRule(const std::function<void()>& step) {
    for (;;) {
        try {
            step();
            return;
        } catch (const common::Error& e) {
            if (!errorAsked(e))
                return; // the third failure: the search comes to rest without this step
        }
    }
}

void SearchController::showProgress(const SearchProgress& progress) {
    // Ten times a second is as often as anyone reads a counter; the window still answers a
    // click at every pump.
    if (labelsShown_.isValid() && labelsShown_.elapsed() < LabelInterval)
        return;
    labelsShown_.start();
    QString status = QStringLiteral("Searching ") + progress.source + QStringLiteral("....");
    if (progress.sourceHits > 0)
        status += QStringLiteral("[Getting ") + QString::number(progress.sourceHits) +
                  QStringLiteral(" links]");
    list_.setStatus(status);
    list_.rowCount()->setText(QString::number(progress.rows));
    parts_.panel.examined()->setText(common::NumberFormat::hashes(examined_));
    parts_.panel.findingRows().catchUp();
}

// The labels are brought up to date only when the window is about to repaint: a label set
// thousands of times a second costs more than the search it reports.
void SearchController::sourceStarted(const SearchProgress& progress) {
    YieldPoint& yield = services_.yieldPoint();
    if (yield.due()) {
        showProgress(progress);
        yield.always();
    }
}

void SearchController::sourceFinished(const SearchProgress& progress, SourceState) {
    examined_ = progress.examined;
    YieldPoint& yield = services_.yieldPoint();
    if (yield.due({YieldPoint::Normal})) {
        showProgress(progress);
        yield.at({YieldPoint::Normal});
    }
}

void SearchController::rowFound(std::string_view row, const SearchProgress& progress) {
    rows_.add(row);
    if (report_) {
        try {
            report_->rawLine(row);
        } catch (const common::Error&) {
            report_.reset();
        }
    }
    // File-name results let the window breathe after each row, at every level.
    YieldPoint& yield = services_.yieldPoint();
    if (rowRule_ == RowRule::EachFileName && yield.due()) {
        showProgress(progress);
        yield.always();
    }
}

void SearchController::lineSkipped(const SearchProgress& progress, long long line) {
    if (firstSkipped_.isEmpty())
        firstSkipped_ = QStringLiteral("line ") + QString::number(line) + QStringLiteral(" of ") +
                        progress.source;
}

// Rows are never made of a piece of a line, so a line too long to search is passed over; the
// user hears of it before the results.
void SearchController::tellSkippedLines(long long count) {
    if (count == 0)
        return;
    const QString limit = QString::number(SearchMatcher::MaxLine >> 20) + QStringLiteral(" MiB");
    const QString text =
        count == 1 ? QStringLiteral("A line longer than ") + limit +
                         QStringLiteral(" was not searched:\n") + firstSkipped_
                   : QString::number(count) + QStringLiteral(" lines longer than ") + limit +
                         QStringLiteral(" were not searched; the first:\n") + firstSkipped_;
    services_.ask(QStringLiteral("Lines not searched"), text, Buttons::Ok, Icon::Warning);
}

void SearchController::working(const SearchProgress& progress) {
    YieldPoint& yield = services_.yieldPoint();
    if (yield.due({YieldPoint::Background, YieldPoint::Normal})) {
        showProgress(progress);
        yield.at({YieldPoint::Background, YieldPoint::Normal});
    }
}

bool SearchController::stopRequested() {
    return startStop()->text() == NowCaption;
}

FailureAnswer SearchController::failed(const SearchFailure& failure) {
    return errorAsked(failure.error) ? FailureAnswer::Retry : FailureAnswer::EndSearch;
}

bool SearchController::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            const auto work = [this] { findGlobal(); };
            const QString handler = QStringLiteral("SoekCom_KeyPress");
            // While the search runs, Enter is its "STOP"; otherwise it starts one.
            if (running())
                services_.trapped(handler, 13, work);
            else
                services_.runChange(handler, 13, work);
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace dravik::search
