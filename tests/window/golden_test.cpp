// The window's export of the result table, byte for byte, for a mixed project.
#include "tests/golden.h"
#include "tests/window/windowfixture.h"

#include "results/projectfile.h"
#include "window/resultpage.h"

#include <QAction>

#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace {

class WindowGolden : public WindowTest {};

TEST_F(WindowGolden, TableExportOfAMixedProjectStaysByteForByte)
{
    ASSERT_EQ(results::openProject(window->table(), golden::path("mixed.kvl").string()), "");
    window->resultPage()->tableChanged();
    const std::filesystem::path csv =
        std::filesystem::temp_directory_path() / ("kovel_golden_export_" + std::to_string(::getpid()) + ".csv");
    dialogs->fileNames.push_back(QString::fromStdString(csv.string()));
    find<QAction>("menuExportResults")->trigger();
    std::string written;
    {
        std::ifstream in(csv, std::ios::binary); // closed before the remove: Windows keeps an open file
        written.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    golden::expectSame(written, "mixed-export.csv");
    std::filesystem::remove(csv);
}

} // namespace
