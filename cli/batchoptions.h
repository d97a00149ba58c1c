// The options of `kovel-cli batch` and their refusals: the words after "batch" read into
// the run's settings, with the defaults filled in (the results file beside the schedule,
// one job a processor).
#pragma once

#include "cli/sheets.h"
#include "results/csv.h"

#include <optional>
#include <string>

// The one-line usage said after a refused option.
inline constexpr const char *kBatchUsage =
    "使い方: kovel-cli batch SCHEDULE.csv [-o RESULTS.csv] [--project OUT.kvl] [--sheets OUT.pdf [--detail ...]] "
    "[--stations] [--jobs N] [--encoding utf8|cp932]\n  詳しくは kovel-cli batch --help を見て下さい。\n";

struct BatchArgs {
    std::string schedule;
    std::string output; // "-": standard output
    std::string project, pdf;
    bool stations = false;
    int jobs = 0;
    results::CsvEncoding encoding = results::CsvEncoding::Utf8;
    DetailOptions detail; // the detailed document for --sheets
};

struct ParsedBatchArgs {
    std::optional<BatchArgs> args;
    std::string error;
    bool help = false;
};

// argv[0] is "batch". The settings, or the Japanese refusal of the first bad word (an
// unknown option, a value missing or out of range, --detail without --sheets, not one
// schedule), or help when --help or -h was given.
ParsedBatchArgs parseBatchArgs(int argc, char **argv);
