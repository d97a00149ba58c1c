// The four figures of a detailed sheet: the load figure and the moment figure of the
// standard sheet, and below them the shear-force figure and the deflection curve, each
// with its extreme values and their positions written on it.
#pragma once

#include "beam/canvas.h"
#include "sheets/detailedderive.h"
#include "sheets/geometry.h"

namespace sheets {

// Height of the four figures in preview pixels, for the beam's loads (more point loads
// stack more dimension lines above the load figure).
int detailedFiguresHeight(const DerivedBeam &beam);

// Draws the figures with their top-left corner at (x, y) preview pixels, mapped through g.
void drawDetailedFigures(beam::Canvas &canvas, const DerivedBeam &beam, const Geometry &g, int x, int y);

// The extreme values as the figures write them: "Qmax=36.000 kN (x=0.000 m)".
std::string extremeText(const char *name, double value, double at, const char *unit);

} // namespace sheets
