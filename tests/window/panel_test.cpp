// The two things laid over the support picture panel: the pocket calculator and the
// reaction list.
#include "tests/window/windowfixture.h"

#include <QHeaderView>
#include <QPushButton>
#include <QStyle>
#include <QTableWidget>

namespace {

class PanelTest : public WindowTest {
protected:
    // Presses the calculator keys of `keys`: digits, ".", the four operators, "＝" and
    // "C" for AC.
    void press(const QString &keys)
    {
        for (const QChar c : keys) {
            QString name;
            if (c.isDigit())
                name = QStringLiteral("calc") + c;
            else if (c == QLatin1Char('.'))
                name = QStringLiteral("calcdot");
            else if (c == QChar(0xFF0B))
                name = QStringLiteral("calcplus");
            else if (c == QChar(0xFF0D))
                name = QStringLiteral("calcminus");
            else if (c == QChar(0x00D7))
                name = QStringLiteral("calctimes");
            else if (c == QChar(0x00F7))
                name = QStringLiteral("calcdevide");
            else if (c == QChar(0xFF1D))
                name = QStringLiteral("calcequal");
            else if (c == QLatin1Char('C'))
                name = QStringLiteral("calcac");
            auto *key = window->findChild<QPushButton *>(name);
            ASSERT_NE(key, nullptr) << name.toStdString();
            QTest::mouseClick(key, Qt::LeftButton);
        }
    }
};

TEST_F(PanelTest, CalculatorIsToggledByItsImage)
{
    EXPECT_FALSE(edit("calcres")->isVisible());
    click("Image35");
    for (const char *name : {"calc", "calcres", "memory", "calcac", "calc0", "calc9", "calcdot", "calcplus",
                             "calcminus", "calctimes", "calcdevide", "calcequal"}) {
        SCOPED_TRACE(name);
        EXPECT_TRUE(find<QWidget>(name)->isVisible());
    }
    EXPECT_EQ(text("calc"), QStringLiteral("＋"));
    EXPECT_EQ(find<QPushButton>("calcdevide")->width(), 25);
    EXPECT_EQ(find<QPushButton>("calc7")->palette().color(QPalette::ButtonText), QColor(0, 0, 128));
    press(QStringLiteral("42"));
    click("Image35");
    EXPECT_FALSE(edit("calcres")->isVisible());
    EXPECT_FALSE(find<QWidget>("calcequal")->isVisible());
    click("Image35");
    EXPECT_EQ(text("calcres"), QStringLiteral("42")); // the boxes keep their contents
}

TEST_F(PanelTest, CalculatorExamples)
{
    struct Row { const char *name; const char *keys; const char *calcres; const char *memory; const char *op; };
    const Row rows[] = {
        {"12 + 3 =", "C12＋3＝", "15", "", "＋"},
        {"then 0 extends the result", "0", "150", "", "＋"},
        {"division by zero is skipped", "C7÷0＝", "7", "", "＋"},
        {"one third, eight decimals", "C1÷3＝", "0.33333333", "", "＋"},
        {"each operator applies the one before", "C2×3＋4＝", "10", "", "＋"},
        {"two operators in a row", "C5×＋2＝", "2", "", "＋"},
        {"AC then =", "C＝", "0", "", "＋"},
        {"an operator keeps the running value", "C2×3＋", "", "6", "＋"},
        {"minus pending", "C9－", "", "9", "－"},
    };
    click("Image35");
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        press(QString::fromUtf8(row.keys));
        EXPECT_EQ(text("calcres"), QString::fromUtf8(row.calcres));
        EXPECT_EQ(text("memory"), QString::fromUtf8(row.memory));
        EXPECT_EQ(text("calc"), QString::fromUtf8(row.op));
    }
    // the calculator touches no input box
    EXPECT_EQ(text("uniform"), QString());
    EXPECT_EQ(text("hantei"), QStringLiteral("未計算"));
}

TEST_F(PanelTest, ReactionListWithoutStoredSlotsShowsTheHeaderOnly)
{
    auto *list = find<QTableWidget>("hanryoku");
    auto *panel = find<QWidget>("Panel1");
    EXPECT_FALSE(list->isVisible());
    click("hanryokuhyouji");
    ASSERT_TRUE(list->isVisible());
    EXPECT_EQ(list->rowCount(), 1);
    EXPECT_EQ(list->item(0, 1)->text(), QStringLiteral("Qa"));
    EXPECT_EQ(list->item(0, 2)->text(), QStringLiteral("Qb"));
    EXPECT_EQ(list->geometry(), QRect(panel->x() - 20, panel->y(), panel->width() + 30, panel->height()));
    // name, Qa, Qb and the unit of the row, all inside the list with its scroll bar
    int columns = 0;
    for (int c = 0; c < list->columnCount(); ++c)
        columns += list->columnWidth(c);
    EXPECT_EQ(list->columnCount(), 4);
    EXPECT_LE(columns + list->style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 2, list->width());
    EXPECT_EQ(list->rowHeight(0), 15);
    click("hanryokuhyouji");
    EXPECT_FALSE(list->isVisible());
}

TEST_F(PanelTest, ReactionListShowsTheStoredSlots)
{
    results::Table &table = window->table();
    const char *rows[][3] = {{"B1", "3.000", "3.000"}, {"G2", "8.438", "1.563"}};
    for (int n = 1; n <= 2; ++n) {
        table.slots[static_cast<std::size_t>(n)][2] = rows[n - 1][0];
        table.slots[static_cast<std::size_t>(n)][60] = rows[n - 1][1];
        table.slots[static_cast<std::size_t>(n)][61] = rows[n - 1][2];
    }
    table.slots[3][2] = "not stored"; // beyond the count
    table.datano = 2;
    click("hanryokuhyouji");
    auto *list = find<QTableWidget>("hanryoku");
    ASSERT_EQ(list->rowCount(), 3);
    for (int n = 1; n <= 2; ++n) {
        SCOPED_TRACE(n);
        for (int c = 0; c < 3; ++c)
            EXPECT_EQ(list->item(n, c)->text(), QString::fromUtf8(rows[n - 1][c]));
    }
}

} // namespace
