// What the detailed sheets' text is written with: a stored text of the beam by its field,
// and the number patterns of the formulas' values ("##0.000", "##0.00", "##0.0", "0.###").
#pragma once

#include "beam/numtext.h"
#include "sheets/detailedderive.h"

#include <cstddef>
#include <string>

namespace sheets::numbers {

inline const std::string &at(const DerivedBeam &b, int f) { return b.slot[static_cast<std::size_t>(f)]; }
inline std::string f3(double v) { return beam::formatNumber(v, "##0.000"); }
inline std::string f2(double v) { return beam::formatNumber(v, "##0.00"); }
inline std::string f1(double v) { return beam::formatNumber(v, "##0.0"); }
inline std::string num(double v) { return beam::formatNumber(v, "0.###"); }

} // namespace sheets::numbers
