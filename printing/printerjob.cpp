#include "printing/printerjob.h"

#include <QFile>
#include <QGuiApplication>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>

#include <algorithm>

namespace {

// The margins a usual office printer cannot print on, points (10 points = 3.5 mm).
constexpr double kPdfMargin = 10.0;

} // namespace

PrinterJob::PrinterJob(QPrinter &printer) : m_printer(printer) {}

PrinterJob::~PrinterJob()
{
    if (m_painter.isActive())
        m_painter.end();
}

int PrinterJob::printableWidth() const
{
    return m_printer.pageLayout().paintRectPixels(m_printer.resolution()).width();
}

int PrinterJob::dotsPerInch() const
{
    return m_printer.resolution();
}

bool PrinterJob::begin()
{
    if (!m_painter.begin(&m_printer))
        return false;
    m_canvas = std::make_unique<SheetCanvas>(m_painter, m_printer.resolution());
    return true;
}

beam::Canvas &PrinterJob::canvas()
{
    return *m_canvas;
}

void PrinterJob::newPage()
{
    if (!m_printer.newPage())
        m_pagesOk = false;
}

void PrinterJob::end()
{
    m_painter.end();
}

void preparePdfPrinter(QPrinter &printer, const QString &fileName)
{
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(fileName);
    printer.setResolution(kSheetPdfDpi);
    printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                      QMarginsF(kPdfMargin, kPdfMargin, kPdfMargin, kPdfMargin), QPageLayout::Point));
    printer.setCreator(QStringLiteral("KOVEL"));
    printer.setDocName(QStringLiteral("計算書"));
}

std::string pdfMarginRefusal(const results::Table &table, const sheets::PageSettings &settings)
{
    const sheets::MarginCheck margin = sheets::checkMargin(settings.hidari);
    if (!margin.error.empty())
        return margin.error;
    QPrinter printer(QPrinter::HighResolution);
    preparePdfPrinter(printer, QString()); // nothing is written before a painter begins
    const PrinterJob page(printer);
    return sheets::marginFitRefusal(margin.margin, sheets::largestMargin(table, settings, page.printableWidth(),
                                                                         page.dotsPerInch()));
}

sheets::PrintOutcome printSheetsToPdf(const results::Table &table, const sheets::PageSettings &settings,
                                      const std::string &path)
{
    const std::vector<const results::SlotRecord *> records = sheets::markedRecords(table);
    return printSheetsToPdf(records, settings, path);
}

sheets::PrintOutcome printSheetsToPdf(const std::vector<const results::SlotRecord *> &records,
                                      const sheets::PageSettings &settings, const std::string &path)
{
    files::SafeFileWriter file(path);
    sheets::PrintOutcome outcome;
    outcome.hidari = settings.hidari;
    if (outcome.error = file.open(); !outcome.error.empty())
        return outcome;
    outcome = printSheetsToPdf(records, settings, file);
    if (outcome.error.empty())
        outcome.error = file.commit();
    return outcome;
}

sheets::PrintOutcome printSheetsToPdf(const std::vector<const results::SlotRecord *> &records,
                                      const sheets::PageSettings &settings, files::SafeFileWriter &file)
{
    sheets::PrintOutcome outcome;
    outcome.hidari = settings.hidari;
    if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance())) {
        outcome.error = "印刷の準備ができていません（アプリケーションが作られていません）。";
        return outcome;
    }
    QPrinter printer(QPrinter::HighResolution);
    const std::string error = printThroughScratchFile(printer, file, [&](const QString &scratch) {
        preparePdfPrinter(printer, scratch);
        PrinterJob job(printer);
        outcome = sheets::printSheets(job, records, settings);
        if (outcome.error.empty() && !job.allPagesStarted())
            outcome.error = "PDFファイルに次の頁を作れませんでした。";
        return outcome.error;
    });
    outcome.error = error;
    return outcome;
}

sheets::PrintOutcome printDetailedToPdf(const sheets::DetailedPlan &plan, const std::string &path)
{
    files::SafeFileWriter file(path);
    sheets::PrintOutcome outcome;
    if (outcome.error = file.open(); !outcome.error.empty())
        return outcome;
    outcome = printDetailedToPdf(plan, file);
    if (outcome.error.empty())
        outcome.error = file.commit();
    return outcome;
}

sheets::PrintOutcome printDetailedToPdf(const sheets::DetailedPlan &plan, files::SafeFileWriter &file)
{
    sheets::PrintOutcome outcome;
    if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance())) {
        outcome.error = "印刷の準備ができていません（アプリケーションが作られていません）。";
        return outcome;
    }
    QPrinter printer(QPrinter::HighResolution);
    outcome.error = printThroughScratchFile(printer, file, [&](const QString &scratch) {
        preparePdfPrinter(printer, scratch);
        PrinterJob job(printer);
        outcome = sheets::printDetailed(job, plan);
        if (outcome.error.empty() && !job.allPagesStarted())
            outcome.error = "PDFファイルに次の頁を作れませんでした。";
        return outcome.error;
    });
    return outcome;
}

std::string printThroughScratchFile(QPrinter &printer, files::SafeFileWriter &file,
                                    const std::function<std::string(const QString &scratch)> &print)
{
    const files::ScratchFile scratch(".pdf");
    if (scratch.path().empty())
        return scratch.error();
    const QString temporary = QString::fromStdString(scratch.path());
    if (std::string refusal = print(temporary); !refusal.empty())
        return refusal;

    QFile printed(temporary);
    if (!printed.open(QIODevice::ReadOnly))
        return "PDFファイルを作成できませんでした。";
    // a complete PDF ends with its end-of-file marker
    printed.seek(std::max<qint64>(0, printed.size() - 1024));
    if (printer.outputFormat() == QPrinter::PdfFormat && !printed.readAll().trimmed().endsWith("%%EOF"))
        return "PDFファイルを最後まで作成できませんでした。";
    return file.copyFrom(scratch.path());
}
