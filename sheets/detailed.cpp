#include "sheets/detailed.h"

#include "beam/numtext.h"
#include "sheets/block.h"
#include "sheets/detailedfigures.h"
#include "results/slotfields.h"

#include <algorithm>

namespace sheets {

namespace field = results::field;
using results::stationMoment;
using results::storedNumber;

namespace {

// The page in preview pixels.
constexpr int kLeft = 30, kRight = 600;
constexpr int kTitleTop = 18, kTitleRow = 18;
constexpr int kBodyTop = 84;  // first line under the title block and the beam's heading
constexpr int kBottom = 862;  // no line starts at or below this
constexpr int kPitch = 12;
constexpr int kFiguresGap = 8;

constexpr int kListColumns[] = {kLeft, 52, 122, 222, 258, 308, 348, 418, 520, 566};
constexpr const char *kListHeads[] = {"No.", "名称", "断面", "L (m)", "支持", "σb/fb", "τ/fs", "δ (cm) L/δ", "判定", "頁"};

int linesPerPage() { return (kBottom - kBodyTop) / kPitch; }

void line(beam::Canvas &c, const Geometry &g, int x1, int y1, int x2, int y2)
{
    c.moveTo(g.c(x1), g.c(y1));
    c.lineTo(g.c(x2), g.c(y2));
}

void put(beam::Canvas &c, const Geometry &g, int x, int y, const std::string &text) { c.text(g.c(x), g.c(y), text); }

std::string orDash(const std::string &t) { return t.empty() ? "－" : t; }

// The title block: project and part, designer, checker, date and "n / N", then the
// subject of the page under it.
void drawTitleBlock(beam::Canvas &c, const DetailedPlan &plan, int pageIndex, const Geometry &g,
                    const std::string &subject)
{
    const results::TitleBlock &t = plan.title;
    const int y0 = kTitleTop, y1 = y0 + kTitleRow, y2 = y1 + kTitleRow;
    line(c, g, kLeft, y0, kRight, y0);
    line(c, g, kLeft, y1, kRight, y1);
    line(c, g, kLeft, y2, kRight, y2);
    line(c, g, kLeft, y0, kLeft, y2);
    line(c, g, kRight, y0, kRight, y2);
    line(c, g, 330, y0, 330, y1);
    line(c, g, 180, y1, 180, y2);
    line(c, g, 330, y1, 330, y2);
    line(c, g, 500, y1, 500, y2);
    put(c, g, kLeft + 4, y0 + 3, "工事名：" + t.project);
    put(c, g, 334, y0 + 3, "建物名・部位：" + t.part);
    put(c, g, kLeft + 4, y1 + 3, "設計者：" + t.designer);
    put(c, g, 184, y1 + 3, "照査者：" + t.checker);
    put(c, g, 334, y1 + 3, "日付：" + t.date);
    put(c, g, 510, y1 + 3, pageOfText(plan, pageIndex));
    put(c, g, kLeft, y2 + 8, subject);
}

std::string supportShort(const std::string &word)
{
    if (word == "両端ピン")
        return "単純";
    if (word == "左端ピン右端固定")
        return "一端固定";
    if (word == "両端固定")
        return "両端固定";
    if (word == "左端自由右端固定")
        return "片持ち";
    return word;
}

void drawList(beam::Canvas &c, const DetailedPlan &plan, const DetailedPage &page, int pageIndex, const Geometry &g)
{
    drawTitleBlock(c, plan, pageIndex, g, "計算書一覧（" + std::to_string(plan.beams.size()) + " 件）");
    int y = kBodyTop;
    for (std::size_t k = 0; k < std::size(kListHeads); ++k)
        put(c, g, kListColumns[k], y, kListHeads[k]);
    line(c, g, kLeft, y + kPitch + 1, kRight, y + kPitch + 1);
    y += kPitch + 4;
    for (int r = page.from; r < page.to; ++r, y += kPitch) {
        const DerivedBeam &b = plan.beams[static_cast<std::size_t>(r)];
        const results::SlotRecord &s = b.slot;
        const std::string cells[] = {
            s[1], s[field::kName], s[field::kMember], s[field::kSpan], supportShort(s[field::kSupport]), orDash(s[field::kRatio]),
            shearRatioText(b, true), orDash(s[field::kDelta]) + " (" + orDash(s[field::kLx]) + ")", orDash(s[field::kVerdict]),
            std::to_string(plan.firstPage[static_cast<std::size_t>(r)])};
        if (!b.differs.empty())
            c.setTextColor(beam::kRed);
        for (std::size_t k = 0; k < std::size(cells); ++k)
            put(c, g, kListColumns[k], y, cells[k]);
        c.setTextColor(beam::kBlack);
    }
    bool anyDiffers = false;
    for (const DerivedBeam &b : plan.beams)
        anyDiffers = anyDiffers || !b.differs.empty();
    if (anyDiffers && page.to == static_cast<int>(plan.beams.size())) {
        c.setTextColor(beam::kRed);
        put(c, g, kLeft, y + kPitch, "赤字の行は、再計算した値が格納されている値と違います（各計算書の冒頭を見て下さい）。");
        c.setTextColor(beam::kBlack);
    }
}

void drawBeamPage(beam::Canvas &c, const DetailedPlan &plan, const DetailedPage &page, int pageIndex, const Geometry &g)
{
    const DerivedBeam &b = plan.beams[static_cast<std::size_t>(page.beam)];
    std::string subject =
        "部材：" + b.slot[field::kName] + "（No." + b.slot[field::kNumber] + "）　" + b.slot[field::kMember];
    if (page.part > 0)
        subject += "　（続き）";
    drawTitleBlock(c, plan, pageIndex, g, subject);
    const std::vector<SheetLine> &lines = plan.lines[static_cast<std::size_t>(page.beam)];
    int y = kBodyTop;
    for (int k = page.from; k < page.to; ++k, y += kPitch) {
        const SheetLine &l = lines[static_cast<std::size_t>(k)];
        if (l.red)
            c.setTextColor(beam::kRed);
        put(c, g, kLeft + l.indent, y, l.text);
        if (l.red)
            c.setTextColor(beam::kBlack);
    }
    if (page.figures)
        drawDetailedFigures(c, b, g, kLeft, page.to > page.from ? y + kFiguresGap : kBodyTop);
}

} // namespace

std::string pageOfText(const DetailedPlan &plan, int pageIndex)
{
    return std::to_string(pageIndex + 1) + " / " + std::to_string(plan.pageCount());
}

DetailedPlan planDetailed(const std::vector<const results::SlotRecord *> &records, const results::TitleBlock &title,
                          const DerivationSources &sources)
{
    DetailedPlan plan;
    plan.title = title;
    CatalogueForSheets read;
    const sections::Catalogue *catalogue = sources.catalogue;
    if (!catalogue) {
        read = sheetCatalogue();
        catalogue = read.catalogue ? &*read.catalogue : nullptr;
        plan.catalogueError = read.error;
    }
    for (const results::SlotRecord *record : records) {
        const int slotNo = static_cast<int>(beam::parseInteger((*record)[1]).value_or(0));
        plan.beams.push_back(deriveBeam(*record, slotNo, catalogue));
        std::vector<SheetLine> lines = warningLines(plan.beams.back());
        std::vector<SheetLine> body = detailedLines(plan.beams.back());
        lines.insert(lines.end(), body.begin(), body.end());
        plan.lines.push_back(std::move(lines));
    }

    // the list: one row a beam under its head row and the closing note
    const int rows = std::max(1, linesPerPage() - 3);
    const int beams = static_cast<int>(plan.beams.size());
    for (int from = 0; from < beams || from == 0; from += rows) {
        DetailedPage p;
        p.from = from;
        p.to = std::min(beams, from + rows);
        plan.pages.push_back(p);
        if (beams == 0)
            break;
    }
    // each beam: its lines as far as they go, then the figures where they fit
    for (int i = 0; i < beams; ++i) {
        plan.firstPage.push_back(plan.pageCount() + 1);
        const int count = static_cast<int>(plan.lines[static_cast<std::size_t>(i)].size());
        const int figures = detailedFiguresHeight(plan.beams[static_cast<std::size_t>(i)]);
        int from = 0;
        for (int part = 0;; ++part) {
            DetailedPage p;
            p.kind = DetailedPage::Kind::Beam;
            p.beam = i;
            p.part = part;
            p.from = from;
            p.to = std::min(count, from + linesPerPage());
            const int used = kBodyTop + (p.to - p.from) * kPitch + kFiguresGap;
            p.figures = p.to == count && (used + figures <= kBottom + kPitch || p.to == p.from);
            plan.pages.push_back(p);
            from = p.to;
            if (p.figures)
                break;
        }
    }
    return plan;
}

DetailedPlan planDetailed(const results::Table &table, const DerivationSources &sources)
{
    const std::vector<const results::SlotRecord *> records = markedRecords(table);
    return planDetailed(records, table.title, sources);
}

void drawDetailedPage(beam::Canvas &canvas, const DetailedPlan &plan, int pageIndex, const Geometry &g)
{
    canvas.setFontSize(g.fontSize);
    canvas.setTextColor(beam::kBlack);
    const DetailedPage &page = plan.pages[static_cast<std::size_t>(pageIndex)];
    if (page.kind == DetailedPage::Kind::List)
        drawList(canvas, plan, page, pageIndex, g);
    else
        drawBeamPage(canvas, plan, page, pageIndex, g);
}

SheetOutcome composeDetailedPage(beam::Canvas &canvas, const DetailedPlan &plan, int pageIndex)
{
    canvas.clear();
    if (pageIndex < 0 || pageIndex >= plan.pageCount())
        return {"詳細計算書の " + std::to_string(pageIndex + 1) + " 頁はありません（全 " + std::to_string(plan.pageCount()) +
                " 頁）。"};
    drawDetailedPage(canvas, plan, pageIndex, previewGeometry());
    return {};
}

PrintOutcome printDetailed(PrintJob &job, const DetailedPlan &plan)
{
    PrintOutcome outcome;
    const int width = job.printableWidth();
    if (width < 1 || width > 1000000) {
        outcome.error = "プリンタの印刷幅を取得できませんでした。";
        return outcome;
    }
    if (!job.begin()) {
        outcome.error = "印刷を開始できませんでした。";
        return outcome;
    }
    const Geometry g = printerGeometry(width, 0);
    for (int i = 0; i < plan.pageCount(); ++i) {
        if (i > 0)
            job.newPage();
        drawDetailedPage(job.canvas(), plan, i, g);
        ++outcome.sheets;
    }
    job.end();
    return outcome;
}

} // namespace sheets
