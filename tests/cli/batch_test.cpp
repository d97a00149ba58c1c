// kovel-cli batch on a schedule, against kovel-cli calc on each row.
#include "tests/cli/clirun.h"

#include "results/csv.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include <sys/stat.h>
#include <sys/sysmacros.h>

namespace {

using namespace clirun;

std::vector<results::CsvRecord> readCsv(const std::string &bytes)
{
    const results::CsvText text = results::decodeCsv(bytes);
    EXPECT_TRUE(text.utf8) << text.error;
    std::vector<results::CsvRecord> records;
    const std::string utf8 = text.utf8.value_or("");
    results::CsvReader reader(utf8);
    for (results::CsvRecord r; reader.next(r);)
        records.push_back(r);
    EXPECT_EQ(reader.error(), "");
    return records;
}

fs::path scratch(const std::string &name)
{
    return fs::temp_directory_path() / ("kovel_batch_" + std::to_string(::getpid()) + "_" + name);
}

TEST(CliBatch, ExampleScheduleGivesWhatCalcGivesForEachRow)
{
    const std::string schedule = std::string(KOVEL_SOURCE_DIR) + "/examples/schedule.csv";
    const fs::path one = scratch("one.csv"), three = scratch("three.csv"), project = scratch("p.kvl");
    const CliRun r = runCli("batch " + quoted(schedule) + " -o " + quoted(one.string()) + " --jobs 1 --project " +
                                quoted(project.string()),
                            "");
    const CliRun r3 = runCli("batch " + quoted(schedule) + " -o " + quoted(three.string()) + " --jobs 3", "");
    EXPECT_EQ(r.status, 1) << r.err; // the example holds one refused row
    EXPECT_NE(r.err.find("6 行: OK. 4, NG. 1, 計算できない 1"), std::string::npos) << r.err;
    const std::string bytes = slurp(one);
    EXPECT_EQ(bytes.rfind(results::kUtf8Bom, 0), 0u);
    EXPECT_EQ(slurp(three), bytes); // the order and every text whatever the number of threads
    EXPECT_EQ(slurp(project).substr(0, 3), "5\r\n"); // the computed rows only

    const std::vector<results::CsvRecord> in = readCsv(slurp(schedule)), out = readCsv(bytes);
    ASSERT_EQ(out.size(), in.size());
    const std::size_t inputs = in[0].size();
    int refused = 0;
    for (std::size_t row = 1; row < in.size(); ++row) {
        SCOPED_TRACE(in[row][0]);
        std::string lines;
        for (std::size_t k = 0; k < inputs; ++k)
            if (!in[row][k].empty())
                lines += in[0][k] + "=" + in[row][k] + "\n";
        const CliRun calc = runCli("calc", lines);
        std::map<std::string, std::string> cell;
        for (std::size_t k = inputs; k < out[0].size(); ++k)
            cell[out[0][k]] = out[row][k];
        for (std::size_t k = 0; k < inputs; ++k)
            EXPECT_EQ(out[row][k], in[row][k]);
        if (calc.status != 0) {
            ++refused;
            EXPECT_NE(calc.err.find(cell["error"]), std::string::npos) << cell["error"] << " / " << calc.err;
            EXPECT_EQ(cell["hantei"], "");
            continue;
        }
        EXPECT_EQ(cell["error"], "");
        // a result calc names like an input (member, inertia, ...) has its column as Rmember, ...
        for (const auto &[name, value] : calc.at) {
            if (name[0] != 'M' || !std::isdigit(static_cast<unsigned char>(name[1]))) {
                EXPECT_EQ(cell[cell.count("R" + name) ? "R" + name : name], value) << name;
            }
        }
    }
    EXPECT_EQ(refused, 1);
    fs::remove(one);
    fs::remove(three);
    fs::remove(project);
}

TEST(CliBatch, FiftyStoredSlotsAFile)
{
    std::string rows = "Bname,Span,uniform\n";
    for (int i = 1; i <= 52; ++i)
        rows += "B" + std::to_string(i) + ",6,5\n";
    const fs::path project = scratch("split.kvl"), second = scratch("split-2.kvl"), third = scratch("split-3.kvl");
    const CliRun r = runCli("batch -o - --project " + quoted(project.string()), rows);
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(slurp(project).substr(0, 4), "50\r\n");
    EXPECT_EQ(slurp(second).substr(0, 3), "2\r\n");
    EXPECT_FALSE(fs::exists(third));
    fs::remove(project);
    fs::remove(second);
}

TEST(CliBatch, MalformedScheduleStopsBeforeWriting)
{
    struct Row {
        const char *name;
        std::string csv;
        const char *mentions;
    };
    const Row rows[] = {
        {"unknown column", "Span,Spam\n6,1\n", "1行目 2列目「Spam」"},
        // a name of a megabyte is shown by its first 40 characters
        {"huge unknown column", "Span," + std::string(20, 'x') + std::string(std::size_t{1} << 20, 'y') + "\n6,1\n",
         "1行目 2列目「xxxxxxxxxxxxxxxxxxxxyyyyyyyyyyyyyyyyyyyy…」: 「xxxxxxxxxxxxxxxxxxxxyyyyyyyyyyyyyyyyyyyy…」という"},
        {"quote left open", "Span,Bname\n6,a\n6,\"b\n6,c\n", "3行目 2列目"},
        {"more cells than the header", "Span,Bname\n6,a\n6,b,c\n", "3行目 3列目"},
        {"an input named twice", "Span,member,Rmember,member\n6,a,b,c\n", "1行目 2列目と 4列目: 入力項目「member」"},
        {"not UTF-8 nor code page 932", "Span\n\x80\xff\n", "Shift-JIS"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        const fs::path out = scratch("malformed.csv");
        const CliRun r = runCli("batch -o " + quoted(out.string()), row.csv);
        EXPECT_EQ(r.status, 2);
        EXPECT_NE(r.err.find(row.mentions), std::string::npos) << r.err;
        EXPECT_FALSE(fs::exists(out));
    }
}

} // namespace

namespace {

using namespace clirun;

// What a folder holds: each name with its kind and, for a regular file, its bytes (its
// size alone for one of a megabyte or more).
std::map<std::string, std::string> snapshot(const fs::path &dir)
{
    std::map<std::string, std::string> entries;
    for (const fs::directory_entry &e : fs::directory_iterator(dir)) {
        const fs::file_status st = fs::symlink_status(e.path());
        const auto bytes = [&e] {
            const std::uintmax_t size = fs::file_size(e.path());
            return size < (1u << 20) ? slurp(e.path()) : std::to_string(size) + " bytes";
        };
        entries[e.path().filename().string()] = fs::is_regular_file(st) ? "file " + bytes()
                                                : fs::is_fifo(st)         ? "fifo"
                                                : fs::is_character_file(st) ? "device"
                                                                            : "other";
    }
    return entries;
}

// Outputs that cannot be the run's own new files are refused before anything is written
// (named as they would be written: the project's extension and its numbered files), a
// FIFO or a device is neither read nor replaced, a schedule too large is refused before
// it is read, and an output that cannot be written replaces no other: the folder is as
// it was, without a temporary file.
TEST(CliBatch, RefusedRunsLeaveEveryFileAsItWas)
{
    const fs::path dir = scratch("refusals");
    fs::remove_all(dir);
    fs::create_directories(dir);
    const std::string at = dir.string() + "/";
    const std::string example = slurp(std::string(KOVEL_SOURCE_DIR) + "/examples/schedule.csv");
    std::string sixty = "Bname,Span,uniform\n";
    for (int i = 1; i <= 60; ++i)
        sixty += "B" + std::to_string(i) + ",6,5\n";
    std::ofstream(at + "s.csv", std::ios::binary) << example;
    std::ofstream(at + "in.kvl", std::ios::binary) << example;
    std::ofstream(at + "p-2.kvl", std::ios::binary) << sixty;
    std::ofstream(at + "old.csv", std::ios::binary) << "old results";
    std::ofstream(at + "big.csv", std::ios::binary) << "Span\n";
    fs::resize_file(at + "big.csv", (std::uintmax_t{64} << 20) + 1); // sparse: no disk taken
    ASSERT_EQ(::mkfifo((at + "fifo").c_str(), 0644), 0);
    // copies of /dev/null and /dev/full, made here (only root may make them)
    const bool devices = ::mknod((at + "null").c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0 &&
                         ::mknod((at + "full").c_str(), S_IFCHR | 0666, makedev(1, 7)) == 0;

    struct Row {
        const char *name;
        std::string args; // "@" is the folder
        int status;
        std::string mentions;
        bool needsDevices = false;
        std::string stdoutTo = "";
    };
    const Row rows[] = {
        {"results into a FIFO", "@s.csv -o @fifo", 2, "「" + at + "fifo」に書き込めません。名前付きパイプ（FIFO）"},
        {"results into a device", "@s.csv -o @null", 2, "「" + at + "null」に書き込めません。デバイス", true},
        {"project and results the same file", "@s.csv -o @q.kvl --project @q.kvl", 2, "は同じファイルです"},
        {"the project's real name is the schedule", "@in.kvl -o @r.csv --project @in.txt", 2,
         "出力先「" + at + "in.kvl」（--project）が一覧表「" + at + "in.kvl」と同じです"},
        {"the second project file is the schedule", "@p-2.kvl -o @r.csv --project @p.kvl", 2,
         "（--project の 2 番目のファイル）が一覧表"},
        {"a schedule that is a FIFO is not waited for", "@fifo -o @r.csv", 1, "名前付きパイプ（FIFO）"},
        {"a schedule that is a device", "@null -o @r.csv", 1, "デバイスで、通常のファイルではありません", true},
        {"a schedule larger than 64 MB", "@big.csv -o @r.csv", 1, "読み込めるのは 64 MB までです"},
        {"a project file that cannot be written", "@s.csv -o @old.csv --project @none/p.kvl", 3,
         "どのファイルも書き換えていません", false},
        {"standard output full", "@s.csv -o - --project @p.kvl", 3, "標準出力に書き込めません。ディスクの空き容量", true,
         at + "full"},
    };
    const std::map<std::string, std::string> before = snapshot(dir);
    const std::string err = scratch("refusals.err").string(), out = scratch("refusals.out").string();
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        if (row.needsDevices && !devices)
            continue; // not root: no device of its own to try
        std::string args = row.args;
        for (std::size_t p; (p = args.find('@')) != std::string::npos;)
            args.replace(p, 1, at);
        const std::string command = "cd " + quoted(KOVEL_SOURCE_DIR) + " && " + quoted(KOVEL_CLI) + " batch " + args +
                                    " > " + quoted(row.stdoutTo.empty() ? out : row.stdoutTo) + " 2> " + quoted(err);
        const int raw = std::system(command.c_str());
        EXPECT_EQ(WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, row.status);
        const std::string said = slurp(err);
        EXPECT_NE(said.find(row.mentions), std::string::npos) << said;
        EXPECT_EQ(snapshot(dir), before);
    }

    // the other way round: the project of schedule s.csv named s.csv is written as s.kvl
    const CliRun same = runCli("batch " + quoted(at + "s.csv") + " -o " + quoted(at + "r.csv") + " --project " +
                                   quoted(at + "s.csv"),
                               "");
    EXPECT_EQ(same.status, 1) << same.err; // the example's refused row
    EXPECT_EQ(slurp(at + "s.kvl").substr(0, 3), "5\r\n");
    EXPECT_EQ(slurp(at + "s.csv"), example);
    fs::remove(err);
    fs::remove(out);
    fs::remove_all(dir);
}

} // namespace
