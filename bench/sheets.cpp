// Composing one preview page of calculation sheets with two fully loaded slots.
#include "beam/numtext.h"
#include "sheets/page.h"
#include "sheets/recordingcanvas.h"

#include <benchmark/benchmark.h>

namespace {

// A slot with every load group in use: uniform load, eight point loads, three part-span loads.
results::SlotRecord fullSlot(const std::string &name, const char *support, const char *units)
{
    results::SlotRecord s{};
    s[1] = "1"; s[2] = name; s[3] = "強軸"; s[4] = "長期"; s[5] = support; s[6] = units;
    s[7] = "8.00"; s[8] = "4.00"; s[9] = "300"; s[10] = "2.0"; s[11] = "10.5"; s[12] = "3.500x3.000";
    s[13] = "自重自動計算";
    for (int n = 0; n < 8; ++n) {
        s[14 + n] = beam::formatNumber(5.0 + n, "##0.00");
        s[22 + n] = beam::formatNumber(0.8 + 0.8 * n, "##0.00");
    }
    const char *w1[] = {"2.0", "3.0", "1.5"}, *w2[] = {"4.0", "1.0", "1.5"};
    const char *ld1[] = {"0", "2.5", "5.0"}, *ld2[] = {"2.0", "2.0", "3.0"};
    for (int j = 0; j < 3; ++j) {
        s[30 + j] = w1[j]; s[33 + j] = w2[j]; s[36 + j] = ld1[j]; s[39 + j] = ld2[j]; s[42 + j] = "1.0";
    }
    s[45] = "HN"; s[46] = "H-400x200x8x13"; s[51] = "23500"; s[52] = "1170"; s[53] = "65.4";
    s[54] = "182.450"; s[55] = "3.920"; s[56] = "15.59"; s[57] = "15.69"; s[58] = "121.300";
    s[59] = "0.994"; s[60] = "95.120"; s[61] = "90.880"; s[62] = "1.812"; s[63] = "441.5"; s[64] = "OK.";
    for (int i = 0; i <= 100; ++i) {
        const double x = 8.0 * i / 100.0;
        s[65 + i] = beam::formatNumber(182.45 * 4.0 * x * (8.0 - x) / 64.0, "###0.####");
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
