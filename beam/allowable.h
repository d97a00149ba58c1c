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

// A steel grade and its standard strength F (thickness up to 40 mm).
struct SteelGrade {
    const char *name;
    double F; // N/mm2
};

// The grades offered, in the order a list shows them.
std::span<const SteelGrade> steelGrades();

// F of a grade named exactly as in steelGrades(); nothing for any other name.
std::optional<double> gradeStrength(std::string_view grade);

// The basis every calculation uses until it is changed.
struct Basis {
    FbRule rule = FbRule::Old;
    std::string grade = "SN400B"; // a name of steelGrades(); empty when F is typed
    double F = 235;               // N/mm2; the grade's F when a grade is named
    std::optional<double> C;      // typed moment-gradient factor; automatic when empty
    bool shear = true;            // check the shear stress too
};

inline constexpr double kMinC = 1.0;
inline constexpr double kMaxC = 2.3;

// Why a basis cannot be used (unknown grade, F that is not a positive number, a grade
// whose F differs from the one given, C outside 1.0..2.3); empty when it can.
std::string basisRefusal(const Basis &basis);

// How the basis is named on the version line and in reports: "告示1024号 SN490B F=325",
// "告示1024号 F=300" for a typed F; empty for the default rule.
std::string basisLabel(const Basis &basis);

// F as the label writes it: "325", "312.5".
std::string strengthText(double F);

// Young's modulus of the notice rule, N/mm2 (20500 kN/cm2).
inline constexpr double kNoticeYoung = 205000;

// Radius of gyration, about the web axis, of the T made of the compression flange
// (B x tf), a web strip of height H/6 - tf (never below 0) and thickness tw, and the two
// root fillets of radius r. mm; 0 when the T has no area.
double teeRadius(double H, double B, double tw, double tf, double r);

// fb1 = F {2/3 - (4/15) (lb/i)^2 / (C Lambda^2)}, Lambda^2 = 1500^2 / (F/1.5); never below
// 0, and 0 when i is not positive. lb and i in the same unit.
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

// The allowable bending stress of the notice rule for one section, long term, N/mm2,
// with the intermediates the rule used (absent when it did not use them).
struct NoticeBending {
    double fb = 0;
    std::optional<double> fb1, fb2; // N/mm2
    std::optional<double> i;        // mm, radius of gyration of the T
};
// H, I-beams and built-up H about the strong axis: min(max(fb1, fb2), F/1.5); channels:
// min(fb2, F/1.5); anything else, the weak axis, lb = 0 or H = 0: F/1.5.
NoticeBending noticeBending(const BeamInput &in, double F, double C);

// Allowable shear stress, long term: F / (1.5 sqrt 3), N/mm2.
double noticeFs(double F);

// The shear area Aw in cm2: (H - 2 tf) tw for H, I-beams, channels and built-up H (the
// two flanges, 2 B tf, when they bend about the weak axis); the
// vertical leg H t for an angle; half the area for square and round pipes. Nothing for
// sections typed in directly and registered members (their plates are unknown).
std::optional<double> shearArea(const BeamInput &in);

} // namespace beam
