// Walks one folder into one disc list with the walk engine and prints the elapsed seconds,
// the counts and the peak memory.
// Usage: walk_bench_driver [--facts] ROOT OUTPUT [LOCATION [PATTERN]]
//   (PATTERN: the file name field; --facts: each file's size and time kept as cataloguing does)
#include "common/error.h"
#include "dravik/media/facts_collector.h"
#include "dravik/walker/walk_engine.h"

#include <chrono>
#include <cstdio>
#include <string_view>
#include <sys/resource.h>

int main(int argc, char** argv) {
    const bool facts = argc > 1 && std::string_view(argv[1]) == "--facts";
    if (facts) {
        --argc;
        ++argv;
    }
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s [--facts] ROOT OUTPUT [LOCATION [PATTERN]]\n", argv[0]);
        return 2;
    }
    dravik::walker::WalkInput input;
    input.location = argc > 3 ? argv[3] : "E:\\";
    if (argc > 4)
        input.fileName = argv[4];
    dravik::walker::WalkEngine engine(argv[1], input);
    // A progress callback as the finder window sets one, so its cost is in the figure.
    long long calls = 0;
    engine.setProgress([&](const dravik::walker::WalkCounts&) { ++calls; });
    dravik::media::FactsCollector collector;
    if (facts)
        engine.setObserver(&collector);

    const auto start = std::chrono::steady_clock::now();
    dravik::walker::WalkCounts counts;
    try {
        counts = engine.run(argv[2]);
    } catch (const common::Error& error) {
        std::fprintf(stderr, "walk failed: %s\n", error.what());
        return 1;
    }
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;

    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("%.3f s  files %lld  folders %lld  skipped %lld  progress calls %lld  "
                "peak RSS %ld KiB",
                elapsed.count(), counts.files, counts.folders, counts.skipped, calls,
                usage.ru_maxrss);
    if (facts)
        std::printf("  facts %zu files, %lld bytes", collector.entries().size(),
                    static_cast<long long>(collector.bytes()));
    std::printf("\n");
    return 0;
}
