// kovel-cli sheets PROJECT.kvl OUT.pdf [--first N] [--position leftup|center|leftlower]
// [--no-page-numbers] [--margin M] [--detail [--title T] [--part T] [--designer N]
// [--checker N] [--date YYYY-MM-DD]]: the calculation sheets of every slot of a project
// file, printed through the printing library into an A4 PDF file; with --detail the
// detailed document (the list of beams, then one beam a page) with its title block.
#pragma once

#include "files/textfile.h"
#include "results/table.h"
#include "results/titleblock.h"
#include "sheets/print.h"

#include <array>
#include <string>
#include <vector>

// The detailed document's options, shared by `sheets` and `batch`: --detail and the title
// block's items, each overriding what the project holds.
struct DetailOptions {
    bool detail = false;
    results::TitleBlock title;                 // the items given
    std::array<bool, results::kTitleItems> given{};
};

// Takes the option at words[i] (and its value) when it is one of them: matched is then
// true, and the result is empty or the Japanese refusal (a value missing, a date that is
// no day, a text code page 932 cannot hold).
std::string takeDetailOption(const std::vector<std::string> &words, std::size_t &i, DetailOptions &options,
                             bool &matched);

// Refuses title-block options given without --detail; empty otherwise.
std::string detailOptionsRefusal(const DetailOptions &options);

// The project's title block with the given items put over it.
results::TitleBlock mergedTitle(const results::TitleBlock &project, const DetailOptions &options);

// The detailed document of the records into an A4 PDF file, as the window prints it.
sheets::PrintOutcome printDetailedRecordsToPdf(const std::vector<const results::SlotRecord *> &records,
                                               const results::TitleBlock &title, const std::string &pdf);
sheets::PrintOutcome printDetailedRecordsToPdf(const std::vector<const results::SlotRecord *> &records,
                                               const results::TitleBlock &title, files::SafeFileWriter &file);

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
