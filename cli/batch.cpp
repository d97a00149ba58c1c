// kovel-cli batch: every beam of a schedule (a CSV file) checked as `calc` checks one.
#include "cli/batch.h"

#include "beam/numtext.h"
#include "cli/cli.h"
#include "cli/sheets.h"
#include "files/datafiles.h"
#include "files/platform.h"
#include "files/textfile.h"
#include "results/csv.h"
#include "results/projectfile.h"
#include "results/schedule.h"
#include "sections/catalogue.h"
#include "sections/members.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <map>
#include <optional>
#include <string>
#include <thread>
#include <utility>
#include <vector>


namespace {

constexpr const char *kUsage =
    "使い方: kovel-cli batch SCHEDULE.csv [-o RESULTS.csv] [--project OUT.kvl] [--sheets OUT.pdf [--detail ...]] "
    "[--stations] [--jobs N] [--encoding utf8|cp932]\n  詳しくは kovel-cli batch --help を見て下さい。\n";

// Rows checked between two writes of the output: bounds the memory whatever the size of
// the schedule.
constexpr std::size_t kChunkRows = 1024;

struct BatchArgs {
    std::string schedule;
    std::string output; // "-": standard output
    std::string project, pdf;
    bool stations = false;
    int jobs = 0;
    results::CsvEncoding encoding = results::CsvEncoding::Utf8;
    DetailOptions detail; // the detailed document for --sheets
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
        bool matched = false;
        if (std::string bad = takeDetailOption(words, i, a.detail, matched); !bad.empty())
            return refuse(bad);
        if (matched)
            continue;
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
                a.encoding = results::CsvEncoding::Utf8;
            else if (value == "cp932")
                a.encoding = results::CsvEncoding::Cp932;
            else
                return refuse("--encoding には utf8 か cp932 を指定して下さい。");
            continue;
        }
        if (w.size() > 1 && w[0] == '-')
            return refuse("「" + w + "」というオプションはありません。");
        files.push_back(w);
    }
    if (std::string bad = detailOptionsRefusal(a.detail); !bad.empty())
        return refuse(bad);
    if (a.detail.detail && a.pdf.empty())
        return refuse("--detail は --sheets OUT.pdf と一緒に指定して下さい。");
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

// The n-th file of a run split 50 slots a file: OUT.kvl, OUT-2.kvl, ...
std::string numberedName(const std::string &chosen, int n, const char *extension)
{
    const std::string stripped = results::stripExtension(chosen);
    return stripped + (n > 1 ? "-" + std::to_string(n) : std::string()) + extension;
}

// A file the run will write, with the option that names it, for the messages.
struct PlannedOutput {
    std::string path;
    std::string option; // "-o", "--project", "--project の 2 番目のファイル", "--sheets"
};

// Every file the run may write, named as it will be written: the project files by the
// project's extension rule and numbered for every 50 of the schedule's rows (refused rows
// give fewer files, never more).
std::vector<PlannedOutput> plannedOutputs(const BatchArgs &a, std::size_t rows)
{
    std::vector<PlannedOutput> planned;
    if (a.output != "-")
        planned.push_back({a.output, "-o"});
    if (!a.project.empty()) {
        const std::size_t files = std::max<std::size_t>(1, (rows + results::kSlots - 1) / results::kSlots);
        for (std::size_t n = 1; n <= files; ++n)
            planned.push_back({numberedName(a.project, static_cast<int>(n), ".kvl"),
                               n == 1 ? std::string("--project") : "--project の " + std::to_string(n) + " 番目のファイル"});
    }
    if (!a.pdf.empty())
        planned.push_back({a.pdf, "--sheets"});
    return planned;
}

// Why the planned files cannot be written as a run's own new files: one is a device, a
// FIFO or a folder, one is the schedule, or two are the same file. Empty when none.
std::string plannedOutputRefusal(const std::string &schedule, const std::vector<PlannedOutput> &planned)
{
    for (const PlannedOutput &p : planned)
        if (std::string refusal = files::replaceRefusal(p.path); !refusal.empty())
            return refusal + (p.option == "-o" ? "標準出力に書くには -o - を指定して下さい。" : "");
    const std::string input = files::fileIdentity(schedule);
    std::map<std::string, const PlannedOutput *> seen;
    for (const PlannedOutput &p : planned) {
        const std::string identity = files::fileIdentity(p.path);
        if (identity == input)
            return "出力先「" + p.path + "」（" + p.option + "）が一覧表「" + schedule + "」と同じです。別の名前を指定して下さい。";
        const auto [at, added] = seen.emplace(identity, &p);
        if (!added)
            return "出力先「" + at->second->path + "」（" + at->second->option + "）と「" + p.path + "」（" + p.option +
                   "）は同じファイルです。別の名前を指定して下さい。";
    }
    return {};
}

// The numbered project files beside `chosen` that this run did not write: OUT-N.kvl for
// N past the `written` files (and OUT.kvl itself when none was written), most likely
// left by an earlier, larger run. Their names, in the order of N.
std::vector<std::string> earlierProjectFiles(const std::string &chosen, int written)
{
    const std::string stem = results::stripExtension(chosen);
    const std::size_t slash = stem.rfind('/');
    const std::string folder = slash == std::string::npos ? std::string() : stem.substr(0, slash + 1);
    const std::string base = stem.substr(folder.size());
    std::vector<std::pair<long long, std::string>> found;
    for (const std::string &name : files::folderEntries(folder)) {
        if (written == 0 && name == base + ".kvl") {
            found.emplace_back(1, folder + name);
            continue;
        }
        if (name.size() <= base.size() + 5 || name.compare(0, base.size() + 1, base + "-") != 0 ||
            name.compare(name.size() - 4, 4, ".kvl") != 0)
            continue;
        const std::string digits = name.substr(base.size() + 1, name.size() - base.size() - 5);
        if (digits.empty() || digits.size() > 9 || digits[0] == '0' ||
            digits.find_first_not_of("0123456789") != std::string::npos)
            continue;
        const long long n = std::stoll(digits);
        if (n >= 2 && n > written)
            found.emplace_back(n, folder + name);
    }
    std::sort(found.begin(), found.end());
    std::vector<std::string> names;
    for (auto &[n, name] : found)
        names.push_back(std::move(name));
    return names;
}

// A progress line on a terminal, once the run has taken about a second.
class Progress {
public:
    explicit Progress(std::size_t total) : m_total(total), m_shown(files::platform::standardErrorIsTerminal()) {}
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

// The results, written as the rows come, to a file of the run's set or to standard output.
class Output {
public:
    Output(files::SafeFileWriter *file, results::CsvEncoding encoding) : m_file(file), m_encoder(encoding) {}
    // Appends the records; a text code page 932 cannot hold is refused, naming the record.
    std::string write(const std::vector<results::CsvRecord> &records, std::size_t firstRecord)
    {
        std::size_t bad = 0;
        const std::optional<std::string> bytes = m_encoder.encode(records, &bad);
        if (!bytes)
            return "出力の " + std::to_string(firstRecord + bad + 1) +
                   " 件目にShift-JIS（コードページ932）で表せない文字があります。--encoding utf8 で出力して下さい。";
        return m_file ? m_file->write(*bytes) : files::writeStandardOutput(*bytes);
    }
    // The file's bytes on disk (renamed later with the set), or standard output flushed.
    std::string finish() { return m_file ? m_file->finish() : files::finishStandardOutput(); }

private:
    files::SafeFileWriter *m_file; // nullptr: standard output
    results::CsvEncoder m_encoder;
};

// The computed rows stored as the window's store does, 50 slots a file, each file
// written to the run's set with the title block of the detailed sheets (empty unless given).
class ProjectFiles {
public:
    ProjectFiles(std::string chosen, files::FileSet &files, results::TitleBlock title)
        : m_chosen(std::move(chosen)), m_files(files), m_title(std::move(title))
    {
        results::resetTable(m_table);
    }
    // Returns the message of a failed save, else empty.
    std::string store(const results::ScheduleRow &row)
    {
        results::storeResult(m_table, results::checkedBeam(row), results::WhenFull::Refuse);
        if (results::usedCount(m_table) == results::kSlots)
            return flush();
        return {};
    }
    std::string flush()
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
    int files() const { return m_count; }

private:
    std::string m_chosen;
    files::FileSet &m_files;
    results::TitleBlock m_title;
    results::Table m_table;
    int m_count = 0;
};

} // namespace

std::string batchHelp()
{
    return R"(kovel-cli batch SCHEDULE.csv [-o RESULTS.csv] [--project OUT.kvl] [--sheets OUT.pdf]
                [--detail [--title T] [--part T] [--designer N] [--checker N] [--date YYYY-MM-DD]]
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
    既定は BOM 付き UTF-8、--encoding cp932 で Shift-JIS。
  --project OUT.kvl    計算できた行を順に、画面の［格納］と同じ形でプロジェクトファイルに保存
                       します（50件ずつ OUT.kvl, OUT-2.kvl, ...。拡張子は .kvl になります）。
  --sheets OUT.pdf     計算できた行の計算書を kovel-cli sheets の既定の設定で PDF に出力します。
  --detail             --sheets の計算書を詳細計算書（計算書一覧と1件1頁）にします。表題欄は
                       --title（工事名）、--part（建物名・部位）、--designer（設計者）、
                       --checker（照査者）、--date YYYY-MM-DD（日付）で指定します
                       （kovel-cli sheets --help を見て下さい）。--project のファイルにも
                       この表題欄を保存します。
  --stations           M0..M100（101点の曲げモーメント）の列も出力します。
  --jobs N             N 本のスレッドで計算します（既定: CPU の数）。出力は N によらず同じです。
  出力ファイルはひとまとまりです。どれも一時ファイルに書き、全部を書き終えてから置き換えるので、
    途中で失敗したとき・中断したとき（Ctrl+C、SIGTERM。一時ファイルは消します）は、どの出力
    ファイルも前のままです。書いたファイルの名前を標準エラーに書きます。前の実行で書かれた
    OUT-N.kvl のうち今回書かなかったものは、名前を示して残します（消しません）。
    出力先が一覧表と同じ、出力先どうしが同じ（拡張子の規則と番号を付けた後の名前で比べます）、
    出力先がデバイス・FIFO・フォルダーのときは、何も書かずに断ります。
    一覧表は 64 MB までの通常のファイルです。
  終了コード: 0 全行を計算しました、1 計算できない行があった・一覧表を読めない、
             2 指定の誤り・一覧表の形の誤り（知らない列、閉じていない "、見出しより多い値。
               行と列を示します）・使えない出力先（何も書きません）、
             3 出力を書けなかった（ディスクの空きがない、標準出力が閉じている・書けないなど。
               出力ファイルは書き換えません）
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

    // the whole file as its text; the rows are read from it twice, never all kept
    const results::ScheduleText text = results::readScheduleText(a.schedule);
    if (!text.utf8)
        return fail(text.error, text.undecodable ? 2 : 1);

    // first pass: the shape of the whole file, before anything is written
    results::ScheduleColumns columns;
    std::size_t rows = 0;
    {
        results::ScheduleReader reader(*text.utf8);
        if (reader.empty())
            return fail("一覧表「" + a.schedule + "」が空です。", 2);
        for (results::CsvRecord record; reader.next(record);)
            ++rows;
        if (!reader.fault().empty())
            return fail(reader.fault(), 2);
        columns = reader.columns();
    }
    if (std::string refusal = plannedOutputRefusal(a.schedule, plannedOutputs(a, rows)); !refusal.empty())
        return fail(refusal, 2);

    // the catalogue and the registered members, read once for every row
    const files::DataFolders folders = files::dataFolders();
    const sections::CatalogueRead catalogue =
        sections::readCatalogue(files::findDataFile(folders, sections::kCatalogueFile).path);
    const sections::MemberLoad members = sections::loadMembers(files::findDataFile(folders, sections::kMemberFile).path);
    sections::SectionSources sources;
    sources.catalogue = catalogue.catalogue ? &*catalogue.catalogue : nullptr;
    sources.members = &members;

    // every output goes to its temporary file and is put in place only once all are
    // complete: a run that fails or is stopped leaves the earlier files as they were
    files::FileSet files;
    Progress progress(rows);
    auto failOutput = [&](const std::string &message) {
        progress.finish();
        std::fprintf(stderr, "kovel-cli batch: %s\nkovel-cli batch: 出力を書けなかったため、どのファイルも書き換えて"
                             "いません。\n",
                     message.c_str());
        return kOutputFailed;
    };
    files::SafeFileWriter *resultsFile = nullptr;
    if (a.output != "-") {
        std::string error;
        if (resultsFile = files.open(a.output, error); !resultsFile)
            return failOutput(error);
    }
    Output output(resultsFile, a.encoding);
    std::optional<ProjectFiles> project;
    if (!a.project.empty())
        project.emplace(a.project, files, mergedTitle({}, a.detail));
    std::vector<results::SlotRecord> sheetRecords;

    std::size_t ok = 0, ng = 0, refused = 0, done = 0;

    std::vector<results::CsvRecord> records;
    std::vector<results::ScheduleRow> computed;
    std::vector<results::CsvRecord> out;
    if (std::string error = output.write({results::outputHeader(columns, a.stations)}, 0); !error.empty())
        return failOutput(error);
    std::size_t written = 1;

    results::ScheduleReader reader(*text.utf8);
    results::CsvRecord record;
    bool more = true;
    while (more) {
        records.clear();
        while (records.size() < kChunkRows && (more = reader.next(record)))
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
            if (project)
                if (std::string error = project->store(row); !error.empty())
                    return failOutput(error);
            if (!a.pdf.empty()) {
                results::SlotRecord slot;
                results::writeRecord(slot, results::checkedBeam(row), static_cast<int>(sheetRecords.size() % 50) + 1);
                sheetRecords.push_back(std::move(slot));
            }
        }
        if (std::string error = output.write(out, written); !error.empty())
            return failOutput(error);
        written += out.size();
        done += records.size();
        progress.update(done);
    }
    if (std::string error = output.finish(); !error.empty())
        return failOutput(error);

    std::vector<std::string> notes; // said after the files are in place
    if (project) {
        if (std::string error = project->flush(); !error.empty())
            return failOutput(error);
        if (project->files() == 0)
            notes.emplace_back("計算できた行がないため、プロジェクトファイルは作りませんでした。");
    }
    if (!a.pdf.empty()) {
        if (sheetRecords.empty()) {
            notes.emplace_back("計算できた行がないため、計算書は作りませんでした。");
        } else {
            std::string error;
            files::SafeFileWriter *pdf = files.open(a.pdf, error);
            if (!pdf)
                return failOutput(error);
            std::vector<const results::SlotRecord *> pointers;
            for (const results::SlotRecord &r : sheetRecords)
                pointers.push_back(&r);
            const sheets::PrintOutcome printed =
                a.detail.detail ? printDetailedRecordsToPdf(pointers, mergedTitle({}, a.detail), *pdf)
                                : printRecordsToPdf(pointers, sheets::PageSettings{}, *pdf);
            if (!printed.error.empty())
                return failOutput(printed.error);
            if (error = pdf->finish(); !error.empty())
                return failOutput(error);
        }
    }

    std::vector<std::string> replaced;
    const std::string replaceError = files.replaceAll(replaced);
    progress.finish();
    if (!replaced.empty()) {
        std::fputs("kovel-cli batch: 書いたファイル:\n", stderr);
        for (const std::string &name : replaced)
            std::fprintf(stderr, "  %s\n", name.c_str());
    }
    if (!replaceError.empty()) {
        std::fprintf(stderr, "kovel-cli batch: %s\nkovel-cli batch: ほかの出力ファイルは書き換えていません。\n",
                     replaceError.c_str());
        return kOutputFailed;
    }
    for (const std::string &note : notes)
        std::fprintf(stderr, "kovel-cli batch: %s\n", note.c_str());
    if (project) {
        const std::vector<std::string> earlier = earlierProjectFiles(a.project, project->files());
        if (!earlier.empty()) {
            std::string names;
            for (const std::string &name : earlier)
                names += (names.empty() ? "" : "、") + ("「" + name + "」");
            std::fprintf(stderr, "kovel-cli batch: %sは今回の実行では書いていません（前の実行のものと思われます。"
                                 "消さずに残しています）。\n",
                         names.c_str());
        }
    }
    std::fprintf(stderr, "%zu 行: OK. %zu, NG. %zu, 計算できない %zu\n", done, ok, ng, refused);
    return refused > 0 ? 1 : 0;
}
