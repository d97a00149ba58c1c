// The detailed calculation document: the list of beams (計算書一覧) first, then one beam per
// A4 portrait page, continued onto a further page only when its text and figures do not
// fit. A plan says which beam stands on which page and how many pages there are; each
// page is composed on its own, so the preview can page through and the printer print.
//
// Data route: slot records + title block -> planDetailed (re-derives each beam once) ->
// composeDetailedPage (preview) / printDetailed (paper, PDF).
#pragma once

#include "beam/canvas.h"
#include "results/table.h"
#include "results/titleblock.h"
#include "sheets/detailedderive.h"
#include "sheets/detailedtext.h"
#include "sheets/geometry.h"
#include "sheets/page.h"
#include "sheets/print.h"

#include <string>
#include <vector>

namespace sheets {

// One page of the document.
struct DetailedPage {
    enum class Kind { List, Beam };
    Kind kind = Kind::List;
    int beam = -1;               // index in DetailedPlan::beams (Beam pages)
    int part = 0;                // 0 the beam's first page, 1 its continuation, ...
    int from = 0, to = 0;        // list rows, or the beam's text lines, [from, to)
    bool figures = false;        // the four figures stand on this page
};

struct DetailedPlan {
    results::TitleBlock title;
    std::vector<DerivedBeam> beams;
    std::vector<std::vector<SheetLine>> lines; // per beam: warnings, then the sections
    std::vector<int> firstPage;                // per beam, 1-based page of its sheet
    std::vector<DetailedPage> pages;
    std::string catalogueError;                // the catalogue could not be read
    int pageCount() const { return static_cast<int>(pages.size()); }
};

// The plan of the records in order (slot numbers from their field 1). The catalogue is
// read once unless one is given.
DetailedPlan planDetailed(const std::vector<const results::SlotRecord *> &records, const results::TitleBlock &title,
                          const DerivationSources &sources = {});

// The marked slots of a table with its title block.
DetailedPlan planDetailed(const results::Table &table, const DerivationSources &sources = {});

// Draws page `pageIndex` (0-based) of the plan on a surface of geometry g.
void drawDetailedPage(beam::Canvas &canvas, const DetailedPlan &plan, int pageIndex, const Geometry &g);

// Composes page `pageIndex` (0-based) onto the 630 x 885 preview surface: clears it and
// draws it at 8 points. A page outside the plan is refused with a message (the surface
// then stays cleared).
SheetOutcome composeDetailedPage(beam::Canvas &canvas, const DetailedPlan &plan, int pageIndex);

// Prints every page of the plan, one per sheet of paper, at 9 points. The printable width
// is checked before the job starts.
PrintOutcome printDetailed(PrintJob &job, const DetailedPlan &plan);

// "n / N" of page `pageIndex` (0-based).
std::string pageOfText(const DetailedPlan &plan, int pageIndex);

} // namespace sheets
