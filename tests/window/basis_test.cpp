// The basis of the allowable stresses chosen in the options dialog: shown on the version
// line, used by every calculation until changed, and kept with a stored result.
#include "tests/window/windowfixture.h"

#include "beam/numtext.h"
#include "results/store.h"
#include "window/resultpage.h"

#include <QAction>
#include <gmock/gmock.h>

namespace {

class BasisTest : public WindowTest {
protected:
    void chooseBasis(const beam::Basis &basis)
    {
        dialogs->basis = basis;
        window->findChild<QAction *>(QStringLiteral("menuBasis"))->trigger();
    }
};

TEST_F(BasisTest, NoticeRuleCalculatesStoresAndNamesItsBasis)
{
    beam::Basis notice;
    notice.rule = beam::FbRule::Notice;
    chooseBasis(notice);
    EXPECT_TRUE(text("versionLine").endsWith(QStringLiteral("告示1024号 SN400B F=235")));

    // H-300x150x6.5x9, lb 3 m, Q = 60 kN: fb1 130.50, fb2 133.50, tau 32.73, fs 90.45 N/mm2.
    find<QCheckBox>("jijuucheck")->click();
    find<QComboBox>("HN")->setCurrentText(QStringLiteral("H-300x150x6.5x9"));
    typeInto("Span", QStringLiteral("6"));
    typeInto("lb", QStringLiteral("3"));
    typeInto("p1", QStringLiteral("120"));
    typeInto("pl1", QStringLiteral("3"));
    dialogs->shown.clear();
    click("keisan");
    EXPECT_EQ(text("Rfb"), QStringLiteral("13.350"));
    ASSERT_EQ(dialogs->shown.size(), 1);
    const QString finished = dialogs->shown.front();
    for (const char *part : {"告示1024号 SN400B F=235", "fb1=13.050", "fb2=13.350", "i=3.874", "C=1.00",
                             "τ=3.273", "fs=9.045", "τ/fs=0.362"})
        EXPECT_TRUE(finished.contains(QString::fromUtf8(part))) << qPrintable(finished) << " lacks " << part;

    click("kakunou");
    const results::Table &t = window->table();
    ASSERT_EQ(t.datano, 1);
    const std::optional<beam::NoticeTexts> stored = results::noticeTexts(t.slots[1]);
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->fb1, "13.050");
    EXPECT_EQ(stored->Rshear, "0.362");
    // the table page shows the slot's shear ratio and names its basis
    window->resultPage()->dataClick(1);
    QLabel *shear = window->findChild<QLabel *>(QStringLiteral("listShear"));
    EXPECT_EQ(shear->text(), QStringLiteral("τ/fs 0.362"));
    EXPECT_TRUE(shear->toolTip().startsWith(QStringLiteral("告示1024号 SN400B F=235\nせん断 τ=3.273")));

    // Back to the default rule: the version line is the program's own again, and the
    // next result has no basis keys.
    chooseBasis(beam::Basis());
    EXPECT_EQ(text("versionLine"), MainWindow::versionText());
    EXPECT_EQ(page()->keisan2(), QStringLiteral("計算開始"));
    click("keisan");
    click("kakunou");
    window->resultPage()->dataClick(2);
    EXPECT_EQ(shear->text(), QString());
    EXPECT_EQ(shear->toolTip(), QString());
    const double Af = 15 * 0.9, lb = 300, h = 30; // cm: 900 Af / (lb h) tf/cm2, in kN/cm2
    EXPECT_EQ(text("Rfb"), QString::fromStdString(beam::formatNumber(900 * Af / (lb * h) * 9.80665, "#0.000")));
}

} // namespace
