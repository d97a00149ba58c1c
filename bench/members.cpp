// Reading the registered-member file at start-up, with a list of 1,000 members.
#include "sections/members.h"

#include "files/textfile.h"

#include <benchmark/benchmark.h>
#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;

// A member file of `n` members with names and values as the program stores them.
std::string memberFile(int n)
{
    const fs::path path = fs::temp_directory_path() / ("kovel-bench-members-" + std::to_string(::getpid()) + ".txt");
    std::vector<std::string> lines = {std::to_string(n)};
    for (int i = 1; i <= n; ++i) {
        const std::vector<std::string> block = {std::to_string(i), "登録部材H-" + std::to_string(200 + i) + "x100x5.5x8",
                                                "26.670", "20.900", "1810.000", "134.000", "181.000", "26.800"};
        lines.insert(lines.end(), block.begin(), block.end());
    }
    files::writeTextFile(path.string(), lines);
    return path.string();
}

void loadThousandMembers(benchmark::State &state)
{
    const std::string path = memberFile(1000);
    for (auto _ : state) {
        auto load = sections::loadMembers(path);
        if (!load.error.empty() || load.list.count != 1000)
            state.SkipWithError("the member file did not load");
        benchmark::DoNotOptimize(load);
    }
    fs::remove(path);
}
BENCHMARK(loadThousandMembers)->Unit(benchmark::kMillisecond)->Repetitions(10)->ReportAggregatesOnly(true);

void storeIntoThousandMembers(benchmark::State &state)
{
    const std::string path = memberFile(1000);
    auto list = sections::loadMembers(path).list;
    for (auto _ : state) {
        list.uno = "1"; // a change of member 1: the file is rewritten whole each time
        list.entry = {"H-200x100x5.5x8", "26.67", "20.9", "1810", "134", "181", "26.8"};
        sections::storeMember(list);
    }
    fs::remove(path);
}
BENCHMARK(storeIntoThousandMembers)->Unit(benchmark::kMillisecond)->Repetitions(10)->ReportAggregatesOnly(true);

} // namespace
