// The four-function pocket calculator of the input page: three texts and the keys.
#pragma once

#include <string>

namespace sections {

// The calculator's boxes as texts: `memory` the running value, `calcres` the entry and
// result, `calc` the pending operator ("＋", "－", "×", "÷").
struct PocketCalc {
    std::string memory;
    std::string calcres;
    std::string calc = "＋";
};

// A digit key "0".."9" or ".": appended to the entry as typed.
void pressDigit(PocketCalc &pc, char key);
// An operator key: applies the pending operator, keeps the result in memory, clears the
// entry and makes `sign` pending.
void pressOperator(PocketCalc &pc, const std::string &sign);
// The equals key: applies the pending operator, shows the result, empties memory.
void pressEqual(PocketCalc &pc);
// AC: empties memory and entry, pending operator "＋".
void pressClear(PocketCalc &pc);

} // namespace sections
