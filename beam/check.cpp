#include "beam/check.h"

#include "beam/numtext.h"

#include <algorithm>
#include <cmath>

namespace beam {

namespace {

using Ext = long double;

// Rounds an extended intermediate to the double in which it is stored.
inline double stored(Ext v) { return static_cast<double>(v); }

// A check that gives no result, and why.
CheckOutcome refusedCheck(std::string why)
{
    CheckOutcome out;
    out.error = std::move(why);
    return out;
}

const char *const kOverflow = "計算結果が大きすぎて表示できません。荷重、スパン長さと断面を確認して下さい。";

// The F of the notice rule for the section, or why the basis cannot be used for it. The
// default rule needs neither.
std::string refusedBasis(const Basis &basis, const BeamInput &in, SectionStrength &strength)
{
    if (basis.rule != FbRule::Notice)
        return {};
    if (std::string refusal = basisRefusal(basis); !refusal.empty())
        return refusal;
    strength = sectionStrength(basis, in);
    return strength.error;
}

// Young's modulus of the deflection under the basis.
Modulus modulusOf(const Basis &basis) { return basis.rule == FbRule::Notice ? Modulus::Notice : Modulus::Traditional; }

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
        return kOverflow;
    n.Rshear = formatNumber(ratio, "##0.000");
    n.shear = ratio > 1 ? kVerdictNg : kVerdictOk;
    return {};
}

// The texts the notice rule adds to a result, and its shear check; why the result cannot
// be given when a term is out of range or the shear check refuses.
std::string addNoticeTexts(ResultTexts &r, const NoticeBendingTerms &b, const BeamInput &in, const Basis &basis)
{
    NoticeTexts n;
    n.grade = basis.grade;
    n.F = strengthText(b.F);
    const std::optional<double> i = b.tee ? std::optional<double>(b.tee->i) : std::nullopt;
    for (const std::optional<double> &v : {b.fb1, b.fb2, i})
        if (v && !std::isfinite(*v))
            return kOverflow;
    if (b.fb1) {
        n.C = formatNumber(b.C.C, "0.00");
        // below 0 the formula does not apply: not a computed zero (fb2 governs)
        n.fb1 = *b.fb1 < 0 ? kFb1BelowZero : formatNumber(noticeStress(*b.fb1, in, true), "#0.000");
        n.ib = formatNumber(*i / 10, "#0.000");
    }
    if (b.fb2)
        n.fb2 = formatNumber(noticeStress(*b.fb2, in, true), "#0.000");
    if (std::string refusal = checkShear(n, in, basis, b.fsResult, r); !refusal.empty())
        return refusal;
    r.notice = std::move(n);
    return {};
}

// The notes said beside a result (see CheckOutcome::notes).
std::vector<std::string> resultNotes(const InputTexts &texts, const BeamInput &in, const AllowableBending &allowable,
                                     const ResultTexts &r)
{
    std::vector<std::string> notes;
    if (std::string note = lateralBucklingNote(texts); !note.empty())
        notes.push_back(std::move(note));
    if (!r.notice)
        return notes;
    const NoticeTexts &n = *r.notice;
    if (allowable.notice->plateUnknown)
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
    SectionStrength strength;
    if (std::string refusal = refusedBasis(basis, in, strength); !refusal.empty())
        return refusedCheck(refusal);

    const Reactions q = Qcalc(in);
    const Moments m = Mcalc(in);
    const Deflection d = deltacalc(in, modulusOf(basis));
    const AllowableBending allowable = allowableStress(in, m, basis, strength);

    bool finite = std::isfinite(q.RA) && std::isfinite(q.RB) && std::isfinite(m.Mmax) &&
                  std::isfinite(m.position) && std::isfinite(d.delta) && std::isfinite(d.ratio) &&
                  std::isfinite(allowable.fb);
    for (double v : m.M)
        finite = finite && std::isfinite(v);
    if (!finite)
        return refusedCheck(kOverflow);

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
    r.Rfb = formatNumber(allowable.fb, "#0.000");

    // The check reads the displayed allowable stress: one that shows as 0 or less would
    // give a ratio of 0 and pass a beam without strength.
    if (!(parseDouble(r.Rfb) > 0))
        return refusedCheck("許容曲げ応力度 fb が0以下になります（" + r.Rfb + "）。断面の寸法とlbを確認して下さい。");

    if (allowable.notice) {
        if (std::string refusal = addNoticeTexts(r, *allowable.notice, in, basis); !refusal.empty())
            return refusedCheck(refusal);
    }

    const StressCheck c =
        stressCheck(texts.modulus, r.RMmax, r.Rfb, r.Rdelta, r.Rlx, texts.seigen1, texts.seigen2);
    if (!std::isfinite(c.sigmab) || !std::isfinite(c.ratio))
        return refusedCheck(kOverflow);
    r.RSigmab = formatNumber(c.sigmab, "##0.000");
    r.Rratio = formatNumber(c.ratio, "##0.000");
    if (!c.ok() || (r.notice && r.notice->shear == kVerdictNg))
        r.hantei = kVerdictNg;

    CheckOutcome out;
    out.notes = resultNotes(texts, in, allowable, r);
    out.result = std::move(r);
    return out;
}

} // namespace beam
