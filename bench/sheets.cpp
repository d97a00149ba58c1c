// Composing one preview page of calculation sheets with two fully loaded slots.
#include "beam/numtext.h"
#include "results/slotfields.h"
#include "sheets/page.h"
#include "sheets/recordingcanvas.h"

#include <benchmark/benchmark.h>

namespace {

// A slot with every load group in use: uniform load, eight point loads, three part-span loads.
results::SlotRecord fullSlot(const std::string &name, const char *support, const char *units)
{
    using namespace results::field;
    results::SlotRecord s{};
    s[kNumber] = "1"; s[kName] = name; s[kAxis] = "強軸"; s[kTerm] = "長期";
    s[kSupport] = support; s[kUnits] = units;
    s[kSpan] = "8.00"; s[kLb] = "4.00"; s[kLimitRatio] = "300"; s[kLimitAbs] = "2.0";
    s[kUniform] = "10.5"; s[kFormula] = "3.500x3.000"; s[kSelfSwitch] = "自重自動計算";
    for (int n = 0; n < 8; ++n) {
        s[kP1 + n] = beam::formatNumber(5.0 + n, "##0.00");
        s[kPl1 + n] = beam::formatNumber(0.8 + 0.8 * n, "##0.00");
    }
    const char *w1[] = {"2.0", "3.0", "1.5"}, *w2[] = {"4.0", "1.0", "1.5"};
    const char *ld1[] = {"0", "2.5", "5.0"}, *ld2[] = {"2.0", "2.0", "3.0"};
    for (int j = 0; j < 3; ++j) {
        s[kW1a + j] = w1[j]; s[kW2a + j] = w2[j]; s[kLd1a + j] = ld1[j]; s[kLd2a + j] = ld2[j];
        s[kLd3a + j] = "1.0";
    }
    s[kFamily] = "HN"; s[kMember] = "H-400x200x8x13";
    s[kInertia] = "23500"; s[kModulus] = "1170"; s[kSelfWeight] = "65.4";
    s[kMmax] = "182.450"; s[kMmaxAt] = "3.920"; s[kSigma] = "15.59"; s[kFb] = "15.69"; s[kMcent] = "121.300";
    s[kRatio] = "0.994"; s[kRa] = "95.120"; s[kRb] = "90.880"; s[kDelta] = "1.812"; s[kLx] = "441.5";
    s[kVerdict] = "OK.";
    for (int i = 0; i <= 100; ++i) {
        const double x = 8.0 * i / 100.0;
        s[kMoment0 + i] = beam::formatNumber(182.45 * 4.0 * x * (8.0 - x) / 64.0, "###0.####");
    }
    return s;
}

results::Table twoSlots()
{
    results::Table t;
    t.slots[1] = fullSlot("B1", "両端ピン", "SI単位");
    t.slots[2] = fullSlot("G2", "両端固定", "従来単位");
    t.datano = 2;
    t.selectgrid[1] = "1";
    t.selectgrid[2] = "1";
    return t;
}

void BM_ComposePageNullCanvas(benchmark::State &state)
{
    const results::Table table = twoSlots();
    const sheets::PageSettings settings;
    sheets::NullCanvas canvas;
    for (auto _ : state)
        benchmark::DoNotOptimize(sheets::composePage(canvas, table, settings));
}
BENCHMARK(BM_ComposePageNullCanvas)->Unit(benchmark::kMicrosecond);

void BM_ComposePageRecordingCanvas(benchmark::State &state)
{
    const results::Table table = twoSlots();
    const sheets::PageSettings settings;
    for (auto _ : state) {
        sheets::RecordingCanvas canvas;
        benchmark::DoNotOptimize(sheets::composePage(canvas, table, settings));
        benchmark::DoNotOptimize(canvas.calls.data());
    }
}
BENCHMARK(BM_ComposePageRecordingCanvas)->Unit(benchmark::kMicrosecond);

} // namespace
