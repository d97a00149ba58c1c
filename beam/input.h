// The beam input record: the texts of the page-1 fields that one check reads, the same
// record as numbers, the effective uniform load that every analysis starts from, and the
// uniform-load calculator that writes `shiki` and `uniform`.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace beam {

inline constexpr int kPointLoads = 8;   // P1..P8
inline constexpr int kPartLoads = 3;    // trapezoidal loads a, b, c
inline constexpr int kStations = 101;   // x_i = L * i / 100, i = 0..100
inline constexpr int kSlices = 100;     // slices of one trapezoidal load

// tf to kN: self weight kg/m x 9.80665 / 1000 = kN/m; 1 tf/cm2 = 9.80665 kN/cm2.
inline constexpr long double kGravity = 9.80665L;

// `pinpin`, `pinkotei`, `koteikotei`, `jiyuukotei`: end A left (x = 0), end B right.
enum class Support { PinPin, PinFixed, FixedFixed, FreeFixed };

// The eleven section choices of the input page (radio order of the stored kind code).
enum class Family { HW, HM, HN, C, L, I, BH, Kaku, Maru, Direct, User };

// "HW", "HM", "HN", "C", "L", "I", "BH", "kaku", "maru", "direct", "user".
const char *familyCode(Family family);
std::optional<Family> familyFromCode(const std::string &code);

// "pinpin", "pinkotei", "koteikotei", "jiyuukotei".
const char *supportName(Support support);
std::optional<Support> supportFromName(const std::string &name);

// True for the families whose allowable stress follows the lateral-buckling formula
// (wide-, medium-, narrow-flange H, channel, I-beam and built-up H).
bool usesBucklingFormula(Family family);

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
    // Read by the notice rule only: web thickness and root radius (mm) for the radius of
    // gyration and the shear area, and the sectional area (cm2) of a pipe for its shear area.
    std::string tw1 = "5", r1 = "8", A1 = "11.85";
    bool term = false;                  // short-term load
    bool si = true;                     // SI units (else traditional tf)
    bool jijuucheck = true;             // add the self weight to w
    bool weak = false;                  // bend about the weak axis
    bool si157 = false;                 // SI basis 157 MPa (else 156.906 MPa)
    Support support = Support::PinPin;
    Family family = Family::HN;
};

// The same record as numbers, each field read by beam::parseDouble at the moment an
// analysis runs. Forces in kN or tf (by `si`), lengths in m.
struct BeamInput {
    double span = 0;                    // L, m
    double lb = 0;                      // m
    double seigen1 = 0;                 // n of L/n
    double seigen2 = 0;                 // cm
    double uniform = 0;                 // kN/m or tf/m, without self weight
    std::array<double, 8> p{}, pl{};    // kN or tf; m from end A
    std::array<double, 3> w1{}, w2{};   // kN/m or tf/m
    std::array<double, 3> ld1{}, ld2{}; // m
    double inertia = 0;                 // cm4
    double modulus = 0;                 // cm3
    double selfw = 0;                   // kg/m
    double H1 = 0, B1 = 0, tf1 = 0;     // mm
    double tw1 = 0, r1 = 0;             // mm, notice rule only
    double A1 = 0;                      // cm2, notice rule only
    bool term = false;
    bool si = true;
    bool jijuucheck = true;
    bool weak = false;
    bool si157 = false;
    Support support = Support::PinPin;
    Family family = Family::HN;
};

BeamInput readInput(const InputTexts &in);

// The first field whose text holds a number outside the range of a 64-bit float
// (for example "1e400"), as its page label ("スパン長さ", "P3", "LD2(b)" ...);
// nullopt when every field is finite.
std::optional<std::string> nonFiniteField(const BeamInput &in);

// The effective uniform load w: `uniform`, plus the self weight / 1000 when `jijuucheck`
// is on (kg/m x 9.80665 in SI). kN/m or tf/m. Computed in extended precision.
long double effectiveUniform(const BeamInput &in);

// The uniform-load calculator: uw x (lwa + lwb) / nnl.
// An operand or the load out of the range of a 64-bit float gives an error and no texts
// (the fields keep what they hold).
struct UniformFormula {
    std::string shiki;   // the formula text, e.g. "3.000x(2.000+1.500)/2"
    std::string uniform; // the load, "##0.000"
    std::string error;   // Japanese, when the operands cannot give a load
};
UniformFormula uniformCalculator(std::string_view uw, std::string_view lwa, std::string_view lwb,
                                 std::string_view nnl);

} // namespace beam
