// The project data file (*.kvl): line 1 the slot count, then fields 1..165 of each slot in
// use, one per line; code page 932, CR LF. When some slot holds a result of the notice
// rule, an extension block follows the last slot: the line "#KOVEL-EXT 1", then one line
// "N.key=value" per basis key of each such slot N, and the title block of the detailed
// sheets as "title.KEY=value" lines (results/titleblock.h) when it is not empty. A reader
// that stops after the slots does not see it. Also the file-name rule shared by the text report, and the texts of
// the new/open/save commands.
#pragma once

#include "results/table.h"

#include <optional>
#include <string>
#include <vector>

namespace results {

inline constexpr const char *kExtensionMark = "#KOVEL-EXT";
inline constexpr const char *kExtensionHeader = "#KOVEL-EXT 1";
inline constexpr const char *kNoticeRuleName = "notice"; // the "fbrule" key of a notice slot

// The chosen name without its extension: whatever follows the last dot of the name part
// (after the last "/") is dropped with the dot. "dir/beam1.txt" -> "dir/beam1".
std::string stripExtension(const std::string &chosen);

// The file a save writes: the stripped name plus ".kvl".
std::string projectFileName(const std::string &chosen);

// The file a text export writes: the stripped name plus ".txt".
std::string textFileName(const std::string &chosen);

// True when something of that name exists (the window then asks before overwriting).
bool fileExists(const std::string &path);

// The lines of the file for a table: the count, then 165 fields per slot in use (an
// empty field is an empty line), then the extension block when some slot needs it.
std::vector<std::string> projectLines(const Table &table);

// Save: writes the table to `path` (the full name, extension included) through a
// temporary file. Refuses, writing nothing, when a field holds a line break or a
// character code page 932 cannot hold, naming the slot and field. Returns an empty
// string on success, else the Japanese message.
std::string saveProject(const std::string &path, const Table &table);

// The bytes saveProject writes to `path`, or (the same refusals) its message.
std::string projectBytes(const std::string &path, const Table &table, std::string &bytes);

// The message after a save: the stripped name (full path) and ".kvl で保存されました".
std::string savedMessage(const std::string &strippedName);

// A project read and checked in full.
struct ProjectRead {
    std::optional<Table> table; // the loaded table: slots 1..n marked, slot 1 selected
    std::string error;          // Japanese, when table is empty
    std::string notice;         // Japanese, when the file was shorter than its count says
};

// Reads a whole project file: the count line must be an integer 0..50, the text code
// page 932; lines missing at the end read as empty fields. After the last slot comes
// nothing (empty lines at the end of the file aside) or an extension block, which must be
// well formed (version 1, "N.key=value" with N a slot read and a known key, each once,
// printable ASCII values, a complete basis whose fb1, fb2 and F give the slot's fb; the
// title block's items each once, its date a real one);
// anything else is refused naming its line. "flag1" in field 5, "flag2" in field 6 and
// "flag3" in field 58 are replaced.
ProjectRead readProject(const std::string &path);

// The same from lines already read; `path` only names the file in messages.
ProjectRead parseProject(const std::vector<std::string> &lines, const std::string &path);

// Open: replaces `table` with the file's table only when the whole file has been read
// and checked; on failure the table is left exactly as it was. Returns an empty string on
// success, else the Japanese message (ending "計算結果表はそのままです。"); `notice`
// (optional) receives the short-file note.
std::string openProject(Table &table, const std::string &path, std::string *notice = nullptr);

} // namespace results
