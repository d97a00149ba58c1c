#include "window/projectcommands.h"

#include "results/messages.h"
#include "results/projectfile.h"
#include "results/table.h"
#include "results/textreport.h"
#include "window/dialogs.h"
#include "window/resultpage.h"
#include "window/style.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QMenu>

using namespace style;

namespace {

// The filter of the program's file commands ("KovelFile(*.kvl)|*.kvl") in the file
// dialog's own form ("KovelFile(*.kvl)").
QString dialogFilter(const char *filter)
{
    return qs(filter).section(QLatin1Char('|'), 0, 0);
}

} // namespace

ProjectCommands::ProjectCommands(results::Table &table, Dialogs &dialogs, ResultPage &page, QObject *parent)
    : QObject(parent), m_table(table), m_dialogs(dialogs), m_page(page)
{
    connect(&page, &ResultPage::recordsChanged, this, &ProjectCommands::refreshCaption);
    connect(&page, &ResultPage::newRequested, this, &ProjectCommands::newProject);
    connect(&page, &ResultPage::openRequested, this, &ProjectCommands::open);
    connect(&page, &ResultPage::saveRequested, this, &ProjectCommands::save);
}

void ProjectCommands::refreshCaption()
{
    Q_EMIT captionChanged(m_table.changed ? m_caption + qs(results::kUnsavedMark) : m_caption);
}

void ProjectCommands::newProject()
{
    m_page.beginCommand();
    if (!m_dialogs.askYesNo(qs(m_table.changed ? results::kUnsavedNewQuestion : results::kNewQuestion)))
        return;
    m_page.cancelMove();
    results::resetTable(m_table);
    m_projectPath.clear();
    m_projectStamp = {};
    m_caption = qs(results::kNewCaption);
    refreshCaption();
    m_page.showTable();
}

void ProjectCommands::open()
{
    openProject(QString());
}

void ProjectCommands::openRecent(const QString &path)
{
    openProject(path);
    // a project that is no longer there leaves the list (the open has said so)
    if (!QFileInfo::exists(path))
        m_recent.remove(path);
}

void ProjectCommands::openProject(const QString &path)
{
    m_page.beginCommand();
    if (!m_dialogs.askYesNo(qs(m_table.changed ? results::kUnsavedOpenQuestion : results::kOpenQuestion)))
        return;
    Q_EMIT resultPageWanted();
    const QString chosen = path.isEmpty() ? m_dialogs.openFileName(dialogFilter(results::kProjectFilter)) : path;
    if (chosen.isEmpty())
        return;
    openFile(chosen);
}

void ProjectCommands::openFile(const QString &chosen)
{
    // stamped before it is read: a change in between is taken as a change (asked about)
    files::FileStamp stamp = files::stampFile(ss(chosen));
    // the file is read and checked whole before the table is replaced
    std::string notice;
    const std::string error = results::openProject(m_table, ss(chosen), &notice);
    if (!error.empty()) {
        m_dialogs.inform(qs(error));
        return;
    }
    m_projectPath = chosen;
    m_projectStamp = std::move(stamp);
    m_page.cancelMove();
    m_caption = qs(results::kCaptionPrefix) + chosen;
    refreshCaption();
    m_recent.add(chosen);
    m_page.showTable();
    if (!notice.empty())
        m_dialogs.inform(qs(notice));
}

void ProjectCommands::save()
{
    m_page.beginCommand();
    // the dialog proposes the project's own file, so saving it again is one Enter away
    const QString chosen = m_dialogs.saveFileName(dialogFilter(results::kProjectFilter), m_projectPath);
    if (chosen.isEmpty())
        return;
    const std::string stripped = results::stripExtension(ss(chosen));
    const std::string path = results::projectFileName(ss(chosen));
    if (results::fileExists(path) && !m_dialogs.askYesNo(qs(results::kOverwriteQuestion)))
        return;
    // another window or program has written the file since this window read or wrote it
    if (files::changedOnDisk(m_projectStamp, path) && !m_dialogs.askYesNo(qs(results::kChangedOnDiskQuestion)))
        return;
    const std::string error = results::saveProject(path, m_table);
    if (!error.empty()) {
        m_dialogs.inform(qs(error));
        return;
    }
    m_projectPath = qs(path);
    m_projectStamp = files::stampFile(path);
    m_table.changed = false;
    m_caption = qs(results::kCaptionPrefix) + qs(stripped);
    refreshCaption();
    m_recent.add(qs(path));
    m_dialogs.inform(qs(results::savedMessage(stripped)));
}

void ProjectCommands::exportText()
{
    m_page.beginCommand();
    const QString chosen = m_dialogs.saveFileName(dialogFilter(results::kTextFilter));
    if (chosen.isEmpty())
        return;
    const std::string path = results::textFileName(ss(chosen));
    if (results::fileExists(path) && !m_dialogs.askYesNo(qs(results::kOverwriteQuestion)))
        return;
    const std::string error = results::writeTextReport(path, m_table);
    if (!error.empty()) {
        m_dialogs.inform(qs(error));
        return;
    }
    m_dialogs.inform(qs(results::kTextWrittenMessage));
}

void ProjectCommands::fillRecentMenu(QMenu *menu)
{
    menu->clear();
    const QStringList files = m_recent.files();
    if (files.isEmpty()) {
        menu->addAction(QStringLiteral("（なし）"))->setEnabled(false);
        return;
    }
    for (int i = 0; i < files.size(); ++i) {
        const QString path = files[i];
        QString shown = QDir::toNativeSeparators(path);
        shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
        QAction *action = menu->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(shown));
        action->setObjectName(QStringLiteral("recent%1").arg(i + 1));
        connect(action, &QAction::triggered, this, [this, path] { openRecent(path); });
    }
}
