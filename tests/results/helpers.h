// Shared pieces of the result table tests: a page to store, a table of n stored slots,
// a temporary folder and raw file bytes.
#pragma once

#include "results/store.h"
#include "results/table.h"

#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace testing_results {

namespace fs = std::filesystem;

// A page with every text empty, as a set-up fills it: the support and shape radios given
// checked, none checked when not given.
inline sections::NamedBeam blankPage(std::optional<beam::Support> support = {},
                                     std::optional<beam::Family> family = {})
{
    sections::NamedBeam p;
    beam::InputTexts &t = p.texts;
    for (std::string *s : {&p.Bname, &p.member, &t.Span, &t.lb, &t.seigen1, &t.seigen2, &t.inertia, &t.modulus,
                           &t.selfw})
        s->clear();
    p.dims = {};
    p.noSupport = !support;
    t.support = support.value_or(beam::Support::PinPin);
    p.noFamily = !family;
    t.family = family.value_or(beam::Family::Direct);
    return p;
}

// A page whose texts name their beam, so a slot's record can be told by its name.
inline sections::NamedBeam page(const std::string &name)
{
    sections::NamedBeam p = blankPage(beam::Support::PinPin, beam::Family::HN);
    p.Bname = name;
    p.texts.Span = "6.00";
    p.texts.lb = "3.00";
    p.texts.seigen1 = "300";
    p.texts.seigen2 = "2.0";
    p.texts.uniform = "10";
    p.member = "H-300x150x6.5x9";
    p.texts.inertia = "7210";
    p.texts.modulus = "481";
    p.texts.selfw = "36.7";
    p.result.RMmax = "45.000";
    p.result.hantei = "OK.";
    for (auto &m : p.result.Mgrid)
        m = "1.5";
    return p;
}

// A table with slots 1..n stored as "B1".."Bn" (all marked, slot n selected).
inline results::Table tableOf(int n)
{
    results::Table t;
    results::resetTable(t);
    for (int i = 1; i <= n; ++i)
        results::storeResult(t, page("B" + std::to_string(i)), results::WhenFull::Refuse);
    return t;
}

// The beam names of slots 1..last, to compare whole tables at once.
inline std::vector<std::string> names(const results::Table &t, int last)
{
    std::vector<std::string> out;
    for (int s = 1; s <= last; ++s)
        out.push_back(t.slots[static_cast<std::size_t>(s)][2]);
    return out;
}

inline std::vector<std::string> marks(const results::Table &t, int last)
{
    return {t.selectgrid.begin() + 1, t.selectgrid.begin() + 1 + last};
}

struct TempDir {
    fs::path path;
    explicit TempDir(const std::string &tag)
        : path(fs::temp_directory_path() / fs::path("kovel-results-" + tag + "-" + std::to_string(::getpid())))
    {
        fs::create_directories(path);
    }
    ~TempDir() { fs::remove_all(path); }
    std::string file(const std::string &name) const { return (path / name).string(); }
};

inline std::string slurp(const fs::path &p)
{
    std::ifstream f(p, std::ios::binary);
    std::stringstream s;
    s << f.rdbuf();
    return s.str();
}

inline void spit(const fs::path &p, const std::string &bytes)
{
    std::ofstream(p, std::ios::binary) << bytes;
}

inline std::string dataFile(const std::string &name)
{
    return std::string(KOVEL_TEST_DATA) + "/results/data/" + name;
}

} // namespace testing_results
