#include "sheets/print.h"

#include "beam/numtext.h"
#include "sheets/block.h"

#include <vector>

namespace sheets {

namespace {

constexpr int kMaxPrintableWidth = 1000000; // device pixels; far beyond any printer

} // namespace

MarginCheck checkMargin(const std::string &hidari)
{
    MarginCheck check;
    check.text = hidari;
    if (beam::parseNumber(hidari) == 0.0L) {
        check.text = "0";
        return check;
    }
    const std::optional<long long> m = beam::parseInteger(hidari);
    if (!m) {
        check.error = notIntegerMessage(hidari);
        return check;
    }
    if (*m < 0 || *m > kMaxMargin) {
        check.error = "左マージンは0から" + std::to_string(kMaxMargin) + "までの整数を入力して下さい。";
        return check;
    }
    check.margin = static_cast<int>(*m);
    return check;
}

PrintOutcome printSheets(PrintJob &job, const results::Table &table, const PageSettings &settings)
{
    std::vector<const results::SlotRecord *> records;
    for (int slot : markedSlots(table))
        records.push_back(&table.slots[static_cast<std::size_t>(slot)]);
    return printSheets(job, records, settings);
}

PrintOutcome printSheets(PrintJob &job, const std::vector<const results::SlotRecord *> &records,
                         const PageSettings &settings)
{
    PrintOutcome outcome;
    const MarginCheck margin = checkMargin(settings.hidari);
    outcome.hidari = margin.text;
    if (!margin.error.empty()) {
        outcome.error = margin.error;
        return outcome;
    }
    if (settings.pagechk && !beam::parseInteger(settings.firstpage)) {
        outcome.error = notIntegerMessage(settings.firstpage);
        return outcome;
    }
    const int width = job.printableWidth();
    if (width < 1 || width > kMaxPrintableWidth) {
        outcome.error = "プリンタの印刷幅を取得できませんでした。";
        return outcome;
    }
    if (!job.begin()) {
        outcome.error = "印刷を開始できませんでした。";
        return outcome;
    }

    const Geometry g = printerGeometry(width, margin.margin);
    beam::Canvas *canvas = &job.canvas();
    canvas->setFontSize(g.fontSize);
    canvas->setTextColor(beam::kBlack);
    const int k = static_cast<int>(records.size());
    if (k > 0)
        outcome.sheets = 1;
    for (int i = 1; i <= k; ++i) {
        const bool upper = i % 2 == 1;
        if (upper && settings.pagechk && settings.position != PagePosition::None) {
            const auto number = pageNumberText(i / 2 + 1, settings.firstpage, settings.position);
            const Point at = g.pageNumber[static_cast<std::size_t>(settings.position) - 1];
            canvas->text(at.x, at.y, *number);
        }
        drawSheetBlock(*canvas, *records[static_cast<std::size_t>(i - 1)], g, g.left,
                       upper ? g.upperTop : g.lowerTop);
        if (!upper && i != k) {
            job.newPage();
            ++outcome.sheets;
            canvas = &job.canvas();
            canvas->setFontSize(g.fontSize);
            canvas->setTextColor(beam::kBlack);
        }
        if (upper && i == k)
            canvas->text(g.left + g.c(30), g.lowerTop, kBlankRemainder);
    }
    job.end();
    return outcome;
}

} // namespace sheets
