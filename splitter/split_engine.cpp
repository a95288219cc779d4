#include "splitter/split_engine.h"

#include "common/code_page.h"
#include "common/error.h"
#include "common/upper_case.h"
#include "splitter/disc_key.h"
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
using Durability = common::TextWriter::Durability;

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
      table_(folders_.output(), OpenFileTable::capacityNow()) {}

QString SplitEngine::cutDisc(const SplitterSettings& settings, const DoneList& done) {
    const QString busy = settings.busyDisc();
    return busy.isEmpty() || done.contains(busy) ? QString() : busy;
}

SplitEngine::Outcome SplitEngine::run(const std::vector<ListedFile>& entries, WhenDone whenDone) {
    stop_ = false;
    marked_ = false;
    cut_ = false;
    cleaned_.clear();
    classifier_.reset();
    observer_.runStarted();
    try {
        finishCutDisc();
        runDiscs(entries, whenDone);
        closeFiles();
        done_.save(Durability::Disk);
        settings_.setBusyDisc(QString(), Durability::Disk);
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
    return Outcome::Finished;
}

void SplitEngine::finishCutDisc() {
    // Before the marker names anything else: it is the only record of the cut disc.
    const QString disc = cutDisc(settings_, done_);
    if (disc.isEmpty())
        return;
    cut_ = true;
    observer_.logTop(disc + QStringLiteral(" DELETE started..."));
    removeLines(disc);
    observer_.logTop(disc + QStringLiteral(" DELETE...done"));
    markIdle();
    cleaned_ = disc;
}

void SplitEngine::runDiscs(const std::vector<ListedFile>& entries, WhenDone whenDone) {
    for (const ListedFile& entry : entries) {
        const QString disc = entry.shown.chopped(4);
        for (;;) {
            if (stop_)
                throw Stopped{};
            std::error_code ec;
            const auto length = std::filesystem::file_size(folders_.discList(entry), ec);
            remaining_ = ec ? 0 : length;
            observer_.discStarted(disc);
            observer_.logTop(disc + QStringLiteral(" Started..."));
            observer_.pump();
            if (!done_.contains(disc)) {
                // A cut disc with DELETE ticked: its leftovers went at the start of the run.
                if (whenDone == WhenDone::Delete && !cleaned_.isEmpty() &&
                    common::UpperCase::equal(disc, cleaned_)) {
                    observer_.removeTopLog();
                    break;
                }
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

void SplitEngine::split(const QString& disc, const ListedFile& entry) {
    markBusy(disc);
    RecordReader reader(folders_.discList(entry));
    const std::uint64_t length = remaining_;
    const LineFormat format(common::CodePage::encode(disc));
    Record record;
    // A record cut short by the end of the list ends the disc like the end itself.
    while (reader.next(record)) {
        if (stop_)
            throw Stopped{};
        const std::size_t read = reader.consumed();
        remaining_ = read < length ? length - read : 0;
        const std::string_view extension = classifier_.classify(record.name);
        line_.clear();
        format.append(record, line_);
        const int before = table_.count();
        AppendFile& file = table_.fileFor(extension);
        if (table_.count() != before)
            observer_.tableChanged(table_);
        file.write(line_);
        observer_.record();
    }
    // Every line of the disc is in its file before the done list says so.
    table_.flushAll();
    done_.add(disc);
    done_.save(Durability::Process);
    cut_ = false;
    observer_.removeTopLog();
    observer_.logTop(disc + QStringLiteral("...done"));
    observer_.scrollLogToTop();
    observer_.doneListChanged(done_.names());
    remaining_ = 0;
    observer_.discFinished();
    observer_.pump();
}

void SplitEngine::deleteDisc(const QString& disc) {
    observer_.pump();
    markBusy(disc);
    // Out of the done list first: from here on the marker alone says that lines may be left.
    done_.remove(disc);
    done_.save(Durability::Process);
    observer_.doneListChanged(done_.names());
    removeLines(disc);
    markIdle();
}

void SplitEngine::removeLines(const QString& disc) {
    // The run's own open files are among those rewritten: close them first, so no buffered line
    // is lost and no file is replaced under an open handle.
    closeFiles();
    const DiscKey key(disc);
    const auto output = folders_.output();
    const auto files = SplitFolders::listFiles(output);
    for (std::size_t k = 0; k < files.size(); ++k) {
        observer_.rewriting(static_cast<int>(k));
        observer_.pump();
        DiscRemover::removeFrom(output / files[k].bytes, key);
    }
}

void SplitEngine::markBusy(const QString& disc) {
    // The first marker of a run reaches the disk; later ones only need to outlive the process.
    settings_.setBusyDisc(disc, marked_ ? Durability::Process : Durability::Disk);
    marked_ = true;
    cut_ = true;
}

void SplitEngine::markIdle() {
    settings_.setBusyDisc(QString(), Durability::Process);
    cut_ = false;
}

void SplitEngine::abandon() {
    // Keep what was finished: lines already split reach their files, finished discs reach the
    // done list. The busy marker stays when a disc is half done, so the next start warns about it
    // and the next run takes its lines out.
    // A failure here is not reported: the stop or the failure that brought us here is.
    try {
        closeFiles();
    } catch (const std::exception&) {
        // Lines that did not reach their files are taken out by the next run, as after a kill.
    }
    try {
        done_.save(Durability::Disk);
        if (!cut_)
            settings_.setBusyDisc(QString(), Durability::Disk);
    } catch (const std::exception&) {
        // An unsaved done list or marker makes the next start warn about the disc: safe.
    }
    observer_.runStopped();
}

void SplitEngine::closeFiles() {
    const bool any = table_.count() > 0;
    table_.closeAll();
    if (any)
        observer_.tableChanged(table_);
}

} // namespace splitter
