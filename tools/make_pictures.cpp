// Draws the program's pictures: the four support conditions (boundary/*.bmp), the three
// section sketches of the computed shapes (shape/*.bmp, 70 x 70) and the small images of
// the input page's buttons (window/images/*.png). Run through tools/make_pictures.sh
// from the repository root; the results are committed.
#include "pictures.h"

#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPolygon>

#include <cstdio>

namespace {

const QColor kNavy(0, 0, 128);
const QColor kSteel(70, 90, 120);

QFont gothic(int pixels, bool bold = false)
{
    QFont f(QStringLiteral("IPAGothic"));
    f.setPixelSize(pixels);
    f.setBold(bold);
    f.setStyleStrategy(QFont::NoAntialias);
    return f;
}

QImage blank(int w, int h, const QColor &background = Qt::white)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(background);
    return img;
}

// ---- support conditions: a beam from A to B on a 128 x 64 picture ----
enum class End { Pin, Fixed, Free };

constexpr int kBeamY = 26;
constexpr int kLeftX = 18;
constexpr int kRightX = 110;

void drawPin(QPainter &p, int x)
{
    const QPolygon triangle({QPoint(x, kBeamY + 3), QPoint(x - 7, kBeamY + 15), QPoint(x + 7, kBeamY + 15)});
    p.setBrush(Qt::white);
    p.drawPolygon(triangle);
    p.drawEllipse(QPoint(x, kBeamY + 3), 2, 2);
    p.drawLine(x - 11, kBeamY + 17, x + 11, kBeamY + 17);
    for (int hx = x - 10; hx <= x + 10; hx += 4)
        p.drawLine(hx, kBeamY + 17, hx - 4, kBeamY + 21);
}

void drawFixed(QPainter &p, int x, bool rightSide)
{
    const int wall = rightSide ? x + 2 : x - 2;
    p.drawLine(wall, kBeamY - 14, wall, kBeamY + 14);
    const int dir = rightSide ? 1 : -1;
    for (int y = kBeamY - 14; y <= kBeamY + 12; y += 4)
        p.drawLine(wall, y, wall + 5 * dir, y + 4);
}

QImage supportPicture(End a, End b, const char *caption)
{
    QImage img = blank(128, 64);
    QPainter p(&img);
    p.setPen(QPen(Qt::black, 1));
    // the beam
    p.fillRect(QRect(kLeftX, kBeamY - 2, kRightX - kLeftX + 1, 5), kSteel);
    p.drawRect(QRect(kLeftX, kBeamY - 2, kRightX - kLeftX, 4));
    for (auto [end, x, right] : {std::tuple{a, kLeftX, false}, std::tuple{b, kRightX, true}}) {
        if (end == End::Pin)
            drawPin(p, x);
        else if (end == End::Fixed)
            drawFixed(p, x, right);
    }
    p.setFont(gothic(11));
    p.drawText(QRect(kLeftX + 2, 8, 12, 12), Qt::AlignCenter, QStringLiteral("A"));
    p.drawText(QRect(kRightX - 14, 8, 12, 12), Qt::AlignCenter, QStringLiteral("B"));
    p.setPen(kNavy);
    p.drawText(QRect(0, 51, 128, 13), Qt::AlignCenter, QString::fromUtf8(caption));
    return img;
}

// ---- section sketches, 70 x 70 ----
// A dimension letter on a white patch, so that it stays legible over a line.
void letter(QPainter &p, const QRect &box, const char *text)
{
    p.fillRect(box, Qt::white);
    p.drawText(box, Qt::AlignCenter, QString::fromUtf8(text));
}

void dimensionArrow(QPainter &p, QPoint from, QPoint to)
{
    p.drawLine(from, to);
    const QPointF d = QPointF(to - from) / std::max(1.0, std::hypot(double(to.x() - from.x()), double(to.y() - from.y())));
    const QPointF n(-d.y(), d.x());
    for (auto [tip, dir] : {std::pair{QPointF(from), d}, std::pair{QPointF(to), -d}}) {
        p.drawLine(tip, tip + dir * 4 + n * 2);
        p.drawLine(tip, tip + dir * 4 - n * 2);
    }
}

QImage builtUpH()
{
    QImage img = blank(70, 70);
    QPainter p(&img);
    p.setPen(Qt::black);
    p.setBrush(kSteel);
    QPainterPath h;
    h.addRect(14, 8, 36, 6);   // top flange
    h.addRect(14, 50, 36, 6);  // bottom flange
    h.addRect(30, 14, 4, 36);  // web
    p.drawPath(h.simplified());
    p.setBrush(Qt::NoBrush);
    p.setPen(kNavy);
    dimensionArrow(p, QPoint(14, 63), QPoint(50, 63));
    dimensionArrow(p, QPoint(58, 8), QPoint(58, 56));
    p.setFont(gothic(10));
    letter(p, QRect(27, 57, 10, 12), "B");
    letter(p, QRect(53, 26, 10, 12), "H");
    letter(p, QRect(36, 26, 14, 12), "tw");
    letter(p, QRect(0, 5, 13, 12), "tf");
    return img;
}

QImage squarePipe()
{
    QImage img = blank(70, 70);
    QPainter p(&img);
    p.setPen(Qt::black);
    p.setBrush(kSteel);
    QPainterPath box;
    box.addRect(14, 8, 36, 48);
    box.addRect(19, 13, 26, 38);
    box.setFillRule(Qt::OddEvenFill);
    p.drawPath(box);
    p.setBrush(Qt::NoBrush);
    p.setPen(kNavy);
    dimensionArrow(p, QPoint(14, 63), QPoint(50, 63));
    dimensionArrow(p, QPoint(58, 8), QPoint(58, 56));
    p.setFont(gothic(10));
    letter(p, QRect(27, 57, 10, 12), "B");
    letter(p, QRect(53, 26, 10, 12), "H");
    letter(p, QRect(22, 26, 8, 12), "t");
    return img;
}

QImage roundPipe()
{
    QImage img = blank(70, 70);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::black);
    p.setBrush(kSteel);
    QPainterPath ring;
    ring.addEllipse(QPointF(32, 31), 22, 22);
    ring.addEllipse(QPointF(32, 31), 17, 17);
    ring.setFillRule(Qt::OddEvenFill);
    p.drawPath(ring);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setBrush(Qt::NoBrush);
    p.setPen(kNavy);
    dimensionArrow(p, QPoint(10, 62), QPoint(54, 62));
    p.setFont(gothic(10));
    letter(p, QRect(27, 56, 10, 12), "D");
    letter(p, QRect(28, 25, 8, 12), "t");
    return img;
}

// ---- button images ----
QImage commandImage(const char *caption, const QColor &face)
{
    QImage img = blank(64, 44, QColor(236, 236, 236));
    QPainter p(&img);
    p.setPen(QColor(160, 160, 160));
    p.setBrush(face);
    p.drawRoundedRect(QRect(1, 1, 61, 41), 5, 5);
    p.setPen(Qt::white);
    p.drawLine(6, 3, 57, 3);
    p.setPen(Qt::white);
    p.setFont(gothic(18, true));
    p.drawText(QRect(0, 0, 64, 44), Qt::AlignCenter, QString::fromUtf8(caption));
    return img;
}

QImage calculatorIcon()
{
    QImage img = blank(16, 16, QColor(236, 236, 236));
    QPainter p(&img);
    p.setPen(Qt::black);
    p.setBrush(QColor(230, 230, 200));
    p.drawRect(2, 0, 11, 15);
    p.fillRect(4, 2, 8, 3, QColor(120, 160, 120));
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            p.fillRect(4 + 3 * c, 7 + 3 * r, 2, 2, kNavy);
    return img;
}

QImage reactionIcon()
{
    QImage img = blank(16, 16, QColor(236, 236, 236));
    QPainter p(&img);
    p.setPen(Qt::black);
    p.drawRect(0, 0, 15, 15);
    p.setPen(QColor(200, 0, 0));
    p.drawLine(4, 14, 4, 5);
    p.drawLine(4, 5, 2, 8);
    p.drawLine(4, 5, 6, 8);
    p.drawLine(11, 14, 11, 5);
    p.drawLine(11, 5, 9, 8);
    p.drawLine(11, 5, 13, 8);
    p.setPen(Qt::black);
    p.drawLine(1, 3, 14, 3);
    return img;
}

QImage watchIcon()
{
    QImage img = blank(24, 24, QColor(236, 236, 236));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 1.5));
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(12, 12), 10, 10);
    p.drawLine(QPointF(12, 12), QPointF(12, 5));
    p.drawLine(QPointF(12, 12), QPointF(17, 12));
    return img;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    bool ok = true;
    ok &= save(supportPicture(End::Pin, End::Pin, "両端ピン"), QStringLiteral("boundary/Bpin.bmp"));
    ok &= save(supportPicture(End::Pin, End::Fixed, "左端ピン右端固定"), QStringLiteral("boundary/Lpin.bmp"));
    ok &= save(supportPicture(End::Fixed, End::Fixed, "両端固定"), QStringLiteral("boundary/Brigid.bmp"));
    ok &= save(supportPicture(End::Free, End::Fixed, "左端自由右端固定"), QStringLiteral("boundary/Lfree.bmp"));
    ok &= save(builtUpH(), QStringLiteral("shape/BH.bmp"));
    ok &= save(squarePipe(), QStringLiteral("shape/kaku.bmp"));
    ok &= save(roundPipe(), QStringLiteral("shape/maru.bmp"));
    ok &= save(commandImage("計算", QColor(40, 90, 170)), QStringLiteral("window/images/keisan.png"));
    ok &= save(commandImage("格納", QColor(40, 130, 70)), QStringLiteral("window/images/kakunou.png"));
    ok &= save(commandImage("終了", QColor(150, 60, 60)), QStringLiteral("window/images/shuuryou.png"));
    ok &= save(calculatorIcon(), QStringLiteral("window/images/dentaku.png"));
    ok &= save(reactionIcon(), QStringLiteral("window/images/hanryoku.png"));
    ok &= save(watchIcon(), QStringLiteral("window/images/watch.png"));
    return ok ? 0 : 1;
}
