// Stored results for the sheet tests, written field by field in the slot record layout.
#pragma once

#include "beam/numtext.h"
#include "results/table.h"

#include <cmath>
#include <algorithm>
#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

namespace sheettest {

// Simply supported, traditional units: L = 6 m, w = 1.2 tf/m, P1 = 2 tf at mid-span.
// M(x) = w x (L - x) / 2 + P min(x, L - x) / 2, so Mmax = 5.4 + 3.0 = 8.4 tf-m at 3 m.
inline results::SlotRecord traditionalSlot(const std::string &name = "B1")
{
    results::SlotRecord s{};
    s[1] = "1";
    s[2] = name;
    s[3] = "強軸";
    s[4] = "長期";
    s[5] = "両端ピン";
    s[6] = "従来単位";
    s[7] = "6.00";   // span, m
    s[8] = "3.00";   // lb, m
    s[9] = "300";    // n of L/n
    s[10] = "2.0";   // absolute limit, cm
    s[11] = "1.20";  // uniform load, tf/m
    s[12] = "";      // formula text
    s[13] = "自重自動計算";
    for (int n = 0; n < 8; ++n) {
        s[14 + n] = "0";
        s[22 + n] = "0";
    }
    s[14] = "2.0";   // P1, tf
    s[22] = "3.0";   // its position, m
    for (int f = 30; f <= 44; ++f)
        s[f] = "0";
    s[45] = "HN";
    s[46] = "H-300x150x6.5x9";
    s[47] = "300"; s[48] = "150"; s[49] = "6.5"; s[50] = "9";
    s[51] = "7210";  // I, cm4
    s[52] = "481";   // Z, cm3
    s[53] = "36.7";  // kg/m
    s[54] = "8.400"; // Mmax, tf-m
    s[55] = "3.000"; // its position, m
    s[56] = "1.746"; // bending stress, tf/cm2
    s[57] = "1.600"; // allowable, tf/cm2
    s[58] = "8.400"; // largest span moment
    s[59] = "1.091"; // ratio
    s[60] = "4.600"; // RA, tf
    s[61] = "4.600"; // RB, tf
    s[62] = "0.512"; // deflection, cm
    s[63] = "1171.9";
    s[64] = "NG.";
    for (int i = 0; i <= 100; ++i) {
        const double x = 6.0 * i / 100.0;
        const double m = 1.2 * x * (6.0 - x) / 2.0 + 2.0 * std::min(x, 6.0 - x) / 2.0;
        s[65 + i] = beam::formatNumber(m, "###0.####");
    }
    return s;
}

// The same beam in SI units.
inline results::SlotRecord siSlot(const std::string &name = "B2")
{
    results::SlotRecord s = traditionalSlot(name);
    s[6] = "SI単位";
    s[56] = "17.12";
    s[57] = "15.69";
    return s;
}

// A table holding the given slots in 1..n, with the listed slots marked.
inline results::Table tableOf(const std::vector<results::SlotRecord> &slots, std::initializer_list<int> marked)
{
    results::Table t;
    for (std::size_t k = 0; k < slots.size(); ++k) {
        t.slots[k + 1] = slots[k];
        t.selectgrid[k + 1] = "0";
    }
    t.datano = static_cast<int>(slots.size());
    for (int k : marked)
        t.selectgrid[k] = "1";
    return t;
}

// n traditional slots named S1..Sn, none marked.
inline std::vector<results::SlotRecord> namedSlots(int n)
{
    std::vector<results::SlotRecord> slots;
    for (int k = 1; k <= n; ++k)
        slots.push_back(traditionalSlot("S" + std::to_string(k)));
    return slots;
}

} // namespace sheettest
