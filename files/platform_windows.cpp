// The system calls of files/platform.h on Windows. Paths stay UTF-8 in the program and
// become UTF-16 only here, at the call, so a file name in Japanese works whatever the
// machine's ANSI code page is.
#include "files/platform.h"
#include "files/platform_windows.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <vector>

#include <fcntl.h>
#include <io.h>
#include <windows.h>

// not in every SDK's headers
#ifndef ERROR_DISK_QUOTA_EXCEEDED
#define ERROR_DISK_QUOTA_EXCEEDED 1295L
#endif

namespace files::platform {

// The helpers shared with console_windows.cpp (files/platform_windows.h).

// UTF-8 and UTF-16 of the system's calls; invalid input gives an empty text.
std::wstring wide(std::string_view utf8)
{
    if (utf8.empty())
        return {};
    const int n = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), static_cast<int>(utf8.size()),
                                      nullptr, 0);
    std::wstring out(n > 0 ? n : 0, L'\0');
    if (n > 0)
        MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), static_cast<int>(utf8.size()), out.data(), n);
    return out;
}

std::string utf8(std::wstring_view text)
{
    if (text.empty())
        return {};
    const int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr,
                                      nullptr);
    std::string out(n > 0 ? n : 0, '\0');
    if (n > 0)
        WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
    return out;
}

SystemError errorOfErrno(int err)
{
    switch (err) {
    case EBADF: return {Fault::NotOpen, {}};
    case EPIPE: return {Fault::NoReader, {}};
    case ENOENT: return {Fault::NotFound, {}};
    case EACCES:
    case EPERM: return {Fault::AccessDenied, {}};
    case ENOSPC: return {Fault::DiskFull, {}};
    case EISDIR: return {Fault::IsFolder, {}};
    case ENOTDIR: return {Fault::NotFolder, {}};
    case EROFS: return {Fault::ReadOnlyFileSystem, {}};
    case ENAMETOOLONG: return {Fault::NameTooLong, {}};
    case EIO: return {Fault::InputOutput, {}};
    default: return {Fault::Other, std::strerror(err)};
    }
}

SystemError errorOf(DWORD err)
{
    switch (err) {
    case ERROR_INVALID_HANDLE: return {Fault::NotOpen, {}};
    case ERROR_BROKEN_PIPE:
    case ERROR_NO_DATA: return {Fault::NoReader, {}};
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH: return {Fault::NotFound, {}};
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_PRIVILEGE_NOT_HELD: return {Fault::AccessDenied, {}};
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL: return {Fault::DiskFull, {}};
    case ERROR_DISK_QUOTA_EXCEEDED: return {Fault::QuotaExceeded, {}};
    case ERROR_DIRECTORY: return {Fault::NotFolder, {}};
    case ERROR_WRITE_PROTECT: return {Fault::ReadOnlyFileSystem, {}};
    case ERROR_FILENAME_EXCED_RANGE: return {Fault::NameTooLong, {}};
    case ERROR_CRC:
    case ERROR_READ_FAULT:
    case ERROR_WRITE_FAULT:
    case ERROR_IO_DEVICE: return {Fault::InputOutput, {}};
    default: break;
    }
    // the system's own words, in the language of its user interface
    wchar_t *text = nullptr;
    const DWORD n = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM
                                       | FORMAT_MESSAGE_IGNORE_INSERTS,
                                   nullptr, err, 0, reinterpret_cast<wchar_t *>(&text), 0, nullptr);
    std::string words = n > 0 ? utf8(std::wstring_view(text, n)) : "error " + std::to_string(err);
    if (text)
        LocalFree(text);
    while (!words.empty() && (words.back() == '\n' || words.back() == '\r' || words.back() == ' '))
        words.pop_back();
    return {Fault::Other, words};
}

namespace {

SystemError lastError() { return errorOf(GetLastError()); }

struct Handle {
    HANDLE h = INVALID_HANDLE_VALUE;
    explicit Handle(HANDLE handle) : h(handle) {}
    ~Handle()
    {
        if (h != INVALID_HANDLE_VALUE)
            CloseHandle(h);
    }
    Handle(const Handle &) = delete;
    Handle &operator=(const Handle &) = delete;
    explicit operator bool() const { return h != INVALID_HANDLE_VALUE; }
};

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

// CON, NUL, COM1, LPT1, ... name a device in every folder and with any extension
// ("nul.txt"), so a file of that name can never be read or replaced.
bool isDeviceName(const std::string &path)
{
    if (path.rfind("\\\\.\\", 0) == 0 || path.rfind("//./", 0) == 0)
        return true;
    std::string name = path.substr(path.find_last_of("/\\:") == std::string::npos ? 0 : path.find_last_of("/\\:") + 1);
    name = name.substr(0, name.find('.'));
    while (!name.empty() && name.back() == ' ')
        name.pop_back();
    for (char &c : name)
        c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
    if (name == "CON" || name == "PRN" || name == "AUX" || name == "NUL" || name == "CONIN$" || name == "CONOUT$")
        return true;
    return name.size() == 4 && (name.rfind("COM", 0) == 0 || name.rfind("LPT", 0) == 0) && name[3] >= '1'
           && name[3] <= '9';
}

FileKind kindOfHandle(HANDLE h)
{
    switch (GetFileType(h)) {
    case FILE_TYPE_DISK: {
        BY_HANDLE_FILE_INFORMATION info{};
        if (GetFileInformationByHandle(h, &info) && (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            return FileKind::Folder;
        return FileKind::Regular;
    }
    case FILE_TYPE_CHAR: return FileKind::Device;
    case FILE_TYPE_PIPE: return FileKind::Fifo;
    default: return FileKind::Other;
    }
}

// Opens for looking at it only (no read or write access asked, so nothing is locked).
HANDLE openToLookAt(const std::wstring &path)
{
    return CreateFileW(path.c_str(), 0, kShareAll, nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
}

bool readAll(HANDLE h, std::string &bytes, std::size_t limit, bool &tooLarge, DWORD &err)
{
    char buf[65536];
    for (;;) {
        DWORD n = 0;
        if (!ReadFile(h, buf, sizeof buf, &n, nullptr)) {
            err = GetLastError();
            return err == ERROR_BROKEN_PIPE || err == ERROR_HANDLE_EOF; // a pipe's writer has finished
        }
        if (n == 0)
            return true;
        if (bytes.size() + n > limit) {
            tooLarge = true;
            return true;
        }
        bytes.append(buf, n);
    }
}

// A free name: `stem` followed by six letters and `suffix`, made as a new file.
HANDLE createFree(const std::string &stem, const std::string &suffix, DWORD flags, std::string &made)
{
    static const char letters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    unsigned long long seed = GetTickCount64() ^ (static_cast<unsigned long long>(GetCurrentProcessId()) << 20)
                              ^ reinterpret_cast<std::uintptr_t>(&made);
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string name = stem;
        for (int i = 0; i < 6; ++i) {
            seed = seed * 6364136223846793005ULL + 1442695040888963407ULL;
            name += letters[(seed >> 33) % 36];
        }
        name += suffix;
        const HANDLE h = CreateFileW(wide(name).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_NEW, flags,
                                     nullptr);
        if (h != INVALID_HANDLE_VALUE) {
            made = name;
            return h;
        }
        if (GetLastError() != ERROR_FILE_EXISTS && GetLastError() != ERROR_ALREADY_EXISTS)
            return INVALID_HANDLE_VALUE;
    }
    SetLastError(ERROR_FILE_EXISTS);
    return INVALID_HANDLE_VALUE;
}

std::string environment(const wchar_t *name)
{
    const wchar_t *value = ::_wgetenv(name);
    return value ? utf8(value) : std::string();
}

} // namespace

std::filesystem::path nativePath(const std::string &path)
{
    return std::filesystem::path(std::u8string(path.begin(), path.end()));
}

std::string pathText(const std::filesystem::path &path)
{
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

SystemError systemErrorOf(const std::error_code &code)
{
    if (code.category() == std::system_category())
        return errorOf(static_cast<DWORD>(code.value()));
    return errorOfErrno(code.value());
}

struct Cp932Conversion::State {
    Direction direction;
};

Cp932Conversion::Cp932Conversion(Direction direction) : m_state(new State{direction}) {}

Cp932Conversion::~Cp932Conversion() = default;

namespace {

// What the system's code page 932 takes beyond the code page as the rest of the program
// knows it: the single bytes 0x80, 0xA0 and 0xFD to 0xFF, which it maps to U+0080 and to
// private characters. A file with them is refused, as everywhere else.
bool outsideCodePage(wchar_t c) { return c == 0x80 || (c >= 0xF8F0 && c <= 0xF8F3); }

} // namespace

std::optional<std::string> Cp932Conversion::operator()(std::string_view in)
{
    if (in.empty())
        return std::string();
    if (in.size() > 0x3FFFFFFF)
        return std::nullopt;
    const int size = static_cast<int>(in.size());
    if (m_state->direction == ToCp932) {
        const int n = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, in.data(), size, nullptr, 0);
        if (n <= 0)
            return std::nullopt;
        std::wstring w(n, L'\0');
        MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, in.data(), size, w.data(), n);
        for (wchar_t c : w)
            if (outsideCodePage(c))
                return std::nullopt;
        // no "best fit" (¥ for a backslash, ～ for 〜): a character without its own code
        // is refused, and the caller names it
        BOOL usedDefault = FALSE;
        const int m = WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, w.data(), n, nullptr, 0, nullptr, &usedDefault);
        if (m <= 0 || usedDefault)
            return std::nullopt;
        std::string out(m, '\0');
        usedDefault = FALSE;
        WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, w.data(), n, out.data(), m, nullptr, &usedDefault);
        if (usedDefault)
            return std::nullopt;
        return out;
    }
    const int n = MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, in.data(), size, nullptr, 0);
    if (n <= 0)
        return std::nullopt;
    std::wstring w(n, L'\0');
    MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, in.data(), size, w.data(), n);
    for (wchar_t c : w)
        if (outsideCodePage(c))
            return std::nullopt;
    const int m = WideCharToMultiByte(CP_UTF8, 0, w.data(), n, nullptr, 0, nullptr, nullptr);
    std::string out(m > 0 ? m : 0, '\0');
    if (m > 0)
        WideCharToMultiByte(CP_UTF8, 0, w.data(), n, out.data(), m, nullptr, nullptr);
    return out;
}

FileKind fileKind(const std::string &path)
{
    if (isDeviceName(path))
        return FileKind::Device;
    const std::wstring name = wide(path);
    if (name.empty())
        return FileKind::Missing;
    const DWORD attributes = GetFileAttributesW(name.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return FileKind::Missing;
    if (attributes & FILE_ATTRIBUTE_DIRECTORY)
        return FileKind::Folder;
    const Handle h(openToLookAt(name));
    if (!h)
        return FileKind::Regular; // there, and not a folder; opening decides later
    return kindOfHandle(h.h);
}

ReadResult readRegularFile(const std::string &path, std::string &bytes, std::size_t limit)
{
    ReadResult result;
    bytes.clear();
    const FileKind kind = fileKind(path);
    if (kind == FileKind::Folder || kind == FileKind::Device) {
        result.kind = kind;
        return result;
    }
    const std::wstring name = wide(path);
    const Handle h(CreateFileW(name.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                               nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!h) {
        result.openError = name.empty() ? SystemError{Fault::NotFound, {}} : lastError();
        return result;
    }
    result.kind = kindOfHandle(h.h);
    if (result.kind != FileKind::Regular)
        return result;
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(h.h, &size)) {
        result.readError = lastError();
        return result;
    }
    result.size = static_cast<std::size_t>(size.QuadPart);
    if (result.size > limit) {
        result.tooLarge = true;
        return result;
    }
    bytes.reserve(result.size);
    DWORD err = 0;
    if (!readAll(h.h, bytes, limit, result.tooLarge, err))
        result.readError = errorOf(err);
    if (result.readError || result.tooLarge)
        bytes.clear();
    return result;
}

ReadResult readAllOfStandardInput(std::string &bytes, std::size_t limit)
{
    ReadResult result;
    bytes.clear();
    const HANDLE in = reinterpret_cast<HANDLE>(::_get_osfhandle(0));
    DWORD err = 0;
    if (in == INVALID_HANDLE_VALUE)
        result.readError = {Fault::NotOpen, {}};
    else if (!readAll(in, bytes, limit, result.tooLarge, err))
        result.readError = errorOf(err);
    if (result.readError || result.tooLarge)
        bytes.clear();
    result.size = bytes.size();
    return result;
}

SystemError readFileInPieces(const std::string &path, const std::function<bool(std::string_view)> &piece)
{
    const Handle h(CreateFileW(wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                               nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!h)
        return lastError();
    char buf[65536];
    for (;;) {
        DWORD n = 0;
        if (!ReadFile(h.h, buf, sizeof buf, &n, nullptr))
            return lastError();
        if (n == 0 || !piece(std::string_view(buf, n)))
            return {};
    }
}

OutputFile::~OutputFile() { close(); }

SystemError OutputFile::createBeside(const std::string &target, std::string &temporaryPath)
{
    close();
    // a hidden or system file stays so once replaced; a read-only one was refused before
    DWORD attributes = GetFileAttributesW(wide(target).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY))
        attributes = FILE_ATTRIBUTE_NORMAL;
    attributes &= FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
    if (attributes == 0)
        attributes = FILE_ATTRIBUTE_NORMAL;
    const HANDLE h = createFree(target + ".tmp", "", attributes, temporaryPath);
    if (h == INVALID_HANDLE_VALUE)
        return lastError();
    m_handle = reinterpret_cast<std::intptr_t>(h);
    return {};
}

SystemError OutputFile::write(std::string_view bytes)
{
    if (!isOpen())
        return {Fault::NotOpen, {}};
    const HANDLE h = reinterpret_cast<HANDLE>(m_handle);
    while (!bytes.empty()) {
        const DWORD piece = bytes.size() > (1u << 30) ? (1u << 30) : static_cast<DWORD>(bytes.size());
        DWORD n = 0;
        if (!WriteFile(h, bytes.data(), piece, &n, nullptr))
            return lastError();
        if (n == 0)
            return {Fault::DiskFull, {}};
        bytes.remove_prefix(n);
    }
    return {};
}

SystemError OutputFile::flushToDisk()
{
    if (!isOpen())
        return {Fault::NotOpen, {}};
    if (!FlushFileBuffers(reinterpret_cast<HANDLE>(m_handle)))
        return lastError();
    return {};
}

SystemError OutputFile::close()
{
    if (!isOpen())
        return {};
    const HANDLE h = reinterpret_cast<HANDLE>(m_handle);
    m_handle = kNone;
    if (!CloseHandle(h))
        return lastError();
    return {};
}

std::string followLink(const std::string &path)
{
    const std::wstring name = wide(path);
    const DWORD attributes = GetFileAttributesW(name.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_REPARSE_POINT))
        return path;
    const Handle h(openToLookAt(name));
    if (!h)
        return path;
    std::wstring target(MAX_PATH, L'\0');
    DWORD n = GetFinalPathNameByHandleW(h.h, target.data(), static_cast<DWORD>(target.size()), FILE_NAME_NORMALIZED);
    if (n >= target.size()) {
        target.resize(n + 1);
        n = GetFinalPathNameByHandleW(h.h, target.data(), static_cast<DWORD>(target.size()), FILE_NAME_NORMALIZED);
    }
    if (n == 0 || n >= target.size())
        return path;
    target.resize(n);
    if (target.rfind(L"\\\\?\\UNC\\", 0) == 0)
        target = L"\\\\" + target.substr(8);
    else if (target.rfind(L"\\\\?\\", 0) == 0)
        target = target.substr(4);
    return utf8(target);
}

SystemError replaceProtection(const std::string &path)
{
    const std::wstring name = wide(path);
    const DWORD attributes = GetFileAttributesW(name.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return {};
    if (attributes & FILE_ATTRIBUTE_READONLY)
        return {Fault::AccessDenied, {}};
    // asks for write access without taking the file from anyone who has it open
    const Handle h(CreateFileW(name.c_str(), GENERIC_WRITE, kShareAll, nullptr, OPEN_EXISTING, 0, nullptr));
    if (!h && GetLastError() == ERROR_ACCESS_DENIED)
        return {Fault::AccessDenied, {}};
    return {};
}

bool mayCreateIn(const std::string &folder)
{
    // Windows has no permission bits to read this from: a trial file tells
    std::string made;
    std::string stem = folder.empty() ? std::string(".") : folder;
    if (stem.back() != '\\' && stem.back() != '/')
        stem += '\\';
    const HANDLE h = createFree(stem + "kovel-", ".tmp", FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, made);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    CloseHandle(h);
    return true;
}

SystemError renameFile(const std::string &from, const std::string &to)
{
    if (!MoveFileExW(wide(from).c_str(), wide(to).c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return lastError();
    return {};
}

void removeFile(const std::string &path) { DeleteFileW(wide(path).c_str()); }

SystemError createScratchFile(const std::string &suffix, std::string &path)
{
    wchar_t folder[MAX_PATH + 2] = {};
    const DWORD n = GetTempPathW(MAX_PATH + 1, folder);
    if (n == 0 || n > MAX_PATH + 1)
        return lastError();
    std::string made;
    const HANDLE h = createFree(utf8(std::wstring_view(folder, n)) + "kovel-", suffix, FILE_ATTRIBUTE_NORMAL, made);
    if (h == INVALID_HANDLE_VALUE)
        return lastError();
    CloseHandle(h);
    path = made;
    return {};
}

std::string diskIdentity(const std::string &path)
{
    if (isDeviceName(path))
        return {};
    const Handle h(openToLookAt(wide(path)));
    if (!h)
        return {};
    BY_HANDLE_FILE_INFORMATION info{};
    if (!GetFileInformationByHandle(h.h, &info))
        return {};
    return std::to_string(info.dwVolumeSerialNumber) + ":" + std::to_string(info.nFileIndexHigh) + ":"
           + std::to_string(info.nFileIndexLow);
}

std::string userDataFolder()
{
    const std::string appData = environment(L"APPDATA");
    if (appData.empty())
        return {};
    return pathText(nativePath(appData) / "KOVEL");
}

std::string installedDataFolder()
{
    std::wstring exe(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, exe.data(), static_cast<DWORD>(exe.size()));
        if (n == 0)
            return {};
        if (n < exe.size()) {
            exe.resize(n);
            break;
        }
        exe.resize(exe.size() * 2);
    }
    // the data sits beside the program: FOLDER\kovel.exe, FOLDER\share\kovel
    const std::filesystem::path program(exe);
    if (!program.has_parent_path())
        return {};
    return pathText(program.parent_path() / "share" / "kovel");
}

std::string localTimeForFileName()
{
    char stamp[32] = {};
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_s(&local, &now);
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
    return stamp;
}

bool displayAvailable() { return true; }

} // namespace files::platform
