// The CSV reader and writer: quoting, line ends and the two encodings of a schedule.
#include "results/csv.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Records = std::vector<results::CsvRecord>;

Records readAll(const std::string &bytes, std::string *error = nullptr)
{
    const results::CsvText text = results::decodeCsv(bytes);
    Records records;
    if (!text.utf8) {
        if (error)
            *error = text.error;
        return records;
    }
    results::CsvReader reader(*text.utf8);
    for (results::CsvRecord r; reader.next(r);)
        records.push_back(r);
    if (error)
        *error = reader.error();
    return records;
}

TEST(Csv, ReadsWhatSpreadsheetsWrite)
{
    struct Row {
        const char *name;
        std::string bytes;
        Records records;
    };
    const Row rows[] = {
        {"CR LF, last line without an end", "a,b\r\nc,d", {{"a", "b"}, {"c", "d"}}},
        {"LF and empty cells", "a,,\n,b,\n", {{"a", "", ""}, {"", "b", ""}}},
        {"quoted comma, quote and line break", "\"x,y\",\"say \"\"hi\"\"\",\"two\r\nlines\"\r\n",
         {{"x,y", "say \"hi\"", "two\r\nlines"}}},
        {"a blank line is one empty cell", "a\n\nb\n", {{"a"}, {""}, {"b"}}},
        {"quoted empty cell at the end", "a,\"\"\r\n", {{"a", ""}}},
        {"UTF-8 with a byte-order mark", "\xEF\xBB\xBF梁,６\n", {{"梁", "６"}}},
        {"code page 932 (梁, full-width 6)", "\x97\xC0,\x82\x55\r\n", {{"梁", "６"}}},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        std::string error;
        EXPECT_EQ(readAll(row.bytes, &error), row.records);
        EXPECT_EQ(error, "");
    }
}

TEST(Csv, FaultsNameTheLineAndColumn)
{
    struct Row {
        const char *name;
        std::string bytes;
        const char *error;
    };
    const Row rows[] = {
        {"quote left open", "a,b\nc,\"d\ne\n", "2行目 2列目: 引用符（\"）が閉じていません。"},
        {"text after a closing quote", "a\n\n\"b\"c\n", "3行目 1列目: 引用符（\"）で囲んだ値の後に文字があります。"},
        {"neither UTF-8 nor code page 932", "a\x80\xFF", "文字コードが UTF-8 でも Shift-JIS（コードページ932）でもありません。"},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        std::string error;
        readAll(row.bytes, &error);
        EXPECT_EQ(error, row.error);
    }
}

TEST(Csv, WrittenRecordsReadBackTheSame)
{
    const Records records = {{"Bname", "Span", "note"},
                             {"G1 大梁", "7.2", "a,b"},
                             {" lead", "\"q\"", "line\nbreak"},
                             {"", "", ""},
                             {"ｶﾅ ①", "", "end"}};
    for (results::CsvEncoding encoding : {results::CsvEncoding::Utf8, results::CsvEncoding::Cp932}) {
        SCOPED_TRACE(encoding == results::CsvEncoding::Utf8 ? "UTF-8" : "CP932");
        const std::optional<std::string> bytes = results::encodeCsv(records, encoding);
        ASSERT_TRUE(bytes);
        EXPECT_EQ(bytes->rfind(results::kUtf8Bom, 0) == 0, encoding == results::CsvEncoding::Utf8);
        EXPECT_EQ(results::decodeCsv(*bytes).encoding, encoding);
        EXPECT_EQ(readAll(*bytes), records);
    }
    // a text a spreadsheet would run as a formula goes behind an apostrophe, and comes back
    const struct {
        const char *cell, *written;
    } guarded[] = {
        {"=cmd|' /C calc'!A0", "'=cmd|' /C calc'!A0"}, {"+1+1", "'+1+1"}, {"@SUM(A1:A2)", "'@SUM(A1:A2)"},
        {"-", "'-"}, {"\tx", "'\tx"}, {"'=x", "''=x"}, // a name that already has one keeps it
        {"-5", "-5"}, {"-1,234.5", "\"-1,234.5\""}, {"'-5", "'-5"}, {"'a", "'a"}, {"a=b", "a=b"},
    };
    for (const auto &g : guarded) {
        SCOPED_TRACE(g.cell);
        std::string line;
        results::appendCsvRecord(line, {g.cell});
        EXPECT_EQ(line, std::string(g.written) + "\r\n");
        EXPECT_EQ(readAll(line), Records{{g.cell}});
    }
    // a character code page 932 cannot hold is refused, naming the record
    std::size_t bad = 0;
    EXPECT_FALSE(results::encodeCsv({{"a"}, {"〜"}}, results::CsvEncoding::Cp932, &bad));
    EXPECT_EQ(bad, 1u);
}

} // namespace
