#include "window/pictures.h"

#include "printing/qtcanvas.h"
#include "window/style.h"

#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

using namespace style;

namespace {

// The fixed-pitch face at a size in pixels, as the command captions are drawn.
QFont pixelFont(int pixels, bool bold = false)
{
    QFont f(QtCanvas::fontFamily());
    f.setPixelSize(pixels);
    f.setBold(bold);
    return f;
}

QPixmap blank(int w, int h, const QColor &background = kFace)
{
    QPixmap p(w, h);
    p.fill(background);
    return p;
}

} // namespace

namespace pictures {

QPixmap command(const char *caption, const QColor &face)
{
    QImage img(kCommandSize, QImage::Format_RGB32);
    img.fill(QColor(236, 236, 236));
    QPainter p(&img);
    p.setPen(QColor(160, 160, 160));
    p.setBrush(face);
    p.drawRoundedRect(QRect(0, 0, kCommandSize.width() - 1, kCommandSize.height() - 1), 3, 3);
    p.setPen(Qt::white);
    p.setFont(pixelFont(qs(caption).size() > 3 ? 11 : 12, true));
    p.drawText(QRect(QPoint(0, 0), kCommandSize), Qt::AlignCenter, qs(caption));
    return QPixmap::fromImage(img);
}

QPixmap mark(bool on)
{
    QImage img(kMarkSize, QImage::Format_RGB32);
    img.fill(QColor(236, 236, 236));
    QPainter p(&img);
    p.setPen(QColor(90, 90, 90));
    p.setBrush(Qt::white);
    p.drawRect(2, 6, 12, 12);
    if (on) {
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(QColor(200, 0, 0), 2.2));
        p.drawLine(QPointF(4.5, 11.5), QPointF(7.5, 15));
        p.drawLine(QPointF(7.5, 15), QPointF(13, 6.5));
    }
    return QPixmap::fromImage(img);
}

QPixmap shadow(QSize size)
{
    QImage img(size, QImage::Format_RGB32);
    img.fill(QColor(120, 120, 120));
    return QPixmap::fromImage(img);
}

QPixmap pageStep(bool forward)
{
    QPixmap pix = blank(33, 17);
    QPainter p(&pix);
    p.setPen(Qt::white);
    p.drawLine(0, 0, 32, 0);
    p.drawLine(0, 0, 0, 16);
    p.setPen(Qt::darkGray);
    p.drawLine(32, 0, 32, 16);
    p.drawLine(0, 16, 32, 16);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath triangle;
    if (forward) {
        triangle.moveTo(12, 3.5);
        triangle.lineTo(22, 8.5);
        triangle.lineTo(12, 13.5);
    } else {
        triangle.moveTo(21, 3.5);
        triangle.lineTo(11, 8.5);
        triangle.lineTo(21, 13.5);
    }
    triangle.closeSubpath();
    p.fillPath(triangle, kNavy);
    return pix;
}

QPixmap sheet(bool whole)
{
    QPixmap pix = blank(16, 16);
    QPainter p(&pix);
    p.setPen(Qt::black);
    if (whole) {
        p.fillRect(3, 0, 10, 15, Qt::white);
        p.drawRect(3, 0, 10, 15);
        for (int y = 3; y <= 12; y += 3)
            p.drawLine(5, y, 11, y);
    } else {
        p.fillRect(0, 2, 15, 11, Qt::white);
        p.drawRect(0, 2, 15, 11);
        p.setPen(Qt::DashLine);
        p.drawLine(1, 12, 14, 12);
        p.setPen(Qt::black);
        for (int y = 5; y <= 9; y += 2)
            p.drawLine(3, y, 12, y);
    }
    return pix;
}

QPixmap printer()
{
    QPixmap pix = blank(16, 16);
    QPainter p(&pix);
    p.setPen(Qt::black);
    p.fillRect(4, 0, 8, 6, Qt::white);
    p.drawRect(4, 0, 7, 6);
    p.fillRect(0, 6, 16, 6, QColor(120, 120, 120));
    p.drawRect(0, 6, 15, 6);
    p.fillRect(3, 11, 10, 5, Qt::white);
    p.drawRect(3, 11, 9, 4);
    p.setPen(QColor(0, 160, 0));
    p.drawPoint(13, 8);
    return pix;
}

QPixmap bitmap()
{
    QPixmap pix = blank(17, 17);
    QPainter p(&pix);
    p.fillRect(1, 1, 15, 9, QColor(150, 200, 255));
    p.setPen(Qt::black);
    p.drawRect(1, 1, 14, 9);
    QPainterPath hill;
    hill.moveTo(2, 10);
    hill.lineTo(7, 5);
    hill.lineTo(10, 8);
    hill.lineTo(12, 6);
    hill.lineTo(15, 10);
    hill.closeSubpath();
    p.fillPath(hill, QColor(40, 130, 70));
    QFont font = p.font();
    font.setPixelSize(6);
    font.setBold(true);
    p.setFont(font);
    p.setPen(kNavy);
    p.drawText(QRect(0, 10, 17, 7), Qt::AlignCenter, QStringLiteral("BMP"));
    return pix;
}

} // namespace pictures
