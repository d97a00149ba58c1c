// kovel-cli sheets, run as a program without a display: the PDF it writes, its options,
// and the refusals that must leave every file as it was.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <string>

#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

const std::string kSample = KOVEL_SOURCE_DIR "/tools/data/sheets-sample.kvl"; // four results

struct SheetsRun {
    int status = -1;
    std::string out, err;
};

std::string slurp(const fs::path &p)
{
    std::ifstream in(p, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

std::string quoted(const std::string &s) { return "'" + s + "'"; }

// Page objects of a PDF ("/Type /Page", not the "/Type /Pages" tree).
int pdfPages(const std::string &pdf)
{
    static const std::regex page("/Type\\s*/Page(?![s\\w])");
    return static_cast<int>(std::distance(std::sregex_iterator(pdf.begin(), pdf.end(), page), std::sregex_iterator()));
}

bool havePdfToText() { return std::system("command -v pdftotext >/dev/null 2>&1") == 0; }

class CliSheets : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir = fs::temp_directory_path() /
              ("kovel_cli_sheets_" + std::to_string(::getpid()) + "_" + std::to_string(++counter));
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }

    // Runs `kovel-cli sheets <args>` with no display and no platform chosen, as a batch
    // job on a server would.
    SheetsRun sheets(const std::string &args) const { return cli("sheets " + args); }

    SheetsRun cli(const std::string &args) const
    {
        const fs::path out = dir / "stdout", err = dir / "stderr";
        const std::string command = "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM " + quoted(KOVEL_CLI) +
                                    " " + args + " > " + quoted(out.string()) + " 2> " + quoted(err.string());
        const int raw = std::system(command.c_str());
        SheetsRun r;
        r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
        r.out = slurp(out);
        r.err = slurp(err);
        fs::remove(out);
        fs::remove(err);
        return r;
    }

    std::string path(const std::string &name) const { return (dir / name).string(); }

    // Skips the test when this kovel-cli was built without printing.
    bool printingBuilt() const
    {
        const SheetsRun r = sheets(quoted(kSample) + " " + quoted(path("probe.pdf")));
        return r.err.find("Qt なしのビルド") == std::string::npos;
    }

    fs::path dir;
    static inline int counter = 0;
};

TEST_F(CliSheets, EveryResultOfTheProjectTwoToASheet)
{
    if (!printingBuilt())
        GTEST_SKIP() << "kovel-cli built without printing";
    const std::string pdf = path("sheets.pdf");
    const SheetsRun r = sheets(quoted(kSample) + " " + quoted(pdf));
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "");
    EXPECT_NE(r.out.find("計算書を 2 頁出力しました"), std::string::npos) << r.out;
    const std::string bytes = slurp(pdf);
    EXPECT_EQ(bytes.rfind("%PDF-", 0), 0u);
    EXPECT_EQ(pdfPages(bytes), 2); // four results
}

TEST_F(CliSheets, OptionsSetThePageNumbersAndTheMargin)
{
    if (!printingBuilt())
        GTEST_SKIP() << "kovel-cli built without printing";
    struct Row {
        const char *name;
        std::string options;
        std::string present; // in the text of the PDF
        std::string absent;
    };
    const Row rows[] = {
        {"numbers from 5, centred", "--first 5 --position center", "- 5 -\n", "- 1 -"},
        {"second sheet framed too", "--position=center --first=5", "- 6 -\n", "- 7 -"},
        {"options before the files", "--first 12", "12\n", "- 12 -"},
        {"no numbers", "--no-page-numbers --position center", "大梁G1の設計", "- 1 -"},
        {"numbers at the bottom", "--position leftlower --margin 0", "片持ちC4の設計", "- 1 -"},
        // the page number at the upper right reaches the edge of the paper (221 left it)
        {"largest margin that keeps the printout on the paper", "--margin=42", "", ""},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        const std::string pdf = path("sheets.pdf");
        fs::remove(pdf);
        const std::string args = std::string(row.name) == "options before the files"
                                     ? row.options + " " + quoted(kSample) + " " + quoted(pdf)
                                     : quoted(kSample) + " " + quoted(pdf) + " " + row.options;
        const SheetsRun r = sheets(args);
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(pdfPages(slurp(pdf)), 2);
        if (!havePdfToText())
            continue;
        const std::string text = path("sheets.txt");
        ASSERT_EQ(std::system(("pdftotext -enc UTF-8 " + quoted(pdf) + " " + quoted(text)).c_str()), 0);
        const std::string printed = slurp(text);
        if (!row.present.empty()) {
            EXPECT_NE(printed.find(row.present), std::string::npos) << row.present;
        }
        if (!row.absent.empty()) {
            EXPECT_EQ(printed.find(row.absent), std::string::npos) << row.absent;
        }
    }
}

TEST_F(CliSheets, AMarginThatPushesThePrintoutOffThePaperIsRefused)
{
    if (!printingBuilt())
        GTEST_SKIP() << "kovel-cli built without printing";
    const SheetsRun r = sheets(quoted(kSample) + " " + quoted(path("wide.pdf")) + " --margin 43");
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("左マージンは0から42までの整数"), std::string::npos) << r.err;
    EXPECT_FALSE(fs::exists(path("wide.pdf")));
}

TEST_F(CliSheets, RefusalsWriteNothingAndKeepTheOldFile)
{
    const std::string out = path("out.pdf");
    const std::string broken = path("broken.kvl"), empty = path("empty.kvl");
    std::ofstream(broken, std::ios::binary) << "abc\r\n";
    std::ofstream(empty, std::ios::binary) << "0\r\n";
    const std::string sample = quoted(kSample), pdf = quoted(out);

    struct Row {
        const char *name;
        std::string args;
        int status;
        std::string message; // part of standard error
    };
    const Row rows[] = {
        {"no files", "", 2, "プロジェクトファイルと出力するPDFファイル"},
        {"one file", sample, 2, "プロジェクトファイルと出力するPDFファイル"},
        {"three files", sample + " " + pdf + " extra.pdf", 2, "プロジェクトファイルと出力するPDFファイル"},
        {"unknown option", sample + " " + pdf + " --bogus", 2, "「--bogus」というオプションはありません。"},
        {"unknown position", sample + " " + pdf + " --position top", 2, "頁番号の位置「top」は使えません"},
        {"position without value", sample + " " + pdf + " --position", 2, "--position の後に"},
        {"first page not an integer", sample + " " + pdf + " --first x", 2, "'x' は整数ではありません"},
        {"first page without value", sample + " " + pdf + " --first", 2, "--first の後に"},
        {"margin not an integer", sample + " " + pdf + " --margin 1.5", 2, "'1.5' は整数ではありません"},
        {"margin not a number", sample + " " + pdf + " --margin abc", 2, "'abc' は整数ではありません"},
        {"margin off the paper", sample + " " + pdf + " --margin 222", 2, "左マージンは0から221までの整数"},
        {"negative margin", sample + " " + pdf + " --margin -1", 2, "左マージンは0から221までの整数"},
        {"missing project", quoted(path("none.kvl")) + " " + pdf, 1, "none.kvl"},
        {"broken project", quoted(broken) + " " + pdf, 1, "データ数（整数）ではありません"},
        {"project without results", quoted(empty) + " " + pdf, 1, "計算結果がありません"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        std::ofstream(out, std::ios::binary) << "old contents";
        const SheetsRun r = sheets(row.args);
        EXPECT_EQ(r.status, row.status);
        EXPECT_NE(r.err.find(row.message), std::string::npos) << r.err;
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(slurp(out), "old contents");
    }
}

TEST_F(CliSheets, NeverWritesOverTheProject)
{
    const std::string project = path("project.kvl");
    fs::copy_file(kSample, project);
    const std::string before = slurp(project);
    const SheetsRun r = sheets(quoted(project) + " " + quoted(path("./project.kvl")));
    EXPECT_EQ(r.status, 2);
    EXPECT_NE(r.err.find("出力先がプロジェクトファイル"), std::string::npos) << r.err;
    EXPECT_EQ(slurp(project), before);
}

TEST_F(CliSheets, UnwritableTargetIsAnOutputFailure)
{
    if (!printingBuilt())
        GTEST_SKIP() << "kovel-cli built without printing";
    const std::string pdf = path("no such folder/sheets.pdf");
    const SheetsRun r = sheets(quoted(kSample) + " " + quoted(pdf));
    EXPECT_EQ(r.status, 3);
    EXPECT_NE(r.err, "");
    EXPECT_FALSE(fs::exists(pdf));
}

// A project file shorter than its count opens with the missing fields empty; the
// window says so, and so must both commands that read it (their exit status unchanged).
TEST_F(CliSheets, AShortProjectFileIsNoted)
{
    const std::string whole = slurp(kSample);
    std::size_t cut = 0;
    for (int line = 0; line < 200; ++line)
        cut = whole.find('\n', cut) + 1;
    const std::string shortFile = path("short.kvl");
    std::ofstream(shortFile, std::ios::binary) << whole.substr(0, cut);
    const SheetsRun text = cli("text " + quoted(shortFile) + " " + quoted(path("short.txt")));
    EXPECT_EQ(text.status, 0);
    EXPECT_NE(text.err.find("200 行しかありません"), std::string::npos) << text.err;
    if (!printingBuilt())
        return;
    const SheetsRun pdf = sheets(quoted(shortFile) + " " + quoted(path("short.pdf")));
    EXPECT_EQ(pdf.status, 0);
    EXPECT_NE(pdf.err.find("200 行しかありません"), std::string::npos) << pdf.err;
}

TEST_F(CliSheets, HelpDescribesTheOptions)
{
    const SheetsRun r = sheets("--help");
    EXPECT_EQ(r.status, 0);
    for (const char *option : {"--first", "--position", "--no-page-numbers", "--margin"})
        EXPECT_NE(r.out.find(option), std::string::npos) << option;
}

// --detail: the list and one sheet a beam with the title block the options give; a date
// that is no day, and title options without --detail, are refused before anything is written.
TEST_F(CliSheets, DetailedDocumentWithItsTitleBlock)
{
    if (!printingBuilt())
        GTEST_SKIP() << "kovel-cli built without printing";
    const std::string pdf = path("detail.pdf");
    for (const char *bad : {"--detail --date 2026-02-30", "--detail --date=2026/04/01", "--designer 設計"}) {
        SCOPED_TRACE(bad);
        const SheetsRun r = sheets(quoted(kSample) + " " + quoted(pdf) + " " + bad);
        EXPECT_EQ(r.status, 2);
        EXPECT_NE(r.err.find(std::string(bad).find("date") != std::string::npos ? "正しい日付ではありません" : "--detail と一緒に"),
                  std::string::npos)
            << r.err;
        EXPECT_FALSE(fs::exists(pdf));
    }
    const SheetsRun r = sheets(quoted(kSample) + " " + quoted(pdf) + " --detail --title 'テスト工事' --date 2026-04-01");
    ASSERT_EQ(r.status, 0) << r.err;
    const int pages = pdfPages(slurp(pdf));
    EXPECT_GE(pages, 5); // the list and four beams
    EXPECT_NE(r.out.find("詳細計算書を " + std::to_string(pages) + " 頁出力しました"), std::string::npos) << r.out;
    if (!havePdfToText())
        return;
    const std::string text = path("detail.txt");
    ASSERT_EQ(std::system(("pdftotext -enc UTF-8 " + quoted(pdf) + " " + quoted(text)).c_str()), 0);
    const std::string printed = slurp(text);
    EXPECT_NE(printed.find("工事名：テスト工事"), std::string::npos);
    EXPECT_NE(printed.find("日付：2026-04-01"), std::string::npos);
    EXPECT_NE(printed.find("計算書一覧"), std::string::npos);
    EXPECT_NE(printed.find(std::to_string(pages) + " / " + std::to_string(pages)), std::string::npos);
}

} // namespace
