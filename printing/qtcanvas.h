// The one adapter from beam::Canvas to a QPainter: diagrams on bitmaps, the sheet
// preview, bitmap export and the printer all draw through it.
#pragma once

#include "beam/canvas.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPen>
#include <QPoint>

class QPainter;

class QtCanvas : public beam::Canvas {
public:
    // Draws on the painter's device; the painter must stay active while the canvas is used.
    explicit QtCanvas(QPainter &painter);

    void moveTo(int x, int y) override;
    void lineTo(int x, int y) override;
    void text(int x, int y, const std::string &utf8) override;
    void setFontSize(int points) override;
    void setTextColor(beam::Rgb colour) override;
    void clear() override;

    // The family of the text font (a Gothic face that has the Japanese glyphs).
    static QString fontFamily();
    // Where the system has no IPA Gothic of its own (Windows), the faces shipped in the
    // data folder (fonts/ipag.ttf, fonts/ipagp.ttf) are added for this process, so the
    // pages, sheets and PDFs are laid out as everywhere else. Call it before any drawing.
    static void loadShippedFonts();
    // The family for `text` drawn `pixels` high: fontFamily(), except that a number
    // (digits with "." "-" "+") of 12 pixels or less takes the proportional Gothic face.
    // At that size the fixed face puts "." a pixel under the baseline, where "22.690"
    // reads as "22,690".
    static QString familyFor(const QString &text, int pixels);
    // The 11-pixel font of the diagram captions (numbers), with an unmistakable ".".
    static QFont diagramFont();
    // The black pen of the drawings' lines: one pixel of the surface, or on a surface of a
    // high-density screen as many whole device pixels as make one logical pixel.
    static QPen linePen(const QPainter &painter);

private:
    QPainter &m_painter;
    QPen m_linePen;
    QPoint m_pen;
    int m_points = 8;
    QColor m_textColour = Qt::black;
};

// Draws `text` in `font` with its baseline starting at `origin`. At 12 device pixels or
// less the fixed-width face puts "." a pixel under the baseline, where "2.760" reads as
// "2,760"; there each "." is a square standing on the digits' last row, centred in its
// cell, and the text keeps its width.
void drawTextWithClearPoints(QPainter &painter, QPoint origin, const QString &text, const QFont &font);

// A diagram bitmap of `size` logical pixels for a screen of that device pixel ratio: the
// drawing keeps its coordinates and gets that many more pixels each way.
QImage newDiagramImage(QSize size, qreal devicePixelRatio);
