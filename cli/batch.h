// kovel-cli batch SCHEDULE.csv [-o RESULTS.csv] [--project OUT.kvl] [--sheets OUT.pdf]
// [--stations] [--jobs N] [--encoding utf8|cp932]: every row of a beam schedule checked as
// `calc` checks one beam, the results written as a CSV file in the rows' order.
#pragma once

#include <string>

// argv[0] is "batch". Returns 0 when every row was computed, 1 when a row was refused or
// an output could not be written, 2 on a usage error or a malformed schedule (nothing is
// written then).
int runBatch(int argc, char **argv);

// The full description of `batch` for `kovel-cli --help`.
std::string batchHelp();
