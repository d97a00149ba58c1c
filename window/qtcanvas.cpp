#include "window/qtcanvas.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontMetrics>
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

QString QtCanvas::familyFor(const QString &text, int pixels)
{
    static const QString proportional = [] {
        for (const char *name : {"IPAPGothic", "IPA Pゴシック"})
            if (QFontDatabase::families().contains(QString::fromUtf8(name)))
                return QString::fromUtf8(name);
        return fontFamily();
    }();
    if (pixels > 12 || text.isEmpty())
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
    m_painter.setFont(font);
    const QFontMetrics metrics(font);
    // a text that would run past the right edge of the surface ends at the edge instead:
    // the B reaction of a narrow stress diagram keeps all its digits
    const int width = metrics.horizontalAdvance(s);
    const int right = m_painter.window().x() + m_painter.window().width();
    if (x + width > right)
        x = std::max(m_painter.window().x(), right - width);
    m_painter.fillRect(QRect(x, y, width, metrics.height()), Qt::white);
    m_painter.setPen(m_textColour);
    m_painter.drawText(x, y + metrics.ascent(), s);
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
