// Small helpers shared by the fuzz targets: a scratch file per process for the readers
// that only take a path, the line split of the file layer, and invariant checks that
// stop the run with a readable reason.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <unistd.h>
#include <vector>

namespace fuzzutil {

// Stops the run (libFuzzer saves the input) when an invariant does not hold.
inline void require(bool holds, const char *what, std::string_view detail = {})
{
    if (holds)
        return;
    std::fprintf(stderr, "invariant broken: %s\n", what);
    if (!detail.empty())
        std::fprintf(stderr, "  detail: %.*s\n", static_cast<int>(detail.size()), detail.data());
    std::abort();
}

// A file name of this process in the temporary folder, removed at exit.
class ScratchFile {
public:
    explicit ScratchFile(const std::string &tag)
    {
        const auto dir = std::filesystem::temp_directory_path();
        m_path = (dir / ("kovel-fuzz-" + tag + "-" + std::to_string(::getpid()))).string();
    }
    ~ScratchFile()
    {
        std::error_code ec;
        std::filesystem::remove(m_path, ec);
    }
    ScratchFile(const ScratchFile &) = delete;
    ScratchFile &operator=(const ScratchFile &) = delete;

    const std::string &path() const { return m_path; }

    // Replaces the file's contents with the bytes.
    void write(std::string_view bytes) const
    {
        std::ofstream out(m_path, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        require(static_cast<bool>(out), "the scratch file can be written", m_path);
    }

    std::string read() const
    {
        std::ifstream in(m_path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    void remove() const
    {
        std::error_code ec;
        std::filesystem::remove(m_path, ec);
    }

private:
    std::string m_path;
};

// Lines as the file layer splits them: LF ends a line, one CR before it is dropped, a
// last line without LF still counts, no bytes give no lines. No code page conversion.
inline std::vector<std::string> splitLines(std::string_view bytes)
{
    std::vector<std::string> lines;
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        const std::size_t nl = bytes.find('\n', pos);
        const std::size_t end = nl == std::string_view::npos ? bytes.size() : nl;
        std::size_t stop = end;
        if (stop > pos && bytes[stop - 1] == '\r')
            --stop;
        lines.emplace_back(bytes.substr(pos, stop - pos));
        pos = nl == std::string_view::npos ? bytes.size() : nl + 1;
    }
    return lines;
}

// True when the text holds "inf" or "nan" in any letter case: a non-finite number that
// reached a shown text.
inline bool showsNonFinite(std::string_view text)
{
    std::string lower(text);
    for (char &c : lower)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return lower.find("inf") != std::string::npos || lower.find("nan") != std::string::npos;
}

// True when the text is what a fixed pattern of `decimals` places gives: an optional "-",
// at least one digit, and exactly `decimals` digits after a point (none: no point).
inline bool isFixed(std::string_view text, int decimals)
{
    std::size_t i = 0;
    if (i < text.size() && text[i] == '-')
        ++i;
    const std::size_t digitsStart = i;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9')
        ++i;
    if (i == digitsStart)
        return false;
    if (decimals == 0)
        return i == text.size();
    if (i >= text.size() || text[i] != '.')
        return false;
    ++i;
    const std::size_t fraction = text.size() - i;
    if (fraction != static_cast<std::size_t>(decimals))
        return false;
    for (; i < text.size(); ++i)
        if (text[i] < '0' || text[i] > '9')
            return false;
    return true;
}

// True for "###0.####": an optional "-", digits, and up to four decimals without a
// trailing zero; never "-0".
inline bool isTrimmedFourPlaces(std::string_view text)
{
    if (text == "-0" || text.empty())
        return false;
    std::size_t i = text[0] == '-' ? 1 : 0;
    const std::size_t digitsStart = i;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9')
        ++i;
    if (i == digitsStart)
        return false;
    if (i == text.size())
        return true;
    if (text[i] != '.')
        return false;
    const std::size_t fractionStart = ++i;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9')
        ++i;
    const std::size_t fraction = i - fractionStart;
    return i == text.size() && fraction >= 1 && fraction <= 4 && text.back() != '0';
}

} // namespace fuzzutil
