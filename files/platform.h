// What the program asks of the operating system, and nothing else: the one place a port to
// another system changes. Each system has its own implementation file beside this header
// (platform_posix.cpp here); the callers stay as they are. Paths are texts as the rest of
// the program keeps them (UTF-8); messages are formed by the callers from the values
// returned here, so every system reads out the same Japanese texts.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace files::platform {

// Why a call to the system failed, in the terms the messages use.
enum class Fault {
    None,
    NotOpen,            // written to or finished after it was closed
    NoReader,           // a pipe whose reader has gone
    NotFound,
    AccessDenied,
    DiskFull,
    QuotaExceeded,
    IsFolder,
    NotFolder,          // a part of the path is not a folder
    ReadOnlyFileSystem,
    NameTooLong,
    InputOutput,
    Other,              // `detail` holds the system's own words
};

struct SystemError {
    Fault fault = Fault::None;
    std::string detail;
    explicit operator bool() const { return fault != Fault::None; }
};

// The fault of an error reported by the standard library (std::filesystem).
SystemError systemErrorOf(const std::error_code &code);

// Converts texts between UTF-8 and code page 932, set up once for any number of texts.
class Cp932Conversion {
public:
    enum Direction { ToCp932, FromCp932 };
    explicit Cp932Conversion(Direction direction);
    ~Cp932Conversion();
    Cp932Conversion(const Cp932Conversion &) = delete;
    Cp932Conversion &operator=(const Cp932Conversion &) = delete;

    // nullopt when a character has no form in the target (also none that the system would
    // put in its place) or the input is not valid in its own encoding.
    std::optional<std::string> operator()(std::string_view in);

private:
    struct State;
    std::unique_ptr<State> m_state;
};

// What a path names, a link followed. Missing also when the system cannot tell.
enum class FileKind { Missing, Regular, Folder, Device, Fifo, Socket, Other };
FileKind fileKind(const std::string &path);

// A file read whole. Only a regular file is read, and none that would block on opening (a
// FIFO without a writer). When `error` is set or `kind` is not Regular or `tooLarge`,
// nothing is kept.
struct ReadResult {
    SystemError openError;              // it could not be opened
    SystemError readError;              // opened, but it could not be looked at or read
    FileKind kind = FileKind::Regular;
    std::size_t size = 0;               // its size when opened
    bool tooLarge = false;              // more than the limit, then or while read
};
ReadResult readRegularFile(const std::string &path, std::string &bytes, std::size_t limit);

// Standard input read to its end (openError is never set).
ReadResult readAllOfStandardInput(std::string &bytes, std::size_t limit);

// Reads a file in pieces, handing each to `piece`, which returns false to stop.
SystemError readFileInPieces(const std::string &path, const std::function<bool(std::string_view)> &piece);

// A file being written, closed when destroyed.
class OutputFile {
public:
    OutputFile() = default;
    ~OutputFile();
    OutputFile(const OutputFile &) = delete;
    OutputFile &operator=(const OutputFile &) = delete;

    // Creates a new file of a free name beside `target` (its name and a suffix), with the
    // permissions of `target` when it exists, else those of a new file; its name goes to
    // `temporaryPath`.
    SystemError createBeside(const std::string &target, std::string &temporaryPath);
    bool isOpen() const { return m_handle != kNone; }
    // Writes every byte (or fails), retrying where the system was interrupted.
    SystemError write(std::string_view bytes);
    // The bytes on the disk itself, not only in the system's cache.
    SystemError flushToDisk();
    // Closed also when it fails.
    SystemError close();

private:
    static constexpr std::intptr_t kNone = -1;
    std::intptr_t m_handle = kNone;
};

// The file a link names, so that it is updated and the link stays a link; `path` itself
// when it is no link or what it names cannot be found.
std::string followLink(const std::string &path);

// Why an existing file may not be replaced by this user: AccessDenied when it has no write
// permission at all (decided from its permissions, so that even the superuser leaves it),
// else the system's answer. None when it may be replaced, or does not exist.
SystemError replaceProtection(const std::string &path);

// True when this user may make a file in the folder.
bool mayCreateIn(const std::string &folder);

// Puts `from` in the place of `to` in one step: `to`, if it exists, is replaced whole.
SystemError renameFile(const std::string &from, const std::string &to);

// Removes a file, quietly. Safe to call while the program is being interrupted.
void removeFile(const std::string &path);

// Creates an empty file of a free name in the system's folder for temporary files, ending
// in `suffix`; its name goes to `path`.
SystemError createScratchFile(const std::string &suffix, std::string &path);

// A text that is equal for two paths exactly when they name the same file on disk; empty
// when nothing is there.
std::string diskIdentity(const std::string &path);

// For a program run from a shell: on an interruption (Ctrl+C, the end of the session, a
// request to end, a closed pipe; those not ignored when the program started) calls
// `cleanup`, then ends the program as the interruption would. `cleanup` may only remove
// files (removeFile).
void callOnInterruption(void (*cleanup)());

// For a program run from a shell: standard input, output and error are made safe to use.
// One the program was started without is taken by the null device opened for reading, so
// no file the program opens becomes its standard output, and a write to a closed standard
// output fails. All three carry bytes as they are (no line ends translated).
void reserveStandardStreams();

// Writes to standard output through the C library's buffer; the error of a failed write.
SystemError writeToStandardOutput(std::string_view bytes);
// Flushes standard output; the error of this flush or of any earlier write.
SystemError flushStandardOutput();

// True when standard error is a terminal (a progress line is shown there).
bool standardErrorIsTerminal();

// The user's data folder of the program ("" when there is no home folder): on this
// system $XDG_DATA_HOME/kovel, else ~/.local/share/kovel.
std::string userDataFolder();

// The data folder of the installed program, found from the executable's own location
// (PREFIX/share/kovel beside PREFIX/bin/kovel); "" when that location is not known.
std::string installedDataFolder();

// The local date and time now as a part of a file name: "20260312-091500".
std::string localTimeForFileName();

// True when a window can be shown at all (a display, or a Qt platform that needs none).
bool displayAvailable();

// A path of the program (UTF-8) as the standard library's file functions take it, and
// back. On Windows a narrow std::filesystem::path is in the ANSI code page, which holds
// few of the characters of a Japanese file name.
std::filesystem::path nativePath(const std::string &path);
std::string pathText(const std::filesystem::path &path);

// The program's arguments as UTF-8 (on Windows read as UTF-16 from the system, since
// argv there is in the ANSI code page), with argc and argv for the parsers.
class Arguments {
public:
    Arguments(int argc, char **argv);
    Arguments(const Arguments &) = delete;
    Arguments &operator=(const Arguments &) = delete;
    int argc() const { return static_cast<int>(m_texts.size()); }
    char **argv() { return m_pointers.data(); }

private:
    std::vector<std::string> m_texts;
    std::vector<char *> m_pointers;
};

} // namespace files::platform
