// Page 2, "計算結果表": the slot buttons and marks, the store from page 1, the selection and
// its shift, the display of a slot with its diagrams, select all / clear all, and the
// slot operations delete, move, rename and recall.
#include "tests/window/windowfixture.h"

#include "beam/numtext.h"
#include "results/messages.h"
#include "results/store.h"
#include "tests/results/helpers.h"
#include "window/imagebutton.h"
#include "window/resultpage.h"

#include <QAction>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <gmock/gmock.h>

#include <cmath>

namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

const QString kFinished = QStringLiteral("計算が終了しました。変更がなければ[格納]ボタンを押して下さい。");
const QColor kNavy(0, 0, 128);
const QColor kRed(255, 0, 0);

QString qs(const std::string &s) { return QString::fromStdString(s); }

class ResultPageTest : public WindowTest {
protected:
    ResultPage *rp() const { return window->resultPage(); }
    results::Table &table() const { return window->table(); }
    int currentPage() const { return find<QTabWidget>("PageControl1")->currentIndex(); }

    // A stored slot of a simple beam w = 1 on L = 6 (moments w x (L - x) / 2), as the store
    // writes it; the name tells the records apart.
    static sections::NamedBeam simpleSlot(const std::string &name, bool si = true,
                                         beam::Support support = beam::Support::PinPin)
    {
        sections::NamedBeam p = testing_results::blankPage(support, beam::Family::Direct);
        p.Bname = name;
        p.texts.si = si;
        p.texts.Span = "6.000";
        p.texts.lb = "3.000";
        p.texts.seigen1 = "300";
        p.texts.seigen2 = "2.0";
        p.texts.uniform = "1.000";
        p.member = "D-" + name;
        p.texts.inertia = "10000.00";
        p.texts.modulus = "500.00";
        p.texts.selfw = "9.300";
        beam::ResultTexts &r = p.result;
        r.RMmax = "4.500";
        r.RMmaxl = "3.000";
        r.RQa = "3.000";
        r.RQb = "3.000";
        r.Mcent = "4.500";
        r.hantei = "OK.";
        for (int i = 0; i <= 100; ++i) {
            const double x = 6.0 * i / 100;
            r.Mgrid[static_cast<std::size_t>(i)] = beam::formatNumber(1.0 * x * (6 - x) / 2, "###0.####");
        }
        return p;
    }

    // Puts records straight into the table (as earlier stores would have) and lets the
    // page show them.
    void addSlots(const std::vector<std::string> &names)
    {
        for (const std::string &name : names)
            results::storeResult(table(), simpleSlot(name), results::WhenFull::Refuse);
        rp()->fillSlotArrays();
        rp()->showSlot();
        window->pages()->setCurrentIndex(1);
    }
    std::vector<std::string> names() const
    {
        std::vector<std::string> out;
        for (int s = 1; s <= table().datano; ++s)
            out.push_back(table().slots[static_cast<std::size_t>(s)][2]);
        return out;
    }

    // A simple beam in SI without self weight, section typed in, calculated.
    void calculateSimpleBeam(const QString &name)
    {
        window->pages()->setCurrentIndex(0);
        edit("Bname")->setText(name); // QTest types ASCII keys only
        if (find<QCheckBox>("jijuucheck")->isChecked())
            find<QCheckBox>("jijuucheck")->click();
        choose("chokubutton");
        typeInto("inertia", QStringLiteral("10000"));
        typeInto("modulus", QStringLiteral("500"));
        typeInto("Span", QStringLiteral("6"));
        typeInto("uniform", QStringLiteral("1"));
        typeInto("p5", QStringLiteral("2"));
        typeInto("pl5", QStringLiteral("3"));
        click("keisan");
        ASSERT_EQ(page()->keisan2(), QStringLiteral("結果登録"));
    }

    // The selected button sits 5 pixels left of its column, every other one at it.
    void expectOnlyShifted(int selected) const
    {
        for (int s = 1; s <= 50; ++s) {
            SCOPED_TRACE(s);
            const int column = s <= 20 ? 24 : s <= 40 ? 104 : 184;
            EXPECT_EQ(rp()->data(s)->x(), s == selected ? column - 5 : column);
        }
    }
    bool isBlack(const QImage &image, int x, int y) const { return image.pixelColor(x, y) == QColor(Qt::black); }
};

TEST_F(ResultPageTest, SlotControlsStandWhereTheirNumberSays)
{
    for (int s = 1; s <= 50; ++s) {
        SCOPED_TRACE(s);
        const int column = (s - 1) / 20;          // 0, 1, 2
        const int row = (s - 1) % 20;             // 0..19 (0..9 in the third column)
        const int y = 24 * row + (row >= 10 ? 8 : 0);
        QPushButton *button = rp()->data(s);
        ImageButton *mark = rp()->chk(s);
        ASSERT_NE(button, nullptr);
        ASSERT_NE(mark, nullptr);
        EXPECT_EQ(button->objectName(), QStringLiteral("data%1").arg(s));
        EXPECT_EQ(mark->objectName(), QStringLiteral("chk%1").arg(s));
        EXPECT_EQ(button->geometry(), QRect(24 + 80 * column, y, 57, 23));
        EXPECT_EQ(mark->geometry(), QRect(8 + 80 * column, y, 17, 25));
        EXPECT_EQ(button->text(), QString());
        EXPECT_FALSE(rp()->markShown(s));
    }
    EXPECT_EQ(rp()->data(11)->y(), 248);
    EXPECT_EQ(rp()->data(20)->y(), 464);
    EXPECT_EQ(rp()->data(50)->y(), 216);
    EXPECT_EQ(rp()->data(0), nullptr);
    EXPECT_EQ(rp()->data(51), nullptr);

    // data16 and data31 are created after their neighbours, yet the arrays hold them at 16 and 31
    const QObjectList children = rp()->children();
    EXPECT_GT(children.indexOf(rp()->data(16)), children.indexOf(rp()->data(17)));
    EXPECT_GT(children.indexOf(rp()->data(31)), children.indexOf(rp()->data(50)));

    struct Command { const char *name; int y; };
    const Command commands[] = {{"yobidashi", 248}, {"newdata", 272}, {"hozon", 296}, {"rename1", 320},
                                {"move1", 344},     {"recalc1", 368}, {"delete1", 392}, {"Image4", 416},
                                {"Image5", 440},    {"printer1", 464}};
    for (const Command &c : commands) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(find<QWidget>(c.name)->geometry(), QRect(184, c.y, 59, 20));
    }
    EXPECT_EQ(find<QWidget>("delete1")->toolTip(), QStringLiteral("選択（左にずれた）データを削除します。元にはもどりません。"));
    EXPECT_EQ(find<QLabel>("listkajuuzu")->size(), QSize(193, 105));
    EXPECT_EQ(find<QLabel>("listouryokuzu")->size(), QSize(193, 89));
    EXPECT_EQ(rp()->loadDiagramImage().size(), QSize(193, 105));
    EXPECT_EQ(rp()->stressDiagramImage().size(), QSize(193, 89));
    EXPECT_EQ(find<QLineEdit>("idou")->size(), QSize(153, 17));
    EXPECT_EQ(find<QLineEdit>("idou")->text(), QStringLiteral("\u3000移動先をクリックして下さい。"));
    EXPECT_EQ(find<QLineEdit>("rename")->size(), QSize(57, 20));
    EXPECT_FALSE(find<QWidget>("kage")->isVisible());
}

TEST_F(ResultPageTest, StoreAfterACalculationFillsTheNextSlotAndShowsIt)
{
    click("kakunou"); // nothing calculated yet: nothing happens, no message
    EXPECT_EQ(table().datano, 0);
    EXPECT_TRUE(dialogs->shown.isEmpty());

    calculateSimpleBeam(QStringLiteral("梁1"));
    const QString span = text("Span"), mmax = text("RMmax"), qa = text("RQa"), verdict = text("hantei");
    const std::array<std::string, 101> mgrid = page()->mgrid();
    dialogs->shown.clear();
    click("kakunou");

    EXPECT_THAT(dialogs->shown, ElementsAre(QStringLiteral("計算結果を表に記入しました。")));
    EXPECT_EQ(currentPage(), 1);
    EXPECT_EQ(table().datano, 1);
    EXPECT_EQ(table().selected, 1);
    EXPECT_EQ(rp()->data(1)->text(), QStringLiteral("梁1"));
    EXPECT_TRUE(rp()->markShown(1));
    EXPECT_EQ(page()->keisan2(), QStringLiteral("計算開始"));
    expectOnlyShifted(1);
    EXPECT_EQ(find<QWidget>("kage")->geometry(), QRect(19 + 57, 0, 5, 23));

    // the page shows the slot as stored
    EXPECT_EQ(text("listspan"), span);
    EXPECT_EQ(text("listMmax"), mmax);
    EXPECT_EQ(text("listQa"), qa);
    EXPECT_EQ(text("listhantei"), verdict);
    EXPECT_EQ(text("listp5"), QStringLiteral("2.000"));
    EXPECT_EQ(text("listpl5"), QStringLiteral("3.000"));
    EXPECT_EQ(text("calcunit"), QStringLiteral("SI単位"));
    EXPECT_EQ(text("listkajuuzuL"), span);
    EXPECT_EQ(text("Mcent1"), text("Mcent"));
    for (int i = 0; i <= 100; ++i)
        EXPECT_EQ(table().slots[1][static_cast<std::size_t>(65 + i)],
                  beam::formatNumber(beam::parseDouble(mgrid[static_cast<std::size_t>(i)]), "###0.####"));
    EXPECT_TRUE(find<QLabel>("lista")->isVisible());
    EXPECT_TRUE(find<QLabel>("listb")->isVisible());
    // P5 at mid-span: its arrow at x = Trunc(3 / 6 x 170) + 10 = 95, above the beam line
    const QImage &load = rp()->loadDiagramImage();
    EXPECT_TRUE(isBlack(load, 95, 30));
    EXPECT_TRUE(isBlack(load, 60, 50));
    // the moment curve reaches 20 pixels below the axis where the moment is largest
    const QImage &stress = rp()->stressDiagramImage();
    bool lowest = false;
    for (int x = 80; x <= 110; ++x)
        lowest = lowest || isBlack(stress, x, 55);
    EXPECT_TRUE(lowest);

    // the same result cannot be stored twice
    dialogs->shown.clear();
    click("kakunou");
    EXPECT_TRUE(dialogs->shown.isEmpty());
    EXPECT_EQ(table().datano, 1);
}

TEST_F(ResultPageTest, FiftyFirstStoreAsksAndNoStoresNothing)
{
    std::vector<std::string> fifty;
    for (int s = 1; s <= 50; ++s)
        fifty.push_back("R" + std::to_string(s));
    addSlots(fifty);
    const results::SlotRecord slot50 = table().slots[50];
    calculateSimpleBeam(QStringLiteral("NEW"));

    dialogs->shown.clear();
    dialogs->answers = {false};
    click("kakunou");
    EXPECT_THAT(dialogs->shown, ElementsAre(QString::fromUtf8(results::kStoreFullQuestion)));
    EXPECT_EQ(table().datano, 50);
    EXPECT_EQ(table().slots[50], slot50);
    EXPECT_EQ(rp()->data(50)->text(), QStringLiteral("R50"));
    EXPECT_EQ(page()->keisan2(), QStringLiteral("結果登録")); // the result still waits

    dialogs->shown.clear();
    dialogs->answers = {true};
    click("kakunou");
    EXPECT_THAT(dialogs->shown, ElementsAre(QString::fromUtf8(results::kStoreFullQuestion),
                                            QStringLiteral("計算結果を表に記入しました。")));
    EXPECT_EQ(table().datano, 50);
    EXPECT_EQ(table().slots[50][2], "NEW");
    EXPECT_EQ(table().slots[49][2], "R49");
    EXPECT_EQ(rp()->data(50)->text(), QStringLiteral("NEW"));
    EXPECT_EQ(table().selected, 50);
}

TEST_F(ResultPageTest, ClickSelectsAndKeepsExactlyOneButtonShifted)
{
    addSlots({"R1", "R2", "R3"});
    expectOnlyShifted(3); // the last store selected slot 3

    struct Step { const char *name; int click; int selected; };
    const Step steps[] = {
        {"another slot", 2, 2},
        {"the selected slot again", 2, 2},
        {"a slot of the second column", 21, 21},
        {"a slot of the third column", 50, 50},
        {"back to the first", 1, 1},
    };
    for (const Step &step : steps) {
        SCOPED_TRACE(step.name);
        QTest::mouseClick(rp()->data(step.click), Qt::LeftButton);
        EXPECT_EQ(table().selected, step.selected);
        expectOnlyShifted(step.selected);
        const QRect button = rp()->data(step.selected)->geometry();
        EXPECT_EQ(find<QWidget>("kage")->geometry(), QRect(button.right() + 1, button.y(), 5, 23));
    }
}

TEST_F(ResultPageTest, FreeSlotShowsEmptyTextsAndClearedDiagrams)
{
    addSlots({"R1"});
    const QPixmap support = find<QLabel>("listcond")->pixmap();
    ASSERT_FALSE(support.isNull());
    QTest::mouseClick(rp()->data(7), Qt::LeftButton);
    EXPECT_EQ(table().selected, 7);
    for (const char *name : {"listspan", "listMmax", "listQa", "listhantei", "listmember", "listkajuuzuL", "Mcent1",
                             "Menda1", "Mendb1"}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(text(name), QString());
    }
    EXPECT_FALSE(find<QLabel>("lista")->isVisible());
    EXPECT_FALSE(find<QLabel>("listb")->isVisible());
    const QImage &load = rp()->loadDiagramImage();
    const QImage &stress = rp()->stressDiagramImage();
    EXPECT_FALSE(isBlack(load, 60, 50));
    EXPECT_FALSE(isBlack(stress, 60, 35));
    // the empty unit field is not "従来単位": SI captions; the picture stays as it was
    EXPECT_EQ(text("Label70"), QStringLiteral("(kN-m)"));
    EXPECT_EQ(find<QLabel>("listcond")->pixmap().cacheKey(), support.cacheKey());
}

TEST_F(ResultPageTest, UnitCaptionsFollowTheSlotsUnitSystem)
{
    results::storeResult(table(), simpleSlot("SI", true), results::WhenFull::Refuse);
    results::storeResult(table(), simpleSlot("TR", false), results::WhenFull::Refuse);
    rp()->fillSlotArrays();
    struct Row { int slot; const char *force; QColor colour; };
    const Row rows[] = {{1, "kN", kNavy}, {2, "tf", kRed}};
    for (const Row &row : rows) {
        SCOPED_TRACE(row.force);
        rp()->dataClick(row.slot);
        const QString f = QString::fromUtf8(row.force);
        struct Caption { const char *name; QString text; bool coloured; };
        const Caption captions[] = {
            {"Label70", "(" + f + "-m)", true},    {"Label71", "(" + f + ")", true},
            {"Label72", "(" + f + ")", true},      {"Label75", "(" + f + "/cm2)", true},
            {"Label76", "(" + f + "/cm2)", true},  {"Label81", "(" + f + "/m)", true},
            {"Label83", "Pi(" + f + ")", false},   {"Label86", "w1(" + f + "/m)", true},
            {"Label87", "w2(" + f + "/m)", true},
        };
        for (const Caption &c : captions) {
            SCOPED_TRACE(c.name);
            QLabel *label = find<QLabel>(c.name);
            EXPECT_EQ(label->text(), c.text);
            if (c.coloured) {
                EXPECT_EQ(label->palette().color(QPalette::WindowText), row.colour);
            }
        }
    }
}

TEST_F(ResultPageTest, MomentLabelsOfTheStressDiagram)
{
    struct Row { const char *name; beam::Support support; const char *Menda; const char *Mendb; const char *Mcent; };
    const Row rows[] = {
        {"simple beam: no end moments", beam::Support::PinPin, "", "", "4.500"},
        {"fixed ends", beam::Support::FixedFixed, "-3.000", "-3.000", "4.500"},
        {"cantilever: no span moment", beam::Support::FreeFixed, "", "-18.000", ""},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        sections::NamedBeam p = simpleSlot(row.name, true, row.support);
        p.result.Mgrid.front() = row.Menda[0] ? row.Menda : "0";
        p.result.Mgrid.back() = row.Mendb[0] ? row.Mendb : "0";
        results::storeResult(table(), p, results::WhenFull::Refuse);
        rp()->showSlot();
        EXPECT_EQ(text("Menda1"), QString::fromUtf8(row.Menda));
        EXPECT_EQ(text("Mendb1"), QString::fromUtf8(row.Mendb));
        EXPECT_EQ(text("Mcent1"), QString::fromUtf8(row.Mcent));
    }
}

TEST_F(ResultPageTest, AZeroSpanWithLoadsIsShownWithoutDividingByIt)
{
    sections::NamedBeam p = simpleSlot("zero");
    p.texts.Span = "0";
    p.texts.p[0] = "5";
    p.texts.pl[0] = "2";
    p.texts.w1[0] = "1";
    p.texts.w2[0] = "2";
    p.texts.ld2[0] = "3";
    results::storeResult(table(), p, results::WhenFull::Refuse);
    rp()->showSlot();
    EXPECT_EQ(text("listkajuuzuL"), QStringLiteral("0"));
    EXPECT_TRUE(isBlack(rp()->loadDiagramImage(), 60, 50)); // the beam line, and no arrow
    EXPECT_FALSE(isBlack(rp()->loadDiagramImage(), 10, 30));
}

TEST_F(ResultPageTest, MarksToggleAndSelectAllMarksOnlyTheSlotsInUse)
{
    addSlots({"R1", "R2", "R3"});
    for (int s = 1; s <= 3; ++s)
        EXPECT_TRUE(rp()->markShown(s)); // a stored slot is marked

    QTest::mouseClick(rp()->chk(2), Qt::LeftButton);
    EXPECT_FALSE(rp()->markShown(2));
    EXPECT_EQ(table().selectgrid[2], "0");
    QTest::mouseClick(rp()->chk(7), Qt::LeftButton); // a free slot can be marked too
    EXPECT_TRUE(rp()->markShown(7));
    EXPECT_EQ(table().selectgrid[7], "1");
    QTest::mouseClick(rp()->chk(7), Qt::LeftButton);
    EXPECT_FALSE(rp()->markShown(7));
    QTest::mouseClick(rp()->chk(9), Qt::LeftButton);

    click("Image5"); // clear all: all 50
    for (int s = 1; s <= 50; ++s) {
        SCOPED_TRACE(s);
        EXPECT_FALSE(rp()->markShown(s));
        EXPECT_EQ(table().selectgrid[static_cast<std::size_t>(s)], "0");
    }
    QTest::mouseClick(rp()->chk(9), Qt::LeftButton);
    click("Image4"); // select all: slots 1..3; the mark of slot 9 is left as it is
    for (int s = 1; s <= 50; ++s) {
        SCOPED_TRACE(s);
        const bool marked = s <= 3 || s == 9;
        EXPECT_EQ(rp()->markShown(s), marked);
        EXPECT_EQ(table().selectgrid[static_cast<std::size_t>(s)], marked ? "1" : "0");
    }
}

TEST_F(ResultPageTest, DeleteAsksAndMarksStayWithTheirSlotNumbers)
{
    addSlots({"R1", "R2", "R3", "R4", "R5"});
    rp()->chkClick(1); // marks before: slot 1 off, 2..5 on
    rp()->dataClick(2);

    dialogs->answers = {false};
    click("delete1");
    EXPECT_THAT(dialogs->shown, ElementsAre(QStringLiteral("選択した(左にずれた)データを削除します。よろしいですか？")));
    EXPECT_THAT(names(), ElementsAre("R1", "R2", "R3", "R4", "R5"));

    dialogs->shown.clear();
    dialogs->answers = {true};
    click("delete1");
    EXPECT_EQ(dialogs->shown.size(), 1);
    EXPECT_THAT(names(), ElementsAre("R1", "R3", "R4", "R5"));
    EXPECT_EQ(table().slots[2][1], "3"); // field 1 is not renumbered
    const std::vector<QString> captions = {rp()->data(1)->text(), rp()->data(2)->text(), rp()->data(3)->text(),
                                           rp()->data(4)->text(), rp()->data(5)->text()};
    EXPECT_THAT(captions, ElementsAre("R1", "R3", "R4", "R5", ""));
    const std::vector<bool> marks = {rp()->markShown(1), rp()->markShown(2), rp()->markShown(3), rp()->markShown(4),
                                     rp()->markShown(5)};
    EXPECT_THAT(marks, ElementsAre(false, true, true, true, false));
    EXPECT_EQ(table().selected, 1);
    expectOnlyShifted(1);
    EXPECT_EQ(text("listmember"), QStringLiteral("D-R1"));
}

TEST_F(ResultPageTest, OperationsOnNoOrAFreeSlotDoNothing)
{
    addSlots({"R1", "R2"});
    const auto before = table().slots;
    struct Case { const char *name; int selected; };
    const Case cases[] = {{"nothing selected", 0}, {"a free slot selected", 7}};
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        table().selected = c.selected;
        rp()->showSlot();
        dialogs->shown.clear();
        dialogs->answers = {true, true, true};
        for (const char *command : {"delete1", "move1", "rename1", "recalc1"})
            click(command);
        EXPECT_TRUE(dialogs->shown.isEmpty()) << dialogs->shown.join(QLatin1Char('|')).toStdString();
        EXPECT_FALSE(find<QWidget>("idou")->isVisible());
        EXPECT_FALSE(find<QWidget>("rename")->isVisible());
        EXPECT_EQ(rp()->movecom(), 0);
        EXPECT_EQ(table().datano, 2);
        EXPECT_EQ(table().slots, before);
        EXPECT_EQ(currentPage(), 1); // no recall brought the input page forward
    }
}

TEST_F(ResultPageTest, MoveOntoAnOccupiedSlotAsksFirst)
{
    addSlots({"R1", "R2", "R3", "R4", "R5"});
    rp()->dataClick(4);
    click("move1");
    QLineEdit *idou = find<QLineEdit>("idou");
    EXPECT_TRUE(idou->isVisible());
    EXPECT_EQ(idou->pos(), QPoint(19 + 57, rp()->data(4)->y()));
    EXPECT_EQ(rp()->movecom(), 99);

    dialogs->answers = {false};
    QTest::mouseClick(rp()->data(2), Qt::LeftButton);
    ASSERT_EQ(dialogs->shown.size(), 1);
    EXPECT_TRUE(dialogs->shown[0].contains(QStringLiteral("R2"))) << dialogs->shown[0].toStdString();
    EXPECT_THAT(names(), ElementsAre("R1", "R2", "R3", "R4", "R5"));
    EXPECT_FALSE(idou->isVisible());
    EXPECT_EQ(table().selected, 4); // the click was the destination, not a selection

    dialogs->answers = {true};
    click("move1");
    QTest::mouseClick(rp()->data(2), Qt::LeftButton);
    EXPECT_THAT(names(), ElementsAre("R1", "R4", "R3", "R5"));
    EXPECT_EQ(table().datano, 4);
    EXPECT_EQ(table().selected, 2);
    expectOnlyShifted(2);
    EXPECT_EQ(rp()->data(5)->text(), QString());
    EXPECT_FALSE(idou->isVisible());

    // the next click selects again
    QTest::mouseClick(rp()->data(3), Qt::LeftButton);
    EXPECT_EQ(table().selected, 3);
}

TEST_F(ResultPageTest, MovesWithoutQuestion)
{
    struct Case { const char *name; int from; int to; std::vector<std::string> after; int selected; };
    const Case cases[] = {
        {"beyond the slots in use: to the end", 2, 9, {"R1", "R3", "R4", "R5", "R2"}, 5}, // where R2 landed
        {"onto itself: nothing", 2, 2, {"R1", "R2", "R3", "R4", "R5"}, 2},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        results::resetTable(table());
        addSlots({"R1", "R2", "R3", "R4", "R5"});
        rp()->dataClick(c.from);
        dialogs->shown.clear();
        click("move1");
        QTest::mouseClick(rp()->data(c.to), Qt::LeftButton);
        EXPECT_TRUE(dialogs->shown.isEmpty());
        EXPECT_THAT(names(), ElementsAreArray(c.after));
        EXPECT_EQ(table().selected, c.selected);
        expectOnlyShifted(c.selected);
        EXPECT_FALSE(find<QWidget>("idou")->isVisible());
    }
}

TEST_F(ResultPageTest, RenameWithEnterAndWithTheLossOfFocus)
{
    addSlots({"R1", "R2"});
    rp()->dataClick(2);
    click("rename1");
    QLineEdit *box = find<QLineEdit>("rename");
    ASSERT_TRUE(box->isVisible());
    EXPECT_EQ(box->pos(), rp()->data(2)->pos());
    EXPECT_EQ(box->text(), QStringLiteral("R2"));
    EXPECT_TRUE(box->hasFocus());

    // renamed to an empty text: empty caption, empty field 2
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Delete);
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_FALSE(box->isVisible());
    EXPECT_EQ(table().slots[2][2], "");
    EXPECT_EQ(rp()->data(2)->text(), QString());
    EXPECT_EQ(table().slots[2][46], "D-R2"); // nothing else changes

    click("rename1");
    box->selectAll();
    box->insert(QStringLiteral("梁A&B")); // QTest types ASCII keys only
    rp()->data(1)->setFocus(Qt::MouseFocusReason); // leaving the box finishes the rename
    EXPECT_FALSE(box->isVisible());
    EXPECT_EQ(table().slots[2][2], "梁A&B");
    EXPECT_EQ(rp()->data(2)->text(), QStringLiteral("梁A&&B")); // shown as "&", not as a shortcut
}

TEST_F(ResultPageTest, ARenameOrMoveUnderWayNeverLandsOnAnotherRecord)
{
    // a rename still open when the slot is deleted: it ends first, on its own record
    addSlots({"R1", "R2", "R3"});
    rp()->dataClick(1);
    click("rename1");
    QLineEdit *box = find<QLineEdit>("rename");
    box->selectAll();
    box->insert(QStringLiteral("X"));
    dialogs->answers = {true};
    click("delete1"); // the image takes no focus: the box is still open
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_FALSE(box->isVisible());
    EXPECT_THAT(names(), ElementsAre("R2", "R3"));

    // a move waiting when the slot is deleted: the new selection is not moved by the next click
    rp()->dataClick(2);
    click("move1");
    dialogs->answers = {true};
    click("delete1");
    EXPECT_EQ(rp()->movecom(), 0);
    EXPECT_FALSE(find<QWidget>("idou")->isVisible());
    QTest::mouseClick(rp()->data(5), Qt::LeftButton);
    EXPECT_THAT(names(), ElementsAre("R2"));
    EXPECT_EQ(table().selected, 5);
}

TEST_F(ResultPageTest, ContextMenuOffersTheFourOperationsOnTheSelectedSlot)
{
    addSlots({"R1", "R2", "R3"});
    rp()->dataClick(1);
    QStringList captions;
    for (QAction *a : rp()->slotMenu()->actions())
        captions << a->text();
    EXPECT_EQ(captions, QStringList({"Rename", "Move", "Retry", "Delete"}));
    EXPECT_EQ(rp()->data(3)->contextMenuPolicy(), Qt::CustomContextMenu);

    dialogs->answers = {true};
    find<QAction>("slotDelete")->trigger();
    EXPECT_THAT(names(), ElementsAre("R2", "R3"));
    find<QAction>("slotMove")->trigger();
    EXPECT_EQ(rp()->movecom(), 99);
    QTest::mouseClick(rp()->data(10), Qt::LeftButton);
    EXPECT_THAT(names(), ElementsAre("R3", "R2"));
    rp()->dataClick(2);
    find<QAction>("slotRename")->trigger();
    EXPECT_TRUE(find<QWidget>("rename")->isVisible());
    QTest::keyClick(find<QLineEdit>("rename"), Qt::Key_Return);
    find<QAction>("slotRetry")->trigger();
    EXPECT_EQ(currentPage(), 0);
    EXPECT_EQ(text("Bname"), QStringLiteral("R2"));
}

TEST_F(ResultPageTest, RecallOfAnSiSlotAndItsVerdictRule)
{
    calculateSimpleBeam(QStringLiteral("SI梁"));
    const QString verdict = text("hantei");
    ASSERT_EQ(verdict, QStringLiteral("OK."));
    click("kakunou");
    const results::SlotRecord stored = table().slots[1];

    struct Case { const char *name; std::function<void(ResultPageTest &)> change; const char *verdict; };
    const Case cases[] = {
        {"page in traditional units: the unit change resets the verdict",
         [](ResultPageTest &t) { t.find<QCheckBox>("si")->click(); }, "未計算"},
        {"another support on the page: the support change resets the verdict",
         [](ResultPageTest &t) { t.choose("koteikotei"); }, "未計算"},
        {"only loads and section changed: the stored verdict stands",
         [](ResultPageTest &t) {
             t.typeInto("Span", QStringLiteral("9"));
             t.typeInto("p5", QString());
             t.choose("HWbutton");
         },
         "OK."},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        window->pages()->setCurrentIndex(0);
        c.change(*this);
        window->pages()->setCurrentIndex(1);
        rp()->dataClick(1);
        click("recalc1");
        EXPECT_EQ(currentPage(), 0);
        EXPECT_TRUE(find<QCheckBox>("si")->isChecked());
        EXPECT_EQ(text("Label37"), QStringLiteral("(kN-m)"));
        EXPECT_EQ(find<QLabel>("Label37")->palette().color(QPalette::WindowText), kNavy);
        EXPECT_TRUE(find<QRadioButton>("pinpin")->isChecked());
        EXPECT_TRUE(find<QRadioButton>("chokubutton")->isChecked());
        EXPECT_EQ(text("hantei"), QString::fromUtf8(c.verdict));
        EXPECT_EQ(text("Bname"), QStringLiteral("SI梁"));
        EXPECT_EQ(text("Span"), qs(stored[7]));
        EXPECT_EQ(text("p5"), qs(stored[18]));
        EXPECT_EQ(text("pl5"), qs(stored[26]));
        EXPECT_EQ(text("inertia"), qs(stored[51]));
        EXPECT_EQ(text("modulus"), qs(stored[52]));
        EXPECT_EQ(text("RMmax"), qs(stored[54]));
        EXPECT_EQ(text("RQb"), qs(stored[61]));
        EXPECT_EQ(text("Mcent"), qs(stored[58]));
        EXPECT_EQ(text("Menda"), QString()); // pin-pin: no end moments
        for (int i = 0; i <= 100; ++i)
            EXPECT_EQ(page()->mgrid()[static_cast<std::size_t>(i)], stored[static_cast<std::size_t>(65 + i)]);
        EXPECT_EQ(table().slots[1], stored); // recall reads the slot only
    }
}

TEST_F(ResultPageTest, RecallOfATraditionalSlotSetsRedTraditionalCaptions)
{
    results::storeResult(table(), simpleSlot("TR", false, beam::Support::PinFixed), results::WhenFull::Refuse);
    rp()->fillSlotArrays();
    rp()->recalc1Click();
    EXPECT_FALSE(find<QCheckBox>("si")->isChecked());
    EXPECT_TRUE(find<QRadioButton>("pinkotei")->isChecked());
    EXPECT_EQ(text("Label37"), QStringLiteral("(tf-m)"));
    EXPECT_EQ(find<QLabel>("Label37")->palette().color(QPalette::WindowText), kRed);
    EXPECT_EQ(text("Menda"), QString()); // pin-fixed: no moment at A
    EXPECT_EQ(text("Mendb"), QStringLiteral("0"));
    EXPECT_EQ(text("hantei"), QStringLiteral("未計算"));
}

TEST_F(ResultPageTest, ReadOutCopiesActOnTheirInputPageBoxes)
{
    addSlots({"R1"});
    window->pages()->setCurrentIndex(1);
    QLineEdit *copy = edit("listspan");
    EXPECT_TRUE(copy->isReadOnly());
    copy->setFocus(Qt::MouseFocusReason);
    EXPECT_EQ(background("Span"), QColor(255, 255, 0)); // entering highlights the input-page box
    QTest::keyClick(copy, Qt::Key_Return);               // Enter: no error, the focus stays
    EXPECT_EQ(focused(), copy);
    rp()->data(1)->setFocus(Qt::MouseFocusReason);       // leaving tidies the input-page box
    EXPECT_EQ(background("Span"), QColor(0, 255, 255)); // its "0.00" reads as 0: emptied, aqua
    EXPECT_EQ(text("Span"), QString());
}

TEST_F(ResultPageTest, ShowingASlotKeepsThePageOneResult)
{
    calculateSimpleBeam(QStringLiteral("B1"));
    const QString verdict = text("hantei");
    addSlots({"R1"}); // another span text on page 2 is only shown there
    EXPECT_EQ(page()->keisan2(), QStringLiteral("結果登録"));
    EXPECT_EQ(text("hantei"), verdict);
}

TEST_F(ResultPageTest, ReactionListShowsTheStoredSlots)
{
    click("hanryokuhyouji");
    auto *list = find<QTableWidget>("hanryoku");
    EXPECT_TRUE(list->isVisible());
    EXPECT_EQ(list->rowCount(), 1); // the header row only
    click("hanryokuhyouji");
    EXPECT_FALSE(list->isVisible());

    addSlots({"R1", "R2"});
    table().slots[2][60] = "1.250";
    table().slots[2][61] = "4.750";
    window->pages()->setCurrentIndex(0);
    click("hanryokuhyouji");
    ASSERT_EQ(list->rowCount(), 3);
    EXPECT_EQ(list->item(0, 1)->text(), QStringLiteral("Qa"));
    EXPECT_EQ(list->item(0, 2)->text(), QStringLiteral("Qb"));
    EXPECT_EQ(list->item(1, 0)->text(), QStringLiteral("R1"));
    EXPECT_EQ(list->item(1, 1)->text(), QStringLiteral("3.000"));
    EXPECT_EQ(list->item(2, 0)->text(), QStringLiteral("R2"));
    EXPECT_EQ(list->item(2, 1)->text(), QStringLiteral("1.250"));
    EXPECT_EQ(list->item(2, 2)->text(), QStringLiteral("4.750"));
}

TEST_F(ResultPageTest, PrintAndExitImagesReachTheWindow)
{
    auto *exit = find<QWidget>("shuuryou2");
    EXPECT_EQ(exit->toolTip(), QStringLiteral("KOVELを終了します"));
    window->pages()->setCurrentIndex(1);
    dialogs->answers = {false};
    QTest::mouseClick(exit, Qt::LeftButton);
    EXPECT_THAT(dialogs->shown, ElementsAre(QStringLiteral("終了してよろしいですか？")));
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(find<QWidget>("printer1")->toolTip(), QStringLiteral("選択した結果を印刷します。"));
}

} // namespace
