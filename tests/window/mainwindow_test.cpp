// The window as a whole: start-up state, pages, menus, close confirmation, and the data
// paths resolved against the working directory.
#include "tests/window/windowfixture.h"

#include "files/textfile.h"

#include <QAction>
#include <QFile>
#include <QMenuBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <gmock/gmock.h>

namespace {

using ::testing::ElementsAre;

TEST_F(WindowTest, StartsWithPageOneAndTheDefaults)
{
    EXPECT_EQ(window->centralWidget()->size(), QSize(788, 547));
    EXPECT_EQ(window->pos(), QPoint(0, 0));
    EXPECT_TRUE(window->windowTitle().contains(QStringLiteral("KOVEL")));
    EXPECT_TRUE(find<QLabel>("versionLine")->text().contains(QStringLiteral("KOVEL")));

    auto *pages = find<QTabWidget>("PageControl1");
    ASSERT_EQ(pages->count(), 4);
    EXPECT_EQ(pages->tabText(0), QStringLiteral("入力と計算"));
    EXPECT_EQ(pages->tabText(1), QStringLiteral("計算結果表"));
    EXPECT_EQ(pages->tabText(2), QStringLiteral("印刷プレビュー"));
    EXPECT_EQ(pages->tabText(3), QStringLiteral("部材登録他"));
    EXPECT_EQ(pages->currentIndex(), 0);

    struct Row { const char *name; const char *text; };
    const Row defaults[] = {
        {"Bname", "B"}, {"Span", "0.00"}, {"lb", "0.00"}, {"seigen1", "300"}, {"seigen2", "2.0"},
        {"uniform", ""}, {"shiki", ""}, {"p1", ""}, {"pl8", ""}, {"ld3c", ""},
        {"member", "H-100x50x5x7"}, {"inertia", "187"}, {"modulus", "37.5"}, {"selfw", "9.3"},
        {"H1", "100"}, {"B1", "50"}, {"tf1", "7"}, {"H", "100"}, {"B", "50"}, {"tw", "5"}, {"tf", "7"},
        {"flag1", "0"}, {"hantei", "未計算"},
    };
    for (const Row &row : defaults) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(text(row.name), QString::fromUtf8(row.text));
    }
    EXPECT_EQ(find<QPushButton>("keisan2")->text(), QStringLiteral("計算開始"));
    EXPECT_FALSE(find<QCheckBox>("term")->isChecked());
    EXPECT_TRUE(find<QCheckBox>("si")->isChecked());
    EXPECT_TRUE(find<QCheckBox>("jijuucheck")->isChecked());
    EXPECT_FALSE(find<QCheckBox>("weak")->isChecked());
    EXPECT_FALSE(find<QCheckBox>("design")->isChecked());
    EXPECT_TRUE(find<QRadioButton>("pinpin")->isChecked());
    EXPECT_TRUE(find<QRadioButton>("HNbutton")->isChecked());
    EXPECT_TRUE(find<QRadioButton>("si156")->isChecked());
    for (const char *name : {"member", "inertia", "modulus", "selfw"}) {
        SCOPED_TRACE(name);
        EXPECT_FALSE(edit(name)->isEnabled());
    }
    for (const char *name : {"danmenzu", "H", "B", "tw", "tf", "tani", "keisanchuu", "watch", "hanryoku", "calc"}) {
        SCOPED_TRACE(name);
        EXPECT_FALSE(find<QWidget>(name)->isVisible());
    }
    EXPECT_EQ(background("Span"), QColor(0, 255, 255));
    EXPECT_EQ(background("lb"), QColor(255, 255, 255));
    EXPECT_TRUE(dialogs->shown.isEmpty()) << dialogs->shown.join(QLatin1Char('|')).toStdString();
}

TEST_F(WindowTest, DataPathsFollowTheWorkingDirectory)
{
    const QDir root(QStringLiteral(KOVEL_SOURCE_DIR));
    EXPECT_EQ(window->filepath(), shownPath(root.absoluteFilePath(QStringLiteral("shape/buzai.txt"))));
    EXPECT_EQ(window->shapepath(), shownPath(root.absoluteFilePath(QStringLiteral("boundary"))));
    EXPECT_EQ(window->userbuzaipath(), shownPath(root.absoluteFilePath(QStringLiteral("shape/ubuzai.txt"))));
}

TEST_F(WindowTest, MenusHoldEveryItem)
{
    QStringList menus;
    QStringList items;
    for (QAction *menu : window->menuBar()->actions()) {
        menus << menu->text();
        for (QAction *item : menu->menu()->actions())
            items << item->text();
    }
    EXPECT_EQ(menus, QStringList({"ﾌｧｲﾙ", "ｵﾌﾟｼｮﾝ", "ﾍﾙﾌﾟ"}));
    items.removeAll(QString()); // the separators
    EXPECT_EQ(items, QStringList({"新規作成", "呼出", "最近使ったファイル", "保存", "名前を付けて保存",
                                  "一覧表(CSV)の読込...", "計算結果表のCSV出力...", "計算書の表題...", "PDF出力...",
                                  "印刷", "終了", "ﾃｷｽﾄ形式出力", "検定基準...", "ﾊﾞｰｼﾞｮﾝ情報", "ﾍﾙﾌﾟ呼出", "ﾎｰﾑﾍﾟｰｼﾞ"}));
}

// A text box that claims every key for itself, as the boxes of the X11 key scheme claim
// Ctrl+E (end of line).
class ClaimingEdit : public QLineEdit {
public:
    using QLineEdit::QLineEdit;

protected:
    bool event(QEvent *e) override
    {
        if (e->type() == QEvent::ShortcutOverride) {
            e->accept();
            return true;
        }
        return QLineEdit::event(e);
    }
};

TEST_F(WindowTest, KeyboardShortcutsReachTheMenuFromAnInputBox)
{
    auto *claiming = new ClaimingEdit(page());
    claiming->show();
    // each key pressed while a box of page 1 is being typed in; the questions are answered No
    struct Row { const char *name; QKeySequence keys; const char *shown; const char *filter; };
    const Row rows[] = {
        {"new", QKeySequence(QStringLiteral("Ctrl+N")), "保存していないデータは消えてしまいます。新規に始めてよろしいですか？", nullptr},
        {"open", QKeySequence(QStringLiteral("Ctrl+O")), "結果表にあるデータは消えてしまいます。よろしいですか？", nullptr},
        {"save", QKeySequence(QStringLiteral("Ctrl+S")), nullptr, "KovelFile(*.kvl)"},
        {"save under a new name", QKeySequence(QStringLiteral("Ctrl+Shift+S")), nullptr, "KovelFile(*.kvl)"},
        {"print", QKeySequence(QStringLiteral("Ctrl+P")), "印刷する計算結果がありません。計算結果表で印刷範囲を指定して下さい。", nullptr},
        {"text export", QKeySequence(QStringLiteral("Ctrl+E")), nullptr, "TextFile(*.txt)"},
        {"close", QKeySequence(QStringLiteral("Ctrl+Q")), "終了してよろしいですか？", nullptr},
    };
    for (QLineEdit *box : {edit("Span"), static_cast<QLineEdit *>(claiming)}) {
        for (const Row &row : rows) {
            SCOPED_TRACE(row.name);
            SCOPED_TRACE(box == claiming ? "a box that claims the key" : "Span");
            window->pages()->setCurrentIndex(0);
            box->setFocus(Qt::MouseFocusReason);
            ASSERT_EQ(focused(), box);
            dialogs->shown.clear();
            dialogs->fileFilters.clear();
            const QKeyCombination key = row.keys[0];
            QTest::keyClick(focused(), key.key(), key.keyboardModifiers());
            EXPECT_EQ(dialogs->shown, row.shown ? QStringList{QString::fromUtf8(row.shown)} : QStringList());
            EXPECT_EQ(dialogs->fileFilters, row.filter ? QStringList{QString::fromUtf8(row.filter)} : QStringList());
            EXPECT_TRUE(window->isVisible());
        }
    }
    EXPECT_EQ(find<QAction>("menuHelp")->shortcut(), QKeySequence(Qt::Key_F1));
}

TEST_F(WindowTest, AboutNamesTheProduct)
{
    find<QAction>("menuVersion")->trigger();
    ASSERT_EQ(dialogs->shown.size(), 1);
    EXPECT_TRUE(dialogs->shown[0].contains(QStringLiteral("KOVEL")));
    EXPECT_TRUE(dialogs->shown[0].contains(QStringLiteral("1.0")));
}

TEST_F(WindowTest, EveryCloseRequestAsksAndNoKeepsTheWindow)
{
    struct Row { const char *name; std::function<void(WindowTest &)> request; };
    const Row requests[] = {
        {"system close", [](WindowTest &t) { t.window->close(); }},
        {"menu item 終了", [](WindowTest &t) { t.find<QAction>("menuExit")->trigger(); }},
        {"exit image of page 1", [](WindowTest &t) { t.click("shuuryou"); }},
    };
    for (const Row &row : requests) {
        SCOPED_TRACE(row.name);
        dialogs->shown.clear();
        edit("Bname")->setText(QStringLiteral("keep me"));
        dialogs->answers = {false};
        row.request(*this);
        EXPECT_THAT(dialogs->shown, ElementsAre(QStringLiteral("終了してよろしいですか？")));
        EXPECT_TRUE(window->isVisible());
        EXPECT_EQ(text("Bname"), QStringLiteral("keep me"));
    }
    dialogs->answers = {true};
    window->close();
    EXPECT_FALSE(window->isVisible());
}

// A working directory without the data folders.
class EmptyFolderTest : public WindowTest {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        QDir::setCurrent(m_dir.path());
        start();
    }
    void TearDown() override { QDir::setCurrent(QStringLiteral(KOVEL_SOURCE_DIR)); }
    QTemporaryDir m_dir;
};

TEST_F(EmptyFolderTest, MissingMemberFileIsReportedAndStartUpCompletes)
{
    const QString members = shownPath(QDir(m_dir.path()).absoluteFilePath(QStringLiteral("shape/ubuzai.txt")));
    EXPECT_EQ(window->userbuzaipath(), members);
    EXPECT_EQ(window->filepath(), shownPath(QDir(m_dir.path()).absoluteFilePath(QStringLiteral("shape/buzai.txt"))));
    ASSERT_EQ(dialogs->shown.size(), 1);
    EXPECT_TRUE(dialogs->shown[0].contains(QStringLiteral("ubuzai.txt"))) << dialogs->shown[0].toStdString();
    // the later steps ran: the empty load diagram is drawn
    const QImage &load = page()->loadDiagramImage();
    ASSERT_FALSE(load.isNull());
    EXPECT_EQ(load.pixelColor(95, 50), QColor(Qt::black));
    EXPECT_EQ(load.pixelColor(95, 92), QColor(Qt::black));
}

TEST_F(EmptyFolderTest, MissingSupportPictureIsReportedAndTheSupportStillChanges)
{
    dialogs->shown.clear();
    choose("koteikotei");
    ASSERT_EQ(dialogs->shown.size(), 1);
    EXPECT_TRUE(dialogs->shown[0].contains(QStringLiteral("Brigid.bmp"))) << dialogs->shown[0].toStdString();
    EXPECT_TRUE(find<QRadioButton>("koteikotei")->isChecked());
    EXPECT_EQ(page()->inputTexts().support, beam::Support::FixedFixed);
}

TEST_F(EmptyFolderTest, HelpFileMissingIsReported)
{
    dialogs->shown.clear();
    find<QAction>("menuHelp")->trigger();
    ASSERT_EQ(dialogs->shown.size(), 1);
    EXPECT_TRUE(dialogs->shown[0].contains(QStringLiteral("help.htm")));
}

TEST_F(EmptyFolderTest, MissingCatalogueIsReportedAndTheFieldsKeepTheirValues)
{
    dialogs->shown.clear();
    find<QComboBox>("HN")->setCurrentText(QStringLiteral("H-125x60x6x8"));
    EXPECT_EQ(text("member"), QStringLiteral("H-125x60x6x8"));
    ASSERT_FALSE(dialogs->shown.isEmpty());
    EXPECT_TRUE(dialogs->shown[0].contains(QStringLiteral("buzai.txt"))) << dialogs->shown[0].toStdString();
    EXPECT_EQ(text("inertia"), QStringLiteral("187"));
    EXPECT_EQ(text("hantei"), QStringLiteral("未計算"));
}

TEST_F(EmptyFolderTest, MissingSectionSketchIsReportedAndTheShapeStillWorks)
{
    dialogs->shown.clear();
    choose("BHbutton");
    bool named = false;
    for (const QString &message : dialogs->shown)
        named = named || message.contains(QStringLiteral("BH.bmp"));
    EXPECT_TRUE(named) << dialogs->shown.join(QLatin1Char('|')).toStdString();
    // the rest of the choice still ran: dimensions shown, properties computed from them
    EXPECT_EQ(text("flag1"), QStringLiteral("1"));
    EXPECT_TRUE(edit("tw")->isVisible());
    typeInto("H", QStringLiteral("400"));
    typeInto("B", QStringLiteral("200"));
    typeInto("tw", QStringLiteral("9"));
    typeInto("tf", QStringLiteral("16"));
    EXPECT_EQ(text("member"), QStringLiteral("BH-400x200x9x16"));
    EXPECT_EQ(text("inertia"), QStringLiteral("27344.31"));
}

TEST_F(EmptyFolderTest, SelectionWithoutCatalogueIsReportedAndNotFinished)
{
    typeInto("Span", QStringLiteral("6"));
    find<QCheckBox>("design")->click();
    dialogs->shown.clear();
    click("keisan");
    ASSERT_EQ(dialogs->shown.size(), 1);
    EXPECT_TRUE(dialogs->shown[0].contains(QStringLiteral("buzai.txt"))) << dialogs->shown[0].toStdString();
    EXPECT_EQ(page()->keisan2(), QStringLiteral("計算開始"));
    EXPECT_EQ(text("hantei"), QStringLiteral("未計算"));
    EXPECT_FALSE(find<QWidget>("keisanchuu")->isVisible());
}

TEST_F(EmptyFolderTest, SelectionOverAFamilyTheCatalogueLacksSaysSo)
{
    // a catalogue with one wide-flange record only: the narrow-flange search checks nothing
    QDir().mkpath(m_dir.filePath(QStringLiteral("shape")));
    const std::vector<std::string> lines = {"HW", "H-100x100x6x8", "100", "100", "6", "8", "16.9", "378", "134",
                                            "75.6", "26.7", "21.59", "8", "END", "", "", "", "", "", "", "", "",
                                            "", "", "", ""};
    ASSERT_EQ(files::writeTextFile(m_dir.filePath(QStringLiteral("shape/buzai.txt")).toStdString(), lines), "");
    typeInto("Span", QStringLiteral("6"));
    find<QCheckBox>("design")->click();
    dialogs->shown.clear();
    click("keisan");
    ASSERT_EQ(dialogs->shown.size(), 1);
    EXPECT_TRUE(dialogs->shown[0].contains(QStringLiteral("HN"))) << dialogs->shown[0].toStdString();
    EXPECT_FALSE(dialogs->shown[0].contains(QStringLiteral("計算が終了しました")));
    EXPECT_EQ(page()->keisan2(), QStringLiteral("計算開始"));
    EXPECT_EQ(text("hantei"), QStringLiteral("未計算"));
}

} // namespace
