// One sheet block of a calculation sheet: the text lines of a stored result (loads, design
// conditions, moment and stresses, allowable stress, reactions, the two verdicts) and its
// two figures. The same block is drawn on the preview page and on paper; only the
// Geometry differs.
#pragma once

#include "beam/canvas.h"
#include "results/table.h"
#include "sheets/geometry.h"

#include <optional>
#include <string>

namespace sheets {

// True when the slot is in SI units (its unit-system field is exactly "SI単位").
bool isSi(const results::SlotRecord &slot);

// The bending verdict that follows the stored stress ratio: "> 1.0 NG." above 1.0,
// "< 1.0 OK." otherwise.
std::string bendingVerdict(const results::SlotRecord &slot);

// The deflection verdict from the stored limits, deflection and L/n: "NG." or "OK.".
std::string deflectionVerdict(const results::SlotRecord &slot);

// The deflection limit line ("撓み制限値：..."), or nothing when both limit texts are empty.
std::optional<std::string> deflectionLimitLine(const results::SlotRecord &slot);

// A stored stress in tf/cm2 converted to kN/cm2 and formatted "##0.00".
std::string convertedStress(const std::string &storedTfPerCm2);

// Draws the whole sheet block of a slot with its origin at (x0, y0): the text lines, the
// load figure at (x0 + 320, y0 + 210) and the moment figure at (x0 + 320, y0 + 300),
// every offset mapped through g.
void drawSheetBlock(beam::Canvas &canvas, const results::SlotRecord &slot, const Geometry &g, int x0, int y0);

// The two figures of the block alone, as drawSheetBlock places them.
void drawSheetFigures(beam::Canvas &canvas, const results::SlotRecord &slot, const Geometry &g, int x0, int y0);

} // namespace sheets
