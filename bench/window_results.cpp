// Timing of the result table page (offscreen):
//   showing a stored slot with both diagrams (a click on another slot button: the
//   selection shift, every shown text, the support picture, the load and stress
//   diagrams, and the input page's change action that the new texts run):  target <= 5 ms
//   storing a calculated result (store, page switch, show):                 reported
#include "bench/windowbench.h"
#include "results/store.h"
#include "window/inputpage.h"
#include "window/mainwindow.h"
#include "window/resultpage.h"

#include <QApplication>
#include <QDir>
#include <QPrinter>
#include <QStyleFactory>
#include <benchmark/benchmark.h>

#include <memory>

namespace {

void application()
{
    benchApplication();
}

// A stored slot with every kind of load, so that both diagrams draw their most.
sections::NamedBeam loadedSlot(int k)
{
    sections::NamedBeam p;
    p.Bname = "G" + std::to_string(k);
    p.texts.support = k % 2 ? beam::Support::PinPin : beam::Support::FixedFixed;
    p.texts.Span = std::to_string(6 + k) + ".000";
    p.texts.lb = "3.000";
    p.texts.uniform = "5.000";
    p.shiki = "3.000x(2.000+1.500)/2";
    for (std::size_t i = 0; i < 8; ++i) {
        p.texts.p[i] = std::to_string(5 + i) + ".000";
        p.texts.pl[i] = std::to_string(i % 6) + ".500";
    }
    for (std::size_t j = 0; j < 3; ++j) {
        p.texts.w1[j] = "1.000";
        p.texts.w2[j] = std::to_string(2 + j) + ".000";
        p.texts.ld1[j] = std::to_string(j) + ".000";
        p.texts.ld2[j] = "2.000";
        p.ld3[j] = "1.000";
    }
    p.texts.family = beam::Family::HN;
    p.member = "H-300x150x6.5x9";
    beam::ResultTexts &r = p.result;
    r.RMmax = "88.125";
    r.RQa = "41.250";
    r.RQb = "38.750";
    r.Mcent = "88.125";
    r.hantei = "OK.";
    for (int i = 0; i <= 100; ++i)
        r.Mgrid[static_cast<std::size_t>(i)] = std::to_string(i * (100 - i) / 30) + ".25";
    return p;
}

void BM_ShowSlot(benchmark::State &state)
{
    application();
    MainWindow w(std::make_unique<SilentDialogs>());
    w.show();
    for (int k = 1; k <= 10; ++k)
        results::storeResult(w.table(), loadedSlot(k), results::WhenFull::Refuse);
    ResultPage *page = w.resultPage();
    page->fillSlotArrays();
    w.pages()->setCurrentWidget(page);
    QCoreApplication::processEvents();
    int k = 0;
    for (auto _ : state) {
        page->dataClick(k++ % 10 + 1);
        benchmark::DoNotOptimize(page->stressDiagramImage().constBits());
    }
}
BENCHMARK(BM_ShowSlot)->Unit(benchmark::kMicrosecond);

void BM_StoreResult(benchmark::State &state)
{
    application();
    MainWindow w(std::make_unique<SilentDialogs>());
    w.show();
    InputPage *input = w.inputPage();
    for (auto _ : state) {
        state.PauseTiming();
        if (w.table().datano == results::kSlots)
            results::resetTable(w.table());
        input->setKeisan2(QStringLiteral("結果登録"));
        state.ResumeTiming();
        input->kakunouClick();
    }
}
BENCHMARK(BM_StoreResult)->Unit(benchmark::kMicrosecond);

} // namespace
