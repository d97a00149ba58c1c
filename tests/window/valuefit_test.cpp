// Result fields of pages 1 and 2 show every digit: a moment or reaction of four integer
// digits (1250.000 kN-m is an ordinary long-span beam in SI) is wider than the field in
// the page's font, and a right-aligned label would cut its leading digit off.
#include "tests/window/windowfixture.h"

#include "results/table.h"
#include "window/valuelabel.h"

#include <QFontMetrics>
#include <QStyle>
#include <QTableWidget>

namespace {

TEST_F(WindowTest, ResultFieldsKeepEveryDigitVisible)
{
    const char *const fields[] = {"RMmax", "RMmaxl", "RQa", "RQb", "RSigmab", "Rfb", "Rratio", "Rdelta", "Rlx",
                                  "listMmax", "listMmaxl", "listsigmab", "listfb", "listQa", "listQb",
                                  "listdelta", "listratio", "listlx"};
    const QString values[] = {QStringLiteral("1250.000"), QStringLiteral("-12345.678"), QStringLiteral("123456.7")};
    for (const char *name : fields) {
        auto *label = qobject_cast<ValueLabel *>(find<QLabel>(name));
        ASSERT_NE(label, nullptr) << name;
        const int room = label->contentsRect().width() - 2 * label->margin();
        for (const QString &value : values) {
            SCOPED_TRACE(std::string(name) + " " + value.toStdString());
            label->setText(value);
            EXPECT_LE(QFontMetrics(label->fittingFont()).horizontalAdvance(value), room);
        }
        // a value that fits keeps the page's font
        label->setText(QStringLiteral("3.000"));
        EXPECT_EQ(QFontInfo(label->fittingFont()).pixelSize(), QFontInfo(label->font()).pixelSize()) << name;
    }
}

// The reaction list's columns are 40 pixels wide: the stored reactions, as long as a
// long-span beam's, are shown whole, not elided to "27.…".
TEST_F(WindowTest, ReactionListShowsEveryDigit)
{
    results::Table &table = window->table();
    const char *const reactions[][2] = {{"27.746", "26.913"}, {"1234.567", "987.654"}, {"-12.345", "100.000"}};
    for (const auto &r : reactions) {
        ++table.datano;
        auto &slot = table.slots[static_cast<std::size_t>(table.datano)];
        slot[2] = "B";
        slot[60] = r[0]; // Q(A)
        slot[61] = r[1]; // Q(B)
    }
    click("hanryokuhyouji");
    auto *list = find<QTableWidget>("hanryoku");
    ASSERT_EQ(list->rowCount(), 4);
    const int margin = list->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, list) + 1;
    for (int row = 1; row < 4; ++row)
        for (int column = 1; column <= 2; ++column) {
            const QTableWidgetItem *item = list->item(row, column);
            SCOPED_TRACE(item->text().toStdString());
            EXPECT_EQ(item->text(), QString::fromUtf8(reactions[row - 1][column - 1]));
            const int room = list->visualItemRect(item).width() - 2 * margin;
            EXPECT_EQ(QFontMetrics(item->font()).elidedText(item->text(), Qt::ElideRight, room), item->text());
        }
}

} // namespace

namespace {

// An input box shows the start of a number wider than itself once it is left or filled by
// the program, so the leading digits are the ones in view (a line edit otherwise scrolls
// to the cursor at the end and shows 2345.678 of 12345.678).
TEST_F(WindowTest, InputBoxesShowTheLeadingDigitsOfAWideNumber)
{
    typeInto("p1", QStringLiteral("12345.678"));
    EXPECT_EQ(text("p1"), QStringLiteral("12345.678"));
    EXPECT_EQ(edit("p1")->cursorPosition(), 0);

    choose("BHbutton"); // a deep built-up girder: I of six integer digits, set by the program
    typeInto("H", QStringLiteral("900"));
    typeInto("B", QStringLiteral("300"));
    typeInto("tw", QStringLiteral("16"));
    typeInto("tf", QStringLiteral("28"));
    ASSERT_GE(text("inertia").indexOf(QLatin1Char('.')), 6);
    EXPECT_EQ(edit("inertia")->cursorPosition(), 0);
}

} // namespace
