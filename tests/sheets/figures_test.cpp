// The load and moment figures of a sheet block on the preview page.
#include "sheets/figures.h"
#include "sheets/recordingcanvas.h"
#include "sheetslots.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace {

using sheettest::traditionalSlot;
using testing::Contains;
using testing::Not;

// Reference point of the upper block's load figure: (90 + 320, 45 + 210).
constexpr int X = 410;
constexpr int Y = 255;

std::string line(int x1, int y1, int x2, int y2)
{
    return "line " + std::to_string(x1) + "," + std::to_string(y1) + "-" + std::to_string(x2) + "," + std::to_string(y2);
}

std::string text(int x, int y, const std::string &t)
{
    return "text " + std::to_string(x) + "," + std::to_string(y) + " " + t;
}

std::vector<std::string> loadFigure(const results::SlotRecord &slot)
{
    sheets::RecordingCanvas canvas;
    sheets::drawLoadFigure(canvas, slot, sheets::previewGeometry(), X, Y);
    return canvas.calls;
}

std::vector<std::string> momentFigure(const results::SlotRecord &slot)
{
    sheets::RecordingCanvas canvas;
    sheets::drawMomentFigure(canvas, slot, sheets::previewGeometry(), X, Y);
    return canvas.calls;
}

// A slot with no loads at all, span 8 m (so 1 m is 150 / 8 = 18.75 pixels).
results::SlotRecord unloaded()
{
    results::SlotRecord slot = traditionalSlot();
    slot[7] = "8";
    slot[11] = "0";
    slot[14] = "0";
    return slot;
}

TEST(LoadFigure, BeamAndEndLetters)
{
    const auto calls = loadFigure(unloaded());
    EXPECT_EQ(calls[0], line(X, Y, X + 150, Y));
    EXPECT_EQ(calls[1], text(X - 17, Y - 3, "A"));
    EXPECT_EQ(calls[2], text(X + 161, Y - 3, "B"));
}

TEST(LoadFigure, SupportSymbolsFollowTheSupportWord)
{
    const std::string pinA = line(X, Y, X - 4, Y + 9);
    const std::string pinB = line(X + 150, Y, X + 146, Y + 9);
    const std::string wallA = line(X, Y + 9, X, Y - 9);
    const std::string wallB = line(X + 150, Y + 9, X + 150, Y - 9);
    const std::string strokeA = line(X - 5, Y - 3, X, Y - 8);
    const std::string strokeB = line(X + 150, Y - 3, X + 155, Y - 8);
    struct Row { const char *word; bool pinAtA, fixedAtA, pinAtB, fixedAtB; };
    const Row rows[] = {
        {"両端ピン", true, false, true, false},
        {"両端固定", false, true, false, true},
        {"左端ピン右端固定", true, false, false, true},
        {"左端自由右端固定", false, false, false, true},
        {"", false, false, false, false},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.word);
        results::SlotRecord slot = unloaded();
        slot[5] = row.word;
        const auto calls = loadFigure(slot);
        auto has = [&](const std::string &c) { return std::find(calls.begin(), calls.end(), c) != calls.end(); };
        EXPECT_EQ(has(pinA), row.pinAtA);
        EXPECT_EQ(has(wallA) && has(strokeA), row.fixedAtA);
        EXPECT_EQ(has(pinB), row.pinAtB);
        EXPECT_EQ(has(wallB) && has(strokeB), row.fixedAtB);
    }
}

TEST(LoadFigure, WithoutPointLoadsTheSpanDimensionLiesAtYMinus45)
{
    const auto calls = loadFigure(unloaded());
    EXPECT_THAT(calls, Contains(line(X, Y - 45, X + 150, Y - 45)));
    EXPECT_THAT(calls, Contains(text(X + 65, Y - 45 - 11, "8")));
    EXPECT_THAT(calls, Contains(line(X + 148, Y - 45 + 2, X + 152, Y - 45 - 2)));
    for (const std::string &call : calls)
        EXPECT_FALSE(call.ends_with(" P1")) << call;
}

TEST(LoadFigure, PointLoadDimensionsStackInLoadOrder)
{
    results::SlotRecord slot = unloaded();
    // P1 at 4 m, P2 = 0 (skipped), P3 at 2 m, P5 at 6 m: the order is P1, P3, P5 whatever the position.
    slot[14] = "1"; slot[22] = "4";
    slot[15] = "0"; slot[23] = "1";
    slot[16] = "1"; slot[24] = "2";
    slot[18] = "1"; slot[26] = "6";
    const auto calls = loadFigure(slot);
    struct Row { const char *name; int a; int level; const char *pos; const char *label; };
    // a = Trunc(x / 8 * 150): 4 m -> 75, 2 m -> 37 (37.5), 6 m -> 112 (112.5)
    const Row rows[] = {{"P1", 75, Y - 45, "4", "P1"}, {"P3", 37, Y - 60, "2", "P3"}, {"P5", 112, Y - 75, "6", "P5"}};
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_THAT(calls, Contains(line(X + row.a, Y, X + row.a, Y - 20)));
        EXPECT_THAT(calls, Contains(line(X + row.a - 3, Y - 9, X + row.a, Y)));
        EXPECT_THAT(calls, Contains(line(X + row.a, Y, X + row.a + 3, Y - 9)));
        EXPECT_THAT(calls, Contains(text(X + row.a - 6, Y - 30, row.label)));
        EXPECT_THAT(calls, Contains(line(X, row.level, X + row.a, row.level)));
        EXPECT_THAT(calls, Contains(line(X + row.a, row.level, X + row.a, Y - 32)));
        EXPECT_THAT(calls, Contains(line(X + row.a - 2, row.level + 2, X + row.a + 2, row.level - 2)));
        EXPECT_THAT(calls, Contains(text(row.a / 2 + X - 9, row.level - 11, row.pos)));
    }
    EXPECT_THAT(calls, Contains(line(X, Y - 90, X + 150, Y - 90)));
    EXPECT_THAT(calls, Contains(text(X + 65, Y - 90 - 11, "8")));
    for (const std::string &call : calls)
        EXPECT_FALSE(call.ends_with(" P2")) << call;
}

TEST(LoadFigure, UniformLoadLineOnlyWhenNotZero)
{
    results::SlotRecord slot = unloaded();
    EXPECT_THAT(loadFigure(slot), Not(Contains(text(X + 65, Y + 5, "w"))));
    slot[11] = "0.5";
    const auto calls = loadFigure(slot);
    EXPECT_THAT(calls, Contains(line(X, Y + 2, X + 150, Y + 2)));
    EXPECT_THAT(calls, Contains(text(X + 65, Y + 5, "w")));
}

TEST(LoadFigure, PartSpanLoadsBelowTheBeam)
{
    results::SlotRecord slot = unloaded();
    // load a: LD2 = 0, not drawn, but its w1 = 4 sets W
    slot[30] = "4"; slot[33] = "0"; slot[36] = "1"; slot[39] = "0";
    // load b: from 2 m over 2 m, w1 = 2, w2 = 1
    slot[31] = "2"; slot[34] = "1"; slot[37] = "2"; slot[40] = "2";
    // load c: from A (LD1 = 0) over 4 m, w1 = w2 = 4
    slot[32] = "4"; slot[35] = "4"; slot[38] = "0"; slot[41] = "4";
    const auto calls = loadFigure(slot);

    // b: xs = X + Trunc(2/8*150) = X + 37, xe = X + Trunc(4/8*150) = X + 75,
    //    t1 = Y + Trunc(2/4*18) = Y + 9, t2 = Y + Trunc(1/4*18) = Y + 4; first level e = Y + 48
    {
        SCOPED_TRACE("load b");
        const int xs = X + 37, xe = X + 75, t1 = Y + 9, t2 = Y + 4, e = Y + 48;
        EXPECT_THAT(calls, Contains(line(xs, Y, xs, t1)));
        EXPECT_THAT(calls, Contains(line(xs, t1, xe, t2)));
        EXPECT_THAT(calls, Contains(line(xe, t2, xe, Y)));
        EXPECT_THAT(calls, Contains(text(xs + 4, Y + 5, "w1")));
        EXPECT_THAT(calls, Contains(text(xe - 12, Y + 5, "w2")));
        EXPECT_THAT(calls, Contains(line(X, Y + 3, X, e)));
        EXPECT_THAT(calls, Contains(line(X, e, xs, e)));
        EXPECT_THAT(calls, Contains(line(X - 2, e - 2, X + 2, e + 2)));
        EXPECT_THAT(calls, Contains(text((X + xs) / 2 - 9, e - 11, "2")));
        EXPECT_THAT(calls, Contains(line(xs, t1 + 3, xs, e)));
        EXPECT_THAT(calls, Contains(line(xs, e, xe, e)));
        EXPECT_THAT(calls, Contains(line(xe, e, xe, t2 + 3)));
        EXPECT_THAT(calls, Contains(line(xs - 2, e - 2, xs + 2, e + 2)));
        EXPECT_THAT(calls, Contains(line(xe - 2, e - 2, xe + 2, e + 2)));
        EXPECT_THAT(calls, Contains(text((xs + xe) / 2 - 9, e - 11, "2")));
    }
    // c: starts at A, one level lower (e = Y + 63), full depth 18 at both ends
    {
        SCOPED_TRACE("load c");
        const int xs = X, xe = X + 75, t = Y + 18, e = Y + 63;
        EXPECT_THAT(calls, Contains(line(xs, t, xe, t)));
        EXPECT_THAT(calls, Contains(line(xs, e, xe, e)));
        EXPECT_THAT(calls, Contains(text((xs + xe) / 2 - 9, e - 11, "4")));
        EXPECT_THAT(calls, Not(Contains(line(X, Y + 3, X, e))));
    }
    // a: LD2 = 0 draws nothing at its start 1 m (X + 18)
    EXPECT_THAT(calls, Not(Contains(text(X + 18 + 4, Y + 5, "w1"))));
}

TEST(LoadFigure, NegativeIntensitiesOnlyDrawNoPartSpanLoad)
{
    results::SlotRecord slot = unloaded();
    slot[30] = "-1"; slot[33] = "-2"; slot[36] = "1"; slot[39] = "3";
    slot[31] = "0"; slot[34] = "0"; slot[37] = "0"; slot[40] = "2";
    const auto calls = loadFigure(slot);
    for (const std::string &call : calls) {
        EXPECT_FALSE(call.ends_with(" w1")) << call;
        EXPECT_FALSE(call.ends_with(" w2")) << call;
    }
    EXPECT_EQ(calls, loadFigure(unloaded())) << "W = 0 must leave the figure as without the loads";
}

TEST(LoadFigure, SpanOfZeroDrawsWhatNeedsNoScale)
{
    struct Row { const char *name; const char *span; };
    const Row rows[] = {{"zero", "0"}, {"empty", ""}, {"not a number", "x"}};
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        results::SlotRecord slot = traditionalSlot(); // P1 and a uniform load
        slot[7] = row.span;
        slot[30] = "1"; slot[33] = "1"; slot[36] = "1"; slot[39] = "1";
        const auto calls = loadFigure(slot);
        EXPECT_THAT(calls, Contains(line(X, Y, X + 150, Y)));
        EXPECT_THAT(calls, Contains(line(X, Y - 45, X + 150, Y - 45))) << "span dimension at the first level";
        EXPECT_THAT(calls, Contains(text(X + 65, Y - 56, row.span)));
        EXPECT_THAT(calls, Contains(text(X + 65, Y + 5, "w")));
        for (const std::string &call : calls) {
            EXPECT_FALSE(call.ends_with(" P1")) << call;
            EXPECT_FALSE(call.ends_with(" w1")) << call;
        }
    }
}

TEST(MomentFigure, MomentLineScaledToTheLargestMoment)
{
    const auto calls = momentFigure(traditionalSlot());
    EXPECT_EQ(calls[0], line(X, Y, X + 150, Y));
    // chain from (X, Y) through the 101 stations to (X + 150, Y): 102 lines
    EXPECT_EQ(calls[1], line(X, Y, X, Y));                             // station 0: M = 0
    EXPECT_THAT(calls, Contains(line(X + 73, Y + 23, X + 75, Y + 24))); // station 49 -> 50 (Mmax, 24 below)
    EXPECT_EQ(calls[101], line(X + 148, Y + 0, X + 150, Y));           // station 99 (M ~ 0.25) -> 100
    EXPECT_EQ(calls[102], line(X + 150, Y, X + 150, Y));
}

TEST(MomentFigure, LabelsBySupport)
{
    results::SlotRecord base = traditionalSlot();
    base[65] = "-3.5";   // M0
    base[165] = "-7.25"; // M100
    base[58] = "4.1";    // largest span moment
    struct Row { const char *word; std::vector<std::string> present; std::vector<std::string> absent; };
    // pinned-pinned: xm = X + Trunc(3 * 150 / 6) - 15 = X + 60
    const Row rows[] = {
        {"両端ピン", {text(X + 60, Y + 30, "8.400"), text(X + 60, Y + 42, "( 3.000 m)")},
         {text(X + 140, Y - 35, "-7.250")}},
        {"左端ピン右端固定", {text(X + 140, Y - 35, "-7.250"), text(X + 65, Y + 25, "4.100")},
         {text(X - 10, Y - 35, "-3.500")}},
        {"両端固定", {text(X - 10, Y - 35, "-3.500"), text(X + 140, Y - 35, "-7.250"), text(X + 65, Y + 25, "4.100")}, {}},
        {"左端自由右端固定", {text(X + 140, Y - 35, "-7.250")}, {text(X + 65, Y + 25, "4.100")}},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.word);
        results::SlotRecord slot = base;
        slot[5] = row.word;
        const auto calls = momentFigure(slot);
        for (const auto &c : row.present)
            EXPECT_THAT(calls, Contains(c));
        for (const auto &c : row.absent)
            EXPECT_THAT(calls, Not(Contains(c)));
    }
}

TEST(MomentFigure, CantileverHasNoReactionArrowAtA)
{
    results::SlotRecord slot = traditionalSlot();
    const auto pinned = momentFigure(slot);
    slot[5] = "左端自由右端固定";
    const auto cantilever = momentFigure(slot);
    const std::string arrowA = line(X, Y + 20, X, Y);
    const std::string textA = text(X - 15, Y + 23, "4.600");
    EXPECT_THAT(pinned, Contains(arrowA));
    EXPECT_THAT(pinned, Contains(textA));
    EXPECT_THAT(cantilever, Not(Contains(arrowA)));
    EXPECT_THAT(cantilever, Not(Contains(textA)));
    for (const auto &calls : {pinned, cantilever}) {
        EXPECT_THAT(calls, Contains(line(X + 150, Y + 20, X + 150, Y)));
        EXPECT_THAT(calls, Contains(line(X + 147, Y + 9, X + 150, Y)));
        EXPECT_THAT(calls, Contains(line(X + 150, Y, X + 153, Y + 9)));
        EXPECT_THAT(calls, Contains(text(X + 135, Y + 23, "4.600")));
    }
}

TEST(MomentFigure, LargestMomentOfZeroLeavesOutOnlyTheMomentLine)
{
    for (const char *mmax : {"0", "0.000", ""}) {
        SCOPED_TRACE(mmax);
        results::SlotRecord slot = traditionalSlot();
        const auto scaled = momentFigure(slot);
        slot[54] = mmax;
        const auto calls = momentFigure(slot);
        EXPECT_EQ(scaled.size() - calls.size(), 102u) << "the chain of 102 lines is left out";
        EXPECT_THAT(calls, Contains(text(X + 135, Y + 23, "4.600")));
        EXPECT_THAT(calls, Contains(text(X + 60, Y + 30, mmax)));
    }
}

TEST(MomentFigure, SpanOfZeroLeavesOutTheLabelPlacedAlongIt)
{
    results::SlotRecord slot = traditionalSlot();
    slot[7] = "0";
    const auto calls = momentFigure(slot);
    EXPECT_THAT(calls, Not(Contains(text(X + 60, Y + 30, "8.400"))));
    EXPECT_THAT(calls, Contains(line(X + 75, Y + 24, X + 76, Y + 23))) << "the moment line needs no span";
}

TEST(Figures, WildStoredValuesStayInsideTheIntegerRange)
{
    results::SlotRecord slot = traditionalSlot();
    slot[22] = "1e300";  // P1 position
    slot[54] = "1e-300"; // Mmax
    slot[30] = "1e999"; slot[33] = "1"; slot[36] = "0"; slot[39] = "1e308";
    sheets::RecordingCanvas canvas;
    sheets::drawLoadFigure(canvas, slot, sheets::previewGeometry(), X, Y);
    sheets::drawMomentFigure(canvas, slot, sheets::previewGeometry(), X, Y);
    EXPECT_THAT(canvas.calls, Contains(line(X + 1000000, Y, X + 1000000, Y - 20)));
    EXPECT_THAT(canvas.calls, Contains(line(X + 73, Y + 1000000, X + 75, Y + 1000000)));
}

} // namespace
