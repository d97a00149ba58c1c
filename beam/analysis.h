// The beam check: the input record read from the page-1 texts, the three analyses, the
// allowable stress and the verdict. Texts in, texts out, exactly as the page shows them.
//
// Data route: window fields -> InputTexts -> BeamInput (numbers) -> Qcalc/Mcalc/
// deltacalc/fbcalc -> check -> ResultTexts -> window result fields.
#pragma once

#include <array>
#include <optional>
#include <string>

namespace beam {

// `pinpin`, `pinkotei`, `koteikotei`, `jiyuukotei`: end A left (x = 0), end B right.
enum class Support { PinPin, PinFixed, FixedFixed, FreeFixed };

// The eleven section choices of the input page (radio order of the stored kind code).
enum class Family { HW, HM, HN, C, L, I, BH, Kaku, Maru, Direct, User };

// "HW", "HM", "HN", "C", "L", "I", "BH", "kaku", "maru", "direct", "user".
const char *familyCode(Family family);
std::optional<Family> familyFromCode(const std::string &code);

// The texts of the page-1 fields that one check reads, named as on the page.
// Defaults are the start-up texts.
struct InputTexts {
    std::string Span = "0.00";          // m
    std::string lb = "0.00";            // m, unbraced length
    std::string seigen1 = "300";        // n of L/n
    std::string seigen2 = "2.0";        // cm, absolute limit (0 or empty: off)
    std::string uniform;                // kN/m or tf/m
    std::array<std::string, 8> p;       // point loads, kN or tf
    std::array<std::string, 8> pl;      // their distances from end A, m
    std::array<std::string, 3> w1, w2;  // part-span loads a, b, c: start/end intensity
    std::array<std::string, 3> ld1, ld2; // start distance from A, loaded length, m
    std::string inertia = "187";        // cm4
    std::string modulus = "37.5";       // cm3
    std::string selfw = "9.3";          // kg/m
    std::string H1 = "100", B1 = "50", tf1 = "7"; // mm, for the allowable stress
    bool term = false;                  // short-term load
    bool si = true;                     // SI units (else traditional tf)
    bool jijuucheck = true;             // add the self weight to w
    bool weak = false;                  // bend about the weak axis
    bool si157 = false;                 // SI basis 157 MPa (else 156.906 MPa)
    Support support = Support::PinPin;
    Family family = Family::HN;
};

// The texts the check writes into the page-1 result fields.
struct ResultTexts {
    std::string RQa, RQb;               // "##0.000"
    std::string RMmax, RMmaxl;          // "###0.000"
    std::string Mcent, Menda, Mendb;    // "###0.000" or empty
    std::string Rdelta;                 // "##0.000", cm
    std::string Rlx;                    // "#####0.0"
    std::string Rfb;                    // "#0.000"
    std::string RSigmab, Rratio;        // "##0.000"
    std::string hantei;                 // "OK." or "NG."
    std::array<std::string, 101> Mgrid; // "###0.####", station i = L*i/100
};

struct CheckOutcome {
    std::optional<ResultTexts> result;
    std::string error; // Japanese, names the refused value, when result is empty
};

// One check in the driver's order: verdict "OK.", Qcalc, Mcalc, deltacalc, fbcalc,
// then the stress and deflection check on the displayed texts. Refuses (error, no
// result) a span that is not positive, I <= 0, Z <= 0, fb <= 0, lb < 0 and any value
// that is not finite.
CheckOutcome runCheck(const InputTexts &in);

} // namespace beam
