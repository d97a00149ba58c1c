#include "sections/catalogue.h"

#include "files/textfile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <unistd.h>

namespace {

namespace fs = std::filesystem;

const std::string kCatalogue = std::string(KOVEL_SOURCE_DIR) + "/shape/buzai.txt";
const std::string kTable = std::string(KOVEL_SOURCE_DIR) + "/tools/data/jis-sections.csv";

// A scratch catalogue written as raw bytes (so line ends and terminators are exact).
class ScratchFile {
public:
    explicit ScratchFile(const std::string &bytes)
    {
        static int counter = 0;
        m_path = (fs::temp_directory_path() /
                  ("kovel_catalogue_" + std::to_string(::getpid()) + "_" + std::to_string(++counter) + ".txt"))
                     .string();
        std::ofstream(m_path, std::ios::binary) << bytes;
    }
    ~ScratchFile() { fs::remove(m_path); }
    const std::string &path() const { return m_path; }

private:
    std::string m_path;
};

// One record: code, name, then lines 3..13 holding "<name>:<line>" so each copied line
// shows where it came from.
std::string record(const std::string &code, const std::string &name, const std::string &eol = "\r\n")
{
    std::string s = code + eol + name + eol;
    for (int line = 3; line <= 13; ++line)
        s += name + ":" + std::to_string(line) + eol;
    return s;
}

std::string endRecord(const std::string &eol = "\r\n")
{
    std::string s = "END" + eol;
    for (int line = 2; line <= 13; ++line)
        s += "end:" + std::to_string(line) + eol;
    return s;
}

void expectFromRecord(const sections::SectionTexts &t, const std::string &name, bool weak)
{
    EXPECT_EQ(t.H1, name + ":3");
    EXPECT_EQ(t.B1, name + ":4");
    EXPECT_EQ(t.tf1, name + ":6");
    EXPECT_EQ(t.selfw, name + ":7");
    EXPECT_EQ(t.inertia, name + (weak ? ":9" : ":8"));
    EXPECT_EQ(t.modulus, name + (weak ? ":11" : ":10"));
}

TEST(CatalogueLookup, CopiesTheLinesOfTheMatchingRecord)
{
    ScratchFile file(record("HN", "A") + record("HN", "B") + endRecord());
    for (bool weak : {false, true}) {
        SCOPED_TRACE(weak ? "weak axis" : "strong axis");
        const sections::LookupOutcome out = sections::lookupMember(file.path(), "B", weak);
        ASSERT_TRUE(out.texts) << out.error;
        EXPECT_TRUE(out.found);
        expectFromRecord(*out.texts, "B", weak);
    }
}

struct EdgeRow {
    const char *name;
    std::string bytes;
    std::string member;
    bool found;
    std::string from; // record whose lines are copied; "" for empty fields
};

TEST(CatalogueLookup, EdgeCases)
{
    const EdgeRow rows[] = {
        {"missing name stops at END and copies its lines", record("HN", "A") + endRecord(), "Z", false, "end"},
        {"single-line END at the end of the file gives empty fields", record("HN", "A") + "END\r\n", "Z", false, ""},
        {"END without a line end", record("HN", "A") + "END", "Z", false, ""},
        {"no terminator: the scan ends at the end of the file", record("HN", "A") + record("HW", "B"), "Z", false,
         ""},
        {"no terminator, name present", record("HN", "A") + record("HW", "B"), "B", true, "B"},
        {"capital X is another name", record("L", "L-175X175X15") + endRecord(), "L-175x175x15", false, "end"},
        {"capital X found as spelled", record("L", "L-175X175X15") + endRecord(), "L-175X175X15", true,
         "L-175X175X15"},
        {"LF line ends", record("HN", "A", "\n") + record("HN", "B", "\n") + endRecord("\n"), "B", true, "B"},
        {"records after END are not read", record("HN", "A") + endRecord() + record("HN", "B"), "B", false, "end"},
        {"name compared whole, not as a prefix", record("HN", "H-100x50") + endRecord(), "H-100x50x5x7", false,
         "end"},
        {"trailing blank is part of the name", record("HN", "A ") + endRecord(), "A", false, "end"},
        {"an END name is still a name", record("HN", "END") + endRecord(), "END", true, "END"},
        {"empty file", "", "A", false, ""},
    };
    for (const EdgeRow &row : rows) {
        SCOPED_TRACE(row.name);
        ScratchFile file(row.bytes);
        const sections::LookupOutcome out = sections::lookupMember(file.path(), row.member, false);
        ASSERT_TRUE(out.texts) << out.error;
        EXPECT_EQ(out.found, row.found);
        if (row.from.empty()) {
            const sections::SectionTexts &t = *out.texts;
            for (const std::string *s : {&t.H1, &t.B1, &t.tf1, &t.selfw, &t.inertia, &t.modulus})
                EXPECT_EQ(*s, "");
        } else {
            expectFromRecord(*out.texts, row.from, false);
        }
    }
}

TEST(CatalogueLookup, DuplicateKeepsTheFirstRecordsValues)
{
    // a second record of the same name with values of its own
    std::string bytes = record("HN", "D") + "HM\r\nD\r\n";
    for (int line = 3; line <= 13; ++line)
        bytes += "second:" + std::to_string(line) + "\r\n";
    bytes += endRecord();
    ScratchFile file(bytes);
    const sections::LookupOutcome out = sections::lookupMember(file.path(), "D", true);
    ASSERT_TRUE(out.texts);
    expectFromRecord(*out.texts, "D", true);
}

TEST(CatalogueLookup, RecordCutShortIsFilledWithEmptyLines)
{
    ScratchFile file(record("HN", "A") + "HN\r\nB\r\n300\r\n150\r\n");
    const sections::CatalogueRead read = sections::readCatalogue(file.path());
    ASSERT_TRUE(read.catalogue);
    ASSERT_EQ(read.catalogue->records.size(), 2u);
    EXPECT_FALSE(read.catalogue->hasTerminator);
    const sections::SectionTexts t = sections::sectionTexts(sections::findRecord(*read.catalogue, "B"), false);
    EXPECT_EQ(t.H1, "300");
    EXPECT_EQ(t.B1, "150");
    EXPECT_EQ(t.tf1, "");
    EXPECT_EQ(t.inertia, "");
}

TEST(CatalogueLookup, ReadsCodePage932)
{
    const std::optional<std::string> name = files::toCp932("□-200x100x6");
    ASSERT_TRUE(name);
    ScratchFile file(record("kaku", *name) + endRecord());
    const sections::LookupOutcome out = sections::lookupMember(file.path(), "□-200x100x6", false);
    ASSERT_TRUE(out.texts);
    EXPECT_TRUE(out.found);
    EXPECT_EQ(out.texts->inertia, "□-200x100x6:8");
}

TEST(CatalogueLookup, UnreadableFileIsReportedByName)
{
    const std::string missing = (fs::temp_directory_path() / "kovel_no_such_catalogue.txt").string();
    const sections::LookupOutcome out = sections::lookupMember(missing, "A", false);
    EXPECT_FALSE(out.texts);
    EXPECT_NE(out.error.find("kovel_no_such_catalogue.txt"), std::string::npos) << out.error;
}

// ---- The shipped catalogue ----

std::vector<std::vector<std::string>> tableRows()
{
    std::ifstream in(kTable);
    std::vector<std::vector<std::string>> rows;
    std::string line;
    std::getline(in, line); // header
    while (std::getline(in, line)) {
        std::vector<std::string> fields;
        std::stringstream ss(line);
        std::string field;
        while (std::getline(ss, field, ','))
            fields.push_back(field);
        rows.push_back(fields);
    }
    return rows;
}

TEST(ShippedCatalogue, HoldsEveryListDesignationInListOrder)
{
    const sections::CatalogueRead read = sections::readCatalogue(kCatalogue);
    ASSERT_TRUE(read.catalogue) << read.error;
    const sections::Catalogue &c = *read.catalogue;
    EXPECT_TRUE(c.hasTerminator);
    EXPECT_EQ(c.terminator[0], "END");
    for (int line = 1; line < sections::kRecordLines; ++line)
        EXPECT_EQ(c.terminator[line], "");

    using F = beam::Family;
    std::size_t next = 0;
    for (F family : {F::HW, F::HM, F::HN, F::C, F::L, F::I}) {
        SCOPED_TRACE(beam::familyCode(family));
        for (const std::string &name : sections::familyDesignations(family)) {
            if (name.empty())
                continue; // the empty last item of the channel list
            ASSERT_LT(next, c.records.size());
            EXPECT_EQ(c.records[next][sections::kLineName], name);
            EXPECT_EQ(c.records[next][sections::kLineCode], beam::familyCode(family));
            ++next;
        }
    }
    EXPECT_EQ(next, c.records.size());
    EXPECT_EQ(c.records.size(), 111u);
}

TEST(ShippedCatalogue, MatchesThePublishedTable)
{
    // columns: family,designation,H,B,t1,t2,r1,r2,A,W,Ix,Iy,Zx,Zy,Cy,status,source
    const auto rows = tableRows();
    const sections::CatalogueRead read = sections::readCatalogue(kCatalogue);
    ASSERT_TRUE(read.catalogue);
    ASSERT_EQ(rows.size(), read.catalogue->records.size());
    for (std::size_t n = 0; n < rows.size(); ++n) {
        const auto &r = rows[n];
        SCOPED_TRACE(r[1]);
        const std::vector<std::string> expected = {r[0], r[1], r[2],  r[3],  r[4],  r[5], r[9],
                                                   r[10], r[11], r[12], r[13], r[8], r[6]};
        const sections::CatalogueRecord &rec = read.catalogue->records[n];
        for (int line = 0; line < sections::kRecordLines; ++line)
            EXPECT_EQ(rec[line], expected[line]) << "line " << line + 1;
    }
}

TEST(ShippedCatalogue, IsCodePage932WithCrLf)
{
    std::ifstream in(kCatalogue, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_FALSE(bytes.empty());
    std::size_t lf = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\n') {
            ++lf;
            ASSERT_TRUE(i > 0 && bytes[i - 1] == '\r') << "bare LF at byte " << i;
        }
    }
    EXPECT_EQ(lf, 112u * 13u);
    EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n");
}

TEST(ShippedCatalogue, PublishedValuesOfTheStartUpSection)
{
    // H-100x50x5x7: the start-up texts of the section fields are its published values.
    const sections::LookupOutcome strong = sections::lookupMember(kCatalogue, "H-100x50x5x7", false);
    ASSERT_TRUE(strong.texts);
    EXPECT_EQ(strong.texts->inertia, "187");
    EXPECT_EQ(strong.texts->modulus, "37.5");
    EXPECT_EQ(strong.texts->H1, "100");
    EXPECT_EQ(strong.texts->B1, "50");
    EXPECT_EQ(strong.texts->tf1, "7");
    const sections::LookupOutcome h125 = sections::lookupMember(kCatalogue, "H-125x60x6x8", true);
    ASSERT_TRUE(h125.texts);
    EXPECT_EQ(h125.texts->selfw, "13.1");
    EXPECT_EQ(h125.texts->inertia, "29.1");
    EXPECT_EQ(h125.texts->modulus, "9.71");
}

TEST(ShippedCatalogue, EmptyChannelItemEndsAtTheTerminator)
{
    const sections::LookupOutcome out = sections::lookupMember(kCatalogue, "", false);
    ASSERT_TRUE(out.texts);
    EXPECT_FALSE(out.found);
    EXPECT_EQ(out.texts->inertia, "");
    EXPECT_EQ(sections::familyDesignations(beam::Family::C).back(), "");
    EXPECT_EQ(sections::familyDesignations(beam::Family::C).size(), 17u);
}

} // namespace
