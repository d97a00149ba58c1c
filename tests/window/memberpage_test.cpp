// Page 4: the registered members typed, stored, deleted and changed through the page's
// controls, the member file they write, `userlist` on page 1, start-up with a broken
// member file; the section property calculator and the stress unit converter.
#include "files/textfile.h"
#include "sections/members.h"
#include "tests/window/windowfixture.h"
#include "window/memberpage.h"

#include <QFile>
#include <QFrame>
#include <QGroupBox>
#include <QHeaderView>
#include <QTabWidget>
#include <QTableWidget>
#include <QStyle>
#include <QTemporaryDir>

#include <string>
#include <vector>

namespace {

const char *const kEntryBoxes[] = {"umember", "uA", "uWW", "uIx", "uIy", "uZx", "uZy"};

// One member's eight file lines: number, name, A, weight, Ix, Iy, Zx, Zy.
std::vector<std::string> memberLines(int number, const std::string &name)
{
    const std::string k = std::to_string(number);
    return {k, name, k + ".500", "9.300", "187.000", "14.800", "37.500", "5.910"};
}

// Code page 932 bytes of lines ended by CR LF, as the member file holds them.
QByteArray fileBytes(const std::vector<std::string> &lines)
{
    QByteArray out;
    for (const std::string &l : lines)
        out += QByteArray::fromStdString(files::toCp932(l).value()) + "\r\n";
    return out;
}

// A window started in a temporary folder holding the catalogue and a member file.
class MemberPageTest : public WindowTest {
protected:
    void SetUp() override {}
    void TearDown() override { QDir::setCurrent(QStringLiteral(KOVEL_SOURCE_DIR)); }

    // Starts with `lines` as the member file, or with members M1..Mn.
    void startWith(const std::vector<std::string> &lines)
    {
        ASSERT_TRUE(m_dir.isValid());
        QDir().mkpath(m_dir.filePath(QStringLiteral("shape")));
        QFile::copy(QStringLiteral(KOVEL_SOURCE_DIR "/shape/buzai.txt"), m_dir.filePath(QStringLiteral("shape/buzai.txt")));
        writeRaw(fileBytes(lines));
        QDir::setCurrent(m_dir.path());
        start();
        window->pages()->setCurrentIndex(3);
        dialogs->shown.clear();
    }
    void startWithMembers(int n)
    {
        std::vector<std::string> lines = {std::to_string(n)};
        for (int i = 1; i <= n; ++i)
            for (const std::string &l : memberLines(i, "M" + std::to_string(i)))
                lines.push_back(l);
        startWith(lines);
    }
    void writeRaw(const QByteArray &bytes)
    {
        QFile f(memberFile());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    QString memberFile() const { return shownPath(m_dir.filePath(QStringLiteral("shape/ubuzai.txt"))); }
    QByteArray fileNow() const
    {
        QFile f(memberFile());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    QTableWidget *grid() const { return find<QTableWidget>("usergrid"); }
    // Row `r` (1..) of the grid, columns 0..7.
    QStringList gridRow(int r) const
    {
        QStringList cells;
        for (int c = 0; c < 8; ++c) {
            const QTableWidgetItem *item = grid()->item(r - 1, c);
            cells << (item ? item->text() : QString());
        }
        return cells;
    }
    QStringList userlistItems() const
    {
        QStringList items;
        auto *list = find<QComboBox>("userlist");
        for (int i = 0; i < list->count(); ++i)
            items << list->itemText(i);
        return items;
    }

    // Types the seven entry boxes from the keyboard, moving on with Enter.
    void typeMember(const QStringList &values)
    {
        edit("umember")->setFocus(Qt::MouseFocusReason);
        for (int i = 0; i < 7; ++i) {
            ASSERT_EQ(focused(), edit(kEntryBoxes[i]));
            QTest::keyClicks(focused(), values[i]);
            QTest::keyClick(focused(), Qt::Key_Return);
        }
        EXPECT_EQ(focused(), edit("umember")); // the ring closes
    }
    void clickImage(const char *name) { QTest::mouseClick(find<QWidget>(name), Qt::LeftButton); }
    // A click on a palette panel's margin, beside its picture.
    void clickPanelEdge(const char *name) { QTest::mouseClick(find<QWidget>(name), Qt::LeftButton, {}, QPoint(2, 2)); }
    // Types a member number into `uno` and confirms it with Enter.
    void confirmNumber(const QString &number)
    {
        ASSERT_EQ(focused(), edit("uno"));
        QTest::keyClicks(edit("uno"), number);
        QTest::keyClick(edit("uno"), Qt::Key_Return);
    }

    QTemporaryDir m_dir;
};

const QStringList kExample = {"H-100x50x5x7", "11.85", "9.3", "187", "14.8", "37.5", "5.91"};

TEST_F(MemberPageTest, StoringAMemberShowsItInTheGridOnPageOneAndInTheFile)
{
    startWith({"0"});
    EXPECT_EQ(text("uno"), QStringLiteral("1"));
    EXPECT_TRUE(userlistItems().isEmpty());

    typeMember(kExample);
    clickImage("Image29");

    const QStringList stored = {"1", "H-100x50x5x7", "11.850", "9.300", "187.000", "14.800", "37.500", "5.910"};
    EXPECT_EQ(gridRow(1), stored);
    EXPECT_EQ(gridRow(2), QStringList(8, QString()));
    EXPECT_EQ(userlistItems(), QStringList{QStringLiteral("H-100x50x5x7")});
    EXPECT_EQ(text("uno"), QStringLiteral("2"));
    EXPECT_FALSE(edit("uno")->isEnabled());
    for (const char *box : kEntryBoxes)
        EXPECT_EQ(text(box), QString()) << box;
    EXPECT_EQ(focused(), edit("umember"));
    EXPECT_EQ(window->members().buzaidatn, "1");

    std::vector<std::string> expected = {"1"};
    for (const QString &cell : stored)
        expected.push_back(cell.toStdString());
    EXPECT_EQ(fileNow(), fileBytes(expected));
    EXPECT_TRUE(dialogs->shown.isEmpty()) << dialogs->shown.join(QLatin1Char('|')).toStdString();
}

TEST_F(MemberPageTest, AZeroOrUnreadableValueIsRefusedOnTheMessageLine)
{
    startWithMembers(1);
    const QByteArray before = fileNow();
    const QStringList rows[] = {
        {"Z", "11.85", "9.3", "187", "0", "37.5", "5.91"},
        {"Z", "abc", "9.3", "187", "14.8", "37.5", "5.91"},
        {"Z", "11.85", "9.3", "187", "14.8", "37.5", ""},
    };
    for (const QStringList &row : rows) {
        SCOPED_TRACE(row.join(QLatin1Char(' ')).toStdString());
        for (const char *box : kEntryBoxes)
            edit(box)->clear();
        typeMember(row);
        clickImage("Image29");
        EXPECT_EQ(text("labelh"), QStringLiteral("数字を確認して下さい。"));
        EXPECT_EQ(gridRow(2), QStringList(8, QString()));
        EXPECT_EQ(text("uno"), QStringLiteral("2"));
        EXPECT_EQ(text("uIx"), QStringLiteral("187")); // the boxes keep what was typed
        EXPECT_EQ(fileNow(), before);
        EXPECT_TRUE(dialogs->shown.isEmpty());
    }
}

TEST_F(MemberPageTest, DeletingMemberTwoOfThreeMovesTheThirdUpAndRenumbers)
{
    startWithMembers(3);
    EXPECT_EQ(text("labelh"), QString()); // nothing until the line is used
    clickImage("Image30");
    EXPECT_EQ(text("labelh"), QStringLiteral("削除する番号を入力して下さい。"));
    EXPECT_TRUE(edit("uno")->isEnabled());
    EXPECT_EQ(text("uno"), QString());
    confirmNumber(QStringLiteral("2"));

    EXPECT_EQ(gridRow(1)[1], QStringLiteral("M1"));
    // the member that was third, renumbered
    const std::vector<std::string> m3 = memberLines(3, "M3");
    QStringList expected;
    for (const std::string &s : m3)
        expected << QString::fromStdString(s);
    expected[0] = QStringLiteral("2");
    EXPECT_EQ(gridRow(2), expected);
    EXPECT_EQ(gridRow(3), QStringList(8, QString()));
    EXPECT_EQ(text("uno"), QStringLiteral("3"));
    EXPECT_FALSE(edit("uno")->isEnabled());
    EXPECT_EQ(userlistItems(), (QStringList{QStringLiteral("M1"), QStringLiteral("M3")}));

    std::vector<std::string> file = {"2"};
    for (int r = 1; r <= 2; ++r)
        for (const QString &cell : gridRow(r))
            file.push_back(cell.toStdString());
    EXPECT_EQ(fileNow(), fileBytes(file));
    EXPECT_TRUE(dialogs->shown.isEmpty());
}

TEST_F(MemberPageTest, ChangingMemberTwoOfThreeReplacesItInPlace)
{
    startWithMembers(3);
    clickImage("Image31");
    EXPECT_EQ(text("labelh"), QStringLiteral("変更する番号を入力して下さい。"));
    confirmNumber(QStringLiteral("2"));

    const std::vector<std::string> m2 = memberLines(2, "M2");
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(text(kEntryBoxes[i]), QString::fromStdString(m2[static_cast<std::size_t>(i) + 1])) << kEntryBoxes[i];
    EXPECT_EQ(text("uno"), QStringLiteral("2"));
    EXPECT_FALSE(edit("uno")->isEnabled());
    EXPECT_EQ(focused(), edit("umember"));

    edit("uIx")->setText(QStringLiteral("200"));
    edit("umember")->setText(QStringLiteral("M2改"));
    clickImage("Image29");
    EXPECT_EQ(gridRow(2), (QStringList{"2", "M2改", "2.500", "9.300", "200.000", "14.800", "37.500", "5.910"}));
    EXPECT_EQ(gridRow(3)[1], QStringLiteral("M3"));
    EXPECT_EQ(window->members().count, 3);
    EXPECT_EQ(text("uno"), QStringLiteral("4"));
    EXPECT_EQ(userlistItems(), (QStringList{"M1", "M2改", "M3"}));
    EXPECT_TRUE(fileNow().contains(QByteArray::fromStdString(files::toCp932("M2改").value()) + "\r\n2.500\r\n9.300\r\n200.000"));
}

TEST_F(MemberPageTest, ANumberOutsideTheListChangesNothing)
{
    struct Row {
        const char *name;
        const char *typed;
    };
    const Row rows[] = {{"zero", "0"}, {"one past the last member", "4"}};
    for (const char *request : {"Image30", "Image31"}) {
        for (const Row &row : rows) {
            SCOPED_TRACE(std::string(request) + " " + row.name);
            startWithMembers(3);
            const QByteArray before = fileNow();
            clickImage(request);
            const QString asked = text("labelh");
            confirmNumber(QString::fromUtf8(row.typed));
            EXPECT_EQ(text("labelh"), asked);
            EXPECT_TRUE(edit("uno")->isEnabled()); // still waiting for a number
            EXPECT_EQ(text("uno"), QString::fromUtf8(row.typed));
            EXPECT_EQ(text("umember"), QString());
            for (int r = 1; r <= 3; ++r)
                EXPECT_EQ(gridRow(r)[1], QStringLiteral("M%1").arg(r));
            EXPECT_EQ(userlistItems().size(), 3);
            EXPECT_EQ(fileNow(), before);
            EXPECT_TRUE(dialogs->shown.isEmpty());
            window.reset();
        }
    }
}

TEST_F(MemberPageTest, StoringWhileANumberIsAwaitedOverwritesNothing)
{
    startWithMembers(3);
    const QByteArray before = fileNow();
    clickImage("Image30");
    QTest::keyClicks(edit("uno"), QStringLiteral("2")); // typed, but Enter not pressed
    typeMember({"X", "1", "2", "3", "4", "5", "6"});
    clickImage("Image29");
    ASSERT_EQ(dialogs->shown.size(), 1);
    EXPECT_TRUE(dialogs->shown[0].contains(QStringLiteral("Enter"))) << dialogs->shown[0].toStdString();
    EXPECT_EQ(gridRow(2)[1], QStringLiteral("M2"));
    EXPECT_EQ(window->members().count, 3);
    EXPECT_EQ(text("umember"), QStringLiteral("X"));
    EXPECT_EQ(fileNow(), before);
    // confirming the number then deletes as asked
    edit("uno")->setFocus(Qt::MouseFocusReason);
    QTest::keyClick(edit("uno"), Qt::Key_Return);
    EXPECT_EQ(gridRow(2)[1], QStringLiteral("M3"));
}

TEST_F(MemberPageTest, TheThirtiethMemberAddsAGridRow)
{
    startWithMembers(29);
    EXPECT_EQ(grid()->rowCount() + 1, 31); // header and 30 rows
    typeMember({"M30", "1", "2", "3", "4", "5", "6"});
    clickImage("Image29");
    EXPECT_EQ(grid()->rowCount() + 1, 32);
    EXPECT_EQ(gridRow(30)[1], QStringLiteral("M30"));
    EXPECT_EQ(gridRow(31), QStringList(8, QString()));
    for (int r = 0; r < grid()->rowCount(); ++r)
        ASSERT_EQ(grid()->rowHeight(r), 18) << r;
}

TEST_F(MemberPageTest, AStoredMemberIsChosenOnPageOneAboutTheWeakAxis)
{
    startWith({"0"});
    typeMember(kExample);
    clickImage("Image29");
    window->pages()->setCurrentIndex(0);
    find<QCheckBox>("weak")->click();
    auto *list = find<QComboBox>("userlist");
    ASSERT_EQ(list->count(), 1);
    list->setCurrentIndex(0);
    Q_EMIT list->activated(0);
    EXPECT_TRUE(find<QRadioButton>("userbutton")->isChecked());
    EXPECT_EQ(text("member"), QStringLiteral("H-100x50x5x7"));
    EXPECT_EQ(text("selfw"), QStringLiteral("9.300"));
    EXPECT_EQ(text("inertia"), QStringLiteral("14.800")); // Iy
    EXPECT_EQ(text("modulus"), QStringLiteral("5.910"));  // Zy
    EXPECT_EQ(text("flag1"), QStringLiteral("1"));
}

TEST_F(MemberPageTest, ClickingTheCheckedUserButtonTakesTheChangedMemberAgain)
{
    startWithMembers(1);
    auto *list = find<QComboBox>("userlist");
    list->setCurrentIndex(0);
    Q_EMIT list->activated(0);
    const QString before = text("inertia");
    clickImage("Image31"); // change member 1: its Ix becomes 999
    confirmNumber(QStringLiteral("1"));
    edit("uIx")->setText(QStringLiteral("999"));
    clickImage("Image29");
    EXPECT_EQ(text("inertia"), before) << "page 1 keeps its values until the member is chosen again";
    window->pages()->setCurrentIndex(0);
    auto *user = find<QRadioButton>("userbutton");
    ASSERT_TRUE(user->isChecked());
    QTest::mouseClick(user, Qt::LeftButton);
    EXPECT_EQ(text("inertia"), QStringLiteral("999.000"));
}

TEST_F(MemberPageTest, PageOneKeepsItsShownNameWhenTheListChanges)
{
    startWithMembers(2);
    auto *list = find<QComboBox>("userlist");
    list->setCurrentIndex(1);
    Q_EMIT list->activated(1);
    clickImage("Image30");
    confirmNumber(QStringLiteral("1"));
    EXPECT_EQ(userlistItems(), QStringList{QStringLiteral("M2")});
    EXPECT_EQ(list->currentText(), QStringLiteral("M2"));
    EXPECT_EQ(text("member"), QStringLiteral("M2"));
}

TEST_F(MemberPageTest, AFailedSaveIsReportedAndTheGridKeepsTheNewMember)
{
    startWithMembers(1);
    const QByteArray before = fileNow();
    typeMember({"N", "1", "2", "3", "4", "5", "6"});
    files::failWritesAfter(10);
    clickImage("Image29");
    files::failWritesAfter(-1);
    ASSERT_EQ(dialogs->shown.size(), 1);
    EXPECT_TRUE(dialogs->shown[0].contains(QStringLiteral("ubuzai.txt"))) << dialogs->shown[0].toStdString();
    EXPECT_EQ(gridRow(2)[1], QStringLiteral("N"));
    EXPECT_EQ(userlistItems(), (QStringList{"M1", "N"}));
    EXPECT_EQ(fileNow(), before);
    // the next save writes the list as it is now
    clickImage("Image30");
    confirmNumber(QStringLiteral("1"));
    EXPECT_EQ(fileNow().left(3), QByteArray("1\r\n"));
    EXPECT_TRUE(fileNow().contains("\r\nN\r\n"));
}

TEST_F(MemberPageTest, ABrokenMemberFileIsReportedAtStartUpAndKeptUntilAStore)
{
    struct Row {
        const char *name;
        std::vector<std::string> lines;
        const char *line;   // the line named in the message
        int readable;       // members shown
    };
    std::vector<std::string> short3 = {"3"};
    for (const std::string &l : memberLines(1, "M1"))
        short3.push_back(l);
    short3.push_back("2");
    const Row rows[] = {
        {"count line not a number", {"abc", "1", "M1"}, "1 行目", 0},
        {"negative count", {"-2"}, "1 行目", 0},
        {"shorter than its count", short3, "11 行目", 1},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        ASSERT_TRUE(m_dir.isValid());
        QDir().mkpath(m_dir.filePath(QStringLiteral("shape")));
        writeRaw(fileBytes(row.lines));
        const QByteArray before = fileNow();
        QDir::setCurrent(m_dir.path());
        start();
        window->pages()->setCurrentIndex(3);
        ASSERT_EQ(dialogs->shown.size(), 1);
        const QString message = dialogs->shown[0];
        EXPECT_TRUE(message.contains(memberFile())) << message.toStdString();
        EXPECT_TRUE(message.contains(QString::fromUtf8(row.line))) << message.toStdString();
        EXPECT_EQ(window->members().count, row.readable);
        EXPECT_EQ(text("uno"), QString::number(row.readable + 1));
        EXPECT_EQ(userlistItems().size(), row.readable);
        // nothing rewrites the file: not start-up, not a change request, not a refused store
        clickImage("Image31");
        confirmNumber(QStringLiteral("1"));
        edit("uA")->clear();
        clickImage("Image29");
        EXPECT_EQ(text("labelh"), QStringLiteral("数字を確認して下さい。"));
        EXPECT_EQ(fileNow(), before);
        // a store writes the members that were read, and the new one
        typeMember({"N", "1", "2", "3", "4", "5", "6"});
        clickImage("Image29");
        const sections::MemberLoad reread = sections::loadMembers(memberFile().toStdString());
        EXPECT_EQ(reread.error, "");
        EXPECT_EQ(reread.list.count, window->members().count);
        EXPECT_EQ(reread.list.userlist, window->members().userlist);
        window.reset();
    }
}

// ---- the section property calculator ----

struct ShapeRow {
    const char *name;
    const char *panel; // clicked: the panel's picture, or the panel itself
    std::vector<std::pair<const char *, const char *>> dims;
    const char *res[4];
};

TEST_F(MemberPageTest, ShapesComputedFromThePanels)
{
    startWith({"0"});
    // published values written in the pattern "0.000 000e+"
    const ShapeRow rows[] = {
        {"rectangle b 10, h 20: A 200, I 6666.667, Z 666.667", "dan1picture", {{"danB", "10"}, {"danH", "20"}},
         {"断面積 A = 2.000 000e+2", "断面二次モーメント I = 6.666 667e+3", "断面係数 Z = 6.666 667e+2", ""}},
        {"triangle b 6, h 9: A 27, I 121.5, Z 20.25, y1 6", "dan3", {{"danB", "6"}, {"danH", "9"}},
         {"断面積 A = 2.700 000e+1", "断面二次モーメント I = 1.215 000e+2", "断面係数 Z = 2.025 000e+1",
          "y1 = 2h/3 = 6.000 000e+0"}},
        {"T-section a 10, b 2, H 12, h 2: y1 4, A 40, I 533.333, Z 66.667", "dan10picture",
         {{"danA", "10"}, {"danB", "2"}, {"danHH", "12"}, {"danH", "2"}},
         {"断面積 A = 4.000 000e+1", "断面二次モーメント I = 5.333 333e+2", "断面係数 Z = 6.666 667e+1",
          "y1 = 4.000 000e+0"}},
        {"ellipse a 2, b 1 with 3.14159", "dan11picture", {{"danA", "2"}, {"danB", "1"}},
         {"断面積 A = 6.283 180e+0", "断面二次モーメント I = 6.283 180e+0", "断面係数 Z = 3.141 590e+0", ""}},
        // the square on a corner, side 6: A 36, I 6^4/12 = 108, Z (216/6)/sqrt 2 = 25.455 84
        {"square on a corner h 6", "dan7picture", {{"danH", "6"}},
         {"断面積 A = 3.600 000e+1", "断面二次モーメント I = 1.080 000e+2", "断面係数 Z = 2.545 584e+1", ""}},
    };
    for (const ShapeRow &row : rows) {
        SCOPED_TRACE(row.name);
        clickImage("Image24");
        for (const auto &[box, value] : row.dims)
            edit(box)->setText(QString::fromUtf8(value));
        if (QByteArray(row.panel).endsWith("picture"))
            clickImage(row.panel);
        else
            clickPanelEdge(row.panel);
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(text(QStringLiteral("danres%1").arg(i + 1).toUtf8().constData()), QString::fromUtf8(row.res[i]))
                << i + 1;
    }
    EXPECT_TRUE(dialogs->shown.isEmpty()) << dialogs->shown.join(QLatin1Char('|')).toStdString();

    // the inclined rectangle after the triangle empties the fourth line
    clickImage("Image24");
    edit("danB")->setText(QStringLiteral("6"));
    edit("danH")->setText(QStringLiteral("9"));
    edit("danA")->setText(QStringLiteral("3"));
    clickImage("dan3picture");
    EXPECT_FALSE(text("danres4").isEmpty());
    clickImage("dan8picture");
    EXPECT_EQ(text("danres4"), QString());
    EXPECT_EQ(text("danres1"), QStringLiteral("断面積 A = 1.800 000e+1")); // a b = 18
}

TEST_F(MemberPageTest, ADivisionByZeroIsReportedAndTheResultLinesStay)
{
    startWith({"0"});
    edit("danB")->setText(QStringLiteral("10"));
    edit("danH")->setText(QStringLiteral("20"));
    clickImage("dan3picture");
    QStringList shownBefore;
    for (const char *l : {"danres1", "danres2", "danres3", "danres4"})
        shownBefore << text(l);

    struct Row {
        const char *name;
        const char *panel;
        std::vector<std::pair<const char *, const char *>> dims;
    };
    const Row rows[] = {
        {"trapezoid a + b = 0", "dan6picture", {{"danA", "2"}, {"danB", "-2"}, {"danH", "5"}}},
        {"trapezoid 2a + b = 0", "dan6picture", {{"danA", "2"}, {"danB", "-4"}, {"danH", "5"}}},
        {"inclined rectangle a = b = 0", "dan8picture", {{"danA", ""}, {"danB", ""}}},
        {"T-section bH + (a - b)h = 0", "dan10picture", {{"danA", "10"}, {"danB", "0"}, {"danHH", "12"}, {"danH", "0"}}},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        dialogs->shown.clear();
        for (const char *box : {"danA", "danB", "danHH", "danH", "danR", "danD"})
            edit(box)->clear();
        for (const auto &[box, value] : row.dims)
            edit(box)->setText(QString::fromUtf8(value));
        clickImage(row.panel);
        ASSERT_EQ(dialogs->shown.size(), 1);
        EXPECT_TRUE(dialogs->shown[0].contains(QStringLiteral("0 で割る"))) << dialogs->shown[0].toStdString();
        QStringList now;
        for (const char *l : {"danres1", "danres2", "danres3", "danres4"})
            now << text(l);
        EXPECT_EQ(now, shownBefore);
    }
}

TEST_F(MemberPageTest, HoverOutlinesOnePanelAndTheEmptyPanelComputesNothing)
{
    startWith({"0"});
    auto outlined = [this] {
        QStringList names;
        for (int i = 1; i <= 12; ++i) {
            auto *panel = find<QFrame>(QStringLiteral("dan%1").arg(i).toUtf8().constData());
            if (panel->frameShape() != QFrame::NoFrame)
                names << panel->objectName();
        }
        return names;
    };
    EXPECT_TRUE(outlined().isEmpty());
    QTest::mouseMove(find<QWidget>("dan12"), QPoint(40, 40));
    EXPECT_EQ(outlined(), QStringList{QStringLiteral("dan12")});
    QTest::mouseMove(find<QWidget>("dan5picture"), QPoint(30, 30));
    EXPECT_EQ(outlined(), QStringList{QStringLiteral("dan5")});

    edit("danB")->setText(QStringLiteral("10"));
    edit("danH")->setText(QStringLiteral("20"));
    clickImage("dan1");
    const QString area = text("danres1");
    EXPECT_FALSE(area.isEmpty());
    edit("danB")->setText(QStringLiteral("1"));
    clickImage("dan12");
    EXPECT_EQ(text("danres1"), area);
    EXPECT_TRUE(dialogs->shown.isEmpty());
}

TEST_F(MemberPageTest, ResetEmptiesTheSixBoxesAndTheFourLines)
{
    startWith({"0"});
    for (const char *box : {"danA", "danB", "danHH", "danH", "danR", "danD"})
        edit(box)->setText(QStringLiteral("3"));
    clickImage("dan10picture");
    EXPECT_FALSE(text("danres4").isEmpty());
    clickImage("Image24");
    for (const char *name : {"danA", "danB", "danHH", "danH", "danR", "danD", "danres1", "danres2", "danres3", "danres4"})
        EXPECT_EQ(text(name), QString()) << name;
}

// ---- the stress unit converter ----

TEST_F(MemberPageTest, StressesConvertedBetweenTheUnitSystems)
{
    startWith({"0"});
    EXPECT_TRUE(find<QRadioButton>("tcm2")->isChecked());
    EXPECT_TRUE(find<QRadioButton>("kncm2")->isChecked());
    struct Row {
        const char *name;
        const char *traditionalUnit;
        const char *siUnit;
        const char *image;
        const char *typed;
        const char *expected;
    };
    // 1.6 x 9.80665 = 15.69064; x 98.0665 = 156.9064; 10 x 9.80665 / 10000 = 0.00980665;
    // 156.906 / 9.80665 / 10 = 1.5999958...
    const Row rows[] = {
        {"1.6 tf/cm2 to kN/cm2", "tcm2", "kncm2", "Image25", "1.6", "1.569 064e+1"},
        {"1.6 tf/cm2 to MPa", "tcm2", "mpa", "Image25", "1.6", "1.569 064e+2"},
        {"10 tf/m2 to kN/cm2", "tm2", "kncm2", "Image25", "10", "9.806 650e-3"},
        {"156.906 MPa to tf/cm2", "tcm2", "mpa", "Image26", "156.906", "1.599 996e+0"},
        {"98.0665 kN/cm2 to tf/m2", "tm2", "kncm2", "Image26", "98.0665", "1.000 000e+5"},
        {"empty converts as 0", "tcm2", "kncm2", "Image25", "", "0.000 000e+0"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        find<QRadioButton>(row.traditionalUnit)->click();
        find<QRadioButton>(row.siUnit)->click();
        const bool toSi = QLatin1String(row.image) == QLatin1String("Image25");
        const char *source = toSi ? "tmunit" : "siunit";
        const char *target = toSi ? "siunit" : "tmunit";
        edit(source)->setText(QString::fromUtf8(row.typed));
        clickImage(row.image);
        EXPECT_EQ(text(target), QString::fromUtf8(row.expected));
        EXPECT_EQ(text(source), QString::fromUtf8(row.typed)); // left as typed
    }
    // there and back with the same pair returns the first value
    find<QRadioButton>("tcm2")->click();
    find<QRadioButton>("kncm2")->click();
    edit("tmunit")->setText(QStringLiteral("1.6"));
    clickImage("Image25");
    clickImage("Image26");
    EXPECT_EQ(text("tmunit"), QStringLiteral("1.600 000e+0"));
    // the two pairs are independent
    find<QRadioButton>("mpa")->click();
    EXPECT_TRUE(find<QRadioButton>("tcm2")->isChecked());
    EXPECT_TRUE(dialogs->shown.isEmpty());
}

// ---- the page's controls ----

TEST_F(MemberPageTest, ControlsFitThePageLegibly)
{
    startWithMembers(1);
    QWidget *page = window->memberPage();
    const QRect pageRect = page->rect();
    // every control inside its parent and the page, every caption wide enough for its text
    const auto widgets = page->findChildren<QWidget *>();
    for (QWidget *w : widgets) {
        // the page's own controls: on the page, in a group, or a picture in a palette panel
        QWidget *parent = w->parentWidget();
        if (w->isHidden()
            || (parent != page && !qobject_cast<QGroupBox *>(parent) && !parent->objectName().startsWith(QLatin1String("dan"))))
            continue;
        SCOPED_TRACE(w->objectName().toStdString() + " " + w->metaObject()->className());
        EXPECT_TRUE(w->parentWidget()->rect().contains(w->geometry())) << w->geometry().x() << "," << w->geometry().y();
        const QRect onPage(w->mapTo(page, QPoint(0, 0)), w->size());
        EXPECT_TRUE(pageRect.contains(onPage));
        if (auto *l = qobject_cast<QLabel *>(w); l && l->pixmap().isNull()) {
            EXPECT_LE(l->fontMetrics().horizontalAdvance(l->text()), l->width()) << l->text().toStdString();
        }
        if (auto *r = qobject_cast<QRadioButton *>(w)) {
            EXPECT_LE(r->sizeHint().width(), r->width());
        }
    }
    // the groups side by side do not overlap
    const QRect members = page->findChild<QGroupBox *>(QStringLiteral("memberGroup"))->geometry();
    const QRect calculator = page->findChild<QGroupBox *>(QStringLiteral("calculatorGroup"))->geometry();
    EXPECT_FALSE(members.intersects(calculator));
    EXPECT_FALSE(members.intersects(page->findChild<QGroupBox *>(QStringLiteral("traditionalUnitGroup"))->geometry()));

    // the longest texts of the message line and the result lines fit
    auto *labelh = find<QLabel>("labelh");
    EXPECT_LE(labelh->fontMetrics().horizontalAdvance(QStringLiteral("削除する番号を入力して下さい。")), labelh->width());
    auto *res = find<QLabel>("danres2");
    EXPECT_LE(res->fontMetrics().horizontalAdvance(QStringLiteral("断面二次モーメント I = -8.888 888e+188")), res->width());
}

TEST_F(MemberPageTest, GridPaletteAndButtonsAsLaidOut)
{
    startWith({"0"});
    QTableWidget *g = grid();
    EXPECT_EQ(g->columnCount(), 8);
    EXPECT_EQ(g->rowCount() + 1, 31);
    EXPECT_EQ(g->focusPolicy(), Qt::NoFocus);
    const int widths[] = {30, 120, 65, 65, 65, 65, 65};
    for (int c = 0; c < 8; ++c) {
        SCOPED_TRACE(c);
        if (c < 7) {
            EXPECT_EQ(g->columnWidth(c), widths[c]);
        }
        // the captions are whole in their columns, with the heading's margins
        QHeaderView *header = g->horizontalHeader();
        const int margin = header->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header);
        EXPECT_LE(header->fontMetrics().horizontalAdvance(g->horizontalHeaderItem(c)->text()) + 2 * margin,
                  header->sectionSize(c));
    }
    EXPECT_EQ(g->horizontalHeader()->height(), 18);
    // a value of five integer digits is whole in a 65-pixel column (text margins each
    // side, one pixel of grid line)
    const int margin = g->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, g) + 1;
    EXPECT_LE(QFontMetrics(g->font()).horizontalAdvance(QStringLiteral("23500.000")) + 2 * margin + 1, 65);

    EXPECT_FALSE(edit("uno")->isEnabled());
    EXPECT_EQ(text("labelh"), QString());

    for (int i = 1; i <= 12; ++i) {
        SCOPED_TRACE(i);
        auto *panel = find<QFrame>(QStringLiteral("dan%1").arg(i).toUtf8().constData());
        EXPECT_EQ(panel->size(), QSize(81, 81));
        EXPECT_EQ(panel->pos() - find<QFrame>("dan1")->pos(), QPoint(81 * ((i - 1) % 3), 81 * ((i - 1) / 3)));
        auto *picture = panel->findChild<QLabel *>();
        if (i == 12) {
            EXPECT_EQ(picture, nullptr);
        } else {
            ASSERT_NE(picture, nullptr);
            EXPECT_EQ(picture->pixmap().size(), QSize(70, 70));
        }
    }
    const std::pair<const char *, const char *> captionsOfBoxes[] = {{"danA", "a ="}, {"danB", "b ="}, {"danHH", "H ="},
                                                                      {"danH", "h ="}, {"danR", "r ="}, {"danD", "D ="}};
    for (const auto &[box, caption] : captionsOfBoxes) {
        SCOPED_TRACE(box);
        // the caption is the label just left of the box
        QWidget *b = edit(box);
        QLabel *left = nullptr;
        for (QLabel *l : b->parentWidget()->findChildren<QLabel *>(Qt::FindDirectChildrenOnly))
            if (l->geometry().right() < b->x() && l->geometry().right() >= b->x() - 4 && std::abs(l->y() - b->y()) <= 4)
                left = l;
        ASSERT_NE(left, nullptr);
        EXPECT_EQ(left->text(), QString::fromUtf8(caption));
    }
    for (const char *image : {"Image24", "Image25", "Image26", "Image29", "Image30", "Image31"})
        EXPECT_FALSE(find<QLabel>(image)->pixmap().isNull()) << image;
}

} // namespace
