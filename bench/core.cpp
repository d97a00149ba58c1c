// Timing of the beam check and the automatic size selection.
//   one check with every load slot used, each support: target <= 1 ms
//   a typical check (uniform load and two point loads):  target <= 50 us
//   selection over the largest family, every load slot used, catalogue read included:
//   target <= 25 ms
#include "beam/check.h"
#include "sections/catalogue.h"
#include "sections/selection.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

const std::string kCatalogue = std::string(KOVEL_SOURCE_DIR) + "/shape/buzai.txt";

beam::InputTexts everySlotUsed(beam::Support support)
{
    beam::InputTexts in;
    in.Span = "7.35";
    in.lb = "2.45";
    in.uniform = "3.2";
    for (int k = 0; k < beam::kPointLoads; ++k) {
        in.p[k] = std::to_string(2 + k);
        in.pl[k] = std::to_string(0.4 + 0.8 * k);
    }
    for (int j = 0; j < beam::kPartLoads; ++j) {
        in.w1[j] = std::to_string(1.5 + j);
        in.w2[j] = std::to_string(4.0 - j);
        in.ld1[j] = std::to_string(0.5 + 1.7 * j);
        in.ld2[j] = "2.3";
    }
    in.support = support;
    in.inertia = "23500";
    in.modulus = "1170";
    in.selfw = "65.4";
    in.H1 = "400";
    in.B1 = "200";
    in.tf1 = "13";
    return in;
}

void BM_CheckEverySlot(benchmark::State &state)
{
    const beam::InputTexts in = everySlotUsed(static_cast<beam::Support>(state.range(0)));
    for (auto _ : state) {
        beam::CheckOutcome out = beam::runCheck(in);
        benchmark::DoNotOptimize(out);
    }
    state.SetLabel(beam::supportName(in.support));
}
BENCHMARK(BM_CheckEverySlot)->DenseRange(0, 3)->Unit(benchmark::kMicrosecond);

// A typical beam: uniform load and two point loads on a 6 m span.
beam::InputTexts typicalBeam()
{
    beam::InputTexts in;
    in.Span = "6.0";
    in.lb = "3.0";
    in.uniform = "5.0";
    in.p[0] = "12";
    in.pl[0] = "2.0";
    in.p[1] = "8";
    in.pl[1] = "4.5";
    return in;
}

void BM_CheckTypical(benchmark::State &state)
{
    const beam::InputTexts in = typicalBeam();
    for (auto _ : state) {
        beam::CheckOutcome out = beam::runCheck(in);
        benchmark::DoNotOptimize(out);
    }
}
BENCHMARK(BM_CheckTypical)->Unit(benchmark::kMicrosecond);

// The same case without writing the result texts: the four analyses on numbers.
void BM_AnalysesTypical(benchmark::State &state)
{
    const beam::InputTexts in = typicalBeam();
    for (auto _ : state) {
        const beam::BeamInput b = beam::readInput(in);
        beam::Reactions q = beam::Qcalc(b);
        beam::Moments m = beam::Mcalc(b);
        beam::Deflection d = beam::deltacalc(b);
        double fb = beam::fbcalc(b);
        benchmark::DoNotOptimize(q);
        benchmark::DoNotOptimize(m);
        benchmark::DoNotOptimize(d);
        benchmark::DoNotOptimize(fb);
    }
}
BENCHMARK(BM_AnalysesTypical)->Unit(benchmark::kMicrosecond);

// The largest searchable family is the narrow-flange H list (20 sections); the loads are
// heavy enough that none passes, so all 20 are checked.
void BM_SelectionLargestFamily(benchmark::State &state)
{
    beam::InputTexts in = everySlotUsed(beam::Support::PinPin);
    in.uniform = "400";
    in.family = beam::Family::HN;
    int checked = 0;
    for (auto _ : state) {
        sections::SelectionOutcome out = sections::selectSize(in, kCatalogue);
        checked = out.checked;
        benchmark::DoNotOptimize(out);
    }
    state.counters["checked"] = checked;
}
BENCHMARK(BM_SelectionLargestFamily)->Unit(benchmark::kMillisecond);

void BM_CatalogueLookup(benchmark::State &state)
{
    for (auto _ : state) {
        sections::LookupOutcome out = sections::lookupMember(kCatalogue, "I-600x190x16x35", false);
        benchmark::DoNotOptimize(out);
    }
}
BENCHMARK(BM_CatalogueLookup)->Unit(benchmark::kMicrosecond);

} // namespace
