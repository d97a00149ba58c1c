// The two Qt surfaces of the calculation sheets: the preview page bitmap (630 x 885
// pixels, 8-point text) and the printer (device pixels of its printable area, 9-point
// text), both behind the composition's beam::Canvas.
//
// Data route: result table + page settings -> sheets::composePage -> SheetCanvas on the
// page bitmap (preview, bitmap export); result table + page settings ->
// sheets::printSheets -> PrinterJob (printing/printerjob.h) -> SheetCanvas on a QPrinter
// (paper or PDF).
#pragma once

#include "beam/canvas.h"
#include "results/table.h"
#include "sheets/page.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPen>
#include <QPoint>

#include <string>

// Size of the preview page bitmap, pixels.
inline constexpr int kSheetPageWidth = 630;
inline constexpr int kSheetPageHeight = 885;

// Resolution the preview page stands for, pixels per inch (8 points = 11 pixels).
inline constexpr int kSheetPreviewDpi = 96;

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
