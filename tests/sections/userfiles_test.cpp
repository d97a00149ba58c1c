// Where the data files are found, and the member file as the user's own: moved out of a
// read-only installation, shared by two windows, kept when it could not be read.
#include "files/datafiles.h"
#include "files/textfile.h"
#include "sections/members.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <regex>
#include <sstream>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using files::DataPlace;
using sections::MemberList;
using ::testing::HasSubstr;

std::string slurp(const fs::path &p)
{
    std::ifstream f(p, std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}

// Sets a variable of the environment, or removes it (nullptr).
void setEnvironment(const char *name, const char *value)
{
#ifdef _WIN32
    ::_putenv_s(name, value ? value : "");
#else
    if (value)
        ::setenv(name, value, 1);
    else
        ::unsetenv(name);
#endif
}

// `relative` in `folder`, with the separators the system's paths have.
std::string inDir(const std::string &folder, const char *relative)
{
    return (fs::path(folder) / relative).make_preferred().string();
}

// A temporary home: a working directory, a user's data folder and an installed folder.
struct Folders {
    fs::path root;
    files::DataFolders dirs;
    Folders() : root(fs::temp_directory_path() / ("kovel-userfiles-" + std::to_string(::getpid())))
    {
        fs::remove_all(root);
        dirs = {(root / "work").make_preferred().string(), (root / "home/.local/share/kovel").make_preferred().string(),
                (root / "usr/share/kovel").make_preferred().string()};
        for (const std::string *d : {&dirs.work, &dirs.user, &dirs.installed})
            fs::create_directories(*d);
    }
    ~Folders()
    {
        std::error_code ec;
        fs::permissions(dirs.installed, fs::perms::owner_all, fs::perm_options::add, ec);
        fs::permissions(fs::path(dirs.installed) / "shape", fs::perms::owner_all, fs::perm_options::add, ec);
        // a read-only file cannot be removed on Windows
        for (const std::string *d : {&dirs.work, &dirs.installed})
            fs::permissions(fs::path(*d) / "shape/ubuzai.txt", fs::perms::owner_write, fs::perm_options::add, ec);
        fs::remove_all(root, ec);
    }
};

// A member file with the named members (all with the same values).
void writeMembers(const std::string &path, const std::vector<std::string> &names)
{
    fs::create_directories(fs::path(path).parent_path());
    std::vector<std::string> lines = {std::to_string(names.size())};
    int n = 0;
    for (const std::string &name : names) {
        const std::vector<std::string> block = {std::to_string(++n), name, "11.850", "9.300", "187.000", "14.800", "37.500", "5.910"};
        lines.insert(lines.end(), block.begin(), block.end());
    }
    ASSERT_EQ(files::writeTextFile(path, lines), "");
}

std::vector<std::string> namesIn(const std::string &path)
{
    const sections::MemberLoad load = sections::loadMembers(path);
    EXPECT_EQ(load.error, "") << path;
    return load.list.userlist;
}

// Types a new member into the entry boxes and stores it as the next number.
sections::MemberOutcome storeNew(MemberList &list, const std::string &name)
{
    list.entry = {name, "20", "15.7", "400", "50", "80", "10"};
    list.uno = std::to_string(list.count + 1);
    return sections::storeMember(list);
}

sections::MemberOutcome deleteMember(MemberList &list, int number)
{
    sections::requestDelete(list);
    list.uno = std::to_string(number);
    return sections::confirmNumber(list).outcome;
}

TEST(DataFiles, EachFileIsLookedUpInTheWorkingDirectoryThenTheUsersFolderThenTheInstalledOne)
{
    struct Row {
        bool work, user, installed;
        DataPlace expected;
    };
    const Row rows[] = {
        {true, true, true, DataPlace::Work},
        {false, true, true, DataPlace::User},
        {false, false, true, DataPlace::Installed},
        {false, false, false, DataPlace::Missing},
    };
    for (const Row &row : rows) {
        Folders f;
        const std::pair<bool, const std::string *> holders[] = {
            {row.work, &f.dirs.work}, {row.user, &f.dirs.user}, {row.installed, &f.dirs.installed}};
        for (const auto &[holds, dir] : holders)
            if (holds)
                writeMembers(inDir(*dir, "shape/buzai.txt"), {});
        const files::DataFile found = files::findDataFile(f.dirs, "shape/buzai.txt");
        EXPECT_EQ(found.place, row.expected);
        const std::string &in = row.expected == DataPlace::User        ? f.dirs.user
                                : row.expected == DataPlace::Installed ? f.dirs.installed
                                                                       : f.dirs.work;
        EXPECT_EQ(found.path, inDir(in, "shape/buzai.txt"));
    }
#ifdef _WIN32
    // the user's folder is KOVEL in the roaming application data
    const char *oldAppData = std::getenv("APPDATA");
    const std::string keep = oldAppData ? oldAppData : "";
    setEnvironment("APPDATA", "C:\\Users\\u\\AppData\\Roaming");
    EXPECT_EQ(files::dataFolders().user, "C:\\Users\\u\\AppData\\Roaming\\KOVEL");
    setEnvironment("APPDATA", oldAppData ? keep.c_str() : nullptr);
#else
    // the user's folder follows $XDG_DATA_HOME when it is absolute, else the home folder
    const char *oldXdg = std::getenv("XDG_DATA_HOME");
    const std::string keep = oldXdg ? oldXdg : "";
    setEnvironment("HOME", "/home/u");
    setEnvironment("XDG_DATA_HOME", "/data/u");
    EXPECT_EQ(files::dataFolders().user, "/data/u/kovel");
    setEnvironment("XDG_DATA_HOME", "relative");
    EXPECT_EQ(files::dataFolders().user, "/home/u/.local/share/kovel");
    setEnvironment("XDG_DATA_HOME", oldXdg ? keep.c_str() : nullptr);
#endif
}

TEST(DataFiles, TheInstalledOrAWriteProtectedMemberFileIsCopiedToTheUsersFolderOnTheFirstStore)
{
    for (const bool installed : {true, false}) {
        SCOPED_TRACE(installed ? "installed, read-only folder" : "write-protected file in the working directory");
        Folders f;
        const std::string source = inDir(installed ? f.dirs.installed : f.dirs.work, "shape/ubuzai.txt");
        writeMembers(source, {"M1"});
        const std::string before = slurp(source);
        fs::permissions(source, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
        if (installed) {
            fs::permissions(fs::path(source).parent_path(), fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                            fs::perm_options::remove);
            fs::permissions(f.dirs.installed, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                            fs::perm_options::remove);
        }
        sections::MemberLoad load = sections::loadUserMembers(f.dirs);
        ASSERT_EQ(load.error, "");
        MemberList &list = load.list;
        EXPECT_EQ(list.userbuzaipath, source);
        const std::string own = inDir(f.dirs.user, "shape/ubuzai.txt");
        EXPECT_EQ(list.userCopyPath, own);

        const sections::MemberOutcome out = storeNew(list, "N1");
        EXPECT_EQ(out.error, "");
        EXPECT_THAT(out.notice, HasSubstr(own));
        EXPECT_EQ(slurp(source), before);
        EXPECT_EQ(namesIn(own), (std::vector<std::string>{"M1", "N1"}));
        EXPECT_EQ(list.userbuzaipath, own);
        EXPECT_EQ(list.userCopyPath, "");
        // from now on the user's copy is the one read, and it is written in place
        EXPECT_EQ(sections::loadUserMembers(f.dirs).list.userbuzaipath, own);
        EXPECT_EQ(deleteMember(list, 1).error, "");
        EXPECT_EQ(namesIn(own), (std::vector<std::string>{"N1"}));
    }
}

TEST(DataFiles, TwoListsOverOneMemberFileKeepEachOthersStoresAndDeletions)
{
    Folders f;
    const std::string path = inDir(f.dirs.work, "shape/ubuzai.txt");
    writeMembers(path, {"M1", "M2"});
    MemberList a = sections::loadMembers(path).list;
    MemberList b = sections::loadMembers(path).list;

    EXPECT_EQ(storeNew(a, "A1").notice, "");
    const sections::MemberOutcome second = storeNew(b, "B1");
    EXPECT_EQ(second.error, "");
    EXPECT_THAT(second.notice, HasSubstr("読み直して"));
    EXPECT_EQ(namesIn(path), (std::vector<std::string>{"M1", "M2", "A1", "B1"}));
    EXPECT_EQ(b.userlist, namesIn(path)); // the second list now shows what is on disk

    // a change of a member by number goes to that member by name, a deletion likewise
    a.entry = {"M2x", "20", "15.7", "400", "50", "80", "10"};
    a.uno = "2";
    EXPECT_EQ(sections::storeMember(a).error, "");
    EXPECT_EQ(namesIn(path), (std::vector<std::string>{"M1", "M2x", "A1", "B1"}));
    EXPECT_EQ(deleteMember(b, 1).error, ""); // b has not seen the change
    EXPECT_EQ(namesIn(path), (std::vector<std::string>{"M2x", "A1", "B1"}));
    EXPECT_EQ(deleteMember(a, 3).error, ""); // a's number 3 is A1
    EXPECT_EQ(namesIn(path), (std::vector<std::string>{"M2x", "B1"}));
}

TEST(DataFiles, AMemberFileNotReadWholeIsKeptBesideItselfBeforeTheFirstStore)
{
    Folders f;
    const std::string path = inDir(f.dirs.work, "shape/ubuzai.txt");
    const std::string shortFile = "3\r\n1\r\nM1\r\n11.850\r\n9.300\r\n187.000\r\n14.800\r\n37.500\r\n5.910\r\n";
    // the first keeps "ubuzai.txt.bak"; with that there, the next a time-stamped name
    fs::create_directories(fs::path(path).parent_path());
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        std::ofstream(path, std::ios::binary) << shortFile;
        sections::MemberLoad load = sections::loadMembers(path);
        EXPECT_THAT(load.error, HasSubstr("別名"));
        ASSERT_EQ(load.list.count, 1);
        const sections::MemberOutcome out = storeNew(load.list, "N1");
        EXPECT_EQ(out.error, "");
        EXPECT_THAT(out.notice, HasSubstr("残しました"));
        std::vector<fs::path> kept;
        for (const auto &e : fs::directory_iterator(fs::path(path).parent_path()))
            if (e.path().filename() != "ubuzai.txt")
                kept.push_back(e.path());
        ASSERT_EQ(kept.size(), static_cast<std::size_t>(round + 1));
        const fs::path newest = round == 0 ? fs::path(path + ".bak") : (kept[0].extension() == ".bak" ? kept[1] : kept[0]);
        EXPECT_EQ(slurp(newest), shortFile);
        if (round == 1) {
            // std::regex: GoogleTest's own expressions on Windows know no [0-9]{8}
            const std::string name = newest.filename().string();
            EXPECT_TRUE(std::regex_match(name, std::regex("ubuzai-[0-9]{8}-[0-9]{6}\\.txt"))) << name;
        }
        EXPECT_EQ(namesIn(path), (std::vector<std::string>{"M1", "N1"}));
        // a second store in the same run keeps nothing more
        EXPECT_EQ(storeNew(load.list, "N2").notice, "");
    }
}

} // namespace
