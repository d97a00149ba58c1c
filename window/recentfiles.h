// The projects last opened or saved, newest first: the one thing the program keeps from
// one run to the next, in the user's configuration folder. Every other setting starts
// from its default in every run.
#pragma once

#include <memory>

#include <QSettings>
#include <QString>
#include <QStringList>

class RecentFiles {
public:
    // How many projects the list holds.
    static constexpr int kMaxFiles = 8;

    // The list kept in `settingsFile` (an INI file, created on the first add).
    explicit RecentFiles(QString settingsFile = defaultSettingsFile());

    // The projects, newest first (absolute paths), as the file holds them now, so that
    // every window of the user shows the same list.
    QStringList files() const;
    // Puts `path` at the front (a path already listed moves there) and keeps the newest
    // kMaxFiles.
    void add(const QString &path);
    // Takes `path` off the list.
    void remove(const QString &path);

    // "kovel/kovel.conf" in the user's configuration folder ($XDG_CONFIG_HOME, by default
    // ~/.config). On Windows an empty name: the list is kept where Windows programs keep
    // their settings, the registry (HKEY_CURRENT_USER\Software\KOVEL).
    static QString defaultSettingsFile();

private:
    void store(const QStringList &files);
    std::unique_ptr<QSettings> settings() const;

    QString m_settingsFile;
};
