// The automatic size selection (`design` on): walks the catalogue through one family,
// smallest first, checking each section about its strong axis until one passes.
#pragma once

#include "beam/analysis.h"
#include "sections/catalogue.h"

#include <optional>
#include <string>

namespace sections {

struct SelectionOutcome {
    // The family searched: "HW", "HM", "HN" or "C". Any other family searches "HN" and
    // sets switchedToNarrow (the window then switches the narrow-flange H radio on).
    std::string familyCode;
    beam::Family family = beam::Family::HN;
    bool switchedToNarrow = false;

    int checked = 0; // sections checked; 0 when the catalogue holds none of the family

    // The last checked section (the first that passed, else the largest of the family),
    // as the section fields show it after the search, and its result.
    std::string member;
    std::string inertia, modulus, selfw; // cm4, cm3, kg/m (strong axis)
    std::string H1, B1, tf1;             // mm
    std::string tw1, r1, A1;             // mm, mm, cm2 (read by the notice rule)
    std::optional<beam::ResultTexts> result;

    // Japanese: the catalogue cannot be read (nothing checked), or a check refused the
    // input (the search stops at that section; `member` names it).
    std::string error;
};

// The line the calculation-finished message adds (and `kovel-cli calc` prints as a note)
// when sections were checked and none passed: names the family and the largest section,
// which stays chosen with its "NG." result. Empty otherwise.
std::string noPassingSectionNote(const SelectionOutcome &outcome);

// The family code the selection searches for a section choice.
std::string selectionFamilyCode(beam::Family family);

// Reads the catalogue once and runs the search. `in` supplies the loads, span, limits
// and unit choices; its section fields and `weak` are replaced section by section. Each
// section is checked on `basis`, so the notice rule can pick a lighter section.
SelectionOutcome selectSize(const beam::InputTexts &in, const std::string &cataloguePath,
                            const beam::Basis &basis = beam::Basis());

// The same search over a catalogue already read.
SelectionOutcome selectSize(const beam::InputTexts &in, const Catalogue &catalogue,
                            const beam::Basis &basis = beam::Basis());

} // namespace sections
