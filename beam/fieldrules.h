// How the input page's edit boxes behave from the keyboard, kept apart from any toolkit:
// where Enter moves the focus, and how a box's text is tidied when the focus leaves it.
// Box names are the control names of the input page ("Span", "p3", "ld2b", ...).
#pragma once

#include <string>
#include <string_view>

namespace beam {

// Background colour of an edit box after a rule has run.
enum class BoxColour { White, Yellow, Aqua };

// What leaving a box does to its text.
enum class LeaveRule {
    BlankIfZero,  // value 0: emptied; else rewritten in the box's pattern
    AlwaysFormat, // rewritten in "##0.000", 0 included
    Segment,      // one of the three lengths of a part-span load (ld1/ld2/ld3 a..c)
    AsciiOnly,    // a number kept as typed, but in its ASCII forms (asciiNumberText)
    ColourOnly,   // text untouched
};

struct BoxRule {
    std::string_view box;
    LeaveRule rule;
    std::string_view pattern; // for BlankIfZero and AlwaysFormat
};

// The leaving rule of a box, nullptr for a box without one (its focus does not colour it).
const BoxRule *boxRule(std::string_view box);

// Text and background after leaving a BlankIfZero, AlwaysFormat or AsciiOnly box. The value is
// read as a 32-bit number and written from its shortest decimal form; a text whose value does not fit one (for example "1e39") is
// left as typed, so that the check can name it instead of showing "INF".
struct LeaveOutcome {
    std::string text;
    BoxColour colour = BoxColour::White;
};
LeaveOutcome leaveBox(const BoxRule &entry, std::string_view text);

// The three lengths of one part-span load (m): LD1 from end A to the load, LD2 the
// loaded length, LD3 from the end of the load to end B.
struct SegmentTexts {
    std::string ld1, ld2, ld3;
    bool operator==(const SegmentTexts &) const = default;
};

// Leaving segment box `left` (1, 2 or 3): that box is rewritten in "##0.000" and the
// other end segment (LD3 after 1 or 2, LD1 after 3) becomes span minus the other two,
// held as a 32-bit value. LD2 is never computed. A length whose value does not fit a
// 32-bit number leaves all three texts as they are.
SegmentTexts completeSegment(int left, std::string_view span, SegmentTexts seg);

// Which box of the part-span family a name is: load 0..2 (a, b, c) and segment 1..3;
// false for any other name.
bool segmentBox(std::string_view box, int *load, int *segment);

// The section shapes the Enter chain of the dimension boxes depends on.
enum class DimensionShape { Other, BuiltUpH, SquarePipe, CircularPipe };

// The box that receives the focus when Enter is pressed in `box`; empty when Enter in
// that box is not part of a chain (the key then goes to the box).
std::string_view enterTarget(std::string_view box, DimensionShape shape);

} // namespace beam
