// The system calls of files/platform.h on Linux and other POSIX systems.
#include "files/platform.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>

#include <fcntl.h>
#include <iconv.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

namespace files::platform {

namespace {

SystemError errorOf(int err)
{
    switch (err) {
    case EBADF: return {Fault::NotOpen, {}};
    case EPIPE: return {Fault::NoReader, {}};
    case ENOENT: return {Fault::NotFound, {}};
    case EACCES:
    case EPERM: return {Fault::AccessDenied, {}};
    case ENOSPC: return {Fault::DiskFull, {}};
    case EDQUOT: return {Fault::QuotaExceeded, {}};
    case EISDIR: return {Fault::IsFolder, {}};
    case ENOTDIR: return {Fault::NotFolder, {}};
    case EROFS: return {Fault::ReadOnlyFileSystem, {}};
    case ENAMETOOLONG: return {Fault::NameTooLong, {}};
    case EIO: return {Fault::InputOutput, {}};
    default: return {Fault::Other, std::strerror(err)};
    }
}

SystemError lastError() { return errorOf(errno); }

FileKind kindOf(mode_t mode)
{
    if (S_ISREG(mode))
        return FileKind::Regular;
    if (S_ISDIR(mode))
        return FileKind::Folder;
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return FileKind::Device;
    if (S_ISFIFO(mode))
        return FileKind::Fifo;
    if (S_ISSOCK(mode))
        return FileKind::Socket;
    return FileKind::Other;
}

// Reads `fd` to its end into `bytes`; false (errno set) on a failed read, or `tooLarge`
// when more than `limit` bytes come.
bool readAll(int fd, std::string &bytes, std::size_t limit, bool &tooLarge)
{
    char buf[65536];
    for (;;) {
        const ssize_t n = ::read(fd, buf, sizeof buf);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (n == 0)
            return true;
        if (bytes.size() + static_cast<std::size_t>(n) > limit) {
            tooLarge = true;
            return true;
        }
        bytes.append(buf, static_cast<std::size_t>(n));
    }
}

void (*g_cleanup)() = nullptr;

extern "C" void cleanUpAndEnd(int signal)
{
    if (g_cleanup)
        g_cleanup();
    ::signal(signal, SIG_DFL);
    ::raise(signal); // delivered when the handler returns, ending the program as the signal would
}

} // namespace

SystemError systemErrorOf(const std::error_code &code) { return errorOf(code.value()); }

struct Cp932Conversion::State {
    iconv_t cd;
};

Cp932Conversion::Cp932Conversion(Direction direction)
    : m_state(new State{direction == ToCp932 ? iconv_open("CP932", "UTF-8") : iconv_open("UTF-8", "CP932")})
{
}

Cp932Conversion::~Cp932Conversion()
{
    if (m_state->cd != reinterpret_cast<iconv_t>(-1))
        iconv_close(m_state->cd);
}

std::optional<std::string> Cp932Conversion::operator()(std::string_view in)
{
    const iconv_t cd = m_state->cd;
    if (cd == reinterpret_cast<iconv_t>(-1))
        return std::nullopt;
    iconv(cd, nullptr, nullptr, nullptr, nullptr); // back to the initial state
    std::string out;
    out.resize(in.size() * 2 + 16);
    char *src = const_cast<char *>(in.data());
    std::size_t srcLeft = in.size();
    char *dst = out.data();
    std::size_t dstLeft = out.size();
    while (srcLeft > 0) {
        std::size_t r = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
        if (r == static_cast<std::size_t>(-1)) {
            if (errno != E2BIG)
                return std::nullopt;
            std::size_t used = out.size() - dstLeft;
            out.resize(out.size() * 2);
            dst = out.data() + used;
            dstLeft = out.size() - used;
            continue;
        }
        if (r > 0)
            return std::nullopt; // an irreversible conversion would replace a character
    }
    if (iconv(cd, nullptr, nullptr, &dst, &dstLeft) == static_cast<std::size_t>(-1))
        return std::nullopt;
    out.resize(out.size() - dstLeft);
    return out;
}

FileKind fileKind(const std::string &path)
{
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        return FileKind::Missing;
    return kindOf(st.st_mode);
}

ReadResult readRegularFile(const std::string &path, std::string &bytes, std::size_t limit)
{
    ReadResult result;
    bytes.clear();
    // not blocking: a FIFO without a writer would hold the open (and the program) for good
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        result.openError = lastError();
        return result;
    }
    struct Closer {
        int fd;
        ~Closer() { ::close(fd); }
    } closer{fd};
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        result.readError = lastError();
        return result;
    }
    result.kind = kindOf(st.st_mode);
    if (result.kind != FileKind::Regular)
        return result;
    result.size = static_cast<std::size_t>(st.st_size);
    if (result.size > limit) {
        result.tooLarge = true;
        return result;
    }
    bytes.reserve(result.size); // one allocation of the file's size, unless it grows meanwhile
    if (!readAll(fd, bytes, limit, result.tooLarge))
        result.readError = lastError();
    if (result.readError || result.tooLarge)
        bytes.clear();
    return result;
}

ReadResult readAllOfStandardInput(std::string &bytes, std::size_t limit)
{
    ReadResult result;
    bytes.clear();
    if (!readAll(STDIN_FILENO, bytes, limit, result.tooLarge))
        result.readError = lastError();
    if (result.readError || result.tooLarge)
        bytes.clear();
    result.size = bytes.size();
    return result;
}

SystemError readFileInPieces(const std::string &path, const std::function<bool(std::string_view)> &piece)
{
    const int in = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0)
        return lastError();
    struct Closer {
        int fd;
        ~Closer() { ::close(fd); }
    } closer{in};
    char buf[65536];
    for (;;) {
        const ssize_t n = ::read(in, buf, sizeof buf);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return lastError();
        if (n == 0 || !piece(std::string_view(buf, static_cast<std::size_t>(n))))
            return {};
    }
}

OutputFile::~OutputFile() { close(); }

SystemError OutputFile::createBeside(const std::string &target, std::string &temporaryPath)
{
    close();
    temporaryPath = target + ".tmpXXXXXX";
    const int fd = ::mkostemp(temporaryPath.data(), O_CLOEXEC);
    if (fd < 0)
        return lastError();
    m_handle = fd;
    // keep the permissions an existing file had, else the usual ones for a new file
    struct stat st {};
    if (::stat(target.c_str(), &st) == 0)
        ::fchmod(fd, st.st_mode & 07777);
    else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        ::fchmod(fd, 0666 & ~mask);
    }
    return {};
}

SystemError OutputFile::write(std::string_view bytes)
{
    if (!isOpen())
        return errorOf(EBADF);
    const int fd = static_cast<int>(m_handle);
    const char *data = bytes.data();
    std::size_t size = bytes.size();
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return lastError();
        }
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return {};
}

SystemError OutputFile::flushToDisk()
{
    if (!isOpen())
        return errorOf(EBADF);
    if (::fsync(static_cast<int>(m_handle)) != 0)
        return lastError();
    return {};
}

SystemError OutputFile::close()
{
    if (!isOpen())
        return {};
    const int fd = static_cast<int>(m_handle);
    m_handle = kNone;
    if (::close(fd) != 0)
        return lastError();
    return {};
}

std::string followLink(const std::string &path)
{
    struct stat st {};
    if (::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
        if (char *real = ::realpath(path.c_str(), nullptr)) {
            std::string target = real;
            std::free(real);
            return target;
        }
    }
    return path;
}

SystemError replaceProtection(const std::string &path)
{
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        return {};
    // the access test alone lets the superuser write anything
    if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
        return errorOf(EACCES);
    if (::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) != 0)
        return lastError();
    return {};
}

bool mayCreateIn(const std::string &folder) { return ::faccessat(AT_FDCWD, folder.c_str(), W_OK, AT_EACCESS) == 0; }

SystemError renameFile(const std::string &from, const std::string &to)
{
    if (::rename(from.c_str(), to.c_str()) != 0)
        return lastError();
    return {};
}

void removeFile(const std::string &path) { ::unlink(path.c_str()); }

SystemError createScratchFile(const std::string &suffix, std::string &path)
{
    std::error_code error;
    std::string name = (std::filesystem::temp_directory_path(error) / "kovel-XXXXXX").string() + suffix;
    const int fd = ::mkostemps(name.data(), static_cast<int>(suffix.size()), O_CLOEXEC);
    if (fd < 0)
        return lastError();
    ::close(fd);
    path = name;
    return {};
}

std::string diskIdentity(const std::string &path)
{
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        return {};
    return std::to_string(st.st_dev) + ":" + std::to_string(st.st_ino);
}

void callOnInterruption(void (*cleanup)())
{
    g_cleanup = cleanup;
    for (int signal : {SIGINT, SIGTERM, SIGHUP, SIGPIPE}) {
        struct sigaction now {};
        if (::sigaction(signal, nullptr, &now) != 0 || now.sa_handler == SIG_IGN)
            continue; // a signal ignored from the start (nohup, a background job) stays ignored
        struct sigaction action {};
        action.sa_handler = cleanUpAndEnd;
        sigemptyset(&action.sa_mask);
        ::sigaction(signal, &action, nullptr);
    }
}

void reserveStandardStreams()
{
    for (int fd = 0; fd <= 2; ++fd) {
        if (::fcntl(fd, F_GETFD) != -1 || errno != EBADF)
            continue;
        // the lowest free descriptor is this one, the lower ones being open by now
        const int taken = ::open("/dev/null", O_RDONLY);
        if (taken >= 0 && taken != fd)
            ::close(taken);
    }
}

SystemError writeToStandardOutput(std::string_view bytes)
{
    errno = 0;
    if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), stdout) != bytes.size())
        return errorOf(errno != 0 ? errno : EIO);
    return {};
}

SystemError flushStandardOutput()
{
    errno = 0;
    if (std::fflush(stdout) != 0)
        return errorOf(errno != 0 ? errno : EIO);
    if (std::ferror(stdout))
        return errorOf(EIO);
    return {};
}

bool standardErrorIsTerminal() { return ::isatty(STDERR_FILENO) == 1; }

namespace {

std::string environment(const char *name)
{
    const char *value = std::getenv(name);
    return value ? std::string(value) : std::string();
}

} // namespace

std::string userDataFolder()
{
    // XDG: a relative $XDG_DATA_HOME is to be ignored
    const std::string xdg = environment("XDG_DATA_HOME");
    const std::string home = environment("HOME");
    if (!xdg.empty() && xdg.front() == '/')
        return (std::filesystem::path(xdg) / "kovel").string();
    if (!home.empty())
        return (std::filesystem::path(home) / ".local/share/kovel").string();
    return {};
}

std::string installedDataFolder()
{
    std::error_code ec;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec || !exe.has_parent_path())
        return {};
    return (exe.parent_path().parent_path() / "share" / "kovel").string();
}

std::string localTimeForFileName()
{
    char stamp[32] = {};
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
    return stamp;
}

bool displayAvailable()
{
    auto set = [](const char *name) {
        const char *v = std::getenv(name);
        return v && *v;
    };
    return set("DISPLAY") || set("WAYLAND_DISPLAY") || set("QT_QPA_PLATFORM");
}

} // namespace files::platform

namespace files::platform {

std::filesystem::path nativePath(const std::string &path) { return std::filesystem::path(path); }

std::string pathText(const std::filesystem::path &path) { return path.string(); }

Arguments::Arguments(int argc, char **argv) : m_texts(argv, argv + argc)
{
    for (std::string &text : m_texts)
        m_pointers.push_back(text.data());
    m_pointers.push_back(nullptr);
}

} // namespace files::platform
