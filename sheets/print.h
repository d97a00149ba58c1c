// Printing the calculation sheets of all marked slots, two to a sheet of paper, through an
// abstract print job. Every setting is checked before the job starts, so a refusal never
// leaves a job open or a partial printout behind.
#pragma once

#include "beam/canvas.h"
#include "results/table.h"
#include "sheets/page.h"

#include <string>
#include <vector>

namespace sheets {

// A print job on one printer: the window wraps a printer, tests record it.
class PrintJob {
public:
    virtual ~PrintJob() = default;
    // Printable width of the page in device pixels; asked before begin().
    virtual int printableWidth() const = 0;
    // Device pixels per inch, which sets the size of the text in pixels.
    virtual int dotsPerInch() const = 0;
    // Starts the job on the first sheet of paper; false when the printer cannot start it.
    virtual bool begin() = 0;
    // The drawing surface of the current sheet of paper, between begin() and end().
    virtual beam::Canvas &canvas() = 0;
    // Moves on to a fresh sheet of paper.
    virtual void newPage() = 0;
    // Ends the job and sends it to the printer.
    virtual void end() = 0;
};

// What the printout reports.
struct PrintOutcome {
    std::string error;  // Japanese message for the user, empty when the job ran
    std::string hidari; // the margin text to show afterwards ("0" replaces one that reads as 0)
    int sheets = 0;     // sheets of paper printed
    bool marginTooLarge = false; // refused because the printout would leave the paper
};

// Largest left margin at all: 13 print units a step, and the block must start on the paper.
// The margin a printout accepts is smaller: see largestMargin.
inline constexpr int kMaxMargin = 221;

// Height of the em of a font of that many points at that resolution, in whole pixels.
int emPixels(int points, int dotsPerInch);

// Width of a text in the sheets' fixed-width face at most, in pixels: half an em for each
// half-width character (ASCII, half-width kana), a whole em for any other.
int textWidthAtMost(const std::string &utf8, int emPixels);

// The largest left margin that keeps the layout of the printout of these slots on the
// printable width: the figures with their texts and the page numbers whole, and the start
// of every text line (a line too long for its place, such as a long beam name, is cut at
// the paper's edge and never limits the margin). Found by drawing the printout at margin
// 0 and measuring its right edge. At least 0, at most kMaxMargin.
int largestMargin(const results::Table &table, const PageSettings &settings, int printableWidth, int dotsPerInch);
int largestMargin(const std::vector<const results::SlotRecord *> &records, const PageSettings &settings,
                  int printableWidth, int dotsPerInch);

// The refusal of a margin beyond `largest` (largestMargin of the page being printed),
// with the allowed range; empty when the margin fits.
std::string marginFitRefusal(int margin, int largest);

// The margin text as printing uses it: text that reads as 0 becomes "0"; otherwise it
// must be an integer 0..kMaxMargin. Returns the margin, or the message that refuses it.
struct MarginCheck {
    int margin = 0;
    std::string text;  // the text to show ("0" for one that read as 0)
    std::string error; // empty when the margin can be used
};
MarginCheck checkMargin(const std::string &hidari);

// Prints the marked slots: validates margin, firstpage and printable width (a margin
// beyond largestMargin is refused with the allowed range), then begins
// the job, draws slot after slot at 9 points (odd entries in the upper block with the
// page number, even ones in the lower block), marks a lone last upper block with
// "(以下余白)" and ends the job. hyoujipage is not used.
PrintOutcome printSheets(PrintJob &job, const results::Table &table, const PageSettings &settings);

// The same for any number of slot records, in order (a schedule checked at once).
PrintOutcome printSheets(PrintJob &job, const std::vector<const results::SlotRecord *> &records,
                         const PageSettings &settings);

} // namespace sheets
