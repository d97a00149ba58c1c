#include "helpers.h"

#include "results/messages.h"
#include "results/store.h"

#include <gtest/gtest.h>

namespace {

using namespace testing_results;
using results::WhenFull;

TEST(Store, FiftyOneStoresKeepTheCountAtFiftyAndReplaceSlotFiftyOnlyAfterYes)
{
    results::Table t = tableOf(49);
    EXPECT_FALSE(results::storeNeedsQuestion(t));
    EXPECT_EQ(results::storeResult(t, page("B50"), WhenFull::Refuse), 50);
    EXPECT_EQ(t.datano, 50);
    EXPECT_TRUE(results::storeNeedsQuestion(t));

    // the 51st result: No stores nothing
    results::Table before = t;
    EXPECT_EQ(results::storeResult(t, page("B51"), WhenFull::Refuse), 0);
    EXPECT_EQ(names(t, 50), names(before, 50));
    EXPECT_EQ(t.selected, 50);

    // Yes replaces slot 50; slots 1..49 hold the first 49
    EXPECT_EQ(results::storeResult(t, page("B51"), WhenFull::ReplaceLast), 50);
    EXPECT_EQ(t.datano, 50);
    EXPECT_EQ(t.slots[50][2], "B51");
    EXPECT_EQ(t.slots[50][1], "50");
    for (int s = 1; s <= 49; ++s)
        EXPECT_EQ(t.slots[static_cast<std::size_t>(s)][2], "B" + std::to_string(s));
}

TEST(Store, MarksAndSelectsTheNewSlotAndNumbersFieldOne)
{
    results::Table t = tableOf(2);
    t.selectgrid[3] = "0"; // a free slot left unmarked by an earlier delete
    t.selected = 1;
    EXPECT_EQ(results::storeResult(t, page("G3"), WhenFull::Refuse), 3);
    EXPECT_EQ(t.slots[3][1], "3");
    EXPECT_EQ(t.slots[3][2], "G3");
    EXPECT_EQ(t.selectgrid[3], "1");
    EXPECT_EQ(t.pre, 1);
    EXPECT_EQ(t.selected, 3);
}

TEST(Store, CheckBoxesAndRadiosBecomeTheirFixedWords)
{
    struct Row {
        const char *name;
        void (*set)(sections::NamedBeam &);
        int field;
        const char *word;
    };
    const Row rows[] = {
        {"weak unchecked", [](sections::NamedBeam &p) { p.texts.weak = false; }, 3, "強軸"},
        {"weak checked", [](sections::NamedBeam &p) { p.texts.weak = true; }, 3, "弱軸"},
        {"term unchecked", [](sections::NamedBeam &p) { p.texts.term = false; }, 4, "長期"},
        {"term checked", [](sections::NamedBeam &p) { p.texts.term = true; }, 4, "短期"},
        {"pinpin", [](sections::NamedBeam &p) { p.texts.support = beam::Support::PinPin; }, 5, "両端ピン"},
        {"pinkotei", [](sections::NamedBeam &p) { p.texts.support = beam::Support::PinFixed; }, 5, "左端ピン右端固定"},
        {"koteikotei", [](sections::NamedBeam &p) { p.texts.support = beam::Support::FixedFixed; }, 5, "両端固定"},
        {"jiyuukotei", [](sections::NamedBeam &p) { p.texts.support = beam::Support::FreeFixed; }, 5, "左端自由右端固定"},
        {"si checked", [](sections::NamedBeam &p) { p.texts.si = true; }, 6, "SI単位"},
        {"si unchecked", [](sections::NamedBeam &p) { p.texts.si = false; }, 6, "従来単位"},
        {"self weight on", [](sections::NamedBeam &p) { p.texts.jijuucheck = true; }, 13, "自重自動計算"},
        {"self weight off", [](sections::NamedBeam &p) { p.texts.jijuucheck = false; }, 13, "自重自動計算しない"},
        {"HNbutton", [](sections::NamedBeam &p) { p.texts.family = beam::Family::HN; }, 45, "HN"},
        {"Ibutton", [](sections::NamedBeam &p) { p.texts.family = beam::Family::I; }, 45, "I"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        sections::NamedBeam p = page("B");
        row.set(p);
        results::SlotRecord r{};
        results::writeRecord(r, p, 1);
        EXPECT_EQ(r[static_cast<std::size_t>(row.field)], row.word);
    }
}

TEST(Store, NoCheckedRadioLeavesSupportAndKindAsTheyWere)
{
    results::SlotRecord r{};
    r[5] = "両端固定";
    r[45] = "BH";
    sections::NamedBeam p = page("B");
    p.noSupport = true;
    p.noFamily = true;
    results::writeRecord(r, p, 7);
    EXPECT_EQ(r[5], "両端固定");
    EXPECT_EQ(r[45], "BH");
}

TEST(Store, TextsAreVerbatimAndEveryFieldLandsOnItsNumber)
{
    // every verbatim text names its own field number, so a shifted field shows at once
    sections::NamedBeam p = blankPage();
    std::string *texts[] = {&p.Bname, &p.texts.Span, &p.texts.lb, &p.texts.seigen1, &p.texts.seigen2, &p.texts.uniform, &p.shiki};
    const int numbers[] = {2, 7, 8, 9, 10, 11, 12};
    for (std::size_t i = 0; i < std::size(numbers); ++i)
        *texts[i] = "f" + std::to_string(numbers[i]);
    for (int k = 0; k < 8; ++k) {
        p.texts.p[static_cast<std::size_t>(k)] = "f" + std::to_string(14 + k);
        p.texts.pl[static_cast<std::size_t>(k)] = "f" + std::to_string(22 + k);
    }
    std::array<std::string, 3> *groups[] = {&p.texts.w1, &p.texts.w2, &p.texts.ld1, &p.texts.ld2, &p.ld3};
    for (int g = 0; g < 5; ++g)
        for (int j = 0; j < 3; ++j)
            (*groups[g])[static_cast<std::size_t>(j)] = "f" + std::to_string(30 + 3 * g + j);
    std::string *section[] = {&p.member, &p.dims.H, &p.dims.B, &p.dims.tw, &p.dims.tf, &p.texts.inertia, &p.texts.modulus, &p.texts.selfw,
                              &p.result.RMmax, &p.result.RMmaxl, &p.result.RSigmab, &p.result.Rfb,
                              &p.result.Mcent, &p.result.Rratio, &p.result.RQa, &p.result.RQb,
                              &p.result.Rdelta, &p.result.Rlx, &p.result.hantei};
    for (int k = 0; k < 19; ++k)
        *section[k] = "f" + std::to_string(46 + k);

    results::SlotRecord r{};
    results::writeRecord(r, p, 1);
    for (int f = 2; f <= 64; ++f) {
        if (f == 3 || f == 4 || f == 5 || f == 6 || f == 13 || f == 45)
            continue;
        SCOPED_TRACE(f);
        EXPECT_EQ(r[static_cast<std::size_t>(f)], "f" + std::to_string(f));
    }
    // and the recall puts every one of them back where it came from
    sections::NamedBeam back = results::recallRecord(r, beam::Support::PinPin);
    EXPECT_EQ(back.Bname, p.Bname);
    EXPECT_EQ(back.texts.p, p.texts.p);
    EXPECT_EQ(back.texts.pl, p.texts.pl);
    EXPECT_EQ(back.ld3, p.ld3);
    EXPECT_EQ(back.texts.selfw, p.texts.selfw);
    EXPECT_EQ(back.result.hantei, p.result.hantei);
    EXPECT_EQ(back.result.Rlx, p.result.Rlx);
}

TEST(Store, MomentCellsAreReformattedWithUpToFourDecimals)
{
    struct Row { const char *cell; const char *stored; };
    const Row rows[] = {
        {"12.50000", "12.5"}, {"-0.123456", "-0.1235"}, {"0", "0"}, {"", "0"},
        {"-0.00004", "0"}, {"1234.00005", "1234.0001"}, {"75.324", "75.324"}, {"12345.6", "12345.6"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.cell);
        sections::NamedBeam p = page("B");
        p.result.Mgrid[0] = row.cell;
        p.result.Mgrid[100] = row.cell;
        results::SlotRecord r{};
        results::writeRecord(r, p, 1);
        EXPECT_EQ(r[65], row.stored);
        EXPECT_EQ(r[165], row.stored);
        EXPECT_EQ(r[115], "1.5");
    }
}

TEST(Recall, SiSlotComesBackWithSiAndTheStoredVerdictOnlyWhenNothingChanged)
{
    sections::NamedBeam p = page("SI梁");
    p.texts.si = true;
    p.texts.support = beam::Support::FixedFixed;
    p.result.hantei = "NG.";
    results::Table t;
    results::resetTable(t);
    results::storeResult(t, p, WhenFull::Refuse);

    auto recalled = results::recallSelected(t, beam::Support::PinPin);
    ASSERT_TRUE(recalled);
    EXPECT_TRUE(recalled->texts.si);
    EXPECT_EQ(recalled->texts.support, beam::Support::FixedFixed);
    EXPECT_EQ(recalled->Bname, "SI梁");

    struct Row { const char *name; beam::Support supportBefore; bool siBefore; const char *verdict; };
    const Row rows[] = {
        {"same support and units", beam::Support::FixedFixed, true, "NG."},
        {"support differed", beam::Support::PinPin, true, "未計算"},
        {"units differed", beam::Support::FixedFixed, false, "未計算"},
        {"both differed", beam::Support::FreeFixed, false, "未計算"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(results::verdictAfterRecall(*recalled, row.supportBefore, row.siBefore), row.verdict);
    }
}

TEST(Recall, EachCheckBoxComparesWithOneWordOnly)
{
    results::SlotRecord r{};
    r[3] = "";           // not "強軸": weak
    r[4] = "長期";
    r[6] = "SI";         // not "SI単位": traditional
    r[13] = "自重自動計算";
    sections::NamedBeam p = results::recallRecord(r, beam::Support::PinPin);
    EXPECT_TRUE(p.texts.weak);
    EXPECT_FALSE(p.texts.term);
    EXPECT_FALSE(p.texts.si);
    EXPECT_TRUE(p.texts.jijuucheck);
    EXPECT_TRUE(p.noSupport); // an unknown support word leaves the radios as they are
}

TEST(Recall, MomentLabelsFollowTheSupportNowChecked)
{
    struct Row {
        const char *name;
        const char *field5;
        beam::Support before;
        const char *Mcent, *Menda, *Mendb;
    };
    const Row rows[] = {
        {"pin-pin empties both ends", "両端ピン", beam::Support::FixedFixed, "30.000", "", ""},
        {"pin-fixed empties end A", "左端ピン右端固定", beam::Support::PinPin, "30.000", "", "-45.5"},
        {"fixed-fixed keeps all", "両端固定", beam::Support::PinPin, "30.000", "-20", "-45.5"},
        {"cantilever empties A and the span moment", "左端自由右端固定", beam::Support::PinPin, "", "", "-45.5"},
        {"unknown word: the radio before decides", "", beam::Support::FixedFixed, "30.000", "-20", "-45.5"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        results::SlotRecord r{};
        r[5] = row.field5;
        r[58] = "30.000";
        r[65] = "-20";
        r[165] = "-45.5";
        sections::NamedBeam p = results::recallRecord(r, row.before);
        EXPECT_EQ(p.result.Mcent, row.Mcent);
        EXPECT_EQ(p.result.Menda, row.Menda);
        EXPECT_EQ(p.result.Mendb, row.Mendb);
        EXPECT_EQ(p.result.Mgrid[0], "-20");
        EXPECT_EQ(p.result.Mgrid[100], "-45.5");
    }
}

TEST(Recall, NothingWithoutASelectedSlotInUse)
{
    results::Table t = tableOf(3);
    t.selected = 0;
    EXPECT_FALSE(results::recallSelected(t, beam::Support::PinPin));
    t.selected = 4;
    EXPECT_FALSE(results::recallSelected(t, beam::Support::PinPin));
    t.selected = 3;
    EXPECT_TRUE(results::recallSelected(t, beam::Support::PinPin));
}

} // namespace
