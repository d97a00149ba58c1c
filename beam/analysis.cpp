#include "beam/analysis.h"

#include "beam/bending.h"
#include "beam/numtext.h"

#include <algorithm>
#include <cmath>

namespace beam {

namespace {

using Ext = long double;

// Rounds an extended intermediate to the double in which it is stored.
inline double stored(Ext v) { return static_cast<double>(v); }

constexpr Ext kYoung = 2100;            // tf/cm2
constexpr double kNoDeflectionRatio = 99999.9;

// Station position x_i = (L / 100) * i, in m.
inline double station(Ext L, int i) { return stored(L / 100 * i); }

// Per-load constants of the moment formulas, computed once per load (the same values
// the formulas give at every station, so the station sums are unchanged).
struct MomentTerm {
    Ext P, a;
    Ext left, right;        // pinpin: P b, P a; pinkotei: R, -; koteikotei: RA, RB
    Ext leftEnd, underLoad; // koteikotei: MA, MC
};

// Per-load constants of the deflection formulas (a, b in cm).
struct DeflectionTerm {
    Ext P, a, b;
    Ext c1, c2, c3, c4;
};

// delta = D / I / E (cm): traditionally E = 2100 tf/cm2, in SI divided by 9.80665 once
// more; the notice's E = 205,000 N/mm2 is 20500 kN/cm2, 20500 / 9.80665 tf/cm2.
double toCentimetres(const BeamInput &in, double D, Modulus modulus)
{
    if (modulus == Modulus::Notice) {
        const Ext force = in.si ? static_cast<Ext>(D) : static_cast<Ext>(D) * kGravity;
        return stored(force / in.inertia / (kNoticeYoung / 10));
    }
    double delta = stored(static_cast<Ext>(D) / in.inertia / kYoung);
    if (in.si)
        delta = stored(delta / kGravity);
    return delta;
}

} // namespace

LoadList decomposeLoads(const BeamInput &in)
{
    LoadList list;
    for (int k = 0; k < kPointLoads; ++k)
        list.items[list.count++] = {in.p[k], in.pl[k], false};
    for (int j = 0; j < kPartLoads; ++j) {
        if (in.ld2[j] == 0)
            continue;
        const Ext LD1 = in.ld1[j], LD2 = in.ld2[j], W1 = in.w1[j], W2 = in.w2[j];
        for (int s = 1; s <= kSlices; ++s) {
            const double xs = stored(LD2 / 100 * s + LD1 - LD2 / 200);
            const double ws = stored(W1 + (W2 - W1) / LD2 * (xs - LD1));
            const double ps = stored(ws * LD2 / 100);
            list.items[list.count++] = {ps, xs, true};
        }
    }
    return list;
}

Reactions Qcalc(const BeamInput &in)
{
    const Ext L = in.span;
    const Ext w = effectiveUniform(in);
    double RA = 0, RB = 0;
    switch (in.support) {
    case Support::PinPin:
    case Support::FixedFixed:
        RA = stored(w * L / 2);
        RB = stored(w * L / 2);
        break;
    case Support::PinFixed:
        RA = stored(3 * w * L / 8);
        RB = stored(5 * w * L / 8);
        break;
    case Support::FreeFixed:
        RA = 0;
        RB = stored(w * L);
        break;
    }

    auto addPoint = [&](Ext P, Ext a) {
        const Ext b = L - a;
        switch (in.support) {
        case Support::PinPin:
            RA = stored(RA + P * b / L);
            RB = stored(RB + P * a / L);
            break;
        case Support::PinFixed: {
            const Ext R = P * (b * b) * (2 * L + a) / (2 * (L * L * L));
            RA = stored(RA + R);
            RB = stored(RB + (P - R));
            break;
        }
        case Support::FixedFixed:
            RA = stored(RA + P * (b * b) * (L + 2 * a) / (L * L * L));
            RB = stored(RB + P * (a * a) * (a + 3 * b) / (L * L * L));
            break;
        case Support::FreeFixed:
            RB = stored(RB + P);
            break;
        }
    };

    for (int k = 0; k < kPointLoads; ++k)
        if (in.p[k] != 0)
            addPoint(in.p[k], in.pl[k]);

    if (in.support == Support::FreeFixed) {
        for (int j = 0; j < kPartLoads; ++j)
            if (in.ld2[j] != 0)
                RB = stored(RB + static_cast<Ext>(in.ld2[j]) * (static_cast<Ext>(in.w1[j]) + in.w2[j]) / 2);
    } else {
        const LoadList loads = decomposeLoads(in);
        for (int n = kPointLoads; n < loads.count; ++n)
            if (loads.items[n].P != 0)
                addPoint(loads.items[n].P, loads.items[n].a);
    }
    return {RA, RB};
}

Moments Mcalc(const BeamInput &in)
{
    const Ext L = in.span;
    const Ext w = effectiveUniform(in);
    const LoadList loads = decomposeLoads(in);

    // A load of magnitude 0 adds exactly 0 to the running sum; it is left out.
    std::array<MomentTerm, kPointLoads + kPartLoads * kSlices> terms;
    int count = 0;
    const Ext L3 = L * L * L;
    for (int n = 0; n < loads.count; ++n) {
        const PointLoad &load = loads.items[n];
        if (load.P == 0)
            continue;
        MomentTerm t{};
        t.P = load.P;
        t.a = load.a;
        const Ext P = t.P, a = t.a, b = L - a;
        switch (in.support) {
        case Support::PinPin:
            t.left = P * b;
            t.right = P * a;
            break;
        case Support::PinFixed:
            t.left = P * (b * b) * (2 * L + a) / (2 * L3);
            break;
        case Support::FixedFixed:
            t.leftEnd = -P * a * (b * b) / (L * L);
            t.left = P * (b * b) * (L + 2 * a) / L3;
            t.underLoad = 2 * P * (a * a) * (b * b) / L3;
            t.right = P * (a * a) * (a + 3 * b) / L3;
            break;
        case Support::FreeFixed:
            break;
        }
        terms[count++] = t;
    }

    Moments m;
    for (int i = 0; i < kStations; ++i) {
        const double xd = station(L, i);
        const Ext x = xd;
        Ext uniformTerm = 0;
        switch (in.support) {
        case Support::PinPin:
            uniformTerm = w * x * (L - x) / 2;
            break;
        case Support::PinFixed:
            uniformTerm = (3 * w * L / 8) * x - w * (x * x) / 2;
            break;
        case Support::FixedFixed:
            uniformTerm = -(w * (L * L) / 2) * (1.0L / 6 - x / L + (x * x) / (L * L));
            break;
        case Support::FreeFixed:
            uniformTerm = -w * (x * x) / 2;
            break;
        }
        double M = stored(uniformTerm);
        for (int n = 0; n < count; ++n) {
            const MomentTerm &t = terms[n];
            Ext term = 0;
            switch (in.support) {
            case Support::PinPin:
                term = x < t.a ? t.left * x / L : t.right * (L - x) / L;
                break;
            case Support::PinFixed:
                term = x < t.a ? t.left * x : t.left * x - t.P * (x - t.a);
                break;
            case Support::FixedFixed:
                term = x < t.a ? t.leftEnd + t.left * x : t.underLoad - t.right * (x - t.a);
                break;
            case Support::FreeFixed:
                if (x < t.a)
                    continue; // adds 0
                term = -t.P * (x - t.a);
                break;
            }
            M = stored(M + term);
        }
        m.M[i] = M;
    }

    // Design moment: the largest station value (the first of equal ones), then the end
    // moments, end B before end A, each replacing only when strictly larger.
    double Mmax = 0, position = 0;
    for (int i = 0; i < kStations; ++i) {
        if (m.M[i] > Mmax) {
            Mmax = m.M[i];
            position = station(L, i);
        }
    }
    if (in.support != Support::FreeFixed) {
        m.Mcent = Mmax;
        if (in.support == Support::FixedFixed)
            m.Menda = m.M[0];
    }
    if (in.support != Support::PinPin)
        m.Mendb = m.M[100];
    if (std::fabs(m.M[100]) > Mmax) {
        Mmax = -m.M[100];
        position = in.span;
    }
    if (std::fabs(m.M[0]) > Mmax) {
        Mmax = -m.M[0];
        position = 0;
    }
    m.Mmax = Mmax;
    m.position = position;
    return m;
}

Deflection deltacalc(const BeamInput &in, Modulus modulus)
{
    const Ext L = in.span;
    const Ext Lc = 100 * L;
    const Ext wc = effectiveUniform(in) / 100; // per cm
    const LoadList loads = decomposeLoads(in);

    // a, b of every non-zero load in cm: a point load at a_k has a = 100 a_k and
    // b = 100 (L - a_k); a slice at x_s has a = 100 x_s and b = Lc - a.
    std::array<DeflectionTerm, kPointLoads + kPartLoads * kSlices> terms;
    int count = 0;
    for (int n = 0; n < loads.count; ++n) {
        const PointLoad &load = loads.items[n];
        if (load.P == 0)
            continue;
        DeflectionTerm t{};
        t.P = load.P;
        t.a = 100 * static_cast<Ext>(load.a);
        t.b = load.slice ? Lc - t.a : 100 * (L - load.a);
        terms[count++] = t;
    }

    // The governing station sum: the one of largest magnitude, up or down (the first of
    // equal ones, the downward one on a tie).
    double highest = 0, lowest = 0;
    auto takeStation = [&](double Di) {
        if (Di > highest)
            highest = Di;
        if (Di < lowest)
            lowest = Di;
    };
    // The value of the described rule: the largest downward station sum for the pinned
    // ends, the sum of single-load maxima (fixed-fixed) or the free-end deflection.
    double D = 0;
    switch (in.support) {
    case Support::PinPin:
    case Support::PinFixed: {
        const bool pinned = in.support == Support::PinPin;
        const Ext Lc2 = Lc * Lc, Lc3 = Lc * Lc * Lc;
        for (int n = 0; n < count; ++n) {
            DeflectionTerm &t = terms[n];
            if (pinned) {
                t.c1 = t.P * t.b;             // P b
                t.c2 = Lc2 - t.b * t.b;       // Lc^2 - b^2
                t.c3 = t.P * t.a;             // P a
                t.c4 = Lc2 - t.a * t.a;       // Lc^2 - a^2
            } else {
                t.c1 = t.P * (t.b * t.b);     // P b^2
                t.c2 = 3 * t.a * Lc2;         // 3 a Lc^2
                t.c3 = t.P * t.a;             // P a
                t.c4 = 2 * (t.a * t.a) * Lc;  // 2 a^2 Lc
            }
        }
        for (int i = 0; i < kStations; ++i) {
            const Ext x = stored(static_cast<Ext>(i) * L); // station i in cm
            const Ext x2 = x * x, x3 = x * x * x;
            double Di = pinned ? stored(wc * x * (Lc3 - 2 * Lc * x2 + x3) / 24)
                               : stored(wc * x * (Lc3 - 3 * Lc * x2 + 2 * x3) / 48);
            for (int n = 0; n < count; ++n) {
                const DeflectionTerm &t = terms[n];
                Ext term;
                if (pinned) {
                    if (x < t.a) {
                        term = t.c1 * x * (t.c2 - x2) / 6 / Lc;
                    } else {
                        const Ext r = Lc - x;
                        term = t.c3 * r * (t.c4 - r * r) / 6 / Lc;
                    }
                } else {
                    if (x < t.a) {
                        term = t.c1 * x * (t.c2 - 2 * Lc * x2 - t.a * x2) / 12 / Lc3;
                    } else {
                        const Ext r = Lc - x;
                        term = t.c3 * (r * r) * (3 * Lc2 * x - (t.a * t.a) * x - t.c4) / 12 / Lc3;
                    }
                }
                Di = stored(Di + term);
            }
            takeStation(Di);
        }
        D = highest;
        break;
    }
    case Support::FixedFixed: {
        D = stored(wc * (Lc * Lc * Lc * Lc) / 384);
        for (int n = 0; n < count; ++n) {
            const DeflectionTerm &t = terms[n];
            const Ext a = t.a, b = t.b;
            Ext term;
            if (a > b)
                term = 2 * t.P * (a * a * a) * (b * b) / 3 / ((3 * a + b) * (3 * a + b));
            else
                term = 2 * t.P * (a * a) * (b * b * b) / 3 / ((3 * b + a) * (3 * b + a));
            D = stored(D + term);
        }
        // The deflection curve of the superposed loads, for loads acting in opposite
        // directions, where the sum of single-load maxima can fall short of it.
        const Ext Lc3 = Lc * Lc * Lc;
        for (int i = 0; i < kStations; ++i) {
            const Ext x = stored(static_cast<Ext>(i) * L);
            const Ext r = Lc - x;
            double Di = stored(wc * (x * x) * (r * r) / 24);
            for (int n = 0; n < count; ++n) {
                const DeflectionTerm &t = terms[n];
                const Ext term = x <= t.a ? t.P * (t.b * t.b) * (x * x) * (3 * t.a * Lc - (3 * t.a + t.b) * x)
                                          : t.P * (t.a * t.a) * (r * r) * (3 * t.b * Lc - (3 * t.b + t.a) * r);
                Di = stored(Di + term / 6 / Lc3);
            }
            takeStation(Di);
        }
        break;
    }
    case Support::FreeFixed: {
        D = stored(wc * (Lc * Lc * Lc * Lc) / 8);
        for (int n = 0; n < count; ++n) {
            const DeflectionTerm &t = terms[n];
            D = stored(D + t.P * (t.b * t.b) * (3 * Lc - t.b) / 6);
        }
        // As for the fixed-fixed beam: under loads acting in opposite directions a point
        // inside the span can deflect more than the free end. u is the distance from B.
        for (int i = 0; i < kStations; ++i) {
            const Ext u = Lc - stored(static_cast<Ext>(i) * L);
            double Di = stored(wc * (u * u) * (6 * Lc * Lc - 4 * Lc * u + u * u) / 24);
            for (int n = 0; n < count; ++n) {
                const DeflectionTerm &t = terms[n];
                const Ext term = u <= t.b ? t.P * (u * u) * (3 * t.b - u) / 6 : t.P * (t.b * t.b) * (3 * u - t.b) / 6;
                Di = stored(Di + term);
            }
            takeStation(Di);
        }
        break;
    }
    }

    // The governing value: the described one unless a station deflects clearly more, up
    // or down. With every load acting one way the described value is never smaller; the
    // margin keeps last-bit differences of the two routes from changing it.
    double governing = D;
    const double extreme = -lowest > highest ? lowest : highest;
    if (std::fabs(extreme) > std::fabs(D) * (1 + 1e-9))
        governing = extreme;

    Deflection d;
    d.delta = toCentimetres(in, governing, modulus);
    d.described = toCentimetres(in, D, modulus);
    d.ratio = d.delta != 0 ? stored(Lc / std::fabs(static_cast<Ext>(d.delta))) : kNoDeflectionRatio;
    return d;
}

StressCheck stressCheck(const std::string &modulus, const std::string &RMmax, const std::string &Rfb,
                        const std::string &Rdelta, const std::string &Rlx, const std::string &seigen1,
                        const std::string &seigen2)
{
    StressCheck c;
    const double Z = parseDouble(modulus);
    const double fb = parseDouble(Rfb);
    const double M = parseDouble(RMmax);
    c.sigmab = Z > 0 ? stored(static_cast<Ext>(M) * 100 / Z) : 0;
    c.ratio = fb > 0 ? stored(static_cast<Ext>(c.sigmab) / fb) : 0;
    c.stressOk = !(c.ratio > 1);

    const double n = parseDouble(seigen1);
    const double limit = parseDouble(seigen2);
    const double delta = parseDouble(Rdelta);
    const double Lx = parseDouble(Rlx);
    c.ratioLimitOk = !(n > Lx);
    c.absoluteOk = !(limit > 0 && std::fabs(delta) > limit);
    return c;
}

std::string lateralBucklingNote(const InputTexts &texts)
{
    const BeamInput in = readInput(texts);
    const bool basicOnly = in.family == Family::User || in.family == Family::Direct;
    return basicOnly && in.lb > 0 && !in.weak ? kLateralBucklingNote : "";
}

std::string inputRefusal(const BeamInput &in)
{
    if (std::optional<std::string> field = nonFiniteField(in))
        return "「" + *field + "」の値が大きすぎます。数字を確認して下さい。";
    if (!(in.span > 0))
        return "スパン長さが0以下です。数字を確認して下さい。";
    if (in.lb < 0)
        return "lbが負の値です。数字を確認して下さい。";
    if (!(in.inertia > 0))
        return "断面二次モーメントが0以下です。断面を確認して下さい。";
    if (!(in.modulus > 0))
        return "断面係数が0以下です。断面を確認して下さい。";

    // A load that stands outside the span would be computed as if the beam went on past
    // its supports, and could pass with a design moment of 0. A load of 0 is left alone.
    // The tolerance keeps a load typed to end exactly at B (LD1 + LD2 = L) inside.
    const Ext L = in.span;
    const Ext slack = L * 1e-9L;
    for (int k = 0; k < kPointLoads; ++k)
        if (in.p[k] != 0 && (in.pl[k] < -slack || in.pl[k] > L + slack))
            return "P" + std::to_string(k + 1) + "の位置 L" + std::to_string(k + 1) +
                   " がスパンの外にあります。数字を確認して下さい。";
    const char *const part[kPartLoads] = {"a", "b", "c"};
    for (int j = 0; j < kPartLoads; ++j) {
        if (in.ld2[j] == 0 || (in.w1[j] == 0 && in.w2[j] == 0))
            continue;
        const std::string name = std::string("分布荷重(") + part[j] + ")";
        if (in.ld2[j] < 0)
            return name + "の載荷長さ LD2 が負の値です。数字を確認して下さい。";
        if (in.ld1[j] < -slack || static_cast<Ext>(in.ld1[j]) + in.ld2[j] > L + slack)
            return name + "がスパンの外にはみ出しています。LD1 と LD2 を確認して下さい。";
    }
    return {};
}

namespace {

// A check that gives no result, and why.
CheckOutcome refusedCheck(std::string why)
{
    CheckOutcome out;
    out.error = std::move(why);
    return out;
}

// The shear check of the notice rule on the displayed reactions and stresses; the
// refusal when the section's shear area or allowable shear stress is not positive.
std::string checkShear(NoticeTexts &n, const BeamInput &in, const Basis &basis, double fs, const ResultTexts &r)
{
    if (!basis.shear) {
        n.shear = kShearOff;
        return {};
    }
    const std::optional<double> Aw = shearArea(in);
    if (!Aw) {
        n.shear = kShearNone;
        return {};
    }
    if (!(*Aw > 0) || !std::isfinite(*Aw))
        return "せん断に有効な断面積 Aw が0以下です。断面の寸法を確認して下さい。";
    const double Q = std::max(std::fabs(parseDouble(r.RQa)), std::fabs(parseDouble(r.RQb)));
    n.tau = formatNumber(stored(static_cast<Ext>(Q) / *Aw), "#0.000");
    n.fs = formatNumber(fs, "#0.000");
    const double shown = parseDouble(n.fs);
    if (!(shown > 0))
        return "許容せん断応力度 fs が0以下になります（" + n.fs + "）。F を確認して下さい。";
    const double ratio = stored(static_cast<Ext>(parseDouble(n.tau)) / shown);
    if (!std::isfinite(ratio))
        return "計算結果が大きすぎて表示できません。荷重、スパン長さと断面を確認して下さい。";
    n.Rshear = formatNumber(ratio, "##0.000");
    n.shear = ratio > 1 ? kVerdictNg : kVerdictOk;
    return {};
}

// The notes of a notice result (see CheckOutcome::notes).
std::vector<std::string> noticeNotes(const BeamInput &in, const SectionStrength &strength, const NoticeTexts &n)
{
    std::vector<std::string> notes;
    if (strength.plateUnknown)
        notes.push_back("（登録部材・直接入力の断面は板厚が分からないため、F は板厚 40 mm 以下の値 " + n.F +
                        " N/mm2 としました。）");
    if (in.lb > in.span)
        notes.push_back("（lb（" + formatNumber(in.lb, "0.###") + " m）がスパン長さ（" + formatNumber(in.span, "0.###") +
                        " m）より長くなっています。lb は入力どおりに使いました。）");
    if (n.fb1 == kFb1BelowZero)
        notes.push_back(kFb1BelowZeroNote);
    return notes;
}

} // namespace

std::string shownFb1(const std::string &fb1) { return fb1 == kFb1BelowZero ? kFb1BelowZeroShown : fb1; }

std::string noticeLabel(const NoticeTexts &notice)
{
    return "告示1024号 " + (notice.grade.empty() ? std::string() : notice.grade + " ") + "F=" + notice.F;
}

std::string shearSummary(const NoticeTexts &n, const std::string &stressUnit)
{
    if (n.shear == kShearOff)
        return "せん断 検定しない";
    if (n.shear == kShearNone)
        return "せん断 検定なし（直接入力・登録部材は板厚が分からないため）";
    return "せん断 τ=" + n.tau + " fs=" + n.fs + " " + stressUnit + " τ/fs=" + n.Rshear + " " + n.shear;
}

CheckOutcome runCheck(const InputTexts &texts, const Basis &basis)
{
    const BeamInput in = readInput(texts);
    if (std::string refusal = inputRefusal(in); !refusal.empty())
        return refusedCheck(refusal);
    const bool notice = basis.rule == FbRule::Notice;
    SectionStrength strength;
    if (notice) {
        if (std::string refusal = basisRefusal(basis); !refusal.empty())
            return refusedCheck(refusal);
        strength = sectionStrength(basis, in);
        if (!strength.error.empty())
            return refusedCheck(strength.error);
    }

    const Reactions q = Qcalc(in);
    const Moments m = Mcalc(in);
    const Deflection d = deltacalc(in, notice ? Modulus::Notice : Modulus::Traditional);
    const AllowableBending allowable = allowableStress(in, m, basis, strength);
    const double fb = allowable.fb;

    bool finite = std::isfinite(q.RA) && std::isfinite(q.RB) && std::isfinite(m.Mmax) &&
                  std::isfinite(m.position) && std::isfinite(d.delta) && std::isfinite(d.ratio) &&
                  std::isfinite(fb);
    for (double v : m.M)
        finite = finite && std::isfinite(v);
    const char *const overflow = "計算結果が大きすぎて表示できません。荷重、スパン長さと断面を確認して下さい。";
    if (!finite)
        return refusedCheck(overflow);

    // The design moment starts from the largest sagging moment and the end moments. A
    // larger hogging moment inside the span puts the bottom flange in compression, which
    // the typed lb (the bracing of the top flange) and fb do not describe.
    double lowestM = 0;
    for (double v : m.M)
        lowestM = std::min(lowestM, v);
    // Differences below half the last shown digit are rounding, not an unchecked moment.
    if (-lowestM > m.Mmax + 0.0005)
        return refusedCheck("上向きの荷重による負の曲げモーメント（" + formatNumber(lowestM, "###0.000") +
                            "）が設計曲げモーメントより大きく、検定できません。"
                            "下フランジが圧縮になり、上フランジについて入力したlbが使えないためです。"
                            "荷重の向きを確認して下さい。");

    ResultTexts r;
    r.hantei = kVerdictOk;
    r.RQa = formatNumber(q.RA, "##0.000");
    r.RQb = formatNumber(q.RB, "##0.000");
    for (int i = 0; i < kStations; ++i)
        r.Mgrid[i] = formatNumber(m.M[i], "###0.####");
    r.RMmax = formatNumber(m.Mmax, "###0.000");
    r.RMmaxl = formatNumber(m.position, "###0.000");
    if (m.Mcent)
        r.Mcent = formatNumber(*m.Mcent, "###0.000");
    if (m.Menda)
        r.Menda = formatNumber(*m.Menda, "###0.000");
    if (m.Mendb)
        r.Mendb = formatNumber(*m.Mendb, "###0.000");
    r.Rlx = formatNumber(d.ratio, "#####0.0");
    r.Rdelta = formatNumber(d.delta, "##0.000");
    r.Rfb = formatNumber(fb, "#0.000");

    // The check reads the displayed allowable stress: one that shows as 0 or less would
    // give a ratio of 0 and pass a beam without strength.
    if (!(parseDouble(r.Rfb) > 0))
        return refusedCheck("許容曲げ応力度 fb が0以下になります（" + r.Rfb + "）。断面の寸法とlbを確認して下さい。");

    if (notice) {
        NoticeTexts n;
        n.grade = basis.grade;
        n.F = strengthText(strength.F);
        const NoticeBendingTerms &b = *allowable.notice;
        const std::optional<double> i = b.tee ? std::optional<double>(b.tee->i) : std::nullopt;
        for (const std::optional<double> &v : {b.fb1, b.fb2, i})
            if (v && !std::isfinite(*v))
                return refusedCheck(overflow);
        if (b.fb1) {
            n.C = formatNumber(b.C.C, "0.00");
            // below 0 the formula does not apply: not a computed zero (fb2 governs)
            n.fb1 = *b.fb1 < 0 ? kFb1BelowZero : formatNumber(noticeStress(*b.fb1, in, true), "#0.000");
            n.ib = formatNumber(*i / 10, "#0.000");
        }
        if (b.fb2)
            n.fb2 = formatNumber(noticeStress(*b.fb2, in, true), "#0.000");
        if (std::string refusal = checkShear(n, in, basis, b.fsResult, r); !refusal.empty())
            return refusedCheck(refusal);
        r.notice = std::move(n);
    }

    const StressCheck c =
        stressCheck(texts.modulus, r.RMmax, r.Rfb, r.Rdelta, r.Rlx, texts.seigen1, texts.seigen2);
    if (!std::isfinite(c.sigmab) || !std::isfinite(c.ratio))
        return refusedCheck(overflow);
    r.RSigmab = formatNumber(c.sigmab, "##0.000");
    r.Rratio = formatNumber(c.ratio, "##0.000");
    if (!c.ok() || (r.notice && r.notice->shear == kVerdictNg))
        r.hantei = kVerdictNg;

    CheckOutcome out;
    if (std::string note = lateralBucklingNote(texts); !note.empty())
        out.notes.push_back(std::move(note));
    if (r.notice) {
        std::vector<std::string> more = noticeNotes(in, strength, *r.notice);
        out.notes.insert(out.notes.end(), more.begin(), more.end());
    }
    out.result = std::move(r);
    return out;
}

} // namespace beam
