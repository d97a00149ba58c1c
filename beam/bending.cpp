#include "beam/bending.h"

#include <algorithm>
#include <cmath>

namespace beam {

namespace {

using Ext = long double;

inline double stored(Ext v) { return static_cast<double>(v); }

constexpr double kBasicFb = 1.6; // tf/cm2, basic allowable bending stress and cap
constexpr Ext kShortTerm = 1.5L;

// Why the section gets the basic fb under either rule, before its kind is looked at.
BasicFbReason missingLength(const BeamInput &in)
{
    if (in.lb == 0)
        return BasicFbReason::NoUnbracedLength;
    if (in.H1 == 0)
        return BasicFbReason::NoDepth;
    return BasicFbReason::None;
}

// Why a section with lb and H gets the basic fb: its kind, or the weak axis.
BasicFbReason basicKind(const BeamInput &in)
{
    return usesBucklingFormula(in.family) ? BasicFbReason::WeakAxis : BasicFbReason::SectionKind;
}

// tf/cm2 to the result unit, as the old rule converts: nothing, x 9.80665 or x 15.7 / 1.6.
double converted(double tf, const BeamInput &in)
{
    if (!in.si)
        return tf;
    return in.si157 ? stored(tf * 15.7L / 1.6L) : stored(tf * kGravity);
}

double withTerm(double v, const BeamInput &in) { return in.term ? stored(v * kShortTerm) : v; }

OldBendingTerms oldBending(const BeamInput &in)
{
    OldBendingTerms t;
    t.Af = stored(static_cast<Ext>(in.B1) / 10 * (static_cast<Ext>(in.tf1) / 10));
    t.lb = stored(static_cast<Ext>(in.lb) * 100);
    t.h = stored(static_cast<Ext>(in.H1) / 10);
    t.basic = missingLength(in);
    if (t.basic == BasicFbReason::None && !(usesBucklingFormula(in.family) && !in.weak))
        t.basic = basicKind(in);
    double fb = kBasicFb;
    if (t.basic == BasicFbReason::None) {
        t.formula = stored(static_cast<Ext>(in.B1) / 10 * 900 * (static_cast<Ext>(in.tf1) / 10) /
                           (static_cast<Ext>(in.lb) * 100) / (static_cast<Ext>(in.H1) / 10));
        fb = *t.formula;
    }
    if (fb > kBasicFb) {
        fb = kBasicFb;
        t.capGoverns = true;
    }
    t.longTerm = fb;
    t.conversion = !in.si ? UnitConversion::None : in.si157 ? UnitConversion::Si157 : UnitConversion::Gravity;
    t.factor = !in.si ? 1.0 : in.si157 ? stored(15.7L / 1.6L) : stored(kGravity);
    t.converted = converted(fb, in);
    t.fsLongTerm = stored(static_cast<Ext>(kBasicFb) / std::sqrt(3.0L));
    t.fs = withTerm(converted(t.fsLongTerm, in), in);
    return t;
}

NoticeBendingTerms noticeTerms(const BeamInput &in, const Moments &m, const Basis &basis,
                               const SectionStrength &strength)
{
    NoticeBendingTerms t;
    t.F = strength.F;
    t.grade = findGrade(basis.grade);
    t.plateUnknown = strength.plateUnknown;
    if (t.grade && !strength.plateUnknown)
        t.plate = plateThickness(in);
    t.lb = in.lb * 1000;
    if (basis.C) {
        t.C.C = *basis.C;
        t.C.reason = CReason::Typed;
    } else {
        t.C = momentGradient(in.support, in.span, in.lb, m.M);
    }

    const NoticeBending b = noticeBending(in, t.F, t.C.C);
    t.fb1 = b.fb1;
    t.fb2 = b.fb2;
    t.cap = t.F / 1.5;
    t.longTerm = b.fb;
    t.basic = missingLength(in);
    if (t.basic == BasicFbReason::None && in.family != Family::L && (in.weak || !usesBucklingFormula(in.family)))
        t.basic = basicKind(in);
    if (b.fb2) {
        const bool angle = in.family == Family::L;
        t.h = angle && in.weak ? in.B1 : in.H1;
        t.Af = (angle && in.weak ? in.H1 : in.B1) * in.tf1;
    }
    if (b.fb1) {
        t.tee = teeSection(in.H1, in.B1, in.tw1, in.tf1, in.r1);
        if (t.tee->i > 0)
            t.slenderness = t.lb / t.tee->i;
        t.Lambda = std::sqrt(1500.0 * 1500.0 / (t.F / 1.5));
    }
    // As noticeBending chooses: min(max(fb1, fb2), F/1.5), the first of equal ones.
    if (b.fb2) {
        const double best = b.fb1 ? std::max(*b.fb1, *b.fb2) : *b.fb2;
        if (t.cap < best)
            t.governs = NoticeGoverns::Cap;
        else
            t.governs = b.fb1 && !(*b.fb1 < *b.fb2) ? NoticeGoverns::Fb1 : NoticeGoverns::Fb2;
    }
    t.divisor = in.si ? 10.0 : stored(10 * kGravity);
    t.fs = noticeFs(t.F);
    t.fsResult = noticeStress(t.fs, in, true);
    return t;
}

} // namespace

double noticeStress(double nmm2, const BeamInput &in, bool allowable)
{
    Ext v = static_cast<Ext>(nmm2) / 10;
    if (!in.si)
        v /= kGravity;
    if (allowable && in.term)
        v *= kShortTerm;
    return stored(v);
}

double fbcalc(const BeamInput &in) { return withTerm(oldBending(in).converted, in); }

AllowableBending allowableStress(const BeamInput &in, const Moments &m, const Basis &basis,
                                 const SectionStrength &strength)
{
    AllowableBending out;
    out.rule = basis.rule;
    out.si = in.si;
    out.shortTerm = in.term;
    if (basis.rule == FbRule::Notice) {
        out.notice = noticeTerms(in, m, basis, strength);
        out.fb = noticeStress(out.notice->longTerm, in, true);
    } else {
        out.old = oldBending(in);
        out.fb = withTerm(out.old->converted, in);
    }
    return out;
}

} // namespace beam
