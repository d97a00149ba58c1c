#include "results/projectfile.h"

#include "beam/check.h"
#include "beam/numtext.h"
#include "files/textfile.h"
#include "results/messages.h"
#include "results/slotfields.h"
#include "results/store.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <system_error>

namespace results {

namespace {

constexpr char kTableKept[] = "計算結果表はそのままです。";
constexpr char kTitlePrefix[] = "title.";

void replacePlaceholders(SlotRecord &record)
{
    if (record[field::kSupport] == "flag1")
        record[field::kSupport] = "両端ピン";
    if (record[field::kUnits] == "flag2")
        record[field::kUnits] = field::kTraditionalUnits;
    if (record[field::kMcent] == "flag3")
        record[field::kMcent] = record[field::kMmax];
}

// A line quoted in a message, cut to a readable length on a character boundary.
std::string quoted(const std::string &text)
{
    constexpr std::size_t kMax = 30;
    if (text.size() <= kMax)
        return text;
    std::size_t cut = kMax;
    while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80)
        --cut;
    return text.substr(0, cut) + "…";
}

// Reads what follows the slots (lines from `first` on) into the slots' basis keys: an
// extension block, or nothing (empty lines at the end of a file are nothing). Anything
// else is damage, refused with its line, since a block whose header was damaged would
// otherwise be dropped unseen and leave notice results without their basis. An entry that
// contradicts its slot (a slot past the count, fb1 and fb2 that do not give the slot's
// fb) is damage too. Returns the reason when the lines cannot be taken.
std::string readExtension(const std::vector<std::string> &lines, std::size_t first, Table &table,
                          const std::string &file)
{
    std::size_t end = lines.size();
    while (end > first && lines[end - 1].empty())
        --end;
    if (first >= end)
        return {};
    auto where = [&](std::size_t line) {
        return file + "の " + std::to_string(line + 1) + " 行目「" + quoted(lines[line]) + "」";
    };
    if (lines[first] != kExtensionHeader) {
        if (lines[first].rfind(kExtensionMark, 0) == 0)
            return where(first) + "は、このプログラムでは読めない版の追加情報です。";
        return where(first) + ": " + std::to_string(table.datano) +
               " 件のデータの後に、追加情報（" + kExtensionHeader +
               "）ではない行があります。ファイルが壊れているか、1行目のデータ数が違っています。";
    }
    std::vector<bool> seen(static_cast<std::size_t>((kSlots + 1) * (kRecordFields + 1)), false);
    std::vector<std::size_t> slotLine(kSlots + 1, 0); // the first line of each slot's entries
    std::array<bool, kTitleItems> titleSeen{};
    for (std::size_t line = first + 1; line < end; ++line) {
        const std::string &text = lines[line];
        if (text.rfind(kTitlePrefix, 0) == 0) { // a project-level entry
            const std::size_t eq = text.find('=');
            const TitleItem *item = eq == std::string::npos ? nullptr : findTitleItem(std::string_view(text).substr(0, eq));
            if (!item)
                return where(line) + "の項目は計算書の表題の項目ではありません。";
            const std::size_t k = static_cast<std::size_t>(item - titleItems().data());
            if (titleSeen[k])
                return where(line) + "の項目は2度目です。";
            titleSeen[k] = true;
            std::string value = text.substr(eq + 1);
            if (item->text == &TitleBlock::date)
                if (std::string bad = dateRefusal(value); !bad.empty())
                    return where(line) + ": " + bad;
            table.title.*item->text = std::move(value);
            continue;
        }
        const std::size_t dot = text.find('.');
        const std::size_t eq = text.find('=');
        if (dot == std::string::npos || eq == std::string::npos || eq < dot)
            return where(line) + "は「番号.項目=値」の形ではありません。";
        const std::optional<long long> slot = beam::parseInteger(text.substr(0, dot));
        if (!slot || *slot < 1 || *slot > table.datano)
            return where(line) + "の番号は1から" + std::to_string(table.datano) + "のデータ番号ではありません。";
        const int field = noticeField(std::string_view(text).substr(dot + 1, eq - dot - 1));
        if (field == 0)
            return where(line) + "の項目は検定基準の項目ではありません。";
        const std::string value = text.substr(eq + 1);
        const bool printable = std::all_of(value.begin(), value.end(), [](char c) { return c >= 0x20 && c < 0x7F; });
        if (!printable)
            return where(line) + "の値に使えない文字があります。";
        const std::size_t key = static_cast<std::size_t>(*slot * (kRecordFields + 1) + field);
        if (seen[key])
            return where(line) + "の項目は2度目です。";
        seen[key] = true;
        if (slotLine[static_cast<std::size_t>(*slot)] == 0)
            slotLine[static_cast<std::size_t>(*slot)] = line;
        table.slots[static_cast<std::size_t>(*slot)][static_cast<std::size_t>(field)] = value;
    }
    for (int s = 1; s <= table.datano; ++s) {
        const SlotRecord &record = table.slots[static_cast<std::size_t>(s)];
        const bool any = std::any_of(record.begin() + kFirstNoticeField, record.end(),
                                     [](const std::string &v) { return !v.empty(); });
        if (!any)
            continue;
        const std::string slot = where(slotLine[static_cast<std::size_t>(s)]) + "からの " + std::to_string(s) +
                                 "番のデータの追加情報: ";
        const std::string &shear = record[static_cast<std::size_t>(noticeField("shear"))];
        if (record[kFirstNoticeField] != kNoticeRuleName ||
            !(shear == beam::kVerdictOk || shear == beam::kVerdictNg || shear == beam::kShearOff ||
              shear == beam::kShearNone))
            return slot + "検定基準が正しくありません。";
        if (!noticeAgreesWithFb(record))
            return slot + "F、fb1、fb2 から求まる許容曲げ応力度がデータの fb「" + record[field::kFb] +
                   "」と合いません。別のデータの追加情報か、ファイルが壊れています。";
    }
    return {};
}

} // namespace

std::string stripExtension(const std::string &chosen)
{
    const std::size_t slash = chosen.rfind('/');
    const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    const std::size_t dot = chosen.rfind('.');
    if (dot == std::string::npos || dot < nameStart)
        return chosen;
    return chosen.substr(0, dot);
}

std::string projectFileName(const std::string &chosen) { return stripExtension(chosen) + kProjectExtension; }

std::string textFileName(const std::string &chosen) { return stripExtension(chosen) + kTextExtension; }

bool fileExists(const std::string &path)
{
    std::error_code ec;
    return std::filesystem::exists(path, ec);
}

std::vector<std::string> projectLines(const Table &table)
{
    const int n = usedCount(table);
    std::vector<std::string> lines;
    lines.reserve(1 + static_cast<std::size_t>(kFields * n));
    lines.push_back(std::to_string(n));
    for (int s = 1; s <= n; ++s) {
        const SlotRecord &record = table.slots[static_cast<std::size_t>(s)];
        lines.insert(lines.end(), record.begin() + 1, record.begin() + kFields + 1);
    }
    bool header = false;
    for (int s = 1; s <= n; ++s) {
        const SlotRecord &record = table.slots[static_cast<std::size_t>(s)];
        if (!hasNoticeData(record))
            continue;
        if (!header)
            lines.emplace_back(kExtensionHeader);
        header = true;
        for (int k = 0; k < kNoticeKeyCount; ++k)
            lines.push_back(std::to_string(s) + "." + kNoticeKeys[k] + "=" +
                            record[static_cast<std::size_t>(kFirstNoticeField + k)]);
    }
    if (!table.title.empty()) {
        if (!header)
            lines.emplace_back(kExtensionHeader);
        for (const TitleItem &item : titleItems())
            if (!(table.title.*item.text).empty())
                lines.push_back(titleLine(item, table.title));
    }
    return lines;
}

std::string projectBytes(const std::string &path, const Table &table, std::string &bytes)
{
    if (auto bad = firstUnwritableField(table, 1, usedCount(table)))
        return bad->message + "保存しませんでした。";
    if (std::string bad = titleBlockRefusal(table.title); !bad.empty())
        return bad + "保存しませんでした。";
    return files::encodeTextFile(path, projectLines(table), bytes);
}

std::string saveProject(const std::string &path, const Table &table)
{
    std::string bytes;
    if (std::string error = projectBytes(path, table, bytes); !error.empty())
        return error;
    return files::writeBinaryFile(path, bytes);
}

std::string savedMessage(const std::string &strippedName) { return strippedName + kSavedSuffix; }

ProjectRead parseProject(const std::vector<std::string> &lines, const std::string &path)
{
    ProjectRead read;
    const std::string file = "ファイル「" + path + "」";
    if (lines.empty()) {
        read.error = file + "は空です。データ数の行がありません。";
        return read;
    }
    const std::optional<long long> count = beam::parseInteger(lines[0]);
    if (!count) {
        read.error = file + "の1行目「" + quoted(lines[0]) + "」はデータ数（整数）ではありません。";
        return read;
    }
    if (*count < 0 || *count > kSlots) {
        read.error = file + "のデータ数 " + std::to_string(*count) + " は0から" + std::to_string(kSlots)
            + "の範囲にありません。";
        return read;
    }
    const int n = static_cast<int>(*count);
    Table table;
    resetTable(table);
    table.datano = n;
    std::size_t line = 1;
    for (int s = 1; s <= n; ++s) {
        SlotRecord &record = table.slots[static_cast<std::size_t>(s)];
        for (int f = 1; f <= kFields; ++f, ++line)
            if (line < lines.size())
                record[static_cast<std::size_t>(f)] = lines[line];
        replacePlaceholders(record);
        table.selectgrid[static_cast<std::size_t>(s)] = "1";
    }
    table.pre = 0;
    table.selected = 1;
    const std::size_t expected = 1 + static_cast<std::size_t>(kFields * n);
    if (std::string bad = readExtension(lines, expected, table, file); !bad.empty()) {
        read.error = bad;
        return read;
    }
    if (lines.size() < expected)
        read.notice = file + "は " + std::to_string(expected) + " 行あるはずですが " + std::to_string(lines.size())
            + " 行しかありません。足りない項目は空欄として読み込みました。";
    read.table = std::move(table);
    return read;
}

ProjectRead readProject(const std::string &path)
{
    files::TextFileRead file = files::readTextFile(path);
    if (!file.lines) {
        ProjectRead read;
        read.error = file.error;
        return read;
    }
    return parseProject(*file.lines, path);
}

std::string openProject(Table &table, const std::string &path, std::string *notice)
{
    ProjectRead read = readProject(path);
    if (!read.table)
        return read.error + kTableKept;
    table = std::move(*read.table);
    if (notice)
        *notice = read.notice;
    return {};
}

} // namespace results
