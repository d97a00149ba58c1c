// Schedules and slots: rows stored as the window's store stores them, and an export of
// the slots read back as a schedule.
#include "helpers.h"
#include "results/schedule.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace {

// A number cell is a number or its row is refused, naming the column and the text; the
// beam keeps the number as read. A span above 50 m or a load above 10,000 kN is noted.
TEST(Schedule, NumberCellsAreNumbersOrTheirRowIsRefused)
{
    using Text = std::function<std::string(const sections::NamedBeam &)>;
    const std::map<std::string, Text> textOf = {
        {"Span", [](const sections::NamedBeam &b) { return b.texts.Span; }},
        {"uniform", [](const sections::NamedBeam &b) { return b.texts.uniform; }},
        {"p1", [](const sections::NamedBeam &b) { return b.texts.p[0]; }},
        {"ld3a", [](const sections::NamedBeam &b) { return b.ld3[0]; }},
    };
    struct Row {
        const char *column, *text;
        const char *read; // nullptr: the row is refused
        const char *note = "";
    };
    const Row rows[] = {
        {"Span", "6", "6"},
        {"Span", "7,200", "7200", "スパン長さ 7200 m が 50 m を超えています"},
        {"uniform", "1,234.5", "1234.5"},
        {"p1", "-12,500", "-12500", "集中荷重 P1 -12500 kN が 10,000 kN を超えています"},
        {"Span", "６．５", "6.5"},
        {"Span", " 6 ", " 6 "},
        {"Span", "6m", nullptr},
        {"uniform", "NaN", nullptr},
        {"uniform", "inf", nullptr},
        {"Span", "1e308", nullptr},
        {"p1", "0x10", nullptr},
        {"p1", "e5", nullptr},
        {"Span", "1,5", nullptr},
        {"Span", "0,500", nullptr}, // a decimal comma, not thousands
        {"Span", "1,2345", nullptr},
        {"uniform", " ", nullptr},
        {"ld3a", "2m", nullptr}, // not read by the check, but kept in the slot
    };
    const sections::CatalogueRead catalogue = sections::readCatalogue(sections::kCatalogueFile);
    ASSERT_TRUE(catalogue.catalogue) << catalogue.error;
    const sections::SectionSources sources{&*catalogue.catalogue, nullptr};
    for (const Row &r : rows) {
        SCOPED_TRACE(std::string(r.column) + " " + r.text);
        const bool span = std::string(r.column) == "Span";
        const results::CsvRecord header = span ? results::CsvRecord{"Span"} : results::CsvRecord{"Span", r.column};
        const results::CsvRecord record = span ? results::CsvRecord{r.text} : results::CsvRecord{"6", r.text};
        results::ScheduleColumns columns;
        ASSERT_EQ(results::readScheduleHeader(header, columns), "");
        const results::ScheduleRow row = results::computeRow(columns, record, sources);
        const std::string refusal = std::string("「") + r.column + "」の値「" + r.text + "」: 数字として読めません";
        if (!r.read) {
            EXPECT_EQ(row.error.rfind(refusal, 0), 0u) << row.error;
            continue;
        }
        EXPECT_TRUE(row.computed()) << row.error;
        EXPECT_EQ(textOf.at(r.column)(row.beam), r.read);
        const std::string notes = row.notes.empty() ? "" : row.notes[0];
        EXPECT_EQ(row.notes.size(), *r.note ? 1u : 0u);
        EXPECT_NE(notes.find(r.note), std::string::npos) << notes;
    }
}

// Rows of every section source, stored, exported, read back as a schedule and stored
// again: every slot comes back field for field.
TEST(Schedule, ExportedSlotsReadBackAsTheSameSlots)
{
    const results::CsvRecord header = {"Bname", "Span", "lb", "support", "family", "member", "uniform", "p1", "pl1",
                                    "w1a", "w2a", "ld1a", "ld2a", "shiki", "weak", "si", "H", "B", "tw", "tf",
                                    "inertia", "modulus", "selfw", "design", "fbrule", "grade", "F", "C", "shear"};
    const std::vector<results::CsvRecord> rows = {
        {"G1", "7.2", "2.4", "koteikotei", "HN", "H-400x200x8x13", "18.5", "45", "2.4", "", "", "", "", "", "", "",
         "", "", "", "", "", "", "", "", "", "", "", "", ""},
        // a name a spreadsheet would run: written as a text, read back as it was
        {"=cmd|' /C calc'!A0", "7.2", "2.4", "koteikotei", "HN", "H-400x200x8x13", "18.5", "", "", "", "", "", "",
         "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", ""},
        {"B1 部分荷重", "6", "2", "pinpin", "HM", "", "", "", "", "3", "6", "1.5", "2", "3x2", "", "0", "", "", "",
         "", "", "", "", "", "", "", "", "", ""},
        {"BH weak", "5", "5", "pinkotei", "BH", "", "8", "", "", "", "", "", "", "", "1", "", "400", "200", "9", "16",
         "", "", "", "", "", "", "", "", ""},
        {"pipe", "3", "0", "jiyuukotei", "kaku", "", "4", "", "", "", "", "", "", "", "", "", "200", "100", "", "6",
         "", "", "", "", "", "", "", "", ""},
        {"round", "4", "0", "pinpin", "maru", "", "2", "", "", "", "", "", "", "", "", "", "", "114.3", "", "4.5", "",
         "", "", "", "", "", "", "", ""},
        {"direct", "4", "2", "pinpin", "direct", "my beam", "5", "", "", "", "", "", "", "", "", "", "", "", "", "",
         "5000", "400", "30", "", "", "", "", "", ""},
        {"auto, angle asked", "5.4", "1.8", "pinpin", "L", "", "11.5", "20", "2.7", "", "", "", "", "", "", "", "",
         "", "", "", "", "", "", "1", "", "", "", "", ""},
        // the notice rule: a grade with C automatic (C = 1.75 at the pin), and a typed F and C
        {"notice 490", "6", "6", "pinkotei", "HN", "H-300x150x6.5x9", "10", "", "", "", "", "", "", "", "", "", "",
         "", "", "", "", "", "", "", "notice", "SN490B", "", "auto", ""},
        {"notice F", "6", "3", "pinpin", "HN", "H-300x150x6.5x9", "10", "", "", "", "", "", "", "", "", "", "", "",
         "", "", "", "", "", "", "notice", "", "300", "1.5", "0"},
    };
    results::ScheduleColumns columns;
    ASSERT_EQ(results::readScheduleHeader(header, columns), "");
    const sections::CatalogueRead catalogue = sections::readCatalogue(sections::kCatalogueFile);
    ASSERT_TRUE(catalogue.catalogue) << catalogue.error;
    const sections::SectionSources sources{&*catalogue.catalogue, nullptr};

    results::Table stored;
    for (const results::CsvRecord &r : rows) {
        const results::ScheduleRow row = results::computeRow(columns, r, sources);
        ASSERT_TRUE(row.computed()) << r[0] << ": " << row.error;
        results::storeResult(stored, results::checkedBeam(row), results::WhenFull::Refuse);
    }
    EXPECT_EQ(stored.slots[8][45], "HN"); // the selection searched the narrow-flange list
    EXPECT_EQ(stored.slots[3][42], "2.500"); // LD3 as the page completes it: 6 - 1.5 - 2
    EXPECT_EQ(stored.slots[9][results::noticeField("C")], "1.75");
    EXPECT_EQ(stored.slots[10][results::noticeField("F")], "300");

    // through the bytes of a file, in both encodings
    for (results::CsvEncoding encoding : {results::CsvEncoding::Utf8, results::CsvEncoding::Cp932}) {
        const std::optional<std::string> bytes = results::encodeCsv(results::exportSlots(stored, false), encoding);
        ASSERT_TRUE(bytes);
        EXPECT_NE(bytes->find("\r\n'=cmd|"), std::string::npos);
        const results::CsvText text = results::decodeCsv(*bytes);
        ASSERT_TRUE(text.utf8);
        results::CsvReader reader(*text.utf8);
        results::CsvRecord record;
        ASSERT_TRUE(reader.next(record));
        results::ScheduleColumns exported;
        ASSERT_EQ(results::readScheduleHeader(record, exported), "");
        results::Table again;
        while (reader.next(record)) {
            const results::ScheduleRow row = results::computeRow(exported, record, sources);
            ASSERT_TRUE(row.computed()) << record[0] << ": " << row.error;
            results::storeResult(again, results::checkedBeam(row), results::WhenFull::Refuse);
        }
        ASSERT_EQ(again.datano, stored.datano);
        for (int slot = 1; slot <= stored.datano; ++slot)
            for (int field = 1; field <= results::kRecordFields; ++field)
                EXPECT_EQ(again.slots[slot][field], stored.slots[slot][field]) << "slot " << slot << " field " << field;
    }
}

// The export's columns come from the field table and its cells from the slots: every cell
// stands under the name of what it holds, with the basis columns and without them.
TEST(Schedule, ExportedCellsStandUnderTheirNames)
{
    results::Table table;
    results::resetTable(table);
    sections::NamedBeam old = testing_results::page("old");
    old.texts.p[7] = "8";
    old.ld3[2] = "1.25";
    old.dims.tf = "9";
    old.result.RQa = "30.000";
    sections::NamedBeam notice = testing_results::page("notice");
    beam::NoticeTexts n;
    n.grade = "SN490B";
    n.F = "325";
    n.C = "1.75";
    n.fb1 = beam::kFb1BelowZero;
    n.Rshear = "0.250";
    n.shear = "OK.";
    notice.result.notice = n;
    notice.result.RQb = "31.000";
    results::storeResult(table, old, results::WhenFull::Refuse);
    results::storeResult(table, notice, results::WhenFull::Refuse);

    for (int slots : {1, 2}) { // the old slot alone has no basis columns
        SCOPED_TRACE(slots);
        table.datano = slots;
        const std::vector<results::CsvRecord> records = results::exportSlots(table, false);
        ASSERT_EQ(records.size(), static_cast<std::size_t>(slots + 1));
        const results::CsvRecord &header = records[0];
        auto cell = [&](int slot, const std::string &name) {
            const auto it = std::find(header.begin(), header.end(), name);
            if (it == header.end())
                return "no column " + name;
            return records[static_cast<std::size_t>(slot)][static_cast<std::size_t>(it - header.begin())];
        };
        for (int s = 1; s <= slots; ++s) {
            EXPECT_EQ(records[static_cast<std::size_t>(s)].size(), header.size());
            EXPECT_EQ(cell(s, "Bname"), s == 1 ? "old" : "notice");
            EXPECT_EQ(cell(s, "p8"), s == 1 ? "8" : "");
            EXPECT_EQ(cell(s, "ld3c"), s == 1 ? "1.25" : "");
            EXPECT_EQ(cell(s, "tf"), s == 1 ? "9" : "");
            EXPECT_EQ(cell(s, "design"), "0");
            EXPECT_EQ(cell(s, "RQa"), s == 1 ? "30.000" : "");
            EXPECT_EQ(cell(s, "RQb"), s == 1 ? "" : "31.000");
            EXPECT_EQ(cell(s, "hantei"), "OK.");
            EXPECT_EQ(cell(s, "Rmember"), "H-300x150x6.5x9");
            EXPECT_EQ(cell(s, "Rselfw"), "36.7");
            EXPECT_EQ(cell(s, "error"), "");
        }
        EXPECT_EQ(std::count(header.begin(), header.end(), "fbrule"), slots == 1 ? 0 : 1);
        if (slots == 2) {
            EXPECT_EQ(cell(1, "fbrule"), "old");
            EXPECT_EQ(cell(1, "Rshear"), "");
            EXPECT_EQ(cell(2, "fbrule"), "notice");
            EXPECT_EQ(cell(2, "grade"), "SN490B");
            EXPECT_EQ(cell(2, "fb1"), beam::kFb1BelowZeroShown);
            EXPECT_EQ(cell(2, "RC"), "1.75");
            EXPECT_EQ(cell(2, "Rshear"), "0.250");
        }
    }
}

} // namespace
