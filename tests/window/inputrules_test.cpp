// The input page's field rules through the widgets: invalidation, Enter chains, leaving
// rules and colours, segment completion, the Reset buttons, the uniform-load calculator
// and the unit system.
#include "tests/window/windowfixture.h"

#include <QPushButton>

namespace {

const QColor kWhite(255, 255, 255);
const QColor kYellow(255, 255, 0);
const QColor kAqua(0, 255, 255);
const QColor kNavy(0, 0, 128);
const QColor kRed(255, 0, 0);

class InputRulesTest : public WindowTest {
protected:
    // As after a calculation: a result waits to be stored.
    void markCalculated()
    {
        page()->setKeisan2(QStringLiteral("結果登録"));
        find<QLabel>("hantei")->setText(QStringLiteral("OK."));
    }
    QString flag() const { return page()->keisan2(); }
    QString verdict() const { return text("hantei"); }
};

TEST_F(InputRulesTest, EveryLoadAndSpanChangeInvalidatesAndCopiesTheSpan)
{
    const char *fields[] = {"Span", "uniform", "p1", "p2", "p3", "p4", "p5", "p6", "p7", "p8", "pl1", "pl2",
                            "pl3", "pl4", "pl5", "pl6", "pl7", "pl8", "w1a", "w1b", "w1c", "w2a", "w2b", "w2c",
                            "ld1a", "ld1b", "ld1c", "ld2a", "ld2b", "ld2c", "ld3a", "ld3b", "ld3c"};
    ASSERT_EQ(std::size(fields), 33u);
    edit("Span")->setText(QStringLiteral("7.5"));
    for (const char *name : fields) {
        SCOPED_TRACE(name);
        markCalculated();
        edit(name)->setText(edit(name)->text() + QStringLiteral("1"));
        EXPECT_EQ(flag(), QStringLiteral("計算開始"));
        EXPECT_EQ(verdict(), QStringLiteral("未計算"));
        EXPECT_EQ(text("kajuuL"), text("Span"));
    }
}

TEST_F(InputRulesTest, OtherInputChangesInvalidateWithoutTouchingTheSpanLabel)
{
    choose("chokubutton"); // the section properties become typeable
    for (const char *name : {"lb", "seigen1", "seigen2", "inertia", "modulus", "selfw"}) {
        SCOPED_TRACE(name);
        markCalculated();
        edit(name)->setText(QStringLiteral("12"));
        EXPECT_EQ(flag(), QStringLiteral("計算開始"));
        EXPECT_EQ(verdict(), QStringLiteral("未計算"));
    }
    for (const char *box : {"term", "jijuucheck", "si", "weak"}) {
        SCOPED_TRACE(box);
        markCalculated();
        find<QCheckBox>(box)->click();
        EXPECT_EQ(flag(), QStringLiteral("計算開始"));
        EXPECT_EQ(verdict(), QStringLiteral("未計算"));
    }
    for (const char *radio : {"pinkotei", "koteikotei", "jiyuukotei", "pinpin"}) {
        SCOPED_TRACE(radio);
        markCalculated();
        choose(radio);
        EXPECT_EQ(flag(), QStringLiteral("計算開始"));
        EXPECT_EQ(verdict(), QStringLiteral("未計算"));
    }
    markCalculated();
    edit("member")->setText(QStringLiteral("my beam"));
    EXPECT_EQ(verdict(), QStringLiteral("未計算"));
}

TEST_F(InputRulesTest, NameAndFormulaInvalidateNothing)
{
    for (const char *name : {"Bname", "shiki"}) {
        SCOPED_TRACE(name);
        markCalculated();
        edit(name)->setText(QStringLiteral("text"));
        EXPECT_EQ(flag(), QStringLiteral("結果登録"));
        EXPECT_EQ(verdict(), QStringLiteral("OK."));
    }
}

TEST_F(InputRulesTest, DesignSwitchResetsTheFlagButKeepsTheVerdict)
{
    markCalculated();
    find<QCheckBox>("design")->click();
    EXPECT_EQ(flag(), QStringLiteral("計算開始"));
    EXPECT_EQ(verdict(), QStringLiteral("OK."));
}

TEST_F(InputRulesTest, FocusColoursAndLeavingRules)
{
    struct Row {
        const char *box;
        const char *typed;
        const char *after;
        QColor colour;
    };
    const Row rows[] = {
        {"Span", "0", "", kAqua},           {"Span", "", "", kAqua},          {"Span", "abc", "", kAqua},
        {"Span", "6", "6.000", kWhite},     {"lb", "3", "3.000", kWhite},      {"lb", "0", "", kWhite},
        {"uniform", "2.5", "2.500", kWhite}, {"p3", "0", "", kWhite},          {"p3", "12", "12.000", kWhite},
        {"pl3", "", "0.000", kWhite},       {"pl3", "2.25", "2.250", kWhite}, {"w1b", "x", "0.000", kWhite},
        {"w2c", "1.5", "1.500", kWhite},    {"seigen1", "250", "250", kWhite}, {"Bname", "G1", "G1", kWhite},
        {"shiki", "2x3", "2x3", kWhite},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(std::string(row.box) + " <- " + row.typed);
        QLineEdit *e = edit(row.box);
        e->setFocus(Qt::MouseFocusReason);
        EXPECT_EQ(background(row.box), kYellow);
        e->selectAll();
        if (*row.typed)
            QTest::keyClicks(e, QString::fromUtf8(row.typed));
        else
            QTest::keyClick(e, Qt::Key_Delete);
        leave();
        EXPECT_EQ(e->text(), QString::fromUtf8(row.after));
        EXPECT_EQ(background(row.box), row.colour);
    }
}

TEST_F(InputRulesTest, DirectInputPropertiesAreRewrittenOnLeaving)
{
    choose("chokubutton");
    EXPECT_TRUE(edit("inertia")->isEnabled());
    struct Row { const char *box; const char *typed; const char *after; };
    const Row rows[] = {{"modulus", "37.5", "37.50"}, {"selfw", "9.3", "9.300"}, {"inertia", "187", "187.00"},
                        {"selfw", "0", ""}};
    for (const Row &row : rows) {
        SCOPED_TRACE(row.box);
        typeInto(row.box, QString::fromUtf8(row.typed));
        EXPECT_EQ(text(row.box), QString::fromUtf8(row.after));
    }
}

TEST_F(InputRulesTest, SegmentCompletionFromTheSpan)
{
    typeInto("Span", QStringLiteral("6"));
    typeInto("ld2a", QStringLiteral("2"));
    EXPECT_EQ(text("ld2a"), QStringLiteral("2.000"));
    EXPECT_EQ(text("ld3a"), QStringLiteral("4.000")); // leaving LD2: LD3 = 6 - 0 - 2
    typeInto("ld1a", QString());
    EXPECT_EQ(text("ld1a"), QStringLiteral("0.000"));
    EXPECT_EQ(text("ld3a"), QStringLiteral("4.000"));
    typeInto("ld3a", QStringLiteral("1"));
    EXPECT_EQ(text("ld3a"), QStringLiteral("1.000"));
    EXPECT_EQ(text("ld1a"), QStringLiteral("3.000"));
    EXPECT_EQ(background("ld3a"), kWhite);
    // another load keeps to its own boxes; a negative rest is written as it is
    typeInto("ld1c", QStringLiteral("5"));
    typeInto("ld2c", QStringLiteral("2.5"));
    EXPECT_EQ(text("ld3c"), QStringLiteral("-1.500"));
    EXPECT_EQ(text("ld3a"), QStringLiteral("1.000"));
    EXPECT_EQ(text("ld3b"), QString());
}

struct ChainRow {
    const char *from;
    const char *to;
};

TEST_F(InputRulesTest, EnterMovesAlongTheChain)
{
    const ChainRow rows[] = {
        {"Bname", "Span"}, {"Span", "lb"},     {"seigen1", "lb"}, {"seigen2", "lb"},  {"lb", "uw"},
        {"uw", "lwa"},     {"lwa", "lwb"},     {"lwb", "nnl"},    {"nnl", "shiki"},   {"shiki", "uniform"},
        {"uniform", "p1"}, {"p1", "pl1"},      {"pl1", "p2"},     {"p7", "pl7"},      {"pl7", "p8"},
        {"pl8", "Bname"},  {"w1a", "w2a"},     {"w2a", "ld1a"},   {"ld1a", "ld2a"},   {"ld2a", "ld3a"},
        {"ld3a", "w1a"},   {"w1b", "w2b"},     {"ld3b", "w1b"},   {"ld3c", "w1c"},
    };
    for (const ChainRow &row : rows) {
        SCOPED_TRACE(std::string(row.from) + " -> " + row.to);
        QLineEdit *e = edit(row.from);
        e->setFocus(Qt::MouseFocusReason);
        const QString before = e->text();
        QTest::keyClick(e, Qt::Key_Return);
        EXPECT_EQ(focused(), edit(row.to));
        if (beam::boxRule(row.from) == nullptr || beam::boxRule(row.from)->rule == beam::LeaveRule::ColourOnly) {
            EXPECT_EQ(e->text(), before); // the key itself went nowhere
        }
    }
}

TEST_F(InputRulesTest, EnterInTheSectionBoxesDependsOnTheShape)
{
    choose("chokubutton");
    for (const ChainRow &row : {ChainRow{"member", "inertia"}, ChainRow{"inertia", "modulus"},
                                ChainRow{"modulus", "selfw"}, ChainRow{"selfw", "member"}}) {
        SCOPED_TRACE(row.from);
        edit(row.from)->setFocus(Qt::MouseFocusReason);
        QTest::keyClick(edit(row.from), Qt::Key_Return);
        EXPECT_EQ(focused(), edit(row.to));
    }
    choose("BHbutton");
    EXPECT_EQ(focused(), edit("B"));
    for (const ChainRow &row : {ChainRow{"B", "H"}, ChainRow{"H", "tw"}, ChainRow{"tw", "tf"}, ChainRow{"tf", "B"}}) {
        SCOPED_TRACE(std::string("BH ") + row.from);
        edit(row.from)->setFocus(Qt::MouseFocusReason);
        QTest::keyClick(edit(row.from), Qt::Key_Return);
        EXPECT_EQ(focused(), edit(row.to));
    }
    // inertia is disabled for a computed shape: Enter in member leaves the focus there
    edit("member")->setFocus(Qt::MouseFocusReason);
    QTest::keyClick(edit("member"), Qt::Key_Return);
    EXPECT_EQ(focused(), edit("member"));

    choose("kakubutton");
    edit("H")->setFocus(Qt::MouseFocusReason);
    QTest::keyClick(edit("H"), Qt::Key_Return);
    EXPECT_EQ(focused(), edit("tf"));

    choose("marubutton");
    EXPECT_FALSE(edit("H")->isVisible());
    edit("B")->setFocus(Qt::MouseFocusReason);
    QTest::keyClick(edit("B"), Qt::Key_Return);
    EXPECT_EQ(focused(), edit("tf"));
}

TEST_F(InputRulesTest, TabSkipsTheNumericBoxes)
{
    for (const char *name : {"Bname", "member", "inertia", "modulus", "selfw"}) {
        SCOPED_TRACE(name);
        EXPECT_TRUE(edit(name)->focusPolicy() & Qt::TabFocus);
    }
    for (const char *name : {"Span", "lb", "seigen1", "seigen2", "uniform", "shiki", "uw", "lwa", "lwb", "nnl",
                             "p1", "pl8", "w1a", "ld3c", "H", "B", "tw", "tf"}) {
        SCOPED_TRACE(name);
        EXPECT_FALSE(edit(name)->focusPolicy() & Qt::TabFocus);
    }
    for (const char *name : {"HW", "HM", "HN", "C", "L", "Ishape"}) {
        SCOPED_TRACE(name);
        EXPECT_FALSE(find<QComboBox>(name)->focusPolicy() & Qt::TabFocus);
    }
}

TEST_F(InputRulesTest, UniformLoadCalculator)
{
    struct Row {
        const char *name;
        const char *uw, *lwa, *lwb, *nnl;
        const char *shiki, *uniform;
    };
    const Row rows[] = {
        {"the worked example", "3", "2", "1.5", "2", "3.000x(2.000+1.500)/2", "5.250"},
        {"divisor 0 reads 1", "3", "2", "1.5", "0", "3.000x(2.000+1.500)", "10.500"},
        {"divisor empty reads 1", "3", "2", "1.5", "", "3.000x(2.000+1.500)", "10.500"},
        {"divisor 1", "3", "2", "1.5", "1", "3.000x(2.000+1.500)", "10.500"},
        {"only lwb, no brackets", "3", "", "1.5", "", "3.000x1.500", "4.500"},
        {"divisor as typed", "2", "1", "1", "04", "2.000x(1.000+1.000)/04", "1.000"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        for (auto [box, value] : {std::pair{"uw", row.uw}, std::pair{"lwa", row.lwa}, std::pair{"lwb", row.lwb},
                                  std::pair{"nnl", row.nnl}})
            edit(box)->setText(QString::fromUtf8(value));
        EXPECT_EQ(text("shiki"), QString::fromUtf8(row.shiki));
        EXPECT_EQ(text("uniform"), QString::fromUtf8(row.uniform));
    }
}

TEST_F(InputRulesTest, ResetButtonsEmptyTheirGroups)
{
    for (const char *box : {"uw", "lwa", "lwb", "nnl"})
        edit(box)->setText(QStringLiteral("2"));
    ASSERT_EQ(text("uniform"), QStringLiteral("4.000"));
    markCalculated();
    QTest::mouseClick(find<QPushButton>("Button1"), Qt::LeftButton);
    for (const char *box : {"uw", "lwa", "lwb", "nnl", "shiki"}) {
        SCOPED_TRACE(box);
        EXPECT_EQ(text(box), QString());
    }
    // emptying the calculator's boxes rewrote the load from them
    EXPECT_EQ(text("uniform"), QStringLiteral("0.000"));
    EXPECT_EQ(verdict(), QStringLiteral("未計算"));

    for (int k = 1; k <= 8; ++k) {
        edit(QStringLiteral("p%1").arg(k).toUtf8().constData())->setText(QStringLiteral("1"));
        edit(QStringLiteral("pl%1").arg(k).toUtf8().constData())->setText(QStringLiteral("1"));
    }
    const char *parts[] = {"w1a", "w2a", "ld1a", "ld2a", "ld3a", "w1b", "w2b", "ld1b", "ld2b", "ld3b",
                           "w1c", "w2c", "ld1c", "ld2c", "ld3c"};
    for (const char *box : parts)
        edit(box)->setText(QStringLiteral("1"));
    QTest::mouseClick(find<QPushButton>("Button2"), Qt::LeftButton);
    for (int k = 1; k <= 8; ++k) {
        EXPECT_EQ(edit(QStringLiteral("p%1").arg(k).toUtf8().constData())->text(), QString());
        EXPECT_EQ(edit(QStringLiteral("pl%1").arg(k).toUtf8().constData())->text(), QString());
    }
    EXPECT_EQ(text("w1a"), QStringLiteral("1"));
    QTest::mouseClick(find<QPushButton>("Button3"), Qt::LeftButton);
    for (const char *box : parts) {
        SCOPED_TRACE(box);
        EXPECT_EQ(text(box), QString());
    }
}

TEST_F(InputRulesTest, ResetOfAnEmptyUniformGroupLeavesTheLoadEmpty)
{
    edit("uniform")->setText(QStringLiteral("3.000"));
    QTest::mouseClick(find<QPushButton>("Button1"), Qt::LeftButton);
    EXPECT_EQ(text("uniform"), QString()); // none of the four held text: no calculator run
}

TEST_F(InputRulesTest, UnitSwitchChangesLabelsNotNumbers)
{
    struct Unit { const char *label; const char *si; const char *traditional; };
    const Unit units[] = {
        {"Label4", "(kN/m)", "(tf/m)"},      {"Label6", "Pi(kN)", "Pi(tf)"},     {"Label39", "w1(kN/m)", "w1(tf/m)"},
        {"Label40", "w2(kN/m)", "w2(tf/m)"}, {"Label37", "(kN-m)", "(tf-m)"},    {"Label44", "(kN)", "(tf)"},
        {"Label45", "(kN)", "(tf)"},         {"Label48", "(kN/cm2)", "(tf/cm2)"}, {"Label49", "(kN/cm2)", "(tf/cm2)"},
    };
    auto expectUnits = [&](bool si) {
        for (const Unit &u : units) {
            SCOPED_TRACE(u.label);
            auto *l = find<QLabel>(u.label);
            EXPECT_EQ(l->text(), QString::fromUtf8(si ? u.si : u.traditional));
            EXPECT_EQ(l->palette().color(QPalette::WindowText), si ? kNavy : kRed);
        }
    };
    expectUnits(true);
    edit("uniform")->setText(QStringLiteral("2.5"));
    edit("p1")->setText(QStringLiteral("10"));
    find<QCheckBox>("si")->click();
    expectUnits(false);
    EXPECT_EQ(text("uniform"), QStringLiteral("2.5"));
    EXPECT_EQ(text("p1"), QStringLiteral("10"));
    EXPECT_FALSE(page()->inputTexts().si);
    find<QCheckBox>("si")->click();
    expectUnits(true);
    EXPECT_EQ(text("uniform"), QStringLiteral("2.5"));
    EXPECT_EQ(text("p1"), QStringLiteral("10"));
}

TEST_F(InputRulesTest, ClickingTheDiagramCaptionsFocusesTheSpan)
{
    for (const char *caption : {"kajuuL", "kajuuA", "kajuuB"}) {
        SCOPED_TRACE(caption);
        edit("lb")->setFocus(Qt::MouseFocusReason);
        click(caption);
        EXPECT_EQ(focused(), edit("Span"));
    }
}

} // namespace
