// Shared pieces of the result table tests: a page to store, a table of n stored slots,
// a temporary folder and raw file bytes.
#pragma once

#include "results/store.h"
#include "results/table.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace testing_results {

namespace fs = std::filesystem;

// A page whose texts name their beam, so a slot's record can be told by its name.
inline results::PageTexts page(const std::string &name)
{
    results::PageTexts p;
    p.Bname = name;
    p.support = beam::Support::PinPin;
    p.familyCode = "HN";
    p.Span = "6.00";
    p.lb = "3.00";
    p.seigen1 = "300";
    p.seigen2 = "2.0";
    p.uniform = "10";
    p.member = "H-300x150x6.5x9";
    p.inertia = "7210";
    p.modulus = "481";
    p.selfw = "36.7";
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
