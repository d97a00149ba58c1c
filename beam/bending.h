// The allowable bending stress fb of one beam under either rule of the basis, with every
// term of its derivation as numbers, so that a sheet can write the formulas with their
// values put in and get the check's own fb by construction.
//
// The old rule: 900 Af / (lb h) tf/cm2, capped at the basic 1.6 tf/cm2, converted to
// kN/cm2 with 9.80665 or, on the 157 MPa basis (`si157`), with 15.7 / 1.6. The notice rule:
// F of the grade for the section's plates, fb1 / fb2 / F/1.5 in N/mm2 (see noticeBending),
// then N/mm2 / 10 = kN/cm2 (and / 9.80665 for tf/cm2). Both: x1.5 for the short term.
#pragma once

#include "beam/allowable.h"
#include "beam/analysis.h"

#include <optional>

namespace beam {

// Why fb is the basic value (1.6 tf/cm2, or F/1.5) without a buckling formula.
enum class BasicFbReason {
    None,             // a formula applied
    NoUnbracedLength, // lb = 0
    NoDepth,          // H = 0
    SectionKind,      // pipes, directly typed and registered sections (and angles, old rule)
    WeakAxis,         // bending about the weak axis does not buckle laterally
};

// The old rule's conversion of tf/cm2 to the result unit.
enum class UnitConversion {
    None,    // traditional units: tf/cm2
    Gravity, // x 9.80665, kN/cm2
    Si157,   // x 15.7 / 1.6, kN/cm2 on the 157 MPa basis
};

struct OldBendingTerms {
    double Af = 0; // cm2, B tf
    double lb = 0; // cm
    double h = 0;  // cm, H
    BasicFbReason basic = BasicFbReason::None;
    std::optional<double> formula; // 900 Af / (lb h), tf/cm2; set when basic is None
    bool capGoverns = false;       // the formula gave more than 1.6
    double longTerm = 0;           // tf/cm2, after the cap
    UnitConversion conversion = UnitConversion::None;
    double factor = 1;             // of the conversion
    double converted = 0;          // result unit, long term
    // The shear line given for information: 1.6 / sqrt 3 tf/cm2 (the F of the cap
    // 1.6 = F/1.5), converted like fb, x1.5 for the short term.
    double fsLongTerm = 0; // tf/cm2
    double fs = 0;         // result unit
};

// Which term gives the notice rule's fb.
enum class NoticeGoverns { Fb1, Fb2, Cap };

struct NoticeBendingTerms {
    double F = 0;                      // N/mm2, as used
    const SteelGrade *grade = nullptr; // nothing when F was typed
    std::optional<double> plate;       // mm, the thickest plate, which set F
    bool plateUnknown = false;         // the grade's F up to 40 mm was taken
    double lb = 0;                     // mm
    BasicFbReason basic = BasicFbReason::None;
    MomentGradient C;                  // the C fb1 uses (Typed when given with the basis)
    std::optional<TeeSection> tee;     // the compression T of fb1
    std::optional<double> slenderness; // lb / i
    std::optional<double> Lambda;      // 1500 / sqrt(F / 1.5)
    std::optional<double> fb1;         // N/mm2, may be below 0
    std::optional<double> fb2;         // N/mm2
    double h = 0;                      // mm, depth (the leg in the plane of the load) of fb2
    double Af = 0;                     // mm2, compression flange (the other leg) of fb2
    double cap = 0;                    // F / 1.5, N/mm2
    NoticeGoverns governs = NoticeGoverns::Cap;
    double longTerm = 0;               // N/mm2, the long-term fb
    double divisor = 10;               // N/mm2 to the result unit: 10, or 10 x 9.80665 for tf
    double fs = 0;                     // N/mm2, F / (1.5 sqrt 3), long term
    double fsResult = 0;               // result unit, short-term factor included
};

struct AllowableBending {
    double fb = 0;          // result unit (kN/cm2 or tf/cm2), short-term factor included
    FbRule rule = FbRule::Old;
    bool si = true;         // kN (else tf)
    bool shortTerm = false; // x1.5 applied
    std::optional<OldBendingTerms> old;
    std::optional<NoticeBendingTerms> notice;
};

// fb of the beam under `basis`. `m` gives the automatic C, `strength` the F of the notice
// rule (sectionStrength, its error refused before); neither is read by the old rule.
AllowableBending allowableStress(const BeamInput &in, const Moments &m, const Basis &basis,
                                 const SectionStrength &strength);

// The old rule's fb alone (allowableStress under the default basis), kN/cm2 or tf/cm2,
// short-term factor included.
double fbcalc(const BeamInput &in);

// A notice-rule stress, N/mm2, in the unit of the results; an allowable one with the
// short-term factor.
double noticeStress(double nmm2, const BeamInput &in, bool allowable);

} // namespace beam
