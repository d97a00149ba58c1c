// Renders one page of the calculation-sheet preview of a project file to an image file
// (PNG, BMP, ... by the name's extension), through the same page bitmap the preview uses.
//     render_sheet_page PROJECT.kvl PAGE OUT.png
#include "beam/numtext.h"
#include "results/projectfile.h"
#include "printing/sheetcanvas.h"

#include <QGuiApplication>

#include <cstdio>

int main(int argc, char **argv)
{
    if (argc != 4) {
        std::fputs("使い方: render_sheet_page PROJECT.kvl PAGE OUT.png\n", stderr);
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    const results::ProjectRead read = results::readProject(argv[1]);
    if (!read.table) {
        std::fprintf(stderr, "%s\n", read.error.c_str());
        return 1;
    }
    sheets::PageSettings settings;
    settings.hyoujipage = argv[2];
    QImage page;
    const sheets::SheetOutcome outcome = composeSheetPage(page, *read.table, settings);
    if (!outcome.error.empty()) {
        std::fprintf(stderr, "%s\n", outcome.error.c_str());
        return 1;
    }
    if (!page.save(QString::fromLocal8Bit(argv[3]))) {
        std::fprintf(stderr, "%s を保存できませんでした。\n", argv[3]);
        return 1;
    }
    return 0;
}
