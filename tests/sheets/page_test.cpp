// The preview page: which marked slots appear on which page, the page number and the
// blank-remainder mark.
#include "sheets/page.h"
#include "sheets/recordingcanvas.h"
#include "sheetslots.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace {

using sheettest::namedSlots;
using sheettest::tableOf;
using testing::Contains;
using testing::ElementsAre;
using testing::Not;

const std::string kUpperBlank = "text 120,75 (以下余白)";  // (90 + 30, 45 + 30)
const std::string kLowerBlank = "text 120,480 (以下余白)"; // (90 + 30, 450 + 30)

std::string upperTitle(const std::string &name) { return "text 90,45 " + name + "の設計"; }
std::string lowerTitle(const std::string &name) { return "text 90,450 " + name + "の設計"; }

sheets::RecordingCanvas compose(const results::Table &table, const std::string &page, sheets::PageSettings settings = {})
{
    settings.hyoujipage = page;
    sheets::RecordingCanvas canvas;
    const sheets::SheetOutcome outcome = sheets::composePage(canvas, table, settings);
    EXPECT_EQ(outcome.error, "");
    return canvas;
}

TEST(PreviewPage, MarkedSlotsTwoToAPage)
{
    const results::Table table = tableOf(namedSlots(9), {2, 5, 7});
    EXPECT_THAT(sheets::markedSlots(table), ElementsAre(2, 5, 7));

    const auto page1 = compose(table, "1");
    EXPECT_THAT(page1.calls, Contains(upperTitle("S2")));
    EXPECT_THAT(page1.calls, Contains(lowerTitle("S5")));
    EXPECT_THAT(page1.calls, Not(Contains(kUpperBlank)));
    EXPECT_THAT(page1.calls, Not(Contains(kLowerBlank)));

    const auto page2 = compose(table, "2");
    EXPECT_THAT(page2.calls, Contains(upperTitle("S7")));
    EXPECT_THAT(page2.calls, Contains(kLowerBlank));

    const auto page3 = compose(table, "3");
    EXPECT_THAT(page3.callsStartingWith("text 1"), ElementsAre(kUpperBlank, kLowerBlank));
}

TEST(PreviewPage, OnlyTheExactMarkCountsAndOnlySlotsInUse)
{
    results::Table table = tableOf(namedSlots(4), {});
    table.selectgrid[1] = "1 ";
    table.selectgrid[2] = "";
    table.selectgrid[3] = "1";
    table.selectgrid[4] = "0";
    table.slots[5] = sheettest::traditionalSlot("beyond");
    table.selectgrid[5] = "1"; // past datano
    EXPECT_THAT(sheets::markedSlots(table), ElementsAre(3));
    table.datano = 99; // a count out of range reads as all 50 slots
    EXPECT_THAT(sheets::markedSlots(table), ElementsAre(3, 5));
    table.datano = -1;
    EXPECT_TRUE(sheets::markedSlots(table).empty());
}

TEST(PreviewPage, OrderOfTheComposition)
{
    const results::Table table = tableOf(namedSlots(2), {1, 2});
    const auto canvas = compose(table, "1");
    ASSERT_GE(canvas.calls.size(), 5u);
    EXPECT_THAT(std::vector<std::string>(canvas.calls.begin(), canvas.calls.begin() + 5),
                ElementsAre("clear", "font 8", "colour 0,0,0", "text 600,15 1", upperTitle("S1")));
    const auto upper = std::find(canvas.calls.begin(), canvas.calls.end(), upperTitle("S1"));
    const auto lower = std::find(canvas.calls.begin(), canvas.calls.end(), lowerTitle("S2"));
    EXPECT_LT(upper, lower);
    // each block: its texts, then the load figure's beam at (x0 + 320, y0 + 210) and the
    // moment figure's base line at (x0 + 320, y0 + 300)
    EXPECT_THAT(canvas.calls, Contains("line 410,255-560,255"));
    EXPECT_THAT(canvas.calls, Contains("line 410,345-560,345"));
    EXPECT_THAT(canvas.calls, Contains("line 410,660-560,660"));
    EXPECT_THAT(canvas.calls, Contains("line 410,750-560,750"));
}

TEST(PreviewPage, NothingMarkedShowsNumberAndTwoBlankMarks)
{
    const auto canvas = compose(tableOf(namedSlots(3), {}), "1");
    EXPECT_THAT(canvas.calls, ElementsAre("clear", "font 8", "colour 0,0,0", "text 600,15 1", kUpperBlank, kLowerBlank));
}

TEST(PreviewPage, EmptySpanShowsTheBlankMarkInPlaceOfItsSheet)
{
    std::vector<results::SlotRecord> slots = namedSlots(2);
    slots[0][7] = "";
    const auto canvas = compose(tableOf(slots, {1, 2}), "1");
    EXPECT_THAT(canvas.calls, Contains(kUpperBlank));
    EXPECT_THAT(canvas.calls, Not(Contains(upperTitle("S1"))));
    EXPECT_THAT(canvas.calls, Contains(lowerTitle("S2")));
}

TEST(PreviewPage, EmptyPageTextIsPageOneAndPageZeroHoldsNoSlot)
{
    const results::Table table = tableOf(namedSlots(2), {1, 2});
    EXPECT_THAT(compose(table, "").calls, Contains(upperTitle("S1")));
    const auto page0 = compose(table, "0");
    EXPECT_THAT(page0.calls, Contains(kUpperBlank));
    EXPECT_THAT(page0.calls, Contains(kLowerBlank));
    EXPECT_THAT(page0.calls, Contains("text 600,15 0")); // 0 + 1 - 1
    EXPECT_THAT(compose(table, "25").callsStartingWith("text 1"), ElementsAre(kUpperBlank, kLowerBlank));
}

TEST(PreviewPage, PageNumberPositions)
{
    const results::Table table = tableOf(namedSlots(1), {1});
    struct Row { const char *name; sheets::PagePosition position; bool pagechk; const char *expected; };
    // firstpage 5, page 3: 3 + 5 - 1 = 7
    const Row rows[] = {
        {"leftup", sheets::PagePosition::LeftUp, true, "text 600,15 7"},
        {"center", sheets::PagePosition::Center, true, "text 300,860 - 7 -"},
        {"leftlower", sheets::PagePosition::LeftLower, true, "text 600,860 7"},
        {"no position", sheets::PagePosition::None, true, nullptr},
        {"page numbers off", sheets::PagePosition::Center, false, nullptr},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        sheets::PageSettings settings;
        settings.firstpage = "5";
        settings.position = row.position;
        settings.pagechk = row.pagechk;
        const auto canvas = compose(table, "3", settings);
        if (row.expected) {
            EXPECT_THAT(canvas.calls, Contains(row.expected));
        }
        // after clear, font and colour come the blank marks: no number in between
        const std::size_t numberCalls = row.expected ? 1 : 0;
        ASSERT_GE(canvas.calls.size(), 3 + numberCalls + 1);
        EXPECT_EQ(canvas.calls[3 + numberCalls], kUpperBlank);
    }
}

TEST(PreviewPage, PageNumberTextFromFirstPage)
{
    struct Row { long long g; const char *first; const char *expected; };
    const Row rows[] = {
        {1, "1", "1"}, {3, "5", "7"}, {1, " 10 ", "10"}, {2, "-3", "-2"}, {1, "0", "0"},
        {2, "9223372036854775807", "9223372036854775808"}, // beyond long long, still exact
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.first);
        EXPECT_EQ(sheets::pageNumberText(row.g, row.first, sheets::PagePosition::LeftUp), row.expected);
        EXPECT_EQ(sheets::pageNumberText(row.g, row.first, sheets::PagePosition::Center),
                  std::string("- ") + row.expected + " -");
    }
    EXPECT_FALSE(sheets::pageNumberText(1, "", sheets::PagePosition::LeftUp));
    EXPECT_FALSE(sheets::pageNumberText(1, "1.0", sheets::PagePosition::LeftUp));
}

TEST(PreviewPage, FirstPageNotAnIntegerStopsAfterTheClear)
{
    const results::Table table = tableOf(namedSlots(2), {1, 2});
    for (const char *first : {"1.5", "", "abc", "2x"}) {
        SCOPED_TRACE(first);
        sheets::PageSettings settings;
        settings.firstpage = first;
        sheets::RecordingCanvas canvas;
        const sheets::SheetOutcome outcome = sheets::composePage(canvas, table, settings);
        EXPECT_EQ(outcome.error, std::string("'") + first + "' は整数ではありません");
        EXPECT_THAT(canvas.calls, ElementsAre("clear", "font 8", "colour 0,0,0"));
    }
    // not due: the number is not drawn, the blocks are
    sheets::PageSettings off;
    off.firstpage = "1.5";
    off.pagechk = false;
    EXPECT_THAT(compose(table, "1", off).calls, Contains(upperTitle("S1")));
}

TEST(PreviewPage, PageTextNotAnIntegerIsRefused)
{
    sheets::PageSettings settings;
    settings.hyoujipage = "x";
    sheets::RecordingCanvas canvas;
    EXPECT_EQ(sheets::composePage(canvas, tableOf(namedSlots(1), {1}), settings).error, "'x' は整数ではありません");
    EXPECT_THAT(canvas.calls, ElementsAre("clear", "font 8", "colour 0,0,0"));
}

TEST(PreviewPage, SameInputSameDrawing)
{
    const results::Table table = tableOf(namedSlots(3), {1, 2, 3});
    EXPECT_EQ(compose(table, "2").calls, compose(table, "2").calls);
}

} // namespace
