#include "window/recentfiles.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace {

const QString kKey = QStringLiteral("recent/files");

} // namespace

RecentFiles::RecentFiles(QString settingsFile) : m_settingsFile(std::move(settingsFile)) {}

QString RecentFiles::defaultSettingsFile()
{
#ifdef _WIN32
    return {};
#else
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
           + QStringLiteral("/kovel/kovel.conf");
#endif
}

QStringList RecentFiles::files() const
{
    QStringList files;
    for (const QString &f : settings()->value(kKey).toStringList())
        if (!f.isEmpty() && !files.contains(f) && files.size() < kMaxFiles)
            files << f;
    return files;
}

namespace {

// the form the menu shows and an open takes: absolute, with the system's separators
QString kept(const QString &path) { return QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath()); }

} // namespace

void RecentFiles::add(const QString &path)
{
    const QString absolute = kept(path);
    QStringList list = files();
    list.removeAll(absolute);
    list.prepend(absolute);
    store(list.mid(0, kMaxFiles));
}

void RecentFiles::remove(const QString &path)
{
    QStringList list = files();
    if (list.removeAll(kept(path)) > 0 || list.removeAll(path) > 0)
        store(list);
}

void RecentFiles::store(const QStringList &files)
{
    // the list is a convenience: a configuration folder that cannot be written only
    // means that the next run does not see it
    if (!m_settingsFile.isEmpty())
        QDir().mkpath(QFileInfo(m_settingsFile).absolutePath());
    const std::unique_ptr<QSettings> kept = settings();
    kept->setValue(kKey, files);
    kept->sync();
}

std::unique_ptr<QSettings> RecentFiles::settings() const
{
    if (m_settingsFile.isEmpty())
        return std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("KOVEL"));
    return std::make_unique<QSettings>(m_settingsFile, QSettings::IniFormat);
}
