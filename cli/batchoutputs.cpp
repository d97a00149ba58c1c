#include "cli/batchoutputs.h"

#include "files/textfile.h"
#include "results/projectfile.h"
#include "results/table.h"

#include <algorithm>
#include <map>
#include <utility>

std::string numberedName(const std::string &chosen, int n, const char *extension)
{
    const std::string stripped = results::stripExtension(chosen);
    return stripped + (n > 1 ? "-" + std::to_string(n) : std::string()) + extension;
}

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
