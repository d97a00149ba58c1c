// The file commands of the window: new, open and save of the project file and the text
// export, through the menu items and the images of page 2, with their questions, messages
// and the window caption.
#include "tests/window/windowfixture.h"

#include "files/textfile.h"
#include "results/messages.h"
#include "results/store.h"
#include "tests/results/helpers.h"
#include "window/recentfiles.h"
#include "window/resultpage.h"

#include <QAction>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSettings>
#include <QTabWidget>
#include <QTemporaryDir>
#include <gmock/gmock.h>

#include <functional>

namespace {

using ::testing::ElementsAre;

QByteArray bytesOf(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

class ProjectCommandsTest : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        ASSERT_TRUE(m_dir.isValid());
    }
    QString path(const char *name) const { return shownPath(m_dir.filePath(QString::fromUtf8(name))); }
    ResultPage *rp() const { return window->resultPage(); }
    results::Table &table() const { return window->table(); }
    void menu(const char *name) { find<QAction>(name)->trigger(); }

    // Two slots with Japanese texts, an empty formula text (field 12) and, in the second,
    // a cantilever's empty span moment (field 58).
    void twoSlots()
    {
        sections::NamedBeam p = testing_results::blankPage(beam::Support::PinPin, beam::Family::HN);
        p.Bname = "梁１";
        p.texts.Span = "6.000";
        p.texts.uniform = "1.000";
        p.shiki = "";
        p.member = "H-200x100x5.5x8";
        p.result.RMmax = "4.500";
        p.result.Mcent = "4.500";
        p.result.hantei = "OK.";
        for (std::string &m : p.result.Mgrid)
            m = "1.25";
        results::storeResult(table(), p, results::WhenFull::Refuse);
        p.Bname = "片持ち梁";
        p.texts.support = beam::Support::FreeFixed;
        p.texts.si = false;
        p.result.Mcent = "";
        p.result.hantei = "NG.";
        results::storeResult(table(), p, results::WhenFull::Refuse);
        rp()->fillSlotArrays();
        rp()->showSlot();
    }

    // Saves through the menu to `chosen`, answering the overwrite question with `yes`.
    void saveAs(const QString &chosen, bool yes = true)
    {
        dialogs->shown.clear();
        dialogs->fileNames = {chosen};
        dialogs->answers = {yes};
        menu("menuSave");
    }
    void openFile(const QString &file)
    {
        dialogs->shown.clear();
        dialogs->answers = {true};
        dialogs->fileNames = {file};
        menu("menuOpen");
    }

    QTemporaryDir m_dir;
};

TEST_F(ProjectCommandsTest, SaveNewAndOpenRoundTripThroughTheMenus)
{
    twoSlots();
    const auto slots = table().slots;

    // a name typed with another extension is saved as .kvl
    saveAs(path("梁の計算.txt"));
    const QString stripped = path("梁の計算");
    const QString file = stripped + QStringLiteral(".kvl");
    EXPECT_THAT(dialogs->shown, ElementsAre(stripped + QStringLiteral(".kvl で保存されました")));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("KOVEL-") + stripped);
    const QByteArray saved = bytesOf(file);
    EXPECT_EQ(saved.count("\r\n"), 1 + 165 * 2);
    EXPECT_TRUE(saved.startsWith("2\r\n1\r\n"));
    EXPECT_FALSE(QFile::exists(path("梁の計算.txt")));

    dialogs->shown.clear();
    dialogs->answers = {true};
    menu("menuNew");
    EXPECT_THAT(dialogs->shown,
                ElementsAre(QStringLiteral("保存していないデータは消えてしまいます。新規に始めてよろしいですか？")));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("KOVEL-新規"));
    EXPECT_EQ(table().datano, 0);
    EXPECT_EQ(table().selected, 0);
    for (int s = 1; s <= 50; ++s) {
        SCOPED_TRACE(s);
        EXPECT_EQ(rp()->data(s)->text(), QString());
        EXPECT_FALSE(rp()->markShown(s));
        EXPECT_EQ(rp()->data(s)->x(), s <= 20 ? 24 : s <= 40 ? 104 : 184);
    }
    EXPECT_FALSE(find<QWidget>("kage")->isVisible());
    EXPECT_EQ(text("listspan"), QString());

    window->pages()->setCurrentIndex(0);
    openFile(file);
    EXPECT_THAT(dialogs->shown, ElementsAre(QStringLiteral("結果表にあるデータは消えてしまいます。よろしいですか？")));
    EXPECT_EQ(window->pages()->currentIndex(), 1);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("KOVEL-") + file);
    EXPECT_EQ(table().datano, 2);
    EXPECT_EQ(table().slots, slots); // Japanese texts and empty fields come back as they were
    EXPECT_EQ(table().selected, 1);
    EXPECT_EQ(rp()->data(1)->text(), QStringLiteral("梁１"));
    EXPECT_EQ(rp()->data(2)->text(), QStringLiteral("片持ち梁"));
    EXPECT_TRUE(rp()->markShown(1));
    EXPECT_TRUE(rp()->markShown(2));
    EXPECT_FALSE(rp()->markShown(3));
    EXPECT_EQ(rp()->data(1)->x(), 19);
    EXPECT_EQ(text("listmember"), QStringLiteral("H-200x100x5.5x8"));

    // saved again under another name: the same bytes
    saveAs(path("copy"));
    EXPECT_EQ(bytesOf(path("copy.kvl")), saved);
}

// The title block of the detailed sheets: set in its dialog (a refusal brings the dialog
// back with the texts as typed), an unsaved change, kept in the file, emptied by a new
// project and read back by the open.
TEST_F(ProjectCommandsTest, TheTitleBlockFromItsDialogIsSavedAndOpened)
{
    twoSlots();
    saveAs(path("titled"));
    ASSERT_FALSE(table().changed);

    results::TitleBlock bad;
    bad.project = "○○ビル新築工事";
    bad.part = "3階 床梁";
    bad.designer = "設計 一郎";
    bad.date = "2026-02-30";
    results::TitleBlock good = bad;
    good.checker = "照査 花子";
    good.date = "2026-02-28";
    dialogs->shown.clear();
    dialogs->titles = {bad, good};
    menu("menuTitle");
    ASSERT_EQ(dialogs->titlesShown.size(), 2u);
    EXPECT_EQ(dialogs->titlesShown[0], results::TitleBlock());
    EXPECT_EQ(dialogs->titlesShown[1], bad); // the refused texts are not lost
    EXPECT_THAT(dialogs->shown, ElementsAre(QString::fromStdString(results::titleBlockRefusal(bad))));
    EXPECT_EQ(table().title, good);
    EXPECT_TRUE(window->windowTitle().endsWith(QString::fromUtf8(results::kUnsavedMark)));

    // cancelled: nothing changes
    dialogs->titlesShown.clear();
    menu("menuTitle");
    EXPECT_EQ(dialogs->titlesShown, std::vector<results::TitleBlock>{good});
    EXPECT_EQ(table().title, good);

    saveAs(path("titled"));
    EXPECT_FALSE(window->windowTitle().endsWith(QString::fromUtf8(results::kUnsavedMark)));
    dialogs->answers = {true};
    menu("menuNew");
    EXPECT_EQ(table().title, results::TitleBlock());
    openFile(path("titled.kvl"));
    EXPECT_EQ(table().title, good);
    EXPECT_FALSE(table().changed);
    dialogs->titlesShown.clear();
    menu("menuTitle");
    EXPECT_EQ(dialogs->titlesShown, std::vector<results::TitleBlock>{good});
}

TEST_F(ProjectCommandsTest, TheImagesOfPageTwoRunTheSameCommands)
{
    twoSlots();
    dialogs->fileNames = {path("by_image")};
    click("hozon");
    EXPECT_TRUE(QFile::exists(path("by_image.kvl")));
    dialogs->answers = {true};
    click("newdata");
    EXPECT_EQ(table().datano, 0);
    dialogs->answers = {true};
    dialogs->fileNames = {path("by_image.kvl")};
    click("yobidashi");
    EXPECT_EQ(table().datano, 2);
}

TEST_F(ProjectCommandsTest, RecentProjectsAreKeptForTheNextRunAndOpenAgain)
{
#ifdef _WIN32
    QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("KOVEL")).remove(QStringLiteral("recent"));
#else
    QFile::remove(RecentFiles::defaultSettingsFile());
#endif
    auto recentItems = [this] {
        auto *recent = find<QMenu>("menuRecent");
        Q_EMIT recent->aboutToShow();
        QStringList items;
        for (QAction *a : recent->actions())
            items << a->text();
        return items;
    };
    EXPECT_EQ(recentItems(), QStringList{QStringLiteral("（なし）")});

    twoSlots();
    saveAs(path("first.txt")); // listed under the name written
    dialogs->fileNames = {path("second")};
    dialogs->answers = {true};
    menu("menuSaveAs");
    openFile(path("first.kvl")); // opened again: back to the front, listed once
    const QStringList listed = {QStringLiteral("&1 ") + path("first.kvl"), QStringLiteral("&2 ") + path("second.kvl")};
    EXPECT_EQ(recentItems(), listed);

    // the next run: the same list, and an item opens its project after the usual question
    window.reset();
    start();
    EXPECT_EQ(recentItems(), listed);
    dialogs->answers = {true};
    find<QAction>("recent2")->trigger();
    EXPECT_THAT(dialogs->shown, ElementsAre(QString::fromUtf8(results::kOpenQuestion)));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("KOVEL-") + path("second.kvl"));
    EXPECT_EQ(table().datano, 2);
    EXPECT_EQ(recentItems().first(), QStringLiteral("&1 ") + path("second.kvl"));

    // a project that has gone: the open's own message, and it leaves the list
    ASSERT_TRUE(QFile::remove(path("first.kvl")));
    dialogs->shown.clear();
    dialogs->answers = {true};
    find<QAction>("recent2")->trigger();
    ASSERT_EQ(dialogs->shown.size(), 2);
    EXPECT_TRUE(dialogs->shown[1].contains(QStringLiteral("first.kvl"))) << dialogs->shown[1].toStdString();
    EXPECT_EQ(table().datano, 2);
    EXPECT_EQ(recentItems(), QStringList{QStringLiteral("&1 ") + path("second.kvl")});

    // at most eight, newest first
    RecentFiles recent;
    for (int i = 1; i <= 10; ++i)
        recent.add(path("p") + QString::number(i) + QStringLiteral(".kvl"));
    ASSERT_EQ(recent.files().size(), RecentFiles::kMaxFiles);
    EXPECT_EQ(recent.files().first(), path("p10.kvl"));
    EXPECT_EQ(recent.files().last(), path("p3.kvl"));
}

TEST_F(ProjectCommandsTest, QuestionsAnsweredNoChangeNothing)
{
    twoSlots();
    saveAs(path("kept"));
    const QString caption = window->windowTitle();
    const auto slots = table().slots;

    struct Case { const char *name; const char *menuItem; std::deque<bool> answers; std::deque<QString> files; };
    const Case cases[] = {
        {"new answered No", "menuNew", {false}, {}},
        {"open answered No", "menuOpen", {false}, {path("kept.kvl")}},
        {"open dialog cancelled", "menuOpen", {true}, {QString()}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        dialogs->answers = c.answers;
        dialogs->fileNames = c.files;
        menu(c.menuItem);
        EXPECT_EQ(table().datano, 2);
        EXPECT_EQ(table().slots, slots);
        EXPECT_EQ(window->windowTitle(), caption);
    }
}

TEST_F(ProjectCommandsTest, ABrokenFileLeavesTableCountMarksAndCaptionAsTheyWere)
{
    twoSlots();
    rp()->chkClick(2); // slot 2 unmarked
    rp()->dataClick(2);
    saveAs(path("good"));
    const QString caption = window->windowTitle();
    const results::Table before = table();

    struct Case { const char *name; QByteArray bytes; };
    const Case cases[] = {
        {"count not an integer", "zwei\r\n1\r\n"},
        {"count above 50", "51\r\n"},
        {"negative count", "-1\r\n"},
        {"not code page 932", "1\r\n1\r\n\x82\r\n"},
        {"empty file", ""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        const QString file = path("broken.kvl");
        ASSERT_TRUE(writeBytes(file, c.bytes));
        openFile(file);
        ASSERT_EQ(dialogs->shown.size(), 2); // the question, then the refusal
        EXPECT_TRUE(dialogs->shown[1].endsWith(QStringLiteral("計算結果表はそのままです。")))
            << dialogs->shown[1].toStdString();
        EXPECT_EQ(table().datano, before.datano);
        EXPECT_EQ(table().slots, before.slots);
        EXPECT_EQ(table().selectgrid, before.selectgrid);
        EXPECT_EQ(table().selected, 2);
        EXPECT_EQ(window->windowTitle(), caption);
        EXPECT_TRUE(rp()->markShown(1));
        EXPECT_FALSE(rp()->markShown(2));
        EXPECT_EQ(rp()->data(2)->text(), QStringLiteral("片持ち梁"));
    }
    openFile(path("missing.kvl"));
    ASSERT_EQ(dialogs->shown.size(), 2);
    EXPECT_TRUE(dialogs->shown[1].contains(QStringLiteral("missing.kvl"))) << dialogs->shown[1].toStdString();
    EXPECT_EQ(table().slots, before.slots);
}

// The page tells the caption when an operation of its own changes the records.
TEST_F(ProjectCommandsTest, EveryOperationThatChangesTheRecordsMarksTheCaptionUnsaved)
{
    struct Case { const char *name; std::function<void()> change; };
    const Case cases[] = {
        {"rename", [this] {
             rp()->rename1Click();
             QTest::keyClicks(find<QLineEdit>("rename"), QStringLiteral("X"));
             QTest::keyClick(find<QLineEdit>("rename"), Qt::Key_Return);
         }},
        {"move", [this] {
             rp()->move1Click();
             rp()->dataClick(5);
         }},
        {"delete", [this] {
             dialogs->answers = {true};
             rp()->delete1Click();
         }},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        dialogs->answers = {true};
        menu("menuNew");
        twoSlots();
        saveAs(path("marked"));
        ASSERT_FALSE(window->windowTitle().endsWith(QStringLiteral(" *")));
        rp()->dataClick(1);
        c.change();
        EXPECT_TRUE(window->windowTitle().endsWith(QStringLiteral(" *"))) << window->windowTitle().toStdString();
    }
}

TEST_F(ProjectCommandsTest, AShortFileOpensWithEmptyFieldsAndSaysSo)
{
    ASSERT_TRUE(writeBytes(path("short.kvl"), QByteArray("1\r\n7\r\n")));
    openFile(path("short.kvl"));
    ASSERT_EQ(dialogs->shown.size(), 2);
    EXPECT_TRUE(dialogs->shown[1].contains(QStringLiteral("空欄"))) << dialogs->shown[1].toStdString();
    EXPECT_EQ(table().datano, 1);
    EXPECT_EQ(table().slots[1][1], "7");
    EXPECT_EQ(table().slots[1][2], "");
}

TEST_F(ProjectCommandsTest, SaveOverAnExistingFileAsksAndKeepsEmptyFieldsEmpty)
{
    twoSlots();
    saveAs(path("p"));
    const QByteArray first = bytesOf(path("p.kvl"));
    const QString caption = window->windowTitle();

    dialogs->answers = {true};
    menu("menuNew");
    twoSlots();
    table().slots[1][2] = "変更後";

    saveAs(path("p.kvl"), false);
    EXPECT_THAT(dialogs->shown, ElementsAre(QStringLiteral("同じ名前のファイルが既にありますが上書きしますか?")));
    EXPECT_EQ(bytesOf(path("p.kvl")), first);
    EXPECT_EQ(window->windowTitle(), QStringLiteral("KOVEL-新規"));

    saveAs(path("p.kvl"), true);
    EXPECT_THAT(dialogs->shown, ElementsAre(QStringLiteral("同じ名前のファイルが既にありますが上書きしますか?"),
                                            path("p") + QStringLiteral(".kvl で保存されました")));
    EXPECT_EQ(window->windowTitle(), caption);
    const QList<QByteArray> lines = bytesOf(path("p.kvl")).split('\n');
    // fields 12 of slot 1 and 58 of slot 2 are empty lines, as in a new file, never "0"
    // (field f of slot s is line 1 + 165 (s - 1) + f, counted from 1)
    EXPECT_EQ(lines[12], "\r");
    EXPECT_EQ(lines[165 + 58], "\r");
    EXPECT_EQ(lines[165 + 2], "\x95\xD0\x8E\x9D\x82\xBF\x97\xC0\r"); // 片持ち梁 in code page 932
}

// Two windows may have the same project open: saving over a file someone else has
// changed since this window opened or saved it asks first, and No keeps their bytes.
TEST_F(ProjectCommandsTest, SavingOverAFileChangedOnDiskAsksAndNoKeepsTheOtherWritersBytes)
{
    const QString overwrite = QString::fromUtf8(results::kOverwriteQuestion);
    const QString changed = QString::fromUtf8(results::kChangedOnDiskQuestion);
    const QString file = path("p.kvl");
    const QString saved = path("p") + QStringLiteral(".kvl で保存されました");
    twoSlots();
    saveAs(path("p"));
    // unchanged on disk: the usual question only, and both commands propose the file
    dialogs->shown.clear();
    dialogs->fileNames = {file};
    dialogs->answers = {true};
    menu("menuSaveAs");
    EXPECT_THAT(dialogs->shown, ElementsAre(overwrite, saved));
    EXPECT_EQ(dialogs->proposed, (QStringList{QString(), file}));

    const QByteArray other = "1\r\n7\r\n";
    ASSERT_TRUE(writeBytes(file, other));
    table().slots[1][2] = "変更後";
    rp()->tableChanged();
    const QString caption = window->windowTitle();
    const auto slots = table().slots;
    dialogs->shown.clear();
    dialogs->fileNames = {file};
    dialogs->answers = {true, false};
    menu("menuSave");
    EXPECT_THAT(dialogs->shown, ElementsAre(overwrite, changed));
    EXPECT_EQ(bytesOf(file), other);
    EXPECT_EQ(window->windowTitle(), caption);
    EXPECT_EQ(table().slots, slots);

    // Yes writes; a file deleted meanwhile is simply saved
    dialogs->shown.clear();
    dialogs->fileNames = {file};
    dialogs->answers = {true, true};
    menu("menuSave");
    EXPECT_THAT(dialogs->shown, ElementsAre(overwrite, changed, saved));
    EXPECT_TRUE(bytesOf(file).startsWith("2\r\n"));
    ASSERT_TRUE(QFile::remove(file));
    saveAs(file);
    EXPECT_THAT(dialogs->shown, ElementsAre(saved));
}

TEST_F(ProjectCommandsTest, SaveRefusesATextCodePage932CannotHold)
{
    twoSlots();
    table().slots[2][2] = "梁\U0001F600";
    dialogs->fileNames = {path("emoji")};
    menu("menuSave");
    ASSERT_EQ(dialogs->shown.size(), 1);
    EXPECT_TRUE(dialogs->shown[0].contains(QStringLiteral("2番"))) << dialogs->shown[0].toStdString();
    EXPECT_FALSE(dialogs->shown[0].contains(QStringLiteral("で保存されました")));
    EXPECT_FALSE(QFile::exists(path("emoji.kvl")));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("KOVEL"));
}

TEST_F(ProjectCommandsTest, AFailedWriteIsReportedWithoutSuccess)
{
    twoSlots();
    dialogs->fileNames = {path("no/such/folder/p")};
    menu("menuSave");
    ASSERT_EQ(dialogs->shown.size(), 1);
    EXPECT_FALSE(dialogs->shown[0].contains(QStringLiteral("で保存されました")));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("KOVEL"));

    dialogs->shown.clear();
    dialogs->fileNames = {path("no/such/folder/r")};
    menu("menuText");
    ASSERT_EQ(dialogs->shown.size(), 1);
    EXPECT_NE(dialogs->shown[0], QStringLiteral("テキストに出力しました。"));
}

TEST_F(ProjectCommandsTest, TextExportAsksBeforeOverwriting)
{
    twoSlots();
    dialogs->fileNames = {path("report.kvl")};
    menu("menuText");
    EXPECT_THAT(dialogs->shown, ElementsAre(QStringLiteral("テキストに出力しました。")));
    const QByteArray first = bytesOf(path("report.txt"));
    EXPECT_EQ(first.count("\r\n"), 31 * 2);
    const files::TextFileRead report = files::readTextFile(path("report.txt").toStdString());
    ASSERT_TRUE(report.lines);
    EXPECT_EQ(report.lines->at(0), "梁１の設計");
    EXPECT_EQ(report.lines->at(31), "片持ち梁の設計");
    EXPECT_FALSE(QFile::exists(path("report.kvl")));

    table().slots[1][2] = "変更";
    struct Case { const char *name; bool yes; bool rewritten; };
    const Case cases[] = {{"No keeps the file", false, false}, {"Yes rewrites it", true, true}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        dialogs->shown.clear();
        dialogs->answers = {c.yes};
        dialogs->fileNames = {path("report")};
        menu("menuText");
        QStringList expected = {QStringLiteral("同じ名前のファイルが既にありますが上書きしますか?")};
        if (c.rewritten)
            expected << QStringLiteral("テキストに出力しました。");
        EXPECT_EQ(dialogs->shown, expected);
        EXPECT_EQ(bytesOf(path("report.txt")) == first, !c.rewritten);
    }
}

TEST_F(ProjectCommandsTest, TextExportOfAnEmptyTableIsAnEmptyFile)
{
    dialogs->fileNames = {path("empty")};
    menu("menuText");
    EXPECT_THAT(dialogs->shown, ElementsAre(QStringLiteral("テキストに出力しました。")));
    EXPECT_TRUE(QFile::exists(path("empty.txt")));
    EXPECT_TRUE(bytesOf(path("empty.txt")).isEmpty());
}

} // namespace

namespace {

// `kovel FILE.kvl`: the file given at start opens as the open command opens it; two files
// or a file that is not a project give a message and the empty table.
TEST_F(ProjectCommandsTest, AProjectGivenOnTheCommandLineOpensAtStart)
{
    twoSlots();
    saveAs(path("start"));
    const QString file = path("start.kvl");
    ASSERT_TRUE(writeBytes(path("notes.txt"), "memo\r\n"));
    struct Row {
        const char *name;
        QStringList files;
        int slots;
        const char *message; // part of the one message, or nullptr for none
    };
    const Row rows[] = {
        {"one project", {file}, 2, nullptr},
        {"two files", {file, file}, 0, "１つだけ"},
        {"not a project", {path("notes.txt")}, 0, "notes.txt"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        start();
        dialogs->shown.clear();
        window->openFromCommandLine(row.files);
        EXPECT_EQ(table().datano, row.slots);
        if (row.message) {
            ASSERT_EQ(dialogs->shown.size(), 1);
            EXPECT_TRUE(dialogs->shown[0].contains(QString::fromUtf8(row.message))) << dialogs->shown[0].toStdString();
        } else {
            EXPECT_TRUE(dialogs->shown.isEmpty());
            EXPECT_EQ(window->windowTitle(), QStringLiteral("KOVEL-") + file);
            EXPECT_EQ(rp()->data(2)->text(), QStringLiteral("片持ち梁"));
        }
    }
}

} // namespace
