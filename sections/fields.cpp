#include "sections/fields.h"

#include "beam/allowable.h"
#include "beam/numtext.h"

#include <map>

namespace sections {

namespace fields {

namespace {

// Which of the two gave F would otherwise depend on the order of the lines or columns.
const char *const kGradeAndF = "grade（鋼材）と F（基準強度）は同時に指定できません。どちらか一方にして下さい。";

} // namespace

std::string readFlag(const std::string &value, bool &flag)
{
    if (value == "0" || value == "1") {
        flag = value == "1";
        return {};
    }
    return "値は 0 か 1 で指定して下さい。";
}

std::string support(NamedBeam &b, const std::string &v)
{
    if (std::optional<beam::Support> s = beam::supportFromName(v)) {
        b.texts.support = *s;
        return {};
    }
    return "支持条件は pinpin、pinkotei、koteikotei、jiyuukotei のどれかで指定して下さい。";
}

std::string family(NamedBeam &b, const std::string &v)
{
    if (std::optional<beam::Family> f = beam::familyFromCode(v)) {
        b.texts.family = *f;
        return {};
    }
    return "断面の種類は HW、HM、HN、C、L、I、BH、kaku、maru、direct、user のどれかで指定して下さい。";
}

std::string member(NamedBeam &b, const std::string &v)
{
    b.member = v;
    b.memberGiven = true;
    return {};
}

std::string design(NamedBeam &b, const std::string &v) { return readFlag(v, b.design); }

std::string fbrule(NamedBeam &b, const std::string &v)
{
    if (v != "old" && v != "notice")
        return "fbrule は old（従来式）か notice（告示1024号）で指定して下さい。";
    b.basis.rule = v == "notice" ? beam::FbRule::Notice : beam::FbRule::Old;
    return {};
}

std::string grade(NamedBeam &b, const std::string &v)
{
    if (b.FGiven)
        return kGradeAndF;
    const std::optional<double> F = beam::gradeStrength(v);
    if (!F) {
        std::string names;
        for (const beam::SteelGrade &g : beam::steelGrades())
            names += std::string(names.empty() ? "" : "、") + g.name;
        return "鋼材は " + names + " のどれかで指定して下さい（または F=）。";
    }
    b.basis.grade = v;
    b.basis.F = *F;
    b.gradeGiven = true;
    return {};
}

std::string strength(NamedBeam &b, const std::string &v)
{
    if (b.gradeGiven)
        return kGradeAndF;
    beam::Basis basis = b.basis;
    basis.grade.clear();
    basis.F = beam::parseDouble(v);
    basis.C.reset();
    if (std::string why = beam::basisRefusal(basis); !why.empty())
        return why;
    b.basis.grade.clear();
    b.basis.F = basis.F;
    b.FGiven = true;
    return {};
}

std::string gradient(NamedBeam &b, const std::string &v)
{
    if (v == "auto") {
        b.basis.C.reset();
        return {};
    }
    const double C = beam::parseDouble(v);
    if (!(C >= beam::kMinC && C <= beam::kMaxC))
        return "C は auto か 1.0 から 2.3 の数字で指定して下さい。";
    b.basis.C = C;
    return {};
}

std::string shear(NamedBeam &b, const std::string &v) { return readFlag(v, b.basis.shear); }

std::string fb1(const ReportedTexts &r) { return r.result->notice ? beam::shownFb1(r.result->notice->fb1) : std::string(); }

} // namespace fields

namespace {

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

const Field *inputField(std::string_view name)
{
    static const std::map<std::string_view, const Field *> inputs = [] {
        std::map<std::string_view, const Field *> m;
        for (const Field &f : kFieldTable)
            if (f.use == FieldUse::Input)
                m.emplace(f.name, &f);
        return m;
    }();
    const auto it = inputs.find(name);
    return it == inputs.end() ? nullptr : it->second;
}

bool isInputName(const std::string &name) { return inputField(name) != nullptr; }

bool holdsNumber(const std::string &name, const std::string &value)
{
    const Field *f = inputField(name);
    return f && f->kind == FieldKind::Number && !(name == "C" && value == "auto");
}

std::string setNamedValue(NamedBeam &named, const std::string &name, const std::string &value)
{
    const Field *f = inputField(name);
    if (!f)
        return "「" + name + "」という入力項目はありません。";
    return f->set(named, storedValue(name, value));
}

std::string numberWarning(const std::string &name, const std::string &value)
{
    if (!numericName(name, value) || beam::textAfterNumber(value) == 0)
        return {};
    return name + " の値「" + value + "」は " + beam::formatNumber(beam::parseDouble(value), "0.##########") +
           " として読みました（数字の後ろの文字は読みません）。";
}

std::string fieldNames(FieldUse use, bool notice)
{
    std::string names;
    for (const Field &f : kFieldTable)
        if (f.use == use && f.notice == notice)
            names += (names.empty() ? "" : " ") + std::string(f.name);
    return names;
}

} // namespace sections
