// The automatic size selection (`design` on): walks the catalogue through one family,
// smallest first, checking each section about its strong axis until one passes.
#pragma once

#include "beam/check.h"
#include "sections/catalogue.h"

#include <optional>
#include <string>
#include <vector>

namespace sections {

struct SelectionOutcome : SectionTexts {
    // The family searched: "HW", "HM", "HN" or "C". Any other family searches "HN" and
    // sets switchedToNarrow (the window then switches the narrow-flange H radio on).
    std::string familyCode;
    beam::Family family = beam::Family::HN;
    bool switchedToNarrow = false;

    int checked = 0; // sections checked; 0 when the catalogue holds none of the family

    // The section the search ends at (the first that passed, else the largest of the
    // family that could be checked), as the section fields show it after the search
    // (the section texts about the strong axis), with its result and the notes of its
    // check. When no section could be checked, the first of them and no result.
    std::string member;
    std::optional<beam::ResultTexts> result;
    std::vector<std::string> notes;

    // The sections whose check refused the input were taken as not passing: how many,
    // and the first of them with the reason ("部材「…」を計算できません。…").
    int refused = 0;
    std::string firstRefusal;

    // Japanese: the catalogue cannot be read (nothing checked), or no section of the
    // family could be checked (the first refusal).
    std::string error;
};

// The lines the calculation-finished message adds (and `kovel-cli calc` prints as a
// note) after a search: sections that could not be checked and were passed over (how
// many, the first with its reason), and when sections were checked and none passed, the
// family and the largest section, which stays chosen with its "NG." result; then the
// notes of the chosen section's check. Empty when there is nothing to say.
std::vector<std::string> selectionNotes(const SelectionOutcome &outcome);

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
