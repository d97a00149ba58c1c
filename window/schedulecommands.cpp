#include "window/schedulecommands.h"

#include "results/csv.h"
#include "results/messages.h"
#include "results/projectfile.h"
#include "results/schedule.h"
#include "window/mainwindow.h"
#include "window/previewpage.h"
#include "window/resultpage.h"
#include "window/style.h"

#include <QAction>
#include <QMenu>

#include <string>
#include <vector>

using namespace style;

namespace {

constexpr const char *kCsvFilter = "CSVファイル(*.csv)";

} // namespace

ScheduleCommands::ScheduleCommands(MainWindow &window) : QObject(&window), m_window(window) {}

void ScheduleCommands::addTo(QMenu *menu, QAction *before)
{
    QAction *import = new QAction(QStringLiteral("一覧表(CSV)の読込..."), menu);
    import->setObjectName(QStringLiteral("menuImportSchedule"));
    connect(import, &QAction::triggered, this, &ScheduleCommands::importSchedule);
    QAction *exportCsv = new QAction(QStringLiteral("計算結果表のCSV出力..."), menu);
    exportCsv->setObjectName(QStringLiteral("menuExportResults"));
    connect(exportCsv, &QAction::triggered, this, &ScheduleCommands::exportResults);
    menu->insertAction(before, import);
    menu->insertAction(before, exportCsv);
    menu->insertSeparator(before);
}

void ScheduleCommands::importSchedule()
{
    Dialogs &dialogs = m_window.dialogs();
    ResultPage &resultPage = *m_window.resultPage();
    results::Table &table = m_window.table();
    resultPage.beginTableCommand();
    const QString chosen = dialogs.openFileName(QString::fromUtf8(kCsvFilter));
    if (chosen.isEmpty())
        return;

    // the whole file read and its shape checked before any slot changes
    const results::ScheduleText text = results::readScheduleText(ss(chosen));
    if (!text.utf8) {
        dialogs.inform(qs(text.error + "\n計算結果表はそのままです。"));
        return;
    }
    results::ScheduleReader reader(*text.utf8);
    std::vector<results::CsvRecord> rows;
    std::vector<int> lines; // the line each row begins on
    for (results::CsvRecord record; reader.next(record);) {
        rows.push_back(std::move(record));
        lines.push_back(reader.line());
    }
    if (reader.csvFault()) {
        dialogs.inform(qs("ファイル「" + ss(chosen) + "」の " + reader.fault() + "\n計算結果表はそのままです。"));
        return;
    }
    if (const std::string fault = reader.empty() ? "一覧表が空です。" : reader.fault(); !fault.empty()) {
        dialogs.inform(qs("一覧表「" + ss(chosen) + "」を読めません。" + fault + "\n計算結果表はそのままです。"));
        return;
    }
    if (rows.empty()) {
        dialogs.inform(QStringLiteral("一覧表に梁の行がありません。"));
        return;
    }
    const int free = results::kSlots - results::usedCount(table);
    if (free == 0) {
        dialogs.inform(QStringLiteral("計算結果表に空きがありません。一覧表は読み込みませんでした。"));
        return;
    }
    if (static_cast<int>(rows.size()) > free &&
        !dialogs.askYesNo(QStringLiteral("一覧表の %1 行のうち、計算結果表に格納できるのは空いている %2 件までです。"
                                         "格納できる分だけ格納しますか？")
                              .arg(rows.size())
                              .arg(free)))
        return;

    // the catalogue and the registered members as the window holds them, read once
    const sections::CatalogueRead catalogue = sections::readCatalogue(ss(m_window.filepath()));
    sections::MemberLoad members;
    members.list = m_window.members();
    sections::SectionSources sources;
    sources.catalogue = catalogue.catalogue ? &*catalogue.catalogue : nullptr;
    sources.members = &members;
    // a row without a si157 cell takes the basis chosen on the preview page
    sections::NamedBeam start;
    start.texts.si157 = m_window.previewPage()->si157();

    int stored = 0;
    std::size_t next = 0;
    std::string refused, noted;
    for (; next < rows.size() && results::usedCount(table) < results::kSlots; ++next) {
        const results::ScheduleRow row = results::computeRow(reader.columns(), rows[next], sources, start);
        for (const std::string &note : row.notes)
            noted += "\n" + std::to_string(lines[next]) + "行目: " + note;
        if (!row.computed()) {
            refused += "\n" + std::to_string(lines[next]) + "行目: " + row.error;
            continue;
        }
        results::storeResult(table, results::checkedBeam(row), results::WhenFull::Refuse);
        ++stored;
    }
    resultPage.tableChanged();
    QString message = QStringLiteral("一覧表の %1 行のうち %2 件を計算結果表に格納しました。").arg(rows.size()).arg(stored);
    if (next < rows.size())
        message += QStringLiteral("\n計算結果表が一杯のため、残りの %1 行は読み込んでいません。").arg(rows.size() - next);
    if (!noted.empty())
        message += QStringLiteral("\n\n値を確かめて下さい:") + qs(noted);
    if (!refused.empty())
        message += QStringLiteral("\n\n計算できなかった行:") + qs(refused);
    dialogs.inform(message);
}

void ScheduleCommands::exportResults()
{
    Dialogs &dialogs = m_window.dialogs();
    const results::Table &table = m_window.table();
    m_window.resultPage()->beginTableCommand();
    if (results::usedCount(table) == 0) {
        dialogs.inform(QStringLiteral("計算結果表にデータがありません。"));
        return;
    }
    const QString chosen = dialogs.saveFileName(QString::fromUtf8(kCsvFilter));
    if (chosen.isEmpty())
        return;
    const std::string path = results::stripExtension(ss(chosen)) + ".csv";
    if (results::fileExists(path) && !dialogs.askYesNo(qs(results::kOverwriteQuestion)))
        return;
    const std::string error = results::writeCsvFile(path, results::exportSlots(table, m_window.previewPage()->si157()),
                                                 results::CsvEncoding::Utf8);
    if (!error.empty()) {
        dialogs.inform(qs(error));
        return;
    }
    dialogs.inform(qs("計算結果表を「" + path + "」に出力しました。"));
}
