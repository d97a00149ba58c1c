#include "printing/qtcanvas.h"

#include <QApplication>
#include <QFile>
#include <QSettings>
#include <QStyleFactory>
#include <QTemporaryDir>
#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen"); // test discovery runs this binary at build time too
    // the recent projects (configuration folder) and the data the windows look up in the
    // user's data folder: empty temporary folders, never the user's own
    const QTemporaryDir config;
    const QTemporaryDir userData;
    if (!config.isValid() || !userData.isValid())
        return 1;
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
    qputenv("XDG_DATA_HOME", QFile::encodeName(userData.path()));
#ifdef _WIN32
    qputenv("APPDATA", userData.path().toUtf8());
    // the recent projects live in the registry, which no variable moves: the user's list
    // is set aside for the run and given back after it
    QSettings registry(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("KOVEL"));
    const QVariant usersRecent = registry.value(QStringLiteral("recent/files"));
    registry.remove(QStringLiteral("recent"));
#endif
    QApplication app(argc, argv);
    QtCanvas::loadShippedFonts();
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    ::testing::InitGoogleTest(&argc, argv);
    const int status = RUN_ALL_TESTS();
#ifdef _WIN32
    registry.remove(QStringLiteral("recent"));
    if (usersRecent.isValid())
        registry.setValue(QStringLiteral("recent/files"), usersRecent);
#endif
    return status;
}
