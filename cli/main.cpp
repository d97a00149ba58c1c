// kovel-cli: batch checks, text reports and sheet printing from the command line.
#include "cli/batch.h"
#include "cli/cli.h"
#include "cli/sheets.h"
#include "cli/text.h"

#include "files/datafiles.h"
#include "files/platform.h"
#include "files/textfile.h"
#include "sections/catalogue.h"
#include "sections/members.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <utility>

namespace {

// The subcommands, in the order `--help` lists them. To add one, write
// `int runName(int argc, char **argv)` in its own file (cli/name.cpp, declared in a
// header of its own; see cli/cli.h for the calling convention), include the header above
// and add one line here:
//     {name, usage line, one-line summary, run function, full help or nullptr},
// `kovel-cli NAME ARGS...` then calls the function with argv = {NAME, ARGS...}, and
// `kovel-cli --help` prints the usage and summary lines and every full help text.
struct Subcommand {
    const char *name;
    const char *usage;
    const char *summary;
    int (*run)(int argc, char **argv);
    std::string (*help)();
};

const Subcommand kSubcommands[] = {
    {"calc", "kovel-cli calc [FILE]", "梁を1本計算します（FILE がなければ標準入力から読みます）。", runCalc, calcHelp},
    {"batch", "kovel-cli batch SCHEDULE.csv [-o RESULTS.csv] [--project OUT.kvl] [--sheets OUT.pdf [--detail ...]] [--stations] [--jobs N] [--encoding utf8|cp932]", "梁の一覧表（CSV）の全行を計算し、結果を CSV ファイルに書きます。", runBatch, batchHelp},
    {"text", "kovel-cli text PROJECT.kvl OUT.txt", "プロジェクトファイルの全データをテキスト形式で出力します。", runText, nullptr},
    {"sheets", "kovel-cli sheets PROJECT.kvl OUT.pdf [--first N] [--position leftup|center|leftlower] [--no-page-numbers] [--margin M] [--detail [--title T] [--part T] [--designer N] [--checker N] [--date YYYY-MM-DD]]", "プロジェクトファイルの全データの計算書（--detail で詳細計算書）を PDF ファイルに印刷します。", runSheets, sheetsHelp},
};

void printUsage(std::FILE *out)
{
    std::fputs("使い方:\n", out);
    for (const Subcommand &s : kSubcommands)
        std::fprintf(out, "  %s\n      %s\n", s.usage, s.summary);
    std::fputs("  kovel-cli --help\n      この説明を表示します。\n", out);
}

// The data files with the file each lookup finds now.
void printFilesInUse()
{
    const files::DataFolders folders = files::dataFolders();
#ifdef _WIN32
    std::fputs("データファイルは、作業ディレクトリ、ユーザーのデータフォルダ（%APPDATA%\\KOVEL）、\n"
               "インストール先（プログラムのフォルダの share\\kovel）の順に探します。\n"
               "いま使うファイル:\n",
               stdout);
#else
    std::fputs("データファイルは、作業ディレクトリ、ユーザーのデータフォルダ（$XDG_DATA_HOME/kovel、\n"
               "既定は ~/.local/share/kovel）、インストール先（PREFIX/share/kovel）の順に探します。\n"
               "いま使うファイル:\n",
               stdout);
#endif
    const std::pair<const char *, const char *> files[] = {{"部材リスト", sections::kCatalogueFile},
                                                           {"登録部材", sections::kMemberFile}};
    for (const auto &[caption, relative] : files) {
        const files::DataFile f = files::findDataFile(folders, relative);
        std::printf("  %s: %s（%s）\n", caption, f.path.c_str(), files::placeName(f.place).c_str());
    }
    std::fputs("\n", stdout);
}

void printHelp()
{
    std::fputs("kovel-cli: KOVEL（鋼製梁の検定）のコマンド版です。\n", stdout);
    printFilesInUse();
    printUsage(stdout);
    for (const Subcommand &s : kSubcommands) {
        if (!s.help)
            continue;
        std::fputs("\n", stdout);
        std::fputs(s.help().c_str(), stdout);
    }
    std::fputs("\n終了コード（どのコマンドも）: 0 成功、1 計算できない入力・読めないファイル、2 指定の誤り・入力の形の誤り、\n"
               "  3 出力を書けなかった（ディスクの空きがない、標準出力が閉じている・書けないなど。メッセージは\n"
               "  標準エラーに書きます）\n",
               stdout);
}

// Whatever the command said it did, output that did not reach standard output is a failure.
int checkedExit(int status)
{
    if (status == kOutputFailed)
        return status; // the command has said so itself
    if (const std::string error = files::finishStandardOutput(); !error.empty()) {
        std::fprintf(stderr, "kovel-cli: %s\n", error.c_str());
        return kOutputFailed;
    }
    return status;
}

} // namespace

int main(int systemArgc, char **systemArgv)
{
    // before any file is opened: a file must never get the number of a closed standard output
    files::platform::reserveStandardStreams();
    files::removeTemporaryFilesOnSignals();
    files::platform::Arguments arguments(systemArgc, systemArgv);
    const int argc = arguments.argc();
    char **argv = arguments.argv();
    if (argc < 2) {
        printUsage(stderr);
        return 2;
    }
    const std::string command = argv[1];
    if (command == "--help" || command == "-h" || command == "help") {
        printHelp();
        return checkedExit(0);
    }
    for (const Subcommand &s : kSubcommands)
        if (command == s.name)
            return checkedExit(s.run(argc - 1, argv + 1));
    std::fprintf(stderr, "kovel-cli: 「%s」というコマンドはありません。\n", command.c_str());
    printUsage(stderr);
    return 2;
}
