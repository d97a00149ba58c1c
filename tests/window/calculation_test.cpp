// Calculating from the input page: the calculate image and its guards, the results and
// diagrams it shows, the automatic selection, and the section choices that feed it.
#include "tests/window/windowfixture.h"

#include "beam/numtext.h"
#include "files/textfile.h"
#include "results/store.h"

#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <gmock/gmock.h>

#include <cmath>

namespace {

using ::testing::ElementsAre;

const QString kFinished = QStringLiteral("計算が終了しました。変更がなければ[格納]ボタンを押して下さい。");

QString fmt(double value, const char *pattern)
{
    return QString::fromStdString(beam::formatNumber(value, pattern));
}

class CalculationTest : public WindowTest {
protected:
    // A simple beam in traditional units without self weight, section typed in directly.
    void simpleBeam(double span, double w, double inertia, double modulus)
    {
        find<QCheckBox>("si")->click();
        find<QCheckBox>("jijuucheck")->click();
        choose("chokubutton");
        typeInto("inertia", QString::number(inertia));
        typeInto("modulus", QString::number(modulus));
        typeInto("Span", QString::number(span));
        typeInto("uniform", QString::number(w));
        dialogs->shown.clear();
    }
    bool isBlack(const QImage &image, int x, int y) const { return image.pixelColor(x, y) == QColor(Qt::black); }
};

TEST_F(CalculationTest, OneCheckOfASimpleBeam)
{
    const double L = 6, w = 1, I = 10000, Z = 500;
    simpleBeam(L, w, I, Z);
    click("keisan");

    EXPECT_THAT(dialogs->shown, ElementsAre(kFinished));
    EXPECT_EQ(page()->keisan2(), QStringLiteral("結果登録"));
    const double M = w * L * L / 8;                               // wL^2/8
    const double delta = 5 * (w / 100) * std::pow(L * 100, 4) / 384 / 2100 / I; // cm
    const double sigma = std::stod(fmt(M, "###0.000").toStdString()) * 100 / Z;
    const double fb = 1.6;                                        // typed-in sections: the basic value
    EXPECT_EQ(text("RMmax"), fmt(M, "###0.000"));
    EXPECT_EQ(text("RMmaxl"), fmt(L / 2, "###0.000"));
    EXPECT_EQ(text("RQa"), fmt(w * L / 2, "##0.000"));
    EXPECT_EQ(text("RQb"), fmt(w * L / 2, "##0.000"));
    EXPECT_EQ(text("Rdelta"), fmt(delta, "##0.000"));
    EXPECT_EQ(text("Rdelta"), QStringLiteral("0.804"));
    EXPECT_EQ(text("Rlx"), QStringLiteral("746.7"));
    EXPECT_EQ(text("Rfb"), fmt(fb, "#0.000"));
    EXPECT_EQ(text("RSigmab"), fmt(sigma, "##0.000"));
    EXPECT_EQ(text("Rratio"), fmt(sigma / fb, "##0.000"));
    EXPECT_EQ(text("hantei"), QStringLiteral("OK."));
    EXPECT_EQ(text("Mcent"), fmt(M, "###0.000"));
    EXPECT_EQ(text("Menda"), QString());
    EXPECT_EQ(text("Mendb"), QString());
    EXPECT_EQ(page()->mgrid()[50], "4.5");
    EXPECT_EQ(page()->mgrid()[0], "0");

    // the stress diagram: mid-span 20 pixels below the baseline, reactions in red
    const QImage &stress = page()->stressDiagramImage();
    EXPECT_TRUE(isBlack(stress, 95, 55));
    EXPECT_TRUE(isBlack(stress, 10, 45)); // reaction arrow at A
    bool red = false;
    for (int y = 58; y < 80 && !red; ++y)
        for (int x = 5; x < 60 && !red; ++x)
            red = stress.pixelColor(x, y) == QColor(255, 0, 0);
    EXPECT_TRUE(red);

    // nothing changed: a second click neither recalculates nor says anything
    click("keisan");
    EXPECT_EQ(dialogs->shown.size(), 1);
    // an input change allows the next calculation
    typeInto("uniform", QStringLiteral("2"));
    EXPECT_EQ(text("hantei"), QStringLiteral("未計算"));
    EXPECT_EQ(text("RMmax"), fmt(M, "###0.000")); // the old numbers stay until then
    click("keisan");
    EXPECT_EQ(dialogs->shown.size(), 2);
    EXPECT_EQ(text("RMmax"), fmt(2 * L * L / 8, "###0.000"));
}

TEST_F(CalculationTest, PageTextsForTheStoreAreTheShownTexts)
{
    simpleBeam(6, 1, 10000, 500);
    edit("Bname")->setText(QStringLiteral("梁G1")); // typed through an input method
    typeInto("p2", QStringLiteral("3"));
    typeInto("pl2", QStringLiteral("1.5"));
    typeInto("ld2b", QStringLiteral("2"));
    choose("koteikotei");
    click("keisan");
    const sections::NamedBeam p = page()->pageTexts();
    EXPECT_EQ(p.Bname, "梁G1");
    EXPECT_FALSE(p.texts.si);
    EXPECT_FALSE(p.texts.jijuucheck);
    EXPECT_EQ(p.texts.support, beam::Support::FixedFixed);
    EXPECT_EQ(p.texts.Span, "6.000");
    EXPECT_EQ(p.texts.uniform, "1.000");
    EXPECT_EQ(p.texts.p[1], "3.000");
    EXPECT_EQ(p.texts.pl[1], "1.500");
    EXPECT_EQ(p.ld3[1], "4.000");
    EXPECT_EQ(beam::familyCode(p.texts.family), std::string("direct"));
    EXPECT_FALSE(p.noFamily);
    EXPECT_EQ(p.member, "H-100x50x5x7");
    EXPECT_EQ(p.texts.inertia, "10000.00");
    EXPECT_EQ(p.dims.H, "100");
    EXPECT_EQ(p.result.RMmax, text("RMmax").toStdString());
    EXPECT_EQ(p.result.Menda, text("Menda").toStdString());
    EXPECT_FALSE(p.result.Menda.empty()); // fixed ends carry a moment
    EXPECT_EQ(p.result.hantei, text("hantei").toStdString());
    EXPECT_EQ(p.result.Mgrid, page()->mgrid());
}

TEST_F(CalculationTest, ZeroSpanDoesNothing)
{
    for (const char *span : {"0.00", "", "-3", "abc"}) {
        SCOPED_TRACE(span);
        edit("Span")->setText(QString::fromUtf8(span));
        click("keisan");
        EXPECT_TRUE(dialogs->shown.isEmpty()) << dialogs->shown.join(QLatin1Char('|')).toStdString();
        EXPECT_EQ(page()->keisan2(), QStringLiteral("計算開始"));
        EXPECT_EQ(text("hantei"), QStringLiteral("未計算"));
        EXPECT_EQ(text("RMmax"), QString());
    }
}

TEST_F(CalculationTest, ARefusedInputIsNamedAndLeavesTheVerdictOpen)
{
    simpleBeam(6, 1, 10000, 500);
    struct Row { const char *box; const char *value; const char *named; };
    const Row rows[] = {
        {"inertia", "0", "断面二次モーメント"},
        {"modulus", "-5", "断面係数"},
        {"lb", "-1", "lb"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.box);
        const QString before = text(row.box);
        edit(row.box)->setText(QString::fromUtf8(row.value));
        dialogs->shown.clear();
        click("keisan");
        ASSERT_EQ(dialogs->shown.size(), 1);
        EXPECT_TRUE(dialogs->shown[0].contains(QString::fromUtf8(row.named))) << dialogs->shown[0].toStdString();
        EXPECT_NE(dialogs->shown[0], kFinished);
        EXPECT_EQ(text("hantei"), QStringLiteral("未計算"));
        EXPECT_EQ(page()->keisan2(), QStringLiteral("計算開始"));
        edit(row.box)->setText(before);
    }
}

TEST_F(CalculationTest, SiAllowableStressBasisComesFromPageThree)
{
    find<QCheckBox>("jijuucheck")->click();
    choose("chokubutton");
    typeInto("inertia", QStringLiteral("10000"));
    typeInto("modulus", QStringLiteral("500"));
    typeInto("Span", QStringLiteral("6"));
    typeInto("uniform", QStringLiteral("1"));
    click("keisan");
    EXPECT_EQ(text("Rfb"), fmt(1.6 * 9.80665, "#0.000")); // 156.906 MPa, the start-up choice
    find<QRadioButton>("si157")->click();
    EXPECT_EQ(text("Rfb"), fmt(1.6 * 9.80665, "#0.000")); // no effect until the next calculation
    typeInto("uniform", QStringLiteral("1.5"));
    click("keisan");
    EXPECT_EQ(text("Rfb"), QStringLiteral("15.700"));
}

// ---- the catalogue and the section choices ----

// The record of a designation in the shipped catalogue, read here independently: 13
// lines per record.
std::vector<std::string> catalogueRecord(const std::string &name)
{
    const files::TextFileRead read = files::readTextFile(std::string(KOVEL_SOURCE_DIR) + "/shape/buzai.txt");
    if (!read.lines)
        return {};
    const auto &lines = *read.lines;
    for (std::size_t i = 0; i + 13 <= lines.size(); i += 13)
        if (lines[i + 1] == name)
            return {lines.begin() + static_cast<long>(i), lines.begin() + static_cast<long>(i + 13)};
    return {};
}

TEST_F(CalculationTest, CataloguePickFillsTheSectionFields)
{
    const std::vector<std::string> record = catalogueRecord("H-125x60x6x8");
    ASSERT_EQ(record.size(), 13u);
    page()->setKeisan2(QStringLiteral("結果登録"));
    find<QComboBox>("HN")->setCurrentText(QStringLiteral("H-125x60x6x8"));
    EXPECT_EQ(text("member"), QStringLiteral("H-125x60x6x8"));
    EXPECT_EQ(text("selfw").toStdString(), record[6]);
    EXPECT_EQ(text("inertia").toStdString(), record[7]);
    EXPECT_EQ(text("modulus").toStdString(), record[9]);
    EXPECT_EQ(text("H1").toStdString(), record[2]);
    EXPECT_EQ(text("B1").toStdString(), record[3]);
    EXPECT_EQ(text("tf1").toStdString(), record[5]);
    EXPECT_EQ(page()->keisan2(), QStringLiteral("計算開始"));
    find<QCheckBox>("weak")->click();
    EXPECT_EQ(text("inertia").toStdString(), record[8]);
    EXPECT_EQ(text("modulus").toStdString(), record[10]);
    EXPECT_TRUE(dialogs->shown.isEmpty());
}

TEST_F(CalculationTest, PickingAnotherFamilySelectsItsRadio)
{
    const std::vector<std::string> record = catalogueRecord("[-150x75x6.5x10");
    ASSERT_EQ(record.size(), 13u);
    find<QComboBox>("C")->setCurrentText(QStringLiteral("[-150x75x6.5x10"));
    EXPECT_TRUE(find<QRadioButton>("Cbutton")->isChecked());
    EXPECT_EQ(text("member"), QStringLiteral("[-150x75x6.5x10"));
    EXPECT_EQ(text("inertia").toStdString(), record[7]);
    EXPECT_EQ(page()->inputTexts().family, beam::Family::C);
    // the radio alone takes its list's current text
    choose("HWbutton");
    EXPECT_EQ(text("member"), QStringLiteral("H-100x100x6x8"));
    EXPECT_EQ(text("flag1"), QStringLiteral("0"));
}

TEST_F(CalculationTest, FamilyListsHoldTheDesignations)
{
    struct Row { const char *list; int count; const char *first; const char *last; };
    const Row rows[] = {
        {"HW", 9, "H-100x100x6x8", "H-400x400x13x21"},
        {"HM", 17, "H-148x100x6x9", "H-900x300x16x28"},
        {"HN", 20, "H-100x50x5x7", "H-600x200x11x17"},
        {"C", 17, "[-75x40x5x7", ""},
        {"L", 30, "L-50x50x4", "L-250x250x35"},
        {"Ishape", 19, "I-100x75x5x8", "I-600x190x16x35"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.list);
        auto *list = find<QComboBox>(row.list);
        ASSERT_EQ(list->count(), row.count);
        EXPECT_EQ(list->itemText(0), QString::fromUtf8(row.first));
        EXPECT_EQ(list->itemText(row.count - 1), QString::fromUtf8(row.last));
        EXPECT_EQ(list->currentText(), QString::fromUtf8(row.first));
        EXPECT_TRUE(list->isEditable());
    }
    EXPECT_EQ(find<QComboBox>("L")->itemText(24), QStringLiteral("L-175X175X15"));
    EXPECT_EQ(find<QRadioButton>("Ibutton")->text(), QStringLiteral("I　形鋼"));
}

struct ComputedRow {
    const char *name;
    const char *radio;
    std::vector<std::pair<const char *, const char *>> typed;
    const char *member;
    const char *strong[3]; // inertia, modulus, selfw
    const char *weak[3];
};

TEST_F(CalculationTest, ComputedShapesGiveThePublishedValues)
{
    const ComputedRow rows[] = {
        {"built-up H", "BHbutton", {{"H", "400"}, {"B", "200"}, {"tw", "9"}, {"tf", "16"}}, "BH-400x200x9x16",
         {"27344.31", "1367.22", "76.24"}, {"2135.57", "213.56", "76.24"}},
        {"square pipe", "kakubutton", {{"H", "200"}, {"B", "100"}, {"tf", "6"}}, "□-200x100x6",
         {"1793.91", "179.39", "27.13"}, {"599.03", "119.81", "27.13"}},
        {"round pipe", "marubutton", {{"B", "114.3"}, {"tf", "4.5"}}, "φ114.3x4.5",
         {"234.32", "41.00", "12.19"}, {"234.32", "41.00", "12.19"}},
    };
    for (const ComputedRow &row : rows) {
        SCOPED_TRACE(row.name);
        if (find<QCheckBox>("weak")->isChecked())
            find<QCheckBox>("weak")->click();
        choose(row.radio);
        EXPECT_EQ(text("flag1"), QStringLiteral("1"));
        EXPECT_TRUE(find<QLabel>("danmenzu")->isVisible());
        EXPECT_FALSE(find<QLabel>("danmenzu")->pixmap().isNull());
        for (const auto &[box, value] : row.typed)
            typeInto(box, QString::fromUtf8(value));
        EXPECT_EQ(text("member"), QString::fromUtf8(row.member));
        EXPECT_EQ(text("inertia"), QString::fromUtf8(row.strong[0]));
        EXPECT_EQ(text("modulus"), QString::fromUtf8(row.strong[1]));
        EXPECT_EQ(text("selfw"), QString::fromUtf8(row.strong[2]));
        // weak axis: shown as soon as it is ticked, and again after an edit of a dimension
        find<QCheckBox>("weak")->click();
        EXPECT_EQ(text("inertia"), QString::fromUtf8(row.weak[0]));
        EXPECT_EQ(text("modulus"), QString::fromUtf8(row.weak[1]));
        const auto &[lastBox, lastValue] = row.typed.back();
        typeInto(lastBox, QString::fromUtf8(lastValue));
        EXPECT_EQ(text("inertia"), QString::fromUtf8(row.weak[0]));
        EXPECT_EQ(text("modulus"), QString::fromUtf8(row.weak[1]));
        EXPECT_EQ(text("selfw"), QString::fromUtf8(row.weak[2]));
        EXPECT_EQ(text("member"), QString::fromUtf8(row.member));
    }
    EXPECT_TRUE(dialogs->shown.isEmpty()) << dialogs->shown.join(QLatin1Char('|')).toStdString();
}

TEST_F(CalculationTest, ChoosingAComputedShapeEmptiesTheDimensions)
{
    choose("BHbutton");
    for (const char *box : {"H", "B", "tw", "tf"}) {
        SCOPED_TRACE(box);
        EXPECT_EQ(text(box), QString());
        EXPECT_TRUE(edit(box)->isVisible());
    }
    EXPECT_EQ(text("member"), QStringLiteral("BH-xxx"));
    EXPECT_EQ(text("inertia"), QStringLiteral("0.00"));
    EXPECT_EQ(text("modulus"), QStringLiteral("0.00"));
    EXPECT_EQ(text("selfw"), QStringLiteral("0.00"));
    EXPECT_EQ(focused(), edit("B"));
    EXPECT_TRUE(edit("member")->isEnabled());
    EXPECT_FALSE(edit("inertia")->isEnabled());
    EXPECT_TRUE(find<QLabel>("tani")->isVisible());

    choose("marubutton");
    EXPECT_FALSE(edit("H")->isVisible());
    EXPECT_FALSE(edit("tw")->isVisible());
    typeInto("tf", QStringLiteral("4.5"));
    edit("B")->setFocus(Qt::MouseFocusReason);
    QTest::keyClick(edit("B"), Qt::Key_5);
    EXPECT_EQ(text("member"), QStringLiteral("φ5x4.5"));
    QTest::keyClick(edit("B"), Qt::Key_0);
    EXPECT_EQ(text("member"), QStringLiteral("φ50x4.5"));

    // back to a catalogue family: dimensions hidden, lookup on, caption hidden
    choose("HNbutton");
    EXPECT_EQ(text("flag1"), QStringLiteral("0"));
    EXPECT_FALSE(edit("B")->isVisible());
    EXPECT_FALSE(find<QLabel>("danmenzu")->isVisible());
    EXPECT_FALSE(find<QLabel>("tani")->isVisible());
    EXPECT_EQ(text("member"), QStringLiteral("H-100x50x5x7"));
    EXPECT_FALSE(edit("member")->isEnabled());
}

TEST_F(CalculationTest, DirectInputKeepsTheSectionAndMakesItTypeable)
{
    find<QComboBox>("HN")->setCurrentText(QStringLiteral("H-125x60x6x8"));
    const QString inertia = text("inertia");
    choose("chokubutton");
    EXPECT_EQ(text("member"), QStringLiteral("H-125x60x6x8"));
    EXPECT_EQ(text("inertia"), inertia);
    for (const char *box : {"member", "inertia", "modulus", "selfw"}) {
        SCOPED_TRACE(box);
        EXPECT_TRUE(edit(box)->isEnabled());
    }
    EXPECT_EQ(focused(), edit("member"));
    EXPECT_EQ(text("flag1"), QStringLiteral("1"));
    // with the lookup off, weak changes nothing but the verdict
    find<QCheckBox>("weak")->click();
    EXPECT_EQ(text("inertia"), inertia);
}

TEST_F(CalculationTest, BackToTheCatalogueTakesItsValuesEvenForTheSameName)
{
    const std::vector<std::string> record = catalogueRecord("H-100x50x5x7");
    ASSERT_EQ(record.size(), 13u);
    choose("chokubutton");
    typeInto("inertia", QStringLiteral("999"));
    typeInto("modulus", QStringLiteral("99"));
    ASSERT_EQ(text("member"), QStringLiteral("H-100x50x5x7"));
    choose("HNbutton");
    EXPECT_EQ(text("inertia").toStdString(), record[7]);
    EXPECT_EQ(text("modulus").toStdString(), record[9]);
    EXPECT_FALSE(edit("inertia")->isEnabled());
}

TEST_F(CalculationTest, AutomaticSelectionFromTheAngleFamilySearchesNarrowFlangeH)
{
    choose("Lbutton");
    typeInto("Span", QStringLiteral("6"));
    typeInto("uniform", QStringLiteral("10"));
    find<QCheckBox>("design")->click();
    for (const char *hidden : {"Lbutton", "Ibutton", "BHbutton", "kakubutton", "marubutton", "userbutton", "L",
                               "Ishape", "userlist", "weak"}) {
        SCOPED_TRACE(hidden);
        EXPECT_FALSE(find<QWidget>(hidden)->isVisible());
    }
    dialogs->shown.clear();
    click("keisan");
    EXPECT_THAT(dialogs->shown, ElementsAre(kFinished));
    EXPECT_TRUE(find<QRadioButton>("HNbutton")->isChecked());
    const QString member = text("member");
    EXPECT_EQ(find<QComboBox>("HN")->currentText(), member);
    EXPECT_TRUE(member.startsWith(QStringLiteral("H-")));
    EXPECT_NE(member, QStringLiteral("H-100x50x5x7")); // 10 kN/m over 6 m needs more
    EXPECT_EQ(text("hantei"), QStringLiteral("OK."));
    EXPECT_EQ(page()->keisan2(), QStringLiteral("結果登録"));
    EXPECT_FALSE(find<QWidget>("keisanchuu")->isVisible());
    EXPECT_FALSE(find<QWidget>("watch")->isVisible());
    // the shown result belongs to the chosen section
    const std::vector<std::string> record = catalogueRecord(member.toStdString());
    ASSERT_EQ(record.size(), 13u);
    EXPECT_EQ(text("modulus").toStdString(), record[9]);
    EXPECT_EQ(text("H1").toStdString(), record[2]);
    const double sigma = beam::parseDouble(text("RMmax").toStdString()) * 100 / beam::parseDouble(record[9]);
    EXPECT_EQ(text("RSigmab"), fmt(sigma, "##0.000"));

    // switching the selection off shows the choices again
    find<QCheckBox>("design")->click();
    EXPECT_TRUE(find<QWidget>("Lbutton")->isVisible());
    EXPECT_TRUE(find<QWidget>("weak")->isVisible());
}

TEST_F(CalculationTest, TheFinishedMessageSaysWhatTheCheckCouldNotDo)
{
    const QString lateral = QStringLiteral("\n（登録部材・直接入力の断面では横座屈を考慮していません。）");
    simpleBeam(6, 1, 10000, 500);
    struct Row {
        const char *name;
        const char *radio;
        const char *lb;
        bool weak;
        bool noted;
    };
    const Row rows[] = {
        {"typed section, lb 3 m", "chokubutton", "3", false, true},
        {"typed section, lb 0", "chokubutton", "0", false, false},
        {"typed section about the weak axis", "chokubutton", "3", true, false},
        {"catalogue section", "HNbutton", "3", false, false},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        choose(row.radio);
        if (find<QCheckBox>("weak")->isChecked() != row.weak)
            find<QCheckBox>("weak")->click();
        typeInto("lb", QString::fromUtf8(row.lb));
        dialogs->shown.clear();
        click("keisan");
        EXPECT_THAT(dialogs->shown, ElementsAre(row.noted ? kFinished + lateral : kFinished));
    }

    // an automatic selection where no section passes: the largest stays, and the message says so
    if (find<QCheckBox>("weak")->isChecked())
        find<QCheckBox>("weak")->click();
    typeInto("Span", QStringLiteral("30"));
    typeInto("uniform", QStringLiteral("200"));
    find<QCheckBox>("design")->click();
    dialogs->shown.clear();
    click("keisan");
    EXPECT_EQ(text("hantei"), QStringLiteral("NG."));
    EXPECT_EQ(page()->keisan2(), QStringLiteral("結果登録"));
    EXPECT_THAT(dialogs->shown, ElementsAre(kFinished + QStringLiteral("\n（細幅H形鋼（HN）には OK. となる部材がありません。最大の ") +
                                            text("member") + QStringLiteral(" の結果を表示しています。）")));
}

TEST_F(CalculationTest, ImpossibleComputedSectionsAreRefusedAtCalculation)
{
    typeInto("Span", QStringLiteral("6"));
    typeInto("uniform", QStringLiteral("1"));
    int stores = 0;
    QObject::connect(page(), &InputPage::storeRequested, [&stores] { ++stores; });
    struct Row {
        const char *name;
        const char *radio;
        std::vector<std::pair<const char *, const char *>> typed;
        const char *message;
    };
    const Row rows[] = {
        // along the Enter chain H -> tw -> tf -> B: a web thicker than the flange is wide
        {"built-up H, tw >= B", "BHbutton", {{"H", "400"}, {"tw", "200"}, {"tf", "8"}, {"B", "13"}},
         "ウェブ厚 tw（200）がフランジ幅 B（13）以上です。寸法を確認して下さい。"},
        {"built-up H, 2 tf >= H", "BHbutton", {{"H", "400"}, {"tw", "9"}, {"B", "200"}, {"tf", "200"}},
         "フランジ厚 tfの2倍（400）がせい H（400）以上です。寸法を確認して下さい。"},
        {"square pipe, 2 t >= B", "kakubutton", {{"H", "200"}, {"B", "100"}, {"tf", "50"}},
         "板厚 tの2倍（100）が幅 B（100）以上です。寸法を確認して下さい。"},
        {"round pipe, D <= 0", "marubutton", {{"B", "0"}, {"tf", "4.5"}}, "外径 D（0）が0以下です。寸法を確認して下さい。"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        choose(row.radio);
        for (const auto &[box, value] : row.typed) {
            QLineEdit *e = edit(box);
            if (focused() != e)
                e->setFocus(Qt::MouseFocusReason);
            e->selectAll();
            QTest::keyClicks(e, QString::fromUtf8(value));
            QTest::keyClick(e, Qt::Key_Return); // the keystroke refuses nothing
        }
        dialogs->shown.clear();
        click("keisan");
        EXPECT_THAT(dialogs->shown, ElementsAre(QString::fromUtf8(row.message)));
        EXPECT_EQ(text("hantei"), QStringLiteral("未計算"));
        EXPECT_EQ(page()->keisan2(), QStringLiteral("計算開始"));
        click("kakunou");
        EXPECT_EQ(stores, 0);
    }
    // a section that can be made is calculated again
    typeInto("B", QStringLiteral("114.3"));
    dialogs->shown.clear();
    click("keisan");
    EXPECT_THAT(dialogs->shown, ElementsAre(kFinished));
}

TEST_F(CalculationTest, StoreImageAsksOnlyWhenAResultWaits)
{
    click("kakunou");
    EXPECT_TRUE(dialogs->shown.isEmpty());
    int requests = 0;
    QObject::connect(page(), &InputPage::storeRequested, [&requests] { ++requests; });
    page()->setKeisan2(QStringLiteral("結果登録"));
    click("kakunou");
    EXPECT_EQ(requests, 1);
}

// ---- the diagrams in the window ----

TEST_F(CalculationTest, LoadDiagramFollowsTheInputs)
{
    const QImage &load = page()->loadDiagramImage();
    EXPECT_EQ(load.size(), QSize(193, 105));
    typeInto("Span", QStringLiteral("6"));
    typeInto("p1", QStringLiteral("10"));
    typeInto("pl1", QStringLiteral("3"));
    EXPECT_TRUE(isBlack(page()->loadDiagramImage(), 95, 30)); // the arrow at mid-span
    EXPECT_FALSE(isBlack(page()->loadDiagramImage(), 97, 30));
    typeInto("w2a", QStringLiteral("4"));
    typeInto("ld2a", QStringLiteral("3"));
    typeInto("w1a", QStringLiteral("0"));
    const QImage &now = page()->loadDiagramImage();
    EXPECT_TRUE(isBlack(now, 95, 70));  // the right edge reaches 20 pixels below the beam
    EXPECT_FALSE(isBlack(now, 95, 72));
    EXPECT_EQ(text("kajuuL"), QStringLiteral("6.000"));
    // span 0: only the frame
    typeInto("Span", QStringLiteral("0"));
    EXPECT_FALSE(isBlack(page()->loadDiagramImage(), 95, 30));
    EXPECT_TRUE(isBlack(page()->loadDiagramImage(), 95, 92));
}

// ---- registered members ----

class MemberChoiceTest : public WindowTest {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        QDir().mkpath(m_dir.filePath(QStringLiteral("shape")));
        QFile::copy(QStringLiteral(KOVEL_SOURCE_DIR "/shape/buzai.txt"), m_dir.filePath(QStringLiteral("shape/buzai.txt")));
        const std::vector<std::string> lines = {"2",
                                                "1", "柱材A", "11.850", "9.300", "187.000", "14.800", "37.500", "5.910",
                                                "2", "梁材B", "20.000", "15.700", "400.000", "50.000", "80.000", "10.000"};
        ASSERT_EQ(files::writeTextFile(m_dir.filePath(QStringLiteral("shape/ubuzai.txt")).toStdString(), lines), "");
        QDir::setCurrent(m_dir.path());
        start();
    }
    void TearDown() override { QDir::setCurrent(QStringLiteral(KOVEL_SOURCE_DIR)); }
    QTemporaryDir m_dir;
};

TEST_F(MemberChoiceTest, ChoosingARegisteredMemberCopiesItsProperties)
{
    auto *list = find<QComboBox>("userlist");
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(list->currentText(), QStringLiteral("柱材A"));
    list->setCurrentIndex(1);
    Q_EMIT list->activated(1);
    EXPECT_TRUE(find<QRadioButton>("userbutton")->isChecked());
    EXPECT_EQ(text("member"), QStringLiteral("梁材B"));
    EXPECT_EQ(text("selfw"), QStringLiteral("15.700"));
    EXPECT_EQ(text("inertia"), QStringLiteral("400.000"));
    EXPECT_EQ(text("modulus"), QStringLiteral("80.000"));
    EXPECT_EQ(text("flag1"), QStringLiteral("1"));
    EXPECT_FALSE(find<QLabel>("tani")->isVisible());
    EXPECT_FALSE(edit("inertia")->isEnabled());
    EXPECT_EQ(page()->inputTexts().family, beam::Family::User);

    // about the weak axis: Iy and Zy
    find<QCheckBox>("weak")->click(); // swapped at once: no check with Ix beside the weak axis
    EXPECT_EQ(text("inertia"), QStringLiteral("50.000"));
    EXPECT_EQ(text("modulus"), QStringLiteral("10.000"));
    Q_EMIT list->activated(1);
    EXPECT_EQ(text("inertia"), QStringLiteral("50.000"));
    EXPECT_EQ(text("modulus"), QStringLiteral("10.000"));
    find<QCheckBox>("weak")->click(); // and back to the strong axis
    EXPECT_EQ(text("inertia"), QStringLiteral("400.000"));
    EXPECT_EQ(text("modulus"), QStringLiteral("80.000"));
    EXPECT_TRUE(dialogs->shown.isEmpty()) << dialogs->shown.join(QLatin1Char('|')).toStdString();
}

TEST_F(MemberChoiceTest, TheRadioChoosesTheListedMember)
{
    choose("userbutton");
    EXPECT_EQ(text("member"), QStringLiteral("柱材A"));
    EXPECT_EQ(text("inertia"), QStringLiteral("187.000"));
    EXPECT_EQ(text("modulus"), QStringLiteral("37.500"));
}

} // namespace
