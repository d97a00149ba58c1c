// One beam as the input page holds it, and its check as the input page runs it: the
// section taken from its source, then one check or the automatic size selection. Its
// fields are named in sections/fields.h; `kovel-cli calc` reads the names from name=value
// lines (sections/namedlines.h), `kovel-cli batch` and the schedule import from the
// columns of a CSV file; all of them report the same texts.
//
// Thread-safe: a check reads only its own input and the read-only sources it is given.
#pragma once

#include "beam/check.h"
#include "sections/catalogue.h"
#include "sections/computed.h"
#include "sections/members.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace sections {

// One beam as the input page holds it, with the start-up texts: what a check reads, the
// name, the formula, LD3, the section as named and the result shown. The window reads it
// from its controls and recalls a slot into them, the store writes it into a slot,
// `kovel-cli calc` and a schedule row set it by the names of sections/fields.h.
struct NamedBeam {
    beam::InputTexts texts;
    // No support radio or no shape radio checked on the page; from a recall, a slot word
    // that names none (the radios then stay as they are). The store keeps the slot's own
    // word, and `texts` holds what a check reads instead.
    bool noSupport = false, noFamily = false;
    std::string Bname = "B";
    std::string shiki;                   // the uniform-load formula; stored, never read
    std::array<std::string, 3> ld3;      // LD3 of loads a, b, c; stored, never read
    std::string member = "H-100x50x5x7";
    bool memberGiven = false;            // `member` was named (else the family's first item)
    DimensionTexts dims{"100", "50", "5", "7"};
    bool design = false;                 // automatic size selection
    beam::Basis basis;                   // fbrule, grade/F, C, shear
    bool gradeGiven = false, FGiven = false; // `grade` or `F` was named: never both
    beam::ResultTexts result;            // the result labels, verdict and Mgrid shown
};

// Data a run of many checks reads once. A null source is read from its file for each
// check (shape/buzai.txt, shape/ubuzai.txt, looked up as files/datafiles.h says), as a
// single check does.
struct SectionSources {
    const Catalogue *catalogue = nullptr;
    const MemberLoad *members = nullptr;
};

// The outcome of one check.
struct NamedCheck {
    // Japanese notes said beside the result (the selection's switch to HN, ...).
    std::vector<std::string> notes;
    // The line the window adds to its calculation-finished message: the notes of the
    // check (beam::CheckOutcome::notes) or of the selection (selectionNotes), one after
    // the other.
    std::string resultNote;
    // Japanese: why the beam was not computed; empty when `result` holds the result.
    std::string error;
    std::optional<beam::ResultTexts> result;
    // The beam as checked: the family (HN after a selection switched to it), the member
    // name and the section fields of the input page after the check; its own `result`
    // is the one it was given.
    NamedBeam beam;
};

// Runs the check of `beam`: nothing without a finite positive span, then the section
// from its source and one check, or with `design` the automatic selection.
NamedCheck checkNamedBeam(const NamedBeam &named, const SectionSources &sources = {});

} // namespace sections
