// The section property calculator of the member page: eleven elementary shapes
// (panels `dan1`..`dan11`; `dan12` is an empty panel) and their area, second moment of
// area, section modulus and, for some, the centroid distance y1 from the top fibre.
// The calculator has no units: results are in the powers of the dimensions' unit.
#pragma once

#include <optional>
#include <string>

namespace sections {

inline constexpr int kShapePanels = 12;   // `dan1`..`dan12`
inline constexpr int kShapesWithResult = 11;

// The six dimension boxes as typed.
struct ShapeDimensions {
    std::string danA{};  // a
    std::string danB{};  // b
    std::string danHH{}; // H
    std::string danH{};  // h
    std::string danR{};  // r
    std::string danD{};  // D
};

// The computed values, in the powers of the dimensions' unit.
struct ShapeProperties {
    double A = 0.0;            // area
    double I = 0.0;            // second moment of area about the horizontal centroidal axis
    double Z = 0.0;            // section modulus
    std::optional<double> y1;  // centroid distance from the top fibre, shapes that show it
};

// The four result lines `danres1`..`danres4` (the fourth empty for most shapes).
struct ShapeResultTexts {
    std::string danres1;
    std::string danres2;
    std::string danres3;
    std::string danres4;
};

struct ShapeCalculation {
    std::optional<ShapeProperties> properties;
    std::optional<ShapeResultTexts> texts;
    std::string error; // Japanese message when the shape cannot be computed
};

// `dan1Click`..`dan11Click`: computes panel 1..11 from the dimension boxes. A division
// by zero or a value too large to show gives an error and no result (the result lines
// keep their texts). Panel 12, or any other number, gives neither result nor error.
ShapeCalculation computeShape(int panel, const ShapeDimensions &dims);

} // namespace sections
