// Where the parts of a calculation sheet land on one drawing surface. The sheet is laid
// out in preview pixels (a 630 x 885 page); the preview draws them as they are, the
// printer maps every constant offset c to Trunc(4 c s) device pixels (s = printable width
// / 2880) and truncates each data-dependent position once as a whole. A few items depart
// from that rule on paper; they are fields of their own here.
#pragma once

#include <array>
#include <string>

namespace sheets {

// Where a page number goes; None draws no number.
enum class PagePosition { None, LeftUp, Center, LeftLower };

struct Point {
    int x = 0;
    int y = 0;
    bool operator==(const Point &) const = default;
};

// One drawing surface's mapping of the sheet layout. All positions in device pixels.
struct Geometry {
    int fontSize = 8;                         // points
    int linePitch = 11;                       // between the text lines of a block
    int left = 90;                            // x of both block origins (the margin on paper)
    int upperTop = 45;                        // y of the upper block origin
    int lowerTop = 450;                       // y of the lower block origin
    int dimensionText = 11;                   // a dimension text stands this high above its line
    int partSpanStart = 48;                   // first part-span dimension level below the beam
    int w2Offset = 12;                        // "w2" stands this far left of a part-span load's end
    std::string positionClose = " m)";        // closes "( position" under the largest moment
    std::string emptyUniform = "w= ----- ";   // covers the text of an empty uniform load
    std::array<Point, 3> pageNumber{{{600, 15}, {300, 860}, {600, 860}}}; // leftup, center, leftlower

    // A constant preview offset c is Trunc(c * constNum / constDen) pixels (exact, in integers).
    long long constNum = 1;
    long long constDen = 1;
    // Data-dependent lengths are drawn at dataScale times the preview size, then times post:
    // preview 1 and 1, printer 4 and s.
    double dataScale = 1.0;
    double post = 1.0;

    // A constant offset of the preview layout on this surface.
    int c(int previewPixels) const;
    // Offset of a distance x (m) along a span L (m) from end A: Trunc(x / L * 150).
    int along(double x, double span) const;
    // Offset of the largest-moment label from end A: Trunc(position * 150 / L).
    int labelAlong(double position, double span) const;
    // Depth of a part-span ordinate w of the largest intensity W: Trunc(w / W * 18).
    int ordinate(double w, double largest) const;
    // Offset of moment station i (0..100) from end A: Trunc(1.5 i).
    int station(int i) const;
    // Depth of the moment Mi below the base line, Mmax at 24: Trunc(Mi * 24 / Mmax).
    int moment(double mi, double mmax) const;
};

// The preview page of 630 x 885 pixels: the layout as it is.
Geometry previewGeometry();

// The printed page: printable width in device pixels (1..1000000), left margin in steps
// of 13 print units (0..221, the margin that still starts the block on the paper).
Geometry printerGeometry(int printableWidth, int margin);

// Truncates a computed pixel position towards zero; a value that is not a number reads as
// 0 and one beyond +-1000000 pixels (far off any page) is held there, so wild stored
// values never overflow the integer coordinates.
int truncPixel(double value);

} // namespace sheets
