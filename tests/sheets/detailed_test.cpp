// The detailed document: its derivation against the check's own numbers, the warning on
// a slot that the re-derivation does not reproduce, and the page plan the list points into.
#include "results/schedule.h"
#include "results/store.h"
#include "sections/namedbeam.h"
#include "sections/namedlines.h"
#include "sheets/detailed.h"
#include "sheets/recordingcanvas.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

// A slot stored from name=value lines as the input page stores its check.
results::SlotRecord slotOf(const std::string &lines, int slotNo = 1)
{
    results::ScheduleRow row;
    EXPECT_EQ(sections::readNamedLines(lines, row.beam), "");
    row.check = sections::checkNamedBeam(row.beam);
    EXPECT_TRUE(row.check.result) << row.check.error;
    results::SlotRecord record{};
    results::writeRecord(record, results::checkedBeam(row), slotNo);
    return record;
}

// Every text drawn on page `page` of the plan, in order.
std::vector<std::string> pageTexts(const sheets::DetailedPlan &plan, int page)
{
    sheets::RecordingCanvas canvas;
    EXPECT_EQ(sheets::composeDetailedPage(canvas, plan, page).error, "");
    std::vector<std::string> texts;
    for (const std::string &call : canvas.callsStartingWith("text ")) // "text x,y TEXT"
        texts.push_back(call.substr(call.find(' ', 5) + 1));
    return texts;
}

bool hasLineEndingWith(const std::vector<std::string> &texts, const std::string &end)
{
    for (const std::string &t : texts)
        if (t.size() >= end.size() && t.compare(t.size() - end.size(), end.size(), end) == 0)
            return true;
    return false;
}

bool hasLineContaining(const std::vector<std::string> &texts, const std::string &part)
{
    for (const std::string &t : texts)
        if (t.find(part) != std::string::npos)
            return true;
    return false;
}

constexpr const char *kBeam = "Bname=G1\nSpan=7.2\nlb=7.2\nuniform=12\np1=30\npl1=2.4\nfamily=HN\n"
                              "member=H-400x200x8x13\n";

// The last step of each derivation gives the check's fb to the last digit, under either
// rule, in kN and in tf, long and short term; the notice rule's C from end moments shows
// the check's C; nothing is marked as differing.
TEST(DetailedSheet, DerivationEndsInTheChecksNumbers)
{
    const struct {
        const char *name;
        std::string extra;
        const char *unit;
    } cases[] = {
        {"old SI", "", " kN/cm2"},
        {"old tf short", "si=0\nterm=1\n", " tf/cm2"},
        {"old SI 157 short", "si157=1\nterm=1\n", " kN/cm2"},
        {"notice fixed ends", "fbrule=notice\ngrade=SN490B\nsupport=koteikotei\n", " kN/cm2"},
        {"notice tf short", "fbrule=notice\ngrade=SN400B\nsi=0\nterm=1\nsupport=pinkotei\n", " tf/cm2"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const results::SlotRecord slot = slotOf(std::string(kBeam) + c.extra);
        const sheets::DetailedPlan plan = sheets::planDetailed({&slot}, {});
        ASSERT_EQ(plan.beams.size(), 1u);
        EXPECT_TRUE(plan.beams[0].differs.empty()) << plan.beams[0].differs.front();
        std::vector<std::string> texts;
        for (int p = 1; p < plan.pageCount(); ++p) {
            std::vector<std::string> more = pageTexts(plan, p);
            texts.insert(texts.end(), more.begin(), more.end());
        }
        const std::string fb = slot[57];
        EXPECT_TRUE(hasLineEndingWith(texts, "=" + fb + c.unit)) << fb; // the derivation's last step
        EXPECT_TRUE(hasLineContaining(texts, "fb=" + fb + c.unit));
        EXPECT_TRUE(hasLineContaining(texts, "σb=M×100/Z=" + slot[54] + "×100/" + slot[52] + "=" + slot[56]));
        if (const auto n = results::noticeTexts(slot)) {
            if (!n->fb1.empty() && n->fb1 != "-") {
                EXPECT_TRUE(hasLineContaining(texts, "fb1=F・")) << n->fb1;
            }
            EXPECT_TRUE(hasLineContaining(texts, "=" + n->fs + c.unit)); // fs as the check stores it
            EXPECT_TRUE(hasLineContaining(texts, "τ/fs=" + n->tau + "/" + n->fs + "=" + n->Rshear));
            if (std::string(c.name) == "notice fixed ends") {
                ASSERT_FALSE(n->C.empty());
                EXPECT_TRUE(hasLineContaining(texts, "C=1.75+1.05・(M2/M1)"));
                EXPECT_TRUE(hasLineEndingWith(texts, ")^2=" + n->C));
            }
        } else {
            EXPECT_TRUE(hasLineContaining(texts, "（参考）fs=1.6/√3="));
        }
    }
}

// A slot whose stored moment or fb the re-derivation does not give: the sheet says so in
// red at the top and prints the stored values.
TEST(DetailedSheet, StoredValuesThatDifferAreFlaggedAndPrinted)
{
    results::SlotRecord slot = slotOf(kBeam);
    slot[54] = "99.999";
    slot[57] = "12.345";
    const sheets::DetailedPlan plan = sheets::planDetailed({&slot}, {});
    ASSERT_EQ(plan.pageCount(), 2);
    sheets::RecordingCanvas canvas;
    ASSERT_EQ(sheets::composeDetailedPage(canvas, plan, 1).error, "");
    const auto calls = canvas.calls;
    const auto red = std::find(calls.begin(), calls.end(), "colour 255,0,0");
    ASSERT_NE(red, calls.end());
    EXPECT_NE(red[1].find("再計算した値が格納されている値と違います（設計曲げモーメント M、許容曲げ応力度 fb"),
              std::string::npos)
        << red[1];
    const std::vector<std::string> texts = pageTexts(plan, 1);
    EXPECT_TRUE(hasLineContaining(texts, "設計曲げモーメント M=99.999 kN-m"));
    EXPECT_TRUE(hasLineContaining(texts, "fb=12.345 kN/cm2"));
    // the list marks the row in red too
    sheets::RecordingCanvas list;
    sheets::composeDetailedPage(list, plan, 0);
    EXPECT_TRUE(list.has("colour 255,0,0"));
}

// The list's page numbers and "n / N" follow the plan when a beam needs a second page.
TEST(DetailedSheet, ListPointsToEachBeamsFirstPage)
{
    std::string crowded = std::string(kBeam) + "fbrule=notice\ngrade=SN490B\nsupport=koteikotei\n";
    for (int k = 2; k <= 8; ++k)
        crowded += "p" + std::to_string(k) + "=5\npl" + std::to_string(k) + "=" + std::to_string(0.8 * k) + "\n";
    crowded += "w1a=2\nw2a=4\nld1a=1\nld2a=3\nw1b=1\nw2b=1\nld1b=4\nld2b=2\n";
    const results::SlotRecord a = slotOf(kBeam, 1), b = slotOf(crowded, 2), c = slotOf(kBeam, 3);
    const sheets::DetailedPlan plan = sheets::planDetailed({&a, &b, &c}, {"工事", "", "", "", ""});
    ASSERT_EQ(plan.firstPage, (std::vector<int>{2, 3, 5}));
    ASSERT_EQ(plan.pageCount(), 5);
    EXPECT_EQ(plan.pages[3].beam, 1);
    EXPECT_EQ(plan.pages[3].part, 1);
    const std::vector<std::string> list = pageTexts(plan, 0);
    EXPECT_TRUE(hasLineContaining(list, "1 / 5"));
    // the page column, under its head
    sheets::RecordingCanvas canvas;
    sheets::composeDetailedPage(canvas, plan, 0);
    std::vector<std::string> column;
    for (const std::string &call : canvas.callsStartingWith("text 566,"))
        column.push_back(call.substr(call.find(' ', 5) + 1));
    EXPECT_EQ(column, (std::vector<std::string>{"頁", "2", "3", "5"}));
    EXPECT_TRUE(hasLineContaining(pageTexts(plan, 3), "4 / 5"));
    EXPECT_TRUE(hasLineContaining(pageTexts(plan, 3), "（続き）"));
}

} // namespace
