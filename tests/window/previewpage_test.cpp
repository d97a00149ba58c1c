// Page 3 of the window: page buttons and their limits, when the sheet page is composed
// (tab switches, the tab control taking the focus, the position buttons) and when not,
// the display sizes, the bitmap export, printing to PDF through the print dialog, and the
// SI allowable-stress basis.
#include "tests/window/windowfixture.h"

#include "beam/numtext.h"
#include "files/textfile.h"
#include "results/projectfile.h"
#include "sheets/detailed.h"
#include "sheets/page.h"
#include "sheets/print.h"
#include "window/previewpage.h"
#include "window/sheetkind.h"
#include "printing/printerjob.h"
#include "printing/sheetcanvas.h"

#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>

#include <filesystem>

namespace {

namespace fs = std::filesystem;

const QString kOverwrite = QStringLiteral("同じ名前のファイルが既にありますが上書きしますか？");

// Page objects of a PDF ("/Type /Page", not the "/Type /Pages" tree).
int pdfPages(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?![s\\w])"));
    int n = 0;
    auto it = page.globalMatch(QString::fromLatin1(f.readAll()));
    for (; it.hasNext(); it.next())
        ++n;
    return n;
}

QByteArray bytesOf(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

int inkIn(const QImage &image, const QRect &area)
{
    int n = 0;
    const QRect r = area.intersected(image.rect());
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            n += qGray(image.pixel(x, y)) < 128 ? 1 : 0;
    return n;
}

class PreviewPageTest : public WindowTest {
protected:
    PreviewPage *preview() const { return window->previewPage(); }
    QString shownPage() const { return text("hyoujipage"); }

    // The four beams of the sample project, n slots of them, the first `marked` marked.
    void storeSample(int n, int marked)
    {
        const results::ProjectRead read = results::readProject(KOVEL_SOURCE_DIR "/tools/data/sheets-sample.kvl");
        ASSERT_TRUE(read.table.has_value()) << read.error;
        results::Table &t = window->table();
        for (int k = 1; k <= n; ++k) {
            t.slots[k] = read.table->slots[(k - 1) % 4 + 1];
            t.selectgrid[k] = k <= marked ? "1" : "0";
        }
        t.datano = n;
    }

    // The page as the composition draws it for these settings, on a fresh bitmap.
    QImage expectedPage(const sheets::PageSettings &settings) const
    {
        QImage page = newSheetPage();
        composeSheetPage(page, window->table(), settings);
        return page;
    }

    void clickTab(int index)
    {
        QTabBar *bar = window->pages()->tabBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(index).center());
    }

    QTemporaryDir dir;
};

// ---- page buttons and the displayed page ----

TEST_F(PreviewPageTest, StartsAtZeroAndTheFocusOfTheTabControlShowsPageOne)
{
    // a window that never had the focus still shows "0"
    MainWindow hidden(std::make_unique<FakeDialogs>());
    EXPECT_EQ(hidden.findChild<QLineEdit *>(QStringLiteral("hyoujipage"))->text(), QStringLiteral("0"));
    EXPECT_TRUE(hidden.findChild<QLineEdit *>(QStringLiteral("hyoujipage"))->isReadOnly());
    // the shown window: its first box took the focus inside the tab control
    EXPECT_EQ(shownPage(), QStringLiteral("1"));
}

TEST_F(PreviewPageTest, BackAndNextStepWithinOneToTwentyFiveAndTheSamePageComposesNothing)
{
    QSignalSpy composed(preview(), &PreviewPage::composed);
    click("back"); // page 1: stays, no composition
    EXPECT_EQ(shownPage(), QStringLiteral("1"));
    EXPECT_EQ(composed.count(), 0);

    for (int page = 2; page <= 25; ++page) {
        click("next");
        EXPECT_EQ(shownPage(), QString::number(page));
    }
    EXPECT_EQ(composed.count(), 24);
    click("next"); // page 25: the last page, whatever is marked
    EXPECT_EQ(shownPage(), QStringLiteral("25"));
    EXPECT_EQ(composed.count(), 24);

    click("back");
    EXPECT_EQ(shownPage(), QStringLiteral("24"));
    EXPECT_EQ(composed.count(), 25);
}

// The detailed kind: its own page count limits the page buttons, each page shown is that
// page of the detailed document, and the PDF holds the same pages; the standard kind
// comes back as it was.
TEST_F(PreviewPageTest, TheDetailedKindPagesThroughItsOwnDocument)
{
    storeSample(4, 3);
    const int pages = sheets::planDetailed(window->table()).pageCount();
    ASSERT_GE(pages, 4); // the list and one page or more a beam
    choose("detailedSheets");
    EXPECT_EQ(shownPage(), QStringLiteral("1"));
    click("back");
    EXPECT_EQ(shownPage(), QStringLiteral("1"));
    for (int k = 0; k < pages + 2; ++k)
        click("next");
    EXPECT_EQ(shownPage(), QString::number(pages)); // the last page, not 25
    EXPECT_TRUE(dialogs->shown.isEmpty());
    QImage expected;
    ASSERT_EQ(composeDetailedSheetPage(expected, sheets::planDetailed(window->table()), pages - 1).error, "");
    EXPECT_EQ(preview()->pageImage(), expected);

    const QString target = dir.filePath(QStringLiteral("detail.pdf"));
    dialogs->fileNames = {target};
    click("pdfOut");
    EXPECT_EQ(pdfPages(target), pages);

    choose("standardSheets");
    EXPECT_EQ(shownPage(), QStringLiteral("1"));
    for (int k = 0; k < 30; ++k)
        click("next");
    EXPECT_EQ(shownPage(), QStringLiteral("25"));
}

TEST_F(PreviewPageTest, EveryPageShownIsTheCompositionOfItsSettings)
{
    struct Row {
        const char *name;
        int nexts;
        const char *position; // radio to click, or nullptr
        bool untickPagechk;
        const char *firstpage;
        sheets::PagePosition expected;
    };
    const Row rows[] = {
        {"page 1, number top right", 0, nullptr, false, "1", sheets::PagePosition::LeftUp},
        {"page 2 with the third slot and the blank mark", 1, nullptr, false, "1", sheets::PagePosition::LeftUp},
        {"page 3 numbered from 5, framed at the bottom centre", 2, "center", false, "5",
         sheets::PagePosition::Center},
        {"page 1, number bottom right", 0, "leftlower", false, "1", sheets::PagePosition::LeftLower},
        {"no page numbers", 1, "leftup", true, "1", sheets::PagePosition::LeftUp},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        start();
        storeSample(4, 3);
        edit("firstpage")->setText(QString::fromUtf8(row.firstpage));
        if (row.untickPagechk)
            click("pagechk");
        for (int i = 0; i < row.nexts; ++i)
            click("next");
        if (row.position)
            click(row.position);
        else
            preview()->hyoujipageChange();

        sheets::PageSettings s;
        s.hyoujipage = std::to_string(row.nexts + 1);
        s.pagechk = !row.untickPagechk;
        s.firstpage = row.firstpage;
        s.position = row.expected;
        EXPECT_EQ(preview()->pageImage(), expectedPage(s));
        EXPECT_EQ(preview()->pageImage().size(), QSize(630, 885));
    }
}

TEST_F(PreviewPageTest, PageNumberPositionButtonsComposeThePage)
{
    QSignalSpy composed(preview(), &PreviewPage::composed);
    const QRect topRight(600, 15, 30, 11), bottomCentre(300, 860, 60, 11), bottomRight(600, 860, 30, 11);
    preview()->hyoujipageChange();
    EXPECT_GT(inkIn(preview()->pageImage(), topRight), 0);

    click("center");
    EXPECT_EQ(composed.count(), 2);
    EXPECT_EQ(inkIn(preview()->pageImage(), topRight), 0);
    EXPECT_GT(inkIn(preview()->pageImage(), bottomCentre), 0);

    click("leftlower");
    EXPECT_EQ(composed.count(), 3);
    EXPECT_EQ(inkIn(preview()->pageImage(), bottomCentre), 0);
    EXPECT_GT(inkIn(preview()->pageImage(), bottomRight), 0);
}

TEST_F(PreviewPageTest, PagechkEnablesTheNumberSettingsAndComposesNothing)
{
    QSignalSpy composed(preview(), &PreviewPage::composed);
    const char *const settings[] = {"firstpage", "leftup", "center", "leftlower"};
    click("pagechk");
    EXPECT_FALSE(find<QCheckBox>("pagechk")->isChecked());
    for (const char *name : settings) {
        SCOPED_TRACE(name);
        EXPECT_FALSE(find<QWidget>(name)->isEnabled());
    }
    EXPECT_TRUE(find<QWidget>("hidari")->isEnabled()); // the margin is not a page-number setting
    // the number stays on the page until the next composition
    EXPECT_GT(inkIn(preview()->pageImage(), QRect(600, 15, 30, 11)), 0);
    click("pagechk");
    for (const char *name : settings) {
        SCOPED_TRACE(name);
        EXPECT_TRUE(find<QWidget>(name)->isEnabled());
    }
    EXPECT_EQ(composed.count(), 0);
}

TEST_F(PreviewPageTest, AFirstPageThatIsNoIntegerStopsTheCompositionWithAMessage)
{
    storeSample(2, 2);
    preview()->hyoujipageChange();
    ASSERT_GT(inkIn(preview()->pageImage(), QRect(90, 45, 200, 100)), 0);
    edit("firstpage")->setText(QStringLiteral("1.5"));
    dialogs->shown.clear();
    click("next");
    EXPECT_EQ(dialogs->shown, QStringList{QStringLiteral("'1.5' は整数ではありません")});
    EXPECT_EQ(inkIn(preview()->pageImage(), preview()->pageImage().rect()), 0); // cleared, no block drawn

    // without page numbers the text is not read
    click("pagechk");
    dialogs->shown.clear();
    click("back");
    EXPECT_TRUE(dialogs->shown.isEmpty());
    EXPECT_GT(inkIn(preview()->pageImage(), QRect(90, 45, 200, 100)), 0);
}

// ---- when the page is composed ----

TEST_F(PreviewPageTest, AUserSwitchOfTheActivePageComposesAndAProgramSwitchDoesNot)
{
    click("next");
    click("next");
    QSignalSpy composed(preview(), &PreviewPage::composed);
    const int order[] = {2, 0, 3, 1, 2};
    for (int i = 0; i < 5; ++i) {
        clickTab(order[i]);
        EXPECT_EQ(window->pages()->currentIndex(), order[i]);
        EXPECT_EQ(composed.count(), i + 1);
    }
    EXPECT_EQ(shownPage(), QStringLiteral("3")); // the tab control kept the focus: same page

    window->showPage(1);
    EXPECT_EQ(window->pages()->currentIndex(), 1);
    EXPECT_EQ(composed.count(), 5);
}

TEST_F(PreviewPageTest, TheTabControlTakingTheFocusReturnsToPageOne)
{
    click("next");
    click("next");
    ASSERT_EQ(shownPage(), QStringLiteral("3"));

    QSignalSpy composed(preview(), &PreviewPage::composed);
    preview()->PageControl1Enter();
    EXPECT_EQ(shownPage(), QStringLiteral("1"));
    EXPECT_EQ(composed.count(), 2); // page 2, then page 1

    // the focus leaves the tab control for the window itself, then comes back
    click("next");
    window->setFocus(Qt::OtherFocusReason);
    ASSERT_EQ(QApplication::focusWidget(), window.get());
    EXPECT_EQ(shownPage(), QStringLiteral("2"));
    edit("Span")->setFocus(Qt::MouseFocusReason);
    EXPECT_EQ(shownPage(), QStringLiteral("1"));

    // moving on inside the tab control is no entry
    click("next");
    edit("lb")->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(shownPage(), QStringLiteral("2"));
}

TEST_F(PreviewPageTest, AnotherWindowTakingTheFocusIsNoEntryOfTheTabControl)
{
    click("next");
    QLineEdit other;
    other.show();
    QApplication::setActiveWindow(&other);
    other.setFocus(Qt::OtherFocusReason);
    QApplication::setActiveWindow(window.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    edit("Span")->setFocus(Qt::MouseFocusReason);
    EXPECT_EQ(shownPage(), QStringLiteral("2"));
}

// ---- display size ----

TEST_F(PreviewPageTest, TheTwoDisplaySizesStretchTheSameBitmap)
{
    storeSample(2, 2);
    preview()->hyoujipageChange();
    const QImage before = preview()->pageImage();
    QSignalSpy composed(preview(), &PreviewPage::composed);
    QWidget *pageA = find<QWidget>("pageA");
    EXPECT_EQ(pageA->geometry(), QRect(0, 8, 630, 885));

    click("Image12");
    // the whole sheet in sight: 370 x 520, or the page's height in the sheet's proportion
    const QRect whole = pageA->geometry();
    EXPECT_EQ(whole.topLeft(), QPoint(0, 8));
    EXPECT_TRUE(preview()->rect().contains(whole)) << whole.height() << " in " << preview()->height();
    EXPECT_LE(whole.width(), 370);
    EXPECT_LE(whole.height(), 520);
    EXPECT_GE(whole.height(), std::min(520, preview()->height() - 8));
    EXPECT_NEAR(double(whole.width()) / whole.height(), 630.0 / 885.0, 0.005);
    EXPECT_EQ(preview()->pageImage(), before);
    click("Image13");
    EXPECT_EQ(pageA->geometry(), QRect(0, 8, 630, 885));
    EXPECT_EQ(preview()->pageImage(), before);
    EXPECT_EQ(composed.count(), 0);
}

TEST_F(PreviewPageTest, TheMarkingExplanationShowsThePrintMarksOfPageTwo)
{
    const struct {
        const char *sample;
        const char *mark;
    } rows[] = {{"offchkSample", "offchk"}, {"onchkSample", "onchk"}};
    for (const auto &row : rows) {
        SCOPED_TRACE(row.sample);
        const QImage sample = find<QLabel>(row.sample)->pixmap().toImage();
        ASSERT_FALSE(sample.isNull());
        if (const auto *mark = window->findChild<QLabel *>(QString::fromUtf8(row.mark))) {
            EXPECT_EQ(sample, mark->pixmap().toImage());
        }
    }
    EXPECT_NE(find<QLabel>("offchkSample")->pixmap().toImage(), find<QLabel>("onchkSample")->pixmap().toImage());
}

// ---- bitmap export ----

TEST(BitmapFileBase, RemovesTheExtensionOfTheFileNameOnly)
{
    struct Row {
        const char *chosen;
        const char *base;
    };
    const Row rows[] = {
        {"/d/page3.txt", "/d/page3"}, {"/d/page3.bmp", "/d/page3"}, {"/d/page3", "/d/page3"},
        {"/d.x/page3", "/d.x/page3"}, {"/d/a.tar.gz", "/d/a.tar"},  {"/d/.bmp", "/d/.bmp"},
        {"/d/b.", "/d/b"},            {"/d/", "/d/"},                {"頁.txt", "頁"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.chosen);
        EXPECT_EQ(bitmapFileBase(QString::fromUtf8(row.chosen)), QString::fromUtf8(row.base));
    }
}

TEST_F(PreviewPageTest, BitmapExportWritesTheWholePageUnderTheNameWithBmp)
{
    storeSample(2, 2);
    click("Image12"); // the reduced view saves the whole bitmap all the same
    const QString chosen = dir.filePath(QStringLiteral("page3.txt"));
    const QString target = dir.filePath(QStringLiteral("page3.bmp"));
    dialogs->shown.clear();
    dialogs->fileNames = {chosen};
    click("Tobmp");

    EXPECT_EQ(dialogs->shown, QStringList{dir.filePath(QStringLiteral("page3")) + QStringLiteral(".bmp で保存しました。")});
    EXPECT_FALSE(QFileInfo::exists(chosen));
    QImage saved(target, "BMP");
    ASSERT_FALSE(saved.isNull());
    EXPECT_EQ(saved.size(), QSize(630, 885));
    EXPECT_EQ(saved.convertToFormat(QImage::Format_RGB32), preview()->pageImage().convertToFormat(QImage::Format_RGB32));
    EXPECT_GT(inkIn(saved, QRect(90, 45, 200, 100)), 0); // the sheet is on it

    dialogs->fileNames.clear();
    click("Tobmp"); // the next export proposes the name just used
    EXPECT_EQ(dialogs->proposed, (QStringList{QString(), target}));
}

TEST_F(PreviewPageTest, BitmapExportAsksBeforeReplacingAFile)
{
    const QString target = dir.filePath(QStringLiteral("old.bmp"));
    struct Row {
        const char *name;
        bool yes;
    };
    for (const Row &row : {Row{"No keeps the file", false}, Row{"Yes replaces it", true}}) {
        SCOPED_TRACE(row.name);
        {
            QFile f(target);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write("old");
        }
        dialogs->shown.clear();
        dialogs->fileNames = {target};
        dialogs->answers = {row.yes};
        click("Tobmp");
        if (row.yes) {
            EXPECT_EQ(dialogs->shown, (QStringList{kOverwrite, dir.filePath(QStringLiteral("old.bmp で保存しました。"))}));
            EXPECT_EQ(QImage(target, "BMP").size(), QSize(630, 885));
        } else {
            EXPECT_EQ(dialogs->shown, QStringList{kOverwrite});
            EXPECT_EQ(bytesOf(target), QByteArray("old"));
        }
    }
}

TEST_F(PreviewPageTest, BitmapExportReportsWhatCannotBeWritten)
{
    const QString folder = dir.filePath(QStringLiteral("folder.bmp"));
    ASSERT_TRUE(QDir().mkpath(folder));
    struct Row {
        const char *name;
        QString chosen;
        std::deque<bool> answers;
        QStringList mustShow; // texts the one error message contains
        bool asks;
    };
    const Row rows[] = {
        {"a folder of that name", folder, {true}, {folder}, true},
        {"a folder that does not exist", dir.filePath(QStringLiteral("none/page.bmp")), {},
         {dir.filePath(QStringLiteral("none/page.bmp"))}, false},
        {"a folder path without a file name", dir.path() + QStringLiteral("/"), {}, {QStringLiteral("名前")}, false},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        dialogs->shown.clear();
        dialogs->fileNames = {row.chosen};
        dialogs->answers = row.answers;
        click("Tobmp");
        ASSERT_EQ(dialogs->shown.size(), row.asks ? 2 : 1);
        if (row.asks) {
            EXPECT_EQ(dialogs->shown.front(), kOverwrite);
        }
        const QString message = dialogs->shown.back();
        for (const QString &part : row.mustShow)
            EXPECT_TRUE(message.contains(part)) << message.toStdString();
        EXPECT_FALSE(message.endsWith(QStringLiteral("で保存しました。"))) << message.toStdString();
    }
    EXPECT_TRUE(QFileInfo(folder).isDir());
    // nothing left behind: no half-written or temporary file
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList());
}

TEST_F(PreviewPageTest, CancellingTheSaveDialogDoesNothing)
{
    dialogs->shown.clear();
    click("Tobmp"); // no name queued: cancelled
    EXPECT_TRUE(dialogs->shown.isEmpty());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
}

// ---- printing ----

TEST_F(PreviewPageTest, PrintingTheMarkedSlotsTwoToASheet)
{
    struct Row {
        const char *name;
        int stored;
        int marked;
        int sheets;
    };
    const Row rows[] = {
        {"three marked: two sheets", 4, 3, 2},
        {"four marked: two sheets", 4, 4, 2},
        {"five of six marked: three sheets", 6, 5, 3},
        {"one marked: one sheet", 4, 1, 1},
    };
    int n = 0;
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        storeSample(row.stored, row.marked);
        dialogs->shown.clear();
        dialogs->printFile = dir.filePath(QStringLiteral("sheets%1.pdf").arg(++n));
        click("printer2");
        EXPECT_TRUE(dialogs->shown.isEmpty()) << dialogs->shown.join(u'|').toStdString();
        EXPECT_EQ(pdfPages(dialogs->printFile), row.sheets);
    }
}

TEST_F(PreviewPageTest, TheMenuAndPageTwoPrintTheSameSheets)
{
    storeSample(4, 4);
    dialogs->printFile = dir.filePath(QStringLiteral("menu.pdf"));
    QAction *print = window->findChild<QAction *>(QStringLiteral("menuPrint"));
    ASSERT_NE(print, nullptr);
    print->trigger();
    EXPECT_EQ(pdfPages(dialogs->printFile), 2);
    QFile::remove(dialogs->printFile);
    click("printer1"); // the print image of page 2
    EXPECT_EQ(pdfPages(dialogs->printFile), 2);
    EXPECT_TRUE(dialogs->shown.isEmpty()) << dialogs->shown.join(u'|').toStdString();
}

TEST_F(PreviewPageTest, PdfExportWritesTheSheetsOfTheCommandLineAndAsksBeforeReplacing)
{
    storeSample(6, 5);
    edit("firstpage")->setText(QStringLiteral("3"));
    choose("center");
    edit("hidari")->setText(QStringLiteral("40"));
    const QString target = dir.filePath(QStringLiteral("計算書.pdf"));
    dialogs->fileNames = {dir.filePath(QStringLiteral("計算書"))};
    click("pdfOut");
    EXPECT_EQ(dialogs->shown, QStringList{QStringLiteral("「%1」に計算書を 3 頁出力しました。").arg(target)});
    EXPECT_EQ(pdfPages(target), 3);

    // what `kovel-cli sheets` writes for these settings, but for the time of writing
    const QString reference = dir.filePath(QStringLiteral("cli.pdf"));
    ASSERT_EQ(printSheetsToPdf(window->table(), preview()->settings(), QFile::encodeName(reference).toStdString()).error, "");
    static const QRegularExpression date(QStringLiteral("/CreationDate \\(D:[^)]*\\)"));
    EXPECT_EQ(QString::fromLatin1(bytesOf(target)).remove(date), QString::fromLatin1(bytesOf(reference)).remove(date));

    // the menu item, onto the existing file: asks, and No keeps it
    const QByteArray before = bytesOf(target);
    dialogs->shown.clear();
    dialogs->fileNames = {target};
    dialogs->answers = {false};
    window->findChild<QAction *>(QStringLiteral("menuPdf"))->trigger();
    EXPECT_EQ(dialogs->shown, QStringList{kOverwrite});
    EXPECT_EQ(bytesOf(target), before);
}

TEST_F(PreviewPageTest, SettingsThatCannotBePlacedAreRefusedBeforeThePrintDialog)
{
    storeSample(3, 3);
    struct Row {
        const char *name;
        const char *hidari;
        const char *firstpage;
        bool pagechk;
        const char *message; // empty: prints
    };
    const std::string tooWide = "左マージンは0から" + std::to_string(sheets::kMaxMargin) + "までの整数を入力して下さい。";
    const Row rows[] = {
        {"margin 1.5", "1.5", "1", true, "'1.5' は整数ではありません"},
        {"margin 30mm", "30mm", "1", true, "'30mm' は整数ではありません"},
        {"margin beyond the paper", "500", "1", true, tooWide.c_str()},
        {"negative margin", "-5", "1", true, tooWide.c_str()},
        {"first page 2.0", "30", "2.0", true, "'2.0' は整数ではありません"},
        {"empty first page", "30", "", true, "'' は整数ではありません"},
        {"first page unused without page numbers", "30", "x", false, ""},
    };
    int n = 0;
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        edit("hidari")->setText(QString::fromUtf8(row.hidari));
        edit("firstpage")->setText(QString::fromUtf8(row.firstpage));
        find<QCheckBox>("pagechk")->setChecked(row.pagechk);
        dialogs->shown.clear();
        dialogs->printFile = dir.filePath(QStringLiteral("refused%1.pdf").arg(++n));
        click("printer2");
        if (*row.message) {
            EXPECT_EQ(dialogs->shown, QStringList{QString::fromUtf8(row.message)});
            EXPECT_FALSE(QFileInfo::exists(dialogs->printFile)); // no job was started
            EXPECT_EQ(text("hidari"), QString::fromUtf8(row.hidari));
        } else {
            EXPECT_TRUE(dialogs->shown.isEmpty()) << dialogs->shown.join(u'|').toStdString();
            EXPECT_EQ(pdfPages(dialogs->printFile), 2);
        }
    }
}

TEST_F(PreviewPageTest, AMarginOffThePaperIsRefusedWithTheRangeOfThatPage)
{
    storeSample(3, 3);
    static const QRegularExpression range(QStringLiteral("^左マージンが大きすぎて計算書が用紙からはみ出します。"
                                                         "この印刷では左マージンは0から(\\d+)までの整数を入力して下さい。$"));
    struct Row {
        const char *name;
        const char *button;
    };
    for (const Row &row : {Row{"print dialog", "printer2"}, Row{"PDF export", "pdfOut"}}) {
        SCOPED_TRACE(row.name);
        const QString target = dir.filePath(QStringLiteral("%1.pdf").arg(QString::fromUtf8(row.button)));
        // within 0..221, but the sheet would leave the paper
        edit("hidari")->setText(QStringLiteral("120"));
        dialogs->shown.clear();
        dialogs->fileFilters.clear();
        dialogs->printFile = target;
        click(row.button);
        ASSERT_EQ(dialogs->shown.size(), 1);
        const QString refusal = dialogs->shown[0];
        const QRegularExpressionMatch m = range.match(refusal.mid(refusal.indexOf(QStringLiteral("左マージン"))));
        ASSERT_TRUE(m.hasMatch()) << refusal.toStdString();
        EXPECT_TRUE(dialogs->fileFilters.isEmpty()); // the PDF export asks before the file
        EXPECT_FALSE(QFileInfo::exists(target));
        EXPECT_EQ(text("hidari"), QStringLiteral("120"));
        // the range given is the true one: its end prints, one more is refused
        const int largest = m.captured(1).toInt();
        EXPECT_GT(largest, 20);
        for (const int margin : {largest + 1, largest}) {
            SCOPED_TRACE(margin);
            edit("hidari")->setText(QString::number(margin));
            dialogs->shown.clear();
            dialogs->fileNames = {target};
            click(row.button);
            const bool refused = margin > largest;
            EXPECT_EQ(dialogs->shown.join(u'|').contains(QStringLiteral("左マージンが大きすぎて")), refused);
            EXPECT_EQ(QFileInfo::exists(target), !refused);
        }
        EXPECT_EQ(pdfPages(target), 2);
        dialogs->printFile.clear();
    }
}

TEST_F(PreviewPageTest, AMarginThatReadsAsZeroIsShownAsZeroAfterThePrintDialog)
{
    storeSample(2, 2);
    struct Row {
        const char *hidari;
        bool cancel;
        const char *after;
    };
    const Row rows[] = {{"", false, "0"}, {"abc", false, "0"}, {"0.0", false, "0"}, {"", true, ""}, {"12", false, "12"}};
    int n = 0;
    for (const Row &row : rows) {
        SCOPED_TRACE(std::string("margin '") + row.hidari + (row.cancel ? "', cancelled" : "'"));
        edit("hidari")->setText(QString::fromUtf8(row.hidari));
        dialogs->shown.clear();
        dialogs->printFile = row.cancel ? QString() : dir.filePath(QStringLiteral("zero%1.pdf").arg(++n));
        click("printer2");
        EXPECT_TRUE(dialogs->shown.isEmpty()) << dialogs->shown.join(u'|').toStdString();
        EXPECT_EQ(text("hidari"), QString::fromUtf8(row.after));
        if (!row.cancel) {
            EXPECT_EQ(pdfPages(dialogs->printFile), 1);
        }
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 4); // nothing printed when cancelled
}

TEST_F(PreviewPageTest, NothingMarkedPrintsNoBlankSheet)
{
    storeSample(4, 0);
    dialogs->shown.clear();
    dialogs->printFile = dir.filePath(QStringLiteral("none.pdf"));
    click("printer2");
    ASSERT_EQ(dialogs->shown.size(), 1);
    EXPECT_TRUE(dialogs->shown[0].contains(QStringLiteral("印刷範囲"))) << dialogs->shown[0].toStdString();
    EXPECT_FALSE(QFileInfo::exists(dialogs->printFile));
}

TEST_F(PreviewPageTest, APrintFileThatCannotBeWrittenIsReported)
{
    storeSample(2, 2);
    const QString unwritable = dir.filePath(QStringLiteral("none/sheets.pdf"));
    dialogs->printFile = unwritable;
    dialogs->shown.clear();
    click("printer2");
    ASSERT_EQ(dialogs->shown.size(), 1);
    EXPECT_TRUE(dialogs->shown[0].contains(unwritable)) << dialogs->shown[0].toStdString();
    EXPECT_FALSE(QFileInfo::exists(unwritable));
}

TEST_F(PreviewPageTest, AFailedPrintIntoAFileKeepsTheOldFile)
{
    storeSample(2, 2);
    const QString target = dir.filePath(QStringLiteral("keep.pdf"));
    {
        QFile f(target);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("old");
    }
    dialogs->printFile = target;
    dialogs->shown.clear();
    files::failWritesAfter(100); // the disk fills up while the file is written
    click("printer2");
    files::failWritesAfter(-1);
    ASSERT_EQ(dialogs->shown.size(), 1);
    EXPECT_TRUE(dialogs->shown[0].contains(target)) << dialogs->shown[0].toStdString();
    EXPECT_EQ(bytesOf(target), QByteArray("old"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("keep.pdf")});

    dialogs->shown.clear();
    click("printer2"); // with room on the disk it is replaced
    EXPECT_TRUE(dialogs->shown.isEmpty()) << dialogs->shown.join(u'|').toStdString();
    EXPECT_EQ(pdfPages(target), 1);
}

TEST_F(PreviewPageTest, PrintingLeavesThePreviewAsItWas)
{
    storeSample(4, 4);
    click("next");
    const QImage before = preview()->pageImage();
    QSignalSpy composed(preview(), &PreviewPage::composed);
    dialogs->printFile = dir.filePath(QStringLiteral("p.pdf"));
    click("printer2");
    EXPECT_EQ(composed.count(), 0);
    EXPECT_EQ(preview()->pageImage(), before);
    EXPECT_EQ(shownPage(), QStringLiteral("2"));
}

// ---- the SI allowable-stress basis ----

TEST_F(PreviewPageTest, TheSiBasisActsAtTheNextCalculationOnly)
{
    EXPECT_TRUE(find<QRadioButton>("si156")->isChecked());
    EXPECT_FALSE(preview()->si157());
    find<QCheckBox>("jijuucheck")->click();
    choose("chokubutton");
    typeInto("inertia", QStringLiteral("10000"));
    typeInto("modulus", QStringLiteral("500"));
    typeInto("Span", QStringLiteral("6"));
    typeInto("uniform", QStringLiteral("1"));
    click("keisan");
    const QString shown = text("Rfb");
    EXPECT_EQ(shown, QString::fromStdString(beam::formatNumber(1.6 * 9.80665, "#0.000")));

    click("si157");
    EXPECT_TRUE(preview()->si157());
    EXPECT_EQ(text("Rfb"), shown);                          // nothing recalculated
    EXPECT_EQ(text("hantei"), QStringLiteral("OK."));       // nor invalidated
    EXPECT_EQ(page()->keisan2(), QStringLiteral("結果登録"));

    typeInto("uniform", QStringLiteral("1.5"));
    click("keisan");
    EXPECT_EQ(text("Rfb"), QString::fromStdString(beam::formatNumber(1.6 * 15.7 / 1.6, "#0.000"))); // 15.700
}

} // namespace
