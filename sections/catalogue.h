// The section catalogue "shape/buzai.txt": records of 13 lines (family code, name, H, B,
// t1, tf, self weight, Ix, Iy, Zx, Zy, A, r1) ended by an "END" record, code page 932.
// The lookup copies the texts of the record whose name matches the member name into the
// section fields, exactly as they stand in the file.
#pragma once

#include "beam/input.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sections {

// The catalogue's name relative to the working directory.
inline constexpr const char *kCatalogueFile = "shape/buzai.txt";

inline constexpr int kRecordLines = 13;

// One record; index 0 is line 1 (the family code), index 1 line 2 (the name), ...
using CatalogueRecord = std::array<std::string, kRecordLines>;

// Line indexes of the values the program reads.
inline constexpr int kLineCode = 0;
inline constexpr int kLineName = 1;
inline constexpr int kLineH = 2;       // mm
inline constexpr int kLineB = 3;       // mm
inline constexpr int kLineTw = 4;      // mm, web (notice rule only)
inline constexpr int kLineTf = 5;      // mm
inline constexpr int kLineWeight = 6;  // kg/m
inline constexpr int kLineIx = 7;      // cm4, strong axis
inline constexpr int kLineIy = 8;      // cm4, weak axis
inline constexpr int kLineZx = 9;      // cm3, strong axis
inline constexpr int kLineZy = 10;     // cm3, weak axis
inline constexpr int kLineArea = 11;   // cm2 (notice rule only)
inline constexpr int kLineRadius = 12; // mm, root radius (notice rule only)

inline constexpr const char *kTerminatorCode = "END";

struct Catalogue {
    // The records before the terminator, in file order. A record cut short by the end
    // of the file is filled up with empty lines.
    std::vector<CatalogueRecord> records;
    // The "END" record as it stands (a lone "END" at the end of the file gives 12 empty
    // lines); a file without one ends at its end, with a terminator of empty lines.
    CatalogueRecord terminator{};
    bool hasTerminator = false;
};

struct CatalogueRead {
    std::optional<Catalogue> catalogue;
    std::string error; // Japanese, names the file, when the catalogue is empty
};

// Reads the whole catalogue (CR LF or LF line ends), a regular file of at most
// files::kLargestDataFile bytes.
CatalogueRead readCatalogue(const std::string &path);

// The record the lookup stops at: the first whose name equals `member` exactly (case
// and all), else the terminator.
const CatalogueRecord &findRecord(const Catalogue &catalogue, const std::string &member);

// The texts the lookup copies into the section fields.
struct SectionTexts {
    std::string selfw;   // kg/m, line 7
    std::string inertia; // cm4, line 8 (line 9 about the weak axis)
    std::string modulus; // cm3, line 10 (line 11 about the weak axis)
    std::string H1;      // mm, line 3
    std::string B1;      // mm, line 4
    std::string tf1;     // mm, line 6
    std::string tw1;     // mm, line 5; the notice rule reads these three
    std::string r1;      // mm, line 13
    std::string A1;      // cm2, line 12
};

// Copies the section texts into the texts a check reads.
void applySection(beam::InputTexts &in, const SectionTexts &t);
SectionTexts sectionTexts(const CatalogueRecord &record, bool weak);

// The catalogue lookup (`memberChange`): reads the file afresh and returns the texts of
// the record the scan stops at. `found` is false when it stopped at the terminator.
struct LookupOutcome {
    std::optional<SectionTexts> texts;
    bool found = false;
    std::string error; // Japanese, names the file, when it cannot be read
};
LookupOutcome lookupMember(const std::string &path, const std::string &member, bool weak);

// The designations offered by the drop-down list of a catalogue family (HW, HM, HN, C,
// L, I), in list order; the channel list ends with an empty item. Empty for the other
// families.
const std::vector<std::string> &familyDesignations(beam::Family family);

// Whether a family's sections come from the catalogue (HW, HM, HN, C, L, I).
bool isCatalogueFamily(beam::Family f);

} // namespace sections
