// The text report (*.txt): a 31-line block per slot in use with the inputs, the section,
// the results and the two checks; code page 932, CR LF. A slot calculated under the notice
// rule names its basis on the fb line and has one more line, the shear check (32 lines).
#pragma once

#include "results/table.h"

#include <string>
#include <vector>

namespace results {

inline constexpr int kReportBlockLines = 31;

// The 31 (notice rule: 32) lines of one slot's block. `written` (optional) receives the numbers of the
// fields whose text went into the block as stored.
std::vector<std::string> reportBlock(const SlotRecord &record, std::vector<int> *written = nullptr);

// The whole report: the blocks of slots 1..datano in slot order (no lines for count 0).
std::vector<std::string> reportLines(const Table &table);

// Writes the report to `path` (the full name) through a temporary file. Refuses, writing
// nothing, when a field that goes into the report holds a line break or a character code
// page 932 cannot hold, naming the slot and field. Empty string on success, else the
// Japanese message. An existing file is replaced: the caller asks first.
std::string writeTextReport(const std::string &path, const Table &table);

} // namespace results
