#pragma once

#include "common/text_writer.h"
#include "dravik/search/result_rows.h"
#include "dravik/search/search_observer.h"
#include "dravik/search/search_request.h"
#include "dravik/services/feature_context.h"

#include <QElapsedTimer>
#include <QObject>
#include <QStringList>

#include <functional>
#include <memory>

class QAbstractButton;

namespace dravik::controls {
class CommandArray;
class ListAdapter;
} // namespace dravik::controls
namespace dravik::extsets {
class ExtSetsController;
}
namespace dravik::reports {
class ReportController;
}

namespace dravik::search {

class FindController;
class FindPanel;
class SearchPanel;

// The global search in the window: "Find Global" opens the search panel, "START" takes the words
// and runs the search over the selected discs (or the selected extensions' lists), and the same
// button stops it ("Find Global" / "STOP" / "NOW!"). The rows become the quick report, which the
// list view then shows and the user may save.
class SearchController : public QObject, private SearchObserver {
    Q_OBJECT
public:
    // What the search uses from the rest of the window.
    struct Parts {
        SearchPanel& panel;
        FindPanel& find;
        FindController& finding;
        controls::CommandArray& gCom;
        extsets::ExtSetsController& extensions;
        reports::ReportController& reports;
        controls::ListAdapter& discs; // the discs of the index, in order, as `SoekLys` shows them
    };

    SearchController(Parts parts, services::FeatureContext context);

    // "Find Global" (`GCom` 4 and everything that acts as a click on it).
    void findGlobal();
    // "START": the words from the find box, the extension list written, then "Find Global".
    void start();
    // "Cancel Search": the panel goes.
    void cancel();
    // The disc index changed: the panel lists the discs as they are now, keeping the chosen ones
    // chosen.
    void discsChanged();
    // Asks a running search to stop (the window is closing).
    void stop();
    bool running() const;
    const QStringList& words() const { return words_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Where the one search of the window is: its end phase (the report, the save question) is
    // still part of it.
    enum class Phase { Idle, Searching, Ending };

    void openPanel();
    void run();
    SearchRequest prepare();
    void endPhase();
    void writeQuickReport();
    // An end-phase step under the search's error rule: tried again after the first and second
    // failure, given up at the third.
    void underErrorRule(const std::function<void()>& step);
    // A step of opening the panel or preparing a search: a failure is passed over.
    static void ignoringErrors(const std::function<void()>& step);
    bool errorAsked(const common::Error& error);
    void showProgress(const SearchProgress& progress);
    void tellSkippedLines(long long count);
    QAbstractButton* startStop() const;

    void sourceStarted(const SearchProgress& progress) override;
    void sourceFinished(const SearchProgress& progress, SourceState state) override;
    void rowFound(std::string_view row, const SearchProgress& progress) override;
    void lineSkipped(const SearchProgress& progress, long long line) override;
    void working(const SearchProgress& progress) override;
    bool stopRequested() override;
    FailureAnswer failed(const SearchFailure& failure) override;

    Parts parts_;
    controls::ListViewPanel& list_;
    workspace::Workspace& workspace_;
    services::WindowServices& services_;
    QStringList words_;
    Phase phase_ = Phase::Idle;
    ResultRows rows_;
    // The quick report, written as the rows come so that a search's end, or a stop, has little
    // left to write; null when it could not be opened or a write failed, and then written whole
    // at the end under the error rule.
    std::unique_ptr<common::TextWriter> report_;
    RowRule rowRule_ = RowRule::EachLine;
    int errors_ = 0;
    long long examined_ = 0; // as of the last source read to its end
    QString firstSkipped_;   // where the first line too long to search was
    QElapsedTimer labelsShown_;
};

} // namespace dravik::search
