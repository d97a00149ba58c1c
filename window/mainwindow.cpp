#include "window/mainwindow.h"

#include "results/messages.h"
#include "results/titleblock.h"
#include "sections/catalogue.h"
#include "window/dialogs.h"
#include "window/inputpage.h"
#include "window/memberpage.h"
#include "window/previewpage.h"
#include "window/projectcommands.h"
#include "window/resultpage.h"
#include "window/schedulecommands.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLayout>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QTabWidget>
#include <QUrl>

#include <functional>

namespace {

constexpr int kClientWidth = 788;
constexpr int kClientHeight = 547;
constexpr int kVersionLineHeight = 18;

const char *const kHomePage = "https://example.com/kovel/";

} // namespace

QString MainWindow::versionText()
{
    return QStringLiteral("KOVEL  Ver 1.0  鉄骨梁の断面検定");
}

MainWindow::MainWindow(std::unique_ptr<Dialogs> dialogs, QWidget *parent)
    : QMainWindow(parent), m_dialogs(std::move(dialogs))
{
    if (!m_dialogs)
        m_dialogs = std::make_unique<QtDialogs>(this);
    setObjectName(QStringLiteral("MainWindow"));
    setWindowTitle(QStringLiteral("KOVEL"));
    QFont font(QStringLiteral("IPAPGothic"));
    font.setPixelSize(12);
    setFont(font);

    auto *client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    client->setFixedSize(kClientWidth, kClientHeight);
    setCentralWidget(client);

    m_pages = new QTabWidget(client);
    m_pages->setObjectName(QStringLiteral("PageControl1"));
    m_pages->setGeometry(0, 0, kClientWidth, kClientHeight - kVersionLineHeight);
    m_pages->setFocusPolicy(Qt::NoFocus);
    m_inputPage = new InputPage(*m_dialogs);
    m_resultPage = new ResultPage(m_table, *m_dialogs, *m_inputPage);
    m_previewPage = new PreviewPage(*m_dialogs, m_table);
    m_memberPage = new MemberPage(*m_dialogs);
    m_pages->addTab(m_inputPage, QStringLiteral("入力と計算"));
    m_pages->addTab(m_resultPage, QStringLiteral("計算結果表"));
    m_pages->addTab(m_previewPage, QStringLiteral("印刷プレビュー"));
    m_pages->addTab(m_memberPage, QStringLiteral("部材登録他"));
    m_pages->setCurrentIndex(0);
    m_previewPage->followTabControl(m_pages); // a user's switch composes the sheet page

    m_versionLine = new QLabel(versionText(), client);
    m_versionLine->setObjectName(QStringLiteral("versionLine"));
    m_versionLine->setGeometry(6, kClientHeight - kVersionLineHeight, kClientWidth - 12, kVersionLineHeight);

    m_inputPage->setSi157Source([this] { return m_previewPage->si157(); });
    m_inputPage->setResultTable(&m_table);
    connect(m_inputPage, &InputPage::storeRequested, this, &MainWindow::storeRequested);
    connect(m_inputPage, &InputPage::exitRequested, this, &QWidget::close);
    connect(m_memberPage, &MemberPage::membersChanged, m_inputPage, &InputPage::refreshUserList);
    connect(m_resultPage, &ResultPage::exitRequested, this, &QWidget::close);
    connect(m_resultPage, &ResultPage::resultPageWanted, this, [this] { showPage(m_pages->indexOf(m_resultPage)); });
    connect(m_resultPage, &ResultPage::inputPageWanted, this, [this] { showPage(m_pages->indexOf(m_inputPage)); });
    connect(m_resultPage, &ResultPage::printRequested, this, &MainWindow::printSheets);
    m_projects = new ProjectCommands(m_table, *m_dialogs, *m_resultPage, this);
    connect(m_projects, &ProjectCommands::captionChanged, this, &QWidget::setWindowTitle);
    connect(m_projects, &ProjectCommands::resultPageWanted, this, [this] { showPage(m_pages->indexOf(m_resultPage)); });

    setupMenus();
    auto *schedules = new ScheduleCommands(*this);
    if (QAction *title = findChild<QAction *>(QStringLiteral("menuTitle")))
        schedules->addTo(qobject_cast<QMenu *>(title->parent()), title);
    layout()->setSizeConstraint(QLayout::SetFixedSize); // a fixed-size tool window
    startUp();
}

MainWindow::~MainWindow()
{
    // Hidden while the table and the members still exist: hiding moves the focus away,
    // and a box that is left then (a rename under way, an input box) acts on them.
    hide();
}

void MainWindow::setupMenus()
{
    // The menu items: menu caption, item caption, object name, keyboard shortcut and what
    // the item runs. An item without a name is a separator, one that runs nothing the
    // submenu of the recent projects ("menuRecent"). The save always asks for the name,
    // proposing the project's own file, so saving under a new name is the same command.
    struct MenuItem {
        const char *menu;
        const char *item;
        const char *name;
        const char *shortcut;
        std::function<void()> run;
    };
    const MenuItem items[] = {
        {"ﾌｧｲﾙ", "新規作成", "menuNew", "Ctrl+N", [this] { m_projects->newProject(); }},
        {"ﾌｧｲﾙ", "呼出", "menuOpen", "Ctrl+O", [this] { m_projects->open(); }},
        {"ﾌｧｲﾙ", "最近使ったファイル", "menuRecent", nullptr, {}},
        {"ﾌｧｲﾙ", "保存", "menuSave", "Ctrl+S", [this] { m_projects->save(); }},
        {"ﾌｧｲﾙ", "名前を付けて保存", "menuSaveAs", "Ctrl+Shift+S", [this] { m_projects->save(); }},
        {"ﾌｧｲﾙ", nullptr, nullptr, nullptr, {}},
        {"ﾌｧｲﾙ", "計算書の表題...", "menuTitle", nullptr, [this] { chooseTitle(); }},
        {"ﾌｧｲﾙ", "PDF出力...", "menuPdf", nullptr, [this] { m_previewPage->pdfClick(); }},
        {"ﾌｧｲﾙ", "印刷", "menuPrint", "Ctrl+P", [this] { printSheets(); }},
        {"ﾌｧｲﾙ", nullptr, nullptr, nullptr, {}},
        {"ﾌｧｲﾙ", "終了", "menuExit", "Ctrl+Q", [this] { close(); }},
        {"ｵﾌﾟｼｮﾝ", "ﾃｷｽﾄ形式出力", "menuText", "Ctrl+E", [this] { m_projects->exportText(); }},
        {"ｵﾌﾟｼｮﾝ", "検定基準...", "menuBasis", nullptr, [this] { chooseBasis(); }},
        {"ﾍﾙﾌﾟ", "ﾊﾞｰｼﾞｮﾝ情報", "menuVersion", nullptr, [this] { showAbout(); }},
        {"ﾍﾙﾌﾟ", "ﾍﾙﾌﾟ呼出", "menuHelp", "F1", [this] { openHelp(); }},
        {"ﾍﾙﾌﾟ", "ﾎｰﾑﾍﾟｰｼﾞ", "menuHome", nullptr, [this] { openHomePage(); }},
    };

    QHash<QString, QMenu *> menus;
    for (const MenuItem &m : items) {
        const QString caption = QString::fromUtf8(m.menu);
        QMenu *menu = menus.value(caption);
        if (!menu) {
            menu = menuBar()->addMenu(caption);
            menus.insert(caption, menu);
        }
        if (!m.name) {
            menu->addSeparator();
            continue;
        }
        const QString name = QString::fromUtf8(m.name);
        if (!m.run) {
            m_recentMenu = menu->addMenu(QString::fromUtf8(m.item));
            m_recentMenu->setObjectName(name);
            connect(m_recentMenu, &QMenu::aboutToShow, this, [this] { m_projects->fillRecentMenu(m_recentMenu); });
            continue;
        }
        QAction *action = menu->addAction(QString::fromUtf8(m.item));
        action->setObjectName(name);
        if (m.shortcut) {
            action->setShortcut(QKeySequence(QString::fromLatin1(m.shortcut)));
            m_shortcuts << action->shortcut();
        }
        connect(action, &QAction::triggered, this, m.run);
    }
    m_projects->fillRecentMenu(m_recentMenu);
    // the text boxes of the X11 key scheme claim Ctrl+E (end of line) for themselves
    if (QCoreApplication::instance())
        QCoreApplication::instance()->installEventFilter(this);
}

bool MainWindow::eventFilter(QObject *watched, QEvent *event)
{
    // the menu's keys come first in every control of this window
    if (event->type() == QEvent::ShortcutOverride) {
        const auto *widget = qobject_cast<QWidget *>(watched);
        const QKeySequence keys(static_cast<QKeyEvent *>(event)->keyCombination());
        if (widget && widget->window() == this && m_shortcuts.contains(keys)) {
            event->ignore(); // not overridden: the menu item runs
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::startUp()
{
    // 1. the registered-member grid's columns and headings
    m_memberPage->prepareGrid();
    // 2. the unit labels of page 1 in their SI texts, navy
    m_inputPage->setUnitCaptions(true);
    // 3. the catalogue and the support pictures: the working directory, the user's data
    // folder, the installed data
    m_dataFolders = files::dataFolders();
    m_dataFolders.work = QDir::current().absolutePath().toStdString();
    m_filepath = QString::fromStdString(files::findDataFile(m_dataFolders, sections::kCatalogueFile).path);
    m_shapepath = QString::fromStdString(files::findDataFile(m_dataFolders, "boundary").path);
    // the section sketches are "shape/*.bmp" under the folder that holds them
    const QString sketch = QString::fromStdString(files::findDataFile(m_dataFolders, "shape/BH.bmp").path);
    m_inputPage->setPaths(m_filepath, m_shapepath, QDir::cleanPath(QFileInfo(sketch).absolutePath() + QStringLiteral("/..")));
    // 4. the top-left corner of the screen
    move(0, 0);
    // 5. the registered members; a missing or broken file is reported and start-up goes on
    sections::MemberLoad load = sections::loadUserMembers(m_dataFolders);
    m_userbuzaipath = QString::fromStdString(load.list.userbuzaipath);
    m_members = std::move(load.list);
    m_inputPage->setMembers(&m_members);
    m_memberPage->setMembers(&m_members);
    if (!load.error.empty())
        m_dialogs->inform(QString::fromStdString(load.error));
    // 6. the slot control arrays of page 2
    m_resultPage->setShapepath(m_shapepath);
    m_resultPage->fillSlotArrays();
    // 7. the empty frame of the load diagram
    m_inputPage->kajuuzu();
}

void MainWindow::printSheets()
{
    m_previewPage->printer2Click();
}

void MainWindow::showPage(int index)
{
    m_previewPage->switchPageQuietly(index);
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    const char *question = m_table.changed ? results::kUnsavedExitQuestion : results::kExitQuestion;
    if (m_dialogs->askYesNo(QString::fromUtf8(question)))
        event->accept();
    else
        event->ignore();
}

void MainWindow::chooseBasis()
{
    const std::optional<beam::Basis> basis = m_dialogs->chooseBasis(m_inputPage->basis());
    if (!basis)
        return;
    m_inputPage->setBasis(*basis);
    m_versionLine->setText(versionLine(*basis));
}

void MainWindow::chooseTitle()
{
    // a refusal is shown and the dialog comes back with the texts as they were typed
    results::TitleBlock typed = m_table.title;
    for (;;) {
        const std::optional<results::TitleBlock> title = m_dialogs->chooseTitle(typed);
        if (!title)
            return;
        typed = *title;
        const std::string refusal = results::titleBlockRefusal(typed);
        if (refusal.empty())
            break;
        m_dialogs->inform(QString::fromStdString(refusal));
    }
    if (typed == m_table.title)
        return; // OK without a change is no change of the project
    m_table.title = typed;
    m_table.changed = true;
    m_projects->refreshCaption();
}

QString MainWindow::versionLine(const beam::Basis &basis)
{
    const std::string label = beam::basisLabel(basis);
    if (label.empty())
        return versionText();
    return versionText() + QStringLiteral("　　検定基準：") + QString::fromStdString(label);
}

void MainWindow::storeRequested()
{
    m_resultPage->list();
}

void MainWindow::showAbout()
{
    m_dialogs->inform(versionText() + QStringLiteral("\n鋼製の梁一本の曲げ応力度とたわみを検定します。\n\n") + filesInUse());
}

QString MainWindow::filesInUse() const
{
    auto line = [this](const char *caption, const std::string &relative) {
        const files::DataFile f = files::findDataFile(m_dataFolders, relative);
        return QStringLiteral("%1: %2（%3）\n")
            .arg(QString::fromUtf8(caption), QDir::toNativeSeparators(QString::fromStdString(f.path)),
                 QString::fromStdString(files::placeName(f.place)));
    };
    QString text = QStringLiteral("使用中のファイル\n");
    text += line("部材リスト", sections::kCatalogueFile);
    text += QStringLiteral("登録部材: %1\n").arg(QDir::toNativeSeparators(QString::fromStdString(m_members.userbuzaipath)));
    if (!m_members.userCopyPath.empty())
        text += QStringLiteral("　（登録・削除の保存先: %1）\n")
                    .arg(QDir::toNativeSeparators(QString::fromStdString(m_members.userCopyPath)));
    text += line("支持条件の図", "boundary");
    text += line("ヘルプ", "help.htm");
    return text.trimmed();
}

void MainWindow::openFromCommandLine(const QStringList &files)
{
    if (files.isEmpty())
        return;
    if (files.size() > 1) {
        m_dialogs->inform(QStringLiteral("開けるプロジェクトファイルは１つだけです。%1 個のファイルが指定されたため、どれも開きません。")
                              .arg(files.size()));
        return;
    }
    m_projects->openFile(QDir::toNativeSeparators(QFileInfo(files.front()).absoluteFilePath()));
}

void MainWindow::openHelp()
{
    const QString help = QString::fromStdString(files::findDataFile(m_dataFolders, "help.htm").path);
    if (!QFileInfo::exists(help)) {
        m_dialogs->inform(QStringLiteral("ヘルプファイル「%1」が見つかりません。").arg(QDir::toNativeSeparators(help)));
        return;
    }
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(help)))
        m_dialogs->inform(QStringLiteral("ヘルプファイル「%1」を表示できませんでした。ブラウザでこのファイルを開いて下さい。")
                              .arg(QDir::toNativeSeparators(help)));
}

void MainWindow::openHomePage()
{
    const QString address = QString::fromLatin1(kHomePage);
    if (!QDesktopServices::openUrl(QUrl(address)))
        m_dialogs->inform(QStringLiteral("ホームページ「%1」を開けませんでした。ブラウザでこのアドレスを開いて下さい。").arg(address));
}
