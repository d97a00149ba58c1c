#include "sections/members.h"

#include "beam/numtext.h"
#include "files/platform.h"
#include "files/textfile.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <system_error>

namespace sections {

namespace fs = std::filesystem;

namespace {

constexpr int kLinesPerMember = 8;
constexpr const char *kValuePattern = "######0.000";

// Grows the grid so that `rows` rows (header included) exist.
void ensureRows(MemberList &list, std::size_t rows)
{
    if (list.usergrid.size() < rows)
        list.usergrid.resize(rows);
}

// The message of the number converter for a `uno` text that is not a whole number.
std::string notAnInteger(const std::string &text)
{
    if (text.empty())
        return "Data No. に番号を入力して下さい。";
    return "「" + text + "」は正しい整数ではありません。";
}

// A name the member file can hold: code page 932, and on one line.
bool storableName(const std::string &name)
{
    return name.find_first_of("\r\n") == std::string::npos && files::fitsCp932(name);
}

void fillUserlist(MemberList &list)
{
    list.userlist.clear();
    for (int r = 1; r <= list.count; ++r)
        list.userlist.push_back(list.usergrid[static_cast<std::size_t>(r)][1]);
}

bool fileExists(const std::string &path)
{
    std::error_code ec;
    return fs::exists(files::platform::nativePath(path), ec);
}

bool regularFile(const std::string &path)
{
    std::error_code ec;
    return fs::is_regular_file(files::platform::nativePath(path), ec);
}

// Writes `row` (columns 1..7) into row `r`, 1..n+1; n+1 adds a member.
void putMember(MemberList &list, std::size_t r, const MemberRow &row)
{
    ensureRows(list, r + 1);
    for (std::size_t c = 1; c < kMemberColumns; ++c)
        list.usergrid[r][c] = row[c];
    if (r == static_cast<std::size_t>(list.count) + 1) {
        list.count += 1;
        list.buzaidatn = std::to_string(list.count);
    }
}

// Removes member `a`, 1..n, moving the ones below up.
void removeMember(MemberList &list, std::size_t a)
{
    const auto n = static_cast<std::size_t>(list.count);
    ensureRows(list, n + 2);
    for (std::size_t r = a; r <= n; ++r)
        for (std::size_t c = 1; c < kMemberColumns; ++c)
            list.usergrid[r][c] = list.usergrid[r + 1][c];
    list.count -= 1;
    list.buzaidatn = std::to_string(list.count);
}

// The first member named `name`, 0 when none.
std::size_t memberNamed(const MemberList &list, const std::string &name)
{
    for (int r = 1; r <= list.count && static_cast<std::size_t>(r) < list.usergrid.size(); ++r)
        if (list.usergrid[static_cast<std::size_t>(r)][1] == name)
            return static_cast<std::size_t>(r);
    return 0;
}

// What a store or a deletion did, by member name, to do again on a list read anew.
struct Change {
    bool remove = false;
    std::string name; // the member replaced or removed; empty for a new member
    MemberRow row;    // the stored values
};

// The free name beside `path` that keeps a file not read whole.
std::string keepName(const std::string &path)
{
    const std::string bak = path + ".bak";
    if (!fileExists(bak))
        return bak;
    using files::platform::pathText;
    const fs::path p = files::platform::nativePath(path);
    const std::string stamp = files::platform::localTimeForFileName();
    const std::string base = pathText(p.parent_path() / files::platform::nativePath(pathText(p.stem()) + "-" + stamp));
    const std::string extension = pathText(p.extension());
    std::string name = base + extension;
    for (int i = 2; fileExists(name); ++i)
        name = base + "-" + std::to_string(i) + extension;
    return name;
}

// Takes the members of the file as it now is and applies `change` to them. Only a file
// that reads whole is taken; `taken` tells.
bool mergeWithDisk(MemberList &list, const std::string &path, const Change &change)
{
    MemberLoad fresh = loadMembers(path);
    if (!fresh.error.empty())
        return false;
    list.usergrid = std::move(fresh.list.usergrid);
    list.count = fresh.list.count;
    list.buzaidatn = fresh.list.buzaidatn;
    const std::size_t at = change.name.empty() ? 0 : memberNamed(list, change.name);
    if (change.remove) {
        if (at != 0)
            removeMember(list, at);
    } else {
        putMember(list, at != 0 ? at : static_cast<std::size_t>(list.count) + 1, change.row);
    }
    list.uno = std::to_string(list.count + 1);
    return true;
}

std::string save(MemberList &list, const Change *change);

} // namespace

MemberList::MemberList() : usergrid(kMemberStartRows)
{
    for (int c = 0; c < kMemberColumns; ++c)
        usergrid[0][static_cast<std::size_t>(c)] = kMemberCaptions[static_cast<std::size_t>(c)];
}

MemberLoad loadMembers(const std::string &path)
{
    MemberLoad result;
    MemberList &list = result.list;
    list.userbuzaipath = path;

    const auto read = files::readTextFile(path, files::kLargestDataFile);
    list.onDisk = {path, read.lines};
    long long members = 0;       // complete member blocks to take from the file
    std::string countText = "0"; // `buzaidatn` as it will read
    if (!read.lines) {
        result.error = "登録部材を読めません。" + read.error;
    } else {
        const std::vector<std::string> &lines = *read.lines;
        const std::string head = "登録部材ファイル「" + path + "」";
        const auto declared = lines.empty() ? std::nullopt : beam::parseInteger(lines[0]);
        if (!declared) {
            result.error = head + "の 1 行目が部材数（整数）ではありません。登録部材なしで始めます。";
        } else if (*declared < 0) {
            result.error = head + "の 1 行目の部材数 " + lines[0] + " が負の数です。登録部材なしで始めます。";
        } else {
            const long long available = static_cast<long long>(lines.size() - 1) / kLinesPerMember;
            if (available < *declared) {
                members = available;
                countText = std::to_string(members);
                result.error = head + "は部材数 " + std::to_string(*declared) + " に対して " + std::to_string(lines.size() + 1)
                    + " 行目がありません。読めた " + countText + " 件の部材だけを使います。";
            } else {
                members = *declared;
                countText = lines[0];
            }
            ensureRows(list, static_cast<std::size_t>(std::max<long long>(kMemberStartRows, members + 2)));
            for (long long r = 1; r <= members; ++r) {
                MemberRow &row = list.usergrid[static_cast<std::size_t>(r)];
                const std::size_t first = 1 + static_cast<std::size_t>(r - 1) * kLinesPerMember;
                for (int c = 0; c < kMemberColumns; ++c)
                    row[static_cast<std::size_t>(c)] = lines[first + static_cast<std::size_t>(c)];
            }
        }
    }
    list.count = static_cast<int>(members);
    list.buzaidatn = countText;
    list.uno = std::to_string(members + 1);
    fillUserlist(list);
    list.userlistText = list.count > 0 ? list.usergrid[1][1] : std::string();
    if (!result.error.empty() && regularFile(path)) {
        list.keepOnSave = true;
        result.error += "次に登録または削除するときは、元のファイルを別名（ubuzai.txt.bak など）で残してから保存します。";
    }
    return result;
}

MemberLoad loadUserMembers(const files::DataFolders &folders)
{
    const files::DataFile found = files::findDataFile(folders, kMemberFile);
    const std::string own = files::userDataFile(folders, kMemberFile);
    const bool notOurs = found.place == files::DataPlace::Installed || !files::mayWriteFile(found.path);
    if (own.empty() || found.path == own || !notOurs)
        return loadMembers(found.path);
    // a write-protected file in the working directory: the copy made by an earlier store
    // holds this user's members
    std::error_code ec;
    if (fs::exists(files::platform::nativePath(own), ec))
        return loadMembers(own);
    MemberLoad load = loadMembers(found.path);
    load.list.userCopyPath = own;
    return load;
}

MemberOutcome storeMember(MemberList &list)
{
    MemberOutcome out;
    const auto target = beam::parseInteger(list.uno);
    if (!target) {
        out.error = notAnInteger(list.uno);
        return out;
    }
    const int n = list.count;
    if (*target < 1 || *target > n + 1) {
        out.error = "Data No. には 1 から " + std::to_string(n + 1) + " までの番号を入力して下さい。";
        return out;
    }
    // a number typed for a deletion and not yet confirmed names the member to delete, not
    // a row to overwrite
    if (list.unoEnabled && list.labelh == kDeleteRequest && *target <= n) {
        out.error = "削除する番号は Enter キーで確定して下さい。";
        return out;
    }
    const MemberEntry &e = list.entry;
    const std::array<const std::string *, 6> texts = {&e.uA, &e.uWW, &e.uIx, &e.uIy, &e.uZx, &e.uZy};
    std::array<std::string, 6> stored;
    double product = 1.0;
    bool usable = true;
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const double v = beam::parseDouble(*texts[i]);
        stored[i] = beam::formatNumber(v, kValuePattern);
        // a value that is not finite, or that the file would hold as 0.000, is no value
        if (!std::isfinite(v) || beam::parseDouble(stored[i]) == 0.0)
            usable = false;
        product *= v;
    }
    if (product == 0.0 || !usable) {
        list.labelh = kCheckNumbers;
        return out;
    }
    if (!storableName(e.umember)) {
        out.error = "部材名にファイルへ保存できない文字が含まれています。部材名を確認して下さい。";
        return out;
    }

    const auto r = static_cast<std::size_t>(*target);
    Change change;
    if (*target <= n)
        change.name = list.usergrid[r][1];
    change.row[1] = e.umember;
    for (std::size_t i = 0; i < stored.size(); ++i)
        change.row[i + 2] = stored[i];
    putMember(list, r, change.row);
    list.uno = std::to_string(list.count + 1);

    list.ucom = "1";
    out.error = save(list, &change);
    out.notice = list.saveNotice;
    out.saved = true;
    list.entry = MemberEntry{};
    return out;
}

void requestDelete(MemberList &list)
{
    list.labelh = kDeleteRequest;
    list.unoEnabled = true;
    list.uno.clear();
}

void requestChange(MemberList &list)
{
    list.labelh = kChangeRequest;
    list.unoEnabled = true;
    list.uno.clear();
}

UnoConfirm confirmNumber(MemberList &list)
{
    UnoConfirm result;
    if (!list.unoEnabled || beam::parseDouble(list.uno) == 0.0)
        return result;
    result.consumed = true;
    const auto number = beam::parseInteger(list.uno);
    if (!number) {
        result.outcome.error = notAnInteger(list.uno);
        return result;
    }
    const int n = list.count;
    if (*number < 1 || *number > n)
        return result;
    const auto a = static_cast<std::size_t>(*number);

    if (list.labelh == kChangeRequest) {
        const MemberRow &row = list.usergrid[a];
        list.entry = MemberEntry{row[1], row[2], row[3], row[4], row[5], row[6], row[7]};
        list.uno = std::to_string(*number);
        list.unoEnabled = false;
    } else if (list.labelh == kDeleteRequest) {
        Change change;
        change.remove = true;
        change.name = list.usergrid[a][1];
        removeMember(list, a);
        list.uno = std::to_string(list.count + 1);
        list.unoEnabled = false;
        list.ucom = "1";
        result.outcome.error = save(list, &change);
        result.outcome.notice = list.saveNotice;
        result.outcome.saved = true;
    }
    return result;
}

std::string saveMembers(MemberList &list)
{
    return save(list, nullptr);
}

namespace {

std::string save(MemberList &list, const Change *change)
{
    list.saveNotice.clear();
    const bool moving = !list.userCopyPath.empty();
    const std::string target = moving ? list.userCopyPath : list.userbuzaipath;
    // another window may have written the file since this list read it: a user's copy
    // that now exists, or the file no longer as it was
    if (change && regularFile(target) && (moving || list.onDisk.path == target)) {
        if (moving || files::readTextFile(target, files::kLargestDataFile).lines != list.onDisk.lines) {
            if (mergeWithDisk(list, target, *change))
                list.saveNotice = change->remove
                    ? "登録部材ファイルがほかのウィンドウで変更されていたため、読み直してから削除しました。"
                    : "登録部材ファイルがほかのウィンドウで変更されていたため、読み直してから登録しました。";
            else
                list.keepOnSave = true; // what is there now cannot be read whole: keep it
        }
    }
    const int n = list.count;
    ensureRows(list, static_cast<std::size_t>(n) + 1);
    for (std::size_t r = 1; r < list.usergrid.size(); ++r)
        list.usergrid[r][0].clear();
    for (int r = 1; r <= n; ++r)
        list.usergrid[static_cast<std::size_t>(r)][0] = std::to_string(r);
    fillUserlist(list);
    list.ucom = "0";
    if (list.usergrid.size() == static_cast<std::size_t>(n) + 1)
        list.usergrid.emplace_back();

    std::vector<std::string> lines;
    lines.reserve(1 + static_cast<std::size_t>(n) * kLinesPerMember);
    lines.push_back(list.buzaidatn);
    for (int r = 1; r <= n; ++r)
        for (const std::string &cell : list.usergrid[static_cast<std::size_t>(r)])
            lines.push_back(cell);
    std::error_code ec;
    if (moving)
        fs::create_directories(files::platform::nativePath(target).parent_path(), ec);
    std::string kept;
    if (list.keepOnSave && regularFile(target)) {
        kept = keepName(target);
        fs::copy_file(files::platform::nativePath(target), files::platform::nativePath(kept), ec);
        if (ec)
            return "登録部材を保存できませんでした。読めなかった元のファイルを「" + kept + "」として残せません。"
                + files::systemReason(ec) + "一覧の変更はファイルに反映されていません。";
    }
    const std::string error = files::writeTextFile(target, lines);
    if (!error.empty())
        return "登録部材を保存できませんでした。" + error + "一覧の変更はファイルに反映されていません。";
    list.onDisk = {target, std::move(lines)};
    list.keepOnSave = false;
    if (!kept.empty())
        list.saveNotice += "読めなかった元の登録部材ファイルを「" + kept + "」として残しました。";
    if (moving) {
        list.saveNotice += "登録部材はユーザーのデータフォルダの「" + target + "」に保存しました（以後はこのファイルを使います）。";
        list.userbuzaipath = target;
        list.userCopyPath.clear();
    }
    return {};
}

} // namespace

std::optional<MemberChoice> chooseMember(const MemberList &list, const std::string &name, bool weak)
{
    std::optional<MemberChoice> choice;
    for (int r = 1; r <= list.count && static_cast<std::size_t>(r) < list.usergrid.size(); ++r) {
        const MemberRow &row = list.usergrid[static_cast<std::size_t>(r)];
        if (row[1] != name)
            continue;
        choice = MemberChoice{row[1], row[3], weak ? row[5] : row[4], weak ? row[7] : row[6]};
    }
    return choice;
}

} // namespace sections
