// Storing the input page's result into a slot, and recalling a slot into the input page.
// Data route: input page controls -> PageTexts -> SlotRecord (store); SlotRecord ->
// PageTexts -> input page controls (recall). The texts are kept verbatim, as shown.
#pragma once

#include "beam/check.h"
#include "results/table.h"

#include <array>
#include <optional>
#include <string>

namespace results {

// The input page as the store reads it and the recall writes it back: control texts
// verbatim, check boxes and radio buttons as states, named as on the page.
struct PageTexts {
    std::string Bname;                        // beam name
    bool weak = false;                        // bend about the weak axis
    bool term = false;                        // short-term load
    bool si = true;                           // SI units (else traditional tf)
    bool jijuucheck = true;                   // self weight added to the uniform load
    std::optional<beam::Support> support;     // the checked support radio; none: nullopt
    std::string Span, lb;                     // m
    std::string seigen1;                      // n of L/n
    std::string seigen2;                      // cm
    std::string uniform;                      // kN/m or tf/m
    std::string shiki;                        // uniform-load formula text
    std::array<std::string, 8> p;             // P1..P8, kN or tf
    std::array<std::string, 8> pl;            // their distances from end A, m
    std::array<std::string, 3> w1, w2;        // part-span loads a, b, c: kN/m or tf/m
    std::array<std::string, 3> ld1, ld2, ld3; // m
    std::string familyCode;                   // "HW" .. "user" of the checked shape radio; none: empty
    std::string member;                       // designation
    std::string H, B, tw, tf;                 // mm
    std::string inertia;                      // cm4
    std::string modulus;                      // cm3
    std::string selfw;                        // kg/m
    beam::ResultTexts result;                 // the result labels, verdict and Mgrid
};

// The page as far as the input of a check holds it: the check boxes, the support, the
// lengths, the loads and the section properties, verbatim. The name, the formula, LD3, the
// shape, the member, the dimension boxes and the result are the caller's to fill.
PageTexts inputPageTexts(const beam::InputTexts &in);

// The fixed words of field 5 ("両端ピン", "左端ピン右端固定", "両端固定", "左端自由右端固定").
const char *supportWord(beam::Support support);
// The support named by a field 5 text (exact comparison); nothing for any other text.
std::optional<beam::Support> supportFromWord(const std::string &word);

// The notice-rule texts a record keeps after field 165; nothing for a default-rule result.
std::optional<beam::NoticeTexts> noticeTexts(const SlotRecord &record);

// True unless the record's basis keys contradict its result: the fb that F, fb1 and fb2
// give by the notice rule, min(max(fb1, fb2), F/1.5) in the record's unit and load term,
// is its fb (field 57) to the last digit shown. True for a result of the default rule.
bool noticeAgreesWithFb(const SlotRecord &record);

// Fills fields 1..165 of a record from the page, and the basis keys after them (emptied
// for a result of the default rule): field 1 = slotNumber, fixed words for
// the check boxes and radios, every other text verbatim, the moment line re-formatted
// "###0.####". Fields 5 and 45 keep their old text when no radio of theirs is checked.
void writeRecord(SlotRecord &record, const PageTexts &page, int slotNumber);

// True when storing now would replace slot 50 (all 50 slots in use): ask the user first.
bool storeNeedsQuestion(const Table &table);

// What the store does when all 50 slots are in use.
enum class WhenFull { Refuse, ReplaceLast };

// Why the page cannot be stored as it stands: a text the project file could not hold (a
// line break, a character outside code page 932), named with the slot it would go to,
// its field and the character to type instead. Empty when it can be stored. The window
// asks this before storing, so such a text never enters the table.
std::string storeRefusal(const Table &table, const PageTexts &page);

// The store operation: writes the page into slot datano + 1 (at most 50), sets the count,
// marks the slot for printing and selects it (pre := selected, selected := slot).
// With all 50 slots in use it replaces slot 50 only when told so (the user said Yes).
// Returns the slot written, or 0 when nothing was stored.
int storeResult(Table &table, const PageTexts &page, WhenFull whenFull);

// The page texts that recall assigns back from a slot record. The window assigns them in
// the documented order: Bname, weak/term, Span..shiki, jijuucheck, loads, the input page
// active, the shape radio (familyCode; an unknown code checks none), member..selfw, the
// result labels with hantei, the support radio (nullopt: left as it is), si with the unit
// captions, the moment labels Mcent/Menda/Mendb, Mgrid, then the diagram redraw.
// `supportNow` is the support radio checked on the page before the recall; it decides the
// moment labels when field 5 names no support.
PageTexts recallRecord(const SlotRecord &record, beam::Support supportNow);

// Recall of the selected slot; nothing when no slot in use is selected.
std::optional<PageTexts> recallSelected(const Table &table, beam::Support supportNow);

// The verdict the input page shows after a recall: the stored one, unless the support
// condition or the unit system set by the recall differ from what the page had before
// (their change handlers then reset it to "未計算").
std::string verdictAfterRecall(const PageTexts &recalled, beam::Support supportBefore, bool siBefore);

} // namespace results
