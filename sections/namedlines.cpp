#include "sections/namedlines.h"

#include "sections/fields.h"

namespace sections {

namespace {

std::string trimmed(const std::string &s)
{
    const std::size_t first = s.find_first_not_of(" \t");
    if (first == std::string::npos)
        return {};
    const std::size_t last = s.find_last_not_of(" \t");
    return s.substr(first, last - first + 1);
}

} // namespace

std::string readNamedLines(const std::string &data, NamedBeam &c, std::vector<std::string> *warnings)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start <= data.size()) {
        std::size_t end = data.find('\n', start);
        if (end == std::string::npos)
            end = data.size();
        std::string line = data.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(std::move(line));
        start = end + 1;
    }
    if (!lines.empty() && lines[0].rfind("\xEF\xBB\xBF", 0) == 0)
        lines[0].erase(0, 3); // byte order mark

    for (std::size_t n = 0; n < lines.size(); ++n) {
        const std::string &line = lines[n];
        const std::string t = trimmed(line);
        if (t.empty() || t[0] == '#')
            continue;
        const std::string where = std::to_string(n + 1) + "行目「" + line + "」: ";
        const std::size_t eq = line.find('=');
        if (eq == std::string::npos)
            return where + "「名前=値」の形で書いて下さい。";
        const std::string name = trimmed(line.substr(0, eq)), value = line.substr(eq + 1);
        if (std::string why = setNamedValue(c, name, value); !why.empty())
            return where + why;
        if (std::string warning = numberWarning(name, value); !warning.empty() && warnings)
            warnings->push_back(std::to_string(n + 1) + "行目: " + warning);
    }
    return {};
}

std::vector<std::pair<std::string, std::string>> resultFields(const NamedCheck &check)
{
    std::vector<std::pair<std::string, std::string>> out;
    if (!check.result)
        return out;
    const beam::ResultTexts &r = *check.result;
    const NamedBeam &b = check.beam;
    const ReportedTexts reported{&r, &b.member, &b.texts.inertia, &b.texts.modulus, &b.texts.selfw};
    out.reserve(std::size(kFieldTable) + beam::kStations);
    for (const Field &f : kFieldTable)
        if (f.use != FieldUse::Input && (!f.notice || r.notice))
            out.emplace_back(f.name, f.read(reported));
    static const std::vector<std::string> stations = [] {
        std::vector<std::string> names;
        for (int i = 0; i < beam::kStations; ++i)
            names.push_back("M" + std::to_string(i));
        return names;
    }();
    for (std::size_t i = 0; i < stations.size(); ++i)
        out.emplace_back(stations[i], r.Mgrid[i]);
    return out;
}

} // namespace sections
