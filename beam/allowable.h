// The basis of the allowable stresses, and the rules of today's allowable-stress check
// that the basis can switch on: steel grade -> F, the lateral-buckling stresses fb1/fb2
// with the radius of gyration of the compression T, the moment-gradient factor C, and
// the allowable shear stress. Stresses in N/mm2, lengths in mm unless a name says else.
#pragma once

#include "beam/input.h"

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace beam {

// Which rule gives fb: the simplified 900 Af / (lb h) capped at 1.6 tf/cm2 (the default),
// or the notice formula with the grade's F.
enum class FbRule { Old, Notice };

// A steel grade and its standard strength F by plate thickness, from the notice on the
// strength of steel (平成12年建設省告示第2464号, 第1 の表): one F for plates up to 40 mm,
// and the F of plates over 40 mm up to 75 mm and over 75 mm up to 100 mm. 0 where the
// table gives no F (BCR295, BCP235 and BCP325 take the F of their approval, for plates up
// to 40 mm). No grade has an F for plates over 100 mm.
struct SteelGrade {
    const char *name;
    double F;    // N/mm2, t <= 40 mm
    double F75;  // N/mm2, 40 < t <= 75 mm; 0: none
    double F100; // N/mm2, 75 < t <= 100 mm; 0: none
};

// The grades offered, in the order a list shows them.
std::span<const SteelGrade> steelGrades();

// The grade named exactly as in steelGrades(); nothing for any other name.
const SteelGrade *findGrade(std::string_view grade);

// F of a grade for plates up to 40 mm; nothing for a name not in steelGrades().
std::optional<double> gradeStrength(std::string_view grade);

// F of a grade for a plate `t` mm thick; nothing when the table gives none (t over 100 mm,
// or over 40 mm for the grades with one F only).
std::optional<double> plateStrength(const SteelGrade &grade, double t);

// The basis every calculation uses until it is changed.
struct Basis {
    FbRule rule = FbRule::Old;
    std::string grade = "SN400B"; // a name of steelGrades(); empty when F is typed
    double F = 235;               // N/mm2; the grade's F up to 40 mm when a grade is named
    std::optional<double> C;      // typed moment-gradient factor; automatic when empty
    bool shear = true;            // check the shear stress too
};

inline constexpr double kMinC = 1.0;
inline constexpr double kMaxC = 2.3;

// Why a basis cannot be used (unknown grade, F that is not a positive number, a grade
// whose F differs from the one given, C outside 1.0..2.3); empty when it can.
std::string basisRefusal(const Basis &basis);

// How the basis is named on the version line: "告示1024号 SN490B F=325" (the grade's F up
// to 40 mm), "告示1024号 F=300" for a typed F; empty for the default rule.
std::string basisLabel(const Basis &basis);

// F as the label writes it: "325", "312.5".
std::string strengthText(double F);

// The thickness of the section's thickest plate, mm: the larger of tf and tw for the
// sections with flanges and a web and for angles, t for square and round pipes. Nothing
// for sections typed in directly and registered members, whose plates are unknown.
std::optional<double> plateThickness(const BeamInput &in);

// The F a check of this section uses, N/mm2: a typed F as typed; a grade's F for the
// section's thickest plate, or its F up to 40 mm when the plates are unknown
// (`plateUnknown`). `error` (Japanese) when the grade has no F for that plate.
struct SectionStrength {
    double F = 0;
    bool plateUnknown = false;
    std::string error;
};
SectionStrength sectionStrength(const Basis &basis, const BeamInput &in);

// Young's modulus of the notice rule, N/mm2 (20500 kN/cm2).
inline constexpr double kNoticeYoung = 205000;

// Radius of gyration, about the web axis, of the T made of the compression flange
// (B x tf), a web strip of height H/6 - tf (never below 0) and thickness tw, and the two
// root fillets of radius r. mm; 0 when the T has no area.
double teeRadius(double H, double B, double tw, double tf, double r);

// The same T with its parts: the web strip's height, the area and the second moment about
// the web axis, and i = sqrt(I / A) (0 when the T has no area).
struct TeeSection {
    double hw = 0; // mm
    double A = 0;  // mm2
    double I = 0;  // mm4
    double i = 0;  // mm
};
TeeSection teeSection(double H, double B, double tw, double tf, double r);

// fb1 = F {2/3 - (4/15) (lb/i)^2 / (C Lambda^2)}, Lambda^2 = 1500^2 / (F/1.5); below 0 for a
// long lb (fb2 then governs alone), 0 when i is not positive. lb and i in the same unit.
double noticeFb1(double F, double lb, double i, double C);

// fb2 = 89000 / (lb h / Af); lb and h in mm, Af in mm2.
double noticeFb2(double lb, double h, double Af);

// The moment-gradient factor chosen automatically: 1.75 + 1.05 (M2/M1) + 0.3 (M2/M1)^2,
// at most 2.3, when the compression flange is braced at the supports only (lb >= span);
// M1, M2 the larger and smaller end moment in magnitude, M2/M1 positive for end moments
// of opposite sign (double curvature). 1 when a moment inside the span is larger in
// magnitude than M1, for the cantilever, and when lb is shorter than the span.
// `M` are the station moments (sagging positive), stations 0 and 100 being the ends.
double automaticC(Support support, double span, double lb, const std::array<double, kStations> &M);

// The same choice with the reason it gave its value. M1, M2 in the unit of the moments;
// `ratio` is M2/M1 with its sign (positive for double curvature), set with EndMoments;
// `inner` the moment inside the span of largest magnitude, set with InnerMomentLarger.
enum class CReason {
    Typed,             // given with the basis
    EndMoments,        // from M1, M2
    InnerMomentLarger, // a moment inside the span is larger in magnitude than M1
    NoEndMoments,      // every station moment is 0
    Cantilever,
    ShortBracing,      // lb is shorter than the span
};
struct MomentGradient {
    double C = 1;
    CReason reason = CReason::ShortBracing;
    double M1 = 0, M2 = 0;
    double ratio = 0;
    double inner = 0;
    bool capped = false; // the formula gave more than 2.3
};
MomentGradient momentGradient(Support support, double span, double lb, const std::array<double, kStations> &M);

// The allowable bending stress of the notice rule for one section, long term, N/mm2,
// with the intermediates the rule used (absent when it did not use them).
struct NoticeBending {
    double fb = 0;
    std::optional<double> fb1, fb2; // N/mm2
    std::optional<double> i;        // mm, radius of gyration of the T
};
// H, I-beams and built-up H about the strong axis: min(max(fb1, fb2), F/1.5). Sections
// without an axis of symmetry in the plane of the load, channels about the strong axis and
// angles about either leg: min(fb2, F/1.5), h the leg in the plane of the load and Af the
// other leg (width x t). F/1.5 for pipes, directly typed and registered sections, the weak
// axis of H, I-beams, built-up H and channels (the plane of the load is then an axis of
// symmetry, and bending about the weak axis does not buckle laterally), lb = 0 and H = 0.
NoticeBending noticeBending(const BeamInput &in, double F, double C);

// Allowable shear stress, long term: F / (1.5 sqrt 3), N/mm2.
double noticeFs(double F);

// The shear area Aw in cm2: (H - 2 tf) tw for H, I-beams, channels and built-up H (the
// two flanges, 2 B tf, when they bend about the weak axis); the leg in the plane of the
// load for an angle (H t, B t about the weak axis); half the area for square and round
// pipes. Nothing for sections typed in directly and registered members (their plates are
// unknown).
std::optional<double> shearArea(const BeamInput &in);

} // namespace beam
