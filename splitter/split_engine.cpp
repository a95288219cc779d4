#include "splitter/split_engine.h"

#include "common/code_page.h"
#include "common/error.h"
#include "common/upper_case.h"
#include "splitter/disc_remover.h"
#include "splitter/done_list.h"
#include "splitter/line_format.h"
#include "splitter/record_reader.h"
#include "splitter/split_observer.h"
#include "splitter/splitter_settings.h"

#include <filesystem>
#include <new>

namespace splitter {

namespace {
// Every failure leaves the run as a numbered common::Error.
common::Error asError(std::exception_ptr failure) {
    try {
        std::rethrow_exception(failure);
    } catch (const common::Error& e) {
        return e;
    } catch (const std::filesystem::filesystem_error& e) {
        return common::Error::fromErrno(e.code().value(), e.path1().string());
    } catch (const std::bad_alloc&) {
        return common::Error(7, "Out of memory");
    } catch (const std::exception& e) {
        return common::Error(51, e.what());
    }
}
} // namespace

SplitEngine::SplitEngine(SplitFolders folders, DoneList& done, SplitterSettings& settings,
                         SplitObserver& observer)
    : folders_(std::move(folders)), done_(done), settings_(settings), observer_(observer),
      table_(folders_.output()) {}

SplitEngine::Outcome SplitEngine::run(const QStringList& entries, WhenDone whenDone) {
    stop_ = false;
    cut_ = false;
    rule_.reset();
    observer_.runStarted();
    try {
        runDiscs(entries, whenDone);
        closeFiles();
        done_.save();
    } catch (const Stopped&) {
        abandon();
        return Outcome::Stopped;
    } catch (...) {
        const std::exception_ptr failure = std::current_exception();
        abandon();
        throw asError(failure);
    }
    observer_.logTop(QStringLiteral("FINISHED"));
    observer_.runFinished();
    settings_.setBusyDisc(QString());
    return Outcome::Finished;
}

void SplitEngine::runDiscs(const QStringList& entries, WhenDone whenDone) {
    for (const QString& entry : entries) {
        const QString disc = entry.chopped(4);
        for (;;) {
            if (stop_)
                throw Stopped{};
            std::error_code ec;
            const auto length = std::filesystem::file_size(folders_.discList(entry), ec);
            remaining_ = ec ? 0 : length;
            observer_.discStarted(disc);
            observer_.logTop(disc + QStringLiteral(" Started..."));
            observer_.pump();
            if (!done_.contains(disc) && !cutDisc_.isEmpty() &&
                common::UpperCase::equal(disc, cutDisc_)) {
                // Not done, yet its lines are partly there: take them out first.
                cutDisc_.clear();
                observer_.removeTopLog();
                observer_.logTop(disc + QStringLiteral(" DELETE started..."));
                removeLines(disc);
                observer_.logTop(disc + QStringLiteral(" DELETE...done"));
                if (whenDone == WhenDone::Delete)
                    break;
                continue;
            }
            if (!done_.contains(disc)) {
                if (stop_)
                    throw Stopped{};
                split(disc, entry);
                break;
            }
            observer_.removeTopLog();
            if (whenDone == WhenDone::Redo) {
                observer_.logTop(disc + QStringLiteral(" ReDo activated"));
                observer_.logTop(disc + QStringLiteral(" DELETE started..."));
                deleteDisc(disc);
                observer_.removeTopLog();
                observer_.logTop(disc + QStringLiteral(" DELETE...done"));
                observer_.logTop(disc + QStringLiteral(" ReDo started..."));
                continue; // no longer done: split it again
            }
            if (whenDone == WhenDone::Delete) {
                observer_.logTop(disc + QStringLiteral(" DELETE started..."));
                deleteDisc(disc);
                observer_.logTop(disc + QStringLiteral(" DELETE...done"));
            } else {
                observer_.logBottom(disc + QStringLiteral(" NOT again??...was done!!"));
            }
            break;
        }
    }
}

void SplitEngine::split(const QString& disc, const QString& entry) {
    settings_.setBusyDisc(disc);
    cut_ = true;
    const auto path = folders_.discList(entry);
    RecordReader reader(path);
    const std::uint64_t length = remaining_;
    const LineFormat format(common::CodePage::encode(disc));
    Record record;
    while (reader.next(record)) {
        if (stop_)
            throw Stopped{};
        const std::size_t read = reader.consumed();
        remaining_ = read < length ? length - read : 0;
        const std::string_view extension = rule_.classify(record.name);
        line_.clear();
        format.append(record, line_);
        const int before = table_.count();
        AppendFile& file = table_.fileFor(extension);
        if (table_.count() != before)
            observer_.tableChanged(table_);
        file.write(line_);
        observer_.record();
    }
    // A record cut short by the end of the list ends the disc like the end itself.
    observer_.removeTopLog();
    observer_.logTop(disc + QStringLiteral("...done"));
    observer_.scrollLogToTop();
    done_.add(disc);
    cut_ = false;
    observer_.doneListChanged(done_.names());
    remaining_ = 0;
    observer_.discFinished();
    observer_.pump();
}

void SplitEngine::abandon() {
    // Keep what was finished: lines already split reach their files, finished discs reach the
    // done list. The busy marker stays, so the next start warns about the disc that was cut.
    try {
        closeFiles();
    } catch (const std::exception&) {
    }
    try {
        done_.save();
        // Stopped between discs: nothing is cut, so the next start has nothing to warn about.
        if (!cut_)
            settings_.setBusyDisc(QString());
    } catch (const std::exception&) {
    }
    observer_.runStopped();
}

void SplitEngine::closeFiles() {
    const bool any = table_.count() > 0;
    table_.closeAll();
    if (any)
        observer_.tableChanged(table_);
}

void SplitEngine::deleteDisc(const QString& disc) {
    observer_.pump();
    removeLines(disc);
    done_.removeFromFile(disc);
    done_.remove(disc);
    observer_.doneListChanged(done_.names());
}

void SplitEngine::removeLines(const QString& disc) {
    // The run's own open files are among those rewritten: close them first, so no buffered line
    // is lost and no file is replaced under an open handle.
    closeFiles();
    const std::string key = LineFormat::discKey(common::CodePage::encode(disc));
    const auto output = folders_.output();
    const QStringList files = SplitFolders::listFiles(output);
    for (int k = 0; k < files.size(); ++k) {
        observer_.rewriting(k);
        observer_.pump();
        DiscRemover::removeFrom(output / files[k].toStdString(), key);
    }
}

} // namespace splitter
