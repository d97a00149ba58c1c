#include "sections/computed.h"

#include "beam/numtext.h"

#include <cmath>

namespace sections {

namespace {

using Ext = long double;

// Each numbered step is evaluated in extended precision from float operands and stored
// as a float.
inline float single(Ext v) { return static_cast<float>(v); }

inline Ext cm(float mm) { return static_cast<Ext>(mm) / 10; }

inline Ext cube(Ext v) { return v * v * v; }

constexpr Ext kSteelWeight = 0.785L; // kg/m per cm2 of section
constexpr Ext kPi = 3.141592653589793238462643383279502884L;

SectionProperties builtUpH(float h, float b, float w, float f)
{
    SectionProperties p;
    p.Ix = single(cm(b) * cube(cm(h)));
    p.Ix = single(p.Ix - (static_cast<Ext>(b) - w) / 10 * cube((static_cast<Ext>(h) - 2 * static_cast<Ext>(f)) / 10));
    p.Ix = single(p.Ix / 12.0L);
    p.Iy = single(2 * cm(f) * cube(cm(b)));
    p.Iy = single((static_cast<Ext>(h) - 2 * static_cast<Ext>(f)) / 10 * cube(cm(w)) + p.Iy);
    p.Iy = single(p.Iy / 12.0L);
    p.A = single(2 * cm(b) * cm(f));
    p.A = single((static_cast<Ext>(h) - 2 * static_cast<Ext>(f)) / 10 * cm(w) + p.A);
    p.W = single(kSteelWeight * p.A);
    p.Zx = h != 0 ? single(20 * static_cast<Ext>(p.Ix) / h) : 0.0f;
    p.Zy = b != 0 ? single(20 * static_cast<Ext>(p.Iy) / b) : 0.0f;
    return p;
}

SectionProperties squarePipe(float h, float b, float t)
{
    const Ext innerB = (static_cast<Ext>(b) - 2 * static_cast<Ext>(t)) / 10;
    const Ext innerH = (static_cast<Ext>(h) - 2 * static_cast<Ext>(t)) / 10;
    SectionProperties p;
    p.Ix = single(cm(b) * cube(cm(h)));
    p.Ix = single(p.Ix - innerB * cube(innerH));
    p.Ix = single(p.Ix / 12.0L);
    p.Iy = single(cm(h) * cube(cm(b)));
    p.Iy = single(p.Iy - innerH * cube(innerB));
    p.Iy = single(p.Iy / 12.0L);
    p.A = single(cm(b) * cm(h));
    p.A = single(p.A - innerB * innerH);
    p.W = single(kSteelWeight * p.A);
    p.Zx = h != 0 ? single(20 * static_cast<Ext>(p.Ix) / h) : 0.0f;
    p.Zy = b != 0 ? single(20 * static_cast<Ext>(p.Iy) / b) : 0.0f;
    return p;
}

SectionProperties roundPipe(float d, float t)
{
    const Ext outer = cm(d);
    const Ext inner = (static_cast<Ext>(d) - 2 * static_cast<Ext>(t)) / 10;
    SectionProperties p;
    float I = single(outer * outer * outer * outer);
    I = single(I - inner * inner * inner * inner);
    I = single(kPi * I / 64);
    p.Ix = p.Iy = I;
    p.A = single(outer * outer);
    p.A = single(p.A - inner * inner);
    p.A = single(kPi * p.A / 4);
    p.W = single(kSteelWeight * p.A);
    const float Z = d != 0 ? single(20 * static_cast<Ext>(I) / d) : 0.0f;
    p.Zx = p.Zy = Z;
    return p;
}

} // namespace

std::optional<std::string> computedMemberName(beam::Family shape, const DimensionTexts &dims)
{
    switch (shape) {
    case beam::Family::BH:
        return "BH-" + dims.H + "x" + dims.B + "x" + dims.tw + "x" + dims.tf;
    case beam::Family::Kaku:
        return "□-" + dims.H + "x" + dims.B + "x" + dims.tf;
    case beam::Family::Maru:
        return "φ" + dims.B + "x" + dims.tf;
    default:
        return std::nullopt;
    }
}

std::string dimensionRefusal(beam::Family shape, const DimensionTexts &dims)
{
    struct Dimension {
        const char *caption;
        float value;
    };
    auto held = [](const std::string &text) { return Dimension{nullptr, beam::parseSingle(text)}; };
    Dimension H = held(dims.H), B = held(dims.B), tw = held(dims.tw), tf = held(dims.tf);
    H.caption = "せい H";
    tw.caption = "ウェブ厚 tw";
    if (shape == beam::Family::BH) {
        B.caption = "フランジ幅 B";
        tf.caption = "フランジ厚 tf";
    } else {
        B.caption = shape == beam::Family::Maru ? "外径 D" : "幅 B";
        tf.caption = "板厚 t";
    }
    auto shown = [](float v) { return beam::formatSingle(v, "0.####"); };
    auto notPositive = [&](const Dimension &d) -> std::string {
        if (d.value > 0)
            return {};
        return std::string(d.caption) + "（" + shown(d.value) + "）が0以下です。寸法を確認して下さい。";
    };
    auto twiceAtLeast = [&](const Dimension &t, const Dimension &outer) -> std::string {
        if (2 * t.value < outer.value)
            return {};
        return std::string(t.caption) + "の2倍（" + shown(2 * t.value) + "）が" + outer.caption + "（" +
               shown(outer.value) + "）以上です。寸法を確認して下さい。";
    };
    std::string why;
    switch (shape) {
    case beam::Family::BH:
        for (const Dimension *d : {&H, &B, &tw, &tf})
            if (why.empty())
                why = notPositive(*d);
        if (why.empty() && tw.value >= B.value)
            why = std::string(tw.caption) + "（" + shown(tw.value) + "）が" + B.caption + "（" + shown(B.value) +
                  "）以上です。寸法を確認して下さい。";
        if (why.empty())
            why = twiceAtLeast(tf, H);
        break;
    case beam::Family::Kaku:
        for (const Dimension *d : {&H, &B, &tf})
            if (why.empty())
                why = notPositive(*d);
        if (why.empty())
            why = twiceAtLeast(tf, B);
        if (why.empty())
            why = twiceAtLeast(tf, H);
        break;
    case beam::Family::Maru:
        why = notPositive(B);
        if (why.empty())
            why = notPositive(tf);
        if (why.empty())
            why = twiceAtLeast(tf, B);
        break;
    default:
        break;
    }
    return why;
}

ComputedSection computeSection(beam::Family shape, const DimensionTexts &dims, bool weak)
{
    const float h = beam::parseSingle(dims.H);
    const float b = beam::parseSingle(dims.B);
    const float f = beam::parseSingle(dims.tf);
    const float w = beam::parseSingle(dims.tw);

    ComputedSection out;
    out.r1 = "0";
    out.H1 = dims.H;
    out.B1 = dims.B;
    out.tf1 = dims.tf;
    out.tw1 = dims.tw;
    out.member = computedMemberName(shape, dims);

    switch (shape) {
    case beam::Family::BH:
        out.properties = builtUpH(h, b, w, f);
        break;
    case beam::Family::Kaku:
        out.properties = squarePipe(h, b, f);
        break;
    case beam::Family::Maru:
        out.properties = roundPipe(b, f);
        break;
    default:
        out.inertia = out.modulus = out.selfw = "0.00";
        return out;
    }

    const SectionProperties &p = out.properties;
    const float inertia = weak ? p.Iy : p.Ix;
    const float modulus = weak ? p.Zy : p.Zx;
    if (!std::isfinite(inertia) || !std::isfinite(modulus) || !std::isfinite(p.W)) {
        out.error = "寸法の値が大きすぎて断面性能を計算できません。数字を確認して下さい。";
        return out;
    }
    // The held 32-bit values are shown by the rule of every computed value (their decimal
    // form to 15 digits), not by the shortest form kept for typed numbers: rounding that
    // short form again would round twice (5564.38477 would show 5564.39).
    out.inertia = beam::formatNumber(inertia, "#####0.00");
    out.modulus = beam::formatNumber(modulus, "#####0.00");
    out.selfw = beam::formatNumber(p.W, "#####0.00");
    out.A1 = beam::formatNumber(p.A, "#####0.000");
    return out;
}

} // namespace sections
