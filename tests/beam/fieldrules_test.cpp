#include "beam/fieldrules.h"

#include <gtest/gtest.h>
#include <string>

namespace {

using beam::BoxColour;

struct LeaveRow {
    const char *name;
    const char *box;
    const char *typed;
    const char *expected;
    BoxColour colour;
};

TEST(LeavingRules, RewriteTheTextByTheBoxRule)
{
    const LeaveRow rows[] = {
        {"span zero is emptied and aqua", "Span", "0", "", BoxColour::Aqua},
        {"span empty stays empty and aqua", "Span", "", "", BoxColour::Aqua},
        {"span letters read as zero", "Span", "abc", "", BoxColour::Aqua},
        {"span 6 on white", "Span", "6", "6.000", BoxColour::White},
        {"span default text", "Span", "0.00", "", BoxColour::Aqua},
        {"lb keeps integer digits beyond the pattern", "lb", "1234.5", "1234.500", BoxColour::White},
        {"uniform rounds half away from zero", "uniform", "2.0005", "2.001", BoxColour::White},
        {"negative load keeps its sign", "uniform", "-1.25", "-1.250", BoxColour::White},
        {"point load zero is emptied", "p3", "0", "", BoxColour::White},
        {"point load leading number", "p8", "12kN", "12.000", BoxColour::White},
        {"position empty becomes 0.000", "pl3", "", "0.000", BoxColour::White},
        {"position letters become 0.000", "pl1", "x", "0.000", BoxColour::White},
        {"part-span intensity always formatted", "w2c", "0", "0.000", BoxColour::White},
        {"inertia two decimals", "inertia", "187", "187.00", BoxColour::White},
        {"modulus two decimals", "modulus", "37.5", "37.50", BoxColour::White},
        {"self weight three decimals", "selfw", "9.3", "9.300", BoxColour::White},
        {"self weight zero is emptied", "selfw", "0", "", BoxColour::White},
        {"colour-only box keeps its text", "seigen1", "300", "300", BoxColour::White},
        {"colour-only member", "member", "H-100x50x5x7", "H-100x50x5x7", BoxColour::White},
        {"colour-only dimension", "tw", "5", "5", BoxColour::White},
        {"a value beyond 32 bits is left as typed", "p1", "1e39", "1e39", BoxColour::White},
        // an input method's full-width number no longer reads as 0 (the span vanished)
        {"full-width span", "Span", "６．５", "6.500", BoxColour::White},
        {"full-width negative load", "p2", "－１，５００", "-1.000", BoxColour::White},
        {"full-width limit becomes ASCII", "seigen1", "３００", "300", BoxColour::White},
        {"full-width dimension becomes ASCII", "H", "\u3000４００", " 400", BoxColour::White},
        {"the beam name keeps full-width digits", "Bname", "梁１", "梁１", BoxColour::White},
    };
    for (const LeaveRow &row : rows) {
        SCOPED_TRACE(row.name);
        const beam::BoxRule *entry = beam::boxRule(row.box);
        ASSERT_NE(entry, nullptr);
        const beam::LeaveOutcome out = beam::leaveBox(*entry, row.typed);
        EXPECT_EQ(out.text, row.expected);
        EXPECT_EQ(out.colour, row.colour);
    }
}

TEST(LeavingRules, ValuesAreHeldAs32Bits)
{
    // 16777217 = 2^24 + 1 has no 32-bit form and becomes 2^24.
    const beam::BoxRule *entry = beam::boxRule("pl1");
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(beam::leaveBox(*entry, "16777217").text, "16777216.000");
    // A 32-bit value keeps the digits it was typed with: 123456.78 is held as
    // 123456.78125, which must not turn into 123456.80 by a 7-digit rounding.
    const beam::BoxRule *inertia = beam::boxRule("inertia");
    ASSERT_NE(inertia, nullptr);
    EXPECT_EQ(beam::leaveBox(*inertia, "123456.78").text, "123456.78");
    EXPECT_EQ(beam::leaveBox(*inertia, "411000").text, "411000.00");
}

TEST(LeavingRules, BoxesWithoutARule)
{
    for (const char *box : {"uw", "lwa", "lwb", "nnl", "H1", "RQa", "umember"}) {
        SCOPED_TRACE(box);
        EXPECT_EQ(beam::boxRule(box), nullptr);
    }
}

struct SegmentRow {
    const char *name;
    int left;
    const char *span;
    beam::SegmentTexts before;
    beam::SegmentTexts after;
};

TEST(SegmentCompletion, TheOtherEndIsSpanMinusTheOtherTwo)
{
    const SegmentRow rows[] = {
        {"empty LD1 with LD2 given", 1, "6.000", {"", "2", ""}, {"0.000", "2", "4.000"}},
        {"then LD3 typed", 3, "6.000", {"0.000", "2", "1"}, {"3.000", "2", "1.000"}},
        {"leaving LD2", 2, "10", {"1.5", "3", "x"}, {"1.5", "3.000", "5.500"}},
        {"negative difference written unchanged", 2, "3", {"2", "2.5", ""}, {"2", "2.500", "-1.500"}},
        {"span empty reads 0", 1, "", {"1", "2", ""}, {"1.000", "2", "-3.000"}},
        {"difference held as 32 bits", 1, "16777217", {"0", "0", ""}, {"0.000", "0", "16777216.000"}},
        {"a length beyond 32 bits changes nothing", 1, "6", {"1e39", "2", "3"}, {"1e39", "2", "3"}},
        {"a span beyond 32 bits changes nothing", 3, "-1e40", {"1", "2", "3"}, {"1", "2", "3"}},
    };
    for (const SegmentRow &row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(beam::completeSegment(row.left, row.span, row.before), row.after);
    }
}

TEST(SegmentCompletion, SegmentBoxNames)
{
    int load = -1, segment = -1;
    EXPECT_TRUE(beam::segmentBox("ld3b", &load, &segment));
    EXPECT_EQ(load, 1);
    EXPECT_EQ(segment, 3);
    EXPECT_TRUE(beam::segmentBox("ld1a", &load, &segment));
    EXPECT_EQ(load, 0);
    EXPECT_EQ(segment, 1);
    for (const char *other : {"ld4a", "ld1d", "ld1", "lb", "w1a", "ld1ab"}) {
        SCOPED_TRACE(other);
        EXPECT_FALSE(beam::segmentBox(other, nullptr, nullptr));
    }
}

struct EnterRow {
    const char *from;
    beam::DimensionShape shape;
    const char *to;
};

TEST(EnterChain, MovesAlongTheForm)
{
    using S = beam::DimensionShape;
    const EnterRow rows[] = {
        {"Bname", S::Other, "Span"},     {"Span", S::Other, "lb"},       {"seigen1", S::Other, "lb"},
        {"seigen2", S::Other, "lb"},     {"lb", S::Other, "uw"},         {"uw", S::Other, "lwa"},
        {"lwa", S::Other, "lwb"},        {"lwb", S::Other, "nnl"},       {"nnl", S::Other, "shiki"},
        {"shiki", S::Other, "uniform"},  {"uniform", S::Other, "p1"},    {"p1", S::Other, "pl1"},
        {"p5", S::Other, "pl5"},         {"pl1", S::Other, "p2"},        {"pl7", S::Other, "p8"},
        {"pl8", S::Other, "Bname"},      {"w1a", S::Other, "w2a"},       {"w2a", S::Other, "ld1a"},
        {"ld1a", S::Other, "ld2a"},      {"ld2a", S::Other, "ld3a"},     {"ld3a", S::Other, "w1a"},
        {"ld3b", S::Other, "w1b"},       {"w2c", S::Other, "ld1c"},      {"ld3c", S::Other, "w1c"},
        {"member", S::Other, "inertia"}, {"inertia", S::Other, "modulus"}, {"modulus", S::Other, "selfw"},
        {"selfw", S::Other, "member"},   {"B", S::CircularPipe, "tf"},   {"B", S::BuiltUpH, "H"},
        {"B", S::SquarePipe, "H"},       {"H", S::BuiltUpH, "tw"},       {"H", S::SquarePipe, "tf"},
        {"tw", S::BuiltUpH, "tf"},       {"tf", S::SquarePipe, "B"},     {"uZx", S::Other, "uZy"},
        {"uZy", S::Other, "umember"},    {"RQa", S::Other, ""},          {"hantei", S::Other, ""},
    };
    for (const EnterRow &row : rows) {
        SCOPED_TRACE(std::string(row.from) + " -> " + row.to);
        EXPECT_EQ(beam::enterTarget(row.from, row.shape), row.to);
    }
}

} // namespace
