// Code page 932 round trips of the file layer: the program's own texts and typical user
// texts come back from a file unchanged, and a text that code page 932 cannot hold, or
// holds only as a look-alike, is refused before anything is written.
#include "beam/check.h"
#include "files/textfile.h"
#include "results/messages.h"
#include "sections/members.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct TempDir {
    fs::path path;
    explicit TempDir(const std::string &tag = "files")
        : path(fs::temp_directory_path() / fs::path("kovel-encoding-" + tag + "-" + std::to_string(::getpid())))
    {
        fs::create_directories(path);
    }
    ~TempDir() { fs::remove_all(path); }
    std::string file(const std::string &name) const { return (path / name).string(); }
};

std::string slurp(const std::string &p)
{
    std::ifstream f(p, std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}

// UTF-8 of one code point.
std::string utf8(char32_t c)
{
    std::string s;
    if (c < 0x80) {
        s += static_cast<char>(c);
    } else if (c < 0x800) {
        s += static_cast<char>(0xC0 | (c >> 6));
        s += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        s += static_cast<char>(0xE0 | (c >> 12));
        s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        s += static_cast<char>(0xF0 | (c >> 18));
        s += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (c & 0x3F));
    }
    return s;
}

// Writes the lines and reads them back.
std::vector<std::string> roundTrip(const TempDir &dir, const std::vector<std::string> &lines, std::string *error)
{
    const std::string file = dir.file("round.txt");
    *error = files::writeTextFile(file, lines);
    if (!error->empty())
        return {};
    files::TextFileRead read = files::readTextFile(file);
    if (!read.lines) {
        *error = read.error;
        return {};
    }
    return *read.lines;
}

TEST(Encoding, TheProgramsOwnTextsComeBackUnchanged)
{
    struct Group {
        const char *name;
        std::vector<std::string> texts;
    };
    const std::vector<Group> groups = {
        {"slot record fixed words",
         {"強軸", "弱軸", "長期", "短期", "両端ピン", "左端ピン右端固定", "両端固定", "左端自由右端固定", "SI単位",
          "従来単位", "自重自動計算", "自重自動計算しない", "flag1", "flag2", "flag3"}},
        {"verdicts", {beam::kVerdictOk, beam::kVerdictNg, beam::kVerdictNone}},
        {"result table messages",
         {results::kStoredMessage, results::kStoreFullQuestion, results::kDeleteQuestion, results::kDeleteHint,
          results::kMoveHint, results::kRenameHint, results::kMoveTarget, results::kSelectAllHint,
          results::kClearAllHint, results::kNewQuestion, results::kOpenQuestion, results::kOverwriteQuestion,
          results::kSavedSuffix, results::kNewCaption, results::kTextWrittenMessage}},
        {"member group texts",
         {sections::kDeleteRequest, sections::kChangeRequest, sections::kCheckNumbers, "部材サイズ（名称）", "A((cm2)",
          "登録部材", "部材登録"}},
        {"member grid captions",
         {sections::kMemberCaptions.begin(), sections::kMemberCaptions.end()}},
        {"unit texts",
         {"(kN)", "(kN/m)", "(kN/cm2)", "(kN-m)", "(tf)", "(tf/m)", "(tf/cm2)", "(tf-m)", "単位：ｍｍ", "Pi(kN)",
          "w1(tf/m)"}},
        {"page, menu and family captions",
         {"入力と計算", "計算結果表", "印刷プレビュー", "部材登録他", "ﾌｧｲﾙ", "ｵﾌﾟｼｮﾝ", "ﾃｷｽﾄ形式出力", "新規作成",
          "呼出", "保存", "広幅H形鋼", "中幅H形鋼", "細幅H形鋼", "溝形鋼", "山形鋼", "I　形鋼"}},
        {"section names",
         {"H-100x50x5x7", "[-380x100x10.5x16", "L-175X175X15", "I-600x190x16x35", "BH-400x200x9x16", "□-200x100x6",
          "φ114.3x4.5"}},
        {"text report pieces",
         {"の設計", " で検定", "支持条件:", " 1)等分布荷重 (", "  σ/fb = M/(Z.fb) = ", "  δ= ", "(計算位置：左端から ",
          "  制限値: ", "7.判定  : ", "-----"}},
    };
    TempDir dir;
    for (const Group &g : groups) {
        SCOPED_TRACE(g.name);
        for (const std::string &t : g.texts)
            EXPECT_TRUE(files::fitsCp932(t)) << t;
        std::string error;
        EXPECT_EQ(roundTrip(dir, g.texts, &error), g.texts);
        EXPECT_EQ(error, "");
    }
}

TEST(Encoding, CharactersOfCodePage932TakeTheirPublishedCodes)
{
    struct Row {
        const char *text;
        const char *bytes;
    };
    const Row rows[] = {
        {"□", "\x81\xA0"}, {"φ", "\x83\xD3"}, {"σ", "\x83\xD0"}, {"δ", "\x83\xC2"}, {"－", "\x81\x7C"},
        {"～", "\x81\x60"}, {"①", "\x87\x40"}, {"㎜", "\x87\x6F"}, {"　", "\x81\x40"}, {"ｶ", "\xB6"},
        {"ﾟ", "\xDF"},      {"￥", "\x81\x8F"}, {"∥", "\x81\x61"}, {"\\", "\x5C"},   {"~", "\x7E"},
    };
    for (const Row &r : rows) {
        SCOPED_TRACE(r.text);
        const std::optional<std::string> bytes = files::toCp932(r.text);
        ASSERT_TRUE(bytes.has_value());
        EXPECT_EQ(*bytes, r.bytes);
        EXPECT_EQ(files::fromCp932(*bytes), std::optional<std::string>(r.text));
    }
}

TEST(Encoding, TypicalUserTextsComeBackUnchanged)
{
    const std::vector<std::string> texts = {
        "２階床梁Ｇ１", "ｽﾗﾌﾞ受け小梁ｶﾞｰﾀﾞｰ", "屋根 大梁（東側）", "梁①～③", "H形鋼　φ", "髙橋邸 B-1", "纊",
        "ⅰ-ⅳ通り", "≒1/300", "C:\\data\\beam~1", "3.000x(2.000+1.500)/2", "", " 先頭と末尾の空白 ",
    };
    TempDir dir;
    std::string error;
    EXPECT_EQ(roundTrip(dir, texts, &error), texts);
    EXPECT_EQ(error, "");
}

// Look-alikes: iconv maps each onto the code of another character, so the file would
// give back that other character.
TEST(Encoding, ATextOutsideCodePage932IsRefusedBeforeWritingNotReplaced)
{
    struct Row {
        const char *name;
        std::string text;
        std::string holdable; // the code page 932 character it would come back as; empty: none
    };
    const std::vector<Row> rows = {
        {"emoji", "梁😀", ""},
        {"outside the basic plane", "𠮷野家", ""},
        {"copyright sign", "©2024", ""},
        {"no-break space", "A\u00A0B", ""},
        {"wave dash", "1\u301C3", "1～3"},
        {"minus sign", "\u22124.5", "－4.5"},
        {"yen sign", "\u00A5100", "￥100"},
        {"em dash", "A\u2014B", "A―B"},
        {"double vertical line", "\u2016", "∥"},
        {"not sign", "\u00AC", "￢"},
        {"cent sign", "\u00A2", "￠"},
    };
    TempDir dir, other("round");
    const std::string file = dir.file("old.txt");
    ASSERT_EQ(files::writeTextFile(file, {"古い内容", "old"}), "");
    const std::string old = slurp(file);
    for (const Row &r : rows) {
        SCOPED_TRACE(r.name);
        EXPECT_FALSE(files::fitsCp932(r.text));
        EXPECT_FALSE(files::toCp932(r.text).has_value());
        const std::string error = files::writeTextFile(file, {"一行目", r.text});
        EXPECT_NE(error.find("2 行目"), std::string::npos) << error;
        EXPECT_NE(error.find("Shift-JIS"), std::string::npos) << error;
        EXPECT_EQ(slurp(file), old);
        EXPECT_EQ(std::distance(fs::directory_iterator(dir.path), fs::directory_iterator()), 1);
        if (!r.holdable.empty()) {
            std::string roundError;
            EXPECT_EQ(roundTrip(other, {r.holdable}, &roundError), std::vector<std::string>{r.holdable});
        }
    }
}

// Every character of the basic plane that is accepted comes back as itself; the count
// covers at least JIS X 0208 (6,879 characters) and the 63 half-width katakana.
TEST(Encoding, EveryAcceptedCharacterReadsBackAsItself)
{
    int accepted = 0;
    for (char32_t c = 0x80; c <= 0xFFFF; ++c) {
        if (c >= 0xD800 && c <= 0xDFFF)
            continue;
        const std::string text = utf8(c);
        const std::optional<std::string> bytes = files::toCp932(text);
        if (!bytes)
            continue;
        ++accepted;
        const std::optional<std::string> back = files::fromCp932(*bytes);
        if (back != std::optional<std::string>(text))
            ADD_FAILURE() << "U+" << std::hex << static_cast<unsigned>(c) << " comes back as " << back.value_or("?");
    }
    EXPECT_GE(accepted, 6879 + 63);
}

// Whatever the program can read it can write back: every one- and two-byte code that
// reads as a text writes as a code that reads as the same text (the duplicate codes of
// the NEC and IBM extensions write as one of the pair).
TEST(Encoding, EveryReadableCodeWritesBackToTheSameText)
{
    auto check = [](const std::string &bytes) {
        const std::optional<std::string> text = files::fromCp932(bytes);
        if (!text)
            return false;
        const std::optional<std::string> again = files::toCp932(*text);
        if (!again) {
            ADD_FAILURE() << "code " << std::hex << static_cast<unsigned>(static_cast<unsigned char>(bytes[0]))
                          << " " << (bytes.size() > 1 ? static_cast<unsigned>(static_cast<unsigned char>(bytes[1])) : 0u)
                          << " reads but cannot be written";
            return true;
        }
        EXPECT_EQ(files::fromCp932(*again), text);
        return true;
    };
    int singles = 0;
    for (int b = 0xA1; b <= 0xDF; ++b) {
        const std::string kana(1, static_cast<char>(b));
        singles += check(kana);
        EXPECT_EQ(files::toCp932(*files::fromCp932(kana)), std::optional<std::string>(kana));
    }
    EXPECT_EQ(singles, 63); // the half-width katakana
    int pairs = 0;
    for (int lead = 0x81; lead <= 0xFC; ++lead) {
        if (lead > 0x9F && lead < 0xE0)
            continue;
        for (int trail = 0x40; trail <= 0xFC; ++trail)
            if (trail != 0x7F)
                pairs += check(std::string{static_cast<char>(lead), static_cast<char>(trail)});
    }
    EXPECT_GE(pairs, 6879);
}

} // namespace
