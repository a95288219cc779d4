// dravik-cli search: the window's global search for scripts, over the same matcher.
#include "dravik/cli/cli.h"

#include "common/code_page.h"
#include "common/drive_table.h"
#include "common/error.h"
#include "common/file_ops.h"
#include "common/text_writer.h"
#include "common/upper_case.h"
#include "dravik/catalogue/catalogue.h"
#include "dravik/reports/saved_reports.h"
#include "dravik/search/search_matcher.h"
#include "dravik/search/word_list.h"
#include "dravik/workspace/workspace.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <memory>

namespace dravik::cli {

namespace {

// Exit statuses of search, as grep has them.
constexpr int Found = 0;
constexpr int NoneFound = 1;
constexpr int Failed = 2;

// Rows to standard output (and to the report being saved) as the quick report holds them;
// failures to standard error, after which the search goes on with the next source. A line too
// long to search is named there too: the search then did not look at everything.
class RowPrinter : public search::SearchObserver {
public:
    RowPrinter(std::ostream& out, const ErrorLine& error, common::TextWriter* report,
               QJsonArray* rows)
        : out_(out), error_(error), report_(report), rows_(rows) {
        buffer_.reserve(Flush + 4096);
    }

    void rowFound(std::string_view row, const search::SearchProgress&) override {
        if (report_)
            report_->rawLine(row);
        if (rows_) {
            rows_->append(common::CodePage::decodeLine(std::string(row)));
            return;
        }
        buffer_.append(row);
        buffer_.append("\r\n");
        if (buffer_.size() >= Flush)
            flush();
    }
    search::FailureAnswer failed(const search::SearchFailure& failure) override {
        flush();
        error_.write(failure.error);
        failures_ = true;
        return search::FailureAnswer::SkipSource;
    }
    void lineSkipped(const search::SearchProgress& progress, long long line) override {
        flush();
        error_.write(progress.source.toStdString() + ": line " + std::to_string(line) +
                     " is longer than " + std::to_string(search::SearchMatcher::MaxLine >> 20) +
                     " MiB and was not searched");
        failures_ = true;
    }
    void flush() {
        out_.write(buffer_.data(), static_cast<std::streamsize>(buffer_.size()));
        buffer_.clear();
    }
    bool failures() const { return failures_; }

private:
    static constexpr std::size_t Flush = 1u << 18;
    std::ostream& out_;
    const ErrorLine& error_;
    common::TextWriter* report_;
    QJsonArray* rows_; // --json: the rows, decoded, for one document at the end
    std::string buffer_;
    bool failures_ = false;
};

} // namespace

int Cli::search(const QStringList& arguments) {
    search::SearchRequest request;
    QString text, data, report;
    QStringList discs, entries;
    bool textGiven = false, reportGiven = false, json = false;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& a = arguments[i];
        const bool valued = i + 1 < arguments.size();
        if (a == "--disc" && valued) {
            discs << arguments[++i];
        } else if (a == "--ext" && valued) {
            entries << common::UpperCase::of(arguments[++i]);
        } else if (a == "--data" && valued) {
            data = arguments[++i];
        } else if (a == "--report" && valued) {
            report = arguments[++i];
            reportGiven = true;
        } else if (a == "--case") {
            request.options.caseRule = search::CaseRule::ExactCase;
        } else if (a == "--word") {
            request.options.wordRule = search::WordRule::WholeWord;
        } else if (a == "--json") {
            json = true;
        } else if (a == "--names") {
            request.options.rowRule = search::RowRule::EachFileName;
        } else if (a.startsWith("--") || textGiven) {
            error_.usage("unexpected \"" + a.toStdString() + "\"");
            return Usage;
        } else {
            text = a;
            textGiven = true;
        }
    }
    if (text.isEmpty()) {
        error_.usage("search needs a text to find");
        return Usage;
    }
    if (const auto reason = reportGiven ? reports::SavedReports::refusal(report) : std::nullopt) {
        error_.write(*reason);
        return Failed;
    }

    try {
        const workspace::Workspace ws = workspace(data);
        request.dataFolder = ws.dataFolder();
        std::error_code ec;
        if (!std::filesystem::is_directory(request.dataFolder, ec))
            throw common::Error(common::ErrorNumber::PathNotFound,
                                "the data folder " + request.dataFolder.string() + " is not there");
        request.words = search::WordList::split(text);
        if (!entries.isEmpty()) {
            request.mode = search::SourceMode::Extensions;
            request.sources = entries;
        } else if (!discs.isEmpty()) {
            request.sources = discs;
        } else if (const auto index = ws.dataFile(catalogue::Catalogue::IndexName);
                   std::filesystem::exists(index, ec)) {
            // An index that is no file is an error, not a catalogue without discs.
            common::FileOps::refuseIfNotRegular(index);
            request.sources =
                catalogue::Catalogue(ws.dataFolder(), ws.programFolder()).readDiscIndex();
        }

        std::unique_ptr<common::TextWriter> saved;
        if (reportGiven) {
            const reports::SavedReports reports(request.dataFolder);
            reports.makeFolder();
            saved = std::make_unique<common::TextWriter>(reports.target(report),
                                                         common::TextWriter::Mode::Replace);
        }
        QJsonArray rows;
        RowPrinter printer(out_, error_, saved.get(), json ? &rows : nullptr);
        const auto summary = search::SearchMatcher(std::move(request)).run(printer);
        printer.flush();
        if (json)
            out_ << QJsonDocument(QJsonObject{{"rows", rows},
                                              {"links", static_cast<qint64>(summary.rows)},
                                              {"examined", static_cast<qint64>(summary.examined)}})
                        .toJson()
                        .toStdString();
        out_.flush();
        int status = printer.failures() ? Failed : summary.rows > 0 ? Found : NoneFound;
        try {
            if (saved)
                saved->commit();
        } catch (const common::Error& e) {
            error_.write(e, "the report was not saved: ");
            status = Failed;
        }
        err_ << summary.rows << " links, " << summary.examined << " examined\n";
        return status;
    } catch (const common::Error& e) {
        error_.write(e);
        return Failed;
    }
}

} // namespace dravik::cli
