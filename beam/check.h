// The beam check: the input record read from the page-1 texts, refused when it cannot give
// a meaningful result, the analyses and the allowable stress, the verdict, and the texts of
// the page-1 result fields. Texts in, texts out, exactly as the page shows them.
//
// Data route: window fields -> InputTexts -> BeamInput (numbers) -> Qcalc/Mcalc/
// deltacalc/allowableStress -> stressCheck -> ResultTexts -> window result fields.
#pragma once

#include "beam/analysis.h"
#include "beam/bending.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace beam {

// What the notice rule adds to a result. Stresses in the unit of fb (kN/cm2 or tf/cm2),
// the allowable ones with the load term, like fb.
struct NoticeTexts {
    std::string grade;            // steel grade; empty when F was typed
    std::string F;                // N/mm2, as the basis label writes it
    std::string C;                // "0.00"; empty when fb1 is not used
    std::string fb1, fb2;         // "#0.000"; empty when the section's rule does not use them;
                                  // fb1 kFb1BelowZero when it is below 0
    std::string ib;               // cm, "#0.000": radius of gyration of the T; empty with fb1
    std::string tau, fs, Rshear;  // "#0.000", "#0.000", "##0.000"; empty without a shear check
    std::string shear;            // "OK.", "NG.", kShearOff or kShearNone
};

// "告示1024号 SN490B F=325" of the basis a notice result was calculated with (F as used,
// for the section's plates).
std::string noticeLabel(const NoticeTexts &notice);

// fb1 as a result stores it when it is below 0: ASCII, as every stored text of the notice
// rule; and as it is shown, with the note that fb2 then governs.
inline constexpr const char *kFb1BelowZero = "-";
inline constexpr const char *kFb1BelowZeroShown = "－";
inline constexpr const char *kFb1BelowZeroNote = "（fb1 は0未満になるため「－」とし、fb は fb2 によります。）";

// fb1 as shown: the stored text, "－" for one below 0.
std::string shownFb1(const std::string &fb1);

// The shear check in one line: "せん断 τ=3.273 fs=9.045 (kN/cm2) τ/fs=0.362 OK.", or why
// there is none ("せん断 検定しない", "せん断 検定なし（…）"). `stressUnit` "(kN/cm2)" or "(tf/cm2)".
std::string shearSummary(const NoticeTexts &notice, const std::string &stressUnit);

// The moment texts of the stations, "###0.####", station i at L*i/100: the grid `Mgrid`.
using MomentGrid = std::array<std::string, kStations>;

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
    MomentGrid Mgrid;
    std::optional<NoticeTexts> notice;  // calculated under the notice rule
};

struct CheckOutcome {
    std::optional<ResultTexts> result;
    std::string error; // Japanese, names the refused value, when result is empty
    // The lines said beside a result (the window's finished message, the note of
    // `kovel-cli calc`): lateral buckling not considered for the section kind, and under
    // the notice rule a grade's F taken for unknown plates, lb longer than the span, fb1
    // below 0.
    std::vector<std::string> notes;
};

// One check in the driver's order: verdict "OK.", Qcalc, Mcalc, deltacalc, fbcalc,
// then the stress and deflection check on the displayed texts. Refuses (error, no
// result) a span that is not positive, I <= 0, Z <= 0, fb <= 0, lb < 0, a load outside
// the span and any value that is not finite; and a beam whose hogging moment inside the
// span is larger than the design moment, which happens only under loads that act upward.
// Under the notice rule of `basis` fb follows that rule, E is 205,000 N/mm2, and the shear
// check (when asked for) can also make the verdict "NG."; a basis that cannot be used, or
// a section without shear area, is refused.
CheckOutcome runCheck(const InputTexts &in, const Basis &basis = Basis());

// The reason runCheck would refuse the input before any analysis (span not positive,
// a number out of range, I <= 0, Z <= 0, lb < 0, a non-zero load outside the span or
// with a negative loaded length); empty when the input is acceptable.
std::string inputRefusal(const BeamInput &in);

// The stress and deflection check, on the displayed texts of the results.
struct StressCheck {
    double sigmab = 0;  // M x 100 / Z, kN/cm2 or tf/cm2
    double ratio = 0;   // sigmab / fb
    bool stressOk = true;     // ratio <= 1
    bool ratioLimitOk = true; // n <= L/delta
    bool absoluteOk = true;   // no absolute limit, or delta <= limit
    bool ok() const { return stressOk && ratioLimitOk && absoluteOk; }
};
StressCheck stressCheck(const std::string &modulus, const std::string &RMmax, const std::string &Rfb,
                        const std::string &Rdelta, const std::string &Rlx, const std::string &seigen1,
                        const std::string &seigen2);

// The line the calculation-finished message adds (and `kovel-cli calc` prints as a note)
// when lb > 0 and the section is a registered member or typed in directly: such a section
// always gets the basic fb, though it could buckle laterally. Empty otherwise, and about
// the weak axis, which does not buckle laterally.
std::string lateralBucklingNote(const InputTexts &in);
inline constexpr const char *kLateralBucklingNote = "（登録部材・直接入力の断面では横座屈を考慮していません。）";

// The verdict texts.
inline constexpr const char *kVerdictOk = "OK.";
inline constexpr const char *kVerdictNg = "NG.";
inline constexpr const char *kVerdictNone = "未計算";
// The notice rule's shear verdict when there is no check: not asked for, or no shear area
// (directly typed and registered sections).
inline constexpr const char *kShearOff = "off";
inline constexpr const char *kShearNone = "none";

} // namespace beam
