// Closing the program while a box still has the focus: leaving the box acts on the
// window's table, which must still exist at that moment.
#include "tests/window/windowfixture.h"

#include "results/store.h"
#include "tests/results/helpers.h"
#include "window/resultpage.h"

#include <QTabWidget>

namespace {

TEST_F(WindowTest, WindowGoesAwayDuringARename)
{
    sections::NamedBeam slot = testing_results::blankPage();
    slot.Bname = "a beam name longer than a short string";
    results::storeResult(window->table(), slot, results::WhenFull::Refuse);
    window->resultPage()->fillSlotArrays();
    window->pages()->setCurrentIndex(1);
    window->resultPage()->dataClick(1);
    window->resultPage()->rename1Click();
    auto *rename = find<QLineEdit>("rename");
    ASSERT_TRUE(rename->hasFocus());
    rename->setText(QStringLiteral("another beam name longer than a short string"));
    window.reset(); // the rename ends while the table is still there
    SUCCEED();
}

} // namespace
