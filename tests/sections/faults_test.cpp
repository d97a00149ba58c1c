// Faults injected into the registered-member file and the two readers of the section
// data. A member operation whose save fails says why, the file keeps its old bytes and no
// temporary file, the list keeps its new state, and the next save that can write writes
// it whole. A catalogue or member file that cannot be read gives a message and changes
// nothing. Member names survive the file in code page 932 or are refused before writing.
#include "sections/catalogue.h"
#include "sections/members.h"
#include "sections/selection.h"

#include "files/textfile.h"
#include "tests/childprocess.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sstream>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using sections::MemberList;
using namespace testing_child;

struct TempDir {
    fs::path path;
    explicit TempDir(const std::string &tag)
        : path(fs::temp_directory_path() / ("kovel-sections-" + tag + "-" + std::to_string(::getpid())))
    {
        fs::remove_all(path);
        fs::create_directories(path);
    }
    ~TempDir() { fs::remove_all(path); }
    std::string file(const std::string &name) const { return (path / name).string(); }
};

std::string slurp(const fs::path &p)
{
    std::ifstream f(p, std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
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

struct SeamGuard {
    ~SeamGuard() { files::failWritesAfter(-1); }
};

// A member file of three members, as the program writes it.
void writeThreeMembers(const std::string &path)
{
    std::vector<std::string> lines = {"3"};
    const char *const names[] = {"小梁Ｂ１", "ｶﾞｰﾀﾞｰG2", "□-100x100x3.2"};
    for (int i = 0; i < 3; ++i) {
        const std::string a = std::to_string(i + 1) + ".000";
        const std::vector<std::string> block = {std::to_string(i + 1), names[i], a, "9.300", "187.000", "14.800",
                                                "37.500", "5.910"};
        lines.insert(lines.end(), block.begin(), block.end());
    }
    ASSERT_EQ(files::writeTextFile(path, lines), "");
}

// Everything of the list a user can see, the file's path aside.
bool sameState(const MemberList &a, const MemberList &b)
{
    const auto e = [](const sections::MemberEntry &x) {
        return std::vector<std::string>{x.umember, x.uA, x.uWW, x.uIx, x.uIy, x.uZx, x.uZy};
    };
    return a.usergrid == b.usergrid && a.count == b.count && a.buzaidatn == b.buzaidatn && a.uno == b.uno &&
           a.unoEnabled == b.unoEnabled && a.labelh == b.labelh && a.ucom == b.ucom && e(a.entry) == e(b.entry) &&
           a.userlist == b.userlist && a.userlistText == b.userlistText;
}

// The member operations that rewrite the file.
struct Operation {
    const char *name;
    std::function<sections::MemberOutcome(MemberList &)> run;
};

const std::vector<Operation> &operations()
{
    static const std::vector<Operation> ops = {
        {"store a new member",
         [](MemberList &list) {
             list.entry = {"２階小梁Ｂ４", "11.85", "9.3", "187", "14.8", "37.5", "5.91"};
             return sections::storeMember(list);
         }},
        {"delete member 2",
         [](MemberList &list) {
             sections::requestDelete(list);
             list.uno = "2";
             return sections::confirmNumber(list).outcome;
         }},
        {"change member 1",
         [](MemberList &list) {
             sections::requestChange(list);
             list.uno = "1";
             sections::confirmNumber(list);
             list.entry.uA = "22.5";
             return sections::storeMember(list);
         }},
    };
    return ops;
}

// The list the operation leaves when its save succeeds.
MemberList afterSuccess(const Operation &op, const std::string &scratchFile, const std::string &source)
{
    sections::MemberLoad load = sections::loadMembers(source);
    load.list.userbuzaipath = scratchFile;
    const sections::MemberOutcome out = op.run(load.list);
    EXPECT_TRUE(out.saved && out.error.empty()) << out.error;
    return load.list;
}

// ---- A child process for what a test must not do to itself or to the machine ----

// What a member operation did, seen from where it wrote.
struct Seen {
    std::string error;                // the operation's message
    std::string bytes;                // the member file afterwards
    std::vector<std::string> entries; // the folder's names afterwards
    bool listAsExpected = false;      // the list holds the operation's new state
};

struct ChildRun {
    std::optional<Seen> seen;
    std::string skipped;
    std::string failed;
};

// Runs `body` in a child process (tests/childprocess.h) and brings back what it saw.
ChildRun inChild(Mounts mounts, User user, const std::function<Seen()> &body)
{
    const ChildReply r = runInChild(mounts, user, [&] {
        const Seen s = body();
        std::string out;
        putText(out, s.error);
        putText(out, s.bytes);
        putText(out, s.listAsExpected ? "1" : "0");
        for (const std::string &e : s.entries)
            putText(out, e);
        return out;
    });
    if (!r.skipped.empty() || !r.failed.empty())
        return {std::nullopt, r.skipped, r.failed};
    Seen s;
    std::size_t pos = 0;
    s.error = takeText(r.report, pos);
    s.bytes = takeText(r.report, pos);
    s.listAsExpected = takeText(r.report, pos) == "1";
    while (pos < r.report.size())
        s.entries.push_back(takeText(r.report, pos));
    return {s, "", ""};
}

// A failed save: the message, the old bytes, no other file, the list in its new state.
void expectRefused(const Seen &seen, const std::string &reason, const std::string &oldBytes,
                   const std::vector<std::string> &oldEntries)
{
    EXPECT_NE(seen.error.find("登録部材を保存できませんでした"), std::string::npos) << seen.error;
    EXPECT_NE(seen.error.find(reason), std::string::npos) << seen.error;
    EXPECT_EQ(seen.bytes, oldBytes) << "the old file changed";
    EXPECT_EQ(seen.entries, oldEntries) << "a temporary file was left, or the old one lost";
    EXPECT_TRUE(seen.listAsExpected) << "the list lost the change";
}

// Runs every operation against a member file in `folder` under one kind of fault.
// `fault` runs the operation on the loaded list (with the list's path set) and reports.
void forEveryOperation(const TempDir &dir, const fs::path &folder, const std::string &reason,
                       const std::function<ChildRun(const Operation &, MemberList &, const MemberList &)> &fault)
{
    for (const Operation &op : operations()) {
        SCOPED_TRACE(op.name);
        fs::create_directories(folder);
        const std::string path = (folder / "ubuzai.txt").string();
        writeThreeMembers(path);
        const std::string old = slurp(path);
        const MemberList expected = afterSuccess(op, dir.file("scratch.txt"), path);
        sections::MemberLoad load = sections::loadMembers(path);
        ASSERT_EQ(load.error, "");
        ChildRun run = fault(op, load.list, expected);
        if (!run.skipped.empty())
            GTEST_SKIP() << run.skipped;
        ASSERT_EQ(run.failed, "");
        ASSERT_TRUE(run.seen.has_value());
        expectRefused(*run.seen, reason, old, {"ubuzai.txt"});
        fs::remove_all(folder);
    }
}

Seen runAndLook(const Operation &op, MemberList &list, const MemberList &expected)
{
    Seen s;
    s.error = op.run(list).error;
    s.bytes = slurp(list.userbuzaipath);
    s.entries = entries(fs::path(list.userbuzaipath).parent_path());
    s.listAsExpected = sameState(list, expected);
    return s;
}

// ---- Member file faults ----

TEST(MemberFileFaults, ADiskThatFillsAtAnyPointKeepsTheOldFileAndTheNextSaveWritesTheList)
{
    TempDir dir("seam");
    const fs::path folder = dir.path / "shape";
    for (const Operation &op : operations()) {
        SCOPED_TRACE(op.name);
        fs::create_directories(folder);
        const std::string path = (folder / "ubuzai.txt").string();
        writeThreeMembers(path);
        const std::string old = slurp(path);
        const MemberList expected = afterSuccess(op, dir.file("scratch.txt"), path);
        const long long size = static_cast<long long>(slurp(dir.file("scratch.txt")).size());
        for (long long budget : {0LL, 1LL, 7LL, size / 2, size - 1}) {
            SCOPED_TRACE("room for " + std::to_string(budget) + " of " + std::to_string(size) + " bytes");
            sections::MemberLoad load = sections::loadMembers(path);
            ASSERT_EQ(load.error, "");
            Seen seen;
            {
                SeamGuard guard;
                files::failWritesAfter(budget);
                seen = runAndLook(op, load.list, expected);
            }
            expectRefused(seen, "空き容量", old, {"ubuzai.txt"});
            // room again: the next save writes the list as it now stands
            ASSERT_EQ(sections::saveMembers(load.list), "");
            EXPECT_EQ(slurp(path), slurp(dir.file("scratch.txt")));
            writeThreeMembers(path);
        }
        fs::remove_all(folder);
    }
}

TEST(MemberFileFaults, AMemberPathThatIsAFolderOrInAVanishedFolder)
{
    TempDir dir("paths");
    struct Row {
        const char *name;
        std::function<void(const fs::path &folder)> spoil; // after the load, before the operation
        const char *reason;
    };
    const std::vector<Row> rows = {
        {"the file replaced by a folder",
         [](const fs::path &f) {
             fs::remove(f / "ubuzai.txt");
             fs::create_directory(f / "ubuzai.txt");
         },
         "フォルダーです"},
        {"the folder removed", [](const fs::path &f) { fs::remove_all(f); }, "見つかりません"},
        {"the folder replaced by a file",
         [](const fs::path &f) {
             fs::remove_all(f);
             std::ofstream(f) << "x";
         },
         "フォルダーではありません"},
    };
    for (const Row &row : rows) {
        for (const Operation &op : operations()) {
            SCOPED_TRACE(std::string(row.name) + ", " + op.name);
            const fs::path folder = dir.path / "shape";
            fs::create_directories(folder);
            const std::string path = (folder / "ubuzai.txt").string();
            writeThreeMembers(path);
            const MemberList expected = afterSuccess(op, dir.file("scratch.txt"), path);
            sections::MemberLoad load = sections::loadMembers(path);
            row.spoil(folder);
            const std::vector<std::string> before = entries(dir.path);
            const sections::MemberOutcome out = op.run(load.list);
            EXPECT_NE(out.error.find(row.reason), std::string::npos) << out.error;
            EXPECT_TRUE(sameState(load.list, expected));
            EXPECT_EQ(entries(dir.path), before);
            fs::remove_all(folder);
        }
    }
}

TEST(MemberFileFaults, AFolderWithoutWritePermission)
{
    TempDir dir("locked");
    const fs::path folder = dir.path / "shape";
    forEveryOperation(dir, folder, "アクセスが拒否",
                      [&](const Operation &op, MemberList &list, const MemberList &expected) {
                          fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec |
                                                      fs::perms::group_read | fs::perms::group_exec |
                                                      fs::perms::others_read | fs::perms::others_exec);
                          ChildRun run = inChild(Mounts::Shared, User::Unprivileged,
                                                 [&] { return runAndLook(op, list, expected); });
                          fs::permissions(folder, fs::perms::owner_all);
                          return run;
                      });
}

TEST(MemberFileFaults, AWriteProtectedMemberFile)
{
    TempDir dir("protected");
    const fs::path folder = dir.path / "shape";
    forEveryOperation(dir, folder, "アクセスが拒否",
                      [&](const Operation &op, MemberList &list, const MemberList &expected) {
                          fs::permissions(folder, fs::perms::all);
                          fs::permissions(folder / "ubuzai.txt",
                                          fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
                          return inChild(Mounts::Shared, User::Unprivileged,
                                         [&] { return runAndLook(op, list, expected); });
                      });
}

TEST(MemberFileFaults, AReadOnlyFileSystem)
{
    TempDir dir("readonly-fs");
    const fs::path folder = dir.path / "shape";
    forEveryOperation(dir, folder, "読み取り専用",
                      [&](const Operation &op, MemberList &list, const MemberList &expected) {
                          return inChild(Mounts::Private, User::AsIs, [&] {
                              const std::string f = folder.string();
                              if (::mount(f.c_str(), f.c_str(), nullptr, MS_BIND, nullptr) != 0 ||
                                  ::mount(nullptr, f.c_str(), nullptr, MS_BIND | MS_REMOUNT | MS_RDONLY, nullptr) != 0)
                                  return Seen{std::string("mount: ") + std::strerror(errno), "", {}, false};
                              return runAndLook(op, list, expected);
                          });
                      });
}

TEST(MemberFileFaults, AFullFileSystem)
{
    TempDir dir("full-fs");
    const fs::path folder = dir.path / "shape";
    forEveryOperation(dir, folder, "空き容量",
                      [&](const Operation &op, MemberList &list, const MemberList &expected) {
                          const std::string old = slurp(folder / "ubuzai.txt");
                          return inChild(Mounts::Private, User::AsIs, [&] {
                              const std::string f = folder.string();
                              if (::mount("tmpfs", f.c_str(), "tmpfs", MS_NOSUID | MS_NODEV, "size=64k") != 0)
                                  return Seen{std::string("mount: ") + std::strerror(errno), "", {}, false};
                              std::ofstream(folder / "ubuzai.txt", std::ios::binary) << old;
                              const int filler = ::open((folder / "filler").c_str(), O_WRONLY | O_CREAT, 0600);
                              const std::string block(4096, 'x');
                              while (::write(filler, block.data(), block.size()) > 0) {
                              }
                              ::close(filler);
                              Seen s = runAndLook(op, list, expected);
                              s.entries.erase(std::remove(s.entries.begin(), s.entries.end(), "filler"),
                                              s.entries.end());
                              return s;
                          });
                      });
}

// ---- Readers ----

TEST(SectionReaderFaults, ACatalogueThatCannotBeReadGivesAMessageAndNoValues)
{
    TempDir dir("catalogue");
    struct Row {
        const char *name;
        std::function<std::string()> make; // returns the path to read
        const char *reason;
    };
    const std::vector<Row> rows = {
        {"missing", [&] { return dir.file("none.txt"); }, "見つかりません"},
        {"a folder",
         [&] {
             fs::create_directory(dir.path / "folder.txt");
             return dir.file("folder.txt");
         },
         "フォルダーです"},
        {"not code page 932",
         [&] {
             std::ofstream(dir.path / "bytes.txt", std::ios::binary) << "HN\r\nH-100x50x5x7\r\n\x82\xFF\r\n";
             return dir.file("bytes.txt");
         },
         "3 行目"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        const std::string path = row.make();
        const sections::LookupOutcome look = sections::lookupMember(path, "H-100x50x5x7", false);
        EXPECT_FALSE(look.texts.has_value());
        EXPECT_NE(look.error.find(path), std::string::npos) << look.error;
        EXPECT_NE(look.error.find(row.reason), std::string::npos) << look.error;
        beam::InputTexts in;
        in.Span = "6";
        const sections::SelectionOutcome sel = sections::selectSize(in, path);
        EXPECT_EQ(sel.checked, 0);
        EXPECT_FALSE(sel.result.has_value());
        EXPECT_NE(sel.error.find(row.reason), std::string::npos) << sel.error;
    }
}

TEST(SectionReaderFaults, UnreadableFilesForAnUnprivilegedUser)
{
    TempDir dir("unreadable");
    writeThreeMembers(dir.file("ubuzai.txt"));
    std::ofstream(dir.path / "buzai.txt", std::ios::binary) << "HN\r\nH-100x50x5x7\r\n100\r\n";
    const std::string oldMembers = slurp(dir.path / "ubuzai.txt");
    for (const char *name : {"ubuzai.txt", "buzai.txt"})
        fs::permissions(dir.path / name, fs::perms::owner_read | fs::perms::owner_write);
    const ChildRun run = inChild(Mounts::Shared, User::Unprivileged, [&] {
        Seen s;
        const sections::MemberLoad members = sections::loadMembers(dir.file("ubuzai.txt"));
        const sections::LookupOutcome look = sections::lookupMember(dir.file("buzai.txt"), "H-100x50x5x7", false);
        s.error = members.error + "|" + look.error;
        s.listAsExpected = members.list.count == 0 && members.list.userlist.empty() && !look.texts;
        return s;
    });
    if (!run.skipped.empty())
        GTEST_SKIP() << run.skipped;
    ASSERT_EQ(run.failed, "");
    ASSERT_TRUE(run.seen.has_value());
    const std::string &errors = run.seen->error;
    const std::size_t bar = errors.find('|');
    EXPECT_NE(errors.substr(0, bar).find("アクセスが拒否"), std::string::npos) << errors;
    EXPECT_NE(errors.substr(bar).find("アクセスが拒否"), std::string::npos) << errors;
    EXPECT_TRUE(run.seen->listAsExpected) << "an unreadable file gave members or section values";
    EXPECT_EQ(slurp(dir.path / "ubuzai.txt"), oldMembers) << "a failed load rewrote the member file";
}

// ---- Member names in code page 932 ----

TEST(MemberNames, TypicalNamesSurviveTheFileAndLookAlikesAreRefusedBeforeWriting)
{
    TempDir dir("names");
    const std::string path = dir.file("ubuzai.txt");
    const std::vector<std::string> good = {"２階床梁Ｇ１", "ｽﾗﾌﾞ受け小梁", "□-200x100x6", "φ114.3x4.5",
                                           "BH-400x200x9x16", "梁①～③",       "髙橋邸 ⅰ通り", "小梁　㎜"};
    ASSERT_EQ(files::writeTextFile(path, {"0"}), "");
    MemberList list = sections::loadMembers(path).list;
    for (const std::string &name : good) {
        list.entry = {name, "1", "2", "3", "4", "5", "6"};
        EXPECT_EQ(sections::storeMember(list).error, "") << name;
    }
    const MemberList reread = sections::loadMembers(path).list;
    EXPECT_EQ(reread.userlist, good);

    struct Row {
        const char *name;
        std::string text;
    };
    const std::vector<Row> refused = {
        {"emoji", "梁😀"}, {"wave dash", "梁1\u301C3"}, {"minus sign", "\u2212梁"}, {"yen sign", "\u00A5梁"},
        {"line break", "梁\r\n2"},
    };
    const std::string bytes = slurp(path);
    for (const Row &row : refused) {
        SCOPED_TRACE(row.name);
        MemberList before = list;
        list.entry = {row.text, "1", "2", "3", "4", "5", "6"};
        before.entry = list.entry;
        const sections::MemberOutcome out = sections::storeMember(list);
        EXPECT_NE(out.error.find("部材名"), std::string::npos) << out.error;
        EXPECT_FALSE(out.saved);
        EXPECT_TRUE(sameState(list, before)) << "a refused name changed the list";
        EXPECT_EQ(slurp(path), bytes);
        EXPECT_EQ(entries(dir.path), std::vector<std::string>{"ubuzai.txt"});
    }
}

} // namespace
