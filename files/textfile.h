// The one text-file reader and writer: files are code page 932 (Shift-JIS) with CR LF
// line ends; inside the program every text is UTF-8.
#pragma once

#include "files/platform.h"

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace files {

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

// The largest file each reader takes. Anything larger is not a file of this program (a
// log, a disk image or a device picked by mistake) and is refused before it is read, so
// a wrong file never takes the memory of the machine.
inline constexpr std::size_t kLargestSchedule = std::size_t{64} << 20;  // a beam schedule (CSV)
inline constexpr std::size_t kLargestProject = std::size_t{64} << 20;   // a project file, a text read whole
inline constexpr std::size_t kLargestDataFile = std::size_t{16} << 20;  // catalogue, registered members
inline constexpr std::size_t kLargestBeamInput = std::size_t{1} << 20;  // the name=value lines of one beam

struct TextFileRead {
    std::optional<std::vector<std::string>> lines; // UTF-8, without line ends
    std::string error;                              // Japanese message when lines is empty
};

// Reads a whole code page 932 file. CR LF and bare LF both end a line; a last line
// without a line end still counts; an empty file has no lines. Only a regular file of at
// most `limit` bytes is read (see readFileBytes).
TextFileRead readTextFile(const std::string &path, std::size_t limit = kLargestProject);

// The bytes writeTextFile writes: each line in code page 932, ended by CR LF. An empty
// string, or the message naming the file (`path`) and the line that cannot be written.
std::string encodeTextFile(const std::string &path, const std::vector<std::string> &lines, std::string &bytes);

// Writes the lines as code page 932, each ended by CR LF. The text goes to a temporary
// file in the same folder, which then replaces the target, so a failed write leaves the
// old file as it was. Returns an empty string on success, else a Japanese message that
// names the file and the reason.
std::string writeTextFile(const std::string &path, const std::vector<std::string> &lines);

// Writes raw bytes the same safe way (used for bitmaps).
std::string writeBinaryFile(const std::string &path, std::string_view bytes);

// Empty when a write may replace `path`: nothing of that name, or a regular file (for a
// link, the file it names). Else the Japanese message naming it: a folder, a device, a
// FIFO or a socket is never replaced by a file.
std::string replaceRefusal(const std::string &path);

// True when the two names reach the same file: the same file on disk, or (for names not
// yet made) the same place once links and "." and ".." are resolved.
bool sameFile(const std::string &a, const std::string &b);

// A text that is equal for two names exactly when sameFile says they are the same (to
// compare many names at once).
std::string fileIdentity(const std::string &path);

// A file written the same safe way in pieces, for output too large to hold at once:
// open(), write() any number of times, commit(). Until commit() the target keeps its old
// bytes; a writer destroyed without a successful commit() removes its temporary file.
// commit() is finish() (the bytes on disk, the temporary file closed) and replace() (the
// rename), which a FileSet calls apart.
class SafeFileWriter {
public:
    explicit SafeFileWriter(std::string path);
    ~SafeFileWriter();
    SafeFileWriter(const SafeFileWriter &) = delete;
    SafeFileWriter &operator=(const SafeFileWriter &) = delete;

    // Each returns an empty string, or the Japanese message naming the file; after a
    // failure the writer is closed and its temporary file removed. open() refuses a
    // target that replaceRefusal refuses.
    std::string open();
    std::string write(std::string_view bytes);
    // Appends the whole of another (regular) file, read in pieces.
    std::string copyFrom(const std::string &path);
    std::string finish();
    std::string replace();
    std::string commit();

    // The name as given, for messages.
    const std::string &path() const { return m_shownPath; }

private:
    std::string fail(const platform::SystemError &error);
    void dropTemporary();
    std::string m_shownPath, m_path, m_tmp;
    platform::OutputFile m_file;
    bool m_finished = false;      // closed, the temporary file waiting for replace()
    void *m_temporary = nullptr;  // its entry among the names removed on a signal
};

// Several files that make one output (a run's results, its project files, its sheets): each
// is written to its temporary file as it is produced, and only replaceAll() puts them in
// place, one rename after the other, so a run stopped or failed before then leaves every
// target as it was. Destroyed before replaceAll(), the set removes its temporary files.
class FileSet {
public:
    // Opens a file of the set at its temporary file; write to it, then finish() it.
    // nullptr on failure, with the message in `error`.
    SafeFileWriter *open(const std::string &path, std::string &error);
    // A whole file of the set at once (opened, written and finished).
    std::string write(const std::string &path, std::string_view bytes);
    // Renames every file into place, in the order opened; each must be finished. The
    // names put in place are appended to `replaced`, also when a later one fails.
    std::string replaceAll(std::vector<std::string> &replaced);

private:
    std::vector<std::unique_ptr<SafeFileWriter>> m_files;
};

// A file in the system's folder for temporary files, for a library that writes by name
// (the PDF printer): removed when destroyed, and on the interruptions that
// removeTemporaryFilesOnSignals() handles.
class ScratchFile {
public:
    explicit ScratchFile(const char *suffix);
    ~ScratchFile();
    ScratchFile(const ScratchFile &) = delete;
    ScratchFile &operator=(const ScratchFile &) = delete;
    // Empty when the file could not be made (then error() says why).
    const std::string &path() const { return m_path; }
    const std::string &error() const { return m_error; }

private:
    std::string m_path, m_error;
    void *m_temporary = nullptr;
};

// For a program run from a shell: an interruption (Ctrl+C, SIGTERM, SIGHUP, SIGPIPE; see
// platform::callOnInterruption) removes every temporary file of the safe writers and the
// scratch files, then ends the program as it would have.
void removeTemporaryFilesOnSignals();

// Standard output written and checked: an empty string, or the message
// ("標準出力に書き込めません。…"). finishStandardOutput() flushes and reports any
// failure since the program started.
std::string writeStandardOutput(std::string_view bytes);
std::string finishStandardOutput();

// Reads standard input to its end, refusing more than `limit` bytes.
std::string readStandardInput(std::string &bytes, std::size_t limit);

// Japanese text for an error of the standard library ("アクセスが拒否されました。" ...).
std::string systemReason(const std::error_code &error);

// The whole file as bytes; an empty text, or the message ("ファイル「…」を開けません。…").
// Only a regular file is read (a device, FIFO or socket is refused without waiting for
// it), and one larger than `limit` bytes is refused before it is read.
std::string readFileBytes(const std::string &path, std::string &bytes, std::size_t limit);

// The names of the entries of a folder ("" for the working folder), without the folder;
// empty when it cannot be listed.
std::vector<std::string> folderEntries(const std::string &folder);

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

} // namespace files
