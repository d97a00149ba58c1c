// kovel-cli calc, run as a program from the repository root (where shape/ is).
#include "tests/cli/clirun.h"

#include "beam/numtext.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

namespace {

using namespace clirun;

TEST(CliCalc, OutputLinesInOrder)
{
    const CliRun r = runCli("calc", "Span=6\nuniform=1\nsi=0\njijuucheck=0\nfamily=direct\ninertia=10000\nmodulus=1000\n");
    ASSERT_EQ(r.status, 0) << r.err;
    const std::vector<std::string> names = {"RQa",    "RQb",     "RMmax",  "RMmaxl", "Mcent",  "Menda",
                                            "Mendb",  "Rdelta",  "Rlx",    "Rfb",    "RSigmab", "Rratio",
                                            "hantei", "member",  "inertia", "modulus", "selfw"};
    ASSERT_EQ(r.lines.size(), names.size() + 101);
    for (std::size_t k = 0; k < names.size(); ++k)
        EXPECT_EQ(r.lines[k].substr(0, r.lines[k].find('=')), names[k]);
    for (int i = 0; i <= 100; ++i)
        EXPECT_EQ(r.lines[names.size() + i].substr(0, r.lines[names.size() + i].find('=')), "M" + std::to_string(i));
}

TEST(CliCalc, SimpleBeamExample)
{
    // L = 6 m, w = 1 tf/m, I = 10000 cm4: w L / 2, w L^2 / 8, 5 w L^4 / (384 E I)
    const CliRun r = runCli("calc", "# simple beam\n\nSpan=6\r\nuniform=1\r\nsi=0\njijuucheck=0\nfamily=direct\n"
                                 "member=test beam\ninertia=10000\nmodulus=1000\n");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.at.at("RQa"), "3.000");
    EXPECT_EQ(r.at.at("RQb"), "3.000");
    EXPECT_EQ(r.at.at("RMmax"), "4.500");
    EXPECT_EQ(r.at.at("RMmaxl"), "3.000");
    EXPECT_EQ(r.at.at("Mcent"), "4.500");
    EXPECT_EQ(r.at.at("Menda"), "");
    EXPECT_EQ(r.at.at("Rdelta"), "0.804");
    EXPECT_EQ(r.at.at("Rlx"), "746.7");
    EXPECT_EQ(r.at.at("Rfb"), "1.600");
    EXPECT_EQ(r.at.at("RSigmab"), beam::formatNumber(4.5 * 100 / 1000, "##0.000"));
    EXPECT_EQ(r.at.at("hantei"), "OK.");
    EXPECT_EQ(r.at.at("member"), "test beam");
    EXPECT_EQ(r.at.at("M0"), "0");
    EXPECT_EQ(r.at.at("M50"), "4.5");
    EXPECT_EQ(r.at.at("M100"), "0");
}

TEST(CliCalc, ReadsStandardInput)
{
    const CliRun r = runCli("calc", "Span=5\np1=10\npl1=2.5\njijuucheck=0\nsi=0\n", true);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.at.at("RMmax"), "12.500");
    EXPECT_EQ(r.at.at("member"), "H-100x50x5x7"); // start-up member, looked up in the catalogue
    EXPECT_EQ(r.at.at("inertia"), "187");
}

TEST(CliCalc, SectionSources)
{
    struct Row {
        const char *name;
        std::string input;
        const char *member, *inertia, *modulus, *selfw;
    };
    const Row rows[] = {
        {"narrow-flange H from the catalogue, weak axis", "Span=4\nfamily=HN\nmember=H-125x60x6x8\nweak=1\n",
         "H-125x60x6x8", "29.1", "9.71", "13.1"},
        {"a family without a member takes its first list item", "Span=4\nfamily=HW\n", "H-100x100x6x8", "378",
         "75.6", "16.9"},
        {"built-up H", "Span=4\nfamily=BH\nH=400\nB=200\ntw=9\ntf=16\n", "BH-400x200x9x16", "27344.31", "1367.22",
         "76.24"},
        {"square pipe, weak axis", "Span=4\nfamily=kaku\nH=200\nB=100\ntf=6\nweak=1\n", "□-200x100x6", "599.03",
         "119.81", "27.13"},
        {"round pipe", "Span=4\nfamily=maru\nB=114.3\ntf=4.5\n", "φ114.3x4.5", "234.32", "41.00", "12.19"},
        {"direct input as typed", "Span=4\nfamily=direct\nmember=x\ninertia=1000.0\nmodulus=100\nselfw=12\n", "x",
         "1000.0", "100", "12"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        const CliRun r = runCli("calc", row.input);
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.at.at("member"), row.member);
        EXPECT_EQ(r.at.at("inertia"), row.inertia);
        EXPECT_EQ(r.at.at("modulus"), row.modulus);
        EXPECT_EQ(r.at.at("selfw"), row.selfw);
    }
}

TEST(CliCalc, AutomaticSelection)
{
    const CliRun r = runCli("calc", "Span=6\nuniform=10\nlb=3\ndesign=1\nfamily=L\n");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.err.find("HN"), std::string::npos); // told that the narrow-flange list was used
    EXPECT_EQ(r.at.at("hantei"), "OK.");
    EXPECT_EQ(r.at.at("member").rfind("H-", 0), 0u);

    // the chosen section checked by itself gives the same result
    const CliRun chosen = runCli("calc", "Span=6\nuniform=10\nlb=3\nfamily=HN\nmember=" + r.at.at("member") + "\n");
    EXPECT_EQ(chosen.at.at("hantei"), "OK.");
    EXPECT_EQ(chosen.at.at("Rratio"), r.at.at("Rratio"));
}

TEST(CliCalc, NoticeRuleInputNamesAndOutputs)
{
    const std::string beam = "Span=6\np1=120\npl1=3\nlb=3\njijuucheck=0\nseigen1=0\nseigen2=0\n"
                             "member=H-300x150x6.5x9\nfbrule=notice\ngrade=SN400B\nC=auto\nshear=1\n";
    const CliRun r = runCli("calc", beam);
    ASSERT_EQ(r.status, 0) << r.err;
    const std::vector<std::string> names = {"hantei", "fb1", "fb2", "ib", "C", "tau", "fs", "Rshear", "member"};
    const auto at = std::find(r.lines.begin(), r.lines.end(), "hantei=" + r.at.at("hantei"));
    ASSERT_NE(at, r.lines.end());
    for (std::size_t k = 0; k < names.size(); ++k)
        EXPECT_EQ(at[static_cast<long>(k)].substr(0, at[static_cast<long>(k)].find('=')), names[k]);
    EXPECT_EQ(r.at.at("Rfb"), "13.350");
    EXPECT_EQ(r.at.at("fb1"), "13.050");
    EXPECT_EQ(r.at.at("fb2"), "13.350");
    EXPECT_EQ(r.at.at("ib"), "3.874");
    EXPECT_EQ(r.at.at("C"), "1.00");
    EXPECT_EQ(r.at.at("tau"), "3.273");
    EXPECT_EQ(r.at.at("fs"), "9.045");
    EXPECT_EQ(r.at.at("Rshear"), "0.362");

    // F typed instead of a grade, C typed: fs = 325 / (1.5 sqrt 3) / 10, fb1 with C = 2.
    std::string withoutGrade = beam;
    withoutGrade.erase(withoutGrade.find("grade=SN400B\n"), std::string("grade=SN400B\n").size());
    const CliRun typed = runCli("calc", withoutGrade + "F=325\nC=2\n");
    ASSERT_EQ(typed.status, 0) << typed.err;
    EXPECT_EQ(typed.at.at("fs"), beam::formatNumber(325 / (1.5 * std::sqrt(3.0)) / 10, "#0.000"));
    EXPECT_EQ(typed.at.at("C"), "2.00");
    // A grade and an F: which one counts would hang on the order of the lines.
    for (const std::string &both : {beam + "F=325\n", withoutGrade + "F=325\ngrade=SN490B\n"}) {
        const CliRun refused = runCli("calc", both);
        EXPECT_EQ(refused.status, 2);
        EXPECT_NE(refused.err.find("同時に指定できません"), std::string::npos) << refused.err;
        EXPECT_EQ(refused.out, "");
    }

    // The automatic selection checks each section on the notice rule: a lighter section
    // passes than under the simplified formula, whose fb falls fast with lb.
    const std::string select = "Span=8\nuniform=5\nlb=3\ndesign=1\nfamily=HN\nseigen1=0\nseigen2=0\n";
    const CliRun old = runCli("calc", select);
    const CliRun notice = runCli("calc", select + "fbrule=notice\n");
    ASSERT_EQ(old.status, 0) << old.err;
    ASSERT_EQ(notice.status, 0) << notice.err;
    EXPECT_EQ(notice.at.at("hantei"), "OK.");
    EXPECT_LT(beam::parseDouble(notice.at.at("selfw")), beam::parseDouble(old.at.at("selfw")));
    EXPECT_EQ(old.at.count("fb1"), 0u); // the default output is unchanged
}

TEST(CliCalc, ErrorsNameTheLineAndExitNonZero)
{
    struct Row {
        const char *name;
        std::string input;
        int status;
        const char *mentions;
    };
    const Row rows[] = {
        {"unknown name", "Span=6\nspan=7\n", 2, "2行目"},
        {"line without =", "Span=6\n\nuniform 3\n", 2, "3行目"},
        {"flag other than 0 or 1", "Span=6\nsi=yes\n", 2, "2行目"},
        {"unknown support", "support=fixed\nSpan=6\n", 2, "1行目"},
        {"unknown family", "Span=6\nfamily=HX\n", 2, "2行目"},
        {"span 0", "Span=0\n", 1, "スパン長さ"},
        {"span missing", "uniform=1\n", 1, "スパン長さ"},
        {"span out of range", "Span=1e400\n", 1, "スパン長さ"},
        {"member not in the catalogue", "Span=6\nmember=H-1x1x1x1\n", 1, "H-1x1x1x1"},
        {"I = 0 in direct input", "Span=6\nfamily=direct\ninertia=0\n", 1, "断面二次モーメント"},
        {"zero flange width of a built-up H", "Span=6\nfamily=BH\nB=0\nlb=3\n", 1, "フランジ幅 B（0）が0以下"},
        {"built-up H with a web thicker than its flange is wide", "Span=6\nfamily=BH\nH=400\ntw=200\ntf=8\nB=13\n", 1,
         "ウェブ厚 tw（200）がフランジ幅 B（13）以上"},
        {"round pipe with no bore", "Span=6\nfamily=maru\nB=10\ntf=5\n", 1, "板厚 tの2倍（10）が外径 D（10）以上"},
        {"no registered members", "Span=6\nfamily=user\n", 1, "登録部材"},
        {"unknown rule", "Span=6\nfbrule=new\n", 2, "2行目"},
        {"unknown grade", "Span=6\ngrade=SS41\n", 2, "2行目"},
        {"C out of range", "Span=6\nC=3\n", 2, "2行目"},
        {"F not a number", "F=abc\nSpan=6\n", 2, "1行目"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        const CliRun r = runCli("calc", row.input);
        EXPECT_EQ(r.status, row.status);
        EXPECT_TRUE(r.out.empty()) << r.out;
        EXPECT_NE(r.err.find(row.mentions), std::string::npos) << r.err;
        EXPECT_EQ(r.err.find("inf"), std::string::npos);
        EXPECT_EQ(r.err.find("nan"), std::string::npos);
    }
}

// What the window adds to its calculation-finished message comes as a last "note=" line;
// numbers typed full-width read as the ASCII ones, and a number followed by other text
// is read by the leading-number rule with a warning naming the line, field and value.
TEST(CliCalc, NotesAndWarnings)
{
    const std::string direct = "Span=6\nuniform=1\nsi=0\njijuucheck=0\nfamily=direct\ninertia=10000\nmodulus=1000\n";
    struct Row {
        const char *name;
        std::string input;
        const char *note;    // the last stdout line, or "" for none
        const char *warning; // on standard error, or "" for none
        const char *hantei;
    };
    const Row rows[] = {
        {"direct input with lb", direct + "lb=3\n", "note=（登録部材・直接入力の断面では横座屈を考慮していません。）", "",
         "OK."},
        {"direct input about the weak axis", direct + "lb=3\nweak=1\n", "", "", "OK."},
        {"catalogue section with lb", "Span=6\nuniform=1\nlb=3\n", "", "", "NG."},
        {"no section of the family passes", "Span=12\nuniform=300\ndesign=1\nfamily=C\n",
         "note=（溝形鋼（C）には OK. となる部材がありません。最大の ", "", "NG."},
        {"full-width digits", "Span=６．０\nuniform=１\nsi=0\njijuucheck=0\nfamily=direct\ninertia=１００００\nmodulus=1000\n",
         "", "", "OK."},
        {"a thousands comma", direct + "p1=1,500\npl1=3\n", "", "8行目: p1 の値「1,500」は 1 として読みました", "OK."},
        {"a unit after the number", direct + "Span=6m\n", "", "8行目: Span の値「6m」は 6 として読みました", "OK."},
        {"automatic selection that finds a section", "Span=6\nuniform=10\ndesign=1\nfamily=HN\n", "", "", "OK."},
        {"the notice rule's words",
         "Span=6\nuniform=5\nlb=3\nfamily=HN\nmember=H-300x150x6.5x9\nfbrule=notice\ngrade=SN490B\nC=auto\nshear=1\n", "",
         "", "OK."},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        const CliRun r = runCli("calc", row.input);
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.at.at("hantei"), row.hantei);
        if (*row.note)
            EXPECT_EQ(r.lines.back().rfind(row.note, 0), 0u) << r.lines.back();
        else
            EXPECT_EQ(r.at.count("note"), 0u);
        if (*row.warning)
            EXPECT_NE(r.err.find(row.warning), std::string::npos) << r.err;
        else
            EXPECT_EQ(r.err.find("警告"), std::string::npos) << r.err;
    }
    // full-width and ASCII input give the same result
    const CliRun ascii = runCli("calc", direct), wide = runCli("calc", rows[4].input);
    EXPECT_EQ(ascii.out, wide.out);
}

TEST(CliCalc, MissingCatalogueIsNamed)
{
    const fs::path empty = fs::temp_directory_path() / ("kovel_cli_empty_" + std::to_string(::getpid()));
    fs::create_directories(empty);
    const CliRun r = runCli("calc", "Span=6\n", false, empty.string());
    fs::remove_all(empty);
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("buzai.txt"), std::string::npos) << r.err;
}

TEST(CliCalc, MissingInputFileIsNamed)
{
    const fs::path missing = fs::temp_directory_path() / "kovel-no-such-dir" / "kovel-input.txt";
    const CliRun r = runCli("calc " + quoted(missing.string()), "");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("kovel-input.txt"), std::string::npos);
}

TEST(CliCalc, HelpDescribesTheInput)
{
    const CliRun r = runCli("--help", "");
    EXPECT_EQ(r.status, 0);
    for (const char *word : {"calc", "Span", "support", "family", "design", "RQa", "M0..M100"})
        EXPECT_NE(r.out.find(word), std::string::npos) << word;
    const CliRun none = runCli("", "");
    EXPECT_EQ(none.status, 2);
    const CliRun unknown = runCli("frobnicate", "");
    EXPECT_EQ(unknown.status, 2);
}

} // namespace
