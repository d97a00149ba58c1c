// Printing: the printer's geometry, the sheets of paper, and the refusals that must come
// before the print job starts.
#include "sheets/print.h"
#include "sheets/recordingcanvas.h"
#include "sheetslots.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

namespace {

using sheettest::namedSlots;
using sheettest::tableOf;
using testing::Contains;
using testing::ElementsAre;
using testing::Not;

// A printable width of 4800 device pixels: s = 4800 / 2880 = 5/3.
constexpr int kWidth = 4800;
constexpr int kLeft = 650;   // Trunc(30 * 13 * 5/3)
constexpr int kUpper = 300;  // Trunc(180 * 5/3)
constexpr int kLower = 3333; // Trunc(2000 * 5/3)
constexpr int kPitch = 80;   // Trunc(48 * 5/3)

std::string text(int x, int y, const std::string &t)
{
    return "text " + std::to_string(x) + "," + std::to_string(y) + " " + t;
}

std::string line(int x1, int y1, int x2, int y2)
{
    return "line " + std::to_string(x1) + "," + std::to_string(y1) + "-" + std::to_string(x2) + "," + std::to_string(y2);
}

struct Printed {
    sheets::RecordingPrintJob job;
    sheets::PrintOutcome outcome;
};

Printed print(const results::Table &table, sheets::PageSettings settings = {}, int width = kWidth)
{
    Printed p{sheets::RecordingPrintJob(width), {}};
    p.outcome = sheets::printSheets(p.job, table, settings);
    return p;
}

TEST(PrinterGeometry, PrintUnitsOfA4800PixelWidth)
{
    const sheets::Geometry g = sheets::printerGeometry(kWidth, 30);
    EXPECT_DOUBLE_EQ(g.post, 4800.0 / 2880.0);
    EXPECT_EQ(g.fontSize, 9);
    EXPECT_EQ(g.linePitch, 80);
    EXPECT_EQ(g.upperTop, 300);
    EXPECT_EQ(g.lowerTop, 3333);
    EXPECT_EQ(g.left, 650);
    struct Row { int preview; int device; };
    // Trunc(4 c s): text offsets 5, 15, 105, 130, 150, 190 and figure constants
    const Row rows[] = {{0, 0},     {5, 33},      {15, 100},   {105, 700},   {130, 866}, {150, 1000},
                        {190, 1266}, {320, 2133}, {210, 1400}, {300, 2000}, {-17, -113}, {-4, -26}};
    for (const Row &row : rows) {
        SCOPED_TRACE(row.preview);
        EXPECT_EQ(g.c(row.preview), row.device);
    }
    EXPECT_EQ(g.dimensionText, 80);  // Trunc(48 s), not Trunc(44 s)
    EXPECT_EQ(g.partSpanStart, 266); // Trunc(160 s)
    EXPECT_EQ(g.w2Offset, 93);       // Trunc(56 s)
    EXPECT_EQ(g.pageNumber[0], (sheets::Point{3833 + kLeft, 100}));
    EXPECT_EQ(g.pageNumber[1], (sheets::Point{1833 + kLeft, 6250}));
    EXPECT_EQ(g.pageNumber[2], (sheets::Point{3833 + kLeft, 6250}));
}

TEST(PrinterGeometry, PreviewIsTheLayoutItself)
{
    const sheets::Geometry g = sheets::previewGeometry();
    for (int v : {-17, 0, 15, 150, 320})
        EXPECT_EQ(g.c(v), v);
    EXPECT_EQ(g.along(3, 6), 75);
    EXPECT_EQ(g.along(-3, 6), -75);
    EXPECT_EQ(g.station(1), 1); // Trunc(1.5)
    EXPECT_EQ(g.moment(-8.4, 8.4), -24);
}

TEST(PrinterGeometry, ConstantsAreExactWhereTheRatioIsWhole)
{
    // 2880 * 7 / 3 pixels: s = 7/3, so Trunc(48 s) = 112 and Trunc(180 s) = 420 exactly
    const sheets::Geometry g = sheets::printerGeometry(6720, 0);
    EXPECT_EQ(g.linePitch, 112);
    EXPECT_EQ(g.upperTop, 420);
    EXPECT_EQ(g.left, 0);
}

TEST(Printing, ThreeSlotsGiveTwoSheetsWithTheMark)
{
    const Printed p = print(tableOf(namedSlots(3), {1, 2, 3}));
    EXPECT_EQ(p.outcome.error, "");
    EXPECT_EQ(p.outcome.sheets, 2);
    EXPECT_THAT(p.job.log, ElementsAre("begin", "newPage", "end"));
    ASSERT_EQ(p.job.pages.size(), 2u);
    const auto &sheet1 = p.job.pages[0];
    const auto &sheet2 = p.job.pages[1];
    EXPECT_THAT(std::vector<std::string>(sheet1.calls.begin(), sheet1.calls.begin() + 2), ElementsAre("font 9", "colour 0,0,0"));
    EXPECT_EQ(sheet1.calls[2], text(4483, 100, "1"));
    EXPECT_EQ(sheet1.calls[3], text(kLeft, kUpper, "S1の設計"));
    EXPECT_THAT(sheet1.calls, Contains(text(kLeft, kLower, "S2の設計")));
    EXPECT_THAT(sheet1.callsStartingWith("text 850,"), ElementsAre());
    EXPECT_EQ(sheet2.calls[2], text(4483, 100, "2"));
    EXPECT_THAT(sheet2.calls, Contains(text(kLeft, kUpper, "S3の設計")));
    EXPECT_EQ(sheet2.calls.back(), text(850, kLower, "(以下余白)")); // (Trunc(120 s) + l, Trunc(2000 s))
}

TEST(Printing, FourSlotsGiveTwoFullSheets)
{
    const Printed p = print(tableOf(namedSlots(4), {1, 2, 3, 4}));
    EXPECT_EQ(p.outcome.sheets, 2);
    EXPECT_THAT(p.job.log, ElementsAre("begin", "newPage", "end"));
    ASSERT_EQ(p.job.pages.size(), 2u);
    EXPECT_THAT(p.job.pages[1].calls, Contains(text(kLeft, kLower, "S4の設計")));
    for (const auto &sheet : p.job.pages)
        for (const std::string &call : sheet.calls)
            EXPECT_FALSE(call.ends_with("(以下余白)")) << call;
}

TEST(Printing, OnlyMarkedSlotsInSlotOrder)
{
    const Printed p = print(tableOf(namedSlots(9), {2, 5, 7}));
    ASSERT_EQ(p.job.pages.size(), 2u);
    EXPECT_THAT(p.job.pages[0].calls, Contains(text(kLeft, kUpper, "S2の設計")));
    EXPECT_THAT(p.job.pages[0].calls, Contains(text(kLeft, kLower, "S5の設計")));
    EXPECT_THAT(p.job.pages[1].calls, Contains(text(kLeft, kUpper, "S7の設計")));
}

TEST(Printing, PageNumbersOnPaper)
{
    struct Row { const char *name; sheets::PagePosition position; bool pagechk; const char *first; const char *sheet2; };
    const Row rows[] = {
        {"leftup", sheets::PagePosition::LeftUp, true, "1", "text 4483,100 2"},
        {"center", sheets::PagePosition::Center, true, "5", "text 2483,6250 - 6 -"},
        {"leftlower", sheets::PagePosition::LeftLower, true, "5", "text 4483,6250 6"},
        {"off, firstpage not even checked", sheets::PagePosition::LeftUp, false, "x", nullptr},
        {"no position", sheets::PagePosition::None, true, "1", nullptr},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        sheets::PageSettings settings;
        settings.position = row.position;
        settings.pagechk = row.pagechk;
        settings.firstpage = row.first;
        const Printed p = print(tableOf(namedSlots(3), {1, 2, 3}), settings);
        EXPECT_EQ(p.outcome.error, "");
        ASSERT_EQ(p.job.pages.size(), 2u);
        const auto &calls = p.job.pages[1].calls;
        if (row.sheet2) {
            EXPECT_EQ(calls[2], row.sheet2);
        } else {
            EXPECT_EQ(calls[2], text(kLeft, kUpper, "S3の設計")) << "no number before the block";
        }
    }
}

TEST(Printing, BlockLinesAndFiguresAtPrinterScale)
{
    results::Table table = tableOf(namedSlots(1), {1});
    results::SlotRecord &slot = table.slots[1];
    slot[11] = "";                                  // empty uniform load
    slot[32] = "1"; slot[35] = "1"; slot[38] = "0"; slot[41] = "3"; // load c from A over 3 m
    const Printed p = print(table);
    const auto &calls = p.job.pages.at(0).calls;
    // text line k at u + 80 k; offset 15 -> 100, 105 -> 700
    EXPECT_THAT(calls, Contains(text(kLeft + 700, kUpper + 24 * kPitch, "σb=1.746 (tf/cm2) [ 17.12 kN/cm2]")));
    EXPECT_THAT(calls, Contains(text(kLeft + 100, kUpper + 3 * kPitch, "w= (tf/m)")));
    EXPECT_THAT(calls, Contains(text(kLeft + 100, kUpper + 3 * kPitch, "w= -----  ")));

    // load figure at (Trunc(1280 s) + l, Trunc(840 s) + u), beam 600 print units
    const int X = 2133 + kLeft, Y = 1400 + kUpper;
    EXPECT_THAT(calls, Contains(line(X, Y, X + 1000, Y)));
    EXPECT_THAT(calls, Contains(text(X - 113, Y - 20, "A")));
    EXPECT_THAT(calls, Contains(line(X, Y, X - 26, Y + 60))); // pin (X - Trunc(16 s), Y + Trunc(36 s))
    // P1 at 3 of 6 m: a = Trunc(3 / 6 * 600 s) = 500, first level Y - Trunc(180 s) = Y - 300,
    // its text Trunc(48 s) = 80 above the line at Trunc(a / 2) + X - Trunc(36 s)
    EXPECT_THAT(calls, Contains(line(X, Y - 300, X + 500, Y - 300)));
    EXPECT_THAT(calls, Contains(text(250 + X - 60, Y - 300 - 80, "3.0")));
    // span one level higher (Trunc(60 s) = 100), its text at X + Trunc(260 s)
    EXPECT_THAT(calls, Contains(line(X, Y - 400, X + 1000, Y - 400)));
    EXPECT_THAT(calls, Contains(text(X + 433, Y - 400 - 80, "6.00")));
    // part-span load: xe = X + 500, "w2" at xe - Trunc(56 s), level Y + Trunc(160 s)
    EXPECT_THAT(calls, Contains(line(X, Y + 120, X + 500, Y + 120))); // depth Trunc(1 / 1 * 72 s)
    EXPECT_THAT(calls, Contains(text(X + 500 - 93, Y + 33, "w2")));
    EXPECT_THAT(calls, Contains(line(X, Y + 266, X + 500, Y + 266)));
    EXPECT_THAT(calls, Contains(text((X + X + 500) / 2 - 60, Y + 266 - 80, "3")));

    // moment figure at (Trunc(1280 s) + l, Trunc(1200 s) + u); station 50 at Trunc(300 s), Mmax at Trunc(96 s)
    const int MY = 2000 + kUpper;
    // station 51: Trunc(306 s) = 510, M51 = 8.3378 gives Trunc(8.3378 * 96 / 8.4 * s) = 158
    EXPECT_THAT(calls, Contains(line(X + 500, MY + 160, X + 510, MY + 158)));
    // label: X + Trunc(3 * 600 / 6 * s) - Trunc(60 s), Y + Trunc(120 s) and Trunc(48 s) lower
    EXPECT_THAT(calls, Contains(text(X + 500 - 100, MY + 200, "8.400")));
    EXPECT_THAT(calls, Contains(text(X + 500 - 100, MY + 200 + 80, "( 3.000 m )")));
}

TEST(Printing, EverythingOfAnOrdinarySheetLiesOnThePaper)
{
    std::vector<results::SlotRecord> slots = namedSlots(2);
    slots[1][5] = "両端固定";
    slots[1][31] = "2"; slots[1][34] = "1"; slots[1][37] = "1"; slots[1][40] = "2";
    const Printed p = print(tableOf(slots, {1, 2}));
    // A4 proportions: 4800 wide, about 6800 high
    for (const std::string &call : p.job.pages.at(0).calls) {
        int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
        if (std::sscanf(call.c_str(), "line %d,%d-%d,%d", &x1, &y1, &x2, &y2) == 4 ||
            std::sscanf(call.c_str(), "text %d,%d", &x1, &y1) == 2) {
            EXPECT_GE(std::min({x1, x2}), 0) << call;
            EXPECT_LE(std::max({x1, x2}), kWidth) << call;
            EXPECT_GE(std::min({y1, y2}), 0) << call;
            EXPECT_LE(std::max({y1, y2}), 6800) << call;
        }
    }
}

TEST(Printing, EmptySpanIsPrintedAndNothingDividesByZero)
{
    results::Table table = tableOf(namedSlots(1), {1});
    table.slots[1][7] = "";
    table.slots[1][54] = "0";
    const Printed p = print(table);
    EXPECT_EQ(p.outcome.error, "");
    const auto &calls = p.job.pages.at(0).calls;
    EXPECT_THAT(calls, Contains(text(kLeft, kUpper, "S1の設計")));
    EXPECT_THAT(calls, Contains(text(kLeft + 100, kUpper + 22 * kPitch, "L= (m)")));
    EXPECT_THAT(calls, Contains(text(kLeft + 100, kUpper + 32 * kPitch, "δ=0.512 (cm)= L / 1171.9OK.")));
    const int X = 2133 + kLeft;
    EXPECT_THAT(calls, Contains(line(X, 2300, X + 1000, 2300))); // moment base line
    for (const std::string &call : calls)
        EXPECT_FALSE(call.ends_with(" P1")) << call;
}

TEST(Printing, NoMarkedSlotStartsAndEndsTheJobWithoutDrawing)
{
    const Printed p = print(tableOf(namedSlots(3), {}));
    EXPECT_EQ(p.outcome.error, "");
    EXPECT_EQ(p.outcome.sheets, 0);
    EXPECT_THAT(p.job.log, ElementsAre("begin", "end"));
    ASSERT_EQ(p.job.pages.size(), 1u);
    EXPECT_THAT(p.job.pages[0].calls, ElementsAre("font 9", "colour 0,0,0"));
}

TEST(Printing, MarginThatReadsAsZeroBecomesZero)
{
    for (const char *margin : {"", "abc", "0.0", "-0", " 0"}) {
        SCOPED_TRACE(margin);
        sheets::PageSettings settings;
        settings.hidari = margin;
        const Printed p = print(tableOf(namedSlots(1), {1}), settings);
        EXPECT_EQ(p.outcome.error, "");
        EXPECT_EQ(p.outcome.hidari, "0");
        EXPECT_THAT(p.job.pages.at(0).calls, Contains(text(0, kUpper, "S1の設計")));
    }
    const Printed kept = print(tableOf(namedSlots(1), {1}));
    EXPECT_EQ(kept.outcome.hidari, "30");
}

TEST(Printing, RefusalsComeBeforeTheJobStarts)
{
    struct Row {
        const char *name;
        const char *hidari;
        const char *firstpage;
        int width;
        bool canBegin;
        const char *error;
        const char *hidariAfter;
    };
    const Row rows[] = {
        {"margin not an integer", "1.5", "1", kWidth, true, "'1.5' は整数ではありません", "1.5"},
        {"margin with trailing text", "30mm", "1", kWidth, true, "'30mm' は整数ではありません", "30mm"},
        {"negative margin", "-1", "1", kWidth, true, "左マージンは0から221までの整数を入力して下さい。", "-1"},
        {"margin beyond the paper", "222", "1", kWidth, true, "左マージンは0から221までの整数を入力して下さい。", "222"},
        {"firstpage not an integer", "30", "2.5", kWidth, true, "'2.5' は整数ではありません", "30"},
        {"firstpage empty", "30", "", kWidth, true, "'' は整数ではありません", "30"},
        {"empty margin is reset even when firstpage is refused", "", "a", kWidth, true, "'a' は整数ではありません", "0"},
        {"no printable width", "30", "1", 0, true, "プリンタの印刷幅を取得できませんでした。", "30"},
        {"printer refuses to start", "30", "1", kWidth, false, "印刷を開始できませんでした。", "30"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        sheets::PageSettings settings;
        settings.hidari = row.hidari;
        settings.firstpage = row.firstpage;
        sheets::RecordingPrintJob job(row.width, row.canBegin);
        const sheets::PrintOutcome outcome = sheets::printSheets(job, tableOf(namedSlots(3), {1, 2, 3}), settings);
        EXPECT_EQ(outcome.error, row.error);
        EXPECT_EQ(outcome.hidari, row.hidariAfter);
        EXPECT_EQ(outcome.sheets, 0);
        EXPECT_TRUE(job.log.empty()) << "no job may be started";
        EXPECT_TRUE(job.pages.empty()) << "nothing may be drawn";
    }
}

// Margins up to 221 were accepted although the page number left the paper from about
// 41 and the figures from about 67: the largest margin is found from the drawing itself.
TEST(Printing, TheLargestMarginKeepsEveryItemOnThePaper)
{
    const results::Table table = tableOf(namedSlots(3), {1, 2, 3});
    const int em = sheets::emPixels(9, 600);
    int withNumbers = 0;
    for (sheets::PagePosition position : {sheets::PagePosition::LeftUp, sheets::PagePosition::None}) {
        SCOPED_TRACE(static_cast<int>(position));
        sheets::PageSettings settings;
        settings.position = position;
        const int largest = sheets::largestMargin(table, settings, kWidth, 600);
        settings.hidari = std::to_string(largest);
        const Printed p = print(table, settings);
        ASSERT_EQ(p.outcome.error, "");
        int right = 0;
        for (const sheets::RecordingCanvas &page : p.job.pages) {
            for (const std::string &call : page.calls) {
                int x1 = 0, y1 = 0, x2 = 0, y2 = 0, used = 0;
                if (std::sscanf(call.c_str(), "line %d,%d-%d,%d", &x1, &y1, &x2, &y2) == 4)
                    right = std::max({right, x1, x2});
                else if (std::sscanf(call.c_str(), "text %d,%d %n", &x1, &y1, &used) == 2 && used > 0)
                    right = std::max(right, x1 + sheets::textWidthAtMost(call.substr(static_cast<std::size_t>(used)), em));
            }
        }
        EXPECT_LE(right, kWidth);
        const int step = sheets::printerGeometry(kWidth, largest + 1).left - sheets::printerGeometry(kWidth, largest).left;
        EXPECT_GT(right + step, kWidth) << "one more step would leave the paper";

        settings.hidari = std::to_string(largest + 1);
        const Printed refused = print(table, settings);
        EXPECT_EQ(refused.outcome.error, "左マージンが大きすぎて計算書が用紙からはみ出します。この印刷では左マージンは0から" +
                                             std::to_string(largest) + "までの整数を入力して下さい。");
        EXPECT_TRUE(refused.outcome.marginTooLarge);
        EXPECT_TRUE(refused.job.log.empty()) << "no job may be started";
        if (position == sheets::PagePosition::LeftUp)
            withNumbers = largest;
        else
            EXPECT_GT(largest, withNumbers) << "the page number at the upper right limits first";
    }

    // A beam name of 60 characters and a long member name run past the paper's edge
    // whatever the margin: they are drawn as they are and cut there, and neither the
    // margin's range nor the default margin is refused because of them.
    std::vector<results::SlotRecord> longSlots = namedSlots(3);
    for (results::SlotRecord &slot : longSlots) {
        slot[2] = std::string(56, 'N') + "２階大梁";
        slot[46] = "BH-" + std::string(70, '9');
    }
    const results::Table longNames = tableOf(longSlots, {1, 2, 3});
    const sheets::PageSettings defaults;
    EXPECT_EQ(sheets::largestMargin(longNames, defaults, kWidth, 600), sheets::largestMargin(table, defaults, kWidth, 600));
    const Printed printed = print(longNames, defaults);
    EXPECT_EQ(printed.outcome.error, "");
    ASSERT_FALSE(printed.job.pages.empty());
    EXPECT_THAT(printed.job.pages[0].calls, Contains(text(kLeft, kUpper, longSlots[0][2] + "の設計")));
}

} // namespace
