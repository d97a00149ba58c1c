// The CSV reader on arbitrary bytes, and the schedule header and rows read from it.
// Reading always ends (every record consumes input); an accepted file written back in
// either encoding reads the same records (when its bytes tell that encoding); a header the schedule accepts maps each row to
// a beam or a refusal without a check running (the checks have their own target).
#include "beam/csv.h"
#include "results/schedule.h"

#include "fuzzutil.h"

#include <cstdint>
#include <string>
#include <vector>

using fuzzutil::require;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const std::string bytes(reinterpret_cast<const char *>(data), size);
    const beam::CsvText text = beam::decodeCsv(bytes);
    if (!text.utf8) {
        require(!text.error.empty(), "a refused text says why");
        return 0;
    }
    std::vector<beam::CsvRecord> records;
    beam::CsvReader reader(*text.utf8);
    for (beam::CsvRecord r; reader.next(r);) {
        require(!r.empty(), "a record has a cell");
        records.push_back(r);
        require(records.size() <= text.utf8->size() + 1, "every record reads some input");
    }
    if (!reader.error().empty()) {
        require(reader.error().find("行目 ") != std::string::npos, "a fault names its line", reader.error());
        return 0;
    }

    for (beam::CsvEncoding encoding : {beam::CsvEncoding::Utf8, beam::CsvEncoding::Cp932}) {
        const std::optional<std::string> written = beam::encodeCsv(records, encoding);
        if (!written) {
            require(encoding == beam::CsvEncoding::Cp932, "UTF-8 holds every text");
            continue;
        }
        const beam::CsvText again = beam::decodeCsv(*written);
        require(again.utf8.has_value(), "a written file decodes", again.error);
        // code page 932 bytes that are also valid UTF-8 are read as UTF-8: the encoding is
        // told by the bytes alone, and a real Japanese file is never valid UTF-8 by chance
        if (again.encoding != encoding)
            continue;
        std::vector<beam::CsvRecord> back;
        beam::CsvReader backReader(*again.utf8);
        for (beam::CsvRecord r; backReader.next(r);)
            back.push_back(r);
        require(backReader.error().empty(), "a written file reads without a fault", backReader.error());
        require(back == records, "a written file reads the same records", *written);
    }

    if (records.empty())
        return 0;
    results::ScheduleColumns columns;
    if (!results::readScheduleHeader(records[0], columns).empty())
        return 0;
    for (std::size_t i = 1; i < records.size(); ++i) {
        if (!results::checkRowShape(columns, records[i], static_cast<int>(i + 1)).empty())
            continue;
        sections::NamedBeam beam;
        for (std::size_t k = 0; k < records[i].size(); ++k)
            if (columns.input[k] && !records[i][k].empty())
                sections::setNamedValue(beam, columns.names[k], records[i][k]);
    }
    return 0;
}
