// Shows Japanese text in the IPA Gothic font loaded from the program's own
// folder, saves what the screen shows of the window, and prints the same text
// to a PDF. Each step that fails says so and makes the exit code non-zero, so
// a script can tell a working platform plugin, font and printer from a window
// that merely opened.
#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPrinter>
#include <QScreen>
#include <QTimer>

#include <cstdio>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    const QStringList args = QApplication::arguments();
    if (args.size() != 3) {
        std::fputs("usage: probe SCREEN.png PAGE.pdf\n", stderr);
        return 2;
    }
    const QString fontFile = QApplication::applicationDirPath() + QStringLiteral("/ipag.ttf");
    const int fontId = QFontDatabase::addApplicationFont(fontFile);
    if (fontId < 0) {
        std::fprintf(stderr, "font not loaded: %s\n", qPrintable(fontFile));
        return 1;
    }
    const QFont font(QFontDatabase::applicationFontFamilies(fontId).value(0), 16);
    const QString text = QStringLiteral("KOVEL 鉄骨梁の断面検定\n"
                                        "曲げ応力度 σb = 123.4 N/mm²  ≦  fb\n"
                                        "全角１２３　半角ｶﾀｶﾅ　記号①②※");

    QLabel label(text);
    label.setFont(font);
    label.setMargin(16);
    label.setWindowTitle(QStringLiteral("KOVEL 試験"));
    label.show();

    int failures = 0;
    // The delay lets the window manager map the window and the first paint land.
    QTimer::singleShot(1500, &app, [&] {
        const QPixmap shot = label.screen()->grabWindow(label.winId());
        if (shot.isNull() || !shot.save(args[1], "PNG")) {
            std::fprintf(stderr, "screen shot not saved: %s\n", qPrintable(args[1]));
            ++failures;
        }
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(args[2]);
        QPainter painter;
        if (!painter.begin(&printer)) {
            std::fprintf(stderr, "PDF not started: %s\n", qPrintable(args[2]));
            ++failures;
        } else {
            painter.setFont(font);
            painter.drawText(printer.pageLayout().paintRectPixels(printer.resolution()),
                             Qt::AlignLeft | Qt::AlignTop, text);
            if (!painter.end()) {
                std::fprintf(stderr, "PDF not finished: %s\n", qPrintable(args[2]));
                ++failures;
            }
        }
        std::printf("platform=%s font=%s shown-in=%s\n", qPrintable(QGuiApplication::platformName()),
                    qPrintable(font.family()), qPrintable(QFontInfo(label.font()).family()));
        std::fflush(stdout);
        // The window stays up a little longer for a screen shot taken from outside.
        QTimer::singleShot(3000, &app, [&] { QApplication::exit(failures == 0 ? 0 : 1); });
    });
    return QApplication::exec();
}
