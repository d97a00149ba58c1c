// The files a `kovel-cli batch` run writes, by name: the set planned before anything is
// written, the reasons it cannot be the run's own (a clash with the schedule or between
// two outputs), and the numbered project files of an earlier run left beside them.
#pragma once

#include "cli/batchoptions.h"

#include <cstddef>
#include <string>
#include <vector>

// The n-th file of a run split 50 slots a file: OUT.kvl, OUT-2.kvl, ...
std::string numberedName(const std::string &chosen, int n, const char *extension);

// A file the run will write, with the option that names it, for the messages.
struct PlannedOutput {
    std::string path;
    std::string option; // "-o", "--project", "--project の 2 番目のファイル", "--sheets"
};

// Every file the run may write, named as it will be written: the project files by the
// project's extension rule and numbered for every 50 of the schedule's rows (refused rows
// give fewer files, never more).
std::vector<PlannedOutput> plannedOutputs(const BatchArgs &a, std::size_t rows);

// Why the planned files cannot be written as a run's own new files: one is a device, a
// FIFO or a folder, one is the schedule, or two are the same file. Empty when none.
std::string plannedOutputRefusal(const std::string &schedule, const std::vector<PlannedOutput> &planned);

// The numbered project files beside `chosen` that this run did not write: OUT-N.kvl for
// N past the `written` files (and OUT.kvl itself when none was written), most likely
// left by an earlier, larger run. Their names, in the order of N.
std::vector<std::string> earlierProjectFiles(const std::string &chosen, int written);
