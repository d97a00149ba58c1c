// The Qt surfaces of the calculation sheets: the preview page bitmap (pixels checked where
// the layout puts texts and lines, and where it puts nothing) and the printer, through a
// PDF file (pages, printed texts, refusals and failed writes).
#include "printing/printerjob.h"
#include "printing/sheetcanvas.h"

#include "files/textfile.h"
#include "results/projectfile.h"
#include "sheets/block.h"
#include "results/slotfields.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace {

namespace fs = std::filesystem;
namespace field = results::field;

// The four checked beams of the sample project: all four supports, SI and traditional.
results::Table sampleTable()
{
    const results::ProjectRead read = results::readProject(KOVEL_SOURCE_DIR "/tools/data/sheets-sample.kvl");
    EXPECT_TRUE(read.table.has_value()) << read.error;
    return read.table.value_or(results::Table{});
}

// n marked slots, the sample's four beams over and over.
results::Table repeatedSample(int n)
{
    const results::Table sample = sampleTable();
    results::Table t;
    for (int k = 1; k <= n; ++k) {
        t.slots[k] = sample.slots[(k - 1) % 4 + 1];
        t.selectgrid[k] = "1";
    }
    t.datano = n;
    return t;
}

bool inked(QRgb p) { return qGray(p) < 128; }

int inkIn(const QImage &image, const QRect &area)
{
    int n = 0;
    const QRect r = area.intersected(image.rect());
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            n += inked(image.pixel(x, y)) ? 1 : 0;
    return n;
}

// The smallest rectangle holding every pixel that passes `test`.
template <class Test>
QRect boxOf(const QImage &image, Test test)
{
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (test(image.pixel(x, y)))
                box |= QRect(x, y, 1, 1);
    return box;
}

std::string slurp(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll().toStdString();
}

// Page objects of a PDF ("/Type /Page", not the "/Type /Pages" tree).
int pdfPages(const std::string &pdf)
{
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?![s\\w])"));
    int n = 0;
    auto it = page.globalMatch(QString::fromLatin1(pdf.data(), static_cast<qsizetype>(pdf.size())));
    while (it.hasNext()) {
        it.next();
        ++n;
    }
    return n;
}

// ---- the preview page bitmap ----

TEST(SheetPreview, ComposesTheSampleWhereTheLayoutPutsIt)
{
    const results::Table table = sampleTable();
    QImage page;
    sheets::PageSettings settings;
    settings.hyoujipage = "1";
    ASSERT_EQ(composeSheetPage(page, table, settings).error, "");
    ASSERT_EQ(page.size(), QSize(630, 885));

    // upper block at (90, 45), lower at (90, 450), lines 11 pixels apart
    struct Row {
        const char *name;
        QRect area;
        bool ink;
    };
    const Row rows[] = {
        {"page number at (600, 15)", QRect(600, 15, 30, 11), true},
        {"upper block line 0: beam name", QRect(90, 45, 40, 11), true},
        {"upper block line 33: deflection limit", QRect(105, 45 + 11 * 33, 60, 11), true},
        {"lower block line 0: beam name", QRect(90, 450, 40, 11), true},
        {"lower block line 32: deflection", QRect(105, 450 + 11 * 32, 60, 11), true},
        {"left margin", QRect(0, 0, 90, 885), false},
        {"between the blocks", QRect(0, 422, 630, 26), false},
        {"below the lower block", QRect(0, 826, 630, 59), false},
        {"right of the figures", QRect(580, 30, 50, 800), false},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        if (row.ink)
            EXPECT_GT(inkIn(page, row.area), 0);
        else
            EXPECT_EQ(inkIn(page, row.area), 0);
    }

    // the beam lines of both load figures: from (x0 + 320, y0 + 210), 150 pixels, 1 pixel
    // high (20 pixels from A no load of the sample touches it)
    for (const int y : {45 + 210, 450 + 210}) {
        SCOPED_TRACE(y);
        EXPECT_EQ(inkIn(page, QRect(410, y, 151, 1)), 151);
        EXPECT_EQ(inkIn(page, QRect(430, y - 1, 1, 1)), 0);
        EXPECT_EQ(inkIn(page, QRect(430, y + 1, 1, 1)), 0);
    }
}

TEST(SheetPreview, PageWithoutResultsShowsOnlyTheNumberAndTwoBlankMarks)
{
    const results::Table table = sampleTable(); // four results: pages 1 and 2
    QImage page;
    sheets::PageSettings settings;
    settings.hyoujipage = "3";
    settings.position = sheets::PagePosition::Center;
    ASSERT_EQ(composeSheetPage(page, table, settings).error, "");

    // "- 3 -" at (300, 860); "(以下余白)" at (x0 + 30, y0 + 30) of both blocks
    const QRect number(300, 860, 30, 12), upper(120, 75, 52, 12), lower(120, 480, 52, 12);
    EXPECT_GT(inkIn(page, number), 0);
    EXPECT_GT(inkIn(page, upper), 0);
    EXPECT_GT(inkIn(page, lower), 0);
    EXPECT_EQ(inkIn(page, page.rect()), inkIn(page, number) + inkIn(page, upper) + inkIn(page, lower));
}

TEST(SheetPreview, RefusedFirstPageNumberLeavesTheCleanedPage)
{
    const results::Table table = sampleTable();
    QImage page;
    sheets::PageSettings settings;
    ASSERT_EQ(composeSheetPage(page, table, settings).error, "");
    ASSERT_GT(inkIn(page, page.rect()), 0);

    settings.firstpage = "x";
    EXPECT_EQ(composeSheetPage(page, table, settings).error, "'x' は整数ではありません");
    EXPECT_EQ(page.size(), QSize(630, 885));
    EXPECT_EQ(inkIn(page, page.rect()), 0);
}

TEST(SheetPreview, ReplacesABitmapOfAnotherSize)
{
    QImage page(370, 520, QImage::Format_RGB32);
    page.fill(Qt::black);
    EXPECT_EQ(composeSheetPage(page, results::Table{}, sheets::PageSettings{}).error, "");
    EXPECT_EQ(page.size(), QSize(630, 885));
    EXPECT_GT(inkIn(page, QRect(120, 75, 52, 12)), 0); // the blank-remainder mark
}

// ---- text on a surface ----

// Draws one text at (10, 10) on a black image and returns the white cell it painted.
QRect textCell(int dpi, int points, const std::string &text)
{
    QImage image(1400, 120, QImage::Format_RGB32);
    image.fill(Qt::black);
    {
        QPainter painter(&image);
        SheetCanvas canvas(painter, dpi);
        canvas.setFontSize(points);
        canvas.text(10, 10, text);
    }
    return boxOf(image, [](QRgb p) { return qGray(p) > 128; });
}

// The ink of one text drawn at (10, 10) on a white image.
QImage inkOf(int dpi, int points, const std::string &text)
{
    QImage image(200, 120, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    SheetCanvas canvas(painter, dpi);
    canvas.setFontSize(points);
    canvas.text(10, 10, text);
    return image;
}

TEST(SheetCanvasText, JapaneseGlyphsAtTheSizeOfTheirPoints)
{
    struct Row {
        const char *name;
        int dpi;
        int points;
    };
    const Row rows[] = {{"preview, 8 points", 96, 8}, {"printer, 9 points", 600, 9}};
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        const double em = row.points * row.dpi / 72.0; // pixels
        const QImage kei = inkOf(row.dpi, row.points, "計");
        const QImage san = inkOf(row.dpi, row.points, "算");
        const QRect box = boxOf(kei, inked);
        ASSERT_FALSE(box.isEmpty());
        EXPECT_FALSE(kei == san); // real glyphs, not one replacement box for both
        EXPECT_GE(box.top(), 10);              // the point is the top-left corner
        EXPECT_GE(box.height(), 0.75 * em);    // a kanji fills most of its em
        EXPECT_LE(box.bottom(), 10 + em + 1);
    }
}

// A small face draws "." a pixel under the digits, where "2.760" reads as "2,760": the
// point must stand on the digits' last row, and be there.
TEST(SheetCanvasText, DecimalPointStandsOnTheDigitsLastRow)
{
    const QImage number = inkOf(96, 8, "2.7"), digits = inkOf(96, 8, "2 7");
    QImage point(number.size(), QImage::Format_RGB32);
    point.fill(Qt::white);
    for (int y = 0; y < number.height(); ++y)
        for (int x = 0; x < number.width(); ++x)
            if (number.pixel(x, y) != digits.pixel(x, y))
                point.setPixel(x, y, number.pixel(x, y));
    const QRect dot = boxOf(point, inked), row = boxOf(digits, inked);
    ASSERT_FALSE(dot.isEmpty());
    EXPECT_EQ(dot.bottom(), row.bottom());
    EXPECT_GT(dot.left(), row.left());
    EXPECT_LT(dot.right(), row.right());
}

TEST(SheetCanvasText, WhiteCellStartsAtThePointAndCoversWhatWasBelow)
{
    QImage image(200, 60, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        SheetCanvas canvas(painter, 96);
        canvas.moveTo(0, 15);
        canvas.lineTo(199, 15);
        canvas.text(50, 10, "    "); // four spaces: a cell without ink
    }
    EXPECT_EQ(inkIn(image, QRect(0, 15, 50, 1)), 50);
    EXPECT_EQ(inkIn(image, QRect(50, 15, 15, 1)), 0);
    EXPECT_EQ(inkIn(image, QRect(75, 15, 125, 1)), 125);
}

TEST(SheetCanvasText, LongestTextsEndBeforeTheNextColumn)
{
    // a column at preview offset a is followed by one at offset b; on paper the offsets
    // are Trunc(4 a s) and Trunc(4 b s) with s = printable width / 2880
    QPrinter printer(QPrinter::HighResolution);
    preparePdfPrinter(printer, QDir::temp().filePath(QStringLiteral("kovel_unused.pdf")));
    const double s = PrinterJob(printer).printableWidth() / 2880.0;
    auto paper = [s](int offset) { return static_cast<int>(std::trunc(4 * offset * s)); };

    struct Row {
        const char *text;
        int from; // preview offsets
        int to;
    };
    const Row rows[] = {
        {"fb=1.350 (tf/cm2) [ 13.24 kN/cm2]", 15, 190},
        {"M=168.002 (kN-m)", 15, 105},
        {"P1=120.000 (kN),", 15, 105},
        {"w1(1) =12.500 (kN/m),", 15, 130},
        {"LD1(1)=12.000 (m),", 15, 130},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.text);
        const QRect preview = textCell(96, 8, row.text);
        EXPECT_EQ(preview.topLeft(), QPoint(10, 10));
        EXPECT_LE(preview.width(), row.to - row.from);
        EXPECT_LE(preview.height(), 12); // a line of 11 pixels, the next cell covers at most 1
        const QRect printed = textCell(kSheetPdfDpi, 9, row.text);
        EXPECT_LE(printed.width(), paper(row.to) - paper(row.from));
        EXPECT_LE(printed.height(), static_cast<int>(std::trunc(48 * s)) + 3);
    }
}

// ---- printing into a PDF ----

class SheetPdf : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    void TearDown() override { files::failWritesAfter(-1); }
    std::string file(const char *name) const { return dir.filePath(QString::fromUtf8(name)).toStdString(); }

    QTemporaryDir dir;
};

TEST_F(SheetPdf, TwoResultsToASheetOfPaper)
{
    struct Row {
        int marked;
        int sheets; // ceil(marked / 2)
    };
    for (const Row row : {Row{1, 1}, Row{2, 1}, Row{3, 2}, Row{4, 2}, Row{5, 3}, Row{50, 25}}) {
        SCOPED_TRACE(row.marked);
        const std::string path = file("sheets.pdf");
        const sheets::PrintOutcome outcome = printSheetsToPdf(repeatedSample(row.marked), {}, path);
        ASSERT_EQ(outcome.error, "");
        EXPECT_EQ(outcome.sheets, row.sheets);
        const std::string pdf = slurp(QString::fromStdString(path));
        EXPECT_EQ(pdf.rfind("%PDF-", 0), 0u);
        EXPECT_EQ(pdfPages(pdf), row.sheets);
    }
}

TEST_F(SheetPdf, PrintableWidthIsThatOfA4LessTheMargins)
{
    QPrinter printer(QPrinter::HighResolution);
    preparePdfPrinter(printer, QString::fromStdString(file("w.pdf")));
    // A4 is 595 whole points wide (210 mm), less 10 points each side, at 600 dots per inch
    const double expected = (595.0 - 20.0) / 72.0 * 600.0;
    EXPECT_NEAR(PrinterJob(printer).printableWidth(), expected, 1.0);
}

TEST_F(SheetPdf, PrintedTextsAreTheStoredOnes)
{
    if (std::system("command -v pdftotext >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    const results::Table table = sampleTable();
    const std::string pdf = file("sheets.pdf"), text = file("sheets.txt");
    sheets::PageSettings settings;
    settings.firstpage = "7";
    settings.position = sheets::PagePosition::Center;
    ASSERT_EQ(printSheetsToPdf(table, settings, pdf).error, "");
    ASSERT_EQ(std::system(("pdftotext -enc UTF-8 '" + pdf + "' '" + text + "'").c_str()), 0);
    const std::string printed = slurp(QString::fromStdString(text));

    EXPECT_NE(printed.find("- 7 -"), std::string::npos);
    EXPECT_NE(printed.find("- 8 -"), std::string::npos);
    for (int k = 1; k <= 4; ++k) {
        const results::SlotRecord &slot = table.slots[k];
        SCOPED_TRACE(slot[field::kName]);
        const bool si = slot[field::kUnits] == "SI単位";
        const std::string ratio = slot[field::kRatio];
        const std::string verdict = beam::parseDouble(ratio) > 1.0 ? "> 1.0 NG." : "< 1.0 OK.";
        for (const std::string &expected :
             {slot[field::kName] + "の設計", "M=" + slot[field::kMmax] + (si ? " (kN-m)" : " (tf-m)"),
              "σb/fb=" + ratio + verdict, "RA=" + slot[field::kRa] + (si ? " (kN)" : " (tf)"),
              "L=" + slot[field::kSpan] + " (m)"})
            EXPECT_NE(printed.find(expected), std::string::npos) << expected;
    }
}

TEST_F(SheetPdf, RefusalLeavesAnExistingFileAsItWas)
{
    const std::string path = file("old.pdf");
    std::ofstream(path, std::ios::binary) << "old contents";
    struct Row {
        const char *name;
        sheets::PageSettings settings;
        std::string error;
    };
    sheets::PageSettings margin;
    margin.hidari = "1.5";
    sheets::PageSettings first;
    first.firstpage = "二";
    const Row rows[] = {{"margin not an integer", margin, "'1.5' は整数ではありません"},
                        {"first page not an integer", first, "'二' は整数ではありません"}};
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(printSheetsToPdf(sampleTable(), row.settings, path).error, row.error);
        EXPECT_EQ(slurp(QString::fromStdString(path)), "old contents");
    }
}

TEST_F(SheetPdf, FailedWriteIsReportedAndKeepsTheOldFile)
{
    const std::string path = file("old.pdf");
    std::ofstream(path, std::ios::binary) << "old contents";
    files::failWritesAfter(100);
    const sheets::PrintOutcome outcome = printSheetsToPdf(sampleTable(), {}, path);
    files::failWritesAfter(-1);
    EXPECT_NE(outcome.error, "");
    EXPECT_EQ(slurp(QString::fromStdString(path)), "old contents");

    const std::string missing = file("no such folder/sheets.pdf");
    EXPECT_NE(printSheetsToPdf(sampleTable(), {}, missing).error, "");
    EXPECT_FALSE(fs::exists(missing));
}

TEST_F(SheetPdf, UnscalableStoredValuesStillPrintTheSheet)
{
    // a span and a largest moment that read as 0, station moments out of any scale
    results::Table table = repeatedSample(1);
    results::SlotRecord &slot = table.slots[1];
    slot[field::kSpan] = "0";
    slot[field::kMmax] = "0";
    slot[results::kFirstMomentField + 1] = "1e308";
    slot[results::kFirstMomentField + 2] = "nan";
    const sheets::PrintOutcome outcome = printSheetsToPdf(table, {}, file("odd.pdf"));
    EXPECT_EQ(outcome.error, "");
    EXPECT_EQ(pdfPages(slurp(QString::fromStdString(file("odd.pdf")))), 1);

    QImage page;
    EXPECT_EQ(composeSheetPage(page, table, {}).error, "");
    EXPECT_GT(inkIn(page, QRect(90, 45, 40, 11)), 0); // the text lines are drawn
}

TEST_F(SheetPdf, PrinterThatCannotStartRefusesTheJob)
{
    QPrinter printer(QPrinter::HighResolution);
    preparePdfPrinter(printer, QString::fromStdString(file("no such folder/sheets.pdf")));
    PrinterJob job(printer);
    const sheets::PrintOutcome outcome = sheets::printSheets(job, sampleTable(), {});
    EXPECT_EQ(outcome.error, "印刷を開始できませんでした。");
    EXPECT_EQ(outcome.sheets, 0);
}

} // namespace
