// Printing the calculation sheets: the print job on a QPrinter (paper, a printer's file,
// a PDF file), and files printed whole or not at all.
#pragma once

#include "beam/canvas.h"
#include "files/textfile.h"
#include "printing/sheetcanvas.h"
#include "results/table.h"
#include "sheets/detailed.h"
#include "sheets/print.h"

#include <QPainter>
#include <QString>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class QPrinter;

// Resolution of the PDF that printSheetsToPdf writes, device pixels per inch.
inline constexpr int kSheetPdfDpi = 600;

// The print job of the calculation sheets on a QPrinter that the caller has set up (paper,
// printer or PDF file). Drawing is in the device pixels of the printable area.
class PrinterJob : public sheets::PrintJob {
public:
    explicit PrinterJob(QPrinter &printer);
    ~PrinterJob() override;

    int printableWidth() const override;
    int dotsPerInch() const override;
    bool begin() override;
    beam::Canvas &canvas() override;
    void newPage() override;
    void end() override;

    // False once the printer refused a new sheet of paper.
    bool allPagesStarted() const { return m_pagesOk; }

private:
    QPrinter &m_printer;
    QPainter m_painter;
    std::unique_ptr<SheetCanvas> m_canvas;
    bool m_pagesOk = true;
};

// Sets a printer up for a PDF file: A4 portrait, 600 dpi, margins of 10 points (what a
// usual office printer cannot reach), the file written when the job ends.
void preparePdfPrinter(QPrinter &printer, const QString &fileName);

// Prints the calculation sheets of the marked slots into a PDF file set up by
// preparePdfPrinter. The whole file is written first beside the system's
// temporary files and then replaces `path` through a files::SafeFileWriter, so a refusal or
// a failed write leaves an existing file as it was. The outcome is that of
// sheets::printSheets, with the message of a failed write in `error`.
sheets::PrintOutcome printSheetsToPdf(const results::Table &table, const sheets::PageSettings &settings,
                                      const std::string &path);

// The same for slot records in order, any number of them.
sheets::PrintOutcome printSheetsToPdf(const std::vector<const results::SlotRecord *> &records,
                                      const sheets::PageSettings &settings, const std::string &path);

// The same into a file opened and not yet finished (one of a files::FileSet), through
// printThroughScratchFile.
sheets::PrintOutcome printSheetsToPdf(const std::vector<const results::SlotRecord *> &records,
                                      const sheets::PageSettings &settings, files::SafeFileWriter &file);

// The detailed document of a plan into a PDF file, A4 portrait, one page a page of the
// plan, written whole or not at all as printSheetsToPdf does.
sheets::PrintOutcome printDetailedToPdf(const sheets::DetailedPlan &plan, const std::string &path);
sheets::PrintOutcome printDetailedToPdf(const sheets::DetailedPlan &plan, files::SafeFileWriter &file);

// The refusal printSheetsToPdf would give for a margin that does not fit the A4 page of
// the PDF (the allowed range named), or empty: asked before the file is chosen.
std::string pdfMarginRefusal(const results::Table &table, const sheets::PageSettings &settings);

// Prints into `file` (opened, not yet finished) with a printer that writes its output by
// name: `print` sets the printer's output file to the scratch file it is given (in the
// system's folder for temporary files) and draws the whole job on `printer`; the scratch
// file is copied into `file` only when `print` returned no refusal and, for a PDF, the
// file ends with its end-of-file marker. Returns the refusal of `print`, or the Japanese
// message of what failed ("PDFファイルを最後まで作成できませんでした。", a failed write naming
// the file), or empty.
std::string printThroughScratchFile(QPrinter &printer, files::SafeFileWriter &file,
                                    const std::function<std::string(const QString &scratch)> &print);
