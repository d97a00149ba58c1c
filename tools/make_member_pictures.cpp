// Draws the pictures of the member page (window/images/*.png): the eleven 70 x 70 shapes
// of the section property calculator (dan1..dan11) with the letters of the dimension
// boxes they read, the store, delete and change images of the member group, the Reset
// image of the calculator and the two arrows of the stress converter. Run through
// tools/make_member_pictures.sh from the repository root; the results are committed.
#include "pictures.h"

#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <cmath>
#include <cstdio>
#include <numbers>

namespace {

const QColor kNavy(0, 0, 128);
const QColor kSteel(150, 170, 200);
const QColor kAxis(200, 0, 0);
constexpr int kSize = 70;

QFont gothic(int pixels, bool bold = false)
{
    QFont f(QStringLiteral("IPAGothic"));
    f.setPixelSize(pixels);
    f.setBold(bold);
    f.setStyleStrategy(QFont::NoAntialias);
    return f;
}

// A shape picture: white, the section filled in steel colour with a black outline, the
// dimension lines and letters in navy.
class Sketch {
public:
    Sketch() : m_img(kSize, kSize, QImage::Format_RGB32), m_p(&m_img)
    {
        m_img.fill(Qt::white);
        m_p.setRenderHint(QPainter::Antialiasing);
        m_p.setFont(gothic(11, true));
    }
    ~Sketch()
    {
        if (m_p.isActive())
            m_p.end();
    }

    QImage image()
    {
        m_p.end();
        return m_img;
    }

    void section(const QPainterPath &path)
    {
        m_p.setPen(QPen(Qt::black, 1));
        m_p.setBrush(kSteel);
        m_p.drawPath(path);
        m_p.setBrush(Qt::NoBrush);
    }

    // The bending axis through the centroid, dash-dotted, across the picture.
    void axis(double y)
    {
        QPen pen(kAxis, 1, Qt::DashDotLine);
        m_p.setPen(pen);
        m_p.drawLine(QPointF(2, y), QPointF(kSize - 2, y));
    }

    // A dimension line with two arrow heads.
    void dimension(QPointF from, QPointF to)
    {
        m_p.setPen(QPen(kNavy, 1));
        m_p.drawLine(from, to);
        const double len = std::max(1.0, std::hypot(to.x() - from.x(), to.y() - from.y()));
        const QPointF d = (to - from) / len;
        const QPointF n(-d.y(), d.x());
        for (auto [tip, dir] : {std::pair{from, d}, std::pair{to, -d}}) {
            m_p.drawLine(tip, tip + dir * 4 + n * 2);
            m_p.drawLine(tip, tip + dir * 4 - n * 2);
        }
    }

    // A thin extension line from the section to its dimension line.
    void extension(QPointF from, QPointF to)
    {
        m_p.setPen(QPen(QColor(120, 120, 160), 1));
        m_p.drawLine(from, to);
    }

    // A dimension letter centred at (x, y) on a white patch, so that it stays legible
    // over a line.
    void letter(double x, double y, const char *text)
    {
        const QString t = QString::fromUtf8(text);
        const QFontMetrics fm(m_p.font());
        const int w = fm.horizontalAdvance(t) + 2;
        const int h = fm.height();
        const QRectF box(x - w / 2.0, y - h / 2.0, w, h);
        m_p.fillRect(box, Qt::white);
        m_p.setPen(kNavy);
        m_p.drawText(box, Qt::AlignCenter, t);
    }

    QPainter &painter() { return m_p; }

private:
    QImage m_img;
    QPainter m_p;
};

// dan1: solid rectangle, width b, height h.
QImage rectangle()
{
    Sketch s;
    QPainterPath p;
    p.addRect(18, 8, 30, 44);
    s.section(p);
    s.axis(30);
    s.dimension({18, 60}, {48, 60});
    s.dimension({58, 8}, {58, 52});
    s.letter(33, 62, "b");
    s.letter(60, 30, "h");
    return s.image();
}

// dan2: two plates of width b, outer height H, clear gap h.
QImage twoPlates()
{
    Sketch s;
    QPainterPath p;
    p.addRect(22, 8, 28, 9);
    p.addRect(22, 43, 28, 9);
    s.section(p);
    s.axis(30);
    s.dimension({22, 61}, {50, 61});
    s.dimension({60, 8}, {60, 52});
    s.dimension({12, 17}, {12, 43});
    s.letter(36, 62, "b");
    s.letter(62, 30, "H");
    s.letter(12, 30, "h");
    return s.image();
}

// dan3: triangle, base b at the bottom, height h.
QImage triangle()
{
    Sketch s;
    QPainterPath p;
    p.addPolygon(QPolygonF({QPointF(33, 6), QPointF(54, 52), QPointF(12, 52), QPointF(33, 6)}));
    s.section(p);
    s.axis(6 + 46.0 * 2 / 3);
    s.dimension({12, 61}, {54, 61});
    s.extension({36, 6}, {64, 6});
    s.dimension({62, 6}, {62, 52});
    s.letter(33, 62, "b");
    s.letter(63, 22, "h");
    return s.image();
}

// dan4: solid circle, diameter D.
QImage circle()
{
    Sketch s;
    QPainterPath p;
    p.addEllipse(QPointF(35, 30), 22, 22);
    s.section(p);
    s.axis(30);
    s.dimension({13, 61}, {57, 61});
    s.letter(35, 62, "D");
    return s.image();
}

// dan5: regular octagon, r from the centre to a flat side.
QImage octagon()
{
    Sketch s;
    const QPointF c(35, 33);
    const double side = 24; // centre to a flat side, in pixels
    const double corner = side / std::cos(std::numbers::pi / 8);
    QPolygonF poly;
    for (int i = 0; i <= 8; ++i) {
        const double angle = std::numbers::pi / 8 + i * std::numbers::pi / 4;
        poly << c + QPointF(corner * std::cos(angle), corner * std::sin(angle));
    }
    QPainterPath p;
    p.addPolygon(poly);
    s.section(p);
    s.axis(c.y());
    s.dimension(c, c + QPointF(0, side));
    s.letter(c.x() + 6, c.y() + 13, "r");
    return s.image();
}

// dan6: trapezoid, bottom side a, top side b, height h.
QImage trapezoid()
{
    Sketch s;
    QPainterPath p;
    p.addPolygon(QPolygonF({QPointF(24, 12), QPointF(42, 12), QPointF(52, 50), QPointF(14, 50), QPointF(24, 12)}));
    s.section(p);
    s.dimension({24, 5}, {42, 5});
    s.dimension({14, 60}, {52, 60});
    s.extension({43, 12}, {64, 12});
    s.extension({53, 50}, {64, 50});
    s.dimension({62, 12}, {62, 50});
    s.letter(33, 5, "b");
    s.letter(33, 61, "a");
    s.letter(63, 31, "h");
    return s.image();
}

// dan7: square of side h standing on a corner.
QImage squareOnCorner()
{
    Sketch s;
    QPainterPath p;
    p.addPolygon(QPolygonF({QPointF(32, 8), QPointF(54, 30), QPointF(32, 52), QPointF(10, 30), QPointF(32, 8)}));
    s.section(p);
    s.axis(30);
    // the side from the top corner to the right corner, offset outwards
    s.dimension({38, 6}, {56, 24});
    s.letter(52, 11, "h");
    return s.image();
}

// dan8: rectangle a x b on a corner, the bending axis through two opposite corners.
QImage rectangleOnCorner()
{
    Sketch s;
    // corners: left and right on the axis, the sides at right angles
    const QPointF left(8, 34), right(58, 34);
    const double angle = std::atan2(1.0, 1.6); // the side a makes this angle with the axis
    const double diagonal = 50;
    const double a = diagonal * std::cos(angle), b = diagonal * std::sin(angle);
    const QPointF top = left + QPointF(a * std::cos(angle), -a * std::sin(angle));
    const QPointF bottom = left + QPointF(b * std::sin(angle), b * std::cos(angle));
    QPainterPath p;
    p.addPolygon(QPolygonF({left, top, right, bottom, left}));
    s.section(p);
    s.axis(34);
    const QPointF outA = QPointF(-std::sin(angle), -std::cos(angle)) * 5;
    s.dimension(left + outA, top + outA);
    const QPointF outB = QPointF(-std::cos(angle), std::sin(angle)) * 5;
    s.dimension(left + outB, bottom + outB);
    s.letter((left.x() + top.x()) / 2 - 4, (left.y() + top.y()) / 2 - 6, "a");
    s.letter((left.x() + bottom.x()) / 2 - 5, (left.y() + bottom.y()) / 2 + 6, "b");
    return s.image();
}

// dan9: quarter disc of radius r, its straight edges at the top and on the left.
QImage quarterDisc()
{
    Sketch s;
    const QPointF corner(14, 10);
    const double r = 44;
    QPainterPath p;
    p.moveTo(corner);
    p.lineTo(corner + QPointF(r, 0));
    p.arcTo(QRectF(corner.x() - r, corner.y() - r, 2 * r, 2 * r), 0, -90);
    p.closeSubpath();
    s.section(p);
    s.axis(corner.y() + 0.4244 * r);
    s.dimension(corner, corner + QPointF(r * std::cos(std::numbers::pi / 4), r * std::sin(std::numbers::pi / 4)));
    s.letter(34, 24, "r");
    return s.image();
}

// dan10: T-section: flange width a and thickness h, web thickness b, total height H.
QImage tSection()
{
    Sketch s;
    QPainterPath p;
    p.addPolygon(QPolygonF({QPointF(12, 8), QPointF(52, 8), QPointF(52, 17), QPointF(36, 17), QPointF(36, 52),
                            QPointF(28, 52), QPointF(28, 17), QPointF(12, 17), QPointF(12, 8)}));
    s.section(p);
    s.dimension({12, 3}, {52, 3});
    s.extension({53, 8}, {65, 8});
    s.extension({37, 52}, {65, 52});
    s.dimension({62, 8}, {62, 52});
    s.dimension({6, 8}, {6, 17});
    s.dimension({28, 60}, {36, 60});
    s.letter(32, 3, "a");
    s.letter(63, 34, "H");
    s.letter(6, 27, "h");
    s.letter(44, 62, "b");
    return s.image();
}

// dan11: ellipse, semi-axis a in the direction of bending (up), b across it.
QImage ellipse()
{
    Sketch s;
    const QPointF c(32, 33);
    QPainterPath p;
    p.addEllipse(c, 18, 27);
    s.section(p);
    s.axis(c.y());
    s.dimension(c, c + QPointF(0, -27));
    s.dimension(c, c + QPointF(18, 0));
    s.letter(c.x() - 5, c.y() - 14, "a");
    s.letter(c.x() + 10, c.y() + 7, "b");
    return s.image();
}

// ---- buttons ----
QImage commandImage(int w, int h, const char *caption, const QColor &face, int pixels)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(QColor(236, 236, 236));
    QPainter p(&img);
    p.setPen(QColor(160, 160, 160));
    p.setBrush(face);
    p.drawRoundedRect(QRect(1, 1, w - 3, h - 3), 4, 4);
    p.setPen(Qt::white);
    p.drawLine(5, 3, w - 7, 3);
    QFont f = gothic(pixels, true);
    f.setStyleStrategy(QFont::PreferAntialias);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setFont(f);
    p.drawText(QRect(0, 0, w, h), Qt::AlignCenter, QString::fromUtf8(caption));
    return img;
}

// A thick arrow on a small button face, pointing right or left.
QImage arrowImage(bool right)
{
    QImage img(40, 24, QImage::Format_RGB32);
    img.fill(QColor(236, 236, 236));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QColor(160, 160, 160));
    p.setBrush(QColor(250, 250, 250));
    p.drawRoundedRect(QRectF(0.5, 0.5, 38, 22), 4, 4);
    QPolygonF arrow({QPointF(6, 9), QPointF(22, 9), QPointF(22, 4), QPointF(34, 12), QPointF(22, 20), QPointF(22, 15),
                     QPointF(6, 15)});
    if (!right)
        for (QPointF &pt : arrow)
            pt.setX(40 - pt.x());
    p.setPen(QPen(kNavy, 1));
    p.setBrush(right ? QColor(40, 90, 170) : QColor(170, 70, 40));
    p.drawPolygon(arrow);
    return img;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    bool ok = true;
    const QImage shapes[] = {rectangle(), twoPlates(),         triangle(),    circle(),   octagon(), trapezoid(),
                             squareOnCorner(), rectangleOnCorner(), quarterDisc(), tSection(), ellipse()};
    int n = 0;
    for (const QImage &img : shapes)
        ok &= save(img, QStringLiteral("window/images/dan%1.png").arg(++n));
    ok &= save(commandImage(56, 28, "登録", QColor(40, 130, 70), 14), QStringLiteral("window/images/touroku.png"));
    ok &= save(commandImage(56, 28, "削除", QColor(150, 60, 60), 14), QStringLiteral("window/images/sakujo.png"));
    ok &= save(commandImage(56, 28, "変更", QColor(40, 90, 170), 14), QStringLiteral("window/images/henkou.png"));
    ok &= save(commandImage(48, 22, "Reset", QColor(110, 110, 130), 12), QStringLiteral("window/images/danreset.png"));
    ok &= save(arrowImage(true), QStringLiteral("window/images/tosi.png"));
    ok &= save(arrowImage(false), QStringLiteral("window/images/totraditional.png"));
    return ok ? 0 : 1;
}
