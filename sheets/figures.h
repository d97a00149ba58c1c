// The two small figures of a sheet block: the load figure (beam, supports, point loads with
// their stacked dimension lines above, uniform and part-span loads below) and the moment
// figure (moment line, its values and the reaction arrows).
#pragma once

#include "beam/canvas.h"
#include "results/table.h"
#include "sheets/geometry.h"

namespace sheets {

// Draws the load figure of a slot with support A at the reference point (x, y). A span
// that reads as 0 cannot place loads: the beam, supports, span dimension and uniform load
// are drawn, the point and part-span loads are left out.
void drawLoadFigure(beam::Canvas &canvas, const results::SlotRecord &slot, const Geometry &g, int x, int y);

// Draws the moment figure of a slot with its base line starting at (x, y). A largest
// moment that reads as 0 leaves out the moment line, a span that reads as 0 the label
// placed along the span; the rest is drawn.
void drawMomentFigure(beam::Canvas &canvas, const results::SlotRecord &slot, const Geometry &g, int x, int y);

} // namespace sheets
