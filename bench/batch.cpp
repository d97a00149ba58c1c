// Timing of a beam schedule checked at once.
//   10,000 typical rows (uniform load and two point loads, catalogue sections, the four
//   supports mixed), the whole `kovel-cli batch` process:           target <= 1 s
//   1,000 rows with the automatic selection, the whole process:      target <= 1 s
//   100,000 typical rows: the process's peak memory (counter maxrss_MB): target < 100 MB
// The in-process benchmarks give the cost of one row without the process around it.
#include "results/csv.h"
#include "results/schedule.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

// A schedule of n rows: typical beams, or beams left to the automatic selection.
std::string schedule(int n, bool design)
{
    static const char *const members[] = {"H-200x100x5.5x8", "H-250x125x6x9", "H-300x150x6.5x9", "H-350x175x7x11",
                                          "H-400x200x8x13", "H-450x200x9x14"};
    static const char *const supports[] = {"pinpin", "pinkotei", "koteikotei", "jiyuukotei"};
    static const double spans[] = {3.6, 4.5, 5.4, 6.0, 6.4, 7.2, 8.0};
    std::string csv = "Bname,Span,lb,support,family,member,uniform,p1,pl1,p2,pl2,design\r\n";
    char line[256];
    for (int i = 0; i < n; ++i) {
        const int s = i % 4;
        const double span = s == 3 ? spans[i % 7] / 3 : spans[i % 7];
        std::snprintf(line, sizeof line, "B%d,%.2f,%.2f,%s,HN,%s,%.1f,%d,%.2f,%d,%.2f,%d\r\n", i + 1, span, span / 3,
                      supports[s], design ? "" : members[i % 6], 6.5 + (i % 5) * 2.4, 5 + i % 36, span / 3,
                      5 + (i * 7) % 36, 2 * span / 3, design ? 1 : 0);
        csv += line;
    }
    return csv;
}

// Reading, checking and writing every row in this process, one thread.
void BM_ScheduleInProcess(benchmark::State &state)
{
    const int rows = static_cast<int>(state.range(0));
    const bool design = state.range(1) != 0;
    const std::string text = schedule(rows, design);
    fs::current_path(KOVEL_SOURCE_DIR);
    const sections::CatalogueRead catalogue = sections::readCatalogue(sections::kCatalogueFile);
    const sections::SectionSources sources{&*catalogue.catalogue, nullptr};
    for (auto _ : state) {
        results::CsvReader reader(text);
        results::CsvRecord record;
        reader.next(record);
        results::ScheduleColumns columns;
        results::readScheduleHeader(record, columns);
        std::string out;
        while (reader.next(record))
            results::appendCsvRecord(out, results::outputRow(columns, record, results::computeRow(columns, record, sources),
                                                          false));
        benchmark::DoNotOptimize(out);
    }
    state.SetLabel(design ? "design=1" : "typical");
}
BENCHMARK(BM_ScheduleInProcess)->Args({1000, 0})->Args({100, 1})->Unit(benchmark::kMillisecond);

// Runs `kovel-cli batch IN -o OUT` in the source folder; the peak memory of the process
// in KB, or -1 when it did not run to a normal end.
long runBatch(const fs::path &in, const fs::path &out)
{
    const pid_t pid = ::fork();
    if (pid == 0) {
        if (::chdir(KOVEL_SOURCE_DIR) != 0 || !std::freopen("/dev/null", "w", stderr))
            ::_exit(127);
        ::execl(KOVEL_CLI, "kovel-cli", "batch", in.c_str(), "-o", out.c_str(), static_cast<char *>(nullptr));
        ::_exit(127);
    }
    int status = 0;
    rusage usage{};
    if (pid < 0 || ::wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) || WEXITSTATUS(status) > 1)
        return -1;
    return usage.ru_maxrss;
}

// The whole `kovel-cli batch` process on a schedule file; the peak memory of the process
// in the counter maxrss_MB.
void BM_BatchProcess(benchmark::State &state)
{
    const int rows = static_cast<int>(state.range(0));
    const bool design = state.range(1) != 0;
    const fs::path dir = fs::temp_directory_path() / ("kovel_bench_batch_" + std::to_string(::getpid()));
    fs::create_directories(dir);
    const fs::path in = dir / "schedule.csv", out = dir / "results.csv";
    std::ofstream(in, std::ios::binary) << schedule(rows, design);
    long peak = 0;
    for (auto _ : state) {
        const long kb = runBatch(in, out);
        if (kb < 0) {
            state.SkipWithError("kovel-cli batch failed");
            break;
        }
        peak = std::max(peak, kb);
    }
    state.counters["maxrss_MB"] = static_cast<double>(peak) / 1024.0;
    state.SetLabel(std::to_string(rows) + (design ? " rows, design=1" : " typical rows"));
    fs::remove_all(dir);
}
BENCHMARK(BM_BatchProcess)
    ->Args({10000, 0})
    ->Args({1000, 1})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_BatchProcess)->Args({100000, 0})->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

} // namespace
