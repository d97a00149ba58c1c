#include "cli/text.h"

#include "results/messages.h"
#include "results/textreport.h"

#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

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
    std::error_code ec;
    if (std::filesystem::equivalent(argv[1], argv[2], ec)) {
        std::fprintf(stderr, "出力先がプロジェクトファイル「%s」と同じです。別の名前を指定して下さい。\n", argv[1]);
        return 2;
    }
    std::string notice;
    const std::string error = results::exportProjectReport(argv[1], argv[2], &notice);
    if (!notice.empty())
        std::fprintf(stderr, "%s\n", notice.c_str()); // as the window notes it on opening
    if (!error.empty()) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    std::printf("%s\n", results::kTextWrittenMessage);
    return 0;
}
