// KOVEL: checks one steel beam at a time. Started from the folder that holds shape/ and
// boundary/ (the repository root).
#include "window/demo.h"
#include "window/dialogs.h"
#include "window/mainwindow.h"

#include <QApplication>
#include <QStyleFactory>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

bool hasDisplay()
{
    auto set = [](const char *name) {
        const char *v = std::getenv(name);
        return v && *v;
    };
    return set("DISPLAY") || set("WAYLAND_DISPLAY") || set("QT_QPA_PLATFORM");
}

} // namespace

int main(int argc, char **argv)
{
    if (!hasDisplay()) {
        std::fprintf(stderr,
                     "画面（ディスプレイ）が見つかりません。仮想画面の上で起動して下さい: xvfb-run build/kovel\n"
                     "No display found (DISPLAY, WAYLAND_DISPLAY and QT_QPA_PLATFORM are unset).\n"
                     "Run it on a virtual display:  xvfb-run build/kovel   (or: xvfb-run ./run.sh)\n");
        return 2;
    }
    QApplication app(argc, argv);
    // the standard boxes in Japanese; without Qt's translations they stay in English
    if (QTranslator *japanese = loadQtJapanese(&app))
        QCoreApplication::installTranslator(japanese);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));

    // developer options for tools/screenshot.sh: --demo types and calculates a beam (and
    // stores it, with --page 2..4), --wide puts values wider than their boxes into the
    // read-outs, --page N shows tab page N, --screenshot FILE saves the window as a
    // picture and ends the program
    bool demo = false;
    bool wide = false;
    int page = 1;
    QString screenshot;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--demo") == 0)
            demo = true;
        else if (std::strcmp(argv[i], "--wide") == 0)
            wide = true;
        else if (std::strcmp(argv[i], "--page") == 0 && i + 1 < argc)
            page = std::atoi(argv[++i]);
        else if (std::strcmp(argv[i], "--screenshot") == 0 && i + 1 < argc)
            screenshot = QString::fromLocal8Bit(argv[++i]);
    }

    MainWindow window(demo || !screenshot.isEmpty() ? consoleDialogs() : nullptr);
    window.show();
    if (demo)
        typeDemoBeam(window, page);
    if (wide)
        showWideValues(window);
    if (!screenshot.isEmpty()) {
        QTimer::singleShot(0, &window, [&window, screenshot] {
            const bool saved = window.grab().save(screenshot);
            std::printf("%s %s\n", saved ? "saved" : "could not save", qPrintable(screenshot));
            QCoreApplication::exit(saved ? 0 : 1);
        });
    }
    return app.exec();
}
