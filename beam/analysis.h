// The analyses of one beam on its parsed record (span > 0 assumed): the loads as point
// loads, the support reactions, the moments at the stations with the design moment, and
// the deflection. The check that runs them is in beam/check.h.
//
// Arithmetic: intermediates in extended precision (long double, 64-bit mantissa); the
// station positions, slice centres, slice intensities, slice loads and every running
// sum are rounded to double when stored, so that symmetric cases come out exactly
// symmetric (the tie rules of the design moment rely on it).
#pragma once

#include "beam/input.h"

#include <array>
#include <optional>

namespace beam {

// One point load of the decomposition: a point load P1..P8, or one slice of a
// trapezoidal load (slice load p_s at its centre x_s, both rounded to double).
struct PointLoad {
    double P = 0;        // kN or tf
    double a = 0;        // m from end A
    bool slice = false;  // a slice of a trapezoidal load
};

// Point loads 1..8, then the 100 slices of each trapezoidal load a, b, c whose loaded
// length is not 0, in that order (the order in which every analysis adds them).
struct LoadList {
    std::array<PointLoad, kPointLoads + kPartLoads * kSlices> items{};
    int count = 0;
};
LoadList decomposeLoads(const BeamInput &in);

// `Qcalc`: the support reactions, upward positive. kN or tf.
struct Reactions {
    double RA = 0;
    double RB = 0;
};
Reactions Qcalc(const BeamInput &in);

// `Mcalc`: moments at the 101 stations (sagging positive, kN-m or tf-m), the design
// moment (a magnitude) and its position from end A (m), and the diagram labels.
struct Moments {
    std::array<double, kStations> M{};
    double Mmax = 0;
    double position = 0;
    std::optional<double> Mcent; // largest sagging moment; none for the cantilever
    std::optional<double> Menda; // moment at A; fixed-fixed only
    std::optional<double> Mendb; // moment at B; all but pinned-pinned
};
Moments Mcalc(const BeamInput &in);

// `deltacalc`: the governing deflection (cm, downward positive, upward negative) and the
// ratio Lc / |delta| (99999.9 when delta is exactly 0). The governing deflection is the
// one of largest magnitude: with a pinned end the largest station value up or down; for
// the fixed-fixed beam and the cantilever the described value (the sum of single-load
// maxima, the free-end deflection) unless the superposed deflection at one of the 101
// stations is clearly larger in magnitude, which happens only with loads acting in
// opposite directions.
struct Deflection {
    double delta = 0;
    double ratio = 0;
    double described = 0; // the described value alone: pinned ends from 0 and downward only, cm
};
// Young's modulus of the deflection: 2100 tf/cm2 of the traditional rule, or 205,000 N/mm2
// of the notice rule.
enum class Modulus { Traditional, Notice };
Deflection deltacalc(const BeamInput &in, Modulus modulus = Modulus::Traditional);

} // namespace beam
