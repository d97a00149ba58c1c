#include "sections/pocketcalc.h"

#include "beam/numtext.h"

#include <cmath>

namespace sections {

namespace {

constexpr const char *kPattern = "#######0.########";

// The pending step: the operator in `calc` applied to memory and entry. A division by
// zero, and a step whose result would not be a finite number, leave the memory value.
double pendingStep(const PocketCalc &pc)
{
    const double m = beam::parseDouble(pc.memory);
    const double x = beam::parseDouble(pc.calcres);
    double next = m;
    if (pc.calc == "＋")
        next = m + x;
    else if (pc.calc == "－")
        next = m - x;
    else if (pc.calc == "×")
        next = m * x;
    else if (pc.calc == "÷" && x != 0)
        next = m / x;
    return std::isfinite(next) ? next : m;
}

} // namespace

void pressDigit(PocketCalc &pc, char key)
{
    if ((key >= '0' && key <= '9') || key == '.')
        pc.calcres.push_back(key);
}

void pressOperator(PocketCalc &pc, const std::string &sign)
{
    pc.memory = beam::formatNumber(pendingStep(pc), kPattern);
    pc.calcres.clear();
    pc.calc = sign;
}

void pressEqual(PocketCalc &pc)
{
    const double m = pendingStep(pc);
    pc.memory.clear();
    pc.calcres = beam::formatNumber(m, kPattern);
    pc.calc = "＋";
}

void pressClear(PocketCalc &pc)
{
    pc.memory.clear();
    pc.calcres.clear();
    pc.calc = "＋";
}

} // namespace sections
