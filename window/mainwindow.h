// The one window of the program: four tab pages, the main menu, start-up and close.
//
// Data route: the input page's controls hold every value as text -> InputPage reads them
// into beam::InputTexts -> beam::runCheck / sections::selectSize compute -> the result
// texts go back into the page-1 labels and `Mgrid` -> the store copies them into a slot
// of the result table (results::Table, owned here) -> page 2 lists the slots, page 3
// composes the sheets from them, the project file and the text report (ProjectCommands)
// write them. The registered members (sections::MemberList, owned here) are loaded at
// start-up and offered on page 1; page 4 edits them. The projects last opened or saved
// (RecentFiles, kept by ProjectCommands) are the one thing kept from one run to the next.
#pragma once

#include "files/datafiles.h"
#include "results/table.h"
#include "sections/members.h"
#include "window/dialogs.h"

#include <QKeySequence>
#include <QList>
#include <QMainWindow>

#include <memory>

class InputPage;
class MemberPage;
class PreviewPage;
class ProjectCommands;
class QAction;
class QLabel;
class QMenu;
class QTabWidget;
class ResultPage;

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    // Runs the start-up: data paths looked up from the current working directory (see
    // files/datafiles.h), registered members, the empty load diagram. Without dialogs the real message boxes are used.
    explicit MainWindow(std::unique_ptr<Dialogs> dialogs = nullptr, QWidget *parent = nullptr);
    ~MainWindow() override;

    InputPage *inputPage() const { return m_inputPage; }
    ResultPage *resultPage() const { return m_resultPage; }
    PreviewPage *previewPage() const { return m_previewPage; }
    MemberPage *memberPage() const { return m_memberPage; }
    QTabWidget *pages() const { return m_pages; }
    Dialogs &dialogs() const { return *m_dialogs; }

    results::Table &table() { return m_table; }
    sections::MemberList &members() { return m_members; }

    // The data paths set at start-up (absolute).
    QString filepath() const { return m_filepath; }         // shape/buzai.txt
    QString shapepath() const { return m_shapepath; }       // boundary
    QString userbuzaipath() const { return m_userbuzaipath; } // shape/ubuzai.txt

    // The product name and version shown in the title, the version line and About.
    static QString versionText();
    // The version line under the pages: the product name, and the basis of the
    // allowable stresses when it is not the default one.
    static QString versionLine(const beam::Basis &basis);
    // The data files in use and the folder each was found in (About).
    QString filesInUse() const;

    // `kovel FILE.kvl`: opens the project as the open command does. More than one file
    // is refused with a message, and the table stays empty.
    void openFromCommandLine(const QStringList &files);

    // Prints the calculation sheets of the marked slots (menu "印刷", `printer1` on
    // page 2, `printer2` on page 3).
    void printSheets();
    // Makes a page active as the program does (after storing a result, ...): unlike the
    // user's switch, it composes no sheet page.
    void showPage(int index);

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void setupMenus();
    void startUp();
    void showAbout();
    void openHelp();
    void openHomePage();
    void storeRequested();
    void chooseBasis(); // menu "検定基準..."
    void chooseTitle(); // menu "計算書の表題..."

    std::unique_ptr<Dialogs> m_dialogs;
    QTabWidget *m_pages = nullptr;
    InputPage *m_inputPage = nullptr;
    ResultPage *m_resultPage = nullptr;
    PreviewPage *m_previewPage = nullptr;
    MemberPage *m_memberPage = nullptr;
    QLabel *m_versionLine = nullptr;
    QMenu *m_recentMenu = nullptr;
    ProjectCommands *m_projects = nullptr;
    QList<QKeySequence> m_shortcuts; // the keys of the menu items

    files::DataFolders m_dataFolders;
    QString m_filepath;
    QString m_shapepath;
    QString m_userbuzaipath;
    results::Table m_table;
    sections::MemberList m_members;
};
