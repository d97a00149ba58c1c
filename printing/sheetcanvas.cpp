#include "printing/sheetcanvas.h"

#include "printing/qtcanvas.h"
#include "sheets/print.h"

#include <QFontMetrics>
#include <QPen>

#include <algorithm>

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
