#include "cli/batchoptions.h"

#include "beam/numtext.h"
#include "results/projectfile.h"

#include <algorithm>
#include <thread>
#include <utility>
#include <vector>

ParsedBatchArgs parseBatchArgs(int argc, char **argv)
{
    const std::vector<std::string> words(argv + 1, argv + argc);
    ParsedBatchArgs out;
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
