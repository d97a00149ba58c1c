// The one text-file reader and writer: files are code page 932 (Shift-JIS) with CR LF
// line ends; inside the program every text is UTF-8.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace beam {

// Converts between UTF-8 and code page 932. nullopt when the text cannot be converted
// (a character outside code page 932, or bytes that are not valid in the source).
std::optional<std::string> toCp932(std::string_view utf8);
std::optional<std::string> fromCp932(std::string_view cp932);

// True when every character of the UTF-8 text has a code page 932 form.
bool fitsCp932(std::string_view utf8);

// The first character of the UTF-8 text that code page 932 cannot hold exactly, with the
// code page 932 character to type instead where there is one (〜 -> ～, − -> －, ‖ -> ∥,
// — -> ―, ¢ -> ￠, £ -> ￡, ¬ -> ￢, ¥ -> ￥, ‾ -> ￣).
struct UnwritableCharacter {
    std::string character;
    std::string instead; // empty when code page 932 has nothing like it
};
std::optional<UnwritableCharacter> firstUnwritableCharacter(std::string_view utf8);

// "Shift-JIS（コードページ932）で使えない文字「〜」があります。代わりに「～」を入力して下さい。", or for a character
// without a stand-in "Shift-JIS（コードページ932）で表せない文字「…」があります。".
std::string unwritableCharacterText(const UnwritableCharacter &c);

struct TextFileRead {
    std::optional<std::vector<std::string>> lines; // UTF-8, without line ends
    std::string error;                              // Japanese message when lines is empty
};

// Reads a whole code page 932 file. CR LF and bare LF both end a line; a last line
// without a line end still counts; an empty file has no lines.
TextFileRead readTextFile(const std::string &path);

// Writes the lines as code page 932, each ended by CR LF. The text goes to a temporary
// file in the same folder, which then replaces the target, so a failed write leaves the
// old file as it was. Returns an empty string on success, else a Japanese message that
// names the file and the reason.
std::string writeTextFile(const std::string &path, const std::vector<std::string> &lines);

// Writes raw bytes the same safe way (used for bitmaps).
std::string writeBinaryFile(const std::string &path, std::string_view bytes);

// A file written the same safe way in pieces, for output too large to hold at once:
// open(), write() any number of times, commit(). Until commit() the target keeps its old
// bytes; a writer destroyed without a successful commit() removes its temporary file.
class SafeFileWriter {
public:
    explicit SafeFileWriter(std::string path);
    ~SafeFileWriter();
    SafeFileWriter(const SafeFileWriter &) = delete;
    SafeFileWriter &operator=(const SafeFileWriter &) = delete;

    // Each returns an empty string, or the Japanese message naming the file; after a
    // failure the writer is closed and its temporary file removed.
    std::string open();
    std::string write(std::string_view bytes);
    std::string commit();

private:
    std::string fail(int err);
    std::string m_shownPath, m_path, m_tmp;
    int m_fd = -1;
};

// Japanese text for an errno value ("アクセスが拒否されました。" ...).
std::string systemReason(int err);

// The whole file as bytes; an empty text, or the message ("ファイル「…」を開けません。…").
std::string readFileBytes(const std::string &path, std::string &bytes);

// What a file held when this program last read or wrote it, to see later whether
// someone else (another window, another program) has changed it on disk. The content
// decides: a file touched without a change is not changed, and a change within the
// file system's time resolution is still seen.
struct FileStamp {
    std::string path;          // the file's canonical path; empty when nothing is stamped
    bool read = false;         // false when the file could not be read (no comparison then)
    std::size_t size = 0;
    std::size_t digest = 0;    // hash of the bytes
};

// The stamp of the file as it is now.
FileStamp stampFile(const std::string &path);

// True when `path` is the stamped file and it now holds other bytes than stamped, or
// exists but cannot be read. A file that has gone, another file, or a stamp of a file
// that could not be read: false.
bool changedOnDisk(const FileStamp &stamp, const std::string &path);

// Test seam: every write after `bytes` more bytes fails as if the disk were full
// (-1, the default, switches it off).
void failWritesAfter(long long bytes);

} // namespace beam
