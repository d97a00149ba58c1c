// kovel-cli batch SCHEDULE.csv [-o RESULTS.csv] [--project OUT.kvl] [--sheets OUT.pdf]
// [--stations] [--jobs N] [--encoding utf8|cp932]: every row of a beam schedule checked as
// `calc` checks one beam, the results written as a CSV file in the rows' order.
#pragma once

#include <string>

// argv[0] is "batch". Returns 0 when every row was computed, 1 when a row was refused or
// the schedule cannot be read, 2 on a usage error, a malformed schedule or outputs that
// cannot be the run's own files (nothing is written then), 3 when an output could not be
// written (every output file is then as it was).
int runBatch(int argc, char **argv);

// The full description of `batch` for `kovel-cli --help`.
std::string batchHelp();
