// The title block of the detailed calculation sheets: one per project, kept by the project
// file in its extension block as "title.KEY=value" lines after the slots' entries (none
// when the block is empty, so a project without one is written as before). Texts are
// written in code page 932 like every other field.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace results {

struct TitleBlock {
    std::string project;  // 工事名
    std::string part;     // 建物名・部位
    std::string designer; // 設計者
    std::string checker;  // 照査者
    std::string date;     // YYYY-MM-DD, or empty
    bool empty() const;
    bool operator==(const TitleBlock &) const = default;
};

inline constexpr int kTitleItems = 5;

// The items in file order: key in the file ("title.project"), the name messages and the
// sheets use ("工事名"), and the member.
struct TitleItem {
    const char *key;
    const char *label;
    std::string TitleBlock::*text;
};
const std::array<TitleItem, kTitleItems> &titleItems();

// The item of a key ("title.date"); nullptr for any other key.
const TitleItem *findTitleItem(std::string_view key);

// Why a date cannot be used: not of the form YYYY-MM-DD, or no such day. Empty for a
// real date and for an empty text.
std::string dateRefusal(const std::string &date);

// Why the title block cannot be kept: a text the project file could not hold (a line
// break, a character outside code page 932), or a date dateRefusal refuses; the item is
// named ("計算書の表題の「設計者」に…"). Empty when it can.
std::string titleBlockRefusal(const TitleBlock &title);

// The extension lines of the title block: "title.KEY=value" for every item not empty.
std::string titleLine(const TitleItem &item, const TitleBlock &title);

} // namespace results
