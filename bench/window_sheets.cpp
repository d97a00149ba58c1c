// Timing of the calculation sheets on their Qt surfaces (offscreen):
//   kovel-cli sheets for 50 results (25 sheets of A4), the real program:   target <= 2 s
//   the same work in one process (open the project, print the PDF):     target <= 2 s
//   one preview page with two results composed onto the page bitmap:      target <= 10 ms
#include "results/projectfile.h"
#include "printing/printerjob.h"
#include "printing/sheetcanvas.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

QGuiApplication &application()
{
    static int argc = 1;
    static char name[] = "bench_window_sheets";
    static char *argv[] = {name, nullptr};
    static QGuiApplication *app = [] {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        return new QGuiApplication(argc, argv);
    }();
    return *app;
}

// 50 results: the four beams of the sample project over and over, all marked.
results::Table fiftyResults()
{
    const results::ProjectRead read = results::readProject(KOVEL_SOURCE_DIR "/tools/data/sheets-sample.kvl");
    results::Table t;
    if (!read.table)
        return t;
    for (int k = 1; k <= results::kSlots; ++k) {
        t.slots[k] = read.table->slots[(k - 1) % 4 + 1];
        t.selectgrid[k] = read.table->selectgrid[1]; // marked, as opening marks every slot
    }
    t.datano = results::kSlots;
    return t;
}

// A folder with the 50-result project file in it.
struct ProjectFolder {
    QTemporaryDir dir;
    std::string project = dir.filePath(QStringLiteral("fifty.kvl")).toStdString();
    std::string pdf = dir.filePath(QStringLiteral("fifty.pdf")).toStdString();
    std::string error = results::saveProject(project, fiftyResults());
};

void BM_CliSheetsProgram(benchmark::State &state)
{
    application();
    const ProjectFolder folder;
    const QString cli = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("../kovel-cli"));
    if (!folder.error.empty() || !QFileInfo::exists(cli)) {
        state.SkipWithError("no project file or no kovel-cli beside the benchmarks");
        return;
    }
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    env.remove(QStringLiteral("DISPLAY"));
    for (auto _ : state) {
        QProcess run;
        run.setProcessEnvironment(env);
        run.start(cli, {QStringLiteral("sheets"), QString::fromStdString(folder.project),
                        QString::fromStdString(folder.pdf)});
        if (!run.waitForFinished(30000) || run.exitCode() != 0) {
            state.SkipWithError("kovel-cli sheets failed");
            return;
        }
    }
}
BENCHMARK(BM_CliSheetsProgram)->Unit(benchmark::kMillisecond)->Iterations(5)->Repetitions(3)->ReportAggregatesOnly();

void BM_SheetsPdfInProcess(benchmark::State &state)
{
    application();
    const ProjectFolder folder;
    if (!folder.error.empty()) {
        state.SkipWithError(folder.error.c_str());
        return;
    }
    for (auto _ : state) {
        const results::ProjectRead read = results::readProject(folder.project);
        const sheets::PrintOutcome outcome = printSheetsToPdf(*read.table, {}, folder.pdf);
        if (outcome.sheets != 25) {
            state.SkipWithError("the PDF does not hold 25 sheets");
            return;
        }
    }
}
BENCHMARK(BM_SheetsPdfInProcess)->Unit(benchmark::kMillisecond)->Iterations(5)->Repetitions(3)->ReportAggregatesOnly();

void BM_PreviewPageBitmap(benchmark::State &state)
{
    application();
    const results::Table table = fiftyResults();
    const sheets::PageSettings settings;
    QImage page = newSheetPage();
    for (auto _ : state) {
        const sheets::SheetOutcome outcome = composeSheetPage(page, table, settings);
        benchmark::DoNotOptimize(outcome.error.data());
    }
}
BENCHMARK(BM_PreviewPageBitmap)->Unit(benchmark::kMillisecond)->Repetitions(3)->ReportAggregatesOnly();

} // namespace
