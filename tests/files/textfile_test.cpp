#include "files/textfile.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <sys/stat.h>

namespace {

namespace fs = std::filesystem;

std::string slurp(const fs::path &p)
{
    std::ifstream f(p, std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}

struct TempDir {
    fs::path path;
    TempDir() : path(fs::temp_directory_path() / fs::path("kovel-textfile-" + std::to_string(::getpid())))
    {
        fs::create_directories(path);
    }
    ~TempDir() { fs::remove_all(path); }
};

TEST(TextFile, WritesCodePage932WithCrLfAndReadsItBack)
{
    TempDir dir;
    const std::string file = (dir.path / "a.txt").string();
    const std::vector<std::string> lines = {"両端ピン", "", "H-100x50x5x7", "□-200x100x6", "φ114.3x4.5", "ピン‐ピン", "＋－×÷"};
    ASSERT_EQ(files::writeTextFile(file, lines), "");
    const std::string bytes = slurp(file);
    EXPECT_EQ(bytes.substr(0, 10), "\x97\xBC\x92\x5B\x83\x73\x83\x93\r\n");
    EXPECT_EQ(bytes.substr(bytes.size() - 2), "\r\n");
    auto read = files::readTextFile(file);
    ASSERT_TRUE(read.lines) << read.error;
    EXPECT_EQ(*read.lines, lines);
}

TEST(TextFile, ReadsBareLfAndALastLineWithoutEnd)
{
    TempDir dir;
    const fs::path file = dir.path / "b.txt";
    std::ofstream(file, std::ios::binary) << "1\n2\r\n\r\n3";
    auto read = files::readTextFile(file.string());
    ASSERT_TRUE(read.lines);
    EXPECT_EQ(*read.lines, (std::vector<std::string>{"1", "2", "", "3"}));
}

TEST(TextFile, RefusesWhatCodePage932CannotHold)
{
    TempDir dir;
    const std::string file = (dir.path / "c.txt").string();
    ASSERT_EQ(files::writeTextFile(file, {"old"}), "");
    EXPECT_FALSE(files::fitsCp932("梁😀"));
    const std::string error = files::writeTextFile(file, {"new", "梁😀"});
    EXPECT_NE(error.find("2 行目"), std::string::npos) << error;
    EXPECT_EQ(slurp(file), "old\r\n");

    std::ofstream(dir.path / "bad.txt", std::ios::binary) << "ok\r\n\x82\r\n";
    auto read = files::readTextFile((dir.path / "bad.txt").string());
    EXPECT_FALSE(read.lines);
    EXPECT_NE(read.error.find("2 行目"), std::string::npos) << read.error;
}

TEST(TextFile, AFailedWriteLeavesTheOldFile)
{
    TempDir dir;
    const std::string file = (dir.path / "d.txt").string();
    ASSERT_EQ(files::writeTextFile(file, {"keep", "this"}), "");
    files::failWritesAfter(3);
    const std::string error = files::writeTextFile(file, {"replacement"});
    files::failWritesAfter(-1);
    EXPECT_NE(error.find("空き容量"), std::string::npos) << error;
    EXPECT_EQ(slurp(file), "keep\r\nthis\r\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path), fs::directory_iterator()), 1) << "temporary file left";

    EXPECT_NE(files::writeTextFile(dir.path.string(), {"x"}), "");
    EXPECT_NE(files::writeTextFile((dir.path / "missing" / "e.txt").string(), {"x"}), "");
    EXPECT_FALSE(files::readTextFile((dir.path / "none.txt").string()).lines);

#ifdef _WIN32
    // a device name is a device in every folder and with any extension, never a file
    for (const std::string &device : {std::string("NUL"), std::string("CON"), (dir.path / "nul.txt").string()}) {
        SCOPED_TRACE(device);
        EXPECT_NE(files::writeTextFile(device, {"x"}).find("デバイス"), std::string::npos);
        EXPECT_NE(files::readTextFile(device).error.find("通常のファイルではありません"), std::string::npos);
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path), fs::directory_iterator()), 1);
#else
    // a FIFO is neither replaced by a file nor waited for (no one writes to it)
    const fs::path fifo = dir.path / "fifo";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    EXPECT_NE(files::writeTextFile(fifo.string(), {"x"}).find("名前付きパイプ（FIFO）"), std::string::npos);
    EXPECT_TRUE(fs::is_fifo(fifo));
    EXPECT_NE(files::readTextFile(fifo.string()).error.find("通常のファイルではありません"), std::string::npos);
#endif
}

} // namespace

namespace {

TEST(TextFile, WritingThroughALinkUpdatesTheFileItNames)
{
    TempDir dir;
    const fs::path target = dir.path / "real.kvl";
    const fs::path link = dir.path / "link.kvl";
    ASSERT_EQ(files::writeTextFile(target.string(), {"old"}), "");
    std::error_code noLink;
    fs::create_symlink(target, link, noLink);
    if (noLink)
        GTEST_SKIP() << "this system makes no symbolic link here (Windows asks a privilege for one): " << noLink.message();
    ASSERT_EQ(files::writeTextFile(link.string(), {"new"}), "");
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(slurp(target), "new\r\n");
}

} // namespace
