#include "beam/allowable.h"

#include "beam/numtext.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace beam {

namespace {

// The table of the notice on the strength of steel (平成12年建設省告示第2464号, 第1): F
// for plates up to 40 mm, over 40 mm up to 75 mm, over 75 mm up to 100 mm. Where the
// notice names a grade without its quality letter (SM490 for SM490A, B and C), each name a
// designer writes is listed; the bare names SM400, SM490 and SM520 stay, as stored results
// name them. SM490Y stands in the notice with SM490 (its F is bound by 70 % of the tensile
// strength, 0.7 x 490 = 343), SM520 has a third band from 75 mm. BCR295, BCP235 and BCP325
// are not in the notice: their approvals give F for the plates they are made of, up to 40 mm.
constexpr SteelGrade kGrades[] = {
    {"SS400", 235, 215, 215},   {"SS490", 275, 255, 255},   {"SN400A", 235, 215, 215},
    {"SN400B", 235, 215, 215},  {"SN400C", 235, 215, 215},  {"SN490B", 325, 295, 295},
    {"SN490C", 325, 295, 295},  {"SM400", 235, 215, 215},   {"SM400A", 235, 215, 215},
    {"SM400B", 235, 215, 215},  {"SM400C", 235, 215, 215},  {"SM490", 325, 295, 295},
    {"SM490A", 325, 295, 295},  {"SM490B", 325, 295, 295},  {"SM490C", 325, 295, 295},
    {"SM490YA", 325, 295, 295}, {"SM490YB", 325, 295, 295}, {"SM520", 355, 335, 325},
    {"SM520B", 355, 335, 325},  {"SM520C", 355, 335, 325},  {"STK400", 235, 215, 215},
    {"STK490", 325, 295, 295},  {"STKR400", 235, 215, 215}, {"STKR490", 325, 295, 295},
    {"BCR295", 295, 0, 0},      {"BCP235", 235, 0, 0},      {"BCP325", 325, 0, 0},
};

constexpr double kThinPlate = 40;   // mm: the F of the grade's name up to here
constexpr double kMiddlePlate = 75; // mm
constexpr double kThickPlate = 100; // mm: no F beyond

// The fillet of radius r between two plates at right angles: its area is (1 - pi/4) r^2,
// its centroid 0.22337 r from the plate faces, its own second moment 0.0075451 r^4.
constexpr double kFilletArea = 1 - std::numbers::pi / 4;
constexpr double kFilletCentroid = 0.22337;
constexpr double kFilletInertia = 0.0075451;


} // namespace

std::span<const SteelGrade> steelGrades() { return kGrades; }

const SteelGrade *findGrade(std::string_view grade)
{
    for (const SteelGrade &g : kGrades)
        if (grade == g.name)
            return &g;
    return nullptr;
}

std::optional<double> gradeStrength(std::string_view grade)
{
    if (const SteelGrade *g = findGrade(grade))
        return g->F;
    return std::nullopt;
}

std::optional<double> plateStrength(const SteelGrade &grade, double t)
{
    const double F = t <= kThinPlate ? grade.F : t <= kMiddlePlate ? grade.F75 : t <= kThickPlate ? grade.F100 : 0;
    if (!(F > 0))
        return std::nullopt;
    return F;
}

std::optional<double> plateThickness(const BeamInput &in)
{
    switch (in.family) {
    case Family::Kaku:
    case Family::Maru:
        return in.tf1;
    case Family::Direct:
    case Family::User:
        return std::nullopt;
    default:
        return std::max(in.tf1, in.tw1);
    }
}

SectionStrength sectionStrength(const Basis &basis, const BeamInput &in)
{
    SectionStrength out;
    out.F = basis.F;
    const SteelGrade *grade = findGrade(basis.grade);
    if (!grade)
        return out; // a typed F
    const std::optional<double> t = plateThickness(in);
    if (!t) {
        out.plateUnknown = true;
        out.F = grade->F;
        return out;
    }
    if (const std::optional<double> F = plateStrength(*grade, *t)) {
        out.F = *F;
        return out;
    }
    const std::string plate = "断面の最も厚い板（" + formatNumber(*t, "0.###") + " mm）";
    if (grade->F75 > 0)
        out.error = plate + "が 100 mm を超えるため、告示に鋼材 " + basis.grade +
                    " の基準強度 F がありません。F を直接入力して下さい。";
    else
        out.error = "鋼材 " + basis.grade + " の基準強度 F は板厚 40 mm 以下のものです。" + plate +
                    "が 40 mm を超えます。F を直接入力して下さい。";
    return out;
}

std::string basisRefusal(const Basis &basis)
{
    if (!basis.grade.empty()) {
        const std::optional<double> F = gradeStrength(basis.grade);
        if (!F)
            return "鋼材「" + basis.grade + "」は選べる鋼材の中にありません。";
        if (*F != basis.F)
            return "鋼材 " + basis.grade + " の F は " + strengthText(*F) + " です。";
    }
    if (!std::isfinite(basis.F) || !(basis.F > 0) || basis.F > 1000)
        return "基準強度 F は 0 より大きく 1000 以下の数字 (N/mm2) で指定して下さい。";
    if (basis.C && !(*basis.C >= kMinC && *basis.C <= kMaxC))
        return "補正係数 C は 1.0 から 2.3 の範囲で指定して下さい。";
    return {};
}

std::string strengthText(double F) { return formatNumber(F, "###0.###"); }

std::string basisLabel(const Basis &basis)
{
    if (basis.rule == FbRule::Old)
        return {};
    std::string label = "告示1024号 ";
    if (!basis.grade.empty())
        label += basis.grade + " ";
    return label + "F=" + strengthText(basis.F);
}

TeeSection teeSection(double H, double B, double tw, double tf, double r)
{
    TeeSection t;
    t.hw = std::max(0.0, H / 6 - tf);
    const double arm = tw / 2 + kFilletCentroid * r;
    t.I = tf * B * B * B / 12 + t.hw * tw * tw * tw / 12 +
          2 * (kFilletInertia * r * r * r * r + kFilletArea * r * r * arm * arm);
    t.A = B * tf + t.hw * tw + 2 * kFilletArea * r * r;
    if (t.A > 0 && t.I > 0)
        t.i = std::sqrt(t.I / t.A);
    return t;
}

double teeRadius(double H, double B, double tw, double tf, double r) { return teeSection(H, B, tw, tf, r).i; }

double noticeFb1(double F, double lb, double i, double C)
{
    if (!(i > 0))
        return 0;
    const double lambda2 = 1500.0 * 1500.0 / (F / 1.5);
    const double slenderness = lb / i;
    return F * (2.0 / 3 - 4.0 / 15 * slenderness * slenderness / (C * lambda2));
}

double noticeFb2(double lb, double h, double Af) { return 89000 * Af / (lb * h); }

double noticeFs(double F) { return F / (1.5 * std::sqrt(3.0)); }

double automaticC(Support support, double span, double lb, const std::array<double, kStations> &M)
{
    return momentGradient(support, span, lb, M).C;
}

MomentGradient momentGradient(Support support, double span, double lb, const std::array<double, kStations> &M)
{
    MomentGradient g;
    if (support == Support::FreeFixed || !(lb >= span)) {
        g.reason = support == Support::FreeFixed ? CReason::Cantilever : CReason::ShortBracing;
        return g;
    }
    const double a = M[0], b = M[kStations - 1];
    g.M1 = std::max(std::fabs(a), std::fabs(b));
    g.M2 = std::min(std::fabs(a), std::fabs(b));
    for (int i = 1; i < kStations - 1; ++i)
        if (std::fabs(M[i]) > std::fabs(g.inner))
            g.inner = M[i];
    if (std::fabs(g.inner) > g.M1) {
        g.reason = CReason::InnerMomentLarger;
        return g;
    }
    g.inner = 0;
    if (g.M1 == 0) {
        g.reason = CReason::NoEndMoments;
        return g;
    }
    const bool doubleCurvature = (a < 0 && b > 0) || (a > 0 && b < 0);
    g.reason = CReason::EndMoments;
    g.ratio = (doubleCurvature ? g.M2 : -g.M2) / g.M1;
    const double C = 1.75 + 1.05 * g.ratio + 0.3 * g.ratio * g.ratio;
    g.capped = C > kMaxC;
    g.C = std::clamp(C, kMinC, kMaxC);
    return g;
}

NoticeBending noticeBending(const BeamInput &in, double F, double C)
{
    NoticeBending out;
    const double cap = F / 1.5;
    out.fb = cap;
    if (in.lb == 0 || in.H1 == 0)
        return out;
    const double lb = in.lb * 1000; // mm
    if (in.family == Family::L) { // no axis of symmetry in the plane of either leg
        const double h = in.weak ? in.B1 : in.H1, otherLeg = in.weak ? in.H1 : in.B1;
        out.fb2 = noticeFb2(lb, h, otherLeg * in.tf1);
        out.fb = std::min(*out.fb2, cap);
        return out;
    }
    if (in.weak || !usesBucklingFormula(in.family))
        return out;
    out.fb2 = noticeFb2(lb, in.H1, in.B1 * in.tf1);
    double fb = *out.fb2;
    if (in.family != Family::C) {
        out.i = teeRadius(in.H1, in.B1, in.tw1, in.tf1, in.r1);
        out.fb1 = noticeFb1(F, lb, *out.i, C);
        fb = std::max(*out.fb1, fb);
    }
    out.fb = std::min(fb, cap);
    return out;
}

std::optional<double> shearArea(const BeamInput &in)
{
    const double mm2ToCm2 = 0.01;
    if (usesBucklingFormula(in.family)) { // a web between two flanges
        if (in.weak) // bent about the web axis, the two flanges carry the shear
            return 2 * in.B1 * in.tf1 * mm2ToCm2;
        return (in.H1 - 2 * in.tf1) * in.tw1 * mm2ToCm2;
    }
    switch (in.family) {
    case Family::L: // the leg in the plane of the load
        return (in.weak ? in.B1 : in.H1) * in.tw1 * mm2ToCm2;
    case Family::Kaku:
    case Family::Maru:
        return in.A1 / 2;
    default: // directly typed and registered sections: no plate thicknesses
        break;
    }
    return std::nullopt;
}

} // namespace beam
