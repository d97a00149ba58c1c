// CSV files as a spreadsheet writes them: comma-separated cells, a cell with a comma,
// quote or line end in double quotes with its quotes doubled, records ended by CR LF or
// LF. A file is UTF-8 (with or without a byte-order mark) when its bytes are valid UTF-8,
// else code page 932, the default of a Japanese spreadsheet. Inside the program every
// cell is UTF-8. A text that a spreadsheet would run as a formula ("=cmd|...", "+1+1",
// "@SUM(A1)"; not a number like "-5") is written behind an apostrophe, the spreadsheet's
// mark of a text, and the reader removes that apostrophe again.
// The codec sits here, above beam, because "a number" is the program's one number rule
// (beam::plainNumberText), the one a schedule's number cells are read with.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace results {

enum class CsvEncoding { Utf8, Cp932 };

using CsvRecord = std::vector<std::string>;

// The text of a file as UTF-8, with its encoding told by the bytes.
struct CsvText {
    std::optional<std::string> utf8; // without the byte-order mark
    CsvEncoding encoding = CsvEncoding::Utf8;
    std::string error;                // Japanese, when utf8 is empty
};
CsvText decodeCsv(std::string_view bytes);

// Reads the records of a UTF-8 text one after the other, without keeping them.
class CsvReader {
public:
    explicit CsvReader(std::string_view utf8) : m_text(utf8) {}

    // The next record into `record` (its cells, at least one). False at the end of the
    // text, or on a fault: error() then says what and where.
    bool next(CsvRecord &record);

    // The line the last record began on, 1 for the first.
    int line() const { return m_recordLine; }
    // Japanese: a quote left open ("3行目: ..."), empty when none.
    const std::string &error() const { return m_error; }

private:
    std::string_view m_text;
    std::size_t m_pos = 0;
    int m_line = 1;
    int m_recordLine = 0;
    std::string m_error;
};

// Appends one record to `out`: cells joined by commas, a formula-looking text behind an
// apostrophe, quoted when they hold a comma, a quote, a line end or a leading or trailing
// blank, ended by CR LF.
void appendCsvRecord(std::string &out, const CsvRecord &record);

// The bytes of a file of these records: UTF-8 with a byte-order mark, or code page 932.
// nullopt when a cell holds a character that code page 932 cannot hold; `badRecord`
// (optional) then receives its index.
std::optional<std::string> encodeCsv(const std::vector<CsvRecord> &records, CsvEncoding encoding,
                                     std::size_t *badRecord = nullptr);

// Encodes records piece by piece as encodeCsv encodes them whole (the byte-order mark of
// a UTF-8 file before the first piece), for a file written as its records come.
class CsvEncoder {
public:
    explicit CsvEncoder(CsvEncoding encoding) : m_encoding(encoding) {}
    // The bytes of the next records. nullopt when a cell holds a character that code page
    // 932 cannot hold; `badRecord` (optional) then receives its index among `records`.
    std::optional<std::string> encode(const std::vector<CsvRecord> &records, std::size_t *badRecord = nullptr);

private:
    CsvEncoding m_encoding;
    bool m_started = false;
};

// Writes the records through a temporary file and a rename (files::writeBinaryFile).
// Returns an empty string, or the Japanese message.
std::string writeCsvFile(const std::string &path, const std::vector<CsvRecord> &records, CsvEncoding encoding);

// The byte-order mark a UTF-8 file starts with.
inline constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

} // namespace results
