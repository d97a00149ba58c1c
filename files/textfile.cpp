#include "files/textfile.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <mutex>
#include <fcntl.h>
#include <iconv.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

namespace files {

namespace {

std::atomic<long long> g_failAfter{-1};

// The temporary files that exist now, for the signal handler, which may only read them:
// entries are added at the head and never freed or reused, an entry is only switched off.
struct TemporaryName {
    std::atomic<bool> live{true};
    TemporaryName *next = nullptr;
    std::string path;
};
std::atomic<TemporaryName *> g_temporaries{nullptr};
std::mutex g_temporariesAdding;

void *rememberTemporary(const std::string &path)
{
    auto *entry = new TemporaryName;
    entry->path = path;
    const std::lock_guard<std::mutex> lock(g_temporariesAdding);
    entry->next = g_temporaries.load();
    g_temporaries.store(entry);
    return entry;
}

// After the file is renamed or removed, never before: a signal in between would leave it.
void forgetTemporary(void *&entry)
{
    if (entry)
        static_cast<TemporaryName *>(entry)->live.store(false);
    entry = nullptr;
}

extern "C" void removeTemporariesAndEnd(int signal)
{
    for (TemporaryName *t = g_temporaries.load(); t; t = t->next)
        if (t->live.load())
            ::unlink(t->path.c_str());
    ::signal(signal, SIG_DFL);
    ::raise(signal); // delivered when the handler returns, ending the program as the signal would
}

int g_standardOutputError = 0; // the first failure of a write to standard output

// One iconv conversion, opened once and used for any number of texts.
class Converter {
public:
    Converter(const char *to, const char *from) : m_cd(iconv_open(to, from)) {}
    ~Converter()
    {
        if (valid())
            iconv_close(m_cd);
    }
    Converter(const Converter &) = delete;
    Converter &operator=(const Converter &) = delete;

    bool valid() const { return m_cd != reinterpret_cast<iconv_t>(-1); }

    // nullopt when a character has no form in the target or the input is not valid.
    std::optional<std::string> operator()(std::string_view in)
    {
        if (!valid())
            return std::nullopt;
        iconv(m_cd, nullptr, nullptr, nullptr, nullptr); // back to the initial state
        std::string out;
        out.resize(in.size() * 2 + 16);
        char *src = const_cast<char *>(in.data());
        std::size_t srcLeft = in.size();
        char *dst = out.data();
        std::size_t dstLeft = out.size();
        while (srcLeft > 0) {
            std::size_t r = iconv(m_cd, &src, &srcLeft, &dst, &dstLeft);
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
        if (iconv(m_cd, nullptr, nullptr, &dst, &dstLeft) == static_cast<std::size_t>(-1))
            return std::nullopt;
        out.resize(out.size() - dstLeft);
        return out;
    }

private:
    iconv_t m_cd;
};

// The code page 932 form of a text, only when it reads back as the same text. iconv also
// maps look-alikes onto code page 932 (U+301C wave dash, U+2212 minus, U+00A5 yen sign,
// U+2014 em dash ...), which would come back from the file as other characters.
std::optional<std::string> encodeExactly(Converter &encode, Converter &decode, std::string_view utf8)
{
    std::optional<std::string> bytes = encode(utf8);
    if (!bytes)
        return std::nullopt;
    const bool ascii = std::all_of(utf8.begin(), utf8.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    if (!ascii) {
        const std::optional<std::string> back = decode(*bytes);
        if (!back || *back != utf8)
            return std::nullopt;
    }
    return bytes;
}

std::string fileError(const std::string &path, const char *what, int err)
{
    return "ファイル「" + path + "」" + what + systemReason(err);
}

bool writeAll(int fd, const char *data, std::size_t size)
{
    while (size > 0) {
        std::size_t chunk = size;
        long long budget = g_failAfter.load();
        if (budget >= 0) {
            if (budget == 0) {
                errno = ENOSPC;
                return false;
            }
            if (static_cast<long long>(chunk) > budget)
                chunk = static_cast<std::size_t>(budget);
            g_failAfter.store(budget - static_cast<long long>(chunk));
        }
        ssize_t n = ::write(fd, data, chunk);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

} // namespace

std::optional<std::string> toCp932(std::string_view utf8)
{
    Converter encode("CP932", "UTF-8"), decode("UTF-8", "CP932");
    return encodeExactly(encode, decode, utf8);
}
std::optional<std::string> fromCp932(std::string_view cp932) { return Converter("UTF-8", "CP932")(cp932); }
bool fitsCp932(std::string_view utf8) { return toCp932(utf8).has_value(); }

std::optional<UnwritableCharacter> firstUnwritableCharacter(std::string_view utf8)
{
    static constexpr std::string_view kStandIns[][2] = {
        {"〜", "～"}, {"−", "－"}, {"‖", "∥"}, {"—", "―"}, {"¢", "￠"}, {"£", "￡"}, {"¬", "￢"}, {"¥", "￥"}, {"‾", "￣"},
    };
    Converter encode("CP932", "UTF-8"), decode("UTF-8", "CP932");
    if (encodeExactly(encode, decode, utf8))
        return std::nullopt;
    for (std::size_t i = 0; i < utf8.size();) {
        const unsigned char lead = static_cast<unsigned char>(utf8[i]);
        std::size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
        length = std::min(length, utf8.size() - i);
        const std::string_view character = utf8.substr(i, length);
        if (!encodeExactly(encode, decode, character)) {
            UnwritableCharacter c{std::string(character), {}};
            for (const auto &pair : kStandIns)
                if (pair[0] == character)
                    c.instead = pair[1];
            return c;
        }
        i += length;
    }
    return UnwritableCharacter{}; // the whole fails but no single character does
}

std::string unwritableCharacterText(const UnwritableCharacter &c)
{
    if (c.character.empty())
        return "Shift-JIS（コードページ932）で表せない文字があります。";
    if (c.instead.empty())
        return "Shift-JIS（コードページ932）で表せない文字「" + c.character + "」があります。";
    return "Shift-JIS（コードページ932）で使えない文字「" + c.character + "」があります。代わりに「" + c.instead + "」を入力して下さい。";
}

std::string systemReason(int err)
{
    switch (err) {
    case EBADF: return "書き込める状態で開かれていません（閉じられています）。";
    case EPIPE: return "読み手がありません（パイプが閉じられました）。";
    case ENOENT: return "ファイルまたはフォルダーが見つかりません。";
    case EACCES:
    case EPERM: return "アクセスが拒否されました。";
    case ENOSPC: return "ディスクの空き容量が足りません。";
    case EDQUOT: return "ディスクの割り当てを超えました。";
    case EISDIR: return "フォルダーです。";
    case ENOTDIR: return "パスの途中がフォルダーではありません。";
    case EROFS: return "読み取り専用のファイルシステムです。";
    case ENAMETOOLONG: return "ファイル名が長すぎます。";
    case EIO: return "入出力エラーが発生しました。";
    default: return std::string("エラーが発生しました（") + std::strerror(err) + "）。";
    }
}

namespace {

// "64 MB", "286.1 MB", "900 KB": a size as a user reads it.
std::string sizeText(std::size_t bytes)
{
    char text[32];
    if (bytes >= (std::size_t{1} << 20)) {
        const double mb = static_cast<double>(bytes) / static_cast<double>(std::size_t{1} << 20);
        std::snprintf(text, sizeof text, mb == static_cast<double>(bytes >> 20) ? "%.0f MB" : "%.1f MB", mb);
    } else {
        std::snprintf(text, sizeof text, "%zu KB", (bytes + 1023) / 1024);
    }
    return text;
}

// What a file is when it is not a regular one, for the messages.
const char *kindOf(mode_t mode)
{
    if (S_ISDIR(mode))
        return "フォルダー";
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return "デバイス";
    if (S_ISFIFO(mode))
        return "名前付きパイプ（FIFO）";
    if (S_ISSOCK(mode))
        return "ソケット";
    return "通常のファイルではないもの";
}

std::string tooLargeText(const std::string &path, std::size_t size, std::size_t limit)
{
    return "ファイル「" + path + "」は大きすぎます（" + (size > limit ? sizeText(size) : ">" + sizeText(limit))
        + "）。読み込めるのは " + sizeText(limit) + " までです。";
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

} // namespace

std::string readFileBytes(const std::string &path, std::string &bytes, std::size_t limit)
{
    // not blocking: a FIFO without a writer would hold the open (and the program) for good
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return fileError(path, "を開けません。", errno);
    struct Closer {
        int fd;
        ~Closer() { ::close(fd); }
    } closer{fd};
    struct stat st {};
    if (::fstat(fd, &st) != 0)
        return fileError(path, "を読めません。", errno);
    if (S_ISDIR(st.st_mode))
        return fileError(path, "を開けません。", EISDIR);
    if (!S_ISREG(st.st_mode))
        return "ファイル「" + path + "」を開けません。" + kindOf(st.st_mode) + "で、通常のファイルではありません。";
    const std::size_t size = static_cast<std::size_t>(st.st_size);
    if (size > limit)
        return tooLargeText(path, size, limit);
    bytes.clear();
    bytes.reserve(size); // one allocation of the file's size, unless it grows meanwhile
    bool tooLarge = false;
    if (!readAll(fd, bytes, limit, tooLarge)) {
        const int err = errno;
        bytes.clear();
        return fileError(path, "を読めません。", err);
    }
    if (tooLarge) {
        bytes.clear();
        return tooLargeText(path, 0, limit);
    }
    return {};
}

std::string readStandardInput(std::string &bytes, std::size_t limit)
{
    bytes.clear();
    bool tooLarge = false;
    if (!readAll(STDIN_FILENO, bytes, limit, tooLarge)) {
        const int err = errno;
        bytes.clear();
        return "標準入力を読めません。" + systemReason(err);
    }
    if (tooLarge) {
        bytes.clear();
        return "標準入力が大きすぎます。読み込めるのは " + sizeText(limit) + " までです。";
    }
    return {};
}

std::vector<std::string> folderEntries(const std::string &folder)
{
    std::vector<std::string> names;
    std::error_code error;
    for (std::filesystem::directory_iterator it(folder.empty() ? "." : folder, error), end; !error && it != end;
         it.increment(error))
        names.push_back(it->path().filename().string());
    return names;
}

TextFileRead readTextFile(const std::string &path, std::size_t limit)
{
    TextFileRead result;
    std::string bytes;
    if (std::string error = readFileBytes(path, bytes, limit); !error.empty()) {
        result.error = std::move(error);
        return result;
    }
    std::vector<std::string> lines;
    Converter decode("UTF-8", "CP932");
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        std::size_t nl = bytes.find('\n', pos);
        std::size_t end = nl == std::string::npos ? bytes.size() : nl;
        std::size_t stop = end;
        if (stop > pos && bytes[stop - 1] == '\r')
            --stop;
        auto text = decode(std::string_view(bytes).substr(pos, stop - pos));
        if (!text) {
            result.error = "ファイル「" + path + "」の " + std::to_string(lines.size() + 1)
                + " 行目を読めません。Shift-JIS（コードページ932）のテキストではありません。";
            return result;
        }
        lines.push_back(std::move(*text));
        pos = nl == std::string::npos ? bytes.size() : nl + 1;
    }
    result.lines = std::move(lines);
    return result;
}

namespace {

std::string canonicalPath(const std::string &path)
{
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(path, error);
    const std::filesystem::path canonical = std::filesystem::weakly_canonical(absolute, error);
    return error ? absolute.lexically_normal().string() : canonical.string();
}

} // namespace

std::string replaceRefusal(const std::string &path)
{
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || S_ISREG(st.st_mode))
        return {}; // a new file, or one to replace
    if (S_ISDIR(st.st_mode))
        return fileError(path, "に書き込めません。", EISDIR);
    return "ファイル「" + path + "」に書き込めません。" + kindOf(st.st_mode) + "で、通常のファイルではありません。"
        + "ファイルで置き換えることはしません。";
}

std::string fileIdentity(const std::string &path)
{
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0)
        return "file " + std::to_string(st.st_dev) + ":" + std::to_string(st.st_ino);
    return "name " + canonicalPath(path);
}

bool sameFile(const std::string &a, const std::string &b) { return fileIdentity(a) == fileIdentity(b); }

SafeFileWriter::SafeFileWriter(std::string path) : m_shownPath(std::move(path)) {}

SafeFileWriter::~SafeFileWriter() { dropTemporary(); }

void SafeFileWriter::dropTemporary()
{
    if (m_fd >= 0)
        ::close(m_fd);
    if (m_fd >= 0 || m_finished)
        ::unlink(m_tmp.c_str());
    forgetTemporary(m_temporary);
    m_fd = -1;
    m_finished = false;
}

std::string SafeFileWriter::fail(int err)
{
    dropTemporary();
    return fileError(m_shownPath, "に書き込めません。", err);
}

std::string SafeFileWriter::open()
{
    // A link is followed, so the file it names is updated and the link stays a link.
    m_path = m_shownPath;
    struct stat st {};
    if (::lstat(m_shownPath.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
        if (char *real = ::realpath(m_shownPath.c_str(), nullptr)) {
            m_path = real;
            std::free(real);
        }
    }
    if (std::string refusal = replaceRefusal(m_path); !refusal.empty())
        return refusal;
    const bool exists = ::stat(m_path.c_str(), &st) == 0;
    // A write-protected file is not replaced, although its folder would allow the rename:
    // one without any write bit (decided from the mode bits, since the access test lets
    // the superuser write anything), or one this user may not write.
    if (exists && (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
        return fail(EACCES);
    if (exists && ::faccessat(AT_FDCWD, m_path.c_str(), W_OK, AT_EACCESS) != 0)
        return fail(errno);
    m_tmp = m_path + ".tmpXXXXXX";
    m_fd = ::mkostemp(m_tmp.data(), O_CLOEXEC);
    if (m_fd < 0)
        return fail(errno);
    m_temporary = rememberTemporary(m_tmp);
    // keep the permissions an existing file had, else the usual ones for a new file
    if (::stat(m_path.c_str(), &st) == 0)
        ::fchmod(m_fd, st.st_mode & 07777);
    else {
        mode_t mask = ::umask(0);
        ::umask(mask);
        ::fchmod(m_fd, 0666 & ~mask);
    }
    return {};
}

std::string SafeFileWriter::write(std::string_view bytes)
{
    if (m_fd < 0)
        return fileError(m_shownPath, "に書き込めません。", EBADF);
    if (!writeAll(m_fd, bytes.data(), bytes.size()))
        return fail(errno);
    return {};
}

std::string SafeFileWriter::copyFrom(const std::string &path)
{
    const int in = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0)
        return fail(errno);
    char buf[65536];
    for (;;) {
        const ssize_t n = ::read(in, buf, sizeof buf);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            const int err = errno;
            ::close(in);
            return n == 0 ? std::string() : fail(err);
        }
        if (std::string error = write(std::string_view(buf, static_cast<std::size_t>(n))); !error.empty()) {
            ::close(in);
            return error;
        }
    }
}

std::string SafeFileWriter::finish()
{
    if (m_fd < 0)
        return fileError(m_shownPath, "に書き込めません。", EBADF);
    if (::fsync(m_fd) != 0)
        return fail(errno);
    const int fd = m_fd;
    m_fd = -1;
    m_finished = true;
    if (::close(fd) != 0)
        return fail(errno);
    return {};
}

std::string SafeFileWriter::replace()
{
    if (!m_finished)
        return fileError(m_shownPath, "に書き込めません。", EBADF);
    if (::rename(m_tmp.c_str(), m_path.c_str()) != 0)
        return fail(errno);
    m_finished = false;
    forgetTemporary(m_temporary);
    return {};
}

std::string SafeFileWriter::commit()
{
    if (std::string error = finish(); !error.empty())
        return error;
    return replace();
}

SafeFileWriter *FileSet::open(const std::string &path, std::string &error)
{
    auto file = std::make_unique<SafeFileWriter>(path);
    error = file->open();
    if (!error.empty())
        return nullptr;
    m_files.push_back(std::move(file));
    return m_files.back().get();
}

std::string FileSet::write(const std::string &path, std::string_view bytes)
{
    std::string error;
    SafeFileWriter *file = open(path, error);
    if (!file)
        return error;
    if (error = file->write(bytes); !error.empty())
        return error;
    return file->finish();
}

std::string FileSet::replaceAll(std::vector<std::string> &replaced)
{
    for (const std::unique_ptr<SafeFileWriter> &file : m_files) {
        if (std::string error = file->replace(); !error.empty())
            return error;
        replaced.push_back(file->path());
    }
    m_files.clear();
    return {};
}

ScratchFile::ScratchFile(const char *suffix)
{
    std::error_code error;
    std::string name = (std::filesystem::temp_directory_path(error) / "kovel-XXXXXX").string() + suffix;
    const int fd = ::mkostemps(name.data(), static_cast<int>(std::strlen(suffix)), O_CLOEXEC);
    if (fd < 0) {
        m_error = "一時ファイルを作成できませんでした。" + systemReason(errno);
        return;
    }
    ::close(fd);
    m_path = name;
    m_temporary = rememberTemporary(m_path);
}

ScratchFile::~ScratchFile()
{
    if (!m_path.empty())
        ::unlink(m_path.c_str());
    forgetTemporary(m_temporary);
}

void removeTemporaryFilesOnSignals()
{
    for (int signal : {SIGINT, SIGTERM, SIGHUP, SIGPIPE}) {
        struct sigaction now {};
        if (::sigaction(signal, nullptr, &now) != 0 || now.sa_handler == SIG_IGN)
            continue; // a signal ignored from the start (nohup, a background job) stays ignored
        struct sigaction action {};
        action.sa_handler = removeTemporariesAndEnd;
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

std::string writeStandardOutput(std::string_view bytes)
{
    if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), stdout) != bytes.size()) {
        if (g_standardOutputError == 0)
            g_standardOutputError = errno != 0 ? errno : EIO;
        return "標準出力に書き込めません。" + systemReason(g_standardOutputError);
    }
    return {};
}

std::string finishStandardOutput()
{
    errno = 0;
    if (std::fflush(stdout) != 0 && g_standardOutputError == 0)
        g_standardOutputError = errno != 0 ? errno : EIO;
    if (std::ferror(stdout) && g_standardOutputError == 0)
        g_standardOutputError = EIO;
    if (g_standardOutputError != 0)
        return "標準出力に書き込めません。" + systemReason(g_standardOutputError);
    return {};
}

std::string writeBinaryFile(const std::string &path, std::string_view bytes)
{
    SafeFileWriter file(path);
    if (std::string error = file.open(); !error.empty())
        return error;
    if (std::string error = file.write(bytes); !error.empty())
        return error;
    return file.commit();
}

std::string encodeTextFile(const std::string &path, const std::vector<std::string> &lines, std::string &bytes)
{
    bytes.clear();
    Converter encode("CP932", "UTF-8"), decode("UTF-8", "CP932");
    for (std::size_t i = 0; i < lines.size(); ++i) {
        auto enc = encodeExactly(encode, decode, lines[i]);
        if (!enc) {
            const std::optional<UnwritableCharacter> c = firstUnwritableCharacter(lines[i]);
            return "ファイル「" + path + "」に書き込めません。" + std::to_string(i + 1) + " 行目に"
                + unwritableCharacterText(c.value_or(UnwritableCharacter{}));
        }
        bytes += *enc;
        bytes += "\r\n";
    }
    return {};
}

std::string writeTextFile(const std::string &path, const std::vector<std::string> &lines)
{
    std::string bytes;
    if (std::string error = encodeTextFile(path, lines, bytes); !error.empty())
        return error;
    return writeBinaryFile(path, bytes);
}

FileStamp stampFile(const std::string &path)
{
    FileStamp stamp;
    stamp.path = canonicalPath(path);
    std::string bytes;
    stamp.read = readFileBytes(path, bytes, kLargestProject).empty();
    stamp.size = bytes.size();
    stamp.digest = std::hash<std::string_view>{}(bytes);
    return stamp;
}

bool changedOnDisk(const FileStamp &stamp, const std::string &path)
{
    if (stamp.path.empty() || !stamp.read || canonicalPath(path) != stamp.path)
        return false;
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        return false; // gone: nothing there to lose
    const FileStamp now = stampFile(path);
    return !now.read || now.size != stamp.size || now.digest != stamp.digest;
}

void failWritesAfter(long long bytes) { g_failAfter.store(bytes); }

} // namespace files
