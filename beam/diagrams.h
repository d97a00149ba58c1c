// The two small drawings of a beam: the load diagram (span and every non-zero load) and
// the stress diagram (moment curve and reactions). Both read texts, so the input page
// draws them from its fields and the result table page from a stored slot.
#pragma once

#include "beam/canvas.h"
#include "beam/input.h"

#include <array>
#include <string>

namespace beam {

inline constexpr int kLoadDiagramWidth = 193;   // pixels
inline constexpr int kLoadDiagramHeight = 105;
inline constexpr int kStressDiagramWidth = 201;
inline constexpr int kStressDiagramHeight = 89;

// What the load diagram reads, as the boxes show it.
struct LoadDiagramTexts {
    std::string span;                    // m
    std::string uniform;                 // distributed over the whole span
    std::array<std::string, 8> p, pl;    // point loads and their distances from A (m)
    std::array<std::string, 3> w1, w2;   // part-span loads a, b, c: start and end intensity
    std::array<std::string, 3> ld1, ld2; // distance from A to the start, loaded length (m)
};

// Clears the surface and draws the beam line, the end ticks and the span dimension; with
// a span other than 0, also the uniform load line, the point-load arrows labelled
// "P1".."P8" and the part-span load blocks hanging at most 20 pixels below the beam.
// Values are read as 32-bit numbers; pixels are truncated toward zero.
void drawLoadDiagram(Canvas &canvas, const LoadDiagramTexts &in);

// How the two reaction values are written under the stress diagram.
enum class ReactionText {
    Reformatted, // the value re-written in "###0.000" (input page)
    AsStored,    // the stored text as it stands (result table page)
    Hidden,      // none: values of another unit system than the one now chosen
};

// What the stress diagram reads.
struct StressDiagramTexts {
    std::array<std::string, kStations> moments; // station i at L*i/100
    std::string mmax;                     // design moment, a magnitude
    std::string qa, qb;                   // reactions at A and B
};

// Clears the surface and draws the baseline, the moment curve scaled so that |Mmax| is
// 20 pixels (sagging below the line), the two reaction arrows and, in red at size 8, the
// two reactions.
void drawStressDiagram(Canvas &canvas, const StressDiagramTexts &in, ReactionText reactions);

} // namespace beam
