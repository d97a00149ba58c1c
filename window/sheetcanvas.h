// The two Qt surfaces of the calculation sheets: the preview page bitmap (630 x 885
// pixels, 8-point text) and the printer (device pixels of its printable area, 9-point
// text), both behind the composition's beam::Canvas and sheets::PrintJob.
//
// Data route: result table + page settings -> sheets::composePage -> SheetCanvas on the
// page bitmap (preview, bitmap export); result table + page settings ->
// sheets::printSheets -> PrinterJob -> SheetCanvas on a QPrinter (paper or PDF).
#pragma once

#include "beam/canvas.h"
#include "files/textfile.h"
#include "results/table.h"
#include "sheets/page.h"
#include "sheets/print.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPen>
#include <QPoint>

#include <memory>
#include <string>
#include <vector>

class QPrinter;

// Size of the preview page bitmap, pixels.
inline constexpr int kSheetPageWidth = 630;
inline constexpr int kSheetPageHeight = 885;

// Resolution the preview page stands for, pixels per inch (8 points = 11 pixels).
inline constexpr int kSheetPreviewDpi = 96;

// Resolution of the PDF that printSheetsToPdf writes, device pixels per inch.
inline constexpr int kSheetPdfDpi = 600;

// Width of the sheet glyphs, percent of the fixed-width face's own (half an em): the
// columns of a block are set for half-width characters of 5 pixels at 8 points on the
// preview, so the longest text of a column ("fb=1.350 (tf/cm2) [ 13.24 kN/cm2]") ends
// before the next column starts, on the preview and at 9 points on paper alike.
inline constexpr int kSheetFontStretch = 91;

// A beam::Canvas on a QPainter whose coordinates are the device's pixels. Text sizes in
// points become pixels at the given resolution, so the same 9 points are 9 points on a
// 600-dpi printer and on a 1200-dpi one; glyphs are kSheetFontStretch percent wide.
// Lines are black and 1 pixel wide; each text paints the white cell behind its
// characters first.
class SheetCanvas : public beam::Canvas {
public:
    // The painter must stay active while the canvas is used.
    SheetCanvas(QPainter &painter, int dotsPerInch);

    void moveTo(int x, int y) override;
    void lineTo(int x, int y) override;
    void text(int x, int y, const std::string &utf8) override;
    void setFontSize(int points) override;
    void setTextColor(beam::Rgb colour) override;
    void clear() override;

    // Pixel height of the em of a font of that many points at that resolution, rounded.
    static int pixelSize(int points, int dotsPerInch);

    // The font face of the sheets: a Gothic face that has the Japanese glyphs.
    static QString fontFamily();

private:
    QPainter &m_painter;
    int m_dpi;
    QPen m_linePen;
    QPoint m_pen;
    QFont m_font;
    QColor m_textColour = Qt::black;
};

// A fresh white preview page bitmap of 630 x 885 pixels at 96 dpi. With a device pixel
// ratio above 1 (a high-density screen) it has that many more pixels each way and draws
// in the same 630 x 885 coordinates, so the shown page stays sharp.
QImage newSheetPage(qreal devicePixelRatio = 1.0);

// Composes the page of the settings onto the page bitmap (made anew when it is null or of
// another size or ratio), as the preview shows it. A refusal (a page number that is not an
// integer) leaves the page cleared and returns the message.
sheets::SheetOutcome composeSheetPage(QImage &page, const results::Table &table, const sheets::PageSettings &settings,
                                      qreal devicePixelRatio = 1.0);

// The print job of the calculation sheets on a QPrinter that the caller has set up (paper,
// printer or PDF file). Drawing is in the device pixels of the printable area.
class PrinterJob : public sheets::PrintJob {
public:
    explicit PrinterJob(QPrinter &printer);
    ~PrinterJob() override;

    int printableWidth() const override;
    int dotsPerInch() const override;
    bool begin() override;
    beam::Canvas &canvas() override;
    void newPage() override;
    void end() override;

    // False once the printer refused a new sheet of paper.
    bool allPagesStarted() const { return m_pagesOk; }

private:
    QPrinter &m_printer;
    QPainter m_painter;
    std::unique_ptr<SheetCanvas> m_canvas;
    bool m_pagesOk = true;
};

// Sets a printer up for a PDF file: A4 portrait, 600 dpi, margins of 10 points (what a
// usual office printer cannot reach), the file written when the job ends.
void preparePdfPrinter(QPrinter &printer, const QString &fileName);

// Prints the calculation sheets of the marked slots into a PDF file set up by
// preparePdfPrinter. The whole file is written first beside the system's
// temporary files and then replaces `path` through a files::SafeFileWriter, so a refusal or
// a failed write leaves an existing file as it was. The outcome is that of
// sheets::printSheets, with the message of a failed write in `error`.
sheets::PrintOutcome printSheetsToPdf(const results::Table &table, const sheets::PageSettings &settings,
                                      const std::string &path);

// The same for slot records in order, any number of them.
sheets::PrintOutcome printSheetsToPdf(const std::vector<const results::SlotRecord *> &records,
                                      const sheets::PageSettings &settings, const std::string &path);

// The same into a file opened and not yet finished (one of a files::FileSet): the PDF is
// made in a scratch file and then copied into `file`.
sheets::PrintOutcome printSheetsToPdf(const std::vector<const results::SlotRecord *> &records,
                                      const sheets::PageSettings &settings, files::SafeFileWriter &file);

// The refusal printSheetsToPdf would give for a margin that does not fit the A4 page of
// the PDF (the allowed range named), or empty: asked before the file is chosen.
std::string pdfMarginRefusal(const results::Table &table, const sheets::PageSettings &settings);
