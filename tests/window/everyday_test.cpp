// What a user meets in a morning's work with the window: numbers that must stay readable,
// results that must keep matching what they say, work that must not be lost unasked, and
// the small faults of the load groups and the section group.
#include "tests/window/windowfixture.h"

#include "beam/diagrams.h"
#include "results/messages.h"
#include "results/store.h"
#include "tests/results/helpers.h"
#include "window/resultpage.h"

#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTranslator>

namespace {

class EverydayTest : public WindowTest {
protected:
    // A simple beam in SI units, section typed in directly, calculated.
    void calculate()
    {
        choose("chokubutton");
        typeInto("inertia", QStringLiteral("10000"));
        typeInto("modulus", QStringLiteral("500"));
        typeInto("Span", QStringLiteral("6"));
        typeInto("uniform", QStringLiteral("10"));
        click("keisan");
        ASSERT_EQ(page()->keisan2(), QStringLiteral("結果登録"));
        dialogs->shown.clear();
    }
    // A slot stored straight into the table: name, unit system and verdict.
    void storeSlot(const char *name, bool si, const char *verdict)
    {
        sections::NamedBeam p = testing_results::blankPage(beam::Support::PinPin);
        p.Bname = name;
        p.texts.Span = "3.00";
        p.texts.si = si;
        p.result.RQa = "1.500";
        p.result.RQb = "1.500";
        p.result.RMmax = "1.125";
        p.result.hantei = verdict;
        results::storeResult(window->table(), p, results::WhenFull::Refuse);
        window->resultPage()->fillSlotArrays();
    }
};

// A value wider than its box is drawn smaller: every digit is in view, none is cut off.
TEST_F(EverydayTest, EveryReadOutShowsAllItsDigits)
{
    click("Image35"); // the pocket calculator
    auto *userlist = find<QComboBox>("userlist");
    const std::pair<QLineEdit *, const char *> rows[] = {
        {edit("inertia"), "22965.00"},          {edit("calcres"), "152415765472"},
        {edit("memory"), "4.28571429"},         {userlist->lineEdit(), "BH-400x200x8x13"},
        {edit("p1"), "12345.678"},
    };
    for (const auto &[box, value] : rows) {
        SCOPED_TRACE(box->objectName().toStdString() + " " + value);
        box->setText(QString::fromUtf8(value));
        EXPECT_EQ(box->cursorPosition(), 0);
        EXPECT_LE(QFontMetrics(box->font()).horizontalAdvance(box->text()), box->width() - 4);
    }
    // typing goes on in the box's own font
    QLineEdit *p1 = edit("p1");
    const int fitted = QFontInfo(p1->font()).pixelSize();
    p1->setFocus(Qt::MouseFocusReason);
    EXPECT_GT(QFontInfo(p1->font()).pixelSize(), fitted);
    leave();
    EXPECT_EQ(QFontInfo(p1->font()).pixelSize(), fitted);
}

TEST_F(EverydayTest, SwitchingTheUnitSystemEmptiesTheResultsThatCarryAUnit)
{
    calculate();
    const QString span = text("RMmaxl"), delta = text("Rdelta");
    // the stress diagram: its red reaction numbers, and the curve's pixels below the beam line
    const auto diagram = [this] {
        const QImage image = find<QLabel>("ouryokuzu")->pixmap().toImage();
        int red = 0, curve = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QColor c = image.pixelColor(x, y);
                red += c.red() > 200 && c.green() < 80 && c.blue() < 80;
                curve += y > 36 * image.height() / beam::kStressDiagramHeight && c.lightness() < 100;
            }
        return std::pair(red, curve);
    };
    const auto [redBefore, curveBefore] = diagram();
    ASSERT_GT(redBefore, 0);
    ASSERT_FALSE(text("Mcent").isEmpty());
    find<QCheckBox>("si")->click();
    for (const char *name : {"RMmax", "RQa", "RQb", "RSigmab", "Rfb", "Mcent"}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(text(name), QString());
    }
    const auto [redAfter, curveAfter] = diagram();
    EXPECT_EQ(redAfter, 0);             // the numbers have gone
    EXPECT_EQ(curveAfter, curveBefore); // the shape stays
    EXPECT_EQ(text("RMmaxl"), span); // metres and centimetres stay true
    EXPECT_EQ(text("Rdelta"), delta);
    EXPECT_EQ(text("hantei"), QStringLiteral("未計算"));

    // a recall sets the unit system of the results it shows, and keeps them
    storeSlot("SI", true, "OK.");
    window->table().selected = 1;
    window->resultPage()->recalc1Click();
    EXPECT_TRUE(find<QCheckBox>("si")->isChecked());
    EXPECT_EQ(text("RMmax"), QStringLiteral("1.125"));
    EXPECT_EQ(text("RQa"), QStringLiteral("1.500"));
}

// Looking at slots keeps a fresh result; recalling over it asks first.
TEST_F(EverydayTest, LookingIsNotLosing)
{
    storeSlot("B1", true, "OK.");
    calculate();
    const QString moment = text("RMmax"), verdict = text("hantei");
    window->resultPage()->dataClick(1);
    EXPECT_EQ(page()->keisan2(), QStringLiteral("結果登録"));
    EXPECT_EQ(text("hantei"), verdict);

    dialogs->shown.clear();
    dialogs->answers = {false};
    window->resultPage()->recalc1Click();
    EXPECT_EQ(dialogs->shown, QStringList{QString::fromUtf8(results::kRecallQuestion)});
    EXPECT_EQ(text("RMmax"), moment);
    EXPECT_EQ(page()->keisan2(), QStringLiteral("結果登録"));

    dialogs->answers = {true};
    window->resultPage()->recalc1Click();
    EXPECT_EQ(text("Bname"), QStringLiteral("B1"));
    EXPECT_EQ(text("RMmax"), QStringLiteral("1.125"));
}

TEST_F(EverydayTest, UnsavedResultsShowInTheCaptionAndTheQuestions)
{
    calculate();
    click("kakunou");
    EXPECT_TRUE(window->windowTitle().endsWith(QStringLiteral(" *")));
    dialogs->shown.clear();
    window->close(); // answered No
    EXPECT_EQ(dialogs->shown, QStringList{QString::fromUtf8(results::kUnsavedExitQuestion)});
    dialogs->shown.clear();
    window->resultPage()->newdataClick();
    EXPECT_EQ(dialogs->shown, QStringList{QString::fromUtf8(results::kUnsavedNewQuestion)});

    QTemporaryDir dir;
    dialogs->fileNames = {dir.filePath(QStringLiteral("morning"))};
    window->resultPage()->hozonClick();
    EXPECT_EQ(window->windowTitle(), QStringLiteral("KOVEL-") + dir.filePath(QStringLiteral("morning")));
    dialogs->shown.clear();
    window->close();
    EXPECT_EQ(dialogs->shown, QStringList{QString::fromUtf8(results::kExitQuestion)});

    window->table().selected = 1; // a rename that changes nothing leaves the table saved
    window->resultPage()->rename1Click();
    leave();
    EXPECT_FALSE(window->windowTitle().endsWith(QStringLiteral(" *")));
}

TEST_F(EverydayTest, StoredSlotsShowTheirUnitAndAFailingVerdict)
{
    storeSlot("B1", true, "OK.");
    storeSlot("B2", false, "NG.");
    click("hanryokuhyouji");
    auto *list = find<QTableWidget>("hanryoku");
    ASSERT_EQ(list->rowCount(), 3);
    EXPECT_EQ(list->item(1, 3)->text(), QStringLiteral("kN"));
    EXPECT_EQ(list->item(2, 3)->text(), QStringLiteral("tf"));

    ResultPage *rp = window->resultPage();
    EXPECT_EQ(rp->data(2)->palette().color(QPalette::ButtonText), QColor(255, 0, 0));
    EXPECT_NE(rp->data(1)->palette().color(QPalette::ButtonText), QColor(255, 0, 0));
}

TEST_F(EverydayTest, TheStandardBoxesSpeakJapanese)
{
    QTranslator *japanese = loadQtJapanese(qApp);
    ASSERT_NE(japanese, nullptr) << "Qt's translations (qt6-translations-l10n) are not installed";
    QCoreApplication::installTranslator(japanese);
    EXPECT_NE(QCoreApplication::translate("QPlatformTheme", "&Yes"), QStringLiteral("&Yes"));
    QCoreApplication::removeTranslator(japanese);
    delete japanese;
}

// The unit caption of the dimension boxes goes with them when `design` hides them.
TEST_F(EverydayTest, AutomaticSelectionHidesTheMillimetreCaption)
{
    choose("BHbutton");
    EXPECT_TRUE(find<QLabel>("tani")->isVisible());
    find<QCheckBox>("design")->click();
    EXPECT_FALSE(find<QLabel>("tani")->isVisible());
    EXPECT_FALSE(edit("H")->isVisible());
}

// Reset leaves the box being typed in first: the group ends empty, and leaving the box
// afterwards fills nothing in again.
TEST_F(EverydayTest, ResetOfTheGroupBeingTypedInEndsEmpty)
{
    typeInto("Span", QStringLiteral("6"));
    QLineEdit *ld1 = edit("ld1a");
    ld1->setFocus(Qt::MouseFocusReason);
    QTest::keyClicks(ld1, QStringLiteral("2"));
    click("Button3");
    leave();
    for (const char *name : {"w1a", "w2a", "ld1a", "ld2a", "ld3a"}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(text(name), QString());
    }
}

} // namespace
