// Every page of the calculation sheets of a mixed project, as the calls they draw.
#include "results/projectfile.h"
#include "sheets/page.h"
#include "sheets/recordingcanvas.h"
#include "tests/golden.h"

#include <gtest/gtest.h>

namespace {

TEST(SheetGolden, MixedProjectPagesStayCallForCall)
{
    const results::ProjectRead read = results::readProject(golden::path("mixed.kvl").string());
    ASSERT_TRUE(read.table) << read.error;
    std::string calls;
    for (int page = 1; page <= 4; ++page) {
        sheets::PageSettings settings;
        settings.hyoujipage = std::to_string(page);
        sheets::RecordingCanvas canvas;
        EXPECT_EQ(sheets::composePage(canvas, *read.table, settings).error, "");
        calls += "page " + std::to_string(page) + "\n";
        for (const std::string &call : canvas.calls)
            calls += call + "\n";
    }
    golden::expectSame(calls, "mixed-sheets.txt");
}

} // namespace
