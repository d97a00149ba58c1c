#include "sheets/detailedtext.h"

#include "beam/numtext.h"
#include "results/store.h"
#include "sheets/block.h"
#include "sheets/detailednumbers.h"
#include "sheets/detailedfigures.h"
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

class Text {
public:
    void heading(const std::string &t) { m_lines.push_back({0, t, true, false}); }
    void put(const std::string &t, int indent = 15) { m_lines.push_back({indent, t, false, false}); }
    void red(const std::string &t, int indent = 15) { m_lines.push_back({indent, t, false, true}); }
    std::vector<SheetLine> take() { return std::move(m_lines); }
    void add(std::vector<SheetLine> more) { m_lines.insert(m_lines.end(), more.begin(), more.end()); }

private:
    std::vector<SheetLine> m_lines;
};

bool stored0(const DerivedBeam &b, int f) { return storedNumber(b.slot, f) == 0.0; }

// "L/300 以下、かつ 2.0 cm 以下"
std::string limitsText(const DerivedBeam &b)
{
    const std::string &n = at(b, kLimitRatio), &cm = at(b, kLimitAbs);
    const bool abs = storedNumber(b.slot, kLimitAbs) > 0;
    std::string t = n.empty() ? std::string() : "L/" + n + " 以下";
    if (abs)
        t += (t.empty() ? "" : "、かつ ") + cm + " cm 以下";
    return t.empty() ? "なし" : t;
}

void conditions(Text &t, const DerivedBeam &b)
{
    t.heading("1. 設計条件");
    t.put("スパン L=" + at(b, kSpan) + " m　　支持条件：" + supportInWords(b.slot));
    t.put("横座屈補剛間隔 lb=" + at(b, kLb) + " m　　曲げ軸：" + at(b, kAxis) + "　　単位系：" + at(b, kUnits));
    const std::optional<beam::NoticeTexts> n = results::noticeTexts(b.slot);
    if (n) {
        std::string by;
        if (!n->grade.empty()) {
            const std::optional<double> plate = beam::plateThickness(b.in);
            by = plate ? "（断面の最も厚い板 t=" + num(*plate) + " mm による F）" : "（板厚が分からないため 40 mm 以下の F）";
        } else {
            by = "（F は指定値）";
        }
        t.put("許容応力度の基準：" + beam::noticeLabel(*n) + " N/mm2" + by);
    }
    else
        t.put("許容応力度の基準：従来式 fb=900・Af/(lb・h)、上限 1.6 tf/cm2");
    std::string E;
    if (b.notice())
        E = "E=205000 N/mm2（=20500 kN/cm2）";
    else if (b.in.si)
        E = "E=2100 tf/cm2（SI単位では 2100×9.80665=20594 kN/cm2）";
    else
        E = "E=2100 tf/cm2";
    t.put(std::string("荷重の種類：") + at(b, kTerm) + (b.in.term ? "（許容応力度を1.5倍）" : "") + "　　ヤング係数 " + E);
    t.put("たわみ制限：" + limitsText(b));
}

void loads(Text &t, const DerivedBeam &b)
{
    const SheetUnits u = sheetUnits(b);
    t.heading("2. 荷重（" + at(b, kSelfSwitch) + "）");
    std::string w0 = "等分布荷重 w0=" + (at(b, kUniform).empty() ? std::string("0") : at(b, kUniform)) + " " + u.line;
    if (!at(b, kFormula).empty())
        w0 += "　[ =" + at(b, kFormula) + " ]";
    t.put(w0);
    if (b.in.jijuucheck) {
        const double selfw = b.in.selfw;
        const std::string g = b.in.si ? "×9.80665" : "";
        const double w = b.in.si ? selfw * 9.80665 / 1000 : selfw / 1000;
        t.put("自重 ws=" + at(b, kSelfWeight) + g + "/1000=" + beam::formatNumber(w, "##0.0000") + " " + u.line +
              "　　計算に用いる等分布荷重 w=w0+ws=" + beam::formatNumber(static_cast<double>(beam::effectiveUniform(b.in)), "##0.0000") +
              " " + u.line);
    } else {
        t.put("計算に用いる等分布荷重 w=w0=" + beam::formatNumber(static_cast<double>(beam::effectiveUniform(b.in)), "##0.0000") +
              " " + u.line + "（自重は加えない）");
    }
    for (int k = 0; k < 8; ++k)
        if (!stored0(b, kP1 + k))
            t.put("集中荷重 P" + std::to_string(k + 1) + "=" + f3(storedNumber(b.slot, kP1 + k)) + " " + u.force +
                  "　A端から " + f3(storedNumber(b.slot, kPl1 + k)) + " m");
    const char *const name[] = {"a", "b", "c"};
    for (int j = 0; j < 3; ++j)
        if (!stored0(b, kLd2a + j)) {
            const double s = storedNumber(b.slot, kLd1a + j), l = storedNumber(b.slot, kLd2a + j);
            t.put(std::string("分布荷重(") + name[j] + ") w1=" + f3(storedNumber(b.slot, kW1a + j)) + "～w2=" +
                  f3(storedNumber(b.slot, kW2a + j)) + " " + u.line + "　A端から " + f3(s) + "～" + f3(s + l) +
                  " m（長さ " + f3(l) + " m）");
        }
}

void section(Text &t, const DerivedBeam &b)
{
    t.heading("3. 断面");
    std::string head = at(b, kMember) + "（" + at(b, kAxis) + "）　自重 " + at(b, kSelfWeight) + " kg/m";
    const beam::Family f = b.in.family;
    if (f != beam::Family::Direct && f != beam::Family::User && b.sectionKnown) {
        const beam::InputTexts &x = b.texts;
        std::string dims = "H=" + x.H1 + " mm, B=" + x.B1 + " mm, ";
        if (f == beam::Family::Kaku || f == beam::Family::Maru)
            dims = (f == beam::Family::Maru ? "D=" + x.B1 + " mm, " : dims) + "t=" + x.tf1 + " mm";
        else
            dims += "tw=" + x.tw1 + " mm, tf=" + x.tf1 + " mm";
        if (b.in.r1 > 0)
            dims += ", r=" + b.texts.r1 + " mm";
        head += "　　" + dims;
    }
    t.put(head);
    std::string props = "I=" + at(b, kInertia) + " cm4,  Z=" + at(b, kModulus) + " cm3";
    if (const std::optional<double> Aw = beam::shearArea(b.in); Aw && b.sectionKnown) {
        std::string how;
        if (beam::usesBucklingFormula(f))
            how = b.in.weak ? "2・B・tf=2×" + num(b.in.B1) + "×" + num(b.in.tf1)
                            : "(H-2・tf)・tw=(" + num(b.in.H1) + "-2×" + num(b.in.tf1) + ")×" + num(b.in.tw1);
        else if (f == beam::Family::L)
            how = (b.in.weak ? "B・t=" + num(b.in.B1) : "H・t=" + num(b.in.H1)) + "×" + num(b.in.tw1);
        else
            how = "A/2=" + b.texts.A1 + "/2";
        props += "　　せん断に有効な断面積 Aw=" + how + (f == beam::Family::Kaku || f == beam::Family::Maru ? "" : "/100") +
                 "=" + f2(*Aw) + " cm2";
    }
    t.put(props);
}

void stresses(Text &t, const DerivedBeam &b)
{
    const SheetUnits u = sheetUnits(b);
    t.heading("4. 応力");
    const double Q = std::max(std::fabs(storedNumber(b.slot, kRa)), std::fabs(storedNumber(b.slot, kRb)));
    t.put("支点反力 RA=" + at(b, kRa) + " " + u.force + ",  RB=" + at(b, kRb) + " " + u.force + "　　最大せん断力 Q=max(|RA|, |RB|)=" +
          f3(Q) + " " + u.force);
    const double pos = storedNumber(b.slot, kMmaxAt);
    std::string how = "101点（L/100 ごと）の曲げモーメントの最大値";
    if (pos == 0 && stationMoment(b.slot, 0) < 0)
        how = "A端の端部モーメント";
    else if (pos == b.in.span && stationMoment(b.slot, 100) < 0)
        how = "B端の端部モーメント";
    t.put("設計曲げモーメント M=" + at(b, kMmax) + " " + u.moment + "（A端から " + at(b, kMmaxAt) + " m、" + how + "）");
    const beam::Support s = b.in.support;
    if (s == beam::Support::FixedFixed)
        t.put("端部モーメント MA=" + f3(stationMoment(b.slot, 0)) + ",  MB=" + f3(stationMoment(b.slot, 100)) + " " +
              u.moment + "　スパン中の最大 " + at(b, kMcent));
    else if (s == beam::Support::PinFixed)
        t.put("端部モーメント MB=" + f3(stationMoment(b.slot, 100)) + " " + u.moment + "　スパン中の最大 " + at(b, kMcent));
    else if (s == beam::Support::FreeFixed)
        t.put("固定端モーメント MB=" + f3(stationMoment(b.slot, 100)) + " " + u.moment);
}

// The shear check: under the notice rule as computed; under the old rule for reference.
void shear(Text &t, const DerivedBeam &b, const std::vector<SheetLine> &referenceLines)
{
    t.heading("6. せん断の検定");
    const std::optional<beam::NoticeTexts> n = results::noticeTexts(b.slot);
    const SheetUnits u = sheetUnits(b);
    if (n) {
        if (n->shear == beam::kShearOff) {
            t.put("検定しない（検定基準の指定による）");
            return;
        }
        if (n->shear == beam::kShearNone) {
            t.put("検定なし（直接入力・登録部材は板厚が分からないため）");
            return;
        }
        const double Q = std::max(std::fabs(storedNumber(b.slot, kRa)), std::fabs(storedNumber(b.slot, kRb)));
        const std::optional<double> Aw = beam::shearArea(b.in);
        if (Aw && b.sectionKnown)
            t.put("τ=Q/Aw=" + f3(Q) + "/" + f2(*Aw) + "=" + n->tau + " " + u.stress);
        else
            t.put("τ=Q/Aw=" + n->tau + " " + u.stress);
        t.add(referenceLines);
        t.put("τ/fs=" + n->tau + "/" + n->fs + "=" + n->Rshear + (n->shear == beam::kVerdictNg ? " > 1.0 NG." : " ≦ 1.0 OK."));
        return;
    }
    if (referenceLines.empty())
        t.put("（参考の検定は、再計算できないため示しません）");
    t.add(referenceLines);
}

void deflection(Text &t, const DerivedBeam &b)
{
    t.heading("7. たわみの検定");
    int loads = storedNumber(b.slot, kUniform) != 0 || (b.in.jijuucheck && b.in.selfw != 0) ? 1 : 0;
    bool uniformOnly = loads == 1, pointOnly = false;
    for (int k = 0; k < 8; ++k)
        if (!stored0(b, kP1 + k)) {
            ++loads;
            pointOnly = loads == 1;
            uniformOnly = false;
        }
    for (int j = 0; j < 3; ++j)
        if (!stored0(b, kLd2a + j)) {
            loads += 2;
            uniformOnly = pointOnly = false;
        }
    const std::string EI = b.notice() ? "E=20500 kN/cm2, I=" + at(b, kInertia) + " cm4"
                                      : "E=2100 tf/cm2, I=" + at(b, kInertia) + " cm4";
    std::string formula;
    switch (b.in.support) {
    case beam::Support::PinPin:
        formula = uniformOnly ? "δ=5・w・L^4/(384・E・I)"
                  : pointOnly ? "δ=P・b・x・(L^2-b^2-x^2)/(6・E・I・L) の101点の最大値"
                              : "各荷重によるたわみを重ね合わせた101点の最大値";
        break;
    case beam::Support::PinFixed:
        formula = uniformOnly ? "δ=w・x・(L^3-3・L・x^2+2・x^3)/(48・E・I) の101点の最大値"
                              : "各荷重によるたわみを重ね合わせた101点の最大値";
        break;
    case beam::Support::FixedFixed:
        formula = uniformOnly ? "δ=w・L^4/(384・E・I)"
                  : pointOnly ? "δ=2・P・a^3・b^2/(3・E・I・(3・a+b)^2)（a>b）"
                              : "各荷重の最大たわみの和（重ね合わせ）";
        break;
    case beam::Support::FreeFixed:
        formula = uniformOnly ? "δ=w・L^4/(8・E・I)（自由端）"
                  : pointOnly ? "δ=P・b^2・(3・L-b)/(6・E・I)（自由端、b は固定端からの距離）"
                              : "自由端のたわみ（各荷重によるたわみの重ね合わせ）";
        break;
    }
    t.put(formula + "　" + EI);
    const std::string &lx = at(b, kLx);
    const bool ratioOk = !(storedNumber(b.slot, kLimitRatio) > storedNumber(b.slot, kLx));
    t.put("δ=" + at(b, kDelta) + " cm,  L/δ=" + f2(storedNumber(b.slot, kSpan) * 100) + "/|" + at(b, kDelta) + "|≒" + lx +
          (at(b, kLimitRatio).empty() ? "" : (ratioOk ? " ≧ " : " < ") + at(b, kLimitRatio) + (ratioOk ? " OK." : " NG.")));
    if (storedNumber(b.slot, kLimitAbs) > 0) {
        const bool absOk = !(std::fabs(storedNumber(b.slot, kDelta)) > storedNumber(b.slot, kLimitAbs));
        t.put("|δ|=" + f3(std::fabs(storedNumber(b.slot, kDelta))) + (absOk ? " ≦ " : " > ") + at(b, kLimitAbs) +
              " cm" + (absOk ? " OK." : " NG."));
    }
    if (!b.deflection.points.empty()) {
        const beam::Curve &d = b.deflection;
        const bool down = std::fabs(d.highest) >= std::fabs(d.lowest);
        t.put("たわみ曲線（101点）の最大 " + extremeText("δ", down ? d.highest : d.lowest, down ? d.highestAt : d.lowestAt, "cm"));
    }
}

void verdicts(Text &t, const DerivedBeam &b, const std::string &shearLine)
{
    t.heading("8. 判定");
    t.put("曲げ σb/fb=" + at(b, kRatio) + " " + bendingVerdict(b.slot) + "　　せん断 " + shearLine + "　　たわみ L/δ=" +
          at(b, kLx) + ", δ=" + at(b, kDelta) + " cm " + deflectionVerdict(b.slot));
    t.put("この梁の判定：" + at(b, kVerdict));
}

} // namespace

SheetUnits sheetUnits(const DerivedBeam &b)
{
    if (isSi(b.slot))
        return {"kN", "kN/m", "kN-m", "kN/cm2"};
    return {"tf", "tf/m", "tf-m", "tf/cm2"};
}

std::string supportInWords(const results::SlotRecord &slot)
{
    const std::string &w = slot[field::kSupport];
    if (w == "両端ピン")
        return "両端ピン（単純梁）";
    if (w == "左端ピン右端固定")
        return "左端ピン右端固定（A端ピン、B端固定）";
    if (w == "両端固定")
        return "両端固定";
    if (w == "左端自由右端固定")
        return "片持ち梁（A端が自由端、B端が固定端）";
    return w;
}

std::vector<SheetLine> warningLines(const DerivedBeam &b)
{
    Text t;
    if (b.differs.empty())
        return {};
    if (!b.result) {
        t.red("この結果は今のデータから再計算できません（" + b.refusal + "）。", 0);
    } else {
        std::string names;
        for (const std::string &n : b.differs)
            names += (names.empty() ? "" : "、") + n;
        t.red("再計算した値が格納されている値と違います（" + names + "）。", 0);
        t.red("部材リストの変更か、ファイルの手直しが考えられます。", 0);
    }
    t.red("この計算書の数値は格納されている値です。", 0);
    return t.take();
}

std::vector<SheetLine> detailedLines(const DerivedBeam &b)
{
    Text t;
    conditions(t, b);
    loads(t, b);
    section(t, b);
    stresses(t, b);
    t.add(bendingLines(b));
    std::vector<SheetLine> reference = shearReferenceLines(b);
    shear(t, b, reference);
    deflection(t, b);
    verdicts(t, b, shearRatioText(b));
    return t.take();
}

} // namespace sheets
