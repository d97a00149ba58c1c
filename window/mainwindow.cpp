#include "window/mainwindow.h"

#include "window/dialogs.h"
#include "window/inputpage.h"
#include "window/memberpage.h"
#include "window/previewpage.h"
#include "window/qtcanvas.h"
#include "window/resultpage.h"
#include "window/schedulecommands.h"

#include <QCloseEvent>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QTabWidget>
#include <QUrl>

namespace {

constexpr int kClientWidth = 788;
constexpr int kClientHeight = 547;
constexpr int kVersionLineHeight = 18;

const char *const kHomePage = "https://example.com/kovel/";

// The menu items: menu caption, item caption, object name.
struct MenuItem {
    const char *menu;
    const char *item;
    const char *name;
};
constexpr MenuItem kMenuItems[] = {
    {"ﾌｧｲﾙ", "新規作成", "menuNew"},       {"ﾌｧｲﾙ", "呼出", "menuOpen"},
    {"ﾌｧｲﾙ", "保存", "menuSave"},           {"ﾌｧｲﾙ", "印刷", "menuPrint"},
    {"ﾌｧｲﾙ", "終了", "menuExit"},           {"ｵﾌﾟｼｮﾝ", "ﾃｷｽﾄ形式出力", "menuText"},
    {"ﾍﾙﾌﾟ", "ﾊﾞｰｼﾞｮﾝ情報", "menuVersion"}, {"ﾍﾙﾌﾟ", "ﾍﾙﾌﾟ呼出", "menuHelp"},
    {"ﾍﾙﾌﾟ", "ﾎｰﾑﾍﾟｰｼﾞ", "menuHome"},
};

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
    connect(m_resultPage, &ResultPage::captionChanged, this, &QWidget::setWindowTitle);
    connect(m_resultPage, &ResultPage::resultPageWanted, this, [this] { showPage(m_pages->indexOf(m_resultPage)); });
    connect(m_resultPage, &ResultPage::inputPageWanted, this, [this] { showPage(m_pages->indexOf(m_inputPage)); });
    connect(m_resultPage, &ResultPage::printRequested, this, &MainWindow::printSheets);

    setupMenus();
    auto *schedules = new ScheduleCommands(*this);
    if (QAction *print = findChild<QAction *>(QStringLiteral("menuPrint")))
        schedules->addTo(qobject_cast<QMenu *>(print->parent()), print);
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
    QHash<QString, QMenu *> menus;
    for (const MenuItem &m : kMenuItems) {
        const QString caption = QString::fromUtf8(m.menu);
        QMenu *menu = menus.value(caption);
        if (!menu) {
            menu = menuBar()->addMenu(caption);
            menus.insert(caption, menu);
        }
        QAction *action = menu->addAction(QString::fromUtf8(m.item));
        action->setObjectName(QString::fromUtf8(m.name));
        const QString name = action->objectName();
        if (name == QLatin1String("menuExit"))
            connect(action, &QAction::triggered, this, &QWidget::close);
        else if (name == QLatin1String("menuVersion"))
            connect(action, &QAction::triggered, this, &MainWindow::showAbout);
        else if (name == QLatin1String("menuHelp"))
            connect(action, &QAction::triggered, this, &MainWindow::openHelp);
        else if (name == QLatin1String("menuHome"))
            connect(action, &QAction::triggered, this, &MainWindow::openHomePage);
        else if (name == QLatin1String("menuNew"))
            connect(action, &QAction::triggered, m_resultPage, &ResultPage::newdataClick);
        else if (name == QLatin1String("menuOpen"))
            connect(action, &QAction::triggered, m_resultPage, &ResultPage::yobidashiClick);
        else if (name == QLatin1String("menuSave"))
            connect(action, &QAction::triggered, m_resultPage, &ResultPage::hozonClick);
        else if (name == QLatin1String("menuText"))
            connect(action, &QAction::triggered, m_resultPage, &ResultPage::N2Click);
        else if (name == QLatin1String("menuPrint"))
            connect(action, &QAction::triggered, this, &MainWindow::printSheets);
        else
            connect(action, &QAction::triggered, this, &MainWindow::notYetAvailable);
    }
}

void MainWindow::startUp()
{
    // 1. the registered-member grid's columns and headings
    m_memberPage->prepareGrid();
    // 2. the unit labels of page 1 in their SI texts, navy
    m_inputPage->setUnitCaptions(true);
    // 3. the catalogue and the support pictures, against the working directory
    const QDir work = QDir::current();
    m_filepath = work.absoluteFilePath(QStringLiteral("shape/buzai.txt"));
    m_shapepath = work.absoluteFilePath(QStringLiteral("boundary"));
    m_inputPage->setPaths(m_filepath, m_shapepath, work.absolutePath());
    // 4. the top-left corner of the screen
    move(0, 0);
    // 5. the registered members; a missing or broken file is reported and start-up goes on
    m_userbuzaipath = work.absoluteFilePath(QStringLiteral("shape/ubuzai.txt"));
    sections::MemberLoad load = sections::loadMembers(m_userbuzaipath.toStdString());
    m_members = std::move(load.list);
    m_members.userbuzaipath = m_userbuzaipath.toStdString();
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
    if (m_dialogs->askYesNo(QStringLiteral("終了してよろしいですか？")))
        event->accept();
    else
        event->ignore();
}

void MainWindow::notYetAvailable()
{
    m_dialogs->inform(QStringLiteral("この機能はまだ使えません。"));
}

void MainWindow::storeRequested()
{
    m_resultPage->list();
}

void MainWindow::showAbout()
{
    m_dialogs->inform(versionText() + QStringLiteral("\n鋼製の梁一本の曲げ応力度とたわみを検定します。"));
}

void MainWindow::openHelp()
{
    const QString help = QDir::current().absoluteFilePath(QStringLiteral("help.htm"));
    if (!QFileInfo::exists(help)) {
        m_dialogs->inform(QStringLiteral("ヘルプファイル「%1」が見つかりません。").arg(QDir::toNativeSeparators(help)));
        return;
    }
    QDesktopServices::openUrl(QUrl::fromLocalFile(help));
}

void MainWindow::openHomePage()
{
    QDesktopServices::openUrl(QUrl(QString::fromLatin1(kHomePage)));
}
