// The registered-member reader on arbitrary file bytes, then a save, a reload, a choice
// and a deletion on what it read. The reader only takes a path: each input goes through
// a scratch file.
#include "fuzzutil.h"

#include "beam/numtext.h"
#include "files/textfile.h"
#include "sections/members.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

using fuzzutil::require;

const fuzzutil::ScratchFile &input()
{
    static const fuzzutil::ScratchFile file("members-in");
    return file;
}

const fuzzutil::ScratchFile &output()
{
    static const fuzzutil::ScratchFile file("members-out");
    return file;
}

// The member columns 1..7 of rows 1..n: what the file keeps of a member.
std::vector<std::string> memberCells(const sections::MemberList &list)
{
    std::vector<std::string> cells;
    for (int r = 1; r <= list.count; ++r)
        for (int c = 1; c < sections::kMemberColumns; ++c)
            cells.push_back(list.usergrid[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)]);
    return cells;
}

void checkShape(const sections::MemberList &list)
{
    require(list.count >= 0, "the member count is not negative");
    require(list.usergrid.size() >= static_cast<std::size_t>(std::max(sections::kMemberStartRows, list.count + 1)),
            "the grid holds every member row");
    require(list.userlist.size() == static_cast<std::size_t>(list.count), "userlist offers one name per member");
    for (int r = 1; r <= list.count; ++r)
        require(list.userlist[static_cast<std::size_t>(r - 1)] == list.usergrid[static_cast<std::size_t>(r)][1],
                "userlist names the rows in order");
    require(list.uno == std::to_string(list.count + 1), "Data No. is the next free row");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);
    input().write(bytes);

    sections::MemberLoad load = sections::loadMembers(input().path());
    sections::MemberList &list = load.list;
    checkShape(list);
    require(input().read() == bytes, "loading never writes the member file");
    const files::TextFileRead text = files::readTextFile(input().path());
    if (!text.lines) {
        require(!load.error.empty() && list.count == 0, "an unreadable file gives a message and no members");
        return 0;
    }
    const std::vector<std::string> &lines = *text.lines;
    require(static_cast<std::size_t>(list.count) * 8 + 1 <= std::max<std::size_t>(lines.size(), 1),
            "every member loaded stands in the file");
    if (load.error.empty()) {
        require(!lines.empty() && list.buzaidatn == lines[0], "the count is kept as read");
        for (int r = 1; r <= list.count; ++r)
            for (int c = 0; c < sections::kMemberColumns; ++c)
                require(list.usergrid[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)] ==
                            lines[1 + static_cast<std::size_t>(r - 1) * 8 + static_cast<std::size_t>(c)],
                        "a member's cells are the file's lines as they stand");
    }

    // Saving what was read and loading it back keeps every member.
    list.userbuzaipath = output().path();
    const std::vector<std::string> before = memberCells(list);
    const std::string saveError = sections::saveMembers(list);
    require(saveError.empty(), "members read from a file can be written back", saveError);
    checkShape(list);
    sections::MemberLoad again = sections::loadMembers(output().path());
    require(again.error.empty(), "a saved member file loads without a message", again.error);
    require(again.list.count == list.count, "the count survives a save");
    require(memberCells(again.list) == before, "every member survives a save");
    for (int r = 1; r <= again.list.count; ++r)
        require(again.list.usergrid[static_cast<std::size_t>(r)][0] == std::to_string(r), "a save renumbers");

    if (list.count == 0)
        return 0;

    // Choosing a name takes its last occurrence.
    const std::string &name = list.usergrid[1][1];
    int last = 0;
    for (int r = 1; r <= list.count; ++r)
        if (list.usergrid[static_cast<std::size_t>(r)][1] == name)
            last = r;
    const std::optional<sections::MemberChoice> choice = sections::chooseMember(list, name, true);
    require(choice.has_value(), "a listed name can be chosen");
    const sections::MemberRow &row = list.usergrid[static_cast<std::size_t>(last)];
    require(choice->selfw == row[3] && choice->inertia == row[5] && choice->modulus == row[7],
            "the weak axis takes Iy and Zy of the last member of the name");

    // Storing member 1's cells as a new member: refused for a zero, unreadable or
    // unwritable value with nothing changed, else six values in ######0.000 that read
    // back as what was typed, and a file that loads as the list.
    {
        sections::MemberList stored = list;
        const sections::MemberRow &first = list.usergrid[1];
        stored.entry = {first[1], first[2], first[3], first[4], first[5], first[6], first[7]};
        const std::string fileBefore = output().read();
        const sections::MemberOutcome out = sections::storeMember(stored);
        if (!out.saved) {
            require(stored.count == list.count && memberCells(stored) == memberCells(list), "a refused store changes no member");
            require(output().read() == fileBefore, "a refused store writes nothing");
        } else {
            require(out.error.empty(), "a store into a writable file succeeds", out.error);
            require(stored.count == list.count + 1, "a store appends one member");
            const sections::MemberRow &row = stored.usergrid[static_cast<std::size_t>(stored.count)];
            require(row[1] == first[1], "the name is stored as typed");
            for (int c = 2; c < sections::kMemberColumns; ++c) {
                const std::string &text = row[static_cast<std::size_t>(c)];
                require(fuzzutil::isFixed(text, 3), "a stored value has three decimals", text);
                const double typed = beam::parseDouble(first[static_cast<std::size_t>(c)]);
                require(std::fabs(beam::parseDouble(text) - typed) <= 0.0005 + 1e-12 * std::fabs(typed),
                        "a stored value reads back as typed", text);
            }
            sections::MemberLoad reread = sections::loadMembers(output().path());
            require(reread.error.empty() && memberCells(reread.list) == memberCells(stored),
                    "the file after a store holds the list");
            sections::saveMembers(list); // back to the list before the store
        }
    }

    // Deleting member 1 moves the others up and rewrites the file.
    std::vector<std::string> expected(before.begin() + (sections::kMemberColumns - 1), before.end());
    sections::requestDelete(list);
    list.uno = "1";
    const sections::UnoConfirm del = sections::confirmNumber(list);
    require(del.consumed && del.outcome.saved && del.outcome.error.empty(), "member 1 can be deleted",
            del.outcome.error);
    checkShape(list);
    require(memberCells(list) == expected, "a deletion keeps the other members in order");
    sections::MemberLoad afterDelete = sections::loadMembers(output().path());
    require(afterDelete.error.empty() && memberCells(afterDelete.list) == expected,
            "the file after a deletion holds the other members");
    return 0;
}
