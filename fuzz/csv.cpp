// The CSV reader on arbitrary bytes, and the schedule header and rows read from it.
// Reading always ends (every record consumes input); an accepted file written back in
// either encoding reads the same records (when its bytes tell that encoding), and no
// cell is written as a formula; a header the schedule accepts names each input once and
// maps each row to a beam whose numbers are whole texts, or to a refusal naming the
// column, without a check running (the checks have their own target).
#include "beam/numtext.h"
#include "results/csv.h"
#include "results/schedule.h"

#include "fuzzutil.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

using fuzzutil::require;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const std::string bytes(reinterpret_cast<const char *>(data), size);
    const results::CsvText text = results::decodeCsv(bytes);
    if (!text.utf8) {
        require(!text.error.empty(), "a refused text says why");
        return 0;
    }
    std::vector<results::CsvRecord> records;
    results::CsvReader reader(*text.utf8);
    for (results::CsvRecord r; reader.next(r);) {
        require(!r.empty(), "a record has a cell");
        records.push_back(r);
        require(records.size() <= text.utf8->size() + 1, "every record reads some input");
    }
    if (!reader.error().empty()) {
        require(reader.error().find("行目 ") != std::string::npos, "a fault names its line", reader.error());
        return 0;
    }

    for (results::CsvEncoding encoding : {results::CsvEncoding::Utf8, results::CsvEncoding::Cp932}) {
        const std::optional<std::string> written = results::encodeCsv(records, encoding);
        if (!written) {
            require(encoding == results::CsvEncoding::Cp932, "UTF-8 holds every text");
            continue;
        }
        const results::CsvText again = results::decodeCsv(*written);
        require(again.utf8.has_value(), "a written file decodes", again.error);
        // code page 932 bytes that are also valid UTF-8 are read as UTF-8: the encoding is
        // told by the bytes alone, and a real Japanese file is never valid UTF-8 by chance
        if (again.encoding != encoding)
            continue;
        std::vector<results::CsvRecord> back;
        results::CsvReader backReader(*again.utf8);
        for (results::CsvRecord r; backReader.next(r);)
            back.push_back(r);
        require(backReader.error().empty(), "a written file reads without a fault", backReader.error());
        require(back == records, "a written file reads the same records", *written);
    }

    // No cell is written so that a spreadsheet would run it: one that begins with a
    // formula's first character (inside its quotes) is a number.
    for (const results::CsvRecord &r : records)
        for (const std::string &cell : r) {
            if (cell.empty())
                continue;
            std::string line;
            results::appendCsvRecord(line, {cell});
            const std::size_t first = line[0] == '"' ? 1 : 0;
            if (std::string_view("=+-@\t\r").find(line[first]) != std::string_view::npos)
                require(beam::plainNumberText(cell).has_value(), "a formula-looking cell is written as a text", line);
        }

    if (records.empty())
        return 0;
    results::ScheduleColumns columns;
    if (!results::readScheduleHeader(records[0], columns).empty())
        return 0;
    for (std::size_t k = 0; k < columns.names.size(); ++k)
        require(!columns.input[k] || std::count(columns.names.begin(), columns.names.end(), columns.names[k]) == 1,
                "an accepted header names each input once", columns.names[k]);
    for (std::size_t i = 1; i < records.size(); ++i) {
        if (!results::checkRowShape(columns, records[i], static_cast<int>(i + 1)).empty())
            continue;
        const results::ScheduleRow row = results::readRow(columns, records[i]);
        if (!row.error.empty()) {
            require(row.error.rfind("「", 0) == 0, "a refused value names its column", row.error);
            continue;
        }
        // every number the row gives is the whole of its text as the beam keeps it
        const beam::InputTexts &t = row.beam.texts;
        for (const std::string *text : {&t.Span, &t.lb, &t.uniform, &t.p[0], &t.pl[7], &t.w2[2], &t.ld1[1]})
            require(beam::textAfterNumber(*text) == 0 && text->find(',') == std::string::npos,
                    "a number field keeps only the number it reads", *text);
    }
    return 0;
}
