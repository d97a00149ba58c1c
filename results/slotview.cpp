#include "results/slotview.h"

#include "beam/numtext.h"
#include "results/slotfields.h"

namespace results {

namespace {

const SlotRecord &emptyRecord()
{
    static const SlotRecord empty{};
    return empty;
}

const SlotRecord &recordOf(const Table &table, int slot)
{
    if (slot < 1 || slot > kSlots)
        return emptyRecord();
    return table.slots[static_cast<std::size_t>(slot)];
}

// "##0.000" for an end moment, empty when it reads as 0.
std::string endMoment(const std::string &text)
{
    const double value = beam::parseDouble(text);
    return value != 0 ? beam::formatNumber(value, "##0.000") : std::string();
}

} // namespace

UnitCaptions unitCaptions(const std::string &unitField)
{
    UnitCaptions c;
    c.si = unitField != field::kTraditionalUnits;
    const std::string force = c.si ? "kN" : "tf";
    c.Label70 = "(" + force + "-m)";
    c.Label71 = c.Label72 = "(" + force + ")";
    c.Label75 = c.Label76 = "(" + force + "/cm2)";
    c.Label81 = "(" + force + "/m)";
    c.Label83 = "Pi(" + force + ")";
    c.Label86 = "w1(" + force + "/m)";
    c.Label87 = "w2(" + force + "/m)";
    c.colour = c.si ? beam::kNavy : beam::kRed;
    return c;
}

SlotView slotView(const Table &table, int slot)
{
    const SlotRecord &r = recordOf(table, slot);
    auto f = [&r](int field) -> const std::string & { return r[static_cast<std::size_t>(field)]; };
    SlotView v;
    v.listspan = f(field::kSpan);
    v.listlb = f(field::kLb);
    v.listseigen1 = f(field::kLimitRatio);
    v.listseigen2 = f(field::kLimitAbs);
    v.calcunit = f(field::kUnits);
    v.units = unitCaptions(f(field::kUnits));
    if (f(field::kSupport) == "両端ピン")
        v.listcond = "Bpin.bmp";
    else if (f(field::kSupport) == "左端ピン右端固定")
        v.listcond = "Lpin.bmp";
    else if (f(field::kSupport) == "両端固定")
        v.listcond = "Brigid.bmp";
    else if (f(field::kSupport) == "左端自由右端固定")
        v.listcond = "Lfree.bmp";
    v.listweak = f(field::kAxis) == "弱軸" ? "弱軸で検定" : "強軸で検定";
    v.listterm = f(field::kTerm) == "短期" ? "短期荷重として計算" : "長期荷重として計算";
    v.listuniform = f(field::kUniform);
    v.listshiki = f(field::kFormula);
    v.listjijuu = f(field::kSelfSwitch) == "自重自動計算" ? "自重を自動計算する" : "自重を自動計算しない";
    for (std::size_t i = 0; i < 8; ++i) {
        v.listp[i] = f(14 + static_cast<int>(i));
        v.listpl[i] = f(22 + static_cast<int>(i));
    }
    for (std::size_t j = 0; j < 3; ++j) {
        const int k = static_cast<int>(j);
        v.listw1[j] = f(30 + k);
        v.listw2[j] = f(33 + k);
        v.listld1[j] = f(36 + k);
        v.listld2[j] = f(39 + k);
        v.listld3[j] = f(42 + k);
    }
    v.listtype = f(field::kFamily);
    v.listmember = f(field::kMember);
    v.listMmax = f(field::kMmax);
    v.listMmaxl = f(field::kMmaxAt);
    v.listsigmab = f(field::kSigma);
    v.listfb = f(field::kFb);
    v.listratio = f(field::kRatio);
    v.listQa = f(field::kRa);
    v.listQb = f(field::kRb);
    v.listdelta = f(field::kDelta);
    v.listlx = f(field::kLx);
    v.listhantei = f(field::kVerdict);

    v.drawDiagrams = !f(field::kSpan).empty();
    if (v.drawDiagrams) {
        v.listkajuuzuL = v.listspan;
        v.Menda1 = endMoment(f(field::kMoment0));
        v.Mendb1 = endMoment(f(field::kMoment100));
        if (f(field::kSupport) != "左端自由右端固定")
            v.Mcent1 = f(field::kMcent);
    }
    return v;
}

std::vector<ReactionRow> reactionRows(const Table &table)
{
    std::vector<ReactionRow> rows;
    for (int s = 1; s <= usedCount(table); ++s) {
        const SlotRecord &r = table.slots[static_cast<std::size_t>(s)];
        const char *force = unitCaptions(r[field::kUnits]).si ? "kN" : "tf";
        rows.push_back({r[field::kName], r[field::kRa], r[field::kRb], force});
    }
    return rows;
}

bool slotFails(const Table &table, int slot)
{
    return slotInUse(table, slot) && table.slots[static_cast<std::size_t>(slot)][field::kVerdict] == "NG.";
}

} // namespace results
