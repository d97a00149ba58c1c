#include "cli/batchwriters.h"

#include "cli/batchoutputs.h"
#include "results/projectfile.h"
#include "results/store.h"

#include <optional>
#include <utility>

std::string ResultsOutput::write(const std::vector<results::CsvRecord> &records, std::size_t firstRecord)
{
    std::size_t bad = 0;
    const std::optional<std::string> bytes = m_encoder.encode(records, &bad);
    if (!bytes)
        return "出力の " + std::to_string(firstRecord + bad + 1) +
               " 件目にShift-JIS（コードページ932）で表せない文字があります。--encoding utf8 で出力して下さい。";
    return m_file ? m_file->write(*bytes) : files::writeStandardOutput(*bytes);
}

std::string ResultsOutput::finish()
{
    return m_file ? m_file->finish() : files::finishStandardOutput();
}

ProjectFiles::ProjectFiles(std::string chosen, files::FileSet &files, results::TitleBlock title)
    : m_chosen(std::move(chosen)), m_files(files), m_title(std::move(title))
{
    results::resetTable(m_table);
}

std::string ProjectFiles::store(const results::ScheduleRow &row)
{
    results::storeResult(m_table, results::checkedBeam(row), results::WhenFull::Refuse);
    if (results::usedCount(m_table) == results::kSlots)
        return flush();
    return {};
}

std::string ProjectFiles::flush()
{
    if (results::usedCount(m_table) == 0)
        return {};
    const std::string path = numberedName(m_chosen, ++m_count, ".kvl");
    std::string bytes;
    m_table.title = m_title;
    std::string error = results::projectBytes(path, m_table, bytes);
    if (error.empty())
        error = m_files.write(path, bytes);
    results::resetTable(m_table);
    return error;
}
