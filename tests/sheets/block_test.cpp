// The text lines of a sheet block on the preview page: positions, formats, conditions and
// the two verdicts worked out again from the stored texts.
#include "sheets/block.h"
#include "sheets/recordingcanvas.h"
#include "sheetslots.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace {

using sheettest::siSlot;
using sheettest::traditionalSlot;
using testing::Contains;
using testing::Not;

// The upper preview block: origin (90, 45), text lines 11 pixels apart.
std::string at(int line, int x, const std::string &text)
{
    return "text " + std::to_string(90 + x) + "," + std::to_string(45 + 11 * line) + " " + text;
}

std::vector<std::string> drawBlock(const results::SlotRecord &slot)
{
    sheets::RecordingCanvas canvas;
    sheets::drawSheetBlock(canvas, slot, sheets::previewGeometry(), 90, 45);
    return canvas.calls;
}

TEST(SheetBlock, TraditionalSlotLines)
{
    const auto calls = drawBlock(traditionalSlot());
    const std::string expected[] = {
        at(0, 0, "B1の設計"),
        at(0, 150, "[ H-300x150x6.5x9,(強軸), 自重: 36.7(kg/m)]"),
        at(1, 150, "[ I = 7210(cm4), Z = 481(cm3)]"),
        at(1, 0, "1. 荷重(自重自動計算)"),
        at(2, 5, "1) 等分布荷重"),
        at(3, 15, "w=1.20 (tf/m)"),
        at(5, 5, "2) 集中荷重"),
        at(6, 15, "P1=2.000 (tf),"),
        at(6, 105, "L1=3.000 (m)"),
        at(7, 15, "P2= ----"),
        at(13, 105, "L8= ----"),
        at(14, 5, "3) 分布荷重"),
        at(21, 0, "2. 計算条件"),
        at(22, 15, "L=6.00 (m)"),
        at(22, 105, "LB=3.00 (m)"),
        at(23, 0, "3. 設計曲げモーメント及び曲げ応力"),
        at(24, 15, "M=8.400 (tf-m)"),
        at(25, 0, "4. 許容曲げ応力"),
        // 1.600 tf/cm2 x 9.80665 = 15.69064 kN/cm2
        at(26, 15, "fb=1.600 (tf/cm2) [ 15.69 kN/cm2]"),
        at(26, 190, "(長期荷重として計算)"),
        at(27, 0, "5. 支点反力"),
        at(28, 15, "RA=4.600 (tf)"),
        at(28, 105, "RB=4.600 (tf)"),
        at(29, 0, "6. 部材曲げ判定"),
        at(30, 15, "σb/fb=1.091> 1.0 NG."),
        at(31, 0, "7. 撓み判定"),
        at(32, 15, "δ=0.512 (cm)= L / 1171.9OK."),
        at(33, 15, "撓み制限値：2.0 cm かつ L / 300 以下"),
    };
    for (const std::string &line : expected) {
        SCOPED_TRACE(line);
        EXPECT_THAT(calls, Contains(line));
    }
    // The block's texts come top to bottom: the title first, the limit line last.
    EXPECT_EQ(calls.front(), at(0, 0, "B1の設計"));
    // Without a formula text there is no line 4.
    for (const std::string &call : calls)
        EXPECT_FALSE(call.starts_with("text 105,89 ")) << call;
}

TEST(SheetBlock, BendingStressOfATraditionalSlotIsConvertedToKilonewtons)
{
    results::SlotRecord slot = traditionalSlot();
    slot[56] = "1.600";
    // 1.600 x 9.80665 = 15.69064, shown "##0.00"
    EXPECT_THAT(drawBlock(slot), Contains(at(24, 105, "σb=1.600 (tf/cm2) [ 15.69 kN/cm2]")));
}

TEST(SheetBlock, SiSlotShowsStressesWithoutConversionAndTheTermNearer)
{
    const auto calls = drawBlock(siSlot());
    EXPECT_THAT(calls, Contains(at(3, 15, "w=1.20 (kN/m)")));
    EXPECT_THAT(calls, Contains(at(6, 15, "P1=2.000 (kN),")));
    EXPECT_THAT(calls, Contains(at(24, 15, "M=8.400 (kN-m)")));
    EXPECT_THAT(calls, Contains(at(24, 105, "σb=17.12 (kN/cm2)")));
    EXPECT_THAT(calls, Contains(at(26, 15, "fb=15.69 (kN/cm2)")));
    EXPECT_THAT(calls, Contains(at(26, 130, "(長期荷重として計算)")));
    EXPECT_THAT(calls, Contains(at(28, 105, "RB=4.600 (kN)")));
    EXPECT_THAT(calls, Not(Contains(at(26, 190, "(長期荷重として計算)"))));
}

TEST(SheetBlock, UnitSystemIsSiOnlyForTheExactWord)
{
    results::SlotRecord slot = siSlot();
    slot[6] = "SI";
    EXPECT_FALSE(sheets::isSi(slot));
    EXPECT_THAT(drawBlock(slot), Contains(at(24, 15, "M=8.400 (tf-m)")));
}

TEST(SheetBlock, PointLoadOfZeroGivesTheDashedPairEvenWithAPosition)
{
    struct Row { const char *name; const char *load; };
    const Row rows[] = {{"zero", "0"}, {"zero with decimals", "0.000"}, {"empty", ""}, {"not a number", "abc"}};
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        results::SlotRecord slot = traditionalSlot();
        slot[16] = row.load; // P3
        slot[24] = "2.5";    // its position
        const auto calls = drawBlock(slot);
        EXPECT_THAT(calls, Contains(at(8, 15, "P3= ----")));
        EXPECT_THAT(calls, Contains(at(8, 105, "L3= ----")));
        EXPECT_THAT(calls, Not(Contains(at(8, 105, "L3=2.500 (m)"))));
    }
}

TEST(SheetBlock, PointLoadsAreFormattedWithThreeDecimals)
{
    results::SlotRecord slot = traditionalSlot();
    slot[21] = "-1.23456"; // P8
    slot[29] = "5";
    const auto calls = drawBlock(slot);
    EXPECT_THAT(calls, Contains(at(13, 15, "P8=-1.235 (tf),")));
    EXPECT_THAT(calls, Contains(at(13, 105, "L8=5.000 (m)")));
}

TEST(SheetBlock, PartSpanLoadsFollowTheirLoadedLength)
{
    results::SlotRecord slot = traditionalSlot();
    // load a: shown although w2 and LD1 are 0
    slot[30] = "1.5"; slot[33] = "0"; slot[36] = "0"; slot[39] = "2.0";
    // load b: intensities but no loaded length, so dashed
    slot[31] = "5"; slot[34] = "5"; slot[37] = "1"; slot[40] = "0";
    // load c: empty loaded length reads as 0
    slot[32] = "1"; slot[35] = "1"; slot[38] = "1"; slot[41] = "";
    const auto calls = drawBlock(slot);
    const std::string expected[] = {
        at(15, 15, "w1(1) =1.500 (tf/m),"), at(15, 130, "w2(1) =0.000 (tf/m)"),
        at(16, 15, "LD1(1)=0.000 (m),"),    at(16, 130, "LD2(1)=2.000 (m)"),
        at(17, 15, "w1(2) = ----"),         at(17, 130, "w2(2) = ----"),
        at(18, 15, "LD1(2)= ----"),         at(18, 130, "LD2(2)= ----"),
        at(19, 15, "w1(3) = ----"),         at(20, 130, "LD2(3)= ----"),
    };
    for (const std::string &line : expected) {
        SCOPED_TRACE(line);
        EXPECT_THAT(calls, Contains(line));
    }
}

TEST(SheetBlock, SiPartSpanUnits)
{
    results::SlotRecord slot = siSlot();
    slot[32] = "2"; slot[35] = "3"; slot[38] = "1"; slot[41] = "1";
    const auto calls = drawBlock(slot);
    EXPECT_THAT(calls, Contains(at(19, 15, "w1(3) =2.000 (kN/m),")));
    EXPECT_THAT(calls, Contains(at(19, 130, "w2(3) =3.000 (kN/m)")));
    EXPECT_THAT(calls, Contains(at(20, 15, "LD1(3)=1.000 (m),")));
}

TEST(SheetBlock, EmptyUniformLoadIsCoveredByDashes)
{
    results::SlotRecord slot = traditionalSlot();
    slot[11] = "";
    const auto calls = drawBlock(slot);
    const auto unit = std::find(calls.begin(), calls.end(), at(3, 15, "w= (tf/m)"));
    const auto cover = std::find(calls.begin(), calls.end(), at(3, 15, "w= ----- "));
    ASSERT_NE(unit, calls.end());
    ASSERT_NE(cover, calls.end());
    EXPECT_LT(unit, cover) << "the dashes must be drawn over the unit";
}

TEST(SheetBlock, UniformLoadFormulaLine)
{
    results::SlotRecord slot = traditionalSlot();
    slot[12] = "1.200x3.000";
    EXPECT_THAT(drawBlock(slot), Contains(at(4, 15, "[ = 1.200x3.000 ]")));
}

TEST(SheetBlock, BendingVerdictFollowsTheStoredRatio)
{
    struct Row { const char *ratio; const char *verdict; };
    const Row rows[] = {
        {"1.000", "< 1.0 OK."}, {"1", "< 1.0 OK."},      {"1.001", "> 1.0 NG."},
        {"0.999", "< 1.0 OK."}, {"", "< 1.0 OK."},       {"2.5e0", "> 1.0 NG."},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.ratio);
        results::SlotRecord slot = traditionalSlot();
        slot[59] = row.ratio;
        slot[64] = "OK."; // the stored verdict is not used
        EXPECT_EQ(sheets::bendingVerdict(slot), row.verdict);
        EXPECT_THAT(drawBlock(slot), Contains(at(30, 15, std::string("σb/fb=") + row.ratio + row.verdict)));
    }
}

TEST(SheetBlock, DeflectionVerdictAndLimitLine)
{
    struct Row {
        const char *name;
        const char *absLimit, *n, *delta, *lx;
        const char *verdict;
        const char *limitLine; // nullptr: no line 33
    };
    const Row rows[] = {
        {"both limits met", "2.0", "300", "0.512", "1171.9", "OK.", "撓み制限値：2.0 cm かつ L / 300 以下"},
        {"ratio limit only", "", "300", "0.512", "1171.9", "OK.", "撓み制限値：L / 300 以下"},
        {"absolute limit only", "2.0", "", "0.512", "1171.9", "OK.", "撓み制限値：2.0 cm 以下"},
        {"no limit", "", "", "0.512", "1171.9", "OK.", nullptr},
        {"ratio below n", "2.0", "300", "0.512", "250.0", "NG.", "撓み制限値：2.0 cm かつ L / 300 以下"},
        {"ratio equal to n", "", "300", "0.512", "300.0", "OK.", "撓み制限値：L / 300 以下"},
        {"deflection above the absolute limit", "0.5", "300", "0.512", "1171.9", "NG.",
         "撓み制限値：0.5 cm かつ L / 300 以下"},
        {"deflection equal to the absolute limit", "0.512", "", "0.512", "1171.9", "OK.", "撓み制限値：0.512 cm 以下"},
        {"absolute limit 0 takes no part", "0", "", "9.0", "10.0", "OK.", "撓み制限値：0 cm 以下"},
        {"upward deflection beyond the absolute limit", "0.5", "", "-0.512", "1171.9", "NG.", "撓み制限値：0.5 cm 以下"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        results::SlotRecord slot = traditionalSlot();
        slot[10] = row.absLimit;
        slot[9] = row.n;
        slot[62] = row.delta;
        slot[63] = row.lx;
        slot[64] = "NG."; // the stored verdict is not used
        EXPECT_EQ(sheets::deflectionVerdict(slot), row.verdict);
        const auto calls = drawBlock(slot);
        EXPECT_THAT(calls, Contains(at(32, 15, std::string("δ=") + row.delta + " (cm)= L / " + row.lx + row.verdict)));
        if (row.limitLine) {
            EXPECT_THAT(calls, Contains(at(33, 15, row.limitLine)));
        } else {
            EXPECT_FALSE(sheets::deflectionLimitLine(slot));
            for (const std::string &call : calls)
                EXPECT_FALSE(call.starts_with("text 105,408 ")) << call;
        }
    }
}

TEST(SheetBlock, StoredTextsAreDrawnVerbatim)
{
    results::SlotRecord slot = traditionalSlot();
    slot[7] = "6.0m";
    slot[54] = "abc";
    slot[60] = "";
    const auto calls = drawBlock(slot);
    EXPECT_THAT(calls, Contains(at(22, 15, "L=6.0m (m)")));
    EXPECT_THAT(calls, Contains(at(24, 15, "M=abc (tf-m)")));
    EXPECT_THAT(calls, Contains(at(28, 15, "RA= (tf)")));
}

TEST(SheetBlock, ConvertedStressRoundsHalfAwayFromZero)
{
    EXPECT_EQ(sheets::convertedStress("1.600"), "15.69");
    EXPECT_EQ(sheets::convertedStress(""), "0.00");
    EXPECT_EQ(sheets::convertedStress("-1"), "-9.81");
    // 100 tf/cm2 = 980.665 kN/cm2: more integer digits than the pattern still show
    EXPECT_EQ(sheets::convertedStress("100"), "980.67");
}

} // namespace
