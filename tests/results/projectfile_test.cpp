#include "helpers.h"

#include "files/textfile.h"
#include "results/messages.h"
#include "results/projectfile.h"
#include "results/slotops.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using namespace testing_results;
using Names = std::vector<std::string>;

// The file's lines, split at CR LF only (a bare LF would stay inside a line).
std::vector<std::string> crlfLines(const std::string &bytes)
{
    std::vector<std::string> lines;
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        const std::size_t end = bytes.find("\r\n", pos);
        if (end == std::string::npos) {
            lines.push_back(bytes.substr(pos) + "<no line end>");
            break;
        }
        lines.push_back(bytes.substr(pos, end - pos));
        pos = end + 2;
    }
    return lines;
}

TEST(ProjectFile, TwoSlotsGiveCountLineThenOneFieldPerLine)
{
    TempDir dir("layout");
    results::Table t = tableOf(2);
    t.slots[2][12] = ""; // an empty formula text
    t.slots[2][100] = "-7.25";
    ASSERT_EQ(results::saveProject(dir.file("a.kvl"), t), "");
    const std::vector<std::string> lines = crlfLines(slurp(dir.file("a.kvl")));
    ASSERT_EQ(lines.size(), 1u + 165u * 2u);
    EXPECT_EQ(lines[0], "2");
    auto lineOf = [](int slot, int field) { return static_cast<std::size_t>(1 + 165 * (slot - 1) + field) - 1; };
    EXPECT_EQ(lines[lineOf(1, 1)], "1");
    EXPECT_EQ(lines[lineOf(1, 2)], "B1");
    EXPECT_EQ(lines[lineOf(2, 1)], "2");
    EXPECT_EQ(lines[lineOf(2, 2)], "B2");
    EXPECT_EQ(lines[lineOf(2, 3)], "\x8B\xAD\x8E\xB2"); // 強軸 in code page 932
    EXPECT_EQ(lines[lineOf(2, 12)], "");
    EXPECT_EQ(lines[lineOf(2, 100)], "-7.25");
    EXPECT_EQ(lines[lineOf(2, 165)], "1.5");
}

TEST(ProjectFile, EmptyTableIsTheSingleLineZeroAndOpensAsAnEmptyTable)
{
    TempDir dir("empty");
    ASSERT_EQ(results::saveProject(dir.file("e.kvl"), tableOf(0)), "");
    EXPECT_EQ(slurp(dir.file("e.kvl")), "0\r\n");

    results::Table t = tableOf(4);
    ASSERT_EQ(results::openProject(t, dir.file("e.kvl")), "");
    EXPECT_EQ(t.datano, 0);
    EXPECT_EQ(t.selected, 1); // the empty slot 1 is shown
    EXPECT_EQ(t.pre, 0);
    EXPECT_EQ(names(t, 4), (Names{"", "", "", ""}));
    EXPECT_EQ(marks(t, 4), (Names{"0", "0", "0", "0"}));
}

TEST(ProjectFile, RoundTripIsByteForByteWithJapaneseTextsAndEmptyFields)
{
    TempDir dir("roundtrip");
    const std::string original = slurp(dataFile("two_slots.kvl"));
    results::Table t = tableOf(5);
    ASSERT_EQ(results::openProject(t, dataFile("two_slots.kvl")), "");
    EXPECT_EQ(t.datano, 2);
    EXPECT_EQ(t.selected, 1);
    EXPECT_EQ(marks(t, 5), (Names{"1", "1", "0", "0", "0"}));
    EXPECT_EQ(names(t, 3), (Names{"大梁Ｇ１", "片持ち梁　Ｃ－１", ""}));
    EXPECT_EQ(t.slots[1][12], "");
    EXPECT_EQ(t.slots[2][12], "1.2×3＋0.5");
    EXPECT_EQ(t.slots[2][58], ""); // a cantilever's empty span moment
    EXPECT_EQ(t.slots[2][46], "直接入力");
    EXPECT_EQ(t.slots[2][165], "-3.75"); // -1.2 x 2.5^2 / 2

    ASSERT_EQ(results::saveProject(dir.file("new.kvl"), t), "");
    EXPECT_EQ(slurp(dir.file("new.kvl")), original);
    // saving over an existing file writes the same bytes: empty fields stay empty lines
    ASSERT_EQ(results::saveProject(dir.file("new.kvl"), t), "");
    EXPECT_EQ(slurp(dir.file("new.kvl")), original);
    results::Table again;
    ASSERT_EQ(results::openProject(again, dir.file("new.kvl")), "");
    EXPECT_EQ(again.slots[1][12], "");
    EXPECT_EQ(again.slots[2], t.slots[2]);
}

TEST(ProjectFile, PlaceholdersAreReplacedOnOpen)
{
    results::Table t;
    ASSERT_EQ(results::openProject(t, dataFile("placeholders.kvl")), "");
    EXPECT_EQ(t.slots[1][5], "両端ピン");
    EXPECT_EQ(t.slots[1][6], "従来単位");
    EXPECT_EQ(t.slots[1][58], "12.345");

    // only the whole field is a placeholder
    std::vector<std::string> lines(1 + 165);
    lines[0] = "1";
    lines[5] = "flag1 ";
    lines[6] = "Flag2";
    lines[58] = "flag3x";
    const results::ProjectRead read = results::parseProject(lines, "p.kvl");
    ASSERT_TRUE(read.table);
    EXPECT_EQ(read.table->slots[1][5], "flag1 ");
    EXPECT_EQ(read.table->slots[1][6], "Flag2");
    EXPECT_EQ(read.table->slots[1][58], "flag3x");
}

TEST(ProjectFile, BrokenFilesAreRefusedAndTheTableStaysAsItWas)
{
    struct Row { const char *name; std::string bytes; const char *inMessage; };
    const Row rows[] = {
        {"count not an integer", "abc\r\n", "「abc」"},
        {"count with a fraction", "1.5\r\n", "「1.5」"},
        {"count 51", "51\r\n", "51"},
        {"negative count", "-1\r\n", "-1"},
        {"empty file", "", "空"},
        {"not code page 932", "1\r\n1\r\n\x82\r\n", "Shift-JIS"},
        {"UTF-8 text", "1\r\n1\r\n\xE6\xA2\x81\xE3\x81\xAE\r\n", "Shift-JIS"},
    };
    TempDir dir("broken");
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        spit(dir.path / "b.kvl", row.bytes);
        results::Table t = tableOf(3);
        t.selected = 2;
        t.pre = 3;
        t.selectgrid[2] = "0";
        const results::Table before = t;
        const std::string error = results::openProject(t, dir.file("b.kvl"));
        EXPECT_NE(error.find(row.inMessage), std::string::npos) << error;
        EXPECT_NE(error.find("計算結果表はそのままです。"), std::string::npos) << error;
        EXPECT_EQ(t.datano, 3);
        EXPECT_EQ(t.selected, 2);
        EXPECT_EQ(t.pre, 3);
        EXPECT_EQ(names(t, 50), names(before, 50));
        EXPECT_EQ(marks(t, 50), marks(before, 50));
        EXPECT_EQ(t.slots[3], before.slots[3]);
    }
    results::Table t = tableOf(1);
    EXPECT_NE(results::openProject(t, dir.file("missing.kvl")), "");
    EXPECT_EQ(t.datano, 1);
}

TEST(ProjectFile, ShortFileReadsMissingLinesAsEmptyFieldsAndSaysSo)
{
    TempDir dir("short");
    std::string bytes = "02\r\n";
    for (int f = 1; f <= 100; ++f)
        bytes += "v" + std::to_string(f) + "\r\n";
    spit(dir.path / "s.kvl", bytes);
    results::Table t;
    std::string notice;
    ASSERT_EQ(results::openProject(t, dir.file("s.kvl"), &notice), "");
    EXPECT_EQ(t.datano, 2); // leading zero normalised
    EXPECT_EQ(t.slots[1][100], "v100");
    EXPECT_EQ(t.slots[1][101], "");
    EXPECT_EQ(t.slots[2][1], "");
    EXPECT_EQ(marks(t, 3), (Names{"1", "1", "0"}));
    EXPECT_NE(notice.find("331"), std::string::npos) << notice;

    // lines after the last slot are damage (a count too small, a block's header lost), but
    // empty lines at the end are nothing
    bytes = "1\r\n";
    for (int f = 1; f <= 165; ++f)
        bytes += "x" + std::to_string(f) + "\n"; // bare LF reads too
    spit(dir.path / "l.kvl", bytes + "\n\r\n");
    ASSERT_EQ(results::openProject(t, dir.file("l.kvl"), &notice), "");
    EXPECT_EQ(t.datano, 1);
    EXPECT_EQ(t.slots[1][165], "x165");
    EXPECT_EQ(t.slots[2][1], "");
    EXPECT_EQ(notice, "");
    spit(dir.path / "l.kvl", bytes + "x166\n");
    EXPECT_NE(results::openProject(t, dir.file("l.kvl")).find("167 行目「x166」"), std::string::npos);
    EXPECT_EQ(t.slots[1][165], "x165");
}

TEST(ProjectFile, TextsCodePage932CannotHoldAreRefusedNamingSlotAndField)
{
    struct Row { const char *name; int slot, field; std::string text; const char *inMessage; };
    const Row rows[] = {
        {"emoji in a beam name", 2, 2, "梁😀", "2番のデータの「部材名」にShift-JIS"},
        {"accented formula", 1, 12, "é×2", "1番のデータの「等分布荷重の計算式」"},
        {"line break in a name", 2, 2, "A\nB", "2番のデータの「部材名」に改行"},
    };
    TempDir dir("refuse");
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        results::Table t = tableOf(2);
        t.slots[static_cast<std::size_t>(row.slot)][static_cast<std::size_t>(row.field)] = row.text;
        const std::string error = results::saveProject(dir.file("r.kvl"), t);
        EXPECT_NE(error.find(row.inMessage), std::string::npos) << error;
        EXPECT_FALSE(fs::exists(dir.path / "r.kvl"));
    }
    // a slot above the count is not saved, so it is not checked either
    results::Table t = tableOf(1);
    t.slots[5][2] = "😀";
    EXPECT_EQ(results::saveProject(dir.file("ok.kvl"), t), "");
}

TEST(ProjectFile, FailedWriteKeepsTheOldFile)
{
    TempDir dir("fail");
    ASSERT_EQ(results::saveProject(dir.file("p.kvl"), tableOf(1)), "");
    const std::string old = slurp(dir.file("p.kvl"));
    files::failWritesAfter(100);
    const std::string error = results::saveProject(dir.file("p.kvl"), tableOf(3));
    files::failWritesAfter(-1);
    EXPECT_NE(error, "");
    EXPECT_EQ(slurp(dir.file("p.kvl")), old);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path), fs::directory_iterator()), 1);
}

TEST(ProjectFile, NamesDropTheExtensionOfTheNamePartAndTakeTheirOwn)
{
    struct Row { const char *chosen, *project, *text; };
    const Row rows[] = {
        {"beam1.txt", "beam1.kvl", "beam1.txt"},
        {"beam1", "beam1.kvl", "beam1.txt"},
        {"/p/beam1.kvl", "/p/beam1.kvl", "/p/beam1.txt"},
        {"a.b.c", "a.b.kvl", "a.b.txt"},
        {"beam1.", "beam1.kvl", "beam1.txt"},
        {"dir.v2/beam", "dir.v2/beam.kvl", "dir.v2/beam.txt"},
        {"梁.データ/梁１.kvl", "梁.データ/梁１.kvl", "梁.データ/梁１.txt"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.chosen);
        EXPECT_EQ(results::projectFileName(row.chosen), row.project);
        EXPECT_EQ(results::textFileName(row.chosen), row.text);
    }
    EXPECT_EQ(results::savedMessage("/p/beam1"), "/p/beam1.kvl で保存されました");
    EXPECT_EQ(std::string(results::kNewCaption), "KOVEL-新規");
}

} // namespace

namespace {

// A page calculated under the notice rule.
sections::NamedBeam noticePage(const std::string &name)
{
    sections::NamedBeam p = page(name);
    p.result.Rfb = "13.350"; // max(fb1, fb2), below F/1.5 = 21.667 kN/cm2
    p.result.notice = beam::NoticeTexts{"SN490B", "325", "1.00", "13.050", "13.350", "3.874",
                                        "3.273", "12.511", "0.262", "OK."};
    return p;
}

TEST(ProjectFile, NoticeBasisFollowsTheSlotsAsAnExtensionBlockAndTravelsWithItsRecord)
{
    TempDir dir("notice");
    results::Table t = tableOf(3);
    results::storeResult(t, noticePage("N4"), results::WhenFull::Refuse);
    ASSERT_EQ(results::saveProject(dir.file("n.kvl"), t), "");
    const std::vector<std::string> lines = crlfLines(slurp(dir.file("n.kvl")));

    // The 1 + 165 n lines are those of the table without the basis; the block follows.
    results::Table plain = t;
    plain.slots[4] = tableOf(4).slots[4];
    plain.slots[4][2] = "N4";
    plain.slots[4][57] = "13.350";
    ASSERT_EQ(results::saveProject(dir.file("plain.kvl"), plain), "");
    const std::vector<std::string> plainLines = crlfLines(slurp(dir.file("plain.kvl")));
    ASSERT_EQ(plainLines.size(), 1u + 165u * 4u);
    ASSERT_EQ(lines.size(), plainLines.size() + 1 + results::kNoticeKeyCount);
    EXPECT_TRUE(std::equal(plainLines.begin(), plainLines.end(), lines.begin()));
    EXPECT_EQ(Names(lines.end() - 12, lines.end()),
              (Names{"#KOVEL-EXT 1", "4.fbrule=notice", "4.grade=SN490B", "4.F=325", "4.C=1.00", "4.fb1=13.050",
                     "4.fb2=13.350", "4.ib=3.874", "4.tau=3.273", "4.fs=12.511", "4.Rshear=0.262", "4.shear=OK."}));

    // Open gives the same table; a move and a delete carry the basis with the record.
    results::Table opened = tableOf(1);
    ASSERT_EQ(results::openProject(opened, dir.file("n.kvl")), "");
    EXPECT_EQ(opened.slots, t.slots);
    opened.selected = 4;
    ASSERT_TRUE(results::moveSelected(opened, 1));
    EXPECT_EQ(results::noticeTexts(opened.slots[1])->grade, "SN490B");
    EXPECT_FALSE(results::hasNoticeData(opened.slots[4]));
    opened.selected = 1;
    ASSERT_TRUE(results::deleteSelected(opened));
    for (int s = 1; s <= results::kSlots; ++s)
        EXPECT_FALSE(results::hasNoticeData(opened.slots[s])) << s;
    // A default-rule store over a slot leaves no basis behind.
    results::writeRecord(t.slots[4], page("D4"), 4);
    EXPECT_FALSE(results::hasNoticeData(t.slots[4]));
}

TEST(ProjectFile, AMalformedExtensionBlockIsRefusedAndTheTableKept)
{
    TempDir dir("badext");
    results::Table t = tableOf(1);
    results::storeResult(t, noticePage("N2"), results::WhenFull::Refuse);
    ASSERT_EQ(results::saveProject(dir.file("good.kvl"), t), "");
    const std::string good = slurp(dir.file("good.kvl"));
    const std::size_t block = good.find("#KOVEL-EXT 1\r\n");
    ASSERT_NE(block, std::string::npos);
    const std::string slots = good.substr(0, block);

    auto changed = [&](const std::string &from, const std::string &to) {
        std::string b = good.substr(block);
        b.replace(b.find(from), from.size(), to);
        return b;
    };
    const struct {
        const char *name;
        std::string block;
    } rows[] = {
        {"damaged header", changed("#KOVEL-EXT 1", "#kovel-ext 1")},
        {"something else after the slots", "something else\r\n"},
        {"fb1 and fb2 that do not give the slot's fb", changed("2.fb2=13.350", "2.fb2=12.000")},
        {"an F that does not give the slot's fb", changed("2.F=325", "2.F=150")},
        {"newer version", "#KOVEL-EXT 2\r\n2.fbrule=notice\r\n"},
        {"not N.key=value", "#KOVEL-EXT 1\r\nfbrule notice\r\n"},
        {"slot out of range", "#KOVEL-EXT 1\r\n3.fbrule=notice\r\n3.shear=OK.\r\n"},
        {"unknown key", "#KOVEL-EXT 1\r\n2.fbrule=notice\r\n2.shear=OK.\r\n2.colour=red\r\n"},
        {"key twice", "#KOVEL-EXT 1\r\n2.fbrule=notice\r\n2.shear=OK.\r\n2.shear=NG.\r\n"},
        {"no rule", "#KOVEL-EXT 1\r\n2.fb1=13.050\r\n"},
        {"unknown shear verdict", "#KOVEL-EXT 1\r\n2.fbrule=notice\r\n2.shear=maybe\r\n"},
        {"not plain text", "#KOVEL-EXT 1\r\n2.fbrule=notice\r\n2.shear=OK.\r\n2.grade=\x8B\xAD\r\n"},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.name);
        { std::ofstream(dir.file("bad.kvl"), std::ios::binary) << slots << row.block; }
        results::Table kept = tableOf(2);
        const results::Table before = kept;
        const std::string error = results::openProject(kept, dir.file("bad.kvl"));
        EXPECT_NE(error.find(" 行目「"), std::string::npos) << error; // the line named
        EXPECT_EQ(kept.slots, before.slots);
        EXPECT_EQ(kept.datano, before.datano);
    }
    // The block as written, with an empty line at the end, opens.
    { std::ofstream(dir.file("tail.kvl"), std::ios::binary) << good << "\r\n"; }
    results::Table opened;
    EXPECT_EQ(results::openProject(opened, dir.file("tail.kvl")), "");
    EXPECT_EQ(opened.datano, 2);
    EXPECT_TRUE(results::hasNoticeData(opened.slots[2]));
}

// The title block of the detailed sheets is a project-level entry after the slots' basis:
// it survives save and reopen (also without any notice slot), an empty one writes nothing,
// and what the file cannot hold or a date that is no day is refused, writing nothing.
TEST(ProjectFile, TitleBlockSurvivesSaveAndReopen)
{
    TempDir dir("title");
    results::Table t = tableOf(1);
    results::storeResult(t, noticePage("N2"), results::WhenFull::Refuse);
    ASSERT_EQ(results::saveProject(dir.file("plain.kvl"), t), "");
    const std::string plain = slurp(dir.file("plain.kvl"));

    t.title = {"○○ビル新築工事", "3階 床梁", "設計 太郎", "照査 花子", "2026-02-28"};
    ASSERT_EQ(results::saveProject(dir.file("t.kvl"), t), "");
    const std::string titled = slurp(dir.file("t.kvl"));
    ASSERT_EQ(titled.compare(0, plain.size(), plain), 0); // every earlier byte as it was
    EXPECT_EQ(crlfLines(titled.substr(plain.size())).size(), 5u);
    results::Table opened = tableOf(3);
    ASSERT_EQ(results::openProject(opened, dir.file("t.kvl")), "");
    EXPECT_EQ(opened.title, t.title);
    EXPECT_EQ(opened.slots, t.slots);

    // Without a notice slot the block gets its header; part of the block only.
    results::Table one = tableOf(1);
    one.title.designer = "設計 太郎";
    ASSERT_EQ(results::saveProject(dir.file("one.kvl"), one), "");
    EXPECT_EQ(crlfLines(slurp(dir.file("one.kvl"))).back(), "title.designer=\x90\xdd\x8c\x76 \x91\xbe\x98\x59");
    ASSERT_EQ(results::openProject(opened, dir.file("one.kvl")), "");
    EXPECT_EQ(opened.title, one.title);

    // A new project forgets the block.
    results::resetTable(opened);
    EXPECT_TRUE(opened.title.empty());

    one.title.checker = "照査〜";
    EXPECT_NE(results::saveProject(dir.file("bad.kvl"), one).find("計算書の表題の「照査者」"), std::string::npos);
    one.title.checker.clear();
    one.title.date = "2026-02-29";
    EXPECT_NE(results::saveProject(dir.file("bad.kvl"), one).find("日付「2026-02-29」"), std::string::npos);
    EXPECT_FALSE(fs::exists(dir.file("bad.kvl")));
    EXPECT_EQ(results::dateRefusal("2024-02-29"), "");

    for (const char *line : {"title.date=2026-13-01", "title.colour=red", "title.part=a\r\ntitle.part=b"}) {
        SCOPED_TRACE(line);
        spit(dir.file("bad.kvl"), plain + line + "\r\n");
        results::Table kept = tableOf(2);
        EXPECT_NE(results::openProject(kept, dir.file("bad.kvl")).find(" 行目「"), std::string::npos);
        EXPECT_TRUE(kept.title.empty());
    }
}

} // namespace
