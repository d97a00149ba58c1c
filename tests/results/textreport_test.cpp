#include "helpers.h"

#include "files/textfile.h"
#include "results/projectfile.h"
#include "results/textreport.h"

#include <gtest/gtest.h>

namespace {

using namespace testing_results;
using Lines = std::vector<std::string>;

// A traditional-unit slot with every kind of load line.
results::SlotRecord beamSlot()
{
    results::SlotRecord r{};
    r[1] = "1";
    r[2] = "小梁B1";
    r[3] = "強軸";
    r[4] = "長期";
    r[5] = "両端ピン";
    r[6] = "従来単位";
    r[7] = "4.00";
    r[8] = "4.00";
    r[9] = "300";
    r[10] = "2.0";
    r[11] = "1.2";
    r[12] = "0.6×2";
    r[13] = "自重自動計算";
    r[14] = "2.5"; // P1
    r[22] = "1.0";
    r[16] = "1.5"; // P3
    r[24] = "2.00";
    r[17] = "0"; // P4 is zero, its position is not
    r[25] = "3.0";
    r[30] = "1.0"; // load a
    r[33] = "2.0";
    r[36] = "0.5";
    r[39] = "1.5";
    r[31] = "3"; // load b: LD2 = 0 with w1 set
    r[37] = "1";
    r[40] = "0";
    r[32] = "0"; // load c: zeros written as stored
    r[35] = "1";
    r[38] = "0";
    r[41] = "2";
    r[42] = "2.0"; // LD3 is never written
    r[45] = "HN";
    r[46] = "H-200x100x5.5x8";
    r[51] = "1840";
    r[52] = "184";
    r[53] = "21.3";
    r[54] = "3.150";
    r[55] = "2.000";
    r[57] = "1.600";
    r[59] = "0.107";
    r[60] = "3.325";
    r[61] = "3.475";
    r[62] = "0.250";
    r[63] = "1600.0";
    r[64] = "OK.";
    return r;
}

TEST(TextReport, BlockOfATraditionalSlotLineByLine)
{
    const Lines expected = {
        "小梁B1の設計",
        "H-200x100x5.5x8 で検定",
        "[ 強軸, I = 1840 (cm4), Z = 184 (cm3), 自重 21.3 (kg/m) ]",
        "L = 4.00 (m), lb = 4.00 (m), 支持条件:両端ピン",
        "",
        "1.荷重",
        " 1)等分布荷重 (自重自動計算)",
        "  w = 1.2(tf/m) (0.6×2 )",
        " 2)集中荷重",
        "  P(1) = 2.5(tf), Lp(1) = 1.0(m),P(2) = -----(tf), Lp(2) = -----(m)",
        "  P(3) = 1.5(tf), Lp(3) = 2.00(m),P(4) = -----(tf), Lp(4) = 3.0(m)",
        "  P(5) = -----(tf), Lp(5) = -----(m),P(6) = -----(tf), Lp(6) = -----(m)",
        "  P(7) = -----(tf), Lp(7) = -----(m),P(8) = -----(tf), Lp(8) = -----(m)",
        " 3)分布荷重",
        "  w1(1) = 1.0(tf/m), w2(1) = 2.0(tf/m), LD1(1) = 0.5(m), LD2(1) = 1.5(m)",
        "  w1(2) = -----(tf/m), w2(2) = -----(tf/m), LD1(2) = -----(m), LD2(2) = -----(m)",
        "  w1(3) = 0(tf/m), w2(3) = 1(tf/m), LD1(3) = 0(m), LD2(3) = 2(m)",
        "2.最大曲げモーメント",
        "  M = 3.150(tf-m), (計算位置：左端から 2.000m)",
        "3.支点反力",
        "  RA = 3.325(tf), RB = 3.475(tf)",
        "4.許容曲げ応力度",
        "  fb = 1.600(tf/cm2)",
        "5.曲げ判定",
        "  σ/fb = M/(Z.fb) = 0.107",
        "6.撓み判定",
        "  δ= 0.250 (cm) = L/ 1600.0",
        "  制限値: 2.0 (cm)以下 かつ L/ 300以下",
        "7.判定  : OK.",
        "----------------------------------------------",
        "",
    };
    const Lines block = results::reportBlock(beamSlot());
    ASSERT_EQ(block.size(), static_cast<std::size_t>(results::kReportBlockLines));
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE("line " + std::to_string(i + 1));
        EXPECT_EQ(block[i], expected[i]);
    }
    EXPECT_EQ(block[29].size(), 46u);
}

TEST(TextReport, SiSlotUsesTheSiUnitsThroughout)
{
    results::SlotRecord r = beamSlot();
    r[6] = "SI単位";
    const Lines b = results::reportBlock(r);
    EXPECT_EQ(b[7], "  w = 1.2(kN/m) (0.6×2 )");
    EXPECT_EQ(b[9], "  P(1) = 2.5(kN), Lp(1) = 1.0(m),P(2) = -----(kN), Lp(2) = -----(m)");
    EXPECT_EQ(b[14], "  w1(1) = 1.0(kN/m), w2(1) = 2.0(kN/m), LD1(1) = 0.5(m), LD2(1) = 1.5(m)");
    EXPECT_EQ(b[18], "  M = 3.150(kN-m), (計算位置：左端から 2.000m)");
    EXPECT_EQ(b[20], "  RA = 3.325(kN), RB = 3.475(kN)");
    EXPECT_EQ(b[22], "  fb = 1.600(kN/cm2)");
    for (const std::string &line : b)
        EXPECT_EQ(line.find("tf"), std::string::npos) << line;
    r[6] = "SI"; // only the exact word selects SI
    EXPECT_EQ(results::reportBlock(r)[22], "  fb = 1.600(tf/cm2)");
}

TEST(TextReport, UniformLoadLineAndSupportWord)
{
    struct Row { const char *name; const char *w, *formula, *support; const char *line8, *line4end; };
    const Row rows[] = {
        {"no formula", "1.2", "", "両端固定", "  w = 1.2(tf/m)", "支持条件:両端固定"},
        {"zero load", "0.00", "", "両端ピン", "  w = -----(tf/m)", "支持条件:両端ピン"},
        {"empty load with formula", "", "0", "flag1", "  w = -----(tf/m) (0 )", "支持条件:両端ピン"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        results::SlotRecord r = beamSlot();
        r[11] = row.w;
        r[12] = row.formula;
        r[5] = row.support;
        const Lines b = results::reportBlock(r);
        EXPECT_EQ(b[7], row.line8);
        EXPECT_TRUE(b[3].ends_with(row.line4end)) << b[3];
    }
}

TEST(TextReport, ThreeSlotsGiveNinetyThreeLinesAndNoSlotsAnEmptyFile)
{
    TempDir dir("report");
    results::Table t = tableOf(3);
    ASSERT_EQ(results::reportLines(t).size(), 93u);
    ASSERT_EQ(results::writeTextReport(dir.file("r.txt"), t), "");
    const std::string bytes = slurp(dir.file("r.txt"));
    std::size_t crlf = 0, lf = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i)
        if (bytes[i] == '\n') {
            ++lf;
            crlf += i > 0 && bytes[i - 1] == '\r';
        }
    EXPECT_EQ(lf, 93u);
    EXPECT_EQ(crlf, 93u);
    auto read = files::readTextFile(dir.file("r.txt"));
    ASSERT_TRUE(read.lines);
    EXPECT_EQ((*read.lines)[31], "B2の設計");
    EXPECT_EQ((*read.lines)[62], "B3の設計");
    // the marks are not consulted
    t.selectgrid[2] = "0";
    EXPECT_EQ(results::reportLines(t).size(), 93u);

    ASSERT_EQ(results::writeTextReport(dir.file("e.txt"), tableOf(0)), "");
    EXPECT_TRUE(fs::exists(dir.path / "e.txt"));
    EXPECT_EQ(slurp(dir.file("e.txt")), "");
}

TEST(TextReport, RefusesOnlyWrittenTextsCodePage932CannotHold)
{
    TempDir dir("refuse");
    results::Table t = tableOf(2);
    t.slots[2][42] = "😀"; // LD3 is not written
    t.slots[2][15] = "😀"; // reads as 0: written as dashes
    EXPECT_EQ(results::writeTextReport(dir.file("ok.txt"), t), "");

    t.slots[2][46] = "H😀";
    const std::string error = results::writeTextReport(dir.file("bad.txt"), t);
    EXPECT_NE(error.find("2番のデータの「計算部材」にShift-JIS"), std::string::npos) << error;
    EXPECT_FALSE(fs::exists(dir.path / "bad.txt"));
}

TEST(TextReport, ProjectFileToReport)
{
    TempDir dir("export");
    // as kovel-cli text does it
    const results::ProjectRead project = results::readProject(dataFile("two_slots.kvl"));
    ASSERT_TRUE(project.table) << project.error;
    ASSERT_EQ(results::writeTextReport(dir.file("two.txt"), *project.table), "");
    auto read = files::readTextFile(dir.file("two.txt"));
    ASSERT_TRUE(read.lines);
    ASSERT_EQ(read.lines->size(), 62u);
    EXPECT_EQ((*read.lines)[0], "大梁Ｇ１の設計");
    EXPECT_EQ((*read.lines)[7], "  w = 10(kN/m)");
    EXPECT_EQ((*read.lines)[31], "片持ち梁　Ｃ－１の設計");
    EXPECT_EQ((*read.lines)[31 + 7], "  w = 1.2(tf/m) (1.2×3＋0.5 )");
    EXPECT_EQ((*read.lines)[31 + 14], "  w1(1) = 2(tf/m), w2(1) = 4(tf/m), LD1(1) = 0.5(m), LD2(1) = 1.5(m)");

    const results::ProjectRead missing = results::readProject(dir.file("none.kvl"));
    EXPECT_FALSE(missing.table);
    EXPECT_NE(missing.error, "");
}

} // namespace
