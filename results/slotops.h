// The operations on the slots of the result table page: selection, print marks, delete,
// move and rename. Each works on the table only; the window asks its questions first and
// then shows what the table holds (captions = field 2, marks, the selected slot).
#pragma once

#include "results/table.h"

#include <string>

namespace results {

// A click on slot button k (1..50) outside a move: pre := selected, selected := k.
void selectSlot(Table &table, int slot);

// A click on mark image k: "1" becomes "0", anything else "1". Free slots too.
void toggleMark(Table &table, int slot);

// Select all: marks slots 1..datano; marks above the count are left as they are.
void markAll(Table &table);

// Clear all: unmarks all 50 slots.
void unmarkAll(Table &table);

// Delete (after the user said Yes): removes the selected slot, the records below move up
// by one (field 1 is not renumbered), the print marks stay with their slot numbers, the
// last slot is emptied and unmarked, and slot 1 becomes selected.
// Does nothing and returns false when no slot in use is selected.
bool deleteSelected(Table &table);

// What a move of the selected slot to `destination` would do.
enum class MoveKind {
    Nothing,        // no slot in use selected, destination outside 1..50 or the slot itself
    ToEnd,          // destination beyond the slots in use: the record goes to the end
    ReplacesRecord, // destination in use: its record is lost, so ask the user first
};
MoveKind moveKind(const Table &table, int destination);

// The question asked before a move onto the slot in use `destination`.
std::string moveQuestion(const Table &table, int destination);

// Move (after the user said Yes when moveKind is ReplacesRecord): the record goes to the
// destination (n + 1 for a destination beyond the n slots in use), the gap it leaves is
// closed with the marks, and the slot the record landed in becomes selected (one above
// the destination when the destination lay below the record's old place).
// Returns false, changing nothing, when moveKind is Nothing.
bool moveSelected(Table &table, int destination);

// Why the name cannot become the selected slot's name: it holds a text the project file
// could not hold (named with the slot, the field and the character to type instead).
// Empty when it can. The window asks this before renaming.
std::string renameRefusal(const Table &table, const std::string &name);

// Rename: field 2 (the beam name and button caption) of the selected slot := name.
// Does nothing and returns false when no slot in use is selected.
bool renameSelected(Table &table, const std::string &name);

} // namespace results
