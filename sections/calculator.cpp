#include "sections/calculator.h"

#include "beam/numtext.h"

#include <cmath>
#include <numbers>

namespace sections {

namespace {

constexpr const char *kResultPattern = "0.000 000e+";
constexpr const char *kDivisionByZero = "0 で割る計算になるため断面性能を求められません。寸法を確認して下さい。";
constexpr const char *kTooLarge = "値が大きすぎるため断面性能を求められません。寸法を確認して下さい。";

// What a shape formula gives: the values, or the fact that it divides by zero.
struct Formula {
    ShapeProperties p;
    bool dividesByZero = false;
    const char *y1Caption = nullptr; // text before y1 on the fourth line
};

Formula divisionByZero()
{
    Formula f;
    f.dividesByZero = true;
    return f;
}

// Each shape in the operation order of its formula, left to right.
Formula evaluate(int panel, double a, double b, double H, double h, double r, double D)
{
    constexpr double pi = std::numbers::pi;
    Formula f;
    ShapeProperties &p = f.p;
    switch (panel) {
    case 1: // solid rectangle b x h
        p.A = b * h;
        p.I = b * h * h * h / 12;
        p.Z = b * h * h / 6;
        break;
    case 2: // two plates of width b, outer height H, clear gap h
        p.A = (H - h) * b;
        p.I = (H * H * H - h * h * h) * b / 12;
        p.Z = H == 0 ? 0.0 : 2 * p.I / H;
        break;
    case 3: // triangle, base b at the bottom, height h
        p.A = b * h / 2;
        p.I = b * h * h * h / 36;
        p.Z = b * h * h / 24;
        p.y1 = 2 * h / 3;
        f.y1Caption = "y1 = 2h/3 = ";
        break;
    case 4: // solid circle, diameter D
        p.A = pi * (D / 2) * (D / 2);
        p.I = pi * D * D * D * D / 64;
        p.Z = pi * D * D * D / 32;
        break;
    case 5: { // regular octagon, r from the centre to a flat side
        const double c = r / 0.924;
        p.A = 3.3136 * r * r;
        p.I = 0.6381 * (c * c * c * c);
        p.Z = 0.6906 * (c * c * c);
        break;
    }
    case 6: { // trapezoid, bottom a, top b, height h
        if (a + b == 0 || 2 * a + b == 0)
            return divisionByZero();
        const double k = a * a + 4 * a * b + b * b;
        p.A = (a + b) * h / 2;
        p.I = k / 36 / (a + b) * h * h * h;
        p.Z = k / 12 / (2 * a + b) * h * h;
        p.y1 = (2 * a + b) * (1.0 / 3) / (a + b) * h;
        f.y1Caption = "y1 = ";
        break;
    }
    case 7: // square of side h on a corner
        p.A = h * h;
        p.I = h * h * h * h / 12;
        p.Z = (h * h * h / 6) / std::sqrt(2.0);
        break;
    case 8: { // rectangle a x b on a corner, axis through two opposite corners
        const double s = a * a + b * b;
        if (s == 0)
            return divisionByZero();
        p.A = a * b;
        p.I = a * a * a * b * b * b / (6 * s);
        p.Z = (a * a * b * b / 6) / std::sqrt(s);
        break;
    }
    case 9: // quarter disc, radius r
        p.A = pi * r * r / 4;
        p.I = 0.055 * r * r * r * r;
        p.Z = 0.0956 * r * r * r;
        p.y1 = 0.4244 * r;
        f.y1Caption = "y1 = 0.4244r = ";
        break;
    case 10: { // T-section: flange a x h, web thickness b, total height H
        const double divisor = b * H + (a - b) * h;
        if (divisor == 0)
            return divisionByZero();
        const double y1 = (b * H * H + (a - b) * h * h) / 2 / divisor;
        const double below = y1 - h;
        const double web = H - y1;
        p.A = H * a - (a - b) * (H - h);
        p.I = (a * y1 * y1 * y1 - (a - b) * below * below * below + b * web * web * web) / 3;
        p.Z = web == 0 ? 0.0 : p.I / web;
        p.y1 = y1;
        f.y1Caption = "y1 = ";
        break;
    }
    case 11: // ellipse, semi-axis a in the direction of bending, b across it
        p.A = 3.14159 * a * b;
        p.I = 3.14159 * a * a * a * b / 4;
        p.Z = a == 0 ? 0.0 : p.I / a;
        break;
    default:
        break;
    }
    return f;
}

} // namespace

ShapeCalculation computeShape(int panel, const ShapeDimensions &dims)
{
    ShapeCalculation result;
    if (panel < 1 || panel > kShapesWithResult)
        return result;
    const Formula f = evaluate(panel, beam::parseDouble(dims.danA), beam::parseDouble(dims.danB),
                               beam::parseDouble(dims.danHH), beam::parseDouble(dims.danH),
                               beam::parseDouble(dims.danR), beam::parseDouble(dims.danD));
    if (f.dividesByZero) {
        result.error = kDivisionByZero;
        return result;
    }
    const ShapeProperties &p = f.p;
    if (!std::isfinite(p.A) || !std::isfinite(p.I) || !std::isfinite(p.Z) || (p.y1 && !std::isfinite(*p.y1))) {
        result.error = kTooLarge;
        return result;
    }
    ShapeResultTexts texts;
    texts.danres1 = "断面積 A = " + beam::formatNumber(p.A, kResultPattern);
    texts.danres2 = "断面二次モーメント I = " + beam::formatNumber(p.I, kResultPattern);
    texts.danres3 = "断面係数 Z = " + beam::formatNumber(p.Z, kResultPattern);
    if (p.y1)
        texts.danres4 = f.y1Caption + beam::formatNumber(*p.y1, kResultPattern);
    result.properties = p;
    result.texts = texts;
    return result;
}

} // namespace sections
