// The names of a beam's fields, one row each: the inputs that `kovel-cli calc` reads and a
// schedule's columns name, and the results they report. The command line's vocabulary, the
// schedule columns and their export, and the help read this table; adding a field is
// adding its row. The rows keep the order of the output: inputs as an export writes its
// columns, results as `kovel-cli calc` prints them.
#pragma once

#include "sections/namedbeam.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace sections {

enum class FieldKind {
    Text,   // kept as written
    Number, // read by the leading-number rule
    Flag,   // 0 or 1
    Choice, // one of a list of words
};

enum class FieldUse {
    Input,   // given: a name=value line, a schedule column
    Result,  // a result of the check
    Section, // the section as checked, reported after the results
};

// The result and the section a check reports, wherever they are kept.
struct ReportedTexts {
    const beam::ResultTexts *result;
    const std::string *member, *inertia, *modulus, *selfw;
};

// Sets an input from its value; returns an empty string or the Japanese reason the value
// is refused (the beam is then unchanged).
using FieldSetter = std::string (*)(NamedBeam &, const std::string &);
// A reported text.
using FieldReader = std::string (*)(const ReportedTexts &);

struct Field {
    std::string_view name;
    FieldKind kind;
    FieldUse use;
    // Only with the notice rule: an input exported only when a slot has such a result (a
    // schedule with an fbrule column), a result reported only under that rule.
    bool notice = false;
    FieldSetter set = nullptr;  // inputs
    FieldReader read = nullptr; // results and the section
};

namespace fields {

// "値は 0 か 1 で指定して下さい。" unless `value` is "0" or "1", which sets `flag`.
std::string readFlag(const std::string &value, bool &flag);

template <std::string NamedBeam::*M>
std::string own(NamedBeam &b, const std::string &v)
{
    b.*M = v;
    return {};
}
template <std::string beam::InputTexts::*M>
std::string text(NamedBeam &b, const std::string &v)
{
    b.texts.*M = v;
    return {};
}
template <auto M, std::size_t K>
std::string element(NamedBeam &b, const std::string &v)
{
    (b.texts.*M)[K] = v;
    return {};
}
template <std::size_t K>
std::string ld3(NamedBeam &b, const std::string &v)
{
    b.ld3[K] = v;
    return {};
}
template <std::string DimensionTexts::*M>
std::string dimension(NamedBeam &b, const std::string &v)
{
    b.dims.*M = v;
    return {};
}
template <bool beam::InputTexts::*M>
std::string flag(NamedBeam &b, const std::string &v)
{
    return readFlag(v, b.texts.*M);
}

std::string support(NamedBeam &b, const std::string &v);
std::string family(NamedBeam &b, const std::string &v);
std::string member(NamedBeam &b, const std::string &v);
std::string design(NamedBeam &b, const std::string &v);
std::string fbrule(NamedBeam &b, const std::string &v);
std::string grade(NamedBeam &b, const std::string &v);
std::string strength(NamedBeam &b, const std::string &v);
std::string gradient(NamedBeam &b, const std::string &v);
std::string shear(NamedBeam &b, const std::string &v);

template <std::string beam::ResultTexts::*M>
std::string result(const ReportedTexts &r)
{
    return r.result->*M;
}
template <std::string beam::NoticeTexts::*M>
std::string notice(const ReportedTexts &r)
{
    return r.result->notice ? (*r.result->notice).*M : std::string();
}
std::string fb1(const ReportedTexts &r);
template <const std::string *ReportedTexts::*M>
std::string section(const ReportedTexts &r)
{
    return *(r.*M);
}

using T = beam::InputTexts;
using R = beam::ResultTexts;
using N = beam::NoticeTexts;
using D = DimensionTexts;
using P = ReportedTexts;
constexpr FieldKind kText = FieldKind::Text, kNumber = FieldKind::Number, kFlag = FieldKind::Flag,
                    kChoice = FieldKind::Choice;
constexpr FieldUse kInput = FieldUse::Input, kResult = FieldUse::Result, kSection = FieldUse::Section;

inline constexpr Field kFieldTable[] = {
    {"Bname", kText, kInput, false, own<&NamedBeam::Bname>},
    {"Span", kNumber, kInput, false, text<&T::Span>},
    {"lb", kNumber, kInput, false, text<&T::lb>},
    {"seigen1", kNumber, kInput, false, text<&T::seigen1>},
    {"seigen2", kNumber, kInput, false, text<&T::seigen2>},
    {"term", kFlag, kInput, false, flag<&T::term>},
    {"si", kFlag, kInput, false, flag<&T::si>},
    {"si157", kFlag, kInput, false, flag<&T::si157>},
    {"uniform", kNumber, kInput, false, text<&T::uniform>},
    {"shiki", kText, kInput, false, own<&NamedBeam::shiki>},
    {"p1", kNumber, kInput, false, element<&T::p, 0>},
    {"p2", kNumber, kInput, false, element<&T::p, 1>},
    {"p3", kNumber, kInput, false, element<&T::p, 2>},
    {"p4", kNumber, kInput, false, element<&T::p, 3>},
    {"p5", kNumber, kInput, false, element<&T::p, 4>},
    {"p6", kNumber, kInput, false, element<&T::p, 5>},
    {"p7", kNumber, kInput, false, element<&T::p, 6>},
    {"p8", kNumber, kInput, false, element<&T::p, 7>},
    {"pl1", kNumber, kInput, false, element<&T::pl, 0>},
    {"pl2", kNumber, kInput, false, element<&T::pl, 1>},
    {"pl3", kNumber, kInput, false, element<&T::pl, 2>},
    {"pl4", kNumber, kInput, false, element<&T::pl, 3>},
    {"pl5", kNumber, kInput, false, element<&T::pl, 4>},
    {"pl6", kNumber, kInput, false, element<&T::pl, 5>},
    {"pl7", kNumber, kInput, false, element<&T::pl, 6>},
    {"pl8", kNumber, kInput, false, element<&T::pl, 7>},
    {"w1a", kNumber, kInput, false, element<&T::w1, 0>},
    {"w1b", kNumber, kInput, false, element<&T::w1, 1>},
    {"w1c", kNumber, kInput, false, element<&T::w1, 2>},
    {"w2a", kNumber, kInput, false, element<&T::w2, 0>},
    {"w2b", kNumber, kInput, false, element<&T::w2, 1>},
    {"w2c", kNumber, kInput, false, element<&T::w2, 2>},
    {"ld1a", kNumber, kInput, false, element<&T::ld1, 0>},
    {"ld1b", kNumber, kInput, false, element<&T::ld1, 1>},
    {"ld1c", kNumber, kInput, false, element<&T::ld1, 2>},
    {"ld2a", kNumber, kInput, false, element<&T::ld2, 0>},
    {"ld2b", kNumber, kInput, false, element<&T::ld2, 1>},
    {"ld2c", kNumber, kInput, false, element<&T::ld2, 2>},
    // kept equal to L - LD1 - LD2 by the page; stored, not read by the check
    {"ld3a", kNumber, kInput, false, ld3<0>},
    {"ld3b", kNumber, kInput, false, ld3<1>},
    {"ld3c", kNumber, kInput, false, ld3<2>},
    {"support", kChoice, kInput, false, support},
    {"jijuucheck", kFlag, kInput, false, flag<&T::jijuucheck>},
    {"family", kChoice, kInput, false, family},
    {"member", kText, kInput, false, member},
    {"inertia", kNumber, kInput, false, text<&T::inertia>},
    {"modulus", kNumber, kInput, false, text<&T::modulus>},
    {"selfw", kNumber, kInput, false, text<&T::selfw>},
    {"weak", kFlag, kInput, false, flag<&T::weak>},
    {"H", kNumber, kInput, false, dimension<&D::H>},
    {"B", kNumber, kInput, false, dimension<&D::B>},
    {"tw", kNumber, kInput, false, dimension<&D::tw>},
    {"tf", kNumber, kInput, false, dimension<&D::tf>},
    {"design", kFlag, kInput, false, design},
    {"fbrule", kChoice, kInput, true, fbrule},
    {"grade", kChoice, kInput, true, grade},
    {"F", kNumber, kInput, true, strength},
    {"C", kNumber, kInput, true, gradient}, // or "auto"
    {"shear", kFlag, kInput, true, shear},

    {"RQa", kNumber, kResult, false, nullptr, result<&R::RQa>},
    {"RQb", kNumber, kResult, false, nullptr, result<&R::RQb>},
    {"RMmax", kNumber, kResult, false, nullptr, result<&R::RMmax>},
    {"RMmaxl", kNumber, kResult, false, nullptr, result<&R::RMmaxl>},
    {"Mcent", kNumber, kResult, false, nullptr, result<&R::Mcent>},
    {"Menda", kNumber, kResult, false, nullptr, result<&R::Menda>},
    {"Mendb", kNumber, kResult, false, nullptr, result<&R::Mendb>},
    {"Rdelta", kNumber, kResult, false, nullptr, result<&R::Rdelta>},
    {"Rlx", kNumber, kResult, false, nullptr, result<&R::Rlx>},
    {"Rfb", kNumber, kResult, false, nullptr, result<&R::Rfb>},
    {"RSigmab", kNumber, kResult, false, nullptr, result<&R::RSigmab>},
    {"Rratio", kNumber, kResult, false, nullptr, result<&R::Rratio>},
    {"hantei", kChoice, kResult, false, nullptr, result<&R::hantei>},
    {"fb1", kNumber, kResult, true, nullptr, fb1}, // "－" below 0
    {"fb2", kNumber, kResult, true, nullptr, notice<&N::fb2>},
    {"ib", kNumber, kResult, true, nullptr, notice<&N::ib>},
    {"C", kNumber, kResult, true, nullptr, notice<&N::C>},
    {"tau", kNumber, kResult, true, nullptr, notice<&N::tau>},
    {"fs", kNumber, kResult, true, nullptr, notice<&N::fs>},
    {"Rshear", kNumber, kResult, true, nullptr, notice<&N::Rshear>},
    {"member", kText, kSection, false, nullptr, section<&P::member>},
    {"inertia", kNumber, kSection, false, nullptr, section<&P::inertia>},
    {"modulus", kNumber, kSection, false, nullptr, section<&P::modulus>},
    {"selfw", kNumber, kSection, false, nullptr, section<&P::selfw>},
};

} // namespace fields

using fields::kFieldTable;

// True for a name of a row of the table.
constexpr bool isFieldName(std::string_view name)
{
    for (const Field &f : kFieldTable)
        if (f.name == name)
            return true;
    return false;
}

// The input of that name; nullptr for any other name.
const Field *inputField(std::string_view name);

// True for a name the input reads.
bool isInputName(const std::string &name);

// True when the value of `name` is a number: every input name but the texts, the
// choices and the flags, and C unless the value is "auto". The lengths LD3 hold a number
// the check does not read.
bool holdsNumber(const std::string &name, const std::string &value);

// Sets the field `name` to `value`; a number typed full-width is kept in its ASCII form.
// Returns an empty string, or the Japanese reason the name or value is refused (the beam
// is then unchanged).
std::string setNamedValue(NamedBeam &named, const std::string &name, const std::string &value);

// The warning for a number field whose value has text after its number ("1,500" read as
// 1, "6m"): names the field and the value read. Empty for any other name or value.
std::string numberWarning(const std::string &name, const std::string &value);

// The names of the rows of one use, with `notice` those of the notice rule only, else the
// others, one space apart: as the help lists them.
std::string fieldNames(FieldUse use, bool notice);

} // namespace sections
