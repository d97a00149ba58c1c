#include "results/schedule.h"

#include "beam/allowable.h"
#include "beam/fieldrules.h"
#include "beam/numtext.h"
#include "files/textfile.h"
#include "results/projectfile.h"
#include "results/slotfields.h"
#include "sections/fields.h"
#include "sections/namedlines.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <optional>

namespace results {

namespace {

std::string_view trimmed(std::string_view s)
{
    const std::size_t first = s.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    const std::size_t last = s.find_last_not_of(" \t");
    return s.substr(first, last - first + 1);
}

// A name as a message shows it: one longer than 40 characters cut there, with "…".
std::string shownName(std::string_view name)
{
    constexpr int kShown = 40;
    std::size_t end = 0;
    for (int characters = 0; end < name.size() && characters < kShown; ++characters)
        do
            ++end;
        while (end < name.size() && (static_cast<unsigned char>(name[end]) & 0xC0) == 0x80);
    return end < name.size() ? std::string(name.substr(0, end)) + "…" : std::string(name);
}

// No column name comes near this length: a longer header cell (a file that is no
// schedule) is refused without a copy of it being looked up.
constexpr std::size_t kLongestLookedUp = 64;

// The station of a column "M0".."M100"; -1 for any other name.
int stationOf(const std::string &name)
{
    if (name.size() < 2 || name.size() > 4 || name[0] != 'M' || name[1] < '0' || name[1] > '9')
        return -1;
    int i = 0;
    for (std::size_t k = 1; k < name.size(); ++k) {
        if (name[k] < '0' || name[k] > '9')
            return -1;
        i = i * 10 + (name[k] - '0');
    }
    return i < kStations && (name[1] != '0' || name.size() == 2) ? i : -1;
}

bool isStationColumn(const std::string &name)
{
    return stationOf(name) >= 0;
}

bool isResultColumn(const std::string &name)
{
    const std::vector<std::string> &r = resultColumns(true);
    return std::find(r.begin(), r.end(), name) != r.end() || isStationColumn(name);
}

// The column of a reported result: its own name, with an R in front when an input has
// that name too (member -> Rmember), so that a results file read back as a schedule never
// takes a result of the earlier run for an input.
std::string resultColumnOf(const std::string &field)
{
    return sections::isInputName(field) ? "R" + field : field;
}

constexpr double kPlausibleSpan = 50;      // m
constexpr double kPlausibleLoad = 10000;   // kN, kN/m

// Notes on values no beam of a building has, a span typed in mm or a load in N: said
// beside the result, and the row is still checked.
std::vector<std::string> implausibleValues(const beam::InputTexts &t)
{
    std::vector<std::string> notes;
    if (beam::parseDouble(t.Span) > kPlausibleSpan)
        notes.push_back("スパン長さ " + t.Span + " m が 50 m を超えています。値と単位（m）を確かめて下さい。");
    struct Load {
        std::string name;
        const std::string &text;
        bool perMetre;
    };
    std::vector<Load> loads = {{"等分布荷重", t.uniform, true}};
    for (std::size_t k = 0; k < t.p.size(); ++k)
        loads.push_back({"集中荷重 P" + std::to_string(k + 1), t.p[k], false});
    for (std::size_t j = 0; j < t.w1.size(); ++j) {
        const std::string part = std::string("分布荷重(") + "abc"[j] + ") の ";
        loads.push_back({part + "w1", t.w1[j], true});
        loads.push_back({part + "w2", t.w2[j], true});
    }
    for (const Load &load : loads) {
        const double kN = std::fabs(beam::parseDouble(load.text)) * (t.si ? 1.0 : static_cast<double>(beam::kGravity));
        if (!(kN > kPlausibleLoad))
            continue;
        const std::string per = load.perMetre ? "/m" : "";
        notes.push_back(load.name + " " + load.text + " " + (t.si ? "kN" : "tf") + per + " が 10,000 kN" + per +
                        (t.si ? " " : "（1,019.7 tf" + per + "）") + "を超えています。値と単位を確かめて下さい。");
    }
    return notes;
}

const char *flagText(bool on) { return on ? "1" : "0"; }

// The C column of an exported slot. The slot keeps C as used (to 0.01), not whether it
// was typed: a C the automatic rule gives for the slot's moments is written "auto", so a
// row read back and edited (into a cantilever, say) never keeps a gradient factor that no
// longer applies; any other C was typed and is written as used.
std::string typedC(const SlotRecord &record, const sections::NamedBeam &page, const std::string &used)
{
    if (used.empty() || page.noSupport)
        return "auto";
    std::array<double, kStations> M{};
    for (int i = 0; i < kStations; ++i)
        M[static_cast<std::size_t>(i)] = beam::parseDouble(record[static_cast<std::size_t>(kFirstMomentField + i)]);
    const double automatic =
        beam::automaticC(page.texts.support, beam::parseDouble(page.texts.Span), beam::parseDouble(page.texts.lb), M);
    return beam::formatNumber(automatic, "0.00") == used ? "auto" : used;
}

} // namespace

const std::vector<std::string> &resultColumns(bool notice)
{
    auto columns = [](bool withNotice) {
        std::vector<std::string> names;
        for (const sections::Field &f : sections::kFieldTable)
            if (f.use != sections::FieldUse::Input && (!f.notice || withNotice))
                names.push_back(resultColumnOf(std::string(f.name)));
        names.insert(names.end(), {"note", "error"});
        return names;
    };
    static const std::vector<std::string> plain = columns(false), withNotice = columns(true);
    return notice ? withNotice : plain;
}

std::vector<std::string> stationColumns()
{
    std::vector<std::string> names;
    for (int i = 0; i < kStations; ++i)
        names.push_back("M" + std::to_string(i));
    return names;
}

std::string readScheduleHeader(const results::CsvRecord &header, ScheduleColumns &columns)
{
    columns = {};
    for (std::size_t k = 0; k < header.size(); ++k) {
        const std::string_view cell = trimmed(header[k]);
        const std::string name = cell.size() <= kLongestLookedUp ? std::string(cell) : std::string();
        const bool input = !name.empty() && sections::isInputName(name);
        if (input) {
            const auto first = std::find(columns.names.begin(), columns.names.end(), name);
            if (first != columns.names.end())
                return "1行目 " + std::to_string(first - columns.names.begin() + 1) + "列目と " +
                       std::to_string(k + 1) + "列目: 入力項目「" + name +
                       "」の列が2つあります。どちらの値を使うか決められません。"
                       "以前の版の batch の出力を読むときは、後ろの結果の列を消して下さい。";
        } else if (name.empty() || !isResultColumn(name)) {
            const std::string shown = shownName(cell);
            const std::string where = "1行目 " + std::to_string(k + 1) + "列目「" + shown + "」: ";
            if (cell.empty())
                return where + "列の名前がありません。";
            return where + "「" + shown + "」という入力項目はありません。";
        }
        columns.names.push_back(name);
        columns.input.push_back(input);
    }
    for (std::size_t k = 0; k < columns.names.size(); ++k)
        columns.notice = columns.notice || (columns.input[k] && columns.names[k] == "fbrule");
    if (std::find(columns.input.begin(), columns.input.end(), true) == columns.input.end())
        return "1行目: 入力項目の列がありません（1行目には Span、p1 などの名前を書いて下さい）。";
    return {};
}

ScheduleText readScheduleText(const std::string &path)
{
    ScheduleText out;
    std::string bytes;
    if (std::string error = files::readFileBytes(path, bytes, files::kLargestSchedule); !error.empty()) {
        out.error = std::move(error);
        return out;
    }
    CsvText text = decodeCsv(bytes);
    std::string().swap(bytes); // the file's bytes no longer held beside its text
    out.utf8 = std::move(text.utf8);
    if (!out.utf8) {
        out.error = "ファイル「" + path + "」を読めません。" + text.error;
        out.undecodable = true;
    }
    return out;
}

ScheduleReader::ScheduleReader(std::string_view utf8) : m_csv(utf8)
{
    CsvRecord header;
    if (!m_csv.next(header)) {
        if (m_csv.error().empty())
            m_empty = true;
        failCsv();
        return;
    }
    m_fault = readScheduleHeader(header, m_columns);
}

void ScheduleReader::failCsv()
{
    m_fault = m_csv.error();
    m_csvFault = !m_fault.empty();
}

bool ScheduleReader::next(CsvRecord &record)
{
    if (m_empty || !m_fault.empty())
        return false;
    while (m_csv.next(record)) {
        if (m_fault = checkRowShape(m_columns, record, m_csv.line()); !m_fault.empty())
            return false;
        if (!blankRow(record))
            return true;
    }
    failCsv();
    return false;
}

std::vector<std::string> inputColumnNames(const ScheduleColumns &columns)
{
    std::vector<std::string> names;
    for (std::size_t k = 0; k < columns.names.size(); ++k)
        if (columns.input[k])
            names.push_back(columns.names[k]);
    return names;
}

std::string checkRowShape(const ScheduleColumns &columns, const results::CsvRecord &record, int line)
{
    if (record.size() <= columns.names.size())
        return {};
    return std::to_string(line) + "行目 " + std::to_string(columns.names.size() + 1) + "列目: 値が " +
           std::to_string(record.size()) + " 個あり、1行目の列の数（" + std::to_string(columns.names.size()) +
           "）より多くなっています。";
}

bool blankRow(const results::CsvRecord &record)
{
    return std::all_of(record.begin(), record.end(), [](const std::string &c) { return c.empty(); });
}

ScheduleRow readRow(const ScheduleColumns &columns, const results::CsvRecord &record, const sections::NamedBeam &start)
{
    ScheduleRow row;
    row.beam = start;
    const std::size_t n = std::min(record.size(), columns.names.size());
    for (std::size_t k = 0; k < n; ++k) {
        if (!columns.input[k] || record[k].empty())
            continue;
        const std::string &name = columns.names[k], &cell = record[k];
        auto refuse = [&](const std::string &why) {
            row.error = "「" + name + "」の値「" + cell + "」: " + why;
            return row;
        };
        // a number cell is a number and nothing else: the text kept is the number the
        // check reads, never "7,200" read as 7 or "6m" as 6
        std::optional<std::string> number;
        if (sections::holdsNumber(name, cell) && !(number = beam::plainNumberText(cell)))
            return refuse("数字として読めません。単位や文字を付けずに数字だけを書いて下さい（3桁ごとのコンマは使えます）。");
        if (std::string why = sections::setNamedValue(row.beam, name, number ? *number : cell); !why.empty())
            return refuse(why);
    }
    row.notes = implausibleValues(row.beam.texts);
    return row;
}

ScheduleRow computeRow(const ScheduleColumns &columns, const results::CsvRecord &record,
                       const sections::SectionSources &sources, const sections::NamedBeam &start)
{
    ScheduleRow row = readRow(columns, record, start);
    if (!row.error.empty())
        return row;
    row.check = sections::checkNamedBeam(row.beam, sources);
    if (!row.check.result)
        row.error = row.check.error;
    return row;
}

results::CsvRecord outputHeader(const ScheduleColumns &columns, bool stations)
{
    results::CsvRecord header = inputColumnNames(columns);
    const std::vector<std::string> &results = resultColumns(columns.notice);
    header.insert(header.end(), results.begin(), results.end());
    if (stations) {
        const std::vector<std::string> m = stationColumns();
        header.insert(header.end(), m.begin(), m.end());
    }
    return header;
}

results::CsvRecord outputRow(const ScheduleColumns &columns, const results::CsvRecord &record, const ScheduleRow &row,
                          bool stations)
{
    results::CsvRecord out;
    for (std::size_t k = 0; k < columns.names.size(); ++k)
        if (columns.input[k])
            out.push_back(k < record.size() ? record[k] : std::string());
    const std::size_t first = out.size();
    const std::vector<std::string> &results = resultColumns(columns.notice);
    out.resize(first + results.size() + (stations ? static_cast<std::size_t>(kStations) : 0));
    std::string &note = out[first + results.size() - 2];
    for (const std::string &n : row.notes)
        note += n;
    for (const std::string &n : row.check.notes)
        note += n;
    out[first + results.size() - 1] = row.error;
    if (!row.computed())
        return out;
    // the column of each reported name, looked up once
    using ColumnMap = std::map<std::string, std::size_t>;
    auto columnMap = [](bool notice) {
        const std::vector<std::string> &names = resultColumns(notice);
        ColumnMap m;
        for (std::size_t k = 0; k < names.size(); ++k)
            m.emplace(names[k], k);
        return m;
    };
    static const ColumnMap plainColumns = columnMap(false), noticeColumns = columnMap(true);
    const ColumnMap &column = columns.notice ? noticeColumns : plainColumns;
    for (auto &[name, value] : sections::resultFields(row.check)) {
        if (const int i = stationOf(name); i >= 0) {
            if (stations)
                out[first + results.size() + static_cast<std::size_t>(i)] = std::move(value);
        } else if (name == "note") {
            note += value;
        } else if (const auto it = column.find(resultColumnOf(name)); it != column.end()) {
            out[first + it->second] = std::move(value);
        }
    }
    note += row.check.resultNote; // the line calc prints as note=
    return out;
}

sections::NamedBeam checkedBeam(const ScheduleRow &row)
{
    sections::NamedBeam page = row.check.beam;
    const beam::InputTexts &t = page.texts;
    for (std::size_t j = 0; j < 3; ++j)
        // the page completes LD3 when LD2 is left
        if (page.ld3[j].empty() && !t.ld2[j].empty())
            page.ld3[j] = beam::completeSegment(2, t.Span, {t.ld1[j], t.ld2[j], {}}).ld3;
    // choosing a pipe empties the boxes it does not show
    if (t.family == beam::Family::Kaku || t.family == beam::Family::Maru)
        page.dims.tw.clear();
    if (t.family == beam::Family::Maru)
        page.dims.H.clear();
    if (row.check.result)
        page.result = *row.check.result;
    return page;
}

std::vector<results::CsvRecord> exportSlots(const Table &table, bool si157)
{
    // The basis columns only when some slot was calculated under the notice rule, so an
    // export of the default rule keeps its layout.
    bool notice = false;
    for (int slot = 1; slot <= usedCount(table); ++slot)
        notice = notice || hasNoticeData(table.slots[static_cast<std::size_t>(slot)]);

    results::CsvRecord header;
    for (const sections::Field &f : sections::kFieldTable)
        if (f.use == sections::FieldUse::Input && (!f.notice || notice))
            header.emplace_back(f.name);
    const std::size_t inputs = header.size();
    const std::vector<std::string> &results = resultColumns(notice);
    header.insert(header.end(), results.begin(), results.end());

    std::vector<results::CsvRecord> records{header};
    for (int slot = 1; slot <= usedCount(table); ++slot) {
        const SlotRecord &record = table.slots[static_cast<std::size_t>(slot)];
        const sections::NamedBeam p = recallRecord(record, beam::Support::PinPin);
        const beam::InputTexts &t = p.texts;
        results::CsvRecord r = {p.Bname, t.Span, t.lb, t.seigen1, t.seigen2, flagText(t.term), flagText(t.si),
                             flagText(si157), t.uniform, p.shiki};
        r.insert(r.end(), t.p.begin(), t.p.end());
        r.insert(r.end(), t.pl.begin(), t.pl.end());
        for (const auto *group : {&t.w1, &t.w2, &t.ld1, &t.ld2, &p.ld3})
            r.insert(r.end(), group->begin(), group->end());
        // a support or family word the file does not know stays as it is, and the row
        // is then refused when read back
        r.push_back(p.noSupport ? record[field::kSupport] : beam::supportName(t.support));
        r.push_back(flagText(t.jijuucheck));
        r.push_back(p.noFamily ? record[field::kFamily] : beam::familyCode(t.family));
        for (const std::string *s : {&p.member, &t.inertia, &t.modulus, &t.selfw})
            r.push_back(*s);
        r.push_back(flagText(t.weak));
        for (const std::string *s : {&p.dims.H, &p.dims.B, &p.dims.tw, &p.dims.tf})
            r.push_back(*s);
        r.push_back("0");
        const std::optional<beam::NoticeTexts> n = noticeTexts(record);
        if (notice && n) {
            // The basis as the slot was calculated: a grade, or F when it was typed.
            r.insert(r.end(), {std::string(kNoticeRuleName), n->grade, n->grade.empty() ? n->F : std::string(),
                               typedC(record, p, n->C), flagText(n->shear != beam::kShearOff)});
        } else if (notice) {
            r.insert(r.end(), {"old", "", "", "", ""});
        }
        const sections::ReportedTexts reported{&p.result, &p.member, &t.inertia, &t.modulus, &t.selfw};
        for (const sections::Field &f : sections::kFieldTable)
            if (f.use != sections::FieldUse::Input && (!f.notice || notice))
                r.push_back(f.read(reported));
        r.resize(inputs + results.size()); // note and error: empty
        records.push_back(std::move(r));
    }
    return records;
}

} // namespace results
