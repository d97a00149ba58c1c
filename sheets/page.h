// The preview page of calculation sheets: the marked slots two to a page, the page number
// and the blank-remainder mark, composed onto a 630 x 885 pixel surface.
#pragma once

#include "beam/canvas.h"
#include "results/table.h"
#include "sheets/geometry.h"

#include <optional>
#include <string>
#include <vector>

namespace sheets {

// The page settings of the print-preview page, as the controls hold them.
struct PageSettings {
    std::string hyoujipage = "1";                 // displayed page number (empty reads as 1)
    bool pagechk = true;                          // draw page numbers
    std::string firstpage = "1";                  // number of the first page
    PagePosition position = PagePosition::LeftUp; // `leftup`, `center`, `leftlower` or none
    std::string hidari = "30";                    // left margin of the printout, 13 print units a step
};

// What a composition or a printout reports: an empty error means it went through.
struct SheetOutcome {
    std::string error; // Japanese message for the user, empty on success
};

// The blank-remainder mark of a block without a sheet.
inline constexpr const char *kBlankRemainder = "(以下余白)";

// The slot numbers marked for printing ("1" in selectgrid), slot 1..datano, ascending.
std::vector<int> markedSlots(const results::Table &table);
// Their records, in the same order (pointers into the table).
std::vector<const results::SlotRecord *> markedRecords(const results::Table &table);

// The page number text for page g: g + firstpage - 1 in decimal, framed "- n -" for the
// centre position. Empty optional when firstpage is not an integer.
std::optional<std::string> pageNumberText(long long g, const std::string &firstpage, PagePosition position);

// The refusal of a text that must be an integer: "'text' は整数ではありません".
std::string notIntegerMessage(const std::string &text);

// Composes the displayed page onto the preview surface: clears it, sets the 8-point font,
// draws the page number and the two sheet blocks (or the blank-remainder mark). A page
// number that is due with a firstpage that is not an integer stops after the clear and
// returns the message; so does a hyoujipage that is neither empty nor an integer.
SheetOutcome composePage(beam::Canvas &canvas, const results::Table &table, const PageSettings &settings);

} // namespace sheets
