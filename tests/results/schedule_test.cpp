// Schedules and slots: rows stored as the window's store stores them, and an export of
// the slots read back as a schedule.
#include "results/schedule.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Rows of every section source, stored, exported, read back as a schedule and stored
// again: every slot comes back field for field.
TEST(Schedule, ExportedSlotsReadBackAsTheSameSlots)
{
    const beam::CsvRecord header = {"Bname", "Span", "lb", "support", "family", "member", "uniform", "p1", "pl1",
                                    "w1a", "w2a", "ld1a", "ld2a", "shiki", "weak", "si", "H", "B", "tw", "tf",
                                    "inertia", "modulus", "selfw", "design", "fbrule", "grade", "F", "C", "shear"};
    const std::vector<beam::CsvRecord> rows = {
        {"G1", "7.2", "2.4", "koteikotei", "HN", "H-400x200x8x13", "18.5", "45", "2.4", "", "", "", "", "", "", "",
         "", "", "", "", "", "", "", "", "", "", "", "", ""},
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
    for (const beam::CsvRecord &r : rows) {
        const results::ScheduleRow row = results::computeRow(columns, r, sources);
        ASSERT_TRUE(row.computed()) << r[0] << ": " << row.error;
        results::storeResult(stored, results::pageTextsOf(row), results::WhenFull::Refuse);
    }
    EXPECT_EQ(stored.slots[7][45], "HN"); // the selection searched the narrow-flange list
    EXPECT_EQ(stored.slots[2][42], "2.500"); // LD3 as the page completes it: 6 - 1.5 - 2
    EXPECT_EQ(stored.slots[8][results::noticeField("C")], "1.75");
    EXPECT_EQ(stored.slots[9][results::noticeField("F")], "300");

    // through the bytes of a file, in both encodings
    for (beam::CsvEncoding encoding : {beam::CsvEncoding::Utf8, beam::CsvEncoding::Cp932}) {
        const std::optional<std::string> bytes = beam::encodeCsv(results::exportSlots(stored, false), encoding);
        ASSERT_TRUE(bytes);
        const beam::CsvText text = beam::decodeCsv(*bytes);
        ASSERT_TRUE(text.utf8);
        beam::CsvReader reader(*text.utf8);
        beam::CsvRecord record;
        ASSERT_TRUE(reader.next(record));
        results::ScheduleColumns exported;
        ASSERT_EQ(results::readScheduleHeader(record, exported), "");
        results::Table again;
        while (reader.next(record)) {
            const results::ScheduleRow row = results::computeRow(exported, record, sources);
            ASSERT_TRUE(row.computed()) << record[0] << ": " << row.error;
            results::storeResult(again, results::pageTextsOf(row), results::WhenFull::Refuse);
        }
        ASSERT_EQ(again.datano, stored.datano);
        for (int slot = 1; slot <= stored.datano; ++slot)
            for (int field = 1; field <= results::kRecordFields; ++field)
                EXPECT_EQ(again.slots[slot][field], stored.slots[slot][field]) << "slot " << slot << " field " << field;
    }
}

} // namespace
