#include "sheets/print.h"

#include "beam/numtext.h"
#include "sheets/block.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace sheets {

namespace {

constexpr int kMaxPrintableWidth = 1000000; // device pixels; far beyond any printer

// The page number above the upper block of entry i (1-based, odd), where it stands;
// nothing when the printout shows none.
struct PageNumber {
    Point at;
    std::string text;
};
std::optional<PageNumber> pageNumberOf(int i, const PageSettings &settings, const Geometry &g)
{
    if (!settings.pagechk || settings.position == PagePosition::None)
        return std::nullopt;
    const auto number = pageNumberText(i / 2 + 1, settings.firstpage, settings.position);
    if (!number)
        return std::nullopt;
    return PageNumber{g.pageNumber[static_cast<std::size_t>(settings.position) - 1], *number};
}

// The printout itself, sheet after sheet on the job, with the geometry of its margin.
void drawPrintout(PrintJob &job, const std::vector<const results::SlotRecord *> &records, const PageSettings &settings, const Geometry &g,
                  PrintOutcome &outcome)
{
    beam::Canvas *canvas = &job.canvas();
    canvas->setFontSize(g.fontSize);
    canvas->setTextColor(beam::kBlack);
    const int k = static_cast<int>(records.size());
    if (k > 0)
        outcome.sheets = 1;
    for (int i = 1; i <= k; ++i) {
        const bool upper = i % 2 == 1;
        if (const std::optional<PageNumber> number = upper ? pageNumberOf(i, settings, g) : std::nullopt)
            canvas->text(number->at.x, number->at.y, number->text);
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
}

// A print job onto one canvas that keeps the right edge of what it is given: every
// line, and every text whole, or only where it starts while `startsOnly` is set.
class MeasuringJob : public PrintJob, public beam::Canvas {
public:
    MeasuringJob(int width, int dpi) : m_width(width), m_dpi(dpi) {}
    int printableWidth() const override { return m_width; }
    int dotsPerInch() const override { return m_dpi; }
    bool begin() override { return true; }
    beam::Canvas &canvas() override { return *this; }
    void newPage() override {}
    void end() override {}

    void moveTo(int x, int) override { m_right = std::max(m_right, x); }
    void lineTo(int x, int) override { m_right = std::max(m_right, x); }
    void text(int x, int, const std::string &utf8) override
    {
        m_right = std::max(m_right, startsOnly ? x : x + textWidthAtMost(utf8, emPixels(m_points, m_dpi)));
    }
    void setFontSize(int points) override { m_points = points; }
    void setTextColor(beam::Rgb) override {}
    void clear() override {}

    int right() const { return m_right; }

private:
    int m_width;
    int m_dpi;
    int m_points = 9;
    int m_right = 0;

public:
    bool startsOnly = false;
};

} // namespace

int emPixels(int points, int dotsPerInch)
{
    const long long p = std::clamp(points, 1, 1000);
    const long long dpi = std::clamp(dotsPerInch, 1, 100000);
    return static_cast<int>(std::max(1LL, (p * dpi + 36) / 72));
}

int textWidthAtMost(const std::string &utf8, int em)
{
    long long halves = 0;
    for (std::size_t i = 0; i < utf8.size();) {
        const unsigned char lead = static_cast<unsigned char>(utf8[i]);
        const std::size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
        // U+FF61..U+FF9F, the half-width kana: EF BD A1..EF BE 9F
        bool half = lead < 0x80;
        if (lead == 0xEF && i + 2 < utf8.size()) {
            const unsigned second = static_cast<unsigned char>(utf8[i + 1]);
            const unsigned third = static_cast<unsigned char>(utf8[i + 2]);
            half = (second == 0xBD && third >= 0xA1) || (second == 0xBE && third <= 0x9F);
        }
        halves += half ? 1 : 2;
        i += length;
    }
    return static_cast<int>(std::min<long long>(halves * em / 2, kMaxPrintableWidth));
}

int largestMargin(const results::Table &table, const PageSettings &settings, int printableWidth, int dotsPerInch)
{
    const std::vector<const results::SlotRecord *> records = markedRecords(table);
    return largestMargin(records, settings, printableWidth, dotsPerInch);
}

int largestMargin(const std::vector<const results::SlotRecord *> &records, const PageSettings &settings,
                  int printableWidth, int dotsPerInch)
{
    // The margin concerns the layout: the figures with their values and the page numbers
    // must stand whole on the paper, the text lines start on it. What a line holds (a long
    // beam or member name) runs on to the paper's edge and is cut there.
    MeasuringJob job(printableWidth, dotsPerInch);
    const Geometry atZero = printerGeometry(printableWidth, 0);
    PrintOutcome ignored;
    job.startsOnly = true;
    drawPrintout(job, records, settings, atZero, ignored);
    job.startsOnly = false;
    for (std::size_t i = 0; i < records.size(); ++i) {
        job.setFontSize(atZero.fontSize);
        if (const std::optional<PageNumber> number = i % 2 == 0 ? pageNumberOf(static_cast<int>(i) + 1, settings, atZero)
                                                                : std::nullopt)
            job.text(number->at.x, number->at.y, number->text);
        drawSheetFigures(job, *records[i], atZero, atZero.left, 0);
    }
    // every item stands at the margin plus its own offset, so the margin moves the right
    // edge by exactly the margin's width
    int margin = 0;
    while (margin < kMaxMargin && printerGeometry(printableWidth, margin + 1).left + job.right() <= printableWidth)
        ++margin;
    return margin;
}

std::string marginFitRefusal(int margin, int largest)
{
    if (margin <= largest)
        return {};
    return "左マージンが大きすぎて計算書が用紙からはみ出します。この印刷では左マージンは0から" + std::to_string(largest) +
           "までの整数を入力して下さい。";
}

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
    const std::vector<const results::SlotRecord *> records = markedRecords(table);
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
    outcome.error = marginFitRefusal(margin.margin, largestMargin(records, settings, width, job.dotsPerInch()));
    if (!outcome.error.empty()) {
        outcome.marginTooLarge = true;
        return outcome;
    }
    if (!job.begin()) {
        outcome.error = "印刷を開始できませんでした。";
        return outcome;
    }
    drawPrintout(job, records, settings, printerGeometry(width, margin.margin), outcome);
    job.end();
    return outcome;
}

} // namespace sheets
