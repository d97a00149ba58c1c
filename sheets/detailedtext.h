// The text of a detailed sheet for one beam, as lines under numbered headings: 設計条件,
// 荷重, 断面, 応力, 曲げの検定, せん断の検定, たわみの検定, 判定. Every number that the stored
// result holds is written as stored; the formulas show their values put in.
#pragma once

#include "sheets/detailedderive.h"

#include <string>
#include <vector>

namespace sheets {

struct SheetLine {
    int indent = 0;      // preview pixels from the text column
    std::string text;
    bool heading = false;
    bool red = false;
};

// The warning lines at the top of the sheet: none when the re-derivation gave every
// stored text; else, in red, what differs (or why it could not be re-derived) and that
// the stored values are printed.
std::vector<SheetLine> warningLines(const DerivedBeam &beam);

// The headed sections of the sheet, in order.
std::vector<SheetLine> detailedLines(const DerivedBeam &beam);

// The bending check (section 5): sigma_b = M / Z with its values, fb with its whole
// derivation under the slot's rule, sigma_b / fb and the verdict.
std::vector<SheetLine> bendingLines(const DerivedBeam &beam);

// The allowable shear stress with its derivation: under the notice rule the check's fs;
// under the old rule, for reference only, tau, fs = 1.6/sqrt 3 tf/cm2 converted like fb,
// and tau/fs (the stored verdict does not include it).
std::vector<SheetLine> shearReferenceLines(const DerivedBeam &beam);

// The unit words of a slot's unit system.
struct SheetUnits {
    const char *force, *line, *moment, *stress;
};
SheetUnits sheetUnits(const DerivedBeam &beam);

// The support condition in words, with which end is free for a cantilever.
std::string supportInWords(const results::SlotRecord &slot);

// The shear check's ratio for the verdict line: under the notice rule as stored
// ("τ/fs=0.096 OK."), under the old rule the reference value ("参考 τ/fs=0.103"), "－"
// without one; `brief` for a column of the list ("0.096 OK.", "(参考)0.103").
std::string shearRatioText(const DerivedBeam &beam, bool brief = false);

} // namespace sheets
