#include "window/sheetcanvas.h"

#include "files/textfile.h"
#include "window/qtcanvas.h"

#include <QFile>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPen>
#include <QPrinter>

#include <algorithm>

namespace {

// The margins a usual office printer cannot print on, points (10 points = 3.5 mm).
constexpr double kPdfMargin = 10.0;

} // namespace

SheetCanvas::SheetCanvas(QPainter &painter, int dotsPerInch)
    : m_painter(painter), m_dpi(std::max(1, dotsPerInch)), m_linePen(QtCanvas::linePen(painter)),
      m_font(fontFamily())
{
    m_painter.setRenderHint(QPainter::Antialiasing, false);
    m_painter.setPen(m_linePen);
    m_font.setWeight(QFont::Normal);
    // glyphs snapped to whole pixels: unsnapped, a smoothed "." of 11 pixels reads like ","
    m_font.setHintingPreference(QFont::PreferFullHinting);
    m_font.setStretch(kSheetFontStretch);
    setFontSize(8);
}

int SheetCanvas::pixelSize(int points, int dotsPerInch)
{
    return sheets::emPixels(points, dotsPerInch);
}

QString SheetCanvas::fontFamily()
{
    // the fixed-width Gothic face of every drawing of the program: the sheet relies on
    // equal widths ("w= ----- " covers "w= (kN/m)" character for character)
    return QtCanvas::fontFamily();
}

void SheetCanvas::moveTo(int x, int y)
{
    m_pen = QPoint(x, y);
}

void SheetCanvas::lineTo(int x, int y)
{
    const QPoint to(x, y);
    m_painter.setPen(m_linePen);
    m_painter.drawLine(m_pen, to);
    m_pen = to;
}

void SheetCanvas::text(int x, int y, const std::string &utf8)
{
    const QString s = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
    const QFontMetrics metrics(m_font);
    m_painter.fillRect(QRect(x, y, metrics.horizontalAdvance(s), metrics.height()), Qt::white);
    m_painter.setPen(m_textColour);
    drawTextWithClearPoints(m_painter, QPoint(x, y + metrics.ascent()), s, m_font);
    m_painter.setPen(m_linePen);
}

void SheetCanvas::setFontSize(int points)
{
    m_font.setPixelSize(pixelSize(points, m_dpi));
}

void SheetCanvas::setTextColor(beam::Rgb colour)
{
    m_textColour = QColor(colour.r, colour.g, colour.b);
}

void SheetCanvas::clear()
{
    // the drawings hold no grey, so the flood fill from (1, 1) whitens the whole surface
    const QPaintDevice *device = m_painter.device();
    m_painter.fillRect(QRect(0, 0, device->width(), device->height()), Qt::white);
}

namespace {

// The pixel size of a page bitmap at that device pixel ratio (1 at most densities below).
QSize sheetPagePixels(qreal devicePixelRatio)
{
    const qreal ratio = std::max<qreal>(1.0, devicePixelRatio);
    return QSize(qRound(kSheetPageWidth * ratio), qRound(kSheetPageHeight * ratio));
}

} // namespace

QImage newSheetPage(qreal devicePixelRatio)
{
    QImage page(sheetPagePixels(devicePixelRatio), QImage::Format_RGB32);
    const int dotsPerMeter = static_cast<int>(kSheetPreviewDpi / 0.0254 + 0.5);
    page.setDotsPerMeterX(dotsPerMeter);
    page.setDotsPerMeterY(dotsPerMeter);
    page.setDevicePixelRatio(std::max<qreal>(1.0, devicePixelRatio));
    page.fill(Qt::white);
    return page;
}

sheets::SheetOutcome composeSheetPage(QImage &page, const results::Table &table, const sheets::PageSettings &settings,
                                      qreal devicePixelRatio)
{
    if (page.isNull() || page.size() != sheetPagePixels(devicePixelRatio)
        || page.devicePixelRatio() != std::max<qreal>(1.0, devicePixelRatio))
        page = newSheetPage(devicePixelRatio);
    QPainter painter(&page);
    SheetCanvas canvas(painter, kSheetPreviewDpi);
    return sheets::composePage(canvas, table, settings);
}

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
    std::vector<const results::SlotRecord *> records;
    for (int slot : sheets::markedSlots(table))
        records.push_back(&table.slots[static_cast<std::size_t>(slot)]);
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
    // the printer writes by name: into a scratch file, which the writer then copies
    const files::ScratchFile scratch(".pdf");
    if (scratch.path().empty()) {
        outcome.error = scratch.error();
        return outcome;
    }
    const QString temporary = QFile::decodeName(QByteArray::fromStdString(scratch.path()));

    QPrinter printer(QPrinter::HighResolution);
    preparePdfPrinter(printer, temporary);

    {
        PrinterJob job(printer);
        outcome = sheets::printSheets(job, records, settings);
        if (!outcome.error.empty())
            return outcome;
        if (!job.allPagesStarted()) {
            outcome.error = "PDFファイルに次の頁を作れませんでした。";
            return outcome;
        }
    }

    QFile printed(temporary);
    if (!printed.open(QIODevice::ReadOnly)) {
        outcome.error = "PDFファイルを作成できませんでした。";
        return outcome;
    }
    // a complete PDF ends with its end-of-file marker
    printed.seek(std::max<qint64>(0, printed.size() - 1024));
    if (!printed.readAll().trimmed().endsWith("%%EOF")) {
        outcome.error = "PDFファイルを最後まで作成できませんでした。";
        return outcome;
    }
    outcome.error = file.copyFrom(scratch.path());
    return outcome;
}
