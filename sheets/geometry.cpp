#include "sheets/geometry.h"

#include <cmath>

namespace sheets {

namespace {

constexpr double kFar = 1000000.0; // pixels; far beyond any page
constexpr double kBeam = 150.0;    // beam line length in preview pixels
constexpr double kOrdinate = 18.0; // depth of the largest part-span intensity
constexpr double kStation = 1.5;   // spacing of the 101 moment stations
constexpr double kMoment = 24.0;   // depth of the largest moment

// Trunc(v * width / 2880) exactly, as the printer's print units are defined.
int printUnits(long long v, long long width) { return static_cast<int>(v * width / 2880); }

} // namespace

int truncPixel(double value)
{
    if (std::isnan(value))
        return 0;
    if (value > kFar)
        value = kFar;
    if (value < -kFar)
        value = -kFar;
    return static_cast<int>(value);
}

int Geometry::c(int previewPixels) const
{
    return static_cast<int>(previewPixels * constNum / constDen);
}

int Geometry::along(double x, double span) const { return truncPixel(x / span * (kBeam * dataScale) * post); }

int Geometry::labelAlong(double position, double span) const
{
    return truncPixel(position * (kBeam * dataScale) / span * post);
}

int Geometry::ordinate(double w, double largest) const
{
    return truncPixel(w / largest * (kOrdinate * dataScale) * post);
}

int Geometry::station(int i) const { return truncPixel(kStation * dataScale * i * post); }

int Geometry::moment(double mi, double mmax) const { return truncPixel(mi * (kMoment * dataScale) / mmax * post); }

Geometry previewGeometry() { return Geometry{}; }

Geometry printerGeometry(int printableWidth, int margin)
{
    const long long w = printableWidth;
    Geometry g;
    g.fontSize = 9;
    g.constNum = 4 * w;
    g.constDen = 2880;
    g.dataScale = 4.0;
    g.post = static_cast<double>(printableWidth) / 2880.0;
    g.linePitch = printUnits(48, w);
    g.left = printUnits(13LL * margin, w);
    g.upperTop = printUnits(180, w);
    g.lowerTop = printUnits(2000, w);
    g.dimensionText = printUnits(48, w);
    g.partSpanStart = printUnits(160, w);
    g.w2Offset = printUnits(56, w);
    g.positionClose = " m )";
    g.emptyUniform = "w= -----  ";
    g.pageNumber = {{{printUnits(2300, w) + g.left, printUnits(60, w)},
                     {printUnits(1100, w) + g.left, printUnits(3750, w)},
                     {printUnits(2300, w) + g.left, printUnits(3750, w)}}};
    return g;
}

} // namespace sheets
