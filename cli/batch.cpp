// kovel-cli batch: every beam of a schedule (a CSV file) checked as `calc` checks one. The
// run: the schedule read and its shape checked, the rows computed a chunk at a time on the
// worker threads, the outputs written and put in place together, then the summary.
#include "cli/batch.h"

#include "beam/check.h"
#include "cli/batchoptions.h"
#include "cli/batchoutputs.h"
#include "cli/batchwriters.h"
#include "cli/cli.h"
#include "cli/sheets.h"
#include "files/datafiles.h"
#include "files/platform.h"
#include "files/textfile.h"
#include "results/csv.h"
#include "results/schedule.h"
#include "results/store.h"
#include "results/table.h"
#include "sections/catalogue.h"
#include "sections/members.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <optional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace {

// Rows checked between two writes of the output: bounds the memory whatever the size of
// the schedule.
constexpr std::size_t kChunkRows = 1024;

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
    const ParsedBatchArgs parsed = parseBatchArgs(argc, argv);
    if (parsed.help) {
        std::fputs(batchHelp().c_str(), stdout);
        return 0;
    }
    if (!parsed.args) {
        std::fprintf(stderr, "kovel-cli batch: %s\n%s", parsed.error.c_str(), kBatchUsage);
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
    ResultsOutput output(resultsFile, a.encoding);
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
