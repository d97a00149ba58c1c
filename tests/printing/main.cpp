#include "printing/qtcanvas.h"

#include <QGuiApplication>
#include <gtest/gtest.h>

// The printing needs a Qt application, not a display: kovel-cli prints as these tests do.
int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen"); // test discovery runs this binary at build time too
    QGuiApplication app(argc, argv);
    QtCanvas::loadShippedFonts();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
