// The stress unit converter of the member page: a stress in traditional gravitational
// units (`tmunit`: tf/cm2 or tf/m2) to SI (`siunit`: kN/cm2 or MPa) and back, with the
// standard gravity 9.80665.
#pragma once

#include <string>

namespace sections {

// The radio pair of the traditional group: `tcm2` (on at start-up) or `tm2`.
enum class TraditionalUnit { TfPerCm2, TfPerM2 };
// The radio pair of the SI group: `kncm2` (on at start-up) or `mpa`.
enum class SiUnit { KnPerCm2, MPa };

// The value converted in the order of its rule.
double toSiValue(double v, TraditionalUnit from, SiUnit to);
double toTraditionalValue(double v, SiUnit from, TraditionalUnit to);

struct Conversion {
    std::string text;  // the new text of the target box ("0.000 000e+"), empty on error
    std::string error; // Japanese message when the value cannot be shown; the box keeps its text
};

// `Image25Click`: the text of `tmunit` to the text of `siunit`.
Conversion convertToSi(const std::string &tmunit, TraditionalUnit from, SiUnit to);
// `Image26Click`: the text of `siunit` to the text of `tmunit`.
Conversion convertToTraditional(const std::string &siunit, SiUnit from, TraditionalUnit to);

} // namespace sections
