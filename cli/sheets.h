// kovel-cli sheets PROJECT.kvl OUT.pdf [--first N] [--position leftup|center|leftlower]
// [--no-page-numbers] [--margin M]: the calculation sheets of every slot of a project file,
// printed through the printing library into an A4 PDF file.
#pragma once

#include "files/textfile.h"
#include "results/table.h"
#include "sheets/print.h"

#include <string>
#include <vector>

// argv[0] is "sheets", then the project file, the PDF file and the options, in any order.
// Returns 0 when the PDF was written, 1 when the project cannot be read or holds no
// result, 2 on a usage error (a bad option, a margin or first page number that cannot be
// used, a PDF file that is the project or not a regular file), 3 when the PDF cannot be
// written.
int runSheets(int argc, char **argv);

// The full description of `sheets` for `kovel-cli --help`.
std::string sheetsHelp();

// Prints the sheets of the records, two per page, into an A4 PDF file as the window
// prints them (without a display). The outcome's error says why nothing was written.
sheets::PrintOutcome printRecordsToPdf(const std::vector<const results::SlotRecord *> &records,
                                       const sheets::PageSettings &settings, const std::string &pdf);

// The same into a file opened and not yet finished (one of a run's set of files).
sheets::PrintOutcome printRecordsToPdf(const std::vector<const results::SlotRecord *> &records,
                                       const sheets::PageSettings &settings, files::SafeFileWriter &file);
