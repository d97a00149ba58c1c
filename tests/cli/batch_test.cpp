// kovel-cli batch on a schedule, against kovel-cli calc on each row.
#include "tests/cli/clirun.h"

#include "beam/csv.h"

#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <vector>

namespace {

using namespace clirun;

std::vector<beam::CsvRecord> readCsv(const std::string &bytes)
{
    const beam::CsvText text = beam::decodeCsv(bytes);
    EXPECT_TRUE(text.utf8) << text.error;
    std::vector<beam::CsvRecord> records;
    const std::string utf8 = text.utf8.value_or("");
    beam::CsvReader reader(utf8);
    for (beam::CsvRecord r; reader.next(r);)
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
    EXPECT_EQ(bytes.rfind(beam::kUtf8Bom, 0), 0u);
    EXPECT_EQ(slurp(three), bytes); // the order and every text whatever the number of threads
    EXPECT_EQ(slurp(project).substr(0, 3), "5\r\n"); // the computed rows only

    const std::vector<beam::CsvRecord> in = readCsv(slurp(schedule)), out = readCsv(bytes);
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
