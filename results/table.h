// The result table: 50 slots of 165 text fields, the slot count, the print marks and the
// selection. Field f of slot s is slots[s][f]; index 0 of both is never used.
#pragma once

#include <array>
#include <string>

namespace results {

inline constexpr int kSlots = 50;
inline constexpr int kFields = 165;
inline constexpr int kFirstMomentField = 65; // field 65 + i = moment at station i

using SlotRecord = std::array<std::string, kFields + 1>;

struct Table {
    std::array<SlotRecord, kSlots + 1> slots{};      // [1..50]
    int datano = 0;                                   // slots in use: 1..datano
    std::array<std::string, kSlots + 1> selectgrid{}; // print marks: "1" marked
    int selected = 0;                                 // 0 = none
    int pre = 0;                                      // previously selected
};

} // namespace results
