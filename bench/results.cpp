// Save and open of a full 50-slot project file (target: 20 ms each).
#include "beam/numtext.h"
#include "results/projectfile.h"
#include "results/store.h"
#include "results/textreport.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <unistd.h>

namespace {

// Fifty stored results with Japanese texts and a moment line in every slot.
results::Table fullTable()
{
    results::Table table;
    results::resetTable(table);
    for (int s = 1; s <= results::kSlots; ++s) {
        sections::NamedBeam p;
        p.Bname = "大梁Ｇ" + std::to_string(s);
        p.texts.support = beam::Support::PinFixed;
        p.texts.family = beam::Family::HN;
        p.texts.Span = "6.00";
        p.texts.lb = "3.00";
        p.texts.seigen1 = "300";
        p.texts.seigen2 = "2.0";
        p.texts.uniform = "12.5";
        p.shiki = "2.5×5";
        p.texts.p[0] = "20";
        p.texts.pl[0] = "3.00";
        p.member = "H-300x150x6.5x9";
        p.texts.inertia = "7210";
        p.texts.modulus = "481";
        p.texts.selfw = "36.7";
        p.result.RMmax = "75.324";
        p.result.hantei = "OK.";
        for (int i = 0; i < results::kStations; ++i)
            p.result.Mgrid[static_cast<std::size_t>(i)] = beam::formatNumber(0.0625 * i * (100 - i) / 3.0, "###0.####");
        results::storeResult(table, p, results::WhenFull::Refuse);
    }
    return table;
}

std::string benchFile(const char *name)
{
    return (std::filesystem::temp_directory_path() / (std::string("kovel-bench-") + std::to_string(::getpid()) + name))
        .string();
}

void BM_SaveFullProject(benchmark::State &state)
{
    const results::Table table = fullTable();
    const std::string path = benchFile(".kvl");
    for (auto _ : state) {
        std::string error = results::saveProject(path, table);
        if (!error.empty())
            state.SkipWithError(error.c_str());
    }
    std::filesystem::remove(path);
}
BENCHMARK(BM_SaveFullProject)->Unit(benchmark::kMillisecond);

void BM_OpenFullProject(benchmark::State &state)
{
    const std::string path = benchFile("-open.kvl");
    results::saveProject(path, fullTable());
    results::Table table;
    for (auto _ : state) {
        std::string error = results::openProject(table, path);
        if (!error.empty())
            state.SkipWithError(error.c_str());
        benchmark::DoNotOptimize(table.datano);
    }
    std::filesystem::remove(path);
}
BENCHMARK(BM_OpenFullProject)->Unit(benchmark::kMillisecond);

void BM_TextReportFullProject(benchmark::State &state)
{
    const results::Table table = fullTable();
    const std::string path = benchFile(".txt");
    for (auto _ : state)
        results::writeTextReport(path, table);
    std::filesystem::remove(path);
}
BENCHMARK(BM_TextReportFullProject)->Unit(benchmark::kMillisecond);

} // namespace
