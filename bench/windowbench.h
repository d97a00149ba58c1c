// What every window benchmark needs: an offscreen application started in a working
// folder, and dialogs that answer Yes and show nothing.
#pragma once

#include "window/dialogs.h"

#include <QApplication>
#include <QDir>
#include <QStyleFactory>

class SilentDialogs : public Dialogs {
public:
    void inform(const QString &) override {}
    bool askYesNo(const QString &) override { return true; }
    QString openFileName(const QString &) override { return {}; }
    QString saveFileName(const QString &, const QString &) override { return {}; }
    bool choosePrinter(QPrinter &) override { return false; }
};

// The application, created on first use with the working directory `folder` (the
// repository root, where shape/ and boundary/ are, unless a benchmark brings its own).
inline QApplication &benchApplication(const QString &folder = QStringLiteral(KOVEL_SOURCE_DIR))
{
    static int argc = 1;
    static char name[] = "bench_window";
    static char *argv[] = {name, nullptr};
    static QApplication *app = [&folder] {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        auto *a = new QApplication(argc, argv);
        QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
        QDir::setCurrent(folder);
        return a;
    }();
    return *app;
}
