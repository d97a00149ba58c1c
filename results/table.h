// The result table: 50 slots of 165 text fields, the slot count, the print marks and the
// selection. Field f of slot s is slots[s][f]; index 0 of both is never used.
#pragma once

#include "beam/input.h"
#include "results/titleblock.h"

#include <array>
#include <optional>
#include <iterator>
#include <string>
#include <string_view>

namespace results {

inline constexpr int kSlots = 50;
inline constexpr int kFields = 165;
inline constexpr int kFirstMomentField = 65; // field 65 + i = moment at station i
using beam::kStations; // stations i = 0..100, x = L * i / 100

// After field 165 a record keeps the basis of a result calculated under the notice rule,
// as key texts (all empty for a result of the default rule). The project file writes them
// in its extension block, not among the 165 lines; slot operations carry them with the
// record. Keys are the names kovel-cli calc uses.
inline constexpr const char *kNoticeKeys[] = {"fbrule", "grade", "F",  "C",      "fb1",  "fb2",
                                              "ib",     "tau",   "fs", "Rshear", "shear"};
inline constexpr int kNoticeKeyCount = static_cast<int>(std::size(kNoticeKeys));
inline constexpr int kFirstNoticeField = kFields + 1; // the "fbrule" key; "notice" when in use
inline constexpr int kRecordFields = kFields + kNoticeKeyCount;

using SlotRecord = std::array<std::string, kRecordFields + 1>;

// True when the record holds a result of the notice rule.
bool hasNoticeData(const SlotRecord &record);

// The index of a key of kNoticeKeys in the record; 0 for any other key.
int noticeField(std::string_view key);

// The two string arrays have no brace initializer: their strings start empty anyway, and
// clang 14 (the fuzz build) crashes on `{}` for an array of strings this large in C++20.
struct Table {
    std::array<SlotRecord, kSlots + 1> slots;       // [1..50]
    int datano = 0;                                  // slots in use: 1..datano
    std::array<std::string, kSlots + 1> selectgrid; // print marks: "1" marked
    int selected = 0;                                // 0 = none
    int pre = 0;                                     // previously selected
    // The records changed since the table was last saved, opened or emptied (the print
    // marks and the selection are not saved, so they do not count). Set by the commands
    // that change records; a successful save clears it.
    bool changed = false;
    // The title block of the detailed sheets, kept with the project (the window's dialog
    // sets it; a change counts as a change of the project).
    TitleBlock title;
};

// The slot count kept inside 0..50, whatever the table holds.
int usedCount(const Table &table);

// True for a slot number 1..datano.
bool slotInUse(const Table &table, int slot);

// True when `selected` names a slot in use; the slot operations act only then.
bool selectedInUse(const Table &table);

// True when the print mark of the slot is exactly "1".
bool isMarked(const Table &table, int slot);

// Empties the whole table as a new project does: every field empty, every mark "0",
// count 0, nothing selected.
void resetTable(Table &table);

// The Japanese name of a record field 1..165 and of the basis keys after them, as
// messages name it ("部材名", ...).
std::string fieldName(int field);

// A field of a slot, for messages that must name where a text is.
struct FieldRef {
    int slot = 0;  // 1..50
    int field = 0; // 1..165
};

// "3番のデータの「部材名」" — how messages name a field of a slot.
std::string describeField(const FieldRef &where);

// Why a field text cannot be written as one line of a code page 932 file: it holds a
// line break, or a character that code page 932 cannot hold. Empty when it can.
// Plain ASCII without line breaks is taken as fitting without a conversion.
std::string unwritableReason(const std::string &text);

// A field that cannot be written, with the message that names it and says why.
struct UnwritableField {
    FieldRef where;
    std::string message; // "3番のデータの「部材名」にShift-JIS（コードページ932）で使えない文字「〜」があります。代わりに「～」を..."
};

// The first field (the basis keys included), in slot and field order, of slots fromSlot..toSlot that cannot be
// written; nothing when every field can.
std::optional<UnwritableField> firstUnwritableField(const Table &table, int fromSlot, int toSlot);

} // namespace results
