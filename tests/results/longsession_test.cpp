// A long session on the result table: 10,000 random operations with a fixed seed (store,
// delete, move, rename, recall, select, marks, save, open, new, with Yes and No answers
// and failing saves) against a model of the table written here from the record layout and
// the operations' rules. After every operation the table equals the model, and no record
// is gone unless the user answered Yes to a question that said it would be.
#include "helpers.h"

#include "files/textfile.h"
#include "results/projectfile.h"
#include "results/slotops.h"
#include "results/store.h"

#include <algorithm>
#include <cstdlib>
#include <gtest/gtest.h>
#include <map>
#include <optional>
#include <random>
#include <vector>

namespace {

using namespace testing_results;
using results::SlotRecord;

constexpr int kSlots = 50;

// The table as the user sees it: the records of slots 1..n in order, the marks by slot
// number, the selection.
struct Model {
    std::vector<SlotRecord> used;
    std::array<std::string, kSlots + 1> marks;
    int selected = 0;
    int pre = 0;

    Model() { clear(); }
    void clear()
    {
        used.clear();
        marks.fill("0");
        marks[0].clear();
        selected = pre = 0;
    }
    int count() const { return static_cast<int>(used.size()); }
    bool selectedInUse() const { return selected >= 1 && selected <= count(); }
};

const char *const kSupportWords[] = {"両端ピン", "左端ピン右端固定", "両端固定", "左端自由右端固定"};
const beam::Support kSupports[] = {beam::Support::PinPin, beam::Support::PinFixed, beam::Support::FixedFixed,
                                   beam::Support::FreeFixed};
const char *const kCodes[] = {"HW", "HM", "HN", "C", "L", "I", "BH", "kaku", "maru", "direct", "user"};

// The record a store writes, from the record layout: field 1 the slot number, the fixed
// words of the check boxes, the texts verbatim, and the support and shape words kept
// from the slot's previous record when no radio is checked.
SlotRecord expectedRecord(const sections::NamedBeam &p, int slot, const SlotRecord &previous)
{
    SlotRecord r;
    r[1] = std::to_string(slot);
    r[2] = p.Bname;
    r[3] = p.texts.weak ? "弱軸" : "強軸";
    r[4] = p.texts.term ? "短期" : "長期";
    r[5] = p.noSupport ? previous[5] : kSupportWords[static_cast<int>(p.texts.support)];
    r[6] = p.texts.si ? "SI単位" : "従来単位";
    r[7] = p.texts.Span;
    r[8] = p.texts.lb;
    r[9] = p.texts.seigen1;
    r[10] = p.texts.seigen2;
    r[11] = p.texts.uniform;
    r[12] = p.shiki;
    r[13] = p.texts.jijuucheck ? "自重自動計算" : "自重自動計算しない";
    for (int k = 0; k < 8; ++k) {
        r[static_cast<std::size_t>(14 + k)] = p.texts.p[static_cast<std::size_t>(k)];
        r[static_cast<std::size_t>(22 + k)] = p.texts.pl[static_cast<std::size_t>(k)];
    }
    for (int j = 0; j < 3; ++j) {
        const auto J = static_cast<std::size_t>(j);
        r[30 + J] = p.texts.w1[J];
        r[33 + J] = p.texts.w2[J];
        r[36 + J] = p.texts.ld1[J];
        r[39 + J] = p.texts.ld2[J];
        r[42 + J] = p.ld3[J];
    }
    r[45] = p.noFamily ? previous[45] : kCodes[static_cast<int>(p.texts.family)];
    r[46] = p.member;
    r[47] = p.dims.H;
    r[48] = p.dims.B;
    r[49] = p.dims.tw;
    r[50] = p.dims.tf;
    r[51] = p.texts.inertia;
    r[52] = p.texts.modulus;
    r[53] = p.texts.selfw;
    const beam::ResultTexts &q = p.result;
    r[54] = q.RMmax;
    r[55] = q.RMmaxl;
    r[56] = q.RSigmab;
    r[57] = q.Rfb;
    r[58] = q.Mcent;
    r[59] = q.Rratio;
    r[60] = q.RQa;
    r[61] = q.RQb;
    r[62] = q.Rdelta;
    r[63] = q.Rlx;
    r[64] = q.hantei;
    for (int i = 0; i <= 100; ++i) // the moment texts below are already in "###0.####"
        r[static_cast<std::size_t>(65 + i)] = q.Mgrid[static_cast<std::size_t>(i)];
    return r;
}

class Session {
public:
    explicit Session(const std::string &file) : m_file(file), m_rng(20240611) { results::resetTable(m_table); }

    void run(int operations);

private:
    // ---- random pieces ----
    int uniform(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(m_rng); }
    bool chance(int percent) { return uniform(1, 100) <= percent; }
    bool answer() { return chance(75); } // the user's Yes (true) or No

    std::string pick(const std::vector<std::string> &pool) { return pool[static_cast<std::size_t>(uniform(0, static_cast<int>(pool.size()) - 1))]; }

    // A moment as "###0.####" writes it: no trailing zero, no "-0".
    std::string momentText()
    {
        const int whole = uniform(0, 9999);
        const int places = uniform(0, 4);
        std::string fraction;
        for (int k = 0; k < places; ++k)
            fraction += static_cast<char>('0' + uniform(k + 1 == places ? 1 : 0, 9));
        const bool zero = whole == 0 && places == 0;
        return (chance(30) && !zero ? "-" : "") + std::to_string(whole) + (places ? "." + fraction : "");
    }

    sections::NamedBeam randomPage()
    {
        static const std::vector<std::string> numbers = {"6.00", "4.5", "", "12", "0", "abc", "３．０", "1e3", "-2.5"};
        static const std::vector<std::string> names = {"小梁", "ｽﾗﾌﾞ受け", "２階床梁Ｇ", "B", "梁①～③", "髙橋邸"};
        sections::NamedBeam p = testing_results::blankPage();
        const int id = ++m_lastId;
        p.Bname = pick(names) + std::to_string(id);
        p.shiki = "id" + std::to_string(id); // the record's identity; nothing renames it
        p.texts.weak = chance(50);
        p.texts.term = chance(50);
        p.texts.si = chance(50);
        p.texts.jijuucheck = chance(50);
        if (!chance(10)) {
            p.texts.support = kSupports[uniform(0, 3)];
            p.noSupport = false;
        }
        if (!chance(10)) {
            p.texts.family = static_cast<beam::Family>(uniform(0, 10)); // the order of kCodes
            p.noFamily = false;
        }
        for (std::string *t : {&p.texts.Span, &p.texts.lb, &p.texts.seigen1, &p.texts.seigen2, &p.texts.uniform, &p.dims.H, &p.dims.B, &p.dims.tw, &p.dims.tf,
                               &p.texts.inertia, &p.texts.modulus, &p.texts.selfw})
            *t = pick(numbers);
        for (auto *group : {&p.texts.p, &p.texts.pl})
            for (std::string &t : *group)
                t = chance(70) ? "" : pick(numbers);
        for (auto *group : {&p.texts.w1, &p.texts.w2, &p.texts.ld1, &p.texts.ld2, &p.ld3})
            for (std::string &t : *group)
                t = chance(70) ? "" : pick(numbers);
        p.member = pick({"H-100x50x5x7", "□-200x100x6", "φ114.3x4.5", "BH-400x200x9x16", "利用者の部材"});
        beam::ResultTexts &q = p.result;
        for (std::string *t : {&q.RMmax, &q.RMmaxl, &q.RSigmab, &q.Rfb, &q.Rratio, &q.RQa, &q.RQb, &q.Rdelta, &q.Rlx})
            *t = pick(numbers);
        q.Mcent = chance(25) ? "" : momentText();
        q.hantei = pick({"OK.", "NG.", "未計算"});
        for (std::string &m : q.Mgrid)
            m = momentText();
        return p;
    }

    // ---- the operations, each on the table and on the model ----
    void store();
    void remove();
    void move();
    void rename();
    void recall();
    void select();
    void toggle();
    void marks();
    void save();
    void open();
    void startNew();

    void expectSame(const char *operation, int step);
    std::vector<int> liveIds() const;

    std::string m_file;
    std::mt19937 m_rng;
    results::Table m_table;
    Model m_model;
    int m_lastId = 0;
    bool m_lossAllowed = false;                // the last operation had a Yes to losing records
    std::optional<std::vector<SlotRecord>> m_saved; // the records in the file, once saved
    std::string m_savedBytes;
    std::map<std::string, int> m_events; // the branches taken, so the seed is known to reach them
};

void Session::store()
{
    const sections::NamedBeam p = randomPage();
    const int n = m_model.count();
    if (n == kSlots) {
        ASSERT_TRUE(results::storeNeedsQuestion(m_table));
        const bool yes = answer();
        m_lossAllowed = yes;
        ++m_events[yes ? "store into a full table, Yes" : "store into a full table, No"];
        const int slot = results::storeResult(m_table, p, yes ? results::WhenFull::ReplaceLast : results::WhenFull::Refuse);
        if (!yes) {
            EXPECT_EQ(slot, 0);
            return;
        }
        EXPECT_EQ(slot, kSlots);
        m_model.used.back() = expectedRecord(p, kSlots, m_model.used.back());
    } else {
        ASSERT_FALSE(results::storeNeedsQuestion(m_table));
        EXPECT_EQ(results::storeResult(m_table, p, chance(50) ? results::WhenFull::Refuse : results::WhenFull::ReplaceLast),
                  n + 1);
        m_model.used.push_back(expectedRecord(p, n + 1, SlotRecord()));
    }
    const int slot = m_model.count();
    m_model.marks[static_cast<std::size_t>(slot)] = "1";
    m_model.pre = m_model.selected;
    m_model.selected = slot;
}

void Session::remove()
{
    if (!answer())
        return; // No: the window does not call the operation
    m_lossAllowed = true;
    const bool acted = results::deleteSelected(m_table);
    EXPECT_EQ(acted, m_model.selectedInUse());
    if (!acted)
        return;
    const int s = m_model.selected, n = m_model.count();
    m_model.used.erase(m_model.used.begin() + (s - 1));
    m_model.marks[static_cast<std::size_t>(n)] = "0"; // the other marks stay with their slot numbers
    m_model.pre = s;
    m_model.selected = 1;
}

void Session::move()
{
    const int dst = uniform(-1, kSlots + 1);
    const int src = m_model.selected, n = m_model.count();
    const bool valid = m_model.selectedInUse() && dst >= 1 && dst <= kSlots && dst != src;
    const results::MoveKind kind = results::moveKind(m_table, dst);
    if (!valid) {
        EXPECT_EQ(kind, results::MoveKind::Nothing);
        EXPECT_FALSE(results::moveSelected(m_table, dst));
        return;
    }
    const bool replaces = dst <= n;
    ++m_events[replaces ? "move onto a record" : "move to the end"];
    EXPECT_EQ(kind, replaces ? results::MoveKind::ReplacesRecord : results::MoveKind::ToEnd);
    if (replaces) {
        EXPECT_NE(results::moveQuestion(m_table, dst).find(m_model.used[static_cast<std::size_t>(dst - 1)][2]),
                  std::string::npos);
        if (!answer())
            return;
        m_lossAllowed = true;
    }
    EXPECT_TRUE(results::moveSelected(m_table, dst));

    // The record takes the destination's place (at the end when beyond the records), the
    // record there is lost, and the moved record's old place closes up; the marks close
    // up the same way over all 50 slot numbers, with the mark of slot 50 staying.
    const SlotRecord moved = m_model.used[static_cast<std::size_t>(src - 1)];
    const int target = replaces ? dst : n + 1;
    std::vector<std::string> marks(m_model.marks.begin() + 1, m_model.marks.end());
    marks[static_cast<std::size_t>(src - 1)] = "0";
    marks[static_cast<std::size_t>(target - 1)] = "1";
    const std::string last = marks.back();
    marks.erase(marks.begin() + (src - 1));
    marks.push_back(last);
    std::copy(marks.begin(), marks.end(), m_model.marks.begin() + 1);
    if (replaces)
        m_model.used[static_cast<std::size_t>(dst - 1)] = moved;
    else
        m_model.used.push_back(moved);
    m_model.used.erase(m_model.used.begin() + (src - 1));
    m_model.pre = 0;
    m_model.selected = target > src ? target - 1 : target; // where the moved record landed
}

void Session::rename()
{
    static const std::vector<std::string> names = {"改名した梁", "ﾘﾈｰﾑ", "", "R-1", "梁①"};
    std::string name = pick(names);
    if (chance(3))
        name = "梁😀"; // a name the file cannot hold: saves are refused until it is renamed
    const bool acted = results::renameSelected(m_table, name);
    EXPECT_EQ(acted, m_model.selectedInUse());
    if (acted)
        m_model.used[static_cast<std::size_t>(m_model.selected - 1)][2] = name;
}

void Session::recall()
{
    const beam::Support now = kSupports[uniform(0, 3)];
    const std::optional<sections::NamedBeam> page = results::recallSelected(m_table, now);
    ASSERT_EQ(page.has_value(), m_model.selectedInUse());
    if (!page)
        return;
    const SlotRecord &r = m_model.used[static_cast<std::size_t>(m_model.selected - 1)];
    EXPECT_EQ(page->Bname, r[2]);
    EXPECT_EQ(page->texts.weak, r[3] == "弱軸");
    EXPECT_EQ(page->texts.si, r[6] == "SI単位");
    EXPECT_EQ(page->texts.Span, r[7]);
    EXPECT_EQ(page->shiki, r[12]);
    EXPECT_EQ(page->member, r[46]);
    EXPECT_EQ(page->result.hantei, r[64]);
    for (int i = 0; i <= 100; ++i)
        EXPECT_EQ(page->result.Mgrid[static_cast<std::size_t>(i)], r[static_cast<std::size_t>(65 + i)]);
}

void Session::select()
{
    const int k = uniform(-1, kSlots + 1);
    results::selectSlot(m_table, k);
    if (k >= 0 && k <= kSlots) {
        m_model.pre = m_model.selected;
        m_model.selected = k;
    }
}

void Session::toggle()
{
    const int k = uniform(0, kSlots + 1);
    results::toggleMark(m_table, k);
    if (k >= 1 && k <= kSlots) {
        std::string &m = m_model.marks[static_cast<std::size_t>(k)];
        m = m == "1" ? "0" : "1";
    }
}

void Session::marks()
{
    if (chance(50)) {
        results::markAll(m_table);
        for (int s = 1; s <= m_model.count(); ++s)
            m_model.marks[static_cast<std::size_t>(s)] = "1";
    } else {
        results::unmarkAll(m_table);
        for (int s = 1; s <= kSlots; ++s)
            m_model.marks[static_cast<std::size_t>(s)] = "0";
    }
}

void Session::save()
{
    bool writable = true;
    for (const SlotRecord &r : m_model.used)
        writable = writable && files::fitsCp932(r[2]);
    const bool diskFull = chance(20);
    std::string error;
    {
        if (diskFull)
            files::failWritesAfter(uniform(0, 4000));
        error = results::saveProject(m_file, m_table);
        files::failWritesAfter(-1);
    }
    if (!writable || (diskFull && !error.empty())) {
        ++m_events[writable ? "save on a full disk" : "save refused for a name"];
        EXPECT_NE(error, "");
        if (m_saved)
            EXPECT_EQ(slurp(m_file), m_savedBytes) << "a failed save changed the file";
        else
            EXPECT_FALSE(fs::exists(m_file)) << "a failed save left a file";
        return;
    }
    ASSERT_EQ(error, "");
    m_saved = m_model.used;
    m_savedBytes = slurp(m_file);
}

void Session::open()
{
    if (!answer())
        return;
    m_lossAllowed = true;
    const std::string error = results::openProject(m_table, m_file);
    if (!m_saved) {
        EXPECT_NE(error, "") << "a project that was never saved opened";
        return;
    }
    ASSERT_EQ(error, "");
    ++m_events["open a saved project"];
    m_model.clear();
    m_model.used = *m_saved;
    for (int s = 1; s <= m_model.count(); ++s)
        m_model.marks[static_cast<std::size_t>(s)] = "1";
    m_model.selected = 1;
}

void Session::startNew()
{
    if (!answer())
        return;
    m_lossAllowed = true;
    results::resetTable(m_table);
    m_model.clear();
}

// The identities ("id" and a number, in field 12) of the records in use, sorted.
std::vector<int> Session::liveIds() const
{
    std::vector<int> ids;
    for (int s = 1; s <= results::usedCount(m_table); ++s)
        ids.push_back(std::atoi(m_table.slots[static_cast<std::size_t>(s)][12].c_str() + 2));
    std::sort(ids.begin(), ids.end());
    return ids;
}

// Plain comparisons first; the assertions only name the first difference.
void Session::expectSame(const char *operation, int step)
{
    const results::Table &t = m_table;
    const auto where = [&] { return std::string(operation) + " at step " + std::to_string(step); };
    ASSERT_EQ(t.datano, m_model.count()) << where();
    ASSERT_EQ(t.selected, m_model.selected) << where();
    ASSERT_EQ(t.pre, m_model.pre) << where();
    for (int s = 1; s <= kSlots; ++s) {
        const auto S = static_cast<std::size_t>(s);
        if (t.selectgrid[S] != m_model.marks[S])
            FAIL() << where() << ", mark of slot " << s << ": " << t.selectgrid[S] << " for " << m_model.marks[S];
        const std::string *got = t.slots[S].data();
        const std::string *want = s <= m_model.count() ? m_model.used[S - 1].data() : nullptr;
        for (int f = 1; f <= results::kFields; ++f) {
            const bool same = want ? got[f] == want[f] : got[f].empty();
            if (!same)
                FAIL() << where() << ", slot " << s << " field " << f << ": \"" << got[f] << "\" for \""
                       << (want ? want[f] : std::string()) << "\"";
        }
    }
}

void Session::run(int operations)
{
    struct Kind {
        const char *name;
        void (Session::*run)();
        int weight;
    };
    const Kind kinds[] = {
        {"store", &Session::store, 20},   {"delete", &Session::remove, 10}, {"move", &Session::move, 12},
        {"rename", &Session::rename, 8},  {"recall", &Session::recall, 6},  {"select", &Session::select, 12},
        {"toggle", &Session::toggle, 14}, {"marks", &Session::marks, 4},    {"save", &Session::save, 1},
        {"open", &Session::open, 1},      {"new", &Session::startNew, 1},
    };
    int total = 0;
    for (const Kind &k : kinds)
        total += k.weight;
    std::map<std::string, int> done;
    for (int step = 0; step < operations; ++step) {
        int roll = uniform(1, total);
        const Kind *kind = kinds;
        while (roll > kind->weight)
            roll -= (kind++)->weight;
        const std::vector<int> before = liveIds();
        m_lossAllowed = false;
        (this->*kind->run)();
        if (::testing::Test::HasFatalFailure())
            return;
        ++done[kind->name];
        expectSame(kind->name, step);
        if (::testing::Test::HasFatalFailure())
            return;
        if (!m_lossAllowed) {
            const std::vector<int> after = liveIds();
            for (int id : before)
                ASSERT_TRUE(std::binary_search(after.begin(), after.end(), id))
                    << "record id" << id << " lost by " << kind->name << " at step " << step;
        }
    }
    for (const Kind &k : kinds)
        EXPECT_GT(done[k.name], 0) << k.name << " never ran";
    for (const char *event : {"store into a full table, Yes", "store into a full table, No", "move onto a record",
                              "move to the end", "save on a full disk", "save refused for a name",
                              "open a saved project"})
        EXPECT_GT(m_events[event], 0) << event << " never happened";
}

TEST(LongSession, TenThousandRandomOperationsKeepTheTableEqualToItsModel)
{
    TempDir dir("longsession");
    Session session(dir.file("session.kvl"));
    session.run(10000);
}

} // namespace
