#include "sheets/page.h"

#include "beam/numtext.h"
#include "results/slotfields.h"
#include "sheets/block.h"

#include <algorithm>

namespace sheets {

namespace field = results::field;

namespace {

// Decimal text of a wide integer (page numbers may be typed far beyond long long's sum).
std::string decimal(__int128 v)
{
    const bool negative = v < 0;
    std::string digits;
    do {
        const int d = static_cast<int>(v % 10);
        digits.insert(digits.begin(), static_cast<char>('0' + (d < 0 ? -d : d)));
        v /= 10;
    } while (v != 0);
    return negative ? "-" + digits : digits;
}

// The slot of marked-list entry i (1-based), or 0 when there is none.
int entry(const std::vector<int> &marked, long long i)
{
    if (i < 1 || i > static_cast<long long>(marked.size()))
        return 0;
    return marked[static_cast<std::size_t>(i - 1)];
}

} // namespace

std::vector<int> markedSlots(const results::Table &table)
{
    std::vector<int> marked;
    const int count = std::clamp(table.datano, 0, results::kSlots);
    for (int k = 1; k <= count; ++k)
        if (table.selectgrid[k] == "1")
            marked.push_back(k);
    return marked;
}

std::vector<const results::SlotRecord *> markedRecords(const results::Table &table)
{
    std::vector<const results::SlotRecord *> records;
    for (int slot : markedSlots(table))
        records.push_back(&table.slots[static_cast<std::size_t>(slot)]);
    return records;
}

std::optional<std::string> pageNumberText(long long g, const std::string &firstpage, PagePosition position)
{
    const std::optional<long long> first = beam::parseInteger(firstpage);
    if (!first)
        return std::nullopt;
    const std::string n = decimal(static_cast<__int128>(g) + *first - 1);
    return position == PagePosition::Center ? "- " + n + " -" : n;
}

std::string notIntegerMessage(const std::string &text) { return "'" + text + "' は整数ではありません"; }

SheetOutcome composePage(beam::Canvas &canvas, const results::Table &table, const PageSettings &settings)
{
    const Geometry g = previewGeometry();
    const std::vector<int> marked = markedSlots(table);

    long long page = 1;
    std::optional<long long> typed;
    if (!settings.hyoujipage.empty())
        typed = beam::parseInteger(settings.hyoujipage);

    canvas.clear();
    canvas.setFontSize(g.fontSize);
    canvas.setTextColor(beam::kBlack);
    if (!settings.hyoujipage.empty()) {
        if (!typed)
            return {notIntegerMessage(settings.hyoujipage)};
        page = *typed;
    }

    if (settings.pagechk) {
        const std::optional<std::string> number = pageNumberText(page, settings.firstpage, settings.position);
        if (!number)
            return {notIntegerMessage(settings.firstpage)};
        if (settings.position != PagePosition::None) {
            const Point at = g.pageNumber[static_cast<std::size_t>(settings.position) - 1];
            canvas.text(at.x, at.y, *number);
        }
    }

    // Pages beyond 25 hold no entries; keeping page small also keeps 2 * page exact.
    const long long safePage = std::clamp(page, -1LL, 1000LL);
    const int slots[2] = {entry(marked, 2 * safePage - 1), entry(marked, 2 * safePage)};
    const int tops[2] = {g.upperTop, g.lowerTop};
    for (int b = 0; b < 2; ++b) {
        const int slot = slots[b];
        if (slot == 0 || table.slots[slot][field::kSpan].empty())
            canvas.text(g.left + g.c(30), tops[b] + g.c(30), kBlankRemainder);
        else
            drawSheetBlock(canvas, table.slots[slot], g, g.left, tops[b]);
    }
    return {};
}

} // namespace sheets
