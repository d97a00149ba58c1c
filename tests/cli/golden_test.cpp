// The command line's files, byte for byte: the results of the example schedule, of a
// schedule mixing both allowable-stress rules, units, terms and section kinds, the project
// file it stores and that project's text report.
#include "tests/cli/clirun.h"
#include "tests/golden.h"

#include <gtest/gtest.h>

namespace {

using namespace clirun;

fs::path scratch(const std::string &name)
{
    return fs::temp_directory_path() / ("kovel_golden_" + std::to_string(::getpid()) + "_" + name);
}

TEST(CliGolden, OutputsStayByteForByte)
{
    const fs::path example = scratch("example.csv"), mixed = scratch("mixed.csv"), project = scratch("mixed.kvl"),
                   text = scratch("mixed.txt");
    const CliRun a = runCli("batch examples/schedule.csv --jobs 2 -o " + quoted(example.string()), "");
    EXPECT_EQ(a.status, 1) << a.err; // the example's refused row
    golden::expectSame(slurp(example), "schedule-results.csv");

    const CliRun b = runCli("batch tests/golden/mixed-schedule.csv -o " + quoted(mixed.string()) + " --project " +
                                quoted(project.string()),
                            "");
    EXPECT_NE(b.status, 2) << b.err;
    golden::expectSame(slurp(mixed), "mixed-results.csv");
    golden::expectSame(slurp(project), "mixed.kvl");

    // the report of the pinned project, so that each file pins one step
    const CliRun c = runCli("text tests/golden/mixed.kvl " + quoted(text.string()), "");
    EXPECT_EQ(c.status, 0) << c.err;
    golden::expectSame(slurp(text), "mixed.txt");
    for (const fs::path &p : {example, mixed, project, text})
        fs::remove(p);
}

} // namespace
