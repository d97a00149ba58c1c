#include "results/table.h"

#include "files/textfile.h"

#include <algorithm>

namespace results {

namespace {

// Names of fields 1..64 as the pages label them; the moment line is named by station.
constexpr const char *kFieldNames[] = {
    "",
    "番号", "部材名", "曲げ軸", "荷重の種類", "支持条件", "単位系", "スパン長さ", "lb",
    "たわみ制限（L／）", "たわみ制限（cm）", "等分布荷重", "等分布荷重の計算式", "自重の計算",
    "P1", "P2", "P3", "P4", "P5", "P6", "P7", "P8",
    "P1の位置", "P2の位置", "P3の位置", "P4の位置", "P5の位置", "P6の位置", "P7の位置", "P8の位置",
    "分布荷重1のw1", "分布荷重2のw1", "分布荷重3のw1",
    "分布荷重1のw2", "分布荷重2のw2", "分布荷重3のw2",
    "分布荷重1のLD1", "分布荷重2のLD1", "分布荷重3のLD1",
    "分布荷重1のLD2", "分布荷重2のLD2", "分布荷重3のLD2",
    "分布荷重1のLD3", "分布荷重2のLD3", "分布荷重3のLD3",
    "断面の種類", "計算部材", "H", "B", "tw", "tf", "断面二次モーメント", "断面係数", "自重",
    "最大曲げモーメント", "最大曲げ発生位置", "曲げ応力度", "許容曲げ応力度", "スパン中の曲げモーメント",
    "σb/fb", "支点反力 Q(A)", "支点反力 Q(B)", "最大たわみ", "L/δ", "判定",
};
static_assert(std::size(kFieldNames) == kFirstMomentField);

bool plainAscii(const std::string &text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

} // namespace

bool hasNoticeData(const SlotRecord &record) { return !record[kFirstNoticeField].empty(); }

int noticeField(std::string_view key)
{
    for (int k = 0; k < kNoticeKeyCount; ++k)
        if (key == kNoticeKeys[k])
            return kFirstNoticeField + k;
    return 0;
}

int usedCount(const Table &table) { return std::clamp(table.datano, 0, kSlots); }

bool slotInUse(const Table &table, int slot) { return slot >= 1 && slot <= usedCount(table); }

bool selectedInUse(const Table &table) { return slotInUse(table, table.selected); }

bool isMarked(const Table &table, int slot)
{
    return slot >= 1 && slot <= kSlots && table.selectgrid[static_cast<std::size_t>(slot)] == "1";
}

void resetTable(Table &table)
{
    for (int s = 1; s <= kSlots; ++s) {
        table.selectgrid[static_cast<std::size_t>(s)] = "0";
        for (std::string &field : table.slots[static_cast<std::size_t>(s)])
            field.clear();
    }
    table.selected = 0;
    table.pre = 0;
    table.datano = 0;
    table.changed = false;
    table.title = TitleBlock();
}

std::string fieldName(int field)
{
    if (field >= 1 && field < kFirstMomentField)
        return kFieldNames[field];
    if (field >= kFirstMomentField && field <= kFields)
        return "曲げモーメント（点" + std::to_string(field - kFirstMomentField) + "）";
    if (field >= kFirstNoticeField && field <= kRecordFields)
        return std::string("検定基準の") + kNoticeKeys[field - kFirstNoticeField];
    return "項目" + std::to_string(field);
}

std::string describeField(const FieldRef &where)
{
    return std::to_string(where.slot) + "番のデータの「" + fieldName(where.field) + "」";
}

std::string unwritableReason(const std::string &text)
{
    if (text.find_first_of("\r\n") != std::string::npos)
        return "に改行が含まれています。";
    if (!plainAscii(text))
        if (const std::optional<files::UnwritableCharacter> c = files::firstUnwritableCharacter(text))
            return "に" + files::unwritableCharacterText(*c);
    return {};
}

std::optional<UnwritableField> firstUnwritableField(const Table &table, int fromSlot, int toSlot)
{
    fromSlot = std::max(fromSlot, 1);
    toSlot = std::min(toSlot, kSlots);
    for (int s = fromSlot; s <= toSlot; ++s) {
        const SlotRecord &record = table.slots[static_cast<std::size_t>(s)];
        for (int f = 1; f <= kRecordFields; ++f) {
            std::string reason = unwritableReason(record[static_cast<std::size_t>(f)]);
            if (!reason.empty()) {
                FieldRef where{s, f};
                return UnwritableField{where, describeField(where) + reason};
            }
        }
    }
    return std::nullopt;
}

} // namespace results
