// Runs the global search over every disc of DK.tex as the window does: rows kept in memory (the
// result list) and written to the quick report as they come, an observer that checks the clock
// per block as a throttled yield point would, then the report put in place. Prints seconds
// (search, then putting the report in place), rows, examined and peak RSS.
// Usage: search_bench_driver DATA WORDS [--names] [REPORT]
#include "common/item_reader.h"
#include "common/text_writer.h"
#include "dravik/search/result_rows.h"
#include "dravik/search/search_matcher.h"
#include "dravik/search/word_list.h"

#include <QString>

#include <chrono>
#include <cstdio>
#include <memory>
#include <sys/resource.h>

namespace {

using Clock = std::chrono::steady_clock;

struct Window : dravik::search::SearchObserver {
    dravik::search::ResultRows rows;
    std::unique_ptr<common::TextWriter> report;
    Clock::time_point lastPump = Clock::now();
    long pumps = 0;
    void rowFound(std::string_view row, const dravik::search::SearchProgress&) override {
        rows.add(row);
        if (report)
            report->rawLine(row);
    }
    void working(const dravik::search::SearchProgress&) override {
        const auto now = Clock::now();
        if (now - lastPump > std::chrono::milliseconds(15)) {
            lastPump = now;
            ++pumps;
        }
    }
};

double since(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s DATA WORDS [--names] [REPORT]\n", argv[0]);
        return 2;
    }
    dravik::search::SearchRequest request;
    request.dataFolder = argv[1];
    request.words = dravik::search::WordList::split(QString::fromUtf8(argv[2]));
    const char* report = nullptr;
    for (int i = 3; i < argc; ++i) {
        if (std::string_view(argv[i]) == "--names")
            request.options.rowRule = dravik::search::RowRule::EachFileName;
        else
            report = argv[i];
    }
    for (const auto& disc : common::ItemReader::readAll(request.dataFolder / "DK.tex"))
        request.sources << QString::fromStdString(disc);

    const auto start = Clock::now();
    Window window;
    if (report) // as the window writes its quick report
        window.report = std::make_unique<common::TextWriter>(
            report, common::TextWriter::Mode::Replace, common::TextWriter::Durability::Process);
    const auto summary = dravik::search::SearchMatcher(request).run(window);
    const double searching = since(start);
    const auto writing = Clock::now();
    if (window.report)
        window.report->commit();
    struct rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("%.3f s search  %.3f s report  %lld rows  %lld examined  %ld pumps  "
                "peak RSS %ld KiB\n",
                searching, since(writing), summary.rows, summary.examined, window.pumps,
                usage.ru_maxrss);
    return 0;
}
