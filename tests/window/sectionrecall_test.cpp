// Bringing a stored catalogue section back into the input page: its allowable stress
// must be calculated again from the catalogue's depth and flange, not from whatever the
// dimension boxes of the computed shapes held when it was stored.
#include "tests/window/windowfixture.h"

#include "files/textfile.h"
#include "window/resultpage.h"

#include <string>
#include <vector>

namespace {

// The record of a designation in the shipped catalogue, read here independently: 13
// lines per record, H on line 3, B on line 4, tf on line 6.
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

QString qs(const std::string &s) { return QString::fromStdString(s); }

TEST_F(WindowTest, RecallOfACatalogueSlotTakesTheCatalogueDimensionsAgain)
{
    const std::string member = "H-300x150x6.5x9";
    const std::vector<std::string> record = catalogueRecord(member);
    ASSERT_EQ(record.size(), 13u);

    // a built-up H leaves its dimensions in the (then hidden) boxes; the beam is then
    // checked with a narrow-flange H whose allowable stress depends on lb
    choose("BHbutton");
    typeInto("H", QStringLiteral("400"));
    typeInto("B", QStringLiteral("200"));
    typeInto("tw", QStringLiteral("9"));
    typeInto("tf", QStringLiteral("16"));
    choose("HNbutton");
    find<QComboBox>("HN")->setCurrentText(qs(member));
    typeInto("Span", QStringLiteral("6"));
    typeInto("lb", QStringLiteral("6"));
    typeInto("uniform", QStringLiteral("10"));
    click("keisan");
    ASSERT_EQ(page()->keisan2(), QStringLiteral("結果登録"));
    const QString storedFb = text("Rfb");
    click("kakunou");

    // other dimensions typed later, back to the catalogue, then the slot recalled
    window->pages()->setCurrentIndex(0);
    choose("BHbutton");
    typeInto("H", QStringLiteral("100"));
    typeInto("B", QStringLiteral("100"));
    typeInto("tw", QStringLiteral("6"));
    typeInto("tf", QStringLiteral("8"));
    choose("HNbutton");
    window->resultPage()->dataClick(1);
    window->resultPage()->recalc1Click();

    EXPECT_EQ(text("member"), qs(member));
    EXPECT_EQ(text("H1"), qs(record[2]));
    EXPECT_EQ(text("B1"), qs(record[3]));
    EXPECT_EQ(text("tf1"), qs(record[5]));
    // the same beam calculated again gives the stored allowable stress
    typeInto("uniform", QStringLiteral("11"));
    typeInto("uniform", QStringLiteral("10"));
    click("keisan");
    EXPECT_EQ(text("Rfb"), storedFb);
}

} // namespace
