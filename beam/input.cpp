#include "beam/input.h"

#include "beam/numtext.h"

#include <cmath>
#include <vector>

namespace beam {

namespace {

struct FamilyName {
    Family family;
    const char *code;
};

constexpr FamilyName kFamilies[] = {
    {Family::HW, "HW"},     {Family::HM, "HM"},     {Family::HN, "HN"},         {Family::C, "C"},
    {Family::L, "L"},       {Family::I, "I"},       {Family::BH, "BH"},         {Family::Kaku, "kaku"},
    {Family::Maru, "maru"}, {Family::Direct, "direct"}, {Family::User, "user"},
};

struct SupportName {
    Support support;
    const char *name;
};

constexpr SupportName kSupports[] = {
    {Support::PinPin, "pinpin"},
    {Support::PinFixed, "pinkotei"},
    {Support::FixedFixed, "koteikotei"},
    {Support::FreeFixed, "jiyuukotei"},
};

const char *const kPartSuffix[kPartLoads] = {"a", "b", "c"};

} // namespace

const char *familyCode(Family family)
{
    for (const FamilyName &f : kFamilies)
        if (f.family == family)
            return f.code;
    return "";
}

std::optional<Family> familyFromCode(const std::string &code)
{
    for (const FamilyName &f : kFamilies)
        if (code == f.code)
            return f.family;
    return std::nullopt;
}

const char *supportName(Support support)
{
    for (const SupportName &s : kSupports)
        if (s.support == support)
            return s.name;
    return "";
}

std::optional<Support> supportFromName(const std::string &name)
{
    for (const SupportName &s : kSupports)
        if (name == s.name)
            return s.support;
    return std::nullopt;
}

bool usesBucklingFormula(Family family)
{
    switch (family) {
    case Family::HW:
    case Family::HM:
    case Family::HN:
    case Family::C:
    case Family::I:
    case Family::BH:
        return true;
    default:
        return false;
    }
}

BeamInput readInput(const InputTexts &in)
{
    BeamInput b;
    b.span = parseDouble(in.Span);
    b.lb = parseDouble(in.lb);
    b.seigen1 = parseDouble(in.seigen1);
    b.seigen2 = parseDouble(in.seigen2);
    b.uniform = parseDouble(in.uniform);
    for (int k = 0; k < kPointLoads; ++k) {
        b.p[k] = parseDouble(in.p[k]);
        b.pl[k] = parseDouble(in.pl[k]);
    }
    for (int j = 0; j < kPartLoads; ++j) {
        b.w1[j] = parseDouble(in.w1[j]);
        b.w2[j] = parseDouble(in.w2[j]);
        b.ld1[j] = parseDouble(in.ld1[j]);
        b.ld2[j] = parseDouble(in.ld2[j]);
    }
    b.inertia = parseDouble(in.inertia);
    b.modulus = parseDouble(in.modulus);
    b.selfw = parseDouble(in.selfw);
    b.H1 = parseDouble(in.H1);
    b.B1 = parseDouble(in.B1);
    b.tf1 = parseDouble(in.tf1);
    b.tw1 = parseDouble(in.tw1);
    b.r1 = parseDouble(in.r1);
    b.A1 = parseDouble(in.A1);
    b.term = in.term;
    b.si = in.si;
    b.jijuucheck = in.jijuucheck;
    b.weak = in.weak;
    b.si157 = in.si157;
    b.support = in.support;
    b.family = in.family;
    return b;
}

std::optional<std::string> nonFiniteField(const BeamInput &in)
{
    bool allFinite = std::isfinite(in.span) && std::isfinite(in.lb) && std::isfinite(in.seigen1) &&
                     std::isfinite(in.seigen2) && std::isfinite(in.uniform) && std::isfinite(in.inertia) &&
                     std::isfinite(in.modulus) && std::isfinite(in.selfw) && std::isfinite(in.H1) &&
                     std::isfinite(in.B1) && std::isfinite(in.tf1);
    for (int k = 0; k < kPointLoads; ++k)
        allFinite = allFinite && std::isfinite(in.p[k]) && std::isfinite(in.pl[k]);
    for (int j = 0; j < kPartLoads; ++j)
        allFinite = allFinite && std::isfinite(in.w1[j]) && std::isfinite(in.w2[j]) && std::isfinite(in.ld1[j]) &&
                    std::isfinite(in.ld2[j]);
    if (allFinite)
        return std::nullopt;

    // Name the first one in page order.
    struct Named {
        double value;
        std::string label;
    };
    std::vector<Named> fields = {
        {in.span, "スパン長さ"}, {in.lb, "lb"}, {in.seigen1, "たわみ制限 L／n の n"},
        {in.seigen2, "たわみ制限 cm以下"}, {in.uniform, "等分布荷重"},
    };
    for (int k = 0; k < kPointLoads; ++k) {
        fields.push_back({in.p[k], "P" + std::to_string(k + 1)});
        fields.push_back({in.pl[k], "L" + std::to_string(k + 1)});
    }
    for (int j = 0; j < kPartLoads; ++j) {
        const std::string s = std::string("(") + kPartSuffix[j] + ")";
        fields.push_back({in.w1[j], "w1" + s});
        fields.push_back({in.w2[j], "w2" + s});
        fields.push_back({in.ld1[j], "LD1" + s});
        fields.push_back({in.ld2[j], "LD2" + s});
    }
    fields.push_back({in.inertia, "断面二次モーメント"});
    fields.push_back({in.modulus, "断面係数"});
    fields.push_back({in.selfw, "部材自重"});
    fields.push_back({in.H1, "断面のH"});
    fields.push_back({in.B1, "断面のB"});
    fields.push_back({in.tf1, "断面のtf"});
    for (const Named &f : fields)
        if (!std::isfinite(f.value))
            return f.label;
    return std::nullopt;
}

long double effectiveUniform(const BeamInput &in)
{
    long double g = in.selfw;
    if (in.si)
        g = g * kGravity;
    long double w = in.uniform;
    if (in.jijuucheck)
        w = w + g / 1000;
    return w;
}

UniformFormula uniformCalculator(std::string_view uw, std::string_view lwa, std::string_view lwb,
                                 std::string_view nnl)
{
    const double u = parseDouble(uw);
    const double a = parseDouble(lwa);
    const double b = parseDouble(lwb);
    double n = parseDouble(nnl);
    if (n == 0)
        n = 1;
    const long double w = (static_cast<long double>(a) + b) * u / n;
    if (!std::isfinite(u) || !std::isfinite(a) || !std::isfinite(b) || !std::isfinite(n) ||
        !std::isfinite(static_cast<double>(w)))
        return {{}, {}, "等分布荷重の計算式の値が大きすぎます。数字を確認して下さい。"};

    const char *const pattern = "##0.000";
    std::string text;
    if (u != 0)
        text += formatNumber(u, pattern) + "x";
    const bool both = a != 0 && b != 0;
    if (both)
        text += "(";
    if (a != 0)
        text += formatNumber(a, pattern);
    if (both)
        text += "+";
    if (b != 0)
        text += formatNumber(b, pattern);
    if (both)
        text += ")";
    if (n != 1)
        text += "/" + std::string(nnl);
    return {text, formatNumber(static_cast<double>(w), pattern), {}};
}

} // namespace beam
