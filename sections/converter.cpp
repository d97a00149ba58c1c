#include "sections/converter.h"

#include "beam/numtext.h"

#include <cmath>

namespace sections {

namespace {

constexpr const char *kPattern = "0.000 000e+";

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
    return shown(toSiValue(beam::parseDouble(tmunit), from, to));
}

Conversion convertToTraditional(const std::string &siunit, SiUnit from, TraditionalUnit to)
{
    return shown(toTraditionalValue(beam::parseDouble(siunit), from, to));
}

} // namespace sections
