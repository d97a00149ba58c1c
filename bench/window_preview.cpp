// Timing of the print-preview page of the window (offscreen), two full sheets on the page
// (eight point loads and three part-span loads each, both figures):
//   one composition through the page (settings read, bitmap composed, `pageA` repainted):
//                                                                   target <= 10 ms
//   the user switching to the preview tab (the same composition and the page shown):
//                                                                   target <= 10 ms
#include "bench/windowbench.h"
#include "results/projectfile.h"
#include "results/slotfields.h"
#include "window/mainwindow.h"
#include "window/previewpage.h"

#include <QApplication>
#include <QDir>
#include <QPrinter>
#include <QStyleFactory>
#include <QTabWidget>
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

namespace {

namespace field = results::field;

QApplication &application()
{
    return benchApplication();
}

// A sample slot with every load line of the sheet in use.
results::SlotRecord fullSlot(const results::SlotRecord &sample)
{
    results::SlotRecord slot = sample;
    const double span = results::storedNumber(sample, field::kSpan);
    for (int n = 0; n < 8; ++n) {
        slot[field::kP1 + n] = std::to_string(5 + n);
        slot[field::kPl1 + n] = std::to_string(span * (n + 1) / 9);
    }
    for (int j = 0; j < 3; ++j) {
        slot[field::kW1a + j] = std::to_string(1 + j);
        slot[field::kW2a + j] = std::to_string(3 - j);
        slot[field::kLd1a + j] = std::to_string(span * j / 3);
        slot[field::kLd2a + j] = std::to_string(span / 3);
    }
    return slot;
}

struct PreviewWindow {
    std::unique_ptr<MainWindow> window;
    QWidget *pageA = nullptr;
    bool ready = false;

    PreviewWindow()
    {
        application();
        const results::ProjectRead read = results::readProject(KOVEL_SOURCE_DIR "/tools/data/sheets-sample.kvl");
        if (!read.table)
            return;
        window = std::make_unique<MainWindow>(std::make_unique<SilentDialogs>());
        results::Table &t = window->table();
        for (int k = 1; k <= 2; ++k) {
            t.slots[k] = fullSlot(read.table->slots[k]);
            t.selectgrid[k].assign(1, '1'); // marked
        }
        t.datano = 2;
        window->show();
        QCoreApplication::processEvents();
        window->previewPage()->PageControl1Enter();
        pageA = window->findChild<QWidget *>(QStringLiteral("pageA"));
        ready = pageA != nullptr;
    }
};

void BM_PreviewCompositionThroughThePage(benchmark::State &state)
{
    PreviewWindow w;
    if (!w.ready) {
        state.SkipWithError("no window or no sample project");
        return;
    }
    w.window->pages()->setCurrentIndex(2);
    QCoreApplication::processEvents();
    for (auto _ : state) {
        w.window->previewPage()->hyoujipageChange();
        w.pageA->repaint();
    }
}
BENCHMARK(BM_PreviewCompositionThroughThePage)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly();

void BM_SwitchToThePreviewTab(benchmark::State &state)
{
    PreviewWindow w;
    if (!w.ready) {
        state.SkipWithError("no window or no sample project");
        return;
    }
    QTabWidget *tabs = w.window->pages();
    for (auto _ : state) {
        state.PauseTiming();
        w.window->showPage(0); // a switch by the program composes nothing
        QCoreApplication::processEvents();
        state.ResumeTiming();
        tabs->setCurrentIndex(2); // as a click on the tab does
        w.window->previewPage()->repaint();
    }
}
BENCHMARK(BM_SwitchToThePreviewTab)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly();

} // namespace
