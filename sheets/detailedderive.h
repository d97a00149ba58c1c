// What a detailed sheet re-derives from a stored result: the check run again from the
// slot's input texts and basis (the section's fillet radius and area, which a slot does
// not keep, from the catalogue or the dimensions), the shear and deflection curves, and
// which stored texts the run does not reproduce. The sheet prints the stored values and
// says so in red where they differ.
#pragma once

#include "beam/check.h"
#include "beam/curves.h"
#include "results/table.h"
#include "sections/catalogue.h"

#include <optional>
#include <string>
#include <vector>

namespace sheets {

// Data the re-derivation reads; a null catalogue is read once from shape/buzai.txt, found
// as files/datafiles.h says.
struct DerivationSources {
    const sections::Catalogue *catalogue = nullptr;
};

// One stored result and what was derived from it.
struct DerivedBeam {
    results::SlotRecord slot{};
    int slotNo = 0;
    beam::InputTexts texts;  // as the check read them
    beam::BeamInput in;
    beam::Basis basis;       // the slot's basis (C typed when the stored C is not the automatic one)
    bool si157 = false;      // SI on the 157 MPa basis (found from the stored fb)
    // The check run again; empty when it refused (refusal then says why).
    std::optional<beam::ResultTexts> result;
    std::string refusal;
    bool sectionKnown = false;     // the plates and r, A as the check had them
    beam::Curve shear, deflection; // from the stored loads, also without a result
    // The stored texts the run did not reproduce, by their names ("曲げモーメント M", ...).
    std::vector<std::string> differs;
    bool notice() const { return basis.rule == beam::FbRule::Notice; }
};

// The input texts and the basis a slot's result was calculated with, as far as the slot
// keeps them: the section's fillet radius and area are not kept (see deriveBeam).
beam::InputTexts slotInput(const results::SlotRecord &slot);
beam::Basis slotBasis(const results::SlotRecord &slot);

// Re-derives one slot. The catalogue families take the section of their member from the
// catalogue, as the check did (a catalogue changed since then shows as a difference), the
// computed ones their r and A from their dimensions; a member the catalogue does not hold
// is a refusal.
DerivedBeam deriveBeam(const results::SlotRecord &slot, int slotNo, const sections::Catalogue *catalogue);

// The catalogue as the re-derivation reads it (read once for a whole document); empty
// when it cannot be read (every catalogue section is then refused with this error).
struct CatalogueForSheets {
    std::optional<sections::Catalogue> catalogue;
    std::string error;
};
CatalogueForSheets sheetCatalogue();

} // namespace sheets
