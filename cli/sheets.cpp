#include "cli/sheets.h"

#include "beam/numtext.h"
#include "cli/cli.h"
#include "files/textfile.h"
#include "results/projectfile.h"
#include "sheets/detailed.h"
#include "sheets/page.h"
#include "sheets/print.h"

#include "printing/printerjob.h"
#include "printing/qtcanvas.h"

#include <QGuiApplication>
#include <QtGlobal>

#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr const char *kUsage = "使い方: kovel-cli sheets PROJECT.kvl OUT.pdf [--first N] "
                               "[--position leftup|center|leftlower] [--no-page-numbers] [--margin M]\n"
                               "       [--detail [--title T] [--part T] [--designer N] [--checker N] [--date YYYY-MM-DD]]\n"
                               "  詳しくは kovel-cli sheets --help を見て下さい。\n";

struct SheetsArgs {
    std::string project;
    std::string pdf;
    sheets::PageSettings settings;
    DetailOptions detail;
};

struct ParsedArgs {
    std::optional<SheetsArgs> args;
    std::string error; // Japanese, when args is empty and help is false
    bool help = false;
};

// One option with a value: "--name VALUE" or "--name=VALUE".
struct ValueOption {
    std::string_view name;
    std::string value;
    bool matched = false;
    bool missing = false;
};

ValueOption takeValue(std::string_view name, const std::vector<std::string> &words, std::size_t &i)
{
    ValueOption o{name, {}, false, false};
    const std::string &w = words[i];
    if (w == name) {
        o.matched = true;
        if (i + 1 < words.size())
            o.value = words[++i];
        else
            o.missing = true;
    } else if (w.size() > name.size() && w.compare(0, name.size(), name) == 0 && w[name.size()] == '=') {
        o.matched = true;
        o.value = w.substr(name.size() + 1);
    }
    return o;
}

ParsedArgs parseArgs(int argc, char **argv)
{
    std::vector<std::string> words(argv + 1, argv + argc);
    SheetsArgs a;
    std::vector<std::string> files;
    ParsedArgs out;
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
        bool matched = false;
        if (std::string bad = takeDetailOption(words, i, a.detail, matched); !bad.empty())
            return refuse(bad);
        if (matched)
            continue;
        if (w == "--no-page-numbers") {
            a.settings.pagechk = false;
            continue;
        }
        if (ValueOption o = takeValue("--first", words, i); o.matched) {
            if (o.missing)
                return refuse("--first の後に開始頁番号を指定して下さい。");
            if (!beam::parseInteger(o.value))
                return refuse("開始頁番号: " + sheets::notIntegerMessage(o.value));
            a.settings.firstpage = o.value;
            continue;
        }
        if (ValueOption o = takeValue("--position", words, i); o.matched) {
            if (o.missing)
                return refuse("--position の後に頁番号の位置を指定して下さい。");
            if (o.value == "leftup")
                a.settings.position = sheets::PagePosition::LeftUp;
            else if (o.value == "center")
                a.settings.position = sheets::PagePosition::Center;
            else if (o.value == "leftlower")
                a.settings.position = sheets::PagePosition::LeftLower;
            else
                return refuse("頁番号の位置「" + o.value + "」は使えません。leftup（左上）、center（中央下）、"
                              "leftlower（左下）のどれかを指定して下さい。");
            continue;
        }
        if (ValueOption o = takeValue("--margin", words, i); o.matched) {
            if (o.missing)
                return refuse("--margin の後に左マージンを指定して下さい。");
            // on the command line a margin must be written as an integer; the window's
            // rule that unreadable text prints at margin 0 would hide a typing error here
            if (!beam::parseInteger(o.value))
                return refuse("左マージン: " + sheets::notIntegerMessage(o.value));
            if (const sheets::MarginCheck m = sheets::checkMargin(o.value); !m.error.empty())
                return refuse(m.error);
            a.settings.hidari = o.value;
            continue;
        }
        if (w.size() > 1 && w[0] == '-')
            return refuse("「" + w + "」というオプションはありません。");
        files.push_back(w);
    }
    if (std::string bad = detailOptionsRefusal(a.detail); !bad.empty())
        return refuse(bad);
    if (files.size() != 2)
        return refuse("プロジェクトファイルと出力するPDFファイルを1つずつ指定して下さい。");
    a.project = files[0];
    a.pdf = files[1];
    out.args = a;
    return out;
}

// Qt's own notes (English, for developers) stay off the command line's standard error.
void quietQtMessages(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "%s\n", message.toUtf8().constData());
}

} // namespace

std::string takeDetailOption(const std::vector<std::string> &words, std::size_t &i, DetailOptions &options,
                             bool &matched)
{
    matched = false;
    if (words[i] == "--detail") {
        matched = true;
        options.detail = true;
        return {};
    }
    constexpr std::string_view kNames[results::kTitleItems] = {"--title", "--part", "--designer", "--checker", "--date"};
    for (int k = 0; k < results::kTitleItems; ++k) {
        ValueOption o = takeValue(kNames[k], words, i);
        if (!o.matched)
            continue;
        matched = true;
        const results::TitleItem &item = results::titleItems()[static_cast<std::size_t>(k)];
        if (o.missing)
            return std::string(kNames[k]) + " の後に" + item.label + "を指定して下さい。";
        results::TitleBlock one;
        one.*item.text = o.value;
        if (std::string bad = results::titleBlockRefusal(one); !bad.empty())
            return std::string(kNames[k]) + ": " + bad;
        options.title.*item.text = o.value;
        options.given[static_cast<std::size_t>(k)] = true;
        return {};
    }
    return {};
}

std::string detailOptionsRefusal(const DetailOptions &options)
{
    for (bool given : options.given)
        if (given && !options.detail)
            return "計算書の表題（--title、--part、--designer、--checker、--date）は --detail と一緒に指定して下さい。";
    return {};
}

results::TitleBlock mergedTitle(const results::TitleBlock &project, const DetailOptions &options)
{
    results::TitleBlock t = project;
    for (int k = 0; k < results::kTitleItems; ++k)
        if (options.given[static_cast<std::size_t>(k)]) {
            const results::TitleItem &item = results::titleItems()[static_cast<std::size_t>(k)];
            t.*item.text = options.title.*item.text;
        }
    return t;
}

std::string sheetsHelp()
{
    return R"(kovel-cli sheets PROJECT.kvl OUT.pdf [--first N] [--position leftup|center|leftlower]
                 [--no-page-numbers] [--margin M]
                 [--detail [--title T] [--part T] [--designer N] [--checker N] [--date YYYY-MM-DD]]
  プロジェクトファイル（*.kvl）の全データの計算書を、印刷と同じ配置で A4 の PDF ファイルに
  出力します。1枚に2件ずつ、データ番号の順です。OUT.pdf が既にあるときは上書きします。
  --detail             詳細計算書（1件1頁、式と数値を全て示したもの）を出力します。最初に
                       計算書一覧、各頁に表題欄と「頁 / 全頁数」が付きます（頁番号と左
                       マージンの指定は標準の計算書だけのものです）。表題欄はプロジェクト
                       ファイルにあるものを使い、次の指定で置き換えます:
    --title T          工事名
    --part T           建物名・部位
    --designer N       設計者
    --checker N        照査者
    --date YYYY-MM-DD  日付（例 2026-04-01。実在しない日付は断ります）
  --first N            開始頁番号（整数、既定 1）
  --position P         頁番号の位置（印刷プレビューの同名のボタンと同じ）:
                         leftup    「左上」 上端の右寄りに n（既定）
                         center    「中央下」 下端の中央に "- n -"
                         leftlower 「左下」 下端の右寄りに n
  --no-page-numbers    頁番号を印刷しません。
  --margin M           左マージン（0以上の整数、1 につき 13 印刷単位、既定 30）。計算書が
                       用紙からはみ出す値は、使える範囲を示して断ります（頁番号を左上に
                       付けると A4 でおよそ 42 まで）
  終了コード: 0 出力しました、1 プロジェクトファイルを読めない、データがない、
             2 指定の誤り（オプション、開始頁番号、左マージン、日付、表題の文字、OUT.pdf がプロジェクトファイルと
               同じ・通常のファイルでない）、3 PDF ファイルを書けない
)";
}

int runSheets(int argc, char **argv)
{
    const ParsedArgs parsed = parseArgs(argc, argv);
    if (parsed.help) {
        std::fputs(sheetsHelp().c_str(), stdout);
        return 0;
    }
    if (!parsed.args) {
        std::fprintf(stderr, "%s\n%s", parsed.error.c_str(), kUsage);
        return 2;
    }
    const SheetsArgs &a = *parsed.args;

    if (files::sameFile(a.project, a.pdf)) {
        std::fprintf(stderr, "出力先がプロジェクトファイル「%s」と同じです。別の名前を指定して下さい。\n",
                     a.project.c_str());
        return 2;
    }
    if (const std::string refusal = files::replaceRefusal(a.pdf); !refusal.empty()) {
        std::fprintf(stderr, "%s\n", refusal.c_str());
        return 2;
    }

    const results::ProjectRead read = results::readProject(a.project);
    if (!read.table) {
        std::fprintf(stderr, "%s\n", read.error.c_str());
        return 1;
    }
    if (!read.notice.empty())
        std::fprintf(stderr, "%s\n", read.notice.c_str());
    const results::Table &table = *read.table; // opening marks every loaded slot
    if (sheets::markedSlots(table).empty()) {
        std::fprintf(stderr, "「%s」には計算結果がありません。PDFファイルは作りませんでした。\n", a.project.c_str());
        return 1;
    }

    const std::vector<const results::SlotRecord *> records = sheets::markedRecords(table);
    if (a.detail.detail) {
        const results::TitleBlock title = mergedTitle(table.title, a.detail);
        const sheets::PrintOutcome printed = printDetailedRecordsToPdf(records, title, a.pdf);
        if (!printed.error.empty()) {
            std::fprintf(stderr, "%s\n", printed.error.c_str());
            return kOutputFailed;
        }
        std::printf("「%s」に詳細計算書を %d 頁出力しました。\n", a.pdf.c_str(), printed.sheets);
        return 0;
    }
    const sheets::PrintOutcome printed = printRecordsToPdf(records, a.settings, a.pdf);
    if (!printed.error.empty()) {
        std::fprintf(stderr, "%s\n", printed.error.c_str());
        // past the margin, every failure is one of making or writing the PDF
        return printed.marginTooLarge ? 2 : kOutputFailed;
    }
    std::printf("「%s」に計算書を %d 頁出力しました。\n", a.pdf.c_str(), printed.sheets);
    return 0;
}

namespace {

// A command needs no display: the sheets are drawn off screen unless a platform is chosen.
std::unique_ptr<QGuiApplication> printingApplication()
{
    if (QCoreApplication::instance())
        return nullptr;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(quietQtMessages);
    static int qtArgc = 1;
    static char name[] = "kovel-cli";
    static char *qtArgv[] = {name, nullptr};
    auto app = std::make_unique<QGuiApplication>(qtArgc, qtArgv);
    QtCanvas::loadShippedFonts();
    return app;
}

// The sheets into a PDF file named by `target` (a path, or a writer of a set).
template <typename Target>
sheets::PrintOutcome printInto(const std::vector<const results::SlotRecord *> &records,
                               const sheets::PageSettings &settings, Target &target)
{
    const std::unique_ptr<QGuiApplication> app = printingApplication();
    return printSheetsToPdf(records, settings, target);
}

} // namespace

sheets::PrintOutcome printRecordsToPdf(const std::vector<const results::SlotRecord *> &records,
                                       const sheets::PageSettings &settings, const std::string &pdf)
{
    return printInto(records, settings, pdf);
}

sheets::PrintOutcome printRecordsToPdf(const std::vector<const results::SlotRecord *> &records,
                                       const sheets::PageSettings &settings, files::SafeFileWriter &file)
{
    return printInto(records, settings, file);
}

namespace {

template <typename Target>
sheets::PrintOutcome printDetailedInto(const std::vector<const results::SlotRecord *> &records,
                                       const results::TitleBlock &title, Target &target)
{
    const std::unique_ptr<QGuiApplication> app = printingApplication();
    const sheets::DetailedPlan plan = sheets::planDetailed(records, title);
    return printDetailedToPdf(plan, target);
}

} // namespace

sheets::PrintOutcome printDetailedRecordsToPdf(const std::vector<const results::SlotRecord *> &records,
                                               const results::TitleBlock &title, const std::string &pdf)
{
    return printDetailedInto(records, title, pdf);
}

sheets::PrintOutcome printDetailedRecordsToPdf(const std::vector<const results::SlotRecord *> &records,
                                               const results::TitleBlock &title, files::SafeFileWriter &file)
{
    return printDetailedInto(records, title, file);
}
