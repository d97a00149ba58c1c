// The project commands of the window: new, open (also a recent project and the one named
// on the command line), save, the text export, and the window caption with its unsaved
// mark. They are reached from the file menu and from page 2's images (`newdata`,
// `yobidashi`, `hozon`), act on the result table and let page 2 show what they did.
//
// Save always asks for the name and proposes the project's own file, so "save as" is the
// same command; saving over a file asks, and so does saving over the project's file when
// another window or program has written it since this window opened or saved it.
#pragma once

#include "files/textfile.h"
#include "window/recentfiles.h"

#include <QObject>
#include <QString>

class Dialogs;
class QMenu;
class ResultPage;

namespace results {
struct Table;
}

class ProjectCommands : public QObject {
    Q_OBJECT
public:
    ProjectCommands(results::Table &table, Dialogs &dialogs, ResultPage &page, QObject *parent = nullptr);

    void newProject();                   // `newdataClick`, "新規作成"
    void open();                         // `yobidashiClick`, "呼出": the file from the open dialog
    // A recent project: opened as the open command opens a chosen file (the question
    // first); one that is no longer there leaves the list once the open has said so.
    void openRecent(const QString &path);
    // Opens the file as the open command does once the file is chosen: read and checked
    // whole, else a message and the table as it was.
    void openFile(const QString &path);
    void save();                         // `hozonClick`, "保存" and "名前を付けて保存"
    void exportText();                   // `N2Click`, "ﾃｷｽﾄ形式出力"

    // The caption: the project's ("KOVEL-新規", "KOVEL-" + file name) with " *" while the
    // table has changes that are not saved. Every command that changes the records asks
    // for it again.
    void refreshCaption();
    // The recent projects as the items of `menu` ("（なし）" when there are none).
    void fillRecentMenu(QMenu *menu);

Q_SIGNALS:
    void captionChanged(const QString &caption);
    void resultPageWanted(); // the open shows its table on page 2

private:
    void openProject(const QString &path); // empty: chosen in the open dialog

    results::Table &m_table;
    Dialogs &m_dialogs;
    ResultPage &m_page;
    QString m_caption = QStringLiteral("KOVEL"); // the caption without the unsaved mark
    // The project's file (empty until one is opened or saved) and what it held then.
    QString m_projectPath;
    files::FileStamp m_projectStamp;
    RecentFiles m_recent; // the projects last opened or saved, kept between runs
};
