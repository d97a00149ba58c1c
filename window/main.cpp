// KOVEL: checks one steel beam at a time. `kovel [FILE.kvl]` opens the project file at
// start. The data files are looked up as files/datafiles.h says.
#include "files/platform.h"
#include "printing/qtcanvas.h"
#include "window/demo.h"
#include "window/dialogs.h"
#include "window/imagebutton.h"
#include "window/mainwindow.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLibraryInfo>
#include <QStyleFactory>
#include <QTabWidget>
#include <QTimer>
#include <QTranslator>

#include <cstdio>
#include <cstdlib>
#include <cstring>

int main(int systemArgc, char **systemArgv)
{
    files::platform::Arguments arguments(systemArgc, systemArgv);
    int argc = arguments.argc();
    char **argv = arguments.argv();
    if (!files::platform::displayAvailable()) {
        std::fprintf(stderr,
                     "画面（ディスプレイ）が見つかりません。仮想画面の上で起動して下さい: xvfb-run %s\n"
                     "No display found (DISPLAY, WAYLAND_DISPLAY and QT_QPA_PLATFORM are unset).\n"
                     "Run it on a virtual display:  xvfb-run %s   (or, in the source folder: xvfb-run ./run.sh)\n",
                     argv[0], argv[0]);
        return 2;
    }
    QApplication app(argc, argv);
    QtCanvas::loadShippedFonts();
    // the standard boxes in Japanese; without Qt's translations they stay in English
    if (QTranslator *japanese = loadQtJapanese(&app))
        QCoreApplication::installTranslator(japanese);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    // Qt's own texts (the buttons of the message boxes, the file and print dialogs) in
    // Japanese, when the Qt translations are installed
    QTranslator qtTexts;
    if (qtTexts.load(QLocale(QLocale::Japanese, QLocale::Japan), QStringLiteral("qtbase"), QStringLiteral("_"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtTexts);

    // developer options for tools/screenshot.sh: --demo types and calculates a beam (and
    // stores it, with --page 2..4), --page N shows tab page N (also after a project file
    // given as the argument), --wide puts values wider than their boxes into the
    // read-outs, --member NAME [--delay MS] stores a registered member, --screenshot FILE
    // saves the window as a picture and ends the program; --detailed chooses the detailed
    // sheets on page 3 and --next N turns N pages on
    bool demo = false;
    bool wide = false;
    int page = 1;
    QString screenshot;
    QString member;
    int delay = 0;
    bool detailed = false;
    int next = 0;
    QStringList files;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--demo") == 0)
            demo = true;
        else if (std::strcmp(argv[i], "--wide") == 0)
            wide = true;
        else if (std::strcmp(argv[i], "--page") == 0 && i + 1 < argc)
            page = std::atoi(argv[++i]);
        else if (std::strcmp(argv[i], "--screenshot") == 0 && i + 1 < argc)
            screenshot = QString::fromUtf8(argv[++i]);
        else if (std::strcmp(argv[i], "--member") == 0 && i + 1 < argc)
            member = QString::fromUtf8(argv[++i]);
        else if (std::strcmp(argv[i], "--detailed") == 0)
            detailed = true;
        else if (std::strcmp(argv[i], "--next") == 0 && i + 1 < argc)
            next = std::atoi(argv[++i]);
        else if (std::strcmp(argv[i], "--delay") == 0 && i + 1 < argc)
            delay = std::atoi(argv[++i]);
        else
            files.append(QString::fromUtf8(argv[i]));
    }

    MainWindow window(demo || !screenshot.isEmpty() || !member.isEmpty() ? consoleDialogs() : nullptr);
    window.show();
    window.openFromCommandLine(files);
    if (demo)
        typeDemoBeam(window, page);
    else if (page >= 2 && page <= 4)
        window.pages()->setCurrentIndex(page - 1); // as a click on the tab
    // --member NAME [--delay MS]: stores a registered member on page 4 after MS ms (two
    // windows over one member file, started together, store one after the other)
    if (!member.isEmpty())
        QTimer::singleShot(delay, &window, [&window, member] { storeDemoMember(window, member); });
    if (wide)
        showWideValues(window);
    for (QAbstractButton *b : window.findChildren<QAbstractButton *>())
        if (detailed && b->text() == QString::fromUtf8("詳細（1件/頁）"))
            b->click();
    if (ImageButton *b = window.findChild<ImageButton *>(QStringLiteral("next")))
        for (int i = 0; i < next; ++i)
            Q_EMIT b->clicked();
    if (!screenshot.isEmpty()) {
        QTimer::singleShot(member.isEmpty() ? 0 : delay + 200, &window, [&window, screenshot] {
            const bool saved = window.grab().save(screenshot);
            std::printf("%s %s\n", saved ? "saved" : "could not save", qPrintable(screenshot));
            QCoreApplication::exit(saved ? 0 : 1);
        });
    }
    return app.exec();
}
