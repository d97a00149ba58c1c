#include "results/slotops.h"

#include "results/slotfields.h"

#include <utility>

namespace results {

namespace {

std::string &mark(Table &table, int slot) { return table.selectgrid[static_cast<std::size_t>(slot)]; }
SlotRecord &record(Table &table, int slot) { return table.slots[static_cast<std::size_t>(slot)]; }

void emptyRecord(SlotRecord &r)
{
    for (std::string &f : r)
        f.clear();
}

} // namespace

void selectSlot(Table &table, int slot)
{
    if (slot < 0 || slot > kSlots)
        return;
    table.pre = table.selected;
    table.selected = slot;
}

void toggleMark(Table &table, int slot)
{
    if (slot < 1 || slot > kSlots)
        return;
    mark(table, slot) = isMarked(table, slot) ? "0" : "1";
}

void markAll(Table &table)
{
    for (int s = 1; s <= usedCount(table); ++s)
        mark(table, s) = "1";
}

void unmarkAll(Table &table)
{
    for (int s = 1; s <= kSlots; ++s)
        mark(table, s) = "0";
}

bool deleteSelected(Table &table)
{
    if (!selectedInUse(table))
        return false;
    const int s = table.selected;
    const int n = usedCount(table);
    for (int b = s; b <= n - 1; ++b)
        record(table, b) = std::move(record(table, b + 1));
    emptyRecord(record(table, n));
    mark(table, n) = "0";
    table.datano = n - 1;
    table.pre = s;
    table.selected = 1;
    table.changed = true;
    return true;
}

MoveKind moveKind(const Table &table, int destination)
{
    const int n = usedCount(table);
    if (!selectedInUse(table) || destination < 1 || destination > kSlots || destination == table.selected)
        return MoveKind::Nothing;
    return destination > n ? MoveKind::ToEnd : MoveKind::ReplacesRecord;
}

std::string moveQuestion(const Table &table, int destination)
{
    std::string name;
    if (slotInUse(table, destination))
        name = table.slots[static_cast<std::size_t>(destination)][field::kName];
    return "移動先の" + std::to_string(destination) + "番には「" + name
        + "」のデータがあります。このデータは消えてしまいます。移動してよろしいですか？";
}

bool moveSelected(Table &table, int destination)
{
    const MoveKind kind = moveKind(table, destination);
    if (kind == MoveKind::Nothing)
        return false;
    const int src = table.selected;
    const int n = usedCount(table);
    int dst = destination;
    if (kind == MoveKind::ToEnd)
        dst = n + 1;
    else
        table.datano = n - 1;

    record(table, dst) = std::move(record(table, src));
    emptyRecord(record(table, src));
    mark(table, src) = "0";
    mark(table, dst) = "1";
    // close the gap; slot 50 is left empty once it has been copied down
    for (int c = src; c < kSlots; ++c) {
        mark(table, c) = mark(table, c + 1);
        record(table, c) = std::move(record(table, c + 1));
    }
    if (src < kSlots)
        emptyRecord(record(table, kSlots));

    table.selected = 0;
    table.pre = 0;
    // the slot the record landed in: one above `dst` when the gap closed below it
    table.selected = dst > src ? dst - 1 : dst;
    table.changed = true;
    return true;
}

std::string renameRefusal(const Table &table, const std::string &name)
{
    if (!selectedInUse(table))
        return {};
    if (std::string reason = unwritableReason(name); !reason.empty())
        return describeField({table.selected, 2}) + reason + "名前は変更しませんでした。";
    return {};
}

bool renameSelected(Table &table, const std::string &name)
{
    if (!selectedInUse(table))
        return false;
    std::string &caption = record(table, table.selected)[field::kName];
    table.changed = table.changed || caption != name;
    caption = name;
    return true;
}

} // namespace results
