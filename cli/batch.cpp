// kovel-cli batch: every beam of a schedule (a CSV file) checked as `calc` checks one.
#include "cli/batch.h"

#include "beam/csv.h"
#include "beam/datafiles.h"
#include "beam/numtext.h"
#include "beam/textfile.h"
#include "cli/sheets.h"
#include "results/projectfile.h"
#include "results/schedule.h"
#include "sections/catalogue.h"
#include "sections/members.h"

#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

#include <unistd.h>

namespace {

constexpr const char *kUsage =
    "使い方: kovel-cli batch SCHEDULE.csv [-o RESULTS.csv] [--project OUT.kvl] [--sheets OUT.pdf] [--stations] "
    "[--jobs N] [--encoding utf8|cp932]\n  詳しくは kovel-cli batch --help を見て下さい。\n";

// Rows checked between two writes of the output: bounds the memory whatever the size of
// the schedule.
constexpr std::size_t kChunkRows = 1024;

struct BatchArgs {
    std::string schedule;
    std::string output; // "-": standard output
    std::string project, pdf;
    bool stations = false;
    int jobs = 0;
    beam::CsvEncoding encoding = beam::CsvEncoding::Utf8;
};

struct ParsedArgs {
    std::optional<BatchArgs> args;
    std::string error;
    bool help = false;
};

ParsedArgs parseArgs(int argc, char **argv)
{
    const std::vector<std::string> words(argv + 1, argv + argc);
    ParsedArgs out;
    BatchArgs a;
    std::vector<std::string> files;
    auto refuse = [&out](std::string message) {
        out.error = std::move(message);
        return out;
    };
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string &w = words[i];
        if (w == "--help" || w == "-h") {
            out.help = true;
            return out;
        }
        if (w == "--stations") {
            a.stations = true;
            continue;
        }
        // "--name VALUE" or "--name=VALUE"
        std::string name = w, value;
        bool inlineValue = false;
        if (const std::size_t eq = w.find('='); w.rfind("--", 0) == 0 && eq != std::string::npos) {
            name = w.substr(0, eq);
            value = w.substr(eq + 1);
            inlineValue = true;
        }
        if (name == "-o" || name == "--project" || name == "--sheets" || name == "--jobs" || name == "--encoding") {
            if (!inlineValue) {
                if (i + 1 >= words.size())
                    return refuse(name + " の後に値を指定して下さい。");
                value = words[++i];
            }
            if (name == "-o")
                a.output = value;
            else if (name == "--project")
                a.project = value;
            else if (name == "--sheets")
                a.pdf = value;
            else if (name == "--jobs") {
                const std::optional<long long> n = beam::parseInteger(value);
                if (!n || *n < 1 || *n > 256)
                    return refuse("--jobs には 1 から 256 までの整数を指定して下さい。");
                a.jobs = static_cast<int>(*n);
            } else if (value == "utf8")
                a.encoding = beam::CsvEncoding::Utf8;
            else if (value == "cp932")
                a.encoding = beam::CsvEncoding::Cp932;
            else
                return refuse("--encoding には utf8 か cp932 を指定して下さい。");
            continue;
        }
        if (w.size() > 1 && w[0] == '-')
            return refuse("「" + w + "」というオプションはありません。");
        files.push_back(w);
    }
    if (files.size() != 1)
        return refuse("一覧表の CSV ファイルを1つ指定して下さい。");
    a.schedule = files[0];
    if (a.output.empty()) {
        const std::string stripped = results::stripExtension(a.schedule);
        a.output = stripped + "-results.csv";
    }
    if (a.jobs == 0)
        a.jobs = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    out.args = a;
    return out;
}

bool sameFile(const std::string &a, const std::string &b)
{
    std::error_code ec;
    return std::filesystem::equivalent(a, b, ec) || (!std::filesystem::exists(b, ec) && a == b);
}

// The n-th file of a run split 50 slots a file: OUT.kvl, OUT-2.kvl, ...
std::string numberedName(const std::string &chosen, int n, const char *extension)
{
    const std::string stripped = results::stripExtension(chosen);
    return stripped + (n > 1 ? "-" + std::to_string(n) : std::string()) + extension;
}

// A progress line on a terminal, once the run has taken about a second.
class Progress {
public:
    explicit Progress(std::size_t total) : m_total(total), m_shown(::isatty(STDERR_FILENO) == 1) {}
    // Clears the line before the summary.
    void finish()
    {
        if (m_drawn)
            std::fputs("\r                                        \r", stderr);
        m_drawn = false;
    }
    void update(std::size_t done)
    {
        if (!m_shown || std::chrono::steady_clock::now() - m_start < std::chrono::seconds(1))
            return;
        std::fprintf(stderr, "\r計算中 %zu / %zu 行", done, m_total);
        std::fflush(stderr);
        m_drawn = true;
    }

private:
    std::size_t m_total;
    bool m_shown;
    bool m_drawn = false;
    std::chrono::steady_clock::time_point m_start = std::chrono::steady_clock::now();
};

// The output file, written as the rows come, through a temporary file, or standard output.
class Output {
public:
    Output(const std::string &path, beam::CsvEncoding encoding) : m_encoding(encoding)
    {
        if (path != "-")
            m_file = std::make_unique<beam::SafeFileWriter>(path);
    }
    std::string open()
    {
        if (!m_file)
            return {};
        return m_file->open();
    }
    // Appends the records; a text code page 932 cannot hold is refused, naming the record.
    std::string write(const std::vector<beam::CsvRecord> &records, std::size_t firstRecord)
    {
        std::string bytes;
        if (m_first && m_encoding == beam::CsvEncoding::Utf8)
            bytes = beam::kUtf8Bom;
        m_first = false;
        std::size_t bad = 0;
        if (m_encoding == beam::CsvEncoding::Utf8) {
            for (const beam::CsvRecord &r : records)
                beam::appendCsvRecord(bytes, r);
        } else if (std::optional<std::string> encoded = beam::encodeCsv(records, m_encoding, &bad)) {
            bytes = std::move(*encoded);
        } else {
            return "出力の " + std::to_string(firstRecord + bad + 1) +
                   " 件目にShift-JIS（コードページ932）で表せない文字があります。--encoding utf8 で出力して下さい。";
        }
        if (!m_file) {
            std::fwrite(bytes.data(), 1, bytes.size(), stdout);
            return {};
        }
        return m_file->write(bytes);
    }
    std::string commit()
    {
        if (!m_file) {
            std::fflush(stdout);
            return {};
        }
        return m_file->commit();
    }

private:
    beam::CsvEncoding m_encoding;
    std::unique_ptr<beam::SafeFileWriter> m_file;
    bool m_first = true;
};

// The computed rows stored as the window's store does, 50 slots a file.
class ProjectFiles {
public:
    explicit ProjectFiles(std::string chosen) : m_chosen(std::move(chosen)) { results::resetTable(m_table); }
    // Returns the message of a failed save, else empty.
    std::string store(const results::ScheduleRow &row)
    {
        results::storeResult(m_table, results::pageTextsOf(row), results::WhenFull::Refuse);
        if (results::usedCount(m_table) == results::kSlots)
            return flush();
        return {};
    }
    std::string flush()
    {
        if (results::usedCount(m_table) == 0)
            return {};
        const std::string path = numberedName(m_chosen, ++m_files, ".kvl");
        const std::string error = results::saveProject(path, m_table);
        results::resetTable(m_table);
        return error;
    }
    int files() const { return m_files; }

private:
    std::string m_chosen;
    results::Table m_table;
    int m_files = 0;
};

} // namespace

std::string batchHelp()
{
    return R"(kovel-cli batch SCHEDULE.csv [-o RESULTS.csv] [--project OUT.kvl] [--sheets OUT.pdf]
                [--stations] [--jobs N] [--encoding utf8|cp932]
  梁の一覧表（CSV ファイル）の全行を calc と同じように計算し、結果を CSV ファイルに書きます。
  一覧表: 1行目は列の名前（calc の入力項目の名前: Bname, Span, lb, ..., family, member, design）、
    2行目から1行に梁1本。空欄は calc で書かなかった項目と同じく起動時の値です。値が全部空の行は
    読み飛ばします。文字コードは UTF-8（BOM の有無は問いません）か Shift-JIS（コードページ932）
    で、どちらかはファイルの中身で判断します。値に , " 改行を含むときは " で囲み、" は "" と書きます。
    数字の欄には数字だけを書きます（全角の数字、3桁ごとのコンマ 7,200 も読みます）。6m、1e3、NaN
    のように数字だけでない値の行は、列と値を示して計算しません。スパンが 50 m、荷重が 10,000 kN
    （kN/m）を超える行は計算し、note の欄で注意します。
    長さと位置の単位は m です。pl1..pl8 と ld1a..ld1c は A 端（左端、x = 0）からの距離で、片持ち梁
    （support=jiyuukotei）は A 端が自由端、B 端が固定端です。先端の集中荷重は pl = 0 です。
    batch の出力の結果の列（RQa ... error, M0..M100）は読み飛ばすので、出力をそのまま一覧表として
    読み込めます。同じ入力項目の列が2つある一覧表は読みません。
  出力（既定は SCHEDULE から拡張子を除いた名前に -results.csv、-o - で標準出力）:
    入力の列をそのまま、続いて RQa RQb RMmax RMmaxl Mcent Menda Mendb Rdelta Rlx Rfb RSigmab
    Rratio hantei Rmember Rinertia Rmodulus Rselfw note error の列（一覧表に fbrule の列があれば
    hantei の後に fb1 fb2 ib RC tau fs Rshear、--stations では最後に M0..M100 も）。
    各欄は calc がその行に出力する文字列です。calc の member inertia modulus selfw C は、入力の列と
    区別して R を付けた列です（計算した断面。自動選択の結果を固定するには Rmember を member に
    写し、design を 0 にします。note に「細幅H形鋼（HN）で行います」とあれば family も HN に）。
    計算できない行は入力の欄と error の欄の理由だけです。
    = + - @ で始まる数字でない値は、表計算ソフトが式として実行しないよう先頭に ' を付けて書きます
    （一覧表として読むときは外します）。
    既定は BOM 付き UTF-8、--encoding cp932 で Shift-JIS。一時ファイルに書いてから置き換えます。
  --project OUT.kvl    計算できた行を順に、画面の［格納］と同じ形でプロジェクトファイルに保存
                       します（50件ずつ OUT.kvl, OUT-2.kvl, ...）。
  --sheets OUT.pdf     計算できた行の計算書を kovel-cli sheets の既定の設定で PDF に出力します。
  --stations           M0..M100（101点の曲げモーメント）の列も出力します。
  --jobs N             N 本のスレッドで計算します（既定: CPU の数）。出力は N によらず同じです。
  終了コード: 0 全行を計算しました、1 計算できない行があった・ファイルを書けない、
             2 指定の誤り・一覧表の形の誤り（知らない列、閉じていない "、見出しより多い値。
               行と列を示し、何も書きません）
  集計（「120 行: OK. 97, NG. 21, 計算できない 2」）を標準エラーに書きます。
)";
}

int runBatch(int argc, char **argv)
{
    const ParsedArgs parsed = parseArgs(argc, argv);
    if (parsed.help) {
        std::fputs(batchHelp().c_str(), stdout);
        return 0;
    }
    if (!parsed.args) {
        std::fprintf(stderr, "kovel-cli batch: %s\n%s", parsed.error.c_str(), kUsage);
        return 2;
    }
    const BatchArgs &a = *parsed.args;
    auto fail = [](const std::string &message, int status) {
        std::fprintf(stderr, "kovel-cli batch: %s\n", message.c_str());
        return status;
    };
    for (const std::string *out : {&a.output, &a.project, &a.pdf})
        if (!out->empty() && *out != "-" && sameFile(a.schedule, *out))
            return fail("出力先が一覧表「" + a.schedule + "」と同じです。別の名前を指定して下さい。", 2);

    // the whole file, then its text; the rows are read from it twice, never all kept
    std::string bytes;
    if (const std::string error = beam::readFileBytes(a.schedule, bytes); !error.empty())
        return fail(error, 1);
    beam::CsvText text = beam::decodeCsv(bytes);
    if (!text.utf8)
        return fail("ファイル「" + a.schedule + "」を読めません。" + text.error, 2);
    if (text.encoding == beam::CsvEncoding::Utf8)
        std::string().swap(bytes);

    // first pass: the shape of the whole file, before anything is written
    results::ScheduleColumns columns;
    std::size_t rows = 0;
    {
        beam::CsvReader reader(*text.utf8);
        beam::CsvRecord record;
        if (!reader.next(record)) {
            if (!reader.error().empty())
                return fail(reader.error(), 2);
            return fail("一覧表「" + a.schedule + "」が空です。", 2);
        }
        if (std::string error = results::readScheduleHeader(record, columns); !error.empty())
            return fail(error, 2);
        while (reader.next(record)) {
            if (std::string error = results::checkRowShape(columns, record, reader.line()); !error.empty())
                return fail(error, 2);
            rows += !results::blankRow(record);
        }
        if (!reader.error().empty())
            return fail(reader.error(), 2);
    }

    // the catalogue and the registered members, read once for every row
    const beam::DataFolders folders = beam::dataFolders();
    const sections::CatalogueRead catalogue =
        sections::readCatalogue(beam::findDataFile(folders, sections::kCatalogueFile).path);
    const sections::MemberLoad members = sections::loadMembers(beam::findDataFile(folders, sections::kMemberFile).path);
    sections::SectionSources sources;
    sources.catalogue = catalogue.catalogue ? &*catalogue.catalogue : nullptr;
    sources.members = &members;

    Output output(a.output, a.encoding);
    if (std::string error = output.open(); !error.empty())
        return fail(error, 1);
    std::optional<ProjectFiles> project;
    if (!a.project.empty())
        project.emplace(a.project);
    std::vector<results::SlotRecord> sheetRecords;

    int status = 0;
    std::size_t ok = 0, ng = 0, refused = 0, done = 0;
    Progress progress(rows);
    std::string projectError;

    std::vector<beam::CsvRecord> records;
    std::vector<results::ScheduleRow> computed;
    std::vector<beam::CsvRecord> out;
    if (std::string error = output.write({results::outputHeader(columns, a.stations)}, 0); !error.empty())
        return fail(error, 1);
    std::size_t written = 1;

    beam::CsvReader reader(*text.utf8);
    beam::CsvRecord record;
    reader.next(record); // the header
    bool more = true;
    while (more) {
        records.clear();
        while (records.size() < kChunkRows && (more = reader.next(record)))
            if (!results::blankRow(record))
                records.push_back(record);
        if (records.empty())
            break;

        // the rows of the chunk on the worker threads; each row only reads shared data
        computed.assign(records.size(), {});
        std::atomic<std::size_t> nextRow{0};
        auto work = [&] {
            for (std::size_t i; (i = nextRow.fetch_add(1)) < records.size();)
                computed[i] = results::computeRow(columns, records[i], sources);
        };
        const int threads = std::min<int>(a.jobs, static_cast<int>(records.size()));
        std::vector<std::thread> pool;
        for (int t = 1; t < threads; ++t)
            pool.emplace_back(work);
        work();
        for (std::thread &t : pool)
            t.join();

        out.clear();
        for (std::size_t i = 0; i < records.size(); ++i) {
            const results::ScheduleRow &row = computed[i];
            out.push_back(results::outputRow(columns, records[i], row, a.stations));
            if (!row.computed()) {
                ++refused;
                continue;
            }
            (row.check.result->hantei == beam::kVerdictOk ? ok : ng) += 1;
            if (project && projectError.empty())
                projectError = project->store(row);
            if (!a.pdf.empty()) {
                results::SlotRecord slot;
                results::writeRecord(slot, results::pageTextsOf(row), static_cast<int>(sheetRecords.size() % 50) + 1);
                sheetRecords.push_back(std::move(slot));
            }
        }
        if (std::string error = output.write(out, written); !error.empty())
            return fail(error, 1);
        written += out.size();
        done += records.size();
        progress.update(done);
    }
    if (std::string error = output.commit(); !error.empty())
        return fail(error, 1);

    if (refused > 0)
        status = 1;
    if (project) {
        if (projectError.empty())
            projectError = project->flush();
        if (!projectError.empty()) {
            std::fprintf(stderr, "kovel-cli batch: %s\n", projectError.c_str());
            status = 1;
        } else if (project->files() == 0) {
            std::fputs("kovel-cli batch: 計算できた行がないため、プロジェクトファイルは作りませんでした。\n", stderr);
        }
    }
    if (!a.pdf.empty()) {
        if (sheetRecords.empty()) {
            std::fputs("kovel-cli batch: 計算できた行がないため、計算書は作りませんでした。\n", stderr);
        } else {
            std::vector<const results::SlotRecord *> pointers;
            for (const results::SlotRecord &r : sheetRecords)
                pointers.push_back(&r);
            const sheets::PrintOutcome printed = printRecordsToPdf(pointers, sheets::PageSettings{}, a.pdf);
            if (!printed.error.empty()) {
                std::fprintf(stderr, "kovel-cli batch: %s\n", printed.error.c_str());
                status = 1;
            }
        }
    }
    progress.finish();
    std::fprintf(stderr, "%zu 行: OK. %zu, NG. %zu, 計算できない %zu\n", done, ok, ng, refused);
    return status;
}
