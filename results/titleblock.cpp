#include "results/titleblock.h"

#include "results/table.h"

#include <algorithm>
#include <cctype>

namespace results {

namespace {

constexpr std::array<TitleItem, kTitleItems> kItems{{
    {"title.project", "工事名", &TitleBlock::project},
    {"title.part", "建物名・部位", &TitleBlock::part},
    {"title.designer", "設計者", &TitleBlock::designer},
    {"title.checker", "照査者", &TitleBlock::checker},
    {"title.date", "日付", &TitleBlock::date},
}};

bool leapYear(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

} // namespace

bool TitleBlock::empty() const
{
    return std::all_of(kItems.begin(), kItems.end(), [this](const TitleItem &item) { return (this->*item.text).empty(); });
}

const std::array<TitleItem, kTitleItems> &titleItems() { return kItems; }

const TitleItem *findTitleItem(std::string_view key)
{
    for (const TitleItem &item : kItems)
        if (key == item.key)
            return &item;
    return nullptr;
}

std::string dateRefusal(const std::string &date)
{
    if (date.empty())
        return {};
    const std::string refusal = "日付「" + date + "」は正しい日付ではありません。年-月-日の形（例 2026-04-01）で指定して下さい。";
    if (date.size() != 10 || date[4] != '-' || date[7] != '-')
        return refusal;
    for (std::size_t i : {0u, 1u, 2u, 3u, 5u, 6u, 8u, 9u})
        if (!std::isdigit(static_cast<unsigned char>(date[i])))
            return refusal;
    const int y = std::stoi(date.substr(0, 4)), m = std::stoi(date.substr(5, 2)), d = std::stoi(date.substr(8, 2));
    constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (y < 1 || m < 1 || m > 12 || d < 1)
        return refusal;
    const int days = kDays[m - 1] + (m == 2 && leapYear(y) ? 1 : 0);
    return d > days ? refusal : std::string();
}

std::string titleBlockRefusal(const TitleBlock &title)
{
    for (const TitleItem &item : kItems)
        if (std::string reason = unwritableReason(title.*item.text); !reason.empty())
            return std::string("計算書の表題の「") + item.label + "」" + reason;
    return dateRefusal(title.date);
}

std::string titleLine(const TitleItem &item, const TitleBlock &title) { return std::string(item.key) + "=" + title.*item.text; }

} // namespace results
