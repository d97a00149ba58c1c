// A beam schedule: a CSV file whose first record names the columns with the input names
// of `kovel-cli calc` ("Bname", "Span", "p1", "family", ...) and whose further records
// are one beam each. `kovel-cli batch` checks every row and writes the rows again with
// the result columns after the input columns; the window stores the rows into slots, and
// exports slots in the same layout.
#pragma once

#include "results/csv.h"
#include "results/store.h"
#include "sections/namedbeam.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace results {

// The result columns after the input columns, in order: RQa .. hantei, Rmember,
// Rinertia, Rmodulus, Rselfw, note, error; with `notice` fb1 fb2 ib RC tau fs Rshear after
// hantei. With the stations, M0..M100 follow. No input has any of these names: a result
// that `kovel-cli calc` reports under an input's name (member, C) gets an R in front.
const std::vector<std::string> &resultColumns(bool notice);
std::vector<std::string> stationColumns();

// The header of a schedule.
struct ScheduleColumns {
    std::vector<std::string> names; // as given, blanks trimmed
    std::vector<bool> input;        // false: a result column of an earlier run, not read
    bool notice = false;            // an fbrule column: the output has the notice columns
};

// Maps the header record. A result column (a schedule that is an earlier output) is
// skipped; an input named twice is refused, as is a name that is neither. Returns an empty
// string, or the Japanese message naming the column ("1行目 3列目「Spam」: ...") or both.
std::string readScheduleHeader(const results::CsvRecord &header, ScheduleColumns &columns);

// The text of a schedule file: read whole (a regular file of at most
// files::kLargestSchedule bytes) and decoded as its bytes tell (decodeCsv). `error` names
// the file when `utf8` is empty; `undecodable` when it was read but is neither UTF-8 nor
// code page 932.
struct ScheduleText {
    std::optional<std::string> utf8;
    std::string error;
    bool undecodable = false;
};
ScheduleText readScheduleText(const std::string &path);

// Reads a schedule's text: the header first (readScheduleHeader), then its beam rows one
// after the other, without keeping them. Blank rows are passed over; a row with more cells
// than the header ends the reading, as does a fault of the CSV itself.
class ScheduleReader {
public:
    explicit ScheduleReader(std::string_view utf8);

    // True when the text holds no record at all, not even a header.
    bool empty() const { return m_empty; }
    const ScheduleColumns &columns() const { return m_columns; }

    // The next beam row into `record`. False at the end of the text or at a fault.
    bool next(CsvRecord &record);
    // The line the last row begins on, 1 for the header.
    int line() const { return m_csv.line(); }

    // The first fault, in Japanese naming the line ("3行目 2列目: ..."); empty when none.
    const std::string &fault() const { return m_fault; }
    // True when that fault is one of the CSV (a quote left open), not of the schedule.
    bool csvFault() const { return m_csvFault; }

private:
    void failCsv();
    CsvReader m_csv;
    ScheduleColumns m_columns;
    std::string m_fault;
    bool m_empty = false;
    bool m_csvFault = false;
};

// The input columns, in their order.
std::vector<std::string> inputColumnNames(const ScheduleColumns &columns);

// Checks that a record has no more cells than the header; the Japanese message names
// the line. `line` is the line the record begins on.
std::string checkRowShape(const ScheduleColumns &columns, const results::CsvRecord &record, int line);

// True for a record of empty cells only (a blank line or a row of commas): no beam.
bool blankRow(const results::CsvRecord &record);

// One row, computed: the beam as given, and its check. `error` holds the refusal of a
// value ("「term」の値「2」: ..."), of the check, or empty when the row has a result.
struct ScheduleRow {
    sections::NamedBeam beam;
    sections::NamedCheck check;
    std::vector<std::string> notes; // Japanese: values no building has (a span in mm), still checked
    std::string error;
    bool computed() const { return error.empty() && check.result.has_value(); }
};

// Reads the beam of a row, without checking it: an empty cell keeps the text of `start`
// (the start-up texts by default), a cell of a number field must be a number (see
// beam::plainNumberText) and the beam keeps the number as read ("7,200" as "7200"). The
// refusal of a value in `error`, the notes on implausible values in `notes`.
ScheduleRow readRow(const ScheduleColumns &columns, const results::CsvRecord &record,
                    const sections::NamedBeam &start = {});

// Reads the beam of a row (readRow) and checks it.
ScheduleRow computeRow(const ScheduleColumns &columns, const results::CsvRecord &record,
                       const sections::SectionSources &sources, const sections::NamedBeam &start = {});

// The output header: the input columns, then the result columns (and the stations).
results::CsvRecord outputHeader(const ScheduleColumns &columns, bool stations);

// The output record of a row: its input cells as given (missing cells empty), then the
// texts `kovel-cli calc` prints for it, the notes and the refusal.
results::CsvRecord outputRow(const ScheduleColumns &columns, const results::CsvRecord &record, const ScheduleRow &row,
                          bool stations);

// The input page after the check of a computed row, as the store reads it: the texts as
// given, the section as checked (the family searched, the member chosen), the dimension
// boxes as the shape leaves them, LD3 as the page completes it when not given, the result.
sections::NamedBeam checkedBeam(const ScheduleRow &row);

// The records of an export of the slots in use: the header (every input column, then the
// result columns) and one record per slot. `si157` is the basis of the SI allowable
// stress in force now (the slots do not keep it).
std::vector<results::CsvRecord> exportSlots(const Table &table, bool si157);

} // namespace results
