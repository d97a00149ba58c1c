#include "sections/converter.h"

#include "beam/numtext.h"

#include <cmath>

namespace sections {

namespace {

constexpr const char *kPattern = "0.000 000e+";

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Reads a box by the numeric-text rule, but also as the converter writes it: the blank
// that groups the decimals of "1.569 064e+1" is skipped, so a result converted back
// reads as the whole number and not as "1.569".
double readStress(const std::string &text)
{
    std::string joined;
    bool inDecimals = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == ' ' && inDecimals && i > 0 && isDigit(text[i - 1]) && i + 1 < text.size() && isDigit(text[i + 1]))
            continue;
        if (c == '.')
            inDecimals = true;
        else if (!isDigit(c))
            inDecimals = false;
        joined.push_back(c);
    }
    return beam::parseDouble(joined);
}

Conversion shown(double value)
{
    Conversion c;
    if (!std::isfinite(value))
        c.error = "値が大きすぎるため変換できません。数字を確認して下さい。";
    else
        c.text = beam::formatNumber(value, kPattern);
    return c;
}

} // namespace

double toSiValue(double v, TraditionalUnit from, SiUnit to)
{
    if (from == TraditionalUnit::TfPerCm2)
        return to == SiUnit::KnPerCm2 ? v * 9.80665 : v * 98.0665;
    return to == SiUnit::KnPerCm2 ? v * 9.80665 / 10000 : v * 98.0665 / 10000;
}

double toTraditionalValue(double v, SiUnit from, TraditionalUnit to)
{
    if (from == SiUnit::KnPerCm2)
        return to == TraditionalUnit::TfPerCm2 ? v / 9.80665 : v / 9.80665 * 10000;
    return to == TraditionalUnit::TfPerCm2 ? v / 9.80665 / 10 : v / 98.0665 * 10000;
}

Conversion convertToSi(const std::string &tmunit, TraditionalUnit from, SiUnit to)
{
    return shown(toSiValue(readStress(tmunit), from, to));
}

Conversion convertToTraditional(const std::string &siunit, SiUnit from, TraditionalUnit to)
{
    return shown(toTraditionalValue(readStress(siunit), from, to));
}

} // namespace sections
