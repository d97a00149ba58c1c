// Section properties computed from plate dimensions: built-up H ("BH-"), square pipe
// ("□-") and round pipe ("φ"). The arithmetic is 32-bit floating point, each step
// stored as a float in the order the dimension operation (`BChange`) takes them, so the
// shown values match the published examples to the last digit.
#pragma once

#include "beam/input.h"
#include "sections/catalogue.h"

#include <optional>
#include <string>

namespace sections {

// The texts of the dimension boxes, mm, as typed. For the square pipe `tf` is the wall
// thickness t; for the round pipe `B` is the outer diameter D and `tf` the wall t.
struct DimensionTexts {
    std::string H, B, tw, tf;
};

// The computed quantities, cm-based: Ix, Iy cm4, Zx, Zy cm3, A cm2, W kg/m.
struct SectionProperties {
    float Ix = 0, Iy = 0, Zx = 0, Zy = 0, A = 0, W = 0;
};

// What the dimension operation writes into the section fields: inertia (Ix, or Iy about
// the weak axis), modulus (Zx or Zy) and selfw "#####0.00"; H1, B1, tf1 and tw1 the texts
// of H, B, tf and tw unchanged; r1 "0" (no fillets); A1 "#####0.000".
struct ComputedSection : SectionTexts {
    std::optional<std::string> member; // the computed shapes only; else `member` is kept
    SectionProperties properties;
    // Japanese, when a dimension is out of range and a property would not be a finite
    // number; inertia, modulus and selfw are then empty and must not be written.
    std::string error;
};

// The dimension operation for the shape choice `shape`. For a shape other than BH, kaku
// and maru nothing is computed: the three fields receive "0.00" and there is no member.
ComputedSection computeSection(beam::Family shape, const DimensionTexts &dims, bool weak);

// Why the dimensions cannot make the shape, naming the dimension by its box caption, or
// empty: any dimension the shape uses at or below 0, a built-up H with tw >= B or
// 2 tf >= H, a square pipe with 2 t >= B or 2 t >= H, a round pipe with 2 t >= D.
// computeSection still computes such dimensions (the boxes are typed one after another);
// a calculation refuses them.
std::string dimensionRefusal(beam::Family shape, const DimensionTexts &dims);

// The member name alone: "BH-" H "x" B "x" tw "x" tf, "□-" H "x" B "x" tf, "φ" B "x" tf.
std::optional<std::string> computedMemberName(beam::Family shape, const DimensionTexts &dims);

} // namespace sections
