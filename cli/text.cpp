#include "cli/text.h"

#include "cli/cli.h"
#include "files/textfile.h"
#include "results/messages.h"
#include "results/projectfile.h"
#include "results/textreport.h"

#include <cstdio>
#include <string>

int runText(int argc, char **argv)
{
    if (argc != 3) {
        std::fputs("使い方: kovel-cli text PROJECT.kvl OUT.txt\n"
                   "  プロジェクトファイル（*.kvl）の全データをテキスト形式で OUT.txt に出力します。\n"
                   "  OUT.txt が既にあるときは上書きします。\n"
                   "usage: kovel-cli text PROJECT.kvl OUT.txt (writes the text report; OUT.txt is replaced)\n",
                   stderr);
        return 2;
    }
    const std::string project = argv[1], report = argv[2];
    if (files::sameFile(project, report)) {
        std::fprintf(stderr, "出力先がプロジェクトファイル「%s」と同じです。別の名前を指定して下さい。\n", argv[1]);
        return 2;
    }
    if (const std::string refusal = files::replaceRefusal(report); !refusal.empty()) {
        std::fprintf(stderr, "%s\n", refusal.c_str());
        return 2;
    }
    const results::ProjectRead read = results::readProject(project);
    if (!read.table) {
        std::fprintf(stderr, "%s\n", read.error.c_str());
        return 1;
    }
    if (!read.notice.empty())
        std::fprintf(stderr, "%s\n", read.notice.c_str()); // as the window notes it on opening
    if (const std::string error = results::writeTextReport(report, *read.table); !error.empty()) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return kOutputFailed;
    }
    std::printf("%s\n", results::kTextWrittenMessage);
    return 0;
}
