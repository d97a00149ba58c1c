// What the picture tools share: saving a picture into its folder with a report.
#pragma once

#include <QDir>
#include <QFileInfo>
#include <QImage>

#include <cstdio>

// Saves the picture, making its folder; prints the path, or a complaint on failure.
inline bool save(const QImage &img, const QString &path)
{
    QDir().mkpath(QFileInfo(path).path());
    if (!img.save(path)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}
