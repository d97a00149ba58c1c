// One beam described by named texts, the names of the input page's fields ("Span",
// "p1", "family", ...), and its check as the input page runs it: the section taken from
// its source, then one check or the automatic size selection. `kovel-cli calc` reads the
// names from name=value lines, `kovel-cli batch` and the schedule import from the
// columns of a CSV file; all of them report the same texts.
//
// Thread-safe: a check reads only its own input and the read-only sources it is given.
#pragma once

#include "beam/analysis.h"
#include "sections/catalogue.h"
#include "sections/computed.h"
#include "sections/members.h"

#include <array>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace sections {

// Everything the input page holds that a check reads, with the start-up texts.
struct NamedBeam {
    beam::InputTexts texts;
    std::string Bname = "B";
    std::string shiki;                   // the uniform-load formula; stored, never read
    std::array<std::string, 3> ld3;      // LD3 of loads a, b, c; stored, never read
    std::string member = "H-100x50x5x7";
    bool memberGiven = false;            // `member` was named (else the family's first item)
    DimensionTexts dims{"100", "50", "5", "7"};
    bool design = false;                 // automatic size selection
    beam::Basis basis;                   // fbrule, grade/F, C, shear
    bool gradeGiven = false, FGiven = false; // `grade` or `F` was named: never both
};

// True for a name the input reads.
bool isInputName(const std::string &name);

// True when the value of `name` is a number: every input name but the texts, the
// choices and the flags, and C unless the value is "auto". The lengths LD3 hold a number
// the check does not read.
bool holdsNumber(const std::string &name, const std::string &value);

// Sets the field `name` to `value`; a number typed full-width is kept in its ASCII form.
// Returns an empty string, or the Japanese reason the name or value is refused (the beam
// is then unchanged).
std::string setNamedValue(NamedBeam &named, const std::string &name, const std::string &value);

// The warning for a number field whose value has text after its number ("1,500" read as
// 1, "6m"): names the field and the value read. Empty for any other name or value.
std::string numberWarning(const std::string &name, const std::string &value);

// Reads name=value lines (UTF-8, CR LF or LF, an optional byte-order mark; blank lines
// and lines starting with # are skipped). Returns an empty string, or the Japanese
// message naming the first faulty line ("3行目「...」: ..."). `warnings` (optional)
// receives the number warnings, each starting with its line ("3行目: ...").
std::string readNamedLines(const std::string &data, NamedBeam &named, std::vector<std::string> *warnings = nullptr);

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
    // The section as checked: the family (HN after a selection switched to it), the
    // member name and the section fields of the input page after the check.
    beam::Family family = beam::Family::HN;
    std::string member;
    beam::InputTexts texts;
};

// Runs the check of `beam`: nothing without a finite positive span, then the section
// from its source and one check, or with `design` the automatic selection.
NamedCheck checkNamedBeam(const NamedBeam &named, const SectionSources &sources = {});

// The reported texts of a computed check, in the order `kovel-cli calc` prints them:
// RQa .. hantei, under the notice rule fb1 fb2 ib C tau fs Rshear, then member, inertia,
// modulus, selfw, then M0..M100.
std::vector<std::pair<std::string, std::string>> resultFields(const NamedCheck &check);

} // namespace sections
