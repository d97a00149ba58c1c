// The shear force along the span and the deflection curve of a beam, for the figures of
// the detailed sheets. Both start from the loads as the analyses decompose them (the
// point loads and the 100 slices of each part-span load) and from the reactions of Qcalc,
// so the shear at the supports is the stored reactions and the deflection at the 101
// stations is what deltacalc compares.
#pragma once

#include "beam/analysis.h"

#include <vector>

namespace beam {

struct CurvePoint {
    double x = 0;     // m from end A
    double value = 0; // kN or tf (shear), cm (deflection)
};

// A curve as a chain of points in order of x; a point load makes two points at its
// position (the values just left and just right of it). The largest value and the
// smallest one, with their positions (the first of equal ones).
struct Curve {
    std::vector<CurvePoint> points;
    double highest = 0, highestAt = 0;
    double lowest = 0, lowestAt = 0;
};

// Shear force Q(x), positive where the part of the beam left of x is pushed up (Q = RA
// just right of end A). At the 101 stations, and on both sides of every point load
// P1..P8 that is not 0; the slices of part-span loads are summed into the stations.
Curve shearCurve(const BeamInput &in);

// Deflection at the 101 stations, cm, downward positive: the superposed deflection of the
// uniform load and of every point and slice, the formulas deltacalc sums at its stations,
// with its Young's modulus.
Curve deflectionCurve(const BeamInput &in, Modulus modulus = Modulus::Traditional);

} // namespace beam
