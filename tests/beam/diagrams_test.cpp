#include "beam/diagrams.h"

#include "beam/numtext.h"

#include <algorithm>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

using ::testing::Contains;
using ::testing::ElementsAreArray;
using ::testing::Not;

// Records every drawing call as one line of text: "line x1,y1-x2,y2" for a moveTo and
// lineTo pair, "to x,y" for a further lineTo, "text x,y size r,g,b TEXT", "clear".
class RecordingCanvas : public beam::Canvas {
public:
    std::vector<std::string> calls;

    void moveTo(int x, int y) override { m_x = x; m_y = y; m_moved = true; }
    void lineTo(int x, int y) override
    {
        if (m_moved)
            calls.push_back("line " + pt(m_x, m_y) + "-" + pt(x, y));
        else
            calls.push_back("to " + pt(x, y));
        m_moved = false;
        m_x = x;
        m_y = y;
    }
    void text(int x, int y, const std::string &utf8) override
    {
        calls.push_back("text " + pt(x, y) + " " + std::to_string(m_size) + " " + std::to_string(m_colour.r) + ","
                        + std::to_string(m_colour.g) + "," + std::to_string(m_colour.b) + " " + utf8);
    }
    void setFontSize(int points) override { m_size = points; }
    void setTextColor(beam::Rgb colour) override { m_colour = colour; }
    void clear() override { calls.push_back("clear"); }

private:
    static std::string pt(int x, int y) { return std::to_string(x) + "," + std::to_string(y); }
    int m_x = 0, m_y = 0;
    bool m_moved = false;
    int m_size = 0;
    beam::Rgb m_colour;
};

const std::vector<std::string> kFrame = {
    "clear",
    "line 10,50-180,50",
    "line 10,53-10,95",
    "line 180,53-180,95",
    "line 10,92-180,92",
    "line 10,92-16,90",
    "line 10,92-16,94",
    "line 180,92-174,90",
    "line 180,92-174,94",
};

// x of a point load at distance a on span L, truncated toward zero as the diagram does.
int arrowX(double a, double span) { return static_cast<int>(a / span * 170) + 10; }

std::vector<std::string> arrow(int x, int k)
{
    return {"line " + std::to_string(x) + ",20-" + std::to_string(x) + ",47",
            "line " + std::to_string(x - 2) + ",41-" + std::to_string(x) + ",47",
            "line " + std::to_string(x + 2) + ",41-" + std::to_string(x) + ",47",
            "text " + std::to_string(x - 4) + ",16 8 0,0,0 P" + std::to_string(k)};
}

std::vector<std::string> draw(const beam::LoadDiagramTexts &in)
{
    RecordingCanvas canvas;
    beam::drawLoadDiagram(canvas, in);
    return canvas.calls;
}

TEST(LoadDiagram, ZeroSpanDrawsOnlyTheFrameWhateverTheLoads)
{
    beam::LoadDiagramTexts in;
    in.uniform = "5";
    in.p[0] = "10";
    in.pl[0] = "2";
    in.w1[0] = "3";
    in.w2[0] = "3";
    in.ld2[0] = "2";
    for (const char *span : {"", "0", "0.00", "abc"}) {
        SCOPED_TRACE(span);
        in.span = span;
        EXPECT_THAT(draw(in), ElementsAreArray(kFrame));
    }
}

TEST(LoadDiagram, PointLoadAtMidSpanStandsAtX95)
{
    beam::LoadDiagramTexts in;
    in.span = "6.000";
    in.p[4] = "10";
    in.pl[4] = "3.000";
    std::vector<std::string> expected = kFrame;
    for (const std::string &call : arrow(95, 5))
        expected.push_back(call);
    EXPECT_THAT(draw(in), ElementsAreArray(expected));
}

TEST(LoadDiagram, PointLoadPositionsTruncateTowardZero)
{
    struct Row { const char *name; const char *pl; double a; };
    const Row rows[] = {
        {"a third of the span (56.67 px)", "2", 2.0},
        {"two thirds (113.3 px)", "4", 4.0},
        {"at end A", "0", 0.0},
        {"at end B", "6", 6.0},
        {"left of end A (-28.3 px, not -29)", "-1", -1.0},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        beam::LoadDiagramTexts in;
        in.span = "6";
        in.p[0] = "1";
        in.pl[0] = row.pl;
        const auto calls = draw(in);
        EXPECT_THAT(calls, Contains(arrow(arrowX(row.a, 6.0), 1)[0]));
    }
}

TEST(LoadDiagram, ZeroLoadsAreNotDrawn)
{
    beam::LoadDiagramTexts in;
    in.span = "6";
    in.pl[2] = "3";
    in.p[2] = "0.000";
    in.uniform = "0";
    EXPECT_THAT(draw(in), ElementsAreArray(kFrame));
    in.uniform = "2";
    EXPECT_THAT(draw(in), Contains("line 10,48-180,48"));
}

TEST(LoadDiagram, TrapezoidHangsAtMostTwentyPixels)
{
    struct Row {
        const char *name;
        const char *w1, *w2, *ld1, *ld2;
        std::vector<std::string> block; // the open polygon after the frame
    };
    const Row rows[] = {
        {"rising from zero over the whole span", "0", "4", "0", "6", {"line 10,50-10,50", "to 180,70", "to 180,50"}},
        {"uniform block over the middle third", "2", "2", "2", "2", {"line 66,50-66,70", "to 123,70", "to 123,50"}},
        {"negative start truncates toward zero", "-1", "3", "0", "3", {"line 10,50-10,44", "to 95,70", "to 95,50"}},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        beam::LoadDiagramTexts in;
        in.span = "6";
        in.w1[1] = row.w1;
        in.w2[1] = row.w2;
        in.ld1[1] = row.ld1;
        in.ld2[1] = row.ld2;
        std::vector<std::string> expected = kFrame;
        expected.insert(expected.end(), row.block.begin(), row.block.end());
        EXPECT_THAT(draw(in), ElementsAreArray(expected));
    }
}

TEST(LoadDiagram, TrapezoidsScaleToTheLargestIntensity)
{
    beam::LoadDiagramTexts in;
    in.span = "10";
    in.w1[0] = "1";
    in.w2[0] = "1";
    in.ld1[0] = "0";
    in.ld2[0] = "5";
    in.w1[2] = "4";
    in.w2[2] = "2";
    in.ld1[2] = "5";
    in.ld2[2] = "5";
    const auto calls = draw(in);
    // load a at 1/4 of the reference 4: 5 pixels deep; load c from 20 to 10 pixels
    EXPECT_THAT(calls, Contains("line 10,50-10,55"));
    EXPECT_THAT(calls, Contains("line 95,50-95,70"));
    EXPECT_THAT(calls, Contains("to 180,60"));
}

TEST(LoadDiagram, OnlyNegativeIntensitiesDrawNoBlock)
{
    beam::LoadDiagramTexts in;
    in.span = "6";
    in.w1[0] = "-2";
    in.w2[0] = "-3";
    in.ld2[0] = "3";
    EXPECT_THAT(draw(in), ElementsAreArray(kFrame));
}

TEST(LoadDiagram, WildTextsDoNotBreakTheDrawing)
{
    beam::LoadDiagramTexts in;
    in.span = "1e-30";
    in.p[0] = "1";
    in.pl[0] = "1e30";
    in.w1[0] = "1e38";
    in.w2[0] = "3e38";
    in.ld2[0] = "1";
    const auto calls = draw(in);
    EXPECT_GT(calls.size(), kFrame.size());
    EXPECT_THAT(calls, Contains("line 100010,20-100010,47")); // pinned, not undefined
}

std::vector<std::string> stress(const beam::StressDiagramTexts &in, beam::ReactionText how)
{
    RecordingCanvas canvas;
    beam::drawStressDiagram(canvas, in, how);
    return canvas.calls;
}

const std::vector<std::string> kArrows = {
    "line 10,50-10,35",   "line 10,35-8,41",    "line 10,35-12,41",
    "line 180,50-180,35", "line 180,35-178,41", "line 180,35-182,41",
};

TEST(StressDiagram, NoLoadShowsBaselineArrowsAndZeroReactions)
{
    beam::StressDiagramTexts in;
    in.moments.fill("0");
    in.mmax = "0.000";
    in.qa = "0.000";
    in.qb = "0.000";
    std::vector<std::string> expected = {"clear", "line 10,35-180,35", "line 10,35-180,35"};
    expected.insert(expected.end(), kArrows.begin(), kArrows.end());
    expected.push_back("text 5,60 8 255,0,0 0.000");
    expected.push_back("text 150,60 8 255,0,0 0.000");
    EXPECT_THAT(stress(in, beam::ReactionText::Reformatted), ElementsAreArray(expected));
}

TEST(StressDiagram, SimpleBeamCurveReachesTwentyPixelsAtMidSpan)
{
    // L = 6, w = 1: M(x) = w x (L - x) / 2, Mmax = w L^2 / 8 = 4.5
    beam::StressDiagramTexts in;
    for (int i = 0; i <= 100; ++i) {
        const double x = 6.0 * i / 100;
        in.moments[static_cast<std::size_t>(i)] = beam::formatNumber(x * (6.0 - x) / 2, "###0.####");
    }
    in.mmax = "4.500";
    in.qa = "3.000";
    in.qb = "3.000";
    const auto calls = stress(in, beam::ReactionText::Reformatted);
    ASSERT_GE(calls.size(), 104u);
    EXPECT_EQ(calls[1], "line 10,35-180,35");
    EXPECT_EQ(calls[2], "line 10,35-10,35");        // station 0, from the pen at (10, 35)
    EXPECT_EQ(calls[2 + 50], "to 95,55");            // station 50: x = 17*50/10 + 10
    EXPECT_EQ(calls[2 + 10], "to 27,42");            // station 10: M = 1.62, 7.2 px
    EXPECT_EQ(calls[2 + 100], "to 180,35");          // station 100
    EXPECT_EQ(calls[2 + 101], "to 180,35");          // closing line back to the baseline
    EXPECT_THAT(calls, Contains("text 5,60 8 255,0,0 3.000"));
}

TEST(StressDiagram, StationXIsTheIntegerPartOfSeventeenTenths)
{
    beam::StressDiagramTexts in;
    in.moments.fill("1");
    in.mmax = "1";
    const auto calls = stress(in, beam::ReactionText::AsStored);
    for (int i = 0; i <= 100; ++i) {
        SCOPED_TRACE(i);
        const std::string expected = std::to_string(17 * i / 10 + 10) + ",55";
        EXPECT_NE(calls[static_cast<std::size_t>(2 + i)].find(expected), std::string::npos);
    }
}

TEST(StressDiagram, HoggingPlotsAboveTheBaseline)
{
    // fixed-fixed, L = 6, w = 1: ends -wL^2/12 = -3, Mmax reported as the magnitude 3
    beam::StressDiagramTexts in;
    in.moments.fill("0");
    in.moments[0] = "-3";
    in.moments[50] = "1.5";
    in.moments[100] = "-3";
    in.mmax = "3.000";
    const auto calls = stress(in, beam::ReactionText::Reformatted);
    EXPECT_EQ(calls[2], "line 10,35-10,15");
    EXPECT_EQ(calls[2 + 50], "to 95,45");
    EXPECT_EQ(calls[2 + 100], "to 180,15");
    // -1/3 of 20 px is -6.67: truncated toward zero to -6
    in.moments[20] = "-1";
    EXPECT_EQ(stress(in, beam::ReactionText::Reformatted)[2 + 20], "to 44,29");
}

TEST(StressDiagram, ReactionsReformattedOrAsStored)
{
    beam::StressDiagramTexts in;
    in.mmax = "0";
    in.qa = "12.5";
    in.qb = "1234.56789";
    const auto re = stress(in, beam::ReactionText::Reformatted);
    EXPECT_THAT(re, Contains("text 5,60 8 255,0,0 12.500"));
    EXPECT_THAT(re, Contains("text 150,60 8 255,0,0 1234.568"));
    const auto as = stress(in, beam::ReactionText::AsStored);
    EXPECT_THAT(as, Contains("text 5,60 8 255,0,0 12.5"));
    EXPECT_THAT(as, Not(Contains("text 5,60 8 255,0,0 12.500")));
}

} // namespace
