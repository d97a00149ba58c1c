// The outputs of a `kovel-cli batch` run written as the rows come: the results CSV (to a
// file of the run's set or to standard output) and the project files of the computed rows.
#pragma once

#include "files/textfile.h"
#include "results/csv.h"
#include "results/schedule.h"
#include "results/table.h"
#include "results/titleblock.h"

#include <cstddef>
#include <string>
#include <vector>

// The results, written as the rows come, to a file of the run's set or to standard output.
class ResultsOutput {
public:
    ResultsOutput(files::SafeFileWriter *file, results::CsvEncoding encoding) : m_file(file), m_encoder(encoding) {}
    // Appends the records; a text code page 932 cannot hold is refused, naming the record.
    std::string write(const std::vector<results::CsvRecord> &records, std::size_t firstRecord);
    // The file's bytes on disk (renamed later with the set), or standard output flushed.
    std::string finish();

private:
    files::SafeFileWriter *m_file; // nullptr: standard output
    results::CsvEncoder m_encoder;
};

// The computed rows stored as the window's store does, 50 slots a file, each file
// written to the run's set with the title block of the detailed sheets (empty unless given).
class ProjectFiles {
public:
    ProjectFiles(std::string chosen, files::FileSet &files, results::TitleBlock title);
    // Returns the message of a failed save, else empty.
    std::string store(const results::ScheduleRow &row);
    std::string flush();
    int files() const { return m_count; }

private:
    std::string m_chosen;
    files::FileSet &m_files;
    results::TitleBlock m_title;
    results::Table m_table;
    int m_count = 0;
};
