#include "files/textfile.h"

#include "files/platform.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <mutex>

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

// Called on an interruption: may only remove files.
void removeLiveTemporaries()
{
    for (TemporaryName *t = g_temporaries.load(); t; t = t->next)
        if (t->live.load())
            platform::removeFile(t->path);
}

platform::SystemError g_standardOutputError; // the first failure of a write to standard output

using platform::Cp932Conversion;

// The code page 932 form of a text, only when it reads back as the same text. iconv also
// maps look-alikes onto code page 932 (U+301C wave dash, U+2212 minus, U+00A5 yen sign,
// U+2014 em dash ...), which would come back from the file as other characters.
std::optional<std::string> encodeExactly(Cp932Conversion &encode, Cp932Conversion &decode, std::string_view utf8)
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

std::string reasonOf(const platform::SystemError &error);

std::string fileError(const std::string &path, const char *what, const platform::SystemError &error)
{
    return "ファイル「" + path + "」" + what + reasonOf(error);
}

std::string fileError(const std::string &path, const char *what, platform::Fault fault)
{
    return fileError(path, what, platform::SystemError{fault, {}});
}

} // namespace

std::optional<std::string> toCp932(std::string_view utf8)
{
    Cp932Conversion encode(Cp932Conversion::ToCp932), decode(Cp932Conversion::FromCp932);
    return encodeExactly(encode, decode, utf8);
}
std::optional<std::string> fromCp932(std::string_view cp932) { return Cp932Conversion(Cp932Conversion::FromCp932)(cp932); }
bool fitsCp932(std::string_view utf8) { return toCp932(utf8).has_value(); }

std::optional<UnwritableCharacter> firstUnwritableCharacter(std::string_view utf8)
{
    static constexpr std::string_view kStandIns[][2] = {
        {"〜", "～"}, {"−", "－"}, {"‖", "∥"}, {"—", "―"}, {"¢", "￠"}, {"£", "￡"}, {"¬", "￢"}, {"¥", "￥"}, {"‾", "￣"},
    };
    Cp932Conversion encode(Cp932Conversion::ToCp932), decode(Cp932Conversion::FromCp932);
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

namespace {

std::string reasonOf(const platform::SystemError &error)
{
    using platform::Fault;
    switch (error.fault) {
    case Fault::NotOpen: return "書き込める状態で開かれていません（閉じられています）。";
    case Fault::NoReader: return "読み手がありません（パイプが閉じられました）。";
    case Fault::NotFound: return "ファイルまたはフォルダーが見つかりません。";
    case Fault::AccessDenied: return "アクセスが拒否されました。";
    case Fault::DiskFull: return "ディスクの空き容量が足りません。";
    case Fault::QuotaExceeded: return "ディスクの割り当てを超えました。";
    case Fault::IsFolder: return "フォルダーです。";
    case Fault::NotFolder: return "パスの途中がフォルダーではありません。";
    case Fault::ReadOnlyFileSystem: return "読み取り専用のファイルシステムです。";
    case Fault::NameTooLong: return "ファイル名が長すぎます。";
    case Fault::InputOutput: return "入出力エラーが発生しました。";
    case Fault::None:
    case Fault::Other: break;
    }
    return "エラーが発生しました（" + error.detail + "）。";
}

} // namespace

std::string systemReason(const std::error_code &error) { return reasonOf(platform::systemErrorOf(error)); }

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
const char *kindOf(platform::FileKind kind)
{
    using platform::FileKind;
    switch (kind) {
    case FileKind::Folder: return "フォルダー";
    case FileKind::Device: return "デバイス";
    case FileKind::Fifo: return "名前付きパイプ（FIFO）";
    case FileKind::Socket: return "ソケット";
    default: return "通常のファイルではないもの";
    }
}

std::string tooLargeText(const std::string &path, std::size_t size, std::size_t limit)
{
    return "ファイル「" + path + "」は大きすぎます（" + (size > limit ? sizeText(size) : ">" + sizeText(limit))
        + "）。読み込めるのは " + sizeText(limit) + " までです。";
}

} // namespace

std::string readFileBytes(const std::string &path, std::string &bytes, std::size_t limit)
{
    const platform::ReadResult read = platform::readRegularFile(path, bytes, limit);
    if (read.openError)
        return fileError(path, "を開けません。", read.openError);
    if (read.readError)
        return fileError(path, "を読めません。", read.readError);
    if (read.kind == platform::FileKind::Folder)
        return fileError(path, "を開けません。", platform::Fault::IsFolder);
    if (read.kind != platform::FileKind::Regular)
        return "ファイル「" + path + "」を開けません。" + kindOf(read.kind) + "で、通常のファイルではありません。";
    if (read.tooLarge)
        return tooLargeText(path, read.size, limit);
    return {};
}

std::string readStandardInput(std::string &bytes, std::size_t limit)
{
    const platform::ReadResult read = platform::readAllOfStandardInput(bytes, limit);
    if (read.readError)
        return "標準入力を読めません。" + reasonOf(read.readError);
    if (read.tooLarge)
        return "標準入力が大きすぎます。読み込めるのは " + sizeText(limit) + " までです。";
    return {};
}

std::vector<std::string> folderEntries(const std::string &folder)
{
    std::vector<std::string> names;
    std::error_code error;
    for (std::filesystem::directory_iterator it(platform::nativePath(folder.empty() ? "." : folder), error), end;
         !error && it != end; it.increment(error))
        names.push_back(platform::pathText(it->path().filename()));
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
    Cp932Conversion decode(Cp932Conversion::FromCp932);
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
    const std::filesystem::path absolute = std::filesystem::absolute(platform::nativePath(path), error);
    const std::filesystem::path canonical = std::filesystem::weakly_canonical(absolute, error);
    return platform::pathText(error ? absolute.lexically_normal() : canonical);
}

} // namespace

std::string replaceRefusal(const std::string &path)
{
    const platform::FileKind kind = platform::fileKind(path);
    if (kind == platform::FileKind::Missing || kind == platform::FileKind::Regular)
        return {}; // a new file, or one to replace
    if (kind == platform::FileKind::Folder)
        return fileError(path, "に書き込めません。", platform::Fault::IsFolder);
    return "ファイル「" + path + "」に書き込めません。" + kindOf(kind) + "で、通常のファイルではありません。"
        + "ファイルで置き換えることはしません。";
}

std::string fileIdentity(const std::string &path)
{
    if (const std::string id = platform::diskIdentity(path); !id.empty())
        return "file " + id;
    return "name " + canonicalPath(path);
}

bool sameFile(const std::string &a, const std::string &b) { return fileIdentity(a) == fileIdentity(b); }

SafeFileWriter::SafeFileWriter(std::string path) : m_shownPath(std::move(path)) {}

SafeFileWriter::~SafeFileWriter() { dropTemporary(); }

void SafeFileWriter::dropTemporary()
{
    const bool made = m_file.isOpen() || m_finished;
    m_file.close();
    if (made)
        platform::removeFile(m_tmp);
    forgetTemporary(m_temporary);
    m_finished = false;
}

std::string SafeFileWriter::fail(const platform::SystemError &error)
{
    dropTemporary();
    return fileError(m_shownPath, "に書き込めません。", error);
}

std::string SafeFileWriter::open()
{
    m_path = platform::followLink(m_shownPath);
    if (std::string refusal = replaceRefusal(m_path); !refusal.empty())
        return refusal;
    // A write-protected file is not replaced, although its folder would allow the rename.
    if (const platform::SystemError protection = platform::replaceProtection(m_path))
        return fail(protection);
    if (const platform::SystemError error = m_file.createBeside(m_path, m_tmp))
        return fail(error);
    m_temporary = rememberTemporary(m_tmp);
    return {};
}

std::string SafeFileWriter::write(std::string_view bytes)
{
    if (!m_file.isOpen())
        return fileError(m_shownPath, "に書き込めません。", platform::Fault::NotOpen);
    bool full = false;
    if (const long long budget = g_failAfter.load(); budget >= 0) {
        if (static_cast<long long>(bytes.size()) > budget) {
            bytes = bytes.substr(0, static_cast<std::size_t>(budget));
            full = true;
        }
        g_failAfter.store(budget - static_cast<long long>(bytes.size()));
    }
    if (const platform::SystemError error = m_file.write(bytes))
        return fail(error);
    if (full)
        return fail({platform::Fault::DiskFull, {}});
    return {};
}

std::string SafeFileWriter::copyFrom(const std::string &path)
{
    std::string writeError;
    const platform::SystemError readError = platform::readFileInPieces(path, [&](std::string_view piece) {
        writeError = write(piece);
        return writeError.empty();
    });
    if (!writeError.empty())
        return writeError;
    if (readError)
        return fail(readError);
    return {};
}

std::string SafeFileWriter::finish()
{
    if (!m_file.isOpen())
        return fileError(m_shownPath, "に書き込めません。", platform::Fault::NotOpen);
    if (const platform::SystemError error = m_file.flushToDisk())
        return fail(error);
    m_finished = true;
    if (const platform::SystemError error = m_file.close())
        return fail(error);
    return {};
}

std::string SafeFileWriter::replace()
{
    if (!m_finished)
        return fileError(m_shownPath, "に書き込めません。", platform::Fault::NotOpen);
    if (const platform::SystemError error = platform::renameFile(m_tmp, m_path))
        return fail(error);
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
    std::string name;
    if (const platform::SystemError error = platform::createScratchFile(suffix, name)) {
        m_error = "一時ファイルを作成できませんでした。" + reasonOf(error);
        return;
    }
    m_path = name;
    m_temporary = rememberTemporary(m_path);
}

ScratchFile::~ScratchFile()
{
    if (!m_path.empty())
        platform::removeFile(m_path);
    forgetTemporary(m_temporary);
}

void removeTemporaryFilesOnSignals() { platform::callOnInterruption(removeLiveTemporaries); }

std::string writeStandardOutput(std::string_view bytes)
{
    if (const platform::SystemError error = platform::writeToStandardOutput(bytes)) {
        if (!g_standardOutputError)
            g_standardOutputError = error;
        return "標準出力に書き込めません。" + reasonOf(g_standardOutputError);
    }
    return {};
}

std::string finishStandardOutput()
{
    const platform::SystemError error = platform::flushStandardOutput();
    if (!g_standardOutputError)
        g_standardOutputError = error;
    if (g_standardOutputError)
        return "標準出力に書き込めません。" + reasonOf(g_standardOutputError);
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
    Cp932Conversion encode(Cp932Conversion::ToCp932), decode(Cp932Conversion::FromCp932);
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
    if (platform::fileKind(path) == platform::FileKind::Missing)
        return false; // gone: nothing there to lose
    const FileStamp now = stampFile(path);
    return !now.read || now.size != stamp.size || now.digest != stamp.digest;
}

void failWritesAfter(long long bytes) { g_failAfter.store(bytes); }

} // namespace files
