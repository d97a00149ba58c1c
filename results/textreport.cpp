#include "results/textreport.h"

#include "beam/numtext.h"
#include "files/textfile.h"
#include "results/slotfields.h"
#include "results/store.h"

namespace results {

namespace {

constexpr char kDash[] = "-----";

// Reads the fields of one record, noting which texts go out as stored.
class BlockFields {
public:
    BlockFields(const SlotRecord &record, std::vector<int> *written) : m_record(record), m_written(written) {}

    // The field's text as stored.
    const std::string &text(int field)
    {
        if (m_written)
            m_written->push_back(field);
        return raw(field);
    }
    // The dash rule: "-----" when the text reads as the number 0 (empty included).
    std::string dashed(int field) { return isZero(field) ? std::string(kDash) : text(field); }
    bool isZero(int field) const { return beam::parseNumber(raw(field)) == 0; }
    const std::string &raw(int field) const { return m_record[static_cast<std::size_t>(field)]; }

private:
    const SlotRecord &m_record;
    std::vector<int> *m_written;
};

} // namespace

std::vector<std::string> reportBlock(const SlotRecord &record, std::vector<int> *written)
{
    BlockFields F(record, written);
    const bool si = F.raw(field::kUnits) == field::kSiUnits;
    const std::string force = si ? "(kN)" : "(tf)";
    const std::string lineLoad = si ? "(kN/m)" : "(tf/m)";
    const std::string stress = si ? "(kN/cm2)" : "(tf/cm2)";
    const std::string moment = si ? "(kN-m)" : "(tf-m)";

    std::vector<std::string> lines;
    lines.reserve(kReportBlockLines + 1);
    lines.push_back(F.text(field::kName) + "の設計");
    lines.push_back(F.text(field::kMember) + " で検定");
    lines.push_back("[ " + F.text(field::kAxis) + ", I = " + F.text(field::kInertia) + " (cm4), Z = " + F.text(field::kModulus) + " (cm3), 自重 "
                    + F.text(field::kSelfWeight) + " (kg/m) ]");
    const std::string support = F.raw(field::kSupport) == "flag1" ? std::string("両端ピン") : F.text(field::kSupport);
    lines.push_back("L = " + F.text(field::kSpan) + " (m), lb = " + F.text(field::kLb) + " (m), 支持条件:" + support);
    lines.emplace_back();
    lines.emplace_back("1.荷重");
    lines.push_back(" 1)等分布荷重 (" + F.text(field::kSelfSwitch) + ")");
    std::string formula;
    if (!F.raw(field::kFormula).empty())
        formula = " (" + F.text(field::kFormula) + " )";
    lines.push_back("  w = " + F.dashed(field::kUniform) + lineLoad + formula);
    lines.emplace_back(" 2)集中荷重");
    for (int i = 1; i <= 7; i += 2) {
        const std::string a = std::to_string(i), b = std::to_string(i + 1);
        lines.push_back("  P(" + a + ") = " + F.dashed(field::kP1 + i - 1) + force + ", Lp(" + a + ") = " + F.dashed(field::kPl1 + i - 1)
                        + "(m),P(" + b + ") = " + F.dashed(field::kP1 + i) + force + ", Lp(" + b + ") = "
                        + F.dashed(field::kPl1 + i) + "(m)");
    }
    lines.emplace_back(" 3)分布荷重");
    for (int j = 1; j <= 3; ++j) {
        const bool none = F.isZero(field::kLd2a + j - 1); // LD2 decides for the whole line
        auto value = [&](int field) { return none ? std::string(kDash) : F.text(field); };
        const std::string k = std::to_string(j);
        lines.push_back("  w1(" + k + ") = " + value(field::kW1a + j - 1) + lineLoad + ", w2(" + k + ") = " + value(field::kW2a + j - 1)
                        + lineLoad + ", LD1(" + k + ") = " + value(field::kLd1a + j - 1) + "(m), LD2(" + k + ") = "
                        + value(field::kLd2a + j - 1) + "(m)");
    }
    lines.emplace_back("2.最大曲げモーメント");
    lines.push_back("  M = " + F.text(field::kMmax) + moment + ", (計算位置：左端から " + F.text(field::kMmaxAt) + "m)");
    lines.emplace_back("3.支点反力");
    lines.push_back("  RA = " + F.text(field::kRa) + force + ", RB = " + F.text(field::kRb) + force);
    lines.emplace_back("4.許容曲げ応力度");
    // The basis keys are printable ASCII (the open refuses anything else), so they can
    // always be written.
    const std::optional<beam::NoticeTexts> notice = noticeTexts(record);
    if (notice)
        lines.push_back("  fb = " + F.text(field::kFb) + stress + " (" + beam::noticeLabel(*notice) + ")");
    else
        lines.push_back("  fb = " + F.text(field::kFb) + stress);
    lines.emplace_back("5.曲げ判定");
    lines.push_back("  σ/fb = M/(Z.fb) = " + F.text(field::kRatio));
    if (notice)
        lines.push_back("  " + beam::shearSummary(*notice, stress));
    lines.emplace_back("6.撓み判定");
    lines.push_back("  δ= " + F.text(field::kDelta) + " (cm) = L/ " + F.text(field::kLx));
    lines.push_back("  制限値: " + F.text(field::kLimitAbs) + " (cm)以下 かつ L/ " + F.text(field::kLimitRatio) + "以下");
    lines.push_back("7.判定  : " + F.text(field::kVerdict));
    lines.emplace_back(46, '-');
    lines.emplace_back();
    return lines;
}

std::vector<std::string> reportLines(const Table &table)
{
    std::vector<std::string> lines;
    for (int s = 1; s <= usedCount(table); ++s) {
        std::vector<std::string> block = reportBlock(table.slots[static_cast<std::size_t>(s)]);
        lines.insert(lines.end(), block.begin(), block.end());
    }
    return lines;
}

std::string writeTextReport(const std::string &path, const Table &table)
{
    std::vector<std::string> lines;
    std::vector<int> written;
    for (int s = 1; s <= usedCount(table); ++s) {
        const SlotRecord &record = table.slots[static_cast<std::size_t>(s)];
        written.clear();
        std::vector<std::string> block = reportBlock(record, &written);
        for (int field : written) {
            std::string reason = unwritableReason(record[static_cast<std::size_t>(field)]);
            if (!reason.empty())
                return describeField({s, field}) + reason + "出力しませんでした。";
        }
        lines.insert(lines.end(), block.begin(), block.end());
    }
    return files::writeTextFile(path, lines);
}

} // namespace results
