// Faults injected into the two writers of the result table, the project file and the text
// report: a full disk at every stage of a write, a path that is a folder, a folder that
// vanished, a folder without write permission, a write-protected file, a read-only and a
// really full file system. Each time the writer says why, reports no success, leaves the
// old file byte for byte and no temporary file, and the table stays as it was. Then the
// code page 932 texts of a whole table survive a save and an open.
#include "helpers.h"
#include "tests/childprocess.h"

#include "files/textfile.h"
#include "results/projectfile.h"
#include "results/textreport.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <functional>
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using namespace testing_results;
using namespace testing_child;

// A writer of the whole table.
struct Writer {
    const char *name;
    std::string (*write)(const std::string &path, const results::Table &table);
};
const Writer kWriters[] = {{"project file", results::saveProject}, {"text report", results::writeTextReport}};

// The table already in the file, and the one the faulty write tries to put there.
results::Table oldTable()
{
    results::Table t = tableOf(3);
    t.slots[2][2] = "旧データ梁";
    return t;
}

results::Table newTable()
{
    results::Table t = tableOf(40);
    for (int s = 1; s <= 40; ++s)
        t.slots[static_cast<std::size_t>(s)][2] = "２階床梁Ｇ" + std::to_string(s);
    return t;
}

bool sameTable(const results::Table &a, const results::Table &b)
{
    return a.datano == b.datano && a.selected == b.selected && a.pre == b.pre && a.selectgrid == b.selectgrid &&
           a.slots == b.slots;
}

std::vector<std::string> entries(const fs::path &dir)
{
    std::vector<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec))
        names.push_back(it->path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// Switches the full-disk seam off again however a test ends.
struct SeamGuard {
    ~SeamGuard() { files::failWritesAfter(-1); }
};

// ---- A child process for what a test must not do to itself or to the machine ----

// What a write did, seen from where it wrote.
struct Seen {
    std::string error;                // the writer's message
    std::string bytes;                // the target afterwards
    std::vector<std::string> entries; // the folder's names afterwards
};

Seen look(const std::string &error, const fs::path &target)
{
    return {error, slurp(target), entries(target.parent_path())};
}

std::string pack(const std::vector<Seen> &all)
{
    std::string out;
    putText(out, std::to_string(all.size()));
    for (const Seen &s : all) {
        putText(out, s.error);
        putText(out, s.bytes);
        putText(out, std::to_string(s.entries.size()));
        for (const std::string &e : s.entries)
            putText(out, e);
    }
    return out;
}

std::vector<Seen> unpack(const std::string &in)
{
    std::size_t pos = 0;
    std::vector<Seen> all(std::stoul(takeText(in, pos)));
    for (Seen &s : all) {
        s.error = takeText(in, pos);
        s.bytes = takeText(in, pos);
        s.entries.resize(std::stoul(takeText(in, pos)));
        for (std::string &e : s.entries)
            e = takeText(in, pos);
    }
    return all;
}

struct ChildRun {
    std::vector<Seen> seen;
    std::string skipped; // why the machine does not allow the run
    std::string failed;  // the child ended without a report
};

// Runs `body` in a child process (tests/childprocess.h) and brings back what it saw.
ChildRun inChild(Mounts mounts, User user, const std::function<std::vector<Seen>()> &body)
{
    const ChildReply r = runInChild(mounts, user, [&] { return pack(body()); });
    if (!r.skipped.empty() || !r.failed.empty())
        return {{}, r.skipped, r.failed};
    return {unpack(r.report), "", ""};
}

// A failed write: a message with the reason, the old bytes, nothing else in the folder.
void expectRefused(const Seen &seen, const std::string &reason, const std::string &oldBytes,
                   const std::vector<std::string> &oldEntries)
{
    EXPECT_NE(seen.error, "") << "a failed write reported success";
    EXPECT_NE(seen.error.find("書き込めません"), std::string::npos) << seen.error;
    EXPECT_NE(seen.error.find(reason), std::string::npos) << seen.error;
    EXPECT_EQ(seen.bytes, oldBytes) << "the old file changed";
    EXPECT_EQ(seen.entries, oldEntries) << "a temporary file was left, or the old one lost";
}

// ---- Faults through the writer's own seam and the file system's names ----

TEST(WriterFaults, ADiskThatFillsAtAnyPointKeepsTheOldFile)
{
    TempDir dir("seam");
    for (const Writer &w : kWriters) {
        SCOPED_TRACE(w.name);
        const results::Table table = newTable();
        const results::Table before = table;
        ASSERT_EQ(w.write(dir.file("expected"), table), "");
        const std::string expected = slurp(dir.file("expected"));
        fs::remove(dir.path / "expected");
        ASSERT_EQ(w.write(dir.file("target"), oldTable()), "");
        const std::string old = slurp(dir.file("target"));
        const std::vector<std::string> oldEntries = entries(dir.path);

        const long long size = static_cast<long long>(expected.size());
        for (long long budget : {0LL, 1LL, 2LL, 511LL, size / 2, size - 2, size - 1}) {
            SCOPED_TRACE("room for " + std::to_string(budget) + " of " + std::to_string(size) + " bytes");
            SeamGuard guard;
            files::failWritesAfter(budget);
            const std::string error = w.write(dir.file("target"), table);
            files::failWritesAfter(-1);
            expectRefused(look(error, dir.path / "target"), "空き容量", old, oldEntries);
            EXPECT_TRUE(sameTable(table, before));
        }
        // exactly enough room: the write goes through
        SeamGuard guard;
        files::failWritesAfter(size);
        EXPECT_EQ(w.write(dir.file("target"), table), "");
        files::failWritesAfter(-1);
        EXPECT_EQ(slurp(dir.file("target")), expected);
        fs::remove(dir.path / "target");
    }
}

TEST(WriterFaults, APathThatIsAFolderIsRefusedAndTheFolderKept)
{
    TempDir dir("folder");
    fs::create_directory(dir.path / "taken.kvl");
    spit(dir.path / "taken.kvl" / "inside.txt", "keep");
    for (const Writer &w : kWriters) {
        SCOPED_TRACE(w.name);
        const std::string error = w.write(dir.file("taken.kvl"), newTable());
        EXPECT_NE(error.find("フォルダーです"), std::string::npos) << error;
        EXPECT_TRUE(fs::is_directory(dir.path / "taken.kvl"));
        EXPECT_EQ(entries(dir.path / "taken.kvl"), std::vector<std::string>{"inside.txt"});
        EXPECT_EQ(slurp(dir.path / "taken.kvl" / "inside.txt"), "keep");
        EXPECT_EQ(entries(dir.path), std::vector<std::string>{"taken.kvl"});
    }
}

TEST(WriterFaults, AFolderThatVanishedIsNotCreatedAgain)
{
    TempDir dir("vanish");
    for (const Writer &w : kWriters) {
        SCOPED_TRACE(w.name);
        // the folder chosen in the dialog is removed before the write
        fs::create_directory(dir.path / "gone");
        ASSERT_EQ(w.write(dir.file("gone/p.kvl"), oldTable()), "");
        fs::remove_all(dir.path / "gone");
        std::string error = w.write(dir.file("gone/p.kvl"), newTable());
        EXPECT_NE(error.find("見つかりません"), std::string::npos) << error;
        EXPECT_FALSE(fs::exists(dir.path / "gone"));

        // ... or replaced by a plain file of the same name
        spit(dir.path / "gone", "a file now");
        error = w.write(dir.file("gone/p.kvl"), newTable());
        EXPECT_NE(error.find("フォルダーではありません"), std::string::npos) << error;
        EXPECT_EQ(slurp(dir.path / "gone"), "a file now");
        fs::remove(dir.path / "gone");
    }
}

// ---- Faults that need a child process ----

TEST(WriterFaults, AFolderWithoutWritePermissionKeepsTheOldFile)
{
    TempDir dir("readonly-folder");
    for (const Writer &w : kWriters) {
        SCOPED_TRACE(w.name);
        const fs::path folder = dir.path / "locked";
        fs::create_directory(folder);
        ASSERT_EQ(w.write((folder / "p.kvl").string(), oldTable()), "");
        const std::string old = slurp(folder / "p.kvl");
        fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                                    fs::perms::group_exec | fs::perms::others_read | fs::perms::others_exec);
        const results::Table table = newTable();
        const ChildRun run = inChild(Mounts::Shared, User::Unprivileged, [&] {
            return std::vector<Seen>{look(w.write((folder / "p.kvl").string(), table), folder / "p.kvl")};
        });
        fs::permissions(folder, fs::perms::owner_all);
        if (!run.skipped.empty())
            GTEST_SKIP() << run.skipped;
        ASSERT_EQ(run.failed, "");
        ASSERT_EQ(run.seen.size(), 1u);
        expectRefused(run.seen[0], "アクセスが拒否", old, {"p.kvl"});
        EXPECT_EQ(slurp(folder / "p.kvl"), old);
        fs::remove_all(folder);
    }
}

// The folder would allow a rename over the file; the file's own protection must still hold,
// also for the superuser, whom the access test lets write anything.
TEST(WriterFaults, AWriteProtectedFileIsNotReplaced)
{
    TempDir dir("protected");
    fs::permissions(dir.path, fs::perms::all);
    for (const Writer &w : kWriters) {
        for (const User user : {User::Unprivileged, User::AsIs}) {
            SCOPED_TRACE(std::string(w.name) + (user == User::AsIs ? " as the test's own user" : ""));
            const fs::path target = dir.path / "p.kvl";
            ASSERT_EQ(w.write(target.string(), oldTable()), "");
            const std::string old = slurp(target);
            fs::permissions(target, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
            const results::Table table = newTable();
            const ChildRun run = inChild(Mounts::Shared, user, [&] {
                return std::vector<Seen>{look(w.write(target.string(), table), target)};
            });
            if (!run.skipped.empty())
                GTEST_SKIP() << run.skipped;
            ASSERT_EQ(run.failed, "");
            ASSERT_EQ(run.seen.size(), 1u);
            expectRefused(run.seen[0], "アクセスが拒否", old, {"p.kvl"});
            EXPECT_EQ(slurp(target), old);
            EXPECT_EQ(fs::status(target).permissions() & fs::perms::owner_write, fs::perms::none);
            fs::permissions(target, fs::perms::owner_all);
            fs::remove(target);
        }
    }
}

TEST(WriterFaults, AReadOnlyFileSystemKeepsTheOldFile)
{
    TempDir dir("readonly-fs");
    for (const Writer &w : kWriters) {
        SCOPED_TRACE(w.name);
        const fs::path folder = dir.path / "mounted";
        fs::create_directory(folder);
        ASSERT_EQ(w.write((folder / "p.kvl").string(), oldTable()), "");
        const std::string old = slurp(folder / "p.kvl");
        const results::Table table = newTable();
        const ChildRun run = inChild(Mounts::Private, User::AsIs, [&] {
            const std::string f = folder.string();
            if (::mount(f.c_str(), f.c_str(), nullptr, MS_BIND, nullptr) != 0 ||
                ::mount(nullptr, f.c_str(), nullptr, MS_BIND | MS_REMOUNT | MS_RDONLY, nullptr) != 0)
                return std::vector<Seen>{{std::string("mount: ") + std::strerror(errno), "", {}}};
            return std::vector<Seen>{look(w.write((folder / "p.kvl").string(), table), folder / "p.kvl")};
        });
        if (!run.skipped.empty())
            GTEST_SKIP() << run.skipped;
        ASSERT_EQ(run.failed, "");
        ASSERT_EQ(run.seen.size(), 1u);
        expectRefused(run.seen[0], "読み取り専用", old, {"p.kvl"});
        EXPECT_EQ(slurp(folder / "p.kvl"), old);
        EXPECT_EQ(entries(folder), std::vector<std::string>{"p.kvl"});
        fs::remove_all(folder);
    }
}

// A small memory file system filled up to a few free pages: the write runs out of room at
// different points; once room is made, the same write goes through.
TEST(WriterFaults, AFullFileSystemKeepsTheOldFileAndTheWriteSucceedsOnceThereIsRoom)
{
    TempDir dir("full-fs");
    constexpr long kPage = 4096;
    const std::vector<long> freePages = {0, 1, 2, 4};
    for (const Writer &w : kWriters) {
        SCOPED_TRACE(w.name);
        const fs::path folder = dir.path / "small";
        fs::create_directory(folder);
        const results::Table table = newTable();
        ASSERT_EQ(w.write(dir.file("expected"), table), "");
        const std::string expected = slurp(dir.file("expected"));
        ASSERT_GT(static_cast<long>(expected.size()), freePages.back() * kPage) << "the write must not fit";
        const ChildRun run = inChild(Mounts::Private, User::AsIs, [&] {
            std::vector<Seen> seen;
            const std::string f = folder.string();
            if (::mount("tmpfs", f.c_str(), "tmpfs", MS_NOSUID | MS_NODEV, "size=256k") != 0) {
                seen.push_back({std::string("mount: ") + std::strerror(errno), "", {}});
                return seen;
            }
            const fs::path target = folder / "p.kvl";
            seen.push_back(look(w.write(target.string(), oldTable()), target)); // [0] the old file
            const int filler = ::open((folder / "filler").c_str(), O_WRONLY | O_CREAT, 0600);
            const std::string block(static_cast<std::size_t>(kPage), 'x');
            off_t filled = 0;
            while (::write(filler, block.data(), block.size()) > 0)
                filled += kPage;
            for (long pages : freePages) { // [1..4] the faulty writes
                if (::ftruncate(filler, filled - pages * kPage) != 0)
                    return std::vector<Seen>{{std::string("ftruncate: ") + std::strerror(errno), "", {}}};
                seen.push_back(look(w.write(target.string(), table), target));
                Seen &s = seen.back();
                s.entries.erase(std::remove(s.entries.begin(), s.entries.end(), "filler"), s.entries.end());
            }
            ::close(filler);
            ::unlink((folder / "filler").c_str());
            seen.push_back(look(w.write(target.string(), table), target)); // [5] with room
            return seen;
        });
        fs::remove(dir.path / "expected");
        if (!run.skipped.empty())
            GTEST_SKIP() << run.skipped;
        ASSERT_EQ(run.failed, "");
        ASSERT_EQ(run.seen.size(), freePages.size() + 2) << (run.seen.empty() ? "" : run.seen[0].error);
        ASSERT_EQ(run.seen[0].error, "");
        const std::string old = run.seen[0].bytes;
        for (std::size_t i = 0; i < freePages.size(); ++i) {
            SCOPED_TRACE(std::to_string(freePages[i]) + " pages free");
            expectRefused(run.seen[i + 1], "空き容量", old, {"p.kvl"});
        }
        EXPECT_EQ(run.seen.back().error, "");
        EXPECT_EQ(run.seen.back().bytes, expected);
        EXPECT_EQ(run.seen.back().entries, std::vector<std::string>{"p.kvl"});
        fs::remove_all(folder);
    }
}

// ---- Code page 932 texts of a whole table ----

// Pages that use every fixed word of the record and typical user texts.
results::Table tableOfEveryWord()
{
    const std::vector<std::string> names = {"２階床梁Ｇ１", "ｽﾗﾌﾞ受け小梁", "屋根 大梁（東側）", "梁①～③",
                                            "髙橋邸 B-1",   "ⅰ通り－ⅳ通り", "≒L/300の梁",     "纊"};
    const std::vector<std::string> members = {"H-100x50x5x7", "□-200x100x6", "φ114.3x4.5", "BH-400x200x9x16",
                                              "L-175X175X15", "[-75x40x5x7", "小梁用 ㎜表示",  "I-600x190x16x35"};
    const beam::Support supports[] = {beam::Support::PinPin, beam::Support::PinFixed, beam::Support::FixedFixed,
                                      beam::Support::FreeFixed};
    const char *const codes[] = {"HW", "HM", "HN", "C", "L", "I", "BH", "kaku", "maru", "direct", "user"};
    results::Table t;
    results::resetTable(t);
    for (int i = 0; i < 16; ++i) {
        sections::NamedBeam p = page(names[static_cast<std::size_t>(i) % names.size()]);
        p.texts.weak = i & 1;
        p.texts.term = i & 2;
        p.texts.si = i & 4;
        p.texts.jijuucheck = i & 8;
        p.texts.support = supports[i % 4];
        p.texts.family = *beam::familyFromCode(codes[i % 11]);
        p.member = members[static_cast<std::size_t>(i) % members.size()];
        p.shiki = "3.000x(2.000+1.500)/2　ｽﾊﾟﾝ";
        p.result.Mcent = i % 4 == 3 ? "" : "12.345";
        p.result.hantei = i % 3 ? beam::kVerdictOk : beam::kVerdictNg;
        results::storeResult(t, p, results::WhenFull::Refuse);
    }
    return t;
}

TEST(TableTexts, EveryFixedWordAndTypicalUserTextsSurviveSaveAndOpen)
{
    TempDir dir("texts");
    const results::Table t = tableOfEveryWord();
    ASSERT_EQ(results::saveProject(dir.file("words.kvl"), t), "");
    results::Table opened;
    results::resetTable(opened);
    ASSERT_EQ(results::openProject(opened, dir.file("words.kvl")), "");
    for (int s = 1; s <= t.datano; ++s) {
        SCOPED_TRACE("slot " + std::to_string(s));
        EXPECT_EQ(opened.slots[static_cast<std::size_t>(s)], t.slots[static_cast<std::size_t>(s)]);
    }
    EXPECT_EQ(opened.datano, t.datano);

    // the report reads back line for line
    ASSERT_EQ(results::writeTextReport(dir.file("words.txt"), t), "");
    const files::TextFileRead report = files::readTextFile(dir.file("words.txt"));
    ASSERT_TRUE(report.lines) << report.error;
    EXPECT_EQ(*report.lines, results::reportLines(t));
}

TEST(TableTexts, ATextOutsideCodePage932IsRefusedNamingItsPlaceAndNothingIsWritten)
{
    struct Row {
        const char *name;
        int field;
        std::string text;
        const char *place;
    };
    const std::vector<Row> rows = {
        {"emoji in the beam name", 2, "梁😀", "3番のデータの「部材名」"},
        {"wave dash in the beam name", 2, "梁1\u301C3", "3番のデータの「部材名」"},
        {"minus sign in the span", 7, "\u22126.0", "3番のデータの「スパン長さ」"},
        {"yen sign in the formula", 12, "\u00A5100", "3番のデータの「等分布荷重の計算式」"},
        {"em dash in the member", 46, "H\u2014100", "3番のデータの「計算部材」"},
    };
    TempDir dir("outside");
    for (const Writer &w : kWriters) {
        SCOPED_TRACE(w.name);
        ASSERT_EQ(w.write(dir.file("old"), oldTable()), "");
        const std::string old = slurp(dir.file("old"));
        for (const Row &row : rows) {
            SCOPED_TRACE(row.name);
            results::Table t = newTable();
            t.slots[3][static_cast<std::size_t>(row.field)] = row.text;
            const results::Table before = t;
            const std::string error = w.write(dir.file("old"), t);
            EXPECT_NE(error.find(row.place), std::string::npos) << error;
            EXPECT_NE(error.find("Shift-JIS"), std::string::npos) << error;
            EXPECT_EQ(slurp(dir.file("old")), old);
            EXPECT_EQ(entries(dir.path), std::vector<std::string>{"old"});
            EXPECT_TRUE(sameTable(t, before));
        }
        fs::remove(dir.path / "old");
    }
}

} // namespace
