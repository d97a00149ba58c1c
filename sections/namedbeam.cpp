#include "sections/namedbeam.h"

#include "beam/numtext.h"
#include "files/datafiles.h"
#include "sections/selection.h"

#include <cmath>
#include <functional>
#include <map>
#include <set>

namespace sections {

namespace {

// A data file as the window finds it: the working directory, the user's data folder,
// the installed data. A file in the working directory keeps its relative name.
std::string dataFile(const char *relative)
{
    return files::findDataFile(files::dataFolders(), relative).path;
}

using Setter = std::function<std::string(NamedBeam &, const std::string &)>;

// Which of the two gave F would otherwise depend on the order of the lines or columns.
const char *const kGradeAndF = "grade（鋼材）と F（基準強度）は同時に指定できません。どちらか一方にして下さい。";

// Setters return an empty string or the reason the value is refused.
Setter text(std::string beam::InputTexts::*field)
{
    return [field](NamedBeam &c, const std::string &v) {
        c.texts.*field = v;
        return std::string();
    };
}

Setter flag(bool beam::InputTexts::*field)
{
    return [field](NamedBeam &c, const std::string &v) -> std::string {
        if (v == "0" || v == "1") {
            c.texts.*field = v == "1";
            return {};
        }
        return "値は 0 か 1 で指定して下さい。";
    };
}

const std::map<std::string, Setter> &setters()
{
    static const std::map<std::string, Setter> table = [] {
        std::map<std::string, Setter> t;
        using T = beam::InputTexts;
        t["Bname"] = [](NamedBeam &c, const std::string &v) { c.Bname = v; return std::string(); };
        t["Span"] = text(&T::Span);
        t["lb"] = text(&T::lb);
        t["seigen1"] = text(&T::seigen1);
        t["seigen2"] = text(&T::seigen2);
        t["term"] = flag(&T::term);
        t["si"] = flag(&T::si);
        t["uniform"] = text(&T::uniform);
        t["shiki"] = [](NamedBeam &c, const std::string &v) { c.shiki = v; return std::string(); };
        for (int k = 0; k < beam::kPointLoads; ++k) {
            const std::string n = std::to_string(k + 1);
            t["p" + n] = [k](NamedBeam &c, const std::string &v) { c.texts.p[k] = v; return std::string(); };
            t["pl" + n] = [k](NamedBeam &c, const std::string &v) { c.texts.pl[k] = v; return std::string(); };
        }
        const char *const suffix[beam::kPartLoads] = {"a", "b", "c"};
        for (int j = 0; j < beam::kPartLoads; ++j) {
            const std::string s = suffix[j];
            t["w1" + s] = [j](NamedBeam &c, const std::string &v) { c.texts.w1[j] = v; return std::string(); };
            t["w2" + s] = [j](NamedBeam &c, const std::string &v) { c.texts.w2[j] = v; return std::string(); };
            t["ld1" + s] = [j](NamedBeam &c, const std::string &v) { c.texts.ld1[j] = v; return std::string(); };
            t["ld2" + s] = [j](NamedBeam &c, const std::string &v) { c.texts.ld2[j] = v; return std::string(); };
            // kept equal to L - LD1 - LD2 by the page; stored, not read by the check
            t["ld3" + s] = [j](NamedBeam &c, const std::string &v) { c.ld3[j] = v; return std::string(); };
        }
        t["support"] = [](NamedBeam &c, const std::string &v) -> std::string {
            if (std::optional<beam::Support> s = beam::supportFromName(v)) {
                c.texts.support = *s;
                return {};
            }
            return "支持条件は pinpin、pinkotei、koteikotei、jiyuukotei のどれかで指定して下さい。";
        };
        t["jijuucheck"] = flag(&T::jijuucheck);
        t["family"] = [](NamedBeam &c, const std::string &v) -> std::string {
            if (std::optional<beam::Family> f = beam::familyFromCode(v)) {
                c.texts.family = *f;
                return {};
            }
            return "断面の種類は HW、HM、HN、C、L、I、BH、kaku、maru、direct、user のどれかで指定して下さい。";
        };
        t["member"] = [](NamedBeam &c, const std::string &v) {
            c.member = v;
            c.memberGiven = true;
            return std::string();
        };
        t["inertia"] = text(&T::inertia);
        t["modulus"] = text(&T::modulus);
        t["selfw"] = text(&T::selfw);
        t["weak"] = flag(&T::weak);
        t["H"] = [](NamedBeam &c, const std::string &v) { c.dims.H = v; return std::string(); };
        t["B"] = [](NamedBeam &c, const std::string &v) { c.dims.B = v; return std::string(); };
        t["tw"] = [](NamedBeam &c, const std::string &v) { c.dims.tw = v; return std::string(); };
        t["tf"] = [](NamedBeam &c, const std::string &v) { c.dims.tf = v; return std::string(); };
        t["si157"] = flag(&T::si157);
        t["fbrule"] = [](NamedBeam &c, const std::string &v) -> std::string {
            if (v != "old" && v != "notice")
                return "fbrule は old（従来式）か notice（告示1024号）で指定して下さい。";
            c.basis.rule = v == "notice" ? beam::FbRule::Notice : beam::FbRule::Old;
            return {};
        };
        t["grade"] = [](NamedBeam &c, const std::string &v) -> std::string {
            if (c.FGiven)
                return kGradeAndF;
            const std::optional<double> F = beam::gradeStrength(v);
            if (!F) {
                std::string names;
                for (const beam::SteelGrade &g : beam::steelGrades())
                    names += std::string(names.empty() ? "" : "、") + g.name;
                return "鋼材は " + names + " のどれかで指定して下さい（または F=）。";
            }
            c.basis.grade = v;
            c.basis.F = *F;
            c.gradeGiven = true;
            return {};
        };
        t["F"] = [](NamedBeam &c, const std::string &v) -> std::string {
            if (c.gradeGiven)
                return kGradeAndF;
            beam::Basis b = c.basis;
            b.grade.clear();
            b.F = beam::parseDouble(v);
            b.C.reset();
            if (std::string why = beam::basisRefusal(b); !why.empty())
                return why;
            c.basis.grade.clear();
            c.basis.F = b.F;
            c.FGiven = true;
            return {};
        };
        t["C"] = [](NamedBeam &c, const std::string &v) -> std::string {
            if (v == "auto") {
                c.basis.C.reset();
                return {};
            }
            const double C = beam::parseDouble(v);
            if (!(C >= beam::kMinC && C <= beam::kMaxC))
                return "C は auto か 1.0 から 2.3 の数字で指定して下さい。";
            c.basis.C = C;
            return {};
        };
        t["shear"] = [](NamedBeam &c, const std::string &v) -> std::string {
            if (v == "0" || v == "1") {
                c.basis.shear = v == "1";
                return {};
            }
            return "値は 0 か 1 で指定して下さい。";
        };
        t["design"] = [](NamedBeam &c, const std::string &v) -> std::string {
            if (v == "0" || v == "1") {
                c.design = v == "1";
                return {};
            }
            return "値は 0 か 1 で指定して下さい。";
        };
        return t;
    }();
    return table;
}

std::string trimmed(const std::string &s)
{
    const std::size_t first = s.find_first_not_of(" \t");
    if (first == std::string::npos)
        return {};
    const std::size_t last = s.find_last_not_of(" \t");
    return s.substr(first, last - first + 1);
}

bool isCatalogueFamily(beam::Family f)
{
    switch (f) {
    case beam::Family::HW:
    case beam::Family::HM:
    case beam::Family::HN:
    case beam::Family::C:
    case beam::Family::L:
    case beam::Family::I:
        return true;
    default:
        return false;
    }
}

// The catalogue lookup, on the catalogue given or on the file read afresh.
LookupOutcome lookup(const SectionSources &sources, const std::string &member, bool weak)
{
    if (!sources.catalogue)
        return lookupMember(dataFile(kCatalogueFile), member, weak);
    const CatalogueRecord &record = findRecord(*sources.catalogue, member);
    return {sectionTexts(record, weak), &record != &sources.catalogue->terminator, {}};
}

// Fills the section fields from the chosen source, as the section group of the input
// page does. Returns an error text when the section cannot be had.
std::string resolveSection(NamedBeam &c, const SectionSources &sources)
{
    beam::InputTexts &t = c.texts;
    const beam::Family family = t.family;
    if (isCatalogueFamily(family)) {
        // Choosing a family without naming a member takes the first item of its list.
        if (!c.memberGiven && family != beam::Family::HN)
            c.member = familyDesignations(family).front();
        const LookupOutcome look = lookup(sources, c.member, t.weak);
        if (!look.texts)
            return look.error;
        if (!look.found)
            return std::string("部材「") + c.member + "」は部材リスト（" + dataFile(kCatalogueFile) + "）にありません。";
        applySection(t, *look.texts);
        return {};
    }
    switch (family) {
    case beam::Family::BH:
    case beam::Family::Kaku:
    case beam::Family::Maru: {
        const ComputedSection s = computeSection(family, c.dims, t.weak);
        if (!s.error.empty())
            return s.error;
        if (std::string why = dimensionRefusal(family, c.dims); !why.empty())
            return why;
        c.member = *s.member;
        t.inertia = s.inertia;
        t.modulus = s.modulus;
        t.selfw = s.selfw;
        t.H1 = s.H1;
        t.B1 = s.B1;
        t.tf1 = s.tf1;
        t.tw1 = s.tw1;
        t.r1 = s.r1;
        t.A1 = s.A1;
        return {};
    }
    case beam::Family::User: {
        const MemberLoad read = sources.members ? MemberLoad{} : loadMembers(dataFile(kMemberFile));
        const MemberLoad &load = sources.members ? *sources.members : read;
        if (!load.error.empty())
            return load.error;
        if (!c.memberGiven)
            c.member = load.list.userlistText;
        if (load.list.count == 0)
            return std::string("登録部材がありません（") + dataFile(kMemberFile) + "）。";
        const std::optional<MemberChoice> choice = chooseMember(load.list, c.member, t.weak);
        if (!choice)
            return "登録部材「" + c.member + "」はありません。";
        c.member = choice->member;
        t.selfw = choice->selfw;
        t.inertia = choice->inertia;
        t.modulus = choice->modulus;
        return {}; // H1, B1, tf1 keep their texts; registered members use the basic fb
    }
    default: // direct input: the typed texts as they stand
        return {};
    }
}

// The names whose number the check reads, by the leading-number rule like the page's
// boxes: all that hold a number but the lengths LD3, which are not read.
bool numericName(const std::string &name, const std::string &value)
{
    return holdsNumber(name, value) && name.rfind("ld3", 0) != 0;
}

// A number field's value as the page's box would hold it after its leaving rule: the
// full-width forms of an input method turned into ASCII.
std::string storedValue(const std::string &name, const std::string &value)
{
    return numericName(name, value) ? beam::asciiNumberText(value) : value;
}

} // namespace

std::string numberWarning(const std::string &name, const std::string &value)
{
    if (!numericName(name, value) || beam::textAfterNumber(value) == 0)
        return {};
    return name + " の値「" + value + "」は " + beam::formatNumber(beam::parseDouble(value), "0.##########") +
           " として読みました（数字の後ろの文字は読みません）。";
}

bool holdsNumber(const std::string &name, const std::string &value)
{
    static const std::set<std::string> kOthers = {"Bname", "member",     "shiki", "support", "family",
                                                  "term",  "si",         "jijuucheck", "weak", "si157",
                                                  "design", "fbrule",    "grade", "shear"};
    return isInputName(name) && kOthers.count(name) == 0 && !(name == "C" && value == "auto");
}

bool isInputName(const std::string &name)
{
    return setters().count(name) != 0;
}

std::string setNamedValue(NamedBeam &named, const std::string &name, const std::string &value)
{
    const auto it = setters().find(name);
    if (it == setters().end())
        return "「" + name + "」という入力項目はありません。";
    return it->second(named, storedValue(name, value));
}

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

NamedCheck checkNamedBeam(const NamedBeam &named, const SectionSources &sources)
{
    NamedCheck out;
    out.family = named.texts.family;
    out.member = named.member;
    out.texts = named.texts;

    // Like the calculate image: nothing is calculated without a positive span.
    const double span = beam::parseDouble(named.texts.Span);
    if (!std::isfinite(span)) {
        out.error = "「スパン長さ」の値が大きすぎます。数字を確認して下さい。";
        return out;
    }
    if (!(span > 0)) {
        out.error = "スパン長さが0以下です。計算しません。";
        return out;
    }

    if (named.design) {
        SelectionOutcome s = sources.catalogue ? selectSize(named.texts, *sources.catalogue, named.basis)
                                               : selectSize(named.texts, dataFile(kCatalogueFile), named.basis);
        if (s.switchedToNarrow)
            out.notes.push_back("自動選択は細幅H形鋼（HN）で行います。");
        if (!s.error.empty()) {
            out.error = s.error;
            return out;
        }
        if (s.checked == 0 || !s.result) {
            out.error = "部材リスト（" + dataFile(kCatalogueFile) + "）に " + s.familyCode + " の部材がありません。";
            return out;
        }
        out.family = s.family;
        out.member = s.member;
        out.texts.family = s.family;
        out.texts.weak = false; // the selection always bends about the strong axis
        out.texts.inertia = s.inertia;
        out.texts.modulus = s.modulus;
        out.texts.selfw = s.selfw;
        out.texts.H1 = s.H1;
        out.texts.B1 = s.B1;
        out.texts.tf1 = s.tf1;
        out.texts.tw1 = s.tw1;
        out.texts.r1 = s.r1;
        out.texts.A1 = s.A1;
        for (const std::string &note : selectionNotes(s)) // reads the verdict: before the result moves out
            out.resultNote += note;
        out.result = std::move(s.result);
        return out;
    }

    NamedBeam c = named;
    if (std::string error = resolveSection(c, sources); !error.empty()) {
        out.error = error;
        return out;
    }
    out.member = std::move(c.member);
    out.texts = std::move(c.texts);
    beam::CheckOutcome check = beam::runCheck(out.texts, c.basis);
    if (!check.result) {
        out.error = check.error;
        return out;
    }
    out.result = std::move(check.result);
    for (const std::string &note : check.notes)
        out.resultNote += note;
    return out;
}

std::vector<std::pair<std::string, std::string>> resultFields(const NamedCheck &check)
{
    std::vector<std::pair<std::string, std::string>> out;
    if (!check.result)
        return out;
    const beam::ResultTexts &r = *check.result;
    out.reserve(17 + beam::kStations);
    const std::pair<const char *, const std::string *> fields[] = {
        {"RQa", &r.RQa},         {"RQb", &r.RQb},
        {"RMmax", &r.RMmax},     {"RMmaxl", &r.RMmaxl},
        {"Mcent", &r.Mcent},     {"Menda", &r.Menda},
        {"Mendb", &r.Mendb},     {"Rdelta", &r.Rdelta},
        {"Rlx", &r.Rlx},         {"Rfb", &r.Rfb},
        {"RSigmab", &r.RSigmab}, {"Rratio", &r.Rratio},
        {"hantei", &r.hantei},
    };
    for (const auto &[name, value] : fields)
        out.emplace_back(name, *value);
    if (r.notice) {
        const beam::NoticeTexts &n = *r.notice;
        const std::pair<const char *, const std::string *> notice[] = {
            {"fb2", &n.fb2}, {"ib", &n.ib},         {"C", &n.C},
            {"tau", &n.tau}, {"fs", &n.fs},   {"Rshear", &n.Rshear},
        };
        out.emplace_back("fb1", beam::shownFb1(n.fb1));
        for (const auto &[name, value] : notice)
            out.emplace_back(name, *value);
    }
    const std::pair<const char *, const std::string *> section[] = {
        {"member", &check.member},
        {"inertia", &check.texts.inertia},
        {"modulus", &check.texts.modulus},
        {"selfw", &check.texts.selfw},
    };
    for (const auto &[name, value] : section)
        out.emplace_back(name, *value);
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
