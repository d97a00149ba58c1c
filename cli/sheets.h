// kovel-cli sheets PROJECT.kvl OUT.pdf [--first N] [--position leftup|center|leftlower]
// [--no-page-numbers] [--margin M]: the calculation sheets of every slot of a project file,
// printed through the window's printing path into an A4 PDF file.
#pragma once

#include "results/table.h"
#include "sheets/print.h"

#include <string>
#include <vector>

// argv[0] is "sheets", then the project file, the PDF file and the options, in any order.
// Returns 0 when the PDF was written, 1 when the project cannot be read, holds no result
// or the PDF cannot be written (or this build cannot print), 2 on a usage error (a bad
// option, a margin or first page number that cannot be used).
int runSheets(int argc, char **argv);

// The full description of `sheets` for `kovel-cli --help`.
std::string sheetsHelp();

// Prints the sheets of the records, two per page, into an A4 PDF file through the
// window's printing path (without a display). The outcome's error says why nothing was
// written, also when this build cannot print.
sheets::PrintOutcome printRecordsToPdf(const std::vector<const results::SlotRecord *> &records,
                                       const sheets::PageSettings &settings, const std::string &pdf);
