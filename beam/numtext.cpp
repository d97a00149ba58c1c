#include "beam/numtext.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <string>

namespace beam {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isBlank(char c) { return c == ' ' || c == '\t'; }

// Length of the leading number of `s` (after blanks), 0 when there is none.
std::size_t numberPrefix(std::string_view s, std::size_t start)
{
    std::size_t i = start;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        ++i;
    std::size_t digits = 0;
    while (i < s.size() && isDigit(s[i])) { ++i; ++digits; }
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && isDigit(s[i])) { ++i; ++digits; }
    }
    if (digits == 0)
        return 0;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < s.size() && (s[j] == '+' || s[j] == '-'))
            ++j;
        if (j < s.size() && isDigit(s[j])) {
            while (j < s.size() && isDigit(s[j]))
                ++j;
            i = j;
        }
    }
    return i - start;
}

// The decimal form of |v| with `significant` digits (0: the shortest form that reads
// back as the same float): the digits and the power of ten of the first one
// (|v| = d.ddd x 10^exp10).
struct Decimal {
    std::string digits;
    int exp10 = 0;
};

Decimal decimalForm(double v, int significant)
{
    char buf[64];
    auto res = significant > 0
        ? std::to_chars(buf, buf + sizeof buf, std::fabs(v), std::chars_format::scientific, significant - 1)
        : std::to_chars(buf, buf + sizeof buf, std::fabs(static_cast<float>(v)), std::chars_format::scientific);
    Decimal d;
    const char *p = buf;
    for (; p < res.ptr && *p != 'e'; ++p)
        if (isDigit(*p))
            d.digits.push_back(*p);
    std::from_chars(p + 1 + (p[1] == '+' ? 1 : 0), res.ptr, d.exp10);
    return d;
}

// The digits of d rounded half away from zero to `keep` leading digits, as the digit
// string of an integer (no leading zeros, "0" for zero).
std::string roundDigits(const Decimal &d, long long keep)
{
    if (keep < 0)
        return "0";
    std::string kept;
    bool roundUp = false;
    if (keep >= static_cast<long long>(d.digits.size())) {
        kept = d.digits + std::string(static_cast<std::size_t>(keep) - d.digits.size(), '0');
    } else {
        kept = d.digits.substr(0, static_cast<std::size_t>(keep));
        roundUp = d.digits[static_cast<std::size_t>(keep)] >= '5';
    }
    if (roundUp) {
        int i = static_cast<int>(kept.size()) - 1;
        while (i >= 0 && kept[static_cast<std::size_t>(i)] == '9') {
            kept[static_cast<std::size_t>(i)] = '0';
            --i;
        }
        if (i < 0)
            kept.insert(kept.begin(), '1');
        else
            ++kept[static_cast<std::size_t>(i)];
    }
    std::size_t nz = kept.find_first_not_of('0');
    return nz == std::string::npos ? "0" : kept.substr(nz);
}

struct Pattern {
    std::string prefix;        // literals before the first placeholder
    int minInt = 0;            // integer digits always shown
    std::string frac;          // fraction section: placeholders and literals
    int maxFrac = 0;           // fraction placeholders
    int minFrac = 0;           // fraction digits always shown
    bool hasPoint = false;
    bool scientific = false;
    char expLetter = 'e';
    bool expPlus = true;       // "e+": exponent sign always shown
    int minExpDigits = 1;
    std::string suffix;        // literals after the last placeholder
};

Pattern parsePattern(std::string_view p)
{
    Pattern pat;
    std::size_t i = 0;
    while (i < p.size() && p[i] != '0' && p[i] != '#' && p[i] != '.')
        pat.prefix.push_back(p[i++]);
    for (; i < p.size() && p[i] != '.'; ++i) {
        if (p[i] == '0')
            ++pat.minInt;
        else if (p[i] == '#' && pat.minInt > 0)
            ++pat.minInt; // "0#" still shows the digit
        else if ((p[i] == 'e' || p[i] == 'E') && i + 1 < p.size() && (p[i + 1] == '+' || p[i + 1] == '-'))
            break;
    }
    if (i < p.size() && p[i] == '.') {
        pat.hasPoint = true;
        ++i;
        int count = 0;
        for (; i < p.size(); ++i) {
            char c = p[i];
            if ((c == 'e' || c == 'E') && i + 1 < p.size() && (p[i + 1] == '+' || p[i + 1] == '-'))
                break;
            if (c == '0' || c == '#') {
                ++count;
                if (c == '0')
                    pat.minFrac = count;
            }
            pat.frac.push_back(c);
        }
        pat.maxFrac = count;
        // literals after the last placeholder belong to the suffix
        std::size_t last = pat.frac.find_last_of("0#");
        if (last == std::string::npos) {
            pat.suffix = pat.frac;
            pat.frac.clear();
        } else {
            pat.suffix = pat.frac.substr(last + 1);
            pat.frac.erase(last + 1);
        }
    }
    if (i < p.size() && (p[i] == 'e' || p[i] == 'E')) {
        pat.scientific = true;
        pat.expLetter = p[i];
        pat.expPlus = p[i + 1] == '+';
        i += 2;
        int zeros = 0;
        while (i < p.size() && p[i] == '0') { ++zeros; ++i; }
        if (zeros > 0)
            pat.minExpDigits = zeros;
        pat.suffix += std::string(p.substr(i));
    }
    return pat;
}

std::string formatWith(double value, int significant, std::string_view pattern)
{
    if (std::isnan(value))
        return "NAN";
    if (std::isinf(value))
        return value < 0 ? "-INF" : "INF";
    const Pattern pat = parsePattern(pattern);

    // The rounded digits of |value| * 10^maxFrac (fixed) or of the mantissa (scientific).
    int exponent = 0;
    std::string digits = "0";
    if (value != 0) {
        const Decimal d = decimalForm(value, significant);
        if (pat.scientific) {
            exponent = d.exp10;
            digits = roundDigits(d, 1LL + pat.maxFrac);
            if (static_cast<int>(digits.size()) > pat.maxFrac + 1) { // 9.9999995 -> 10.000 000
                ++exponent;
                digits.pop_back();
            }
        } else {
            digits = roundDigits(d, static_cast<long long>(d.exp10) + 1 + pat.maxFrac);
        }
    }
    const bool zero = digits == "0";
    if (static_cast<int>(digits.size()) < pat.maxFrac + 1)
        digits.insert(0, static_cast<std::size_t>(pat.maxFrac + 1) - digits.size(), '0');
    std::string intPart = digits.substr(0, digits.size() - static_cast<std::size_t>(pat.maxFrac));
    std::string fracPart = digits.substr(intPart.size());
    // integer part: drop leading zeros down to the pattern's minimum
    std::size_t nz = intPart.find_first_not_of('0');
    intPart = nz == std::string::npos ? std::string() : intPart.substr(nz);
    if (static_cast<int>(intPart.size()) < pat.minInt)
        intPart.insert(0, static_cast<std::size_t>(pat.minInt) - intPart.size(), '0');
    // fraction: drop optional trailing zeros
    int fracLen = pat.maxFrac;
    while (fracLen > pat.minFrac && fracPart[static_cast<std::size_t>(fracLen - 1)] == '0')
        --fracLen;

    std::string out;
    if (value < 0 && !zero)
        out.push_back('-');
    out += pat.prefix;
    out += intPart;
    if (fracLen > 0) {
        out.push_back('.');
        int used = 0;
        for (char c : pat.frac) {
            if (used >= fracLen)
                break;
            if (c == '0' || c == '#')
                out.push_back(fracPart[static_cast<std::size_t>(used++)]);
            else
                out.push_back(c);
        }
    }
    if (pat.scientific) {
        out.push_back(pat.expLetter);
        int e = zero ? 0 : exponent;
        if (e < 0)
            out.push_back('-');
        else if (pat.expPlus)
            out.push_back('+');
        std::string ed = std::to_string(e < 0 ? -e : e);
        if (static_cast<int>(ed.size()) < pat.minExpDigits)
            ed.insert(0, static_cast<std::size_t>(pat.minExpDigits) - ed.size(), '0');
        out += ed;
    }
    out += pat.suffix;
    return out;
}

// The ASCII character a full-width or typographic one in a number stands for, and the
// length of its UTF-8 form; 0 when the bytes at `s` are none of them.
char asciiFor(std::string_view s, std::size_t *length)
{
    struct Mapping {
        std::string_view utf8;
        char ascii;
    };
    static constexpr Mapping kMappings[] = {
        {"\uFF0E", '.'}, {"\uFF0D", '-'}, {"\u2212", '-'}, {"\u2010", '-'}, {"\uFF0B", '+'}, {"\u3000", ' '},
    };
    // full-width digits U+FF10..U+FF19: EF BC 90..99
    if (s.size() >= 3 && s[0] == '\xEF' && s[1] == '\xBC' && static_cast<unsigned char>(s[2]) >= 0x90 &&
        static_cast<unsigned char>(s[2]) <= 0x99) {
        *length = 3;
        return static_cast<char>('0' + (static_cast<unsigned char>(s[2]) - 0x90));
    }
    for (const Mapping &m : kMappings) {
        if (s.substr(0, m.utf8.size()) == m.utf8) {
            *length = m.utf8.size();
            return m.ascii;
        }
    }
    return 0;
}

} // namespace

std::string asciiNumberText(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        std::size_t length = 0;
        if (static_cast<unsigned char>(text[i]) >= 0x80) {
            if (const char c = asciiFor(text.substr(i), &length)) {
                out.push_back(c);
                i += length;
                continue;
            }
        }
        out.push_back(text[i++]);
    }
    return out;
}

std::size_t textAfterNumber(std::string_view text)
{
    const std::string ascii = asciiNumberText(text);
    std::size_t start = 0, end = ascii.size();
    while (start < end && isBlank(ascii[start]))
        ++start;
    while (end > start && isBlank(ascii[end - 1]))
        --end;
    return end - start - numberPrefix(std::string_view(ascii).substr(0, end), start);
}

std::optional<std::string> plainNumberText(std::string_view text)
{
    std::string ascii = asciiNumberText(text);
    const std::string_view s = ascii;
    std::size_t i = 0, end = s.size();
    while (i < end && isBlank(s[i]))
        ++i;
    while (end > i && isBlank(s[end - 1]))
        --end;
    if (i < end && (s[i] == '+' || s[i] == '-'))
        ++i;
    const std::size_t first = i;
    while (i < end && isDigit(s[i]))
        ++i;
    std::size_t digits = i - first;
    if (i < end && s[i] == ',') {
        // a leading zero ("0,5") is a decimal comma, not a thousands separator
        if (digits == 0 || digits > 3 || s[first] == '0')
            return std::nullopt;
        while (i < end && s[i] == ',') {
            if (end - i < 4 || !isDigit(s[i + 1]) || !isDigit(s[i + 2]) || !isDigit(s[i + 3]))
                return std::nullopt;
            i += 4;
            digits += 3;
        }
        if (i < end && isDigit(s[i]))
            return std::nullopt; // "1,2345"
    }
    if (i < end && s[i] == '.') {
        ++i;
        for (; i < end && isDigit(s[i]); ++i)
            ++digits;
    }
    if (digits == 0 || i != end)
        return std::nullopt;
    ascii.erase(std::remove(ascii.begin(), ascii.end(), ','), ascii.end());
    return ascii;
}

long double parseNumber(std::string_view rawText)
{
    const bool ascii = std::none_of(rawText.begin(), rawText.end(),
                                    [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
    std::string converted;
    if (!ascii)
        converted = asciiNumberText(rawText);
    const std::string_view text = ascii ? rawText : std::string_view(converted);
    std::size_t start = 0;
    while (start < text.size() && isBlank(text[start]))
        ++start;
    const std::size_t len = numberPrefix(text, start);
    if (len == 0)
        return 0.0L;
    std::string_view num = text.substr(start, len);
    if (num.front() == '+')
        num.remove_prefix(1);
    long double value = 0.0L;
    auto res = std::from_chars(num.data(), num.data() + num.size(), value);
    if (res.ec == std::errc::result_out_of_range) {
        // from_chars leaves the value untouched: a negative exponent underflowed to 0,
        // anything else overflowed
        const std::size_t e = num.find_first_of("eE");
        const bool underflow = e != std::string_view::npos && e + 1 < num.size() && num[e + 1] == '-';
        value = underflow ? 0.0L : HUGE_VALL;
        if (num.front() == '-')
            value = -value;
    }
    return value;
}

double parseDouble(std::string_view text) { return static_cast<double>(parseNumber(text)); }
float parseSingle(std::string_view text) { return static_cast<float>(parseNumber(text)); }

std::optional<long long> parseInteger(std::string_view rawText)
{
    const std::string converted = asciiNumberText(rawText);
    const std::string_view text = converted;
    std::size_t i = 0;
    while (i < text.size() && isBlank(text[i]))
        ++i;
    std::size_t end = text.size();
    while (end > i && isBlank(text[end - 1]))
        --end;
    std::string_view s = text.substr(i, end - i);
    if (!s.empty() && s.front() == '+')
        s.remove_prefix(1);
    if (s.empty())
        return std::nullopt;
    long long v = 0;
    auto res = std::from_chars(s.data(), s.data() + s.size(), v);
    if (res.ec != std::errc() || res.ptr != s.data() + s.size())
        return std::nullopt;
    return v;
}

std::string formatNumber(double value, std::string_view pattern) { return formatWith(value, 15, pattern); }
std::string formatSingle(float value, std::string_view pattern) { return formatWith(value, 0, pattern); }

} // namespace beam
