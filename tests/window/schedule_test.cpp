// The schedule commands of the file menu: a CSV schedule stored into slots, and the
// slots exported in the layout of kovel-cli batch and read back as the same slots.
#include "tests/window/windowfixture.h"

#include "results/schedule.h"
#include "results/table.h"
#include "window/resultpage.h"

#include <QAction>

#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace {

class ScheduleTest : public WindowTest {
public:
    void run(const char *action, const QString &file)
    {
        dialogs->shown.clear();
        dialogs->fileNames.push_back(file);
        find<QAction>(action)->trigger();
    }
};

const QString kExample = QStringLiteral(KOVEL_SOURCE_DIR "/examples/schedule.csv");

TEST_F(ScheduleTest, ImportStoresTheComputedRowsAndTheExportReadsBackTheSame)
{
    run("menuImportSchedule", kExample);
    results::Table &table = window->table();
    EXPECT_EQ(table.datano, 5);
    ASSERT_EQ(dialogs->shown.size(), 1);
    EXPECT_TRUE(dialogs->shown[0].contains(QStringLiteral("6 行のうち 5 件"))) << dialogs->shown[0].toStdString();
    EXPECT_TRUE(dialogs->shown[0].contains(QStringLiteral("7行目: "))); // the refused row, by its line
    EXPECT_EQ(table.slots[4][45], "HN");                                // the automatic selection's choice
    EXPECT_EQ(table.selectgrid[5], "1");

    const std::filesystem::path csv =
        std::filesystem::temp_directory_path() / ("kovel_export_" + std::to_string(::getpid()) + ".csv");
    run("menuExportResults", QString::fromStdString(csv.string()));
    const results::ScheduleText text = results::readScheduleText(csv.string());
    ASSERT_TRUE(text.utf8) << text.error;
    results::ScheduleReader reader(*text.utf8);
    std::size_t rows = 0;
    for (results::CsvRecord record; reader.next(record);)
        ++rows;
    EXPECT_EQ(reader.fault(), "");
    EXPECT_EQ(rows, 5u); // below the header

    const results::Table before = table;
    results::resetTable(table);
    window->resultPage()->tableChanged();
    run("menuImportSchedule", QString::fromStdString(csv.string()));
    std::filesystem::remove(csv);
    ASSERT_EQ(table.datano, 5);
    for (int slot = 1; slot <= 5; ++slot)
        EXPECT_EQ(table.slots[slot], before.slots[slot]) << "slot " << slot;
}

// A thousands separator is read as the number and kept so; a span in mm is stored with a
// word in the summary; a cell that is not a number refuses its row by its column.
TEST_F(ScheduleTest, ImportSummarySaysImplausibleValuesAndRefusedNumbers)
{
    const std::filesystem::path csv =
        std::filesystem::temp_directory_path() / ("kovel_numbers_" + std::to_string(::getpid()) + ".csv");
    std::ofstream(csv, std::ios::binary) << "Bname,Span,uniform\r\nmm,\"7,200\",5\r\nunit,6,5kN\r\n";
    run("menuImportSchedule", QString::fromStdString(csv.string()));
    std::filesystem::remove(csv);
    ASSERT_EQ(window->table().datano, 1);
    EXPECT_EQ(window->table().slots[1][7], "7200");
    ASSERT_EQ(dialogs->shown.size(), 1);
    const QString &summary = dialogs->shown[0];
    EXPECT_TRUE(summary.contains(QStringLiteral("2行目: スパン長さ 7200 m が 50 m を超えています"))) << summary.toStdString();
    EXPECT_TRUE(summary.contains(QStringLiteral("3行目: 「uniform」の値「5kN」: 数字として読めません"))) << summary.toStdString();
}

TEST_F(ScheduleTest, AFullTableAsksAndStoresWhatFits)
{
    window->table().datano = 47;
    dialogs->answers = {false};
    run("menuImportSchedule", kExample);
    EXPECT_EQ(window->table().datano, 47); // No: nothing stored
    dialogs->answers = {true};
    run("menuImportSchedule", kExample);
    EXPECT_EQ(window->table().datano, 50);
    ASSERT_EQ(dialogs->shown.size(), 2);
    EXPECT_TRUE(dialogs->shown[1].contains(QStringLiteral("残りの 3 行"))) << dialogs->shown[1].toStdString();
}

// Each refusal names the file and the line, and leaves the table as it was; a quoted cell
// holding a line break moves the line numbers of the rows after it.
TEST_F(ScheduleTest, AFaultyScheduleIsRefusedByItsLine)
{
    const std::string csv = (std::filesystem::temp_directory_path() /
                             ("kovel_faulty_" + std::to_string(::getpid()) + ".csv")).string();
    const std::string file = "「" + csv + "」";
    struct Case { const char *name; const char *bytes; std::string message; };
    const Case cases[] = {
        {"empty", "", "一覧表" + file + "を読めません。一覧表が空です。"},
        {"quote left open", "Bname,Span\r\n\"G1,6\r\n",
         "ファイル" + file + "の 2行目 1列目: 引用符（\"）が閉じていません。"},
        {"unknown column", "Span,Spam\r\n6,1\r\n",
         "一覧表" + file + "を読めません。1行目 2列目「Spam」: 「Spam」という入力項目はありません。"},
        {"more cells than the header", "Bname,Span\r\n\"G\r\n1\",6\r\nG2,6,1\r\n",
         "一覧表" + file + "を読めません。4行目 3列目: 値が 3 個あり、1行目の列の数（2）より多くなっています。"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        std::ofstream(csv, std::ios::binary) << c.bytes;
        run("menuImportSchedule", QString::fromStdString(csv));
        EXPECT_EQ(window->table().datano, 0);
        ASSERT_EQ(dialogs->shown.size(), 1);
        EXPECT_EQ(dialogs->shown[0].toStdString(), c.message + "\n計算結果表はそのままです。");
    }
    std::ofstream(csv, std::ios::binary) << "Bname,Span\r\n\"G\r\n1\",6\r\nG2,6m\r\n";
    run("menuImportSchedule", QString::fromStdString(csv));
    std::filesystem::remove(csv);
    ASSERT_EQ(dialogs->shown.size(), 1);
    EXPECT_TRUE(dialogs->shown[0].contains(QStringLiteral("\n4行目: 「Span」の値「6m」"))) << dialogs->shown[0].toStdString();
}

} // namespace
