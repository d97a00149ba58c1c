// The bending and shear derivations of a detailed sheet, written from the terms of
// beam::allowableStress, so the sheet's fb is the check's by construction.
#include "sheets/detailedtext.h"

#include "beam/bending.h"
#include "beam/numtext.h"
#include "results/store.h"
#include "sheets/block.h"
#include "sheets/detailednumbers.h"
#include "results/slotfields.h"

#include <algorithm>
#include <cmath>

namespace sheets {

namespace field = results::field;
using results::stationMoment;
using results::storedNumber;

namespace {

using namespace field;
using namespace numbers;

SheetLine line(const std::string &t, int indent = 15) { return {indent, t, false, false}; }

// The terms as the check derives them; nothing for a slot the check cannot run on.
std::optional<beam::AllowableBending> terms(const DerivedBeam &b)
{
    if (!b.result || !(b.in.span > 0))
        return std::nullopt;
    const beam::SectionStrength strength =
        b.notice() ? beam::sectionStrength(b.basis, b.in) : beam::SectionStrength{};
    if (!strength.error.empty())
        return std::nullopt;
    return beam::allowableStress(b.in, beam::Mcalc(b.in), b.basis, strength);
}

std::string basicReason(beam::BasicFbReason r)
{
    switch (r) {
    case beam::BasicFbReason::NoUnbracedLength:
        return "lb=0 のため";
    case beam::BasicFbReason::NoDepth:
        return "H=0 のため";
    case beam::BasicFbReason::SectionKind:
        return "横座屈の式を用いない断面のため";
    case beam::BasicFbReason::WeakAxis:
        return "弱軸曲げは横座屈しないため";
    case beam::BasicFbReason::None:
        break;
    }
    return {};
}

void oldRule(std::vector<SheetLine> &out, const beam::AllowableBending &a, const beam::OldBendingTerms &o)
{
    if (o.basic == beam::BasicFbReason::None && o.formula) {
        out.push_back(line("Af=B・tf=" + f2(o.Af) + " cm2,  lb=" + f1(o.lb) + " cm,  h=H=" + f2(o.h) + " cm"));
        std::string t = "fb=900・Af/(lb・h)=900×" + f2(o.Af) + "/(" + f1(o.lb) + "×" + f2(o.h) + ")=" + f3(*o.formula) +
                        " tf/cm2";
        t += o.capGoverns ? " > 1.6 より fb=1.6 tf/cm2" : " ≦ 1.6";
        out.push_back(line(t));
    } else {
        out.push_back(line(basicReason(o.basic) + " fb=1.6 tf/cm2（上限値）"));
    }
    if (o.conversion == beam::UnitConversion::Gravity)
        out.push_back(line("SI単位：fb=" + f3(o.longTerm) + "×9.80665=" + f3(o.converted) + " kN/cm2"));
    else if (o.conversion == beam::UnitConversion::Si157)
        out.push_back(line("SI単位（157 N/mm2 基準）：fb=" + f3(o.longTerm) + "×15.7/1.6=" + f3(o.converted) + " kN/cm2"));
    if (a.shortTerm)
        out.push_back(line("短期：fb=" + f3(o.converted) + "×1.5=" + f3(a.fb) + (a.si ? " kN/cm2" : " tf/cm2")));
}

std::string cText(const beam::MomentGradient &c)
{
    const std::string C = "C=" + f2(c.C);
    switch (c.reason) {
    case beam::CReason::Typed:
        return C + "（指定値）";
    case beam::CReason::EndMoments:
        return "C=1.75+1.05・(M2/M1)+0.3・(M2/M1)^2=1.75+1.05×(" + f3(c.ratio) + ")+0.3×(" + f3(c.ratio) + ")^2" +
               (c.capped ? " > 2.3 より C=2.30" : "=" + f2(c.C)) + "\n（端部モーメント M1=" + f3(c.M1) + ", M2=" + f3(c.M2) + "、" +
               (c.ratio > 0 ? "複曲率のため M2/M1 は正" : c.ratio < 0 ? "単曲率のため M2/M1 は負" : "M2=0") + "）";
    case beam::CReason::InnerMomentLarger:
        return C + "（スパン内の曲げモーメント " + f3(std::fabs(c.inner)) + " が端部の M1=" + f3(c.M1) + " より大きいため）";
    case beam::CReason::NoEndMoments:
        return C + "（端部モーメントがないため）";
    case beam::CReason::Cantilever:
        return C + "（片持ち梁のため）";
    case beam::CReason::ShortBracing:
        return C + "（lb がスパンより短く、補剛点間で曲げモーメントが変わるため）";
    }
    return C;
}

void noticeRule(std::vector<SheetLine> &out, const DerivedBeam &b, const beam::AllowableBending &a,
                const beam::NoticeBendingTerms &n)
{
    std::string F = "F=" + beam::strengthText(n.F) + " N/mm2";
    if (n.grade && n.plate)
        F += "（" + std::string(n.grade->name) + "、最も厚い板 t=" + num(*n.plate) + " mm による）";
    else if (n.grade)
        F += "（" + std::string(n.grade->name) + "、板厚が分からないため 40 mm 以下の値）";
    else
        F += "（直接指定）";
    out.push_back(line(F));
    const std::string cap = "F/1.5=" + beam::strengthText(n.F) + "/1.5=" + f2(n.cap) + " N/mm2";
    if (n.basic != beam::BasicFbReason::None) {
        out.push_back(line(basicReason(n.basic) + " fb=" + cap));
    } else {
        if (n.tee && n.slenderness && n.Lambda) {
            const beam::TeeSection &t = *n.tee;
            out.push_back(line("圧縮側T形断面（フランジ " + num(b.in.B1) + "×" + num(b.in.tf1) + "、ウェブ " + f1(t.hw) + "×" +
                               num(b.in.tw1) + "、r=" + num(b.in.r1) + "）：A=" + f1(t.A) + " mm2, I=" +
                               beam::formatNumber(t.I, "0") + " mm4, i=√(I/A)=" + f2(t.i) + " mm"));
            out.push_back(line("λ=lb/i=" + f1(n.lb) + "/" + f2(t.i) + "=" + f2(*n.slenderness) + ",  Λ=1500/√(F/1.5)=1500/√" +
                               f2(n.cap) + "=" + f2(*n.Lambda)));
            const std::string c = cText(n.C);
            const std::size_t cut = c.find('\n');
            out.push_back(line(c.substr(0, cut)));
            if (cut != std::string::npos)
                out.push_back(line(c.substr(cut + 1), 30));
        }
        if (n.fb1)
            out.push_back(line("fb1=F・{2/3-4/15・λ^2/(C・Λ^2)}=" + beam::strengthText(n.F) + "×{2/3-4/15×" +
                               f2(*n.slenderness) + "^2/(" + f2(n.C.C) + "×" + f2(*n.Lambda) + "^2)}=" + f2(*n.fb1) +
                               " N/mm2" + (*n.fb1 < 0 ? "（0未満のため用いない）" : "")));
        if (n.fb2)
            out.push_back(line("fb2=89000/(lb・h/Af)=89000/(" + f1(n.lb) + "×" + f1(n.h) + "/" + f1(n.Af) + ")=" + f2(*n.fb2) +
                               " N/mm2"));
        const char *by = n.governs == beam::NoticeGoverns::Fb1 ? "fb1" : n.governs == beam::NoticeGoverns::Fb2 ? "fb2" : "F/1.5";
        std::string t = n.fb1 ? "fb=min(max(fb1, fb2), F/1.5)=min(max(" + (*n.fb1 < 0 ? std::string("－") : f2(*n.fb1)) +
                                    ", " + f2(n.fb2.value_or(0)) + "), " + f2(n.cap) + ")"
                              : "fb=min(fb2, F/1.5)=min(" + f2(n.fb2.value_or(0)) + ", " + f2(n.cap) + ")";
        out.push_back(line(t + "=" + f2(n.longTerm) + " N/mm2（" + by + " による）"));
    }
    const std::string unit = a.si ? " kN/cm2" : " tf/cm2";
    const std::string div = a.si ? "/10" : "/(10×9.80665)";
    const double longResult = beam::noticeStress(n.longTerm, b.in, false);
    out.push_back(line("fb=" + f2(n.longTerm) + div + "=" + f3(longResult) + unit));
    if (a.shortTerm)
        out.push_back(line("短期：fb=" + f3(longResult) + "×1.5=" + f3(a.fb) + unit));
}

double storedShear(const DerivedBeam &b)
{
    return std::max(std::fabs(storedNumber(b.slot, kRa)), std::fabs(storedNumber(b.slot, kRb)));
}

// The old rule's reference shear: tau and tau/fs as the notice rule's check forms them.
struct Reference {
    std::string tau, fs, ratio;
};
std::optional<Reference> oldReference(const DerivedBeam &b, const beam::OldBendingTerms &o, double fs)
{
    const std::optional<double> Aw = beam::shearArea(b.in);
    if (!Aw || !(*Aw > 0))
        return std::nullopt;
    Reference r;
    r.tau = beam::formatNumber(storedShear(b) / *Aw, "#0.000");
    r.fs = beam::formatNumber(fs, "#0.000");
    const double f = beam::parseDouble(r.fs);
    r.ratio = f > 0 ? beam::formatNumber(beam::parseDouble(r.tau) / f, "##0.000") : "－";
    (void)o;
    return r;
}

} // namespace

std::vector<SheetLine> bendingLines(const DerivedBeam &b)
{
    const SheetUnits u = sheetUnits(b);
    std::vector<SheetLine> out;
    out.push_back({0, "5. 曲げの検定", true, false});
    out.push_back(line("σb=M×100/Z=" + at(b, kMmax) + "×100/" + at(b, kModulus) + "=" + at(b, kSigma) + " " + u.stress));
    if (const std::optional<beam::AllowableBending> a = terms(b)) {
        const std::size_t first = out.size();
        if (a->old)
            oldRule(out, *a, *a->old);
        else if (a->notice)
            noticeRule(out, b, *a, *a->notice);
        // a derivation that does not end in the stored fb is never shown as if it did
        if (b.result->Rfb != at(b, kFb)) {
            for (std::size_t k = first; k < out.size(); ++k)
                out[k].red = true;
            out.push_back({15, "（上の導出は今のデータによる再計算です。格納されている fb とは違います。）", false, true});
        }
    }
    out.push_back(line("fb=" + at(b, kFb) + " " + u.stress + "（" + at(b, kTerm) + "）"));
    const bool ok = !(storedNumber(b.slot, kRatio) > 1.0);
    out.push_back(line("σb/fb=" + at(b, kSigma) + "/" + at(b, kFb) + "=" + at(b, kRatio) + (ok ? " ≦ 1.0 OK." : " > 1.0 NG.")));
    return out;
}

std::vector<SheetLine> shearReferenceLines(const DerivedBeam &b)
{
    const SheetUnits u = sheetUnits(b);
    std::vector<SheetLine> out;
    const std::optional<beam::AllowableBending> a = terms(b);
    const std::string unit = std::string(" ") + u.stress;
    if (const std::optional<beam::NoticeTexts> n = results::noticeTexts(b.slot)) {
        if (a && a->notice) {
            const beam::NoticeBendingTerms &t = *a->notice;
            std::string s = "fs=F/(1.5・√3)=" + beam::strengthText(t.F) + "/(1.5×√3)=" + f2(t.fs) + " N/mm2 → " +
                            (a->si ? "/10" : "/(10×9.80665)");
            if (a->shortTerm)
                s += "×1.5";
            out.push_back(line(s + "=" + n->fs + unit));
        } else {
            out.push_back(line("fs=" + n->fs + unit));
        }
        return out;
    }
    if (!a || !a->old)
        return out;
    const beam::OldBendingTerms &o = *a->old;
    const std::optional<Reference> r = oldReference(b, o, o.fs);
    if (!r) {
        out.push_back(line("（参考）検定なし（直接入力・登録部材は板厚が分からないため）"));
        return out;
    }
    const std::optional<double> Aw = beam::shearArea(b.in);
    out.push_back(line("（参考）τ=Q/Aw=" + f3(storedShear(b)) + "/" + f2(*Aw) + "=" + r->tau + unit));
    std::string fs = "（参考）fs=1.6/√3=" + f3(o.fsLongTerm) + " tf/cm2";
    if (o.conversion == beam::UnitConversion::Gravity)
        fs += "×9.80665";
    else if (o.conversion == beam::UnitConversion::Si157)
        fs += "×15.7/1.6";
    if (a->shortTerm)
        fs += "×1.5";
    if (o.conversion != beam::UnitConversion::None || a->shortTerm)
        fs += "=" + r->fs + unit;
    out.push_back(line(fs + "（fb の上限 1.6=F/1.5 と同じ F）"));
    out.push_back(line("（参考）τ/fs=" + r->tau + "/" + r->fs + "=" + r->ratio + "　従来式では判定に含めません"));
    return out;
}

std::string shearRatioText(const DerivedBeam &b, bool brief)
{
    if (const std::optional<beam::NoticeTexts> n = results::noticeTexts(b.slot)) {
        if (n->shear == beam::kShearOff)
            return brief ? "しない" : "検定しない";
        if (n->shear == beam::kShearNone)
            return brief ? "なし" : "検定なし";
        return (brief ? "" : "τ/fs=") + n->Rshear + " " + n->shear;
    }
    const std::optional<beam::AllowableBending> a = terms(b);
    if (a && a->old)
        if (const std::optional<Reference> r = oldReference(b, *a->old, a->old->fs))
            return (brief ? "(参考)" : "参考 τ/fs=") + r->ratio;
    return "－";
}

} // namespace sheets
