#include "beam/textfile.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <fcntl.h>
#include <iconv.h>
#include <sys/stat.h>
#include <unistd.h>

namespace beam {

namespace {

std::atomic<long long> g_failAfter{-1};

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

std::string readFileBytes(const std::string &path, std::string &bytes)
{
    std::FILE *f = std::fopen(path.c_str(), "rb");
    if (!f)
        return fileError(path, "を開けません。", errno);
    char buf[65536];
    std::size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0)
        bytes.append(buf, n);
    const bool failed = std::ferror(f) != 0;
    const int err = errno;
    std::fclose(f);
    return failed ? fileError(path, "を読めません。", err) : std::string();
}

TextFileRead readTextFile(const std::string &path)
{
    TextFileRead result;
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) {
        result.error = fileError(path, "を開けません。", EISDIR);
        return result;
    }
    std::string bytes;
    if (std::string error = readFileBytes(path, bytes); !error.empty()) {
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

SafeFileWriter::SafeFileWriter(std::string path) : m_shownPath(std::move(path)) {}

SafeFileWriter::~SafeFileWriter()
{
    if (m_fd >= 0) {
        ::close(m_fd);
        ::unlink(m_tmp.c_str());
    }
}

std::string SafeFileWriter::fail(int err)
{
    if (m_fd >= 0) {
        ::close(m_fd);
        ::unlink(m_tmp.c_str());
        m_fd = -1;
    }
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
    const bool exists = ::stat(m_path.c_str(), &st) == 0;
    if (exists && S_ISDIR(st.st_mode))
        return fail(EISDIR);
    // A write-protected file is not replaced, although its folder would allow the rename:
    // one without any write bit (decided from the mode bits, since the access test lets
    // the superuser write anything), or one this user may not write.
    if (exists && (st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
        return fail(EACCES);
    if (exists && ::faccessat(AT_FDCWD, m_path.c_str(), W_OK, AT_EACCESS) != 0)
        return fail(errno);
    m_tmp = m_path + ".tmpXXXXXX";
    m_fd = ::mkstemp(m_tmp.data());
    if (m_fd < 0)
        return fail(errno);
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

std::string SafeFileWriter::commit()
{
    if (m_fd < 0)
        return fileError(m_shownPath, "に書き込めません。", EBADF);
    if (::fsync(m_fd) != 0)
        return fail(errno);
    const int fd = m_fd;
    m_fd = -1;
    if (::close(fd) != 0) {
        const int err = errno;
        ::unlink(m_tmp.c_str());
        return fileError(m_shownPath, "に書き込めません。", err);
    }
    if (::rename(m_tmp.c_str(), m_path.c_str()) != 0) {
        const int err = errno;
        ::unlink(m_tmp.c_str());
        return fileError(m_shownPath, "に書き込めません。", err);
    }
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

std::string writeTextFile(const std::string &path, const std::vector<std::string> &lines)
{
    std::string bytes;
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
    return writeBinaryFile(path, bytes);
}

namespace {

std::string canonicalPath(const std::string &path)
{
    std::error_code error;
    const std::filesystem::path canonical = std::filesystem::weakly_canonical(path, error);
    return error ? std::filesystem::absolute(path, error).lexically_normal().string() : canonical.string();
}

} // namespace

FileStamp stampFile(const std::string &path)
{
    FileStamp stamp;
    stamp.path = canonicalPath(path);
    std::string bytes;
    stamp.read = readFileBytes(path, bytes).empty();
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

} // namespace beam
