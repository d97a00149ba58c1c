#include "sections/members.h"

#include "files/textfile.h"

#include <filesystem>
#include <fstream>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sstream>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using sections::MemberList;
using sections::MemberRow;
using ::testing::HasSubstr;

std::string slurp(const fs::path &p)
{
    std::ifstream f(p, std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}

struct MemberDir {
    fs::path path;
    MemberDir() : path(fs::temp_directory_path() / ("kovel-members-" + std::to_string(::getpid())))
    {
        fs::remove_all(path);
        fs::create_directories(path);
    }
    ~MemberDir() { fs::remove_all(path); }
    std::string file(const char *name = "ubuzai.txt") const { return (path / name).string(); }
};

// Eight lines of one member as a file made by other means holds them.
std::vector<std::string> memberLines(int number, const std::string &name, const std::string &a)
{
    return {std::to_string(number), name, a, "9.300", "187.000", "14.800", "37.500", "5.910"};
}

// A member file of `n` members named M1..Mn with area 1..n.
std::string writeMembers(const MemberDir &dir, int n)
{
    std::vector<std::string> lines = {std::to_string(n)};
    for (int i = 1; i <= n; ++i) {
        auto block = memberLines(i, "M" + std::to_string(i), std::to_string(i) + ".000");
        lines.insert(lines.end(), block.begin(), block.end());
    }
    const std::string path = dir.file();
    EXPECT_EQ(files::writeTextFile(path, lines), "");
    return path;
}

MemberList loadOk(const std::string &path)
{
    auto load = sections::loadMembers(path);
    EXPECT_EQ(load.error, "");
    return load.list;
}

void typeEntry(MemberList &list, const std::string &name, const char *a, const char *w, const char *ix,
               const char *iy, const char *zx, const char *zy)
{
    list.entry = sections::MemberEntry{name, a, w, ix, iy, zx, zy};
}

TEST(Members, ANewListIsEmptyWithThirtyFreeRows)
{
    const MemberList list;
    ASSERT_EQ(list.usergrid.size(), 31u);
    EXPECT_EQ(list.usergrid[0], (MemberRow{"No.", "部材", "A(cm2)", "自重(kg/m)", "Ix(cm4)", "Iy(cm4)", "Zx(cm3)", "Zy(cm3)"}));
    EXPECT_EQ(list.usergrid[30], MemberRow{});
    EXPECT_EQ(list.buzaidatn, "0");
    EXPECT_EQ(list.labelh, ""); // nothing shown until the line is used
    EXPECT_FALSE(list.unoEnabled);
}

TEST(Members, StoreIntoAFileHoldingOnlyZeroWritesTheExpectedBytes)
{
    MemberDir dir;
    const std::string path = dir.file();
    ASSERT_EQ(files::writeTextFile(path, {"0"}), "");
    MemberList list = loadOk(path);
    EXPECT_EQ(list.count, 0);
    EXPECT_EQ(list.uno, "1");
    EXPECT_TRUE(list.userlist.empty());
    EXPECT_EQ(list.userlistText, "");

    typeEntry(list, "小梁H-100x50x5x7", "11.85", "9.3", "187", "14.8", "37.5", "5.91");
    const auto out = sections::storeMember(list);
    EXPECT_EQ(out.error, "");
    EXPECT_TRUE(out.saved);

    EXPECT_EQ(list.usergrid[1],
              (MemberRow{"1", "小梁H-100x50x5x7", "11.850", "9.300", "187.000", "14.800", "37.500", "5.910"}));
    EXPECT_EQ(list.count, 1);
    EXPECT_EQ(list.buzaidatn, "1");
    EXPECT_EQ(list.uno, "2");
    EXPECT_EQ(list.ucom, "0");
    EXPECT_EQ(list.userlist, std::vector<std::string>{"小梁H-100x50x5x7"});
    EXPECT_EQ(list.entry.umember, "");
    EXPECT_EQ(list.entry.uZy, "");
    EXPECT_EQ(slurp(path), slurp(fs::path(KOVEL_TEST_DATA) / "sections/data/member_store_expected.txt"));

    // read back and written again unchanged
    MemberList again = loadOk(path);
    EXPECT_EQ(again.usergrid[1], list.usergrid[1]);
    EXPECT_EQ(again.userlistText, "小梁H-100x50x5x7");
    ASSERT_EQ(sections::saveMembers(again), "");
    EXPECT_EQ(slurp(path), slurp(fs::path(KOVEL_TEST_DATA) / "sections/data/member_store_expected.txt"));
}

TEST(Members, LoadTakesValuesAsTheyStandAndTheCountAsRead)
{
    MemberDir dir;
    std::vector<std::string> lines = {"2"};
    for (const auto &block : {memberLines(7, "A", "1.5"), memberLines(9, "B", "2")})
        lines.insert(lines.end(), block.begin(), block.end());
    ASSERT_EQ(files::writeTextFile(dir.file(), lines), "");
    const MemberList list = loadOk(dir.file());
    EXPECT_EQ(list.usergrid[1][0], "7");
    EXPECT_EQ(list.usergrid[2][2], "2");
    EXPECT_EQ(list.usergrid.size(), 31u);
    EXPECT_EQ(list.uno, "3");
    EXPECT_EQ(list.userlist, (std::vector<std::string>{"A", "B"}));
    EXPECT_EQ(list.userlistText, "A");
}

struct RefusedEntry { const char *name; const char *a, *w, *ix, *iy, *zx, *zy; };

TEST(Members, AZeroOrUnreadableNumberIsRefused)
{
    const RefusedEntry rows[] = {
        {"area zero", "0", "9.3", "187", "14.8", "37.5", "5.91"},
        {"weight empty", "11.85", "", "187", "14.8", "37.5", "5.91"},
        {"Ix not a number", "11.85", "9.3", "abc", "14.8", "37.5", "5.91"},
        {"Iy zero written as decimals", "11.85", "9.3", "187", "0.000", "37.5", "5.91"},
        {"Zx would be stored as 0.000", "11.85", "9.3", "187", "14.8", "0.0004", "5.91"},
        {"Zy too large to be a number", "11.85", "9.3", "187", "14.8", "37.5", "1e999"},
        {"all empty", "", "", "", "", "", ""},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        MemberDir dir;
        const std::string path = writeMembers(dir, 1);
        const std::string before = slurp(path);
        MemberList list = loadOk(path);
        typeEntry(list, "X", row.a, row.w, row.ix, row.iy, row.zx, row.zy);
        const MemberList expected = [&] { MemberList l = list; l.labelh = "数字を確認して下さい。"; return l; }();
        const auto out = sections::storeMember(list);
        EXPECT_FALSE(out.saved);
        EXPECT_EQ(out.error, "");
        EXPECT_EQ(list.labelh, "数字を確認して下さい。");
        EXPECT_EQ(list.usergrid, expected.usergrid);
        EXPECT_EQ(list.count, 1);
        EXPECT_EQ(list.uno, "2");
        EXPECT_EQ(list.entry.uA, row.a); // the boxes keep what was typed
        EXPECT_EQ(slurp(path), before);
    }
}

TEST(Members, NegativeValuesAreStoredAsTyped)
{
    MemberDir dir;
    MemberList list = loadOk(writeMembers(dir, 0));
    typeEntry(list, "N", "-1", "2", "3", "4", "5", "6.0004");
    EXPECT_TRUE(sections::storeMember(list).saved);
    EXPECT_EQ(list.usergrid[1][2], "-1.000");
    EXPECT_EQ(list.usergrid[1][7], "6.000");
}

TEST(Members, DeletingMemberTwoOfThreeMovesTheThirdUpAndRenumbers)
{
    MemberDir dir;
    const std::string path = writeMembers(dir, 3);
    MemberList list = loadOk(path);
    const MemberRow third = list.usergrid[3];

    sections::requestDelete(list);
    EXPECT_EQ(list.labelh, "削除する番号を入力して下さい。");
    EXPECT_TRUE(list.unoEnabled);
    EXPECT_EQ(list.uno, "");

    list.uno = "2";
    const auto confirm = sections::confirmNumber(list);
    EXPECT_TRUE(confirm.consumed);
    EXPECT_TRUE(confirm.outcome.saved);
    EXPECT_EQ(confirm.outcome.error, "");
    EXPECT_EQ(list.usergrid[1][1], "M1");
    EXPECT_EQ(list.usergrid[2], (MemberRow{"2", third[1], third[2], third[3], third[4], third[5], third[6], third[7]}));
    EXPECT_EQ(list.usergrid[3], MemberRow{});
    EXPECT_EQ(list.count, 2);
    EXPECT_EQ(list.buzaidatn, "2");
    EXPECT_EQ(list.uno, "3");
    EXPECT_FALSE(list.unoEnabled);
    EXPECT_EQ(list.userlist, (std::vector<std::string>{"M1", "M3"}));

    const MemberList reread = loadOk(path);
    EXPECT_EQ(reread.count, 2);
    EXPECT_EQ(reread.usergrid[1], list.usergrid[1]);
    EXPECT_EQ(reread.usergrid[2], list.usergrid[2]);
}

TEST(Members, DeletingTheOnlyMemberLeavesAnEmptyFile)
{
    MemberDir dir;
    const std::string path = writeMembers(dir, 1);
    MemberList list = loadOk(path);
    sections::requestDelete(list);
    list.uno = "1";
    EXPECT_TRUE(sections::confirmNumber(list).outcome.saved);
    EXPECT_EQ(list.usergrid[1], MemberRow{});
    EXPECT_EQ(list.uno, "1");
    EXPECT_EQ(slurp(path), "0\r\n");
}

TEST(Members, ChangingMemberTwoOfThreeReplacesItInPlace)
{
    MemberDir dir;
    const std::string path = writeMembers(dir, 3);
    MemberList list = loadOk(path);
    sections::requestChange(list);
    EXPECT_EQ(list.labelh, "変更する番号を入力して下さい。");
    list.uno = "2";
    const auto confirm = sections::confirmNumber(list);
    EXPECT_TRUE(confirm.consumed);
    EXPECT_FALSE(confirm.outcome.saved);
    EXPECT_EQ(list.entry.umember, "M2");
    EXPECT_EQ(list.entry.uA, "2.000");
    EXPECT_EQ(list.entry.uWW, "9.300");
    EXPECT_EQ(list.entry.uZy, "5.910");
    EXPECT_EQ(list.uno, "2");
    EXPECT_FALSE(list.unoEnabled);

    // Enter again once the number is taken does not copy the member over the edits
    list.entry.uA = "2.5";
    EXPECT_FALSE(sections::confirmNumber(list).consumed);
    EXPECT_EQ(list.entry.uA, "2.5");

    list.entry.umember = "M2改";
    list.entry.uIx = "200";
    const auto out = sections::storeMember(list);
    EXPECT_TRUE(out.saved);
    EXPECT_EQ(list.usergrid[2], (MemberRow{"2", "M2改", "2.500", "9.300", "200.000", "14.800", "37.500", "5.910"}));
    EXPECT_EQ(list.usergrid[3][1], "M3");
    EXPECT_EQ(list.count, 3);
    EXPECT_EQ(list.buzaidatn, "3");
    EXPECT_EQ(list.uno, "4");
    EXPECT_EQ(loadOk(path).usergrid[2], list.usergrid[2]);
}

struct NumberRow { const char *name; const char *uno; bool consumed; bool error; };

TEST(Members, ANumberOutsideTheListChangesNothing)
{
    const NumberRow rows[] = {
        {"zero goes on to the box", "0", false, false},
        {"empty goes on to the box", "", false, false},
        {"text reads as zero", "abc", false, false},
        {"one past the last", "4", true, false},
        {"negative", "-1", true, false},
        {"a fraction is not a whole number", "1.5", true, true},
        {"an exponent is not a whole number", "2e0", true, true},
    };
    for (const char *request : {"delete", "change"}) {
        for (const auto &row : rows) {
            SCOPED_TRACE(std::string(request) + ": " + row.name);
            MemberDir dir;
            const std::string path = writeMembers(dir, 3);
            const std::string before = slurp(path);
            MemberList list = loadOk(path);
            if (std::string(request) == "delete")
                sections::requestDelete(list);
            else
                sections::requestChange(list);
            list.uno = row.uno;
            const MemberList untouched = list;
            const auto confirm = sections::confirmNumber(list);
            EXPECT_EQ(confirm.consumed, row.consumed);
            EXPECT_FALSE(confirm.outcome.saved);
            if (row.error)
                EXPECT_THAT(confirm.outcome.error, HasSubstr(std::string("「") + row.uno + "」"));
            else
                EXPECT_EQ(confirm.outcome.error, "");
            EXPECT_EQ(list.usergrid, untouched.usergrid);
            EXPECT_EQ(list.count, 3);
            EXPECT_EQ(list.uno, row.uno);
            EXPECT_TRUE(list.unoEnabled); // still waiting for a number
            EXPECT_EQ(list.entry.umember, "");
            EXPECT_EQ(slurp(path), before);
        }
    }
}

TEST(Members, StoringWhileANumberIsAwaitedIsRefused)
{
    const struct { const char *name; const char *uno; } rows[] = {
        {"empty", ""}, {"fraction", "1.5"}, {"row zero is the header", "0"}, {"beyond the next free row", "5"},
        {"a member's number typed for the delete, not confirmed", "2"},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        MemberDir dir;
        const std::string path = writeMembers(dir, 3);
        const std::string before = slurp(path);
        MemberList list = loadOk(path);
        sections::requestDelete(list);
        list.uno = row.uno;
        typeEntry(list, "X", "1", "2", "3", "4", "5", "6");
        const MemberList untouched = list;
        const auto out = sections::storeMember(list);
        EXPECT_FALSE(out.saved);
        EXPECT_NE(out.error, "");
        EXPECT_EQ(list.usergrid, untouched.usergrid);
        EXPECT_EQ(list.usergrid.size(), 31u);
        EXPECT_EQ(list.count, 3);
        EXPECT_EQ(list.entry.umember, "X");
        EXPECT_EQ(slurp(path), before);
    }
}

TEST(Members, ANameTheFileCannotHoldIsRefused)
{
    for (const char *name : {"梁😀", "二行\r\nの名前", "改行\n"}) {
        SCOPED_TRACE(name);
        MemberDir dir;
        const std::string path = writeMembers(dir, 1);
        const std::string before = slurp(path);
        MemberList list = loadOk(path);
        typeEntry(list, name, "1", "2", "3", "4", "5", "6");
        const auto out = sections::storeMember(list);
        EXPECT_FALSE(out.saved);
        EXPECT_NE(out.error, "");
        EXPECT_EQ(list.count, 1);
        EXPECT_EQ(list.usergrid[2], MemberRow{});
        EXPECT_EQ(slurp(path), before);
    }
}

TEST(Members, TheGridKeepsOneEmptyRowBelowTheLastMember)
{
    const struct { const char *name; int members; std::size_t rows; } loads[] = {
        {"empty file", 0, 31}, {"29 members", 29, 31}, {"30 members", 30, 32}, {"40 members", 40, 42},
    };
    for (const auto &row : loads) {
        SCOPED_TRACE(row.name);
        MemberDir dir;
        const MemberList list = loadOk(writeMembers(dir, row.members));
        EXPECT_EQ(list.usergrid.size(), row.rows);
        EXPECT_EQ(list.usergrid[row.rows - 1], MemberRow{});
    }

    MemberDir dir;
    MemberList list = loadOk(writeMembers(dir, 29));
    typeEntry(list, "M30", "1", "2", "3", "4", "5", "6");
    ASSERT_TRUE(sections::storeMember(list).saved);
    EXPECT_EQ(list.count, 30);
    ASSERT_EQ(list.usergrid.size(), 32u);
    EXPECT_EQ(list.usergrid[30][1], "M30");
    EXPECT_EQ(list.usergrid[31], MemberRow{});
    typeEntry(list, "M31", "1", "2", "3", "4", "5", "6");
    ASSERT_TRUE(sections::storeMember(list).saved);
    EXPECT_EQ(list.usergrid.size(), 33u);
}

TEST(Members, ChoosingCopiesTheAxisOfTheBendingDirection)
{
    MemberDir dir;
    std::vector<std::string> lines = {"3"};
    for (const auto &block : {std::vector<std::string>{"1", "C", "10", "20", "300", "40", "50", "6"},
                              std::vector<std::string>{"2", "D", "11", "21", "301", "41", "51", "7"},
                              std::vector<std::string>{"3", "C", "12", "22", "302", "42", "52", "8"}})
        lines.insert(lines.end(), block.begin(), block.end());
    ASSERT_EQ(files::writeTextFile(dir.file(), lines), "");
    const MemberList list = loadOk(dir.file());

    const auto strong = sections::chooseMember(list, "D", false);
    ASSERT_TRUE(strong);
    EXPECT_EQ(strong->member, "D");
    EXPECT_EQ(strong->selfw, "21");
    EXPECT_EQ(strong->inertia, "301");
    EXPECT_EQ(strong->modulus, "51");

    const auto weak = sections::chooseMember(list, "D", true);
    ASSERT_TRUE(weak);
    EXPECT_EQ(weak->selfw, "21");
    EXPECT_EQ(weak->inertia, "41");
    EXPECT_EQ(weak->modulus, "7");

    const auto duplicate = sections::chooseMember(list, "C", false);
    ASSERT_TRUE(duplicate);
    EXPECT_EQ(duplicate->inertia, "302"); // the last of equal names wins

    EXPECT_FALSE(sections::chooseMember(list, "E", false));
    EXPECT_FALSE(sections::chooseMember(list, "c", false)); // names match exactly
    EXPECT_FALSE(sections::chooseMember(list, "", false));  // empty rows below the list are no members
}

struct BrokenFile { const char *name; std::vector<std::string> lines; int kept; const char *mentions; };

TEST(Members, ABrokenFileKeepsWhatCouldBeReadAndIsNotRewritten)
{
    auto withMembers = [](std::vector<std::string> head, int complete, int extraLines) {
        for (int i = 1; i <= complete; ++i) {
            auto block = memberLines(i, "M" + std::to_string(i), "1");
            head.insert(head.end(), block.begin(), block.end());
        }
        for (int i = 0; i < extraLines; ++i)
            head.push_back("x");
        return head;
    };
    const BrokenFile rows[] = {
        {"first line not a count", withMembers({"abc"}, 1, 0), 0, "1 行目"},
        {"first line a fraction", withMembers({"1.0"}, 1, 0), 0, "1 行目"},
        {"empty file", {}, 0, "1 行目"},
        {"negative count", withMembers({"-2"}, 2, 0), 0, "-2"},
        {"shorter than its count", withMembers({"3"}, 2, 5), 2, "23 行目"},
        {"count without members", {"5"}, 0, "2 行目"},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        MemberDir dir;
        const std::string path = dir.file();
        ASSERT_EQ(files::writeTextFile(path, row.lines), "");
        const std::string before = slurp(path);
        const auto load = sections::loadMembers(path);
        EXPECT_THAT(load.error, HasSubstr(path));
        EXPECT_THAT(load.error, HasSubstr(row.mentions));
        EXPECT_EQ(load.list.count, row.kept);
        EXPECT_EQ(load.list.buzaidatn, std::to_string(row.kept));
        EXPECT_EQ(load.list.uno, std::to_string(row.kept + 1));
        EXPECT_EQ(load.list.userlist.size(), static_cast<std::size_t>(row.kept));
        for (int r = 1; r <= row.kept; ++r)
            EXPECT_EQ(load.list.usergrid[static_cast<std::size_t>(r)][1], "M" + std::to_string(r));
        EXPECT_EQ(load.list.usergrid[static_cast<std::size_t>(row.kept) + 1], MemberRow{});
        EXPECT_EQ(load.list.userbuzaipath, path);
        EXPECT_EQ(slurp(path), before);
    }
}

TEST(Members, AMissingFileIsReportedAndTheListStartsEmpty)
{
    MemberDir dir;
    const std::string path = dir.file("none.txt");
    auto load = sections::loadMembers(path);
    EXPECT_THAT(load.error, HasSubstr(path));
    EXPECT_EQ(load.list.count, 0);
    EXPECT_EQ(load.list.uno, "1");
    EXPECT_FALSE(fs::exists(path));

    // the first store makes the file
    typeEntry(load.list, "N", "1", "2", "3", "4", "5", "6");
    EXPECT_EQ(sections::storeMember(load.list).error, "");
    EXPECT_EQ(slurp(path), "1\r\n1\r\nN\r\n1.000\r\n2.000\r\n3.000\r\n4.000\r\n5.000\r\n6.000\r\n");
}

TEST(Members, AFailedSaveIsReportedTheListKeepsItsNewStateAndTheFileItsOld)
{
    MemberDir dir;
    {
        // a folder that does not exist
        MemberList list;
        list.userbuzaipath = (dir.path / "no-such-folder" / "ubuzai.txt").string();
        list.uno = "1";
        typeEntry(list, "N", "1", "2", "3", "4", "5", "6");
        const auto out = sections::storeMember(list);
        EXPECT_TRUE(out.saved);
        EXPECT_THAT(out.error, HasSubstr(list.userbuzaipath));
        EXPECT_EQ(list.count, 1);
        EXPECT_EQ(list.usergrid[1][1], "N");
        EXPECT_EQ(list.userlist, std::vector<std::string>{"N"});
    }
    {
        // the disk fills while the file is written
        const std::string path = writeMembers(dir, 3);
        const std::string before = slurp(path);
        MemberList list = loadOk(path);
        sections::requestDelete(list);
        list.uno = "1";
        files::failWritesAfter(10);
        const auto confirm = sections::confirmNumber(list);
        files::failWritesAfter(-1);
        EXPECT_THAT(confirm.outcome.error, HasSubstr(path));
        EXPECT_EQ(list.count, 2);
        EXPECT_EQ(list.usergrid[1][1], "M2");
        EXPECT_EQ(slurp(path), before);
        // a later save succeeds and writes the list as it is now
        ASSERT_EQ(sections::saveMembers(list), "");
        EXPECT_EQ(loadOk(path).userlist, (std::vector<std::string>{"M2", "M3"}));
    }
}

} // namespace
