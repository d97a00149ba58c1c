#include "results/csv.h"

#include "beam/numtext.h"
#include "files/textfile.h"

#include <cstdio>

namespace results {

namespace {

// True when the bytes are well-formed UTF-8 (no overlong forms, no surrogates, nothing
// above U+10FFFF).
bool validUtf8(std::string_view s)
{
    std::size_t i = 0;
    const std::size_t n = s.size();
    while (i < n) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        if (c < 0x80) {
            ++i;
            continue;
        }
        int more = 0;
        unsigned char lo = 0x80, hi = 0xBF; // range of the second byte
        if (c >= 0xC2 && c <= 0xDF)
            more = 1;
        else if (c >= 0xE0 && c <= 0xEF) {
            more = 2;
            if (c == 0xE0)
                lo = 0xA0;
            else if (c == 0xED)
                hi = 0x9F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            more = 3;
            if (c == 0xF0)
                lo = 0x90;
            else if (c == 0xF4)
                hi = 0x8F;
        } else
            return false;
        if (n - i <= static_cast<std::size_t>(more))
            return false;
        for (int k = 1; k <= more; ++k) {
            const unsigned char b = static_cast<unsigned char>(s[i + static_cast<std::size_t>(k)]);
            if (k == 1 ? (b < lo || b > hi) : (b < 0x80 || b > 0xBF))
                return false;
        }
        i += static_cast<std::size_t>(more) + 1;
    }
    return true;
}

// True for a text a spreadsheet would run as a formula: after any apostrophes it begins
// with = + - @, a tab or a CR, and it is not a number ("-5" stays a number). Such a cell is
// written behind one more apostrophe, the spreadsheet's mark of a text, and read without
// it; counting the apostrophes already there keeps a name like "'=x" as it is both ways.
bool formulaLike(std::string_view cell)
{
    const std::size_t start = cell.find_first_not_of('\'');
    if (start == std::string_view::npos || std::string_view("=+-@\t\r").find(cell[start]) == std::string_view::npos)
        return false;
    return !beam::plainNumberText(cell.substr(start));
}

bool needsQuotes(const std::string &cell)
{
    if (cell.empty())
        return false;
    if (cell.front() == ' ' || cell.back() == ' ' || cell.front() == '\t' || cell.back() == '\t')
        return true;
    return cell.find_first_of(",\"\r\n") != std::string::npos;
}

} // namespace

CsvText decodeCsv(std::string_view bytes)
{
    CsvText out;
    const bool bom = bytes.substr(0, kUtf8Bom.size()) == kUtf8Bom;
    const std::string_view body = bom ? bytes.substr(kUtf8Bom.size()) : bytes;
    if (validUtf8(body)) {
        out.utf8 = std::string(body);
        return out;
    }
    out.encoding = CsvEncoding::Cp932;
    if (!bom)
        out.utf8 = files::fromCp932(bytes);
    if (!out.utf8)
        out.error = "文字コードが UTF-8 でも Shift-JIS（コードページ932）でもありません。";
    return out;
}

bool CsvReader::next(CsvRecord &record)
{
    record.clear();
    if (!m_error.empty() || m_pos >= m_text.size())
        return false;
    m_recordLine = m_line;
    std::string cell;
    while (true) {
        if (m_pos < m_text.size() && m_text[m_pos] == '"') {
            // a quoted cell: up to the quote that is not doubled
            const int openLine = m_line;
            ++m_pos;
            while (true) {
                const std::size_t q = m_text.find('"', m_pos);
                if (q == std::string_view::npos) {
                    m_error = std::to_string(openLine) + "行目 " + std::to_string(record.size() + 1) +
                              "列目: 引用符（\"）が閉じていません。";
                    return false;
                }
                const std::string_view piece = m_text.substr(m_pos, q - m_pos);
                for (char c : piece)
                    m_line += c == '\n';
                cell.append(piece);
                m_pos = q + 1;
                if (m_pos < m_text.size() && m_text[m_pos] == '"') {
                    cell += '"';
                    ++m_pos;
                    continue;
                }
                break;
            }
            const bool ends = m_pos >= m_text.size() || m_text[m_pos] == ',' || m_text[m_pos] == '\n' ||
                              (m_text[m_pos] == '\r' && m_pos + 1 < m_text.size() && m_text[m_pos + 1] == '\n') ||
                              (m_text[m_pos] == '\r' && m_pos + 1 == m_text.size());
            if (!ends) {
                m_error = std::to_string(m_line) + "行目 " + std::to_string(record.size() + 1) +
                          "列目: 引用符（\"）で囲んだ値の後に文字があります。";
                return false;
            }
        } else {
            const std::size_t stop = m_text.find_first_of(",\n", m_pos);
            const std::size_t end = stop == std::string_view::npos ? m_text.size() : stop;
            cell.append(m_text.substr(m_pos, end - m_pos));
            m_pos = end;
            if ((m_pos >= m_text.size() || m_text[m_pos] == '\n') && !cell.empty() && cell.back() == '\r')
                cell.pop_back();
        }
        if (m_pos < m_text.size() && m_text[m_pos] == '\r')
            ++m_pos; // CR of a CR LF after a quoted cell
        if (!cell.empty() && cell.front() == '\'' && formulaLike(cell))
            cell.erase(0, 1);
        record.push_back(std::move(cell));
        cell.clear();
        if (m_pos >= m_text.size())
            return true;
        if (m_text[m_pos] == '\n') {
            ++m_pos;
            ++m_line;
            return true;
        }
        ++m_pos; // the comma
    }
}

void appendCsvRecord(std::string &out, const CsvRecord &record)
{
    for (std::size_t i = 0; i < record.size(); ++i) {
        if (i > 0)
            out += ',';
        const bool guarded = formulaLike(record[i]);
        const std::string guardedCell = guarded ? "'" + record[i] : std::string();
        const std::string &cell = guarded ? guardedCell : record[i];
        if (!needsQuotes(cell)) {
            out += cell;
            continue;
        }
        out += '"';
        for (char c : cell) {
            if (c == '"')
                out += '"';
            out += c;
        }
        out += '"';
    }
    out += "\r\n";
}

std::optional<std::string> CsvEncoder::encode(const std::vector<CsvRecord> &records, std::size_t *badRecord)
{
    std::string bytes;
    if (m_encoding == CsvEncoding::Utf8) {
        if (!m_started)
            bytes = kUtf8Bom;
        m_started = true;
        for (const CsvRecord &r : records)
            appendCsvRecord(bytes, r);
        return bytes;
    }
    std::string text;
    for (std::size_t i = 0; i < records.size(); ++i) {
        text.clear();
        appendCsvRecord(text, records[i]);
        std::optional<std::string> encoded = files::toCp932(text);
        if (!encoded) {
            if (badRecord)
                *badRecord = i;
            return std::nullopt;
        }
        bytes += *encoded;
    }
    return bytes;
}

std::optional<std::string> encodeCsv(const std::vector<CsvRecord> &records, CsvEncoding encoding,
                                     std::size_t *badRecord)
{
    return CsvEncoder(encoding).encode(records, badRecord);
}

std::string writeCsvFile(const std::string &path, const std::vector<CsvRecord> &records, CsvEncoding encoding)
{
    std::size_t bad = 0;
    const std::optional<std::string> bytes = encodeCsv(records, encoding, &bad);
    if (!bytes)
        return "ファイル「" + path + "」に書き込めません。" + std::to_string(bad + 1) +
               " 行目にShift-JIS（コードページ932）で表せない文字があります。";
    return files::writeBinaryFile(path, *bytes);
}

} // namespace results
