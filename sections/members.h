// The registered members: the user's own list of sections kept in "shape/ubuzai.txt",
// shown in the grid `usergrid` of the member page and offered in `userlist` on the
// input page.
//
// The list is a plain model of the member-page group: the window copies its controls
// into it before an operation and shows its texts afterwards. Every operation that
// changes the list also rewrites the file (the save request `ucom`), synchronously.
//
// File: line 1 the member count n, then 8 lines per member (number, name, A, weight,
// Ix, Iy, Zx, Zy), code page 932, CR LF.
#pragma once

#include "files/datafiles.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace sections {

inline constexpr int kMemberColumns = 8;
inline constexpr const char *kMemberFile = "shape/ubuzai.txt"; // relative to a data folder
inline constexpr int kMemberStartRows = 31; // header + 30 member rows at start-up

// Column captions of `usergrid` and the column widths in pixels (the last column keeps
// the grid's default width).
inline constexpr std::array<const char *, kMemberColumns> kMemberCaptions = {
    "No.", "部材", "A(cm2)", "自重(kg/m)", "Ix(cm4)", "Iy(cm4)", "Zx(cm3)", "Zy(cm3)"};
inline constexpr std::array<int, kMemberColumns - 1> kMemberColumnWidths = {30, 120, 65, 65, 65, 65, 65};

// The three texts of `labelh` that the program writes.
inline constexpr const char *kDeleteRequest = "削除する番号を入力して下さい。";
inline constexpr const char *kChangeRequest = "変更する番号を入力して下さい。";
inline constexpr const char *kCheckNumbers = "数字を確認して下さい。";

// One grid row: columns 0..7 = number, name, A (cm2), self weight (kg/m), Ix (cm4),
// Iy (cm4), Zx (cm3), Zy (cm3), as texts.
using MemberRow = std::array<std::string, kMemberColumns>;

// The seven entry boxes of the group, in their Enter order.
struct MemberEntry {
    std::string umember; // name, free text
    std::string uA;      // cm2
    std::string uWW;     // kg/m
    std::string uIx;     // cm4
    std::string uIy;     // cm4
    std::string uZx;     // cm3
    std::string uZy;     // cm3
};

// The state of the member group.
struct MemberList {
    std::string userbuzaipath;          // the member file
    std::vector<MemberRow> usergrid;    // row 0 the captions, rows 1..n the members, then empty rows
    int count = 0;                      // n, the number of members
    std::string buzaidatn = "0";        // n as text
    std::string uno;                    // "Data No.": the row the next store writes
    bool unoEnabled = false;            // `uno` takes typing only while a number is awaited
    std::string labelh;                 // message line and pending request; empty until used
    std::string ucom = "0";             // save request ("1" while a save runs)
    MemberEntry entry;                  // the entry boxes
    std::vector<std::string> userlist;  // names offered on the input page, rows 1..n
    std::string userlistText;           // the text of `userlist`

    // The file on disk. `userCopyPath`: where the first save writes instead, when the file
    // read is not this user's to write (an installed copy, a write-protected file); empty
    // when the file read is written. `keepOnSave`: the file was not read whole, so the
    // first save keeps it beside itself first. `onDisk`: the file and its lines as this
    // list last read or wrote them (nullopt when it could not be read), to see another
    // window's change. `saveNotice`: what the last save did besides writing the file.
    std::string userCopyPath;
    bool keepOnSave = false;
    struct DiskState {
        std::string path;
        std::optional<std::vector<std::string>> lines;
    } onDisk;
    std::string saveNotice;

    MemberList();
};

struct MemberLoad {
    MemberList list;    // the members that could be read (empty list when none)
    std::string error;  // Japanese message naming the file (and line) when not all was read
};

// Reads the member file at start-up. A missing file, a first line that is not a count,
// a negative count or a file shorter than its count gives an error text; the list then
// holds the complete members before the fault, and a file that exists but was not read
// whole is kept (`keepOnSave`). Never writes the file. A file that is not regular or is
// larger than files::kLargestDataFile is not read.
MemberLoad loadMembers(const std::string &path);

// The start-up of the window: the member file looked up in the data folders (a missing
// one is the working directory's). When the file found is the installed one or may not
// be written, the first save writes the user's own copy in the user's data folder; a
// write-protected working-directory file yields to that copy once it exists.
MemberLoad loadUserMembers(const files::DataFolders &folders);

// Outcome of an operation of the group.
struct MemberOutcome {
    bool saved = false;  // the list changed and the file was rewritten (or tried)
    std::string error;   // Japanese message for a message box, empty when none
    std::string notice;  // Japanese note of the save (merged, moved, kept), empty when none
};

// The store image (`Image29Click`): writes the entry boxes into row `uno`. A zero or
// unreadable number is refused with kCheckNumbers in `labelh`; `uno` not a whole number
// in 1..n+1, a member's number typed for a deletion but not yet confirmed, or a name the
// file cannot hold, is refused with an error; nothing changes then. On success the entry boxes are emptied (the window focuses `umember`).
MemberOutcome storeMember(MemberList &list);

// The delete and change images (`Image30Click`, `Image31Click`): `labelh` asks for the
// number, `uno` is emptied and enabled (the window focuses it).
void requestDelete(MemberList &list);
void requestChange(MemberList &list);

struct UnoConfirm {
    bool consumed = false; // false: the Enter key goes on to the box
    MemberOutcome outcome;
};

// Enter in `uno` (`unoKeyPress`): with a change pending, copies the member into the
// entry boxes (the window focuses `umember`); with a delete pending, removes it,
// renumbers and saves. A value of 0 is not consumed; a fraction is an error; a number
// outside 1..n does nothing. While `uno` is disabled nothing happens.
UnoConfirm confirmNumber(MemberList &list);

// The save operation (`ucomChange` with `ucom` "1"): renumbers column 0, refills
// `userlist`, keeps one empty grid row below the last member and rewrites the file
// whole (the user's copy, when `userCopyPath` is set; a file not read whole is first kept
// as "ubuzai.txt.bak", or "ubuzai-YYYYMMDD-HHMMSS.txt" when that exists). Returns the
// Japanese error text of a failed write (the list keeps its new state), else an empty
// string; `saveNotice` says what else was done.
//
// A store or a deletion (storeMember, confirmNumber) first looks whether the file changed
// on disk since this list read or wrote it (another window of the same user); if it did
// and reads whole, the list is read again and the store or deletion is applied to it by
// member name, so nothing the other window wrote is lost.
std::string saveMembers(MemberList &list);

// The texts that choosing a registered member copies into the input page.
struct MemberChoice {
    std::string member;
    std::string selfw;   // kg/m
    std::string inertia; // cm4: Ix, or Iy when bending about the weak axis
    std::string modulus; // cm3: Zx, or Zy when bending about the weak axis
};

// `userlistClick`: the member whose name equals `name` exactly (with duplicates the last
// one). nullopt when no member matches; the caller still switches the catalogue lookup
// off (`flag1` "1") either way.
std::optional<MemberChoice> chooseMember(const MemberList &list, const std::string &name, bool weak);

} // namespace sections
