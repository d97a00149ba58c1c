// The program without any display: a clear message on how to run it, and no crash.
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <gtest/gtest.h>

namespace {

TEST(Program, WithoutADisplayExplainsHowToRunIt)
{
    // kovel is built next to the tests folder of the build tree
    const QString program = QDir(QCoreApplication::applicationDirPath()).absoluteFilePath(QStringLiteral("../kovel"));
    if (!QFileInfo::exists(program))
        GTEST_SKIP() << "kovel is not built";
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(QString::fromLatin1(name));
    p.setProcessEnvironment(env);
    p.setWorkingDirectory(QStringLiteral(KOVEL_SOURCE_DIR));
    p.start(program, {});
    ASSERT_TRUE(p.waitForFinished(10000));
    EXPECT_EQ(p.exitStatus(), QProcess::NormalExit);
    EXPECT_NE(p.exitCode(), 0);
    const QString message = QString::fromUtf8(p.readAllStandardError());
    EXPECT_TRUE(message.contains(QStringLiteral("xvfb-run"))) << message.toStdString();
    EXPECT_TRUE(message.contains(QStringLiteral("画面"))) << message.toStdString();
}

} // namespace
