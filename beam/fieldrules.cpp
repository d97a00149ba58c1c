#include "beam/fieldrules.h"

#include "beam/numtext.h"

#include <cmath>

namespace beam {

namespace {

constexpr std::string_view kLoadFormat = "##0.000";

constexpr BoxRule kLeaveRules[] = {
    {"Span", LeaveRule::BlankIfZero, kLoadFormat},
    {"lb", LeaveRule::BlankIfZero, kLoadFormat},
    {"uniform", LeaveRule::BlankIfZero, kLoadFormat},
    {"p1", LeaveRule::BlankIfZero, kLoadFormat}, {"p2", LeaveRule::BlankIfZero, kLoadFormat},
    {"p3", LeaveRule::BlankIfZero, kLoadFormat}, {"p4", LeaveRule::BlankIfZero, kLoadFormat},
    {"p5", LeaveRule::BlankIfZero, kLoadFormat}, {"p6", LeaveRule::BlankIfZero, kLoadFormat},
    {"p7", LeaveRule::BlankIfZero, kLoadFormat}, {"p8", LeaveRule::BlankIfZero, kLoadFormat},
    {"inertia", LeaveRule::BlankIfZero, "#######0.00"},
    {"modulus", LeaveRule::BlankIfZero, "#####0.00"},
    {"selfw", LeaveRule::BlankIfZero, "###0.000"},
    {"pl1", LeaveRule::AlwaysFormat, kLoadFormat}, {"pl2", LeaveRule::AlwaysFormat, kLoadFormat},
    {"pl3", LeaveRule::AlwaysFormat, kLoadFormat}, {"pl4", LeaveRule::AlwaysFormat, kLoadFormat},
    {"pl5", LeaveRule::AlwaysFormat, kLoadFormat}, {"pl6", LeaveRule::AlwaysFormat, kLoadFormat},
    {"pl7", LeaveRule::AlwaysFormat, kLoadFormat}, {"pl8", LeaveRule::AlwaysFormat, kLoadFormat},
    {"w1a", LeaveRule::AlwaysFormat, kLoadFormat}, {"w2a", LeaveRule::AlwaysFormat, kLoadFormat},
    {"w1b", LeaveRule::AlwaysFormat, kLoadFormat}, {"w2b", LeaveRule::AlwaysFormat, kLoadFormat},
    {"w1c", LeaveRule::AlwaysFormat, kLoadFormat}, {"w2c", LeaveRule::AlwaysFormat, kLoadFormat},
    {"ld1a", LeaveRule::Segment, kLoadFormat}, {"ld2a", LeaveRule::Segment, kLoadFormat},
    {"ld3a", LeaveRule::Segment, kLoadFormat}, {"ld1b", LeaveRule::Segment, kLoadFormat},
    {"ld2b", LeaveRule::Segment, kLoadFormat}, {"ld3b", LeaveRule::Segment, kLoadFormat},
    {"ld1c", LeaveRule::Segment, kLoadFormat}, {"ld2c", LeaveRule::Segment, kLoadFormat},
    {"ld3c", LeaveRule::Segment, kLoadFormat},
    {"Bname", LeaveRule::ColourOnly, {}}, {"shiki", LeaveRule::ColourOnly, {}},
    {"seigen1", LeaveRule::AsciiOnly, {}}, {"seigen2", LeaveRule::AsciiOnly, {}},
    {"member", LeaveRule::ColourOnly, {}}, {"B", LeaveRule::AsciiOnly, {}},
    {"H", LeaveRule::AsciiOnly, {}}, {"tw", LeaveRule::AsciiOnly, {}},
    {"tf", LeaveRule::AsciiOnly, {}},
};

// Enter-key chains that do not depend on the section shape.
struct EnterLink {
    std::string_view from;
    std::string_view to;
};

constexpr EnterLink kEnterChain[] = {
    {"Bname", "Span"},   {"Span", "lb"},      {"seigen1", "lb"},   {"seigen2", "lb"},
    {"lb", "uw"},        {"uw", "lwa"},       {"lwa", "lwb"},      {"lwb", "nnl"},
    {"nnl", "shiki"},    {"shiki", "uniform"}, {"uniform", "p1"},
    {"p1", "pl1"},       {"p2", "pl2"},       {"p3", "pl3"},       {"p4", "pl4"},
    {"p5", "pl5"},       {"p6", "pl6"},       {"p7", "pl7"},       {"p8", "pl8"},
    {"pl1", "p2"},       {"pl2", "p3"},       {"pl3", "p4"},       {"pl4", "p5"},
    {"pl5", "p6"},       {"pl6", "p7"},       {"pl7", "p8"},       {"pl8", "Bname"},
    {"w1a", "w2a"},      {"w2a", "ld1a"},     {"ld1a", "ld2a"},    {"ld2a", "ld3a"},   {"ld3a", "w1a"},
    {"w1b", "w2b"},      {"w2b", "ld1b"},     {"ld1b", "ld2b"},    {"ld2b", "ld3b"},   {"ld3b", "w1b"},
    {"w1c", "w2c"},      {"w2c", "ld1c"},     {"ld1c", "ld2c"},    {"ld2c", "ld3c"},   {"ld3c", "w1c"},
    {"member", "inertia"}, {"inertia", "modulus"}, {"modulus", "selfw"}, {"selfw", "member"},
    {"tw", "tf"},        {"tf", "B"},
    {"umember", "uA"},   {"uA", "uWW"},       {"uWW", "uIx"},      {"uIx", "uIy"},
    {"uIy", "uZx"},      {"uZx", "uZy"},      {"uZy", "umember"},
};

bool fitsSingle(std::string_view text)
{
    return std::isfinite(parseSingle(text));
}

} // namespace

const BoxRule *boxRule(std::string_view box)
{
    for (const BoxRule &entry : kLeaveRules)
        if (entry.box == box)
            return &entry;
    return nullptr;
}

LeaveOutcome leaveBox(const BoxRule &entry, std::string_view text)
{
    LeaveOutcome out;
    out.text = entry.rule == LeaveRule::AsciiOnly ? asciiNumberText(text) : std::string(text);
    if (entry.rule == LeaveRule::BlankIfZero || entry.rule == LeaveRule::AlwaysFormat) {
        const float value = parseSingle(text);
        if (std::isfinite(value)) {
            if (entry.rule == LeaveRule::BlankIfZero && value == 0.0f)
                out.text.clear();
            else
                out.text = formatSingle(value, entry.pattern);
        }
        if (entry.box == "Span" && value == 0.0f)
            out.colour = BoxColour::Aqua;
    }
    return out;
}

SegmentTexts completeSegment(int left, std::string_view span, SegmentTexts seg)
{
    if (left < 1 || left > 3)
        return seg;
    std::string &own = left == 1 ? seg.ld1 : left == 2 ? seg.ld2 : seg.ld3;
    std::string &other = left == 3 ? seg.ld1 : seg.ld3;
    const std::string &middle = left == 2 ? seg.ld1 : seg.ld2;
    if (!fitsSingle(own) || !fitsSingle(middle) || !fitsSingle(span))
        return seg;
    const float s = parseSingle(span);
    const float mine = parseSingle(own);
    const float theOther = parseSingle(middle);
    // span minus the two known lengths, in the order the rule names them, kept as 32 bits
    const float rest = static_cast<float>(static_cast<long double>(s) - theOther - mine);
    own = formatSingle(mine, "##0.000");
    if (std::isfinite(rest))
        other = formatSingle(rest, "##0.000");
    return seg;
}

bool segmentBox(std::string_view box, int *load, int *segment)
{
    if (box.size() != 4 || box.substr(0, 2) != "ld")
        return false;
    const char s = box[2];
    const char l = box[3];
    if (s < '1' || s > '3' || l < 'a' || l > 'c')
        return false;
    if (load)
        *load = l - 'a';
    if (segment)
        *segment = s - '0';
    return true;
}

std::string_view enterTarget(std::string_view box, DimensionShape shape)
{
    if (box == "B")
        return shape == DimensionShape::CircularPipe ? "tf" : "H";
    if (box == "H")
        return shape == DimensionShape::BuiltUpH ? "tw" : "tf";
    for (const EnterLink &link : kEnterChain)
        if (link.from == box)
            return link.to;
    return {};
}

} // namespace beam
