// Storing the input page's result into a slot, and recalling a slot into the input page.
// Data route: input page controls -> sections::NamedBeam -> SlotRecord (store);
// SlotRecord -> NamedBeam -> input page controls (recall). The texts are kept verbatim,
// as shown.
#pragma once

#include "beam/check.h"
#include "results/table.h"
#include "sections/namedbeam.h"

#include <optional>
#include <string>

namespace results {

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
void writeRecord(SlotRecord &record, const sections::NamedBeam &page, int slotNumber);

// True when storing now would replace slot 50 (all 50 slots in use): ask the user first.
bool storeNeedsQuestion(const Table &table);

// What the store does when all 50 slots are in use.
enum class WhenFull { Refuse, ReplaceLast };

// Why the page cannot be stored as it stands: a text the project file could not hold (a
// line break, a character outside code page 932), named with the slot it would go to,
// its field and the character to type instead. Empty when it can be stored. The window
// asks this before storing, so such a text never enters the table.
std::string storeRefusal(const Table &table, const sections::NamedBeam &page);

// The store operation: writes the page into slot datano + 1 (at most 50), sets the count,
// marks the slot for printing and selects it (pre := selected, selected := slot).
// With all 50 slots in use it replaces slot 50 only when told so (the user said Yes).
// Returns the slot written, or 0 when nothing was stored.
int storeResult(Table &table, const sections::NamedBeam &page, WhenFull whenFull);

// The page texts that recall assigns back from a slot record. The window assigns them in
// the documented order: Bname, weak/term, Span..shiki, jijuucheck, loads, the input page
// active, the shape radio (noFamily for an unknown code: none checked), member..selfw,
// the result labels with hantei, the support radio (noSupport: left as it is), si with the
// unit captions, the moment labels Mcent/Menda/Mendb, Mgrid, then the diagram redraw.
// `supportNow` is the support radio checked on the page before the recall; when field 5
// names no support it is the recalled support and decides the moment labels.
sections::NamedBeam recallRecord(const SlotRecord &record, beam::Support supportNow);

// Recall of the selected slot; nothing when no slot in use is selected.
std::optional<sections::NamedBeam> recallSelected(const Table &table, beam::Support supportNow);

// The verdict the input page shows after a recall: the stored one, unless the support
// condition or the unit system set by the recall differ from what the page had before
// (their change handlers then reset it to "未計算").
std::string verdictAfterRecall(const sections::NamedBeam &recalled, beam::Support supportBefore, bool siBefore);

} // namespace results
