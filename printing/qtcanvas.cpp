#include "printing/qtcanvas.h"

#include "files/datafiles.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QHash>
#include <QPainter>

QtCanvas::QtCanvas(QPainter &painter) : m_painter(painter), m_linePen(linePen(painter))
{
    m_painter.setRenderHint(QPainter::Antialiasing, false);
    m_painter.setPen(m_linePen);
}

QPen QtCanvas::linePen(const QPainter &painter)
{
    const qreal ratio = painter.device() ? painter.device()->devicePixelRatio() : 1.0;
    if (ratio < 1.5)
        return QPen(Qt::black, 0); // a cosmetic pen: one device pixel whatever the transformation
    QPen pen(Qt::black, qRound(ratio));
    pen.setCosmetic(true);
    return pen;
}

QImage newDiagramImage(QSize size, qreal devicePixelRatio)
{
    const qreal ratio = std::max<qreal>(1.0, devicePixelRatio);
    QImage image(qRound(size.width() * ratio), qRound(size.height() * ratio), QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::white);
    return image;
}

QFont QtCanvas::diagramFont()
{
    QFont font(familyFor(QStringLiteral("0.0"), 11));
    font.setPixelSize(11);
    font.setHintingPreference(QFont::PreferFullHinting); // else "6.000" reads like "6,000"
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

void QtCanvas::loadShippedFonts()
{
#ifdef _WIN32
    const files::DataFolders folders = files::dataFolders();
    for (const char *face : {"fonts/ipag.ttf", "fonts/ipagp.ttf"}) {
        const files::DataFile found = files::findDataFile(folders, face);
        if (found.place != files::DataPlace::Missing)
            QFontDatabase::addApplicationFont(QString::fromStdString(found.path));
    }
#endif
}

QString QtCanvas::fontFamily()
{
    static const QString family = [] {
        const QStringList families = QFontDatabase::families();
        for (const char *name : {"IPAGothic", "IPAゴシック", "Noto Sans CJK JP"})
            if (families.contains(QString::fromUtf8(name)))
                return QString::fromUtf8(name);
        return QFont().family();
    }();
    return family;
}

namespace {

constexpr int kLargestUnclearPoint = 12; // pixels

QString proportionalFamily()
{
    static const QString family = [] {
        for (const char *name : {"IPAPGothic", "IPA Pゴシック"})
            if (QFontDatabase::families().contains(QString::fromUtf8(name)))
                return QString::fromUtf8(name);
        return QtCanvas::fontFamily();
    }();
    return family;
}

// The last row of a digit's ink relative to the baseline, as the face draws it (hinting
// moves it from where the outline says).
int digitsLastRow(const QFont &font)
{
    static QHash<QString, int> rows;
    const QString key = font.key();
    if (const auto found = rows.constFind(key); found != rows.constEnd())
        return *found;
    const QFontMetrics metrics(font);
    QImage image(metrics.horizontalAdvance(QStringLiteral("0")) + 2, metrics.height() + 2, QImage::Format_RGB32);
    image.fill(Qt::white);
    const int baseline = metrics.ascent() + 1;
    {
        QPainter painter(&image);
        painter.setFont(font);
        painter.setPen(Qt::black);
        painter.drawText(QPoint(1, baseline), QStringLiteral("0"));
    }
    int last = baseline - 1;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 128)
                last = y;
    rows.insert(key, last - baseline);
    return last - baseline;
}

} // namespace

void drawTextWithClearPoints(QPainter &painter, QPoint origin, const QString &text, const QFont &font)
{
    painter.setFont(font);
    // on a high-density surface the face has pixels enough to place its own point
    const qreal ratio = painter.device() ? painter.device()->devicePixelRatio() : 1.0;
    if (font.pixelSize() * ratio > kLargestUnclearPoint || font.family() != QtCanvas::fontFamily() ||
        !text.contains(QLatin1Char('.'))) {
        painter.drawText(origin, text);
        return;
    }
    // The text without its points, then each point as a square standing on the last row
    // of the digits, in the middle of its cell.
    QString blanked = text;
    blanked.replace(QLatin1Char('.'), QLatin1Char(' '));
    painter.drawText(origin, blanked);
    const QFontMetrics metrics(font);
    const int bottom = origin.y() + digitsLastRow(font);
    const int side = std::max(1, (font.pixelSize() + 3) / 7); // 11 pixels: 2
    const int cell = metrics.horizontalAdvance(QLatin1Char('.'));
    for (qsizetype i = text.indexOf(QLatin1Char('.')); i >= 0; i = text.indexOf(QLatin1Char('.'), i + 1)) {
        const int x = origin.x() + metrics.horizontalAdvance(text.left(i)) + (cell - side) / 2;
        painter.fillRect(QRect(x, bottom - side + 1, side, side), painter.pen().color());
    }
}

QString QtCanvas::familyFor(const QString &text, int pixels)
{
    const QString proportional = proportionalFamily();
    if (pixels > kLargestUnclearPoint || text.isEmpty())
        return fontFamily();
    for (const QChar c : text)
        if (!c.isDigit() && c != QLatin1Char('.') && c != QLatin1Char('-') && c != QLatin1Char('+'))
            return fontFamily();
    return proportional;
}

void QtCanvas::moveTo(int x, int y)
{
    m_pen = QPoint(x, y);
}

void QtCanvas::lineTo(int x, int y)
{
    const QPoint to(x, y);
    m_painter.setPen(m_linePen);
    m_painter.drawLine(m_pen, to);
    m_pen = to;
}

void QtCanvas::text(int x, int y, const std::string &utf8)
{
    const QString s = QString::fromStdString(utf8);
    // points at 96 pixels per inch, rounded as a screen font size is: 8 points = 11 pixels,
    // in the surface's own coordinates (a printer page is mapped onto those)
    const int pixels = std::max(1, (m_points * 96 + 36) / 72);
    QFont font(familyFor(s, pixels));
    font.setPixelSize(pixels);
    font.setStyleStrategy(QFont::NoAntialias); // crisp small text in the text colour
    // glyphs snapped to whole pixels: unsnapped, the "." of an 11-pixel face reads like ","
    font.setHintingPreference(QFont::PreferFullHinting);
    const QFontMetrics metrics(font);
    // a text that would run past the right edge of the surface ends at the edge instead:
    // the B reaction of a narrow stress diagram keeps all its digits
    const int width = metrics.horizontalAdvance(s);
    const int right = m_painter.window().x() + m_painter.window().width();
    if (x + width > right)
        x = std::max(m_painter.window().x(), right - width);
    m_painter.fillRect(QRect(x, y, width, metrics.height()), Qt::white);
    m_painter.setPen(m_textColour);
    drawTextWithClearPoints(m_painter, QPoint(x, y + metrics.ascent()), s, font);
}

void QtCanvas::setFontSize(int points)
{
    m_points = points;
}

void QtCanvas::setTextColor(beam::Rgb colour)
{
    m_textColour = QColor(colour.r, colour.g, colour.b);
}

void QtCanvas::clear()
{
    // the drawings hold no grey, so a flood fill bounded by grey paints the whole surface
    m_painter.fillRect(m_painter.window(), Qt::white);
}
