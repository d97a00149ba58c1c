#include "results/store.h"

#include "beam/numtext.h"
#include "results/projectfile.h"

#include <algorithm>
#include <cmath>

namespace results {

namespace {

constexpr const char *kStrong = "強軸", *kWeak = "弱軸";
constexpr const char *kLong = "長期", *kShort = "短期";
constexpr const char *kSi = "SI単位", *kTraditional = "従来単位";
constexpr const char *kSelfWeightOn = "自重自動計算", *kSelfWeightOff = "自重自動計算しない";

constexpr const char *kSupportWords[] = {"両端ピン", "左端ピン右端固定", "両端固定", "左端自由右端固定"};
constexpr beam::Support kSupports[] = {beam::Support::PinPin, beam::Support::PinFixed,
                                       beam::Support::FixedFixed, beam::Support::FreeFixed};

// The page text that a verbatim field holds; nullptr for fields 1, 3..6, 13, 45 and the
// moment line, which are not copied verbatim.
template <typename Page>
auto verbatimText(Page &page, int field) -> decltype(&page.Bname)
{
    auto &r = page.result;
    if (field >= 14 && field <= 21)
        return &page.p[static_cast<std::size_t>(field - 14)];
    if (field >= 22 && field <= 29)
        return &page.pl[static_cast<std::size_t>(field - 22)];
    if (field >= 30 && field <= 44) {
        const auto groups = std::array{&page.w1, &page.w2, &page.ld1, &page.ld2, &page.ld3};
        const int k = field - 30;
        return &(*groups[static_cast<std::size_t>(k / 3)])[static_cast<std::size_t>(k % 3)];
    }
    switch (field) {
    case 2: return &page.Bname;
    case 7: return &page.Span;
    case 8: return &page.lb;
    case 9: return &page.seigen1;
    case 10: return &page.seigen2;
    case 11: return &page.uniform;
    case 12: return &page.shiki;
    case 46: return &page.member;
    case 47: return &page.H;
    case 48: return &page.B;
    case 49: return &page.tw;
    case 50: return &page.tf;
    case 51: return &page.inertia;
    case 52: return &page.modulus;
    case 53: return &page.selfw;
    case 54: return &r.RMmax;
    case 55: return &r.RMmaxl;
    case 56: return &r.RSigmab;
    case 57: return &r.Rfb;
    case 58: return &r.Mcent;
    case 59: return &r.Rratio;
    case 60: return &r.RQa;
    case 61: return &r.RQb;
    case 62: return &r.Rdelta;
    case 63: return &r.Rlx;
    case 64: return &r.hantei;
    default: return nullptr;
    }
}

std::string &field(SlotRecord &record, int f) { return record[static_cast<std::size_t>(f)]; }
const std::string &field(const SlotRecord &record, int f) { return record[static_cast<std::size_t>(f)]; }

// The basis keys after "fbrule", in the order of kNoticeKeys.
using N = beam::NoticeTexts;
constexpr std::string N::*kNoticeMembers[] = {&N::grade, &N::F,   &N::C,  &N::fb1,    &N::fb2,  &N::ib,
                                              &N::tau,   &N::fs,  &N::Rshear, &N::shear};
static_assert(std::size(kNoticeMembers) + 1 == std::size(kNoticeKeys));

void writeNotice(SlotRecord &record, const std::optional<beam::NoticeTexts> &notice)
{
    field(record, kFirstNoticeField) = notice ? kNoticeRuleName : "";
    for (int k = 1; k < kNoticeKeyCount; ++k)
        field(record, kFirstNoticeField + k) = notice ? (*notice).*kNoticeMembers[k - 1] : std::string();
}

} // namespace

std::optional<beam::NoticeTexts> noticeTexts(const SlotRecord &record)
{
    if (!hasNoticeData(record))
        return std::nullopt;
    beam::NoticeTexts notice;
    for (int k = 1; k < kNoticeKeyCount; ++k)
        notice.*kNoticeMembers[k - 1] = field(record, kFirstNoticeField + k);
    return notice;
}

bool noticeAgreesWithFb(const SlotRecord &record)
{
    const std::optional<beam::NoticeTexts> notice = noticeTexts(record);
    if (!notice)
        return true;
    // F/1.5 in the unit of the results (kN/cm2 or tf/cm2), times 1.5 for a short-term load
    double expected = beam::parseDouble(notice->F) / 1.5 / 10;
    if (field(record, 6) != kSi)
        expected /= static_cast<double>(beam::kGravity);
    if (field(record, 4) != kLong)
        expected *= 1.5;
    if (!notice->fb1.empty() || !notice->fb2.empty()) {
        double larger = -HUGE_VAL;
        for (const std::string *fb : {&notice->fb1, &notice->fb2})
            if (!fb->empty())
                larger = std::max(larger, beam::parseDouble(*fb));
        expected = std::min(expected, larger);
    }
    // each text is rounded to 0.001, and F to 0.001 N/mm2
    return std::fabs(beam::parseDouble(field(record, 57)) - expected) <= 0.0011;
}

const char *supportWord(beam::Support support)
{
    for (std::size_t i = 0; i < std::size(kSupports); ++i)
        if (kSupports[i] == support)
            return kSupportWords[i];
    return kSupportWords[0];
}

std::optional<beam::Support> supportFromWord(const std::string &word)
{
    for (std::size_t i = 0; i < std::size(kSupports); ++i)
        if (word == kSupportWords[i])
            return kSupports[i];
    return std::nullopt;
}

void writeRecord(SlotRecord &record, const PageTexts &page, int slotNumber)
{
    field(record, 1) = std::to_string(slotNumber);
    for (int f = 2; f < kFirstMomentField; ++f)
        if (const std::string *text = verbatimText(page, f))
            field(record, f) = *text;
    field(record, 3) = page.weak ? kWeak : kStrong;
    field(record, 4) = page.term ? kShort : kLong;
    if (page.support)
        field(record, 5) = supportWord(*page.support);
    field(record, 6) = page.si ? kSi : kTraditional;
    field(record, 13) = page.jijuucheck ? kSelfWeightOn : kSelfWeightOff;
    if (!page.familyCode.empty())
        field(record, 45) = page.familyCode;
    for (int i = 0; i < kStations; ++i)
        field(record, kFirstMomentField + i) =
            beam::formatNumber(beam::parseDouble(page.result.Mgrid[static_cast<std::size_t>(i)]), "###0.####");
    writeNotice(record, page.result.notice);
}

bool storeNeedsQuestion(const Table &table) { return usedCount(table) >= kSlots; }

std::string storeRefusal(const Table &table, const PageTexts &page)
{
    const int slot = std::min(usedCount(table) + 1, kSlots);
    SlotRecord record{};
    writeRecord(record, page, slot);
    for (int f = 1; f <= kFields; ++f)
        if (std::string reason = unwritableReason(field(record, f)); !reason.empty())
            return describeField({slot, f}) + reason + "格納しませんでした。";
    return {};
}

int storeResult(Table &table, const PageTexts &page, WhenFull whenFull)
{
    if (storeNeedsQuestion(table) && whenFull == WhenFull::Refuse)
        return 0;
    const int slot = std::min(usedCount(table) + 1, kSlots);
    table.datano = slot;
    writeRecord(table.slots[static_cast<std::size_t>(slot)], page, slot);
    table.selectgrid[static_cast<std::size_t>(slot)] = "1";
    table.pre = table.selected;
    table.selected = slot;
    table.changed = true;
    return slot;
}

PageTexts recallRecord(const SlotRecord &record, beam::Support supportNow)
{
    PageTexts page;
    for (int f = 2; f < kFirstMomentField; ++f)
        if (std::string *text = verbatimText(page, f))
            *text = field(record, f);
    // each check box compares with one word of its pair only
    page.weak = field(record, 3) != kStrong;
    page.term = field(record, 4) != kLong;
    page.si = field(record, 6) == kSi;
    page.jijuucheck = field(record, 13) == kSelfWeightOn;
    page.support = supportFromWord(field(record, 5));
    page.familyCode = field(record, 45);

    beam::ResultTexts &r = page.result;
    r.Menda = field(record, kFirstMomentField);
    r.Mendb = field(record, kFields);
    switch (page.support.value_or(supportNow)) {
    case beam::Support::PinPin:
        r.Menda.clear();
        r.Mendb.clear();
        break;
    case beam::Support::FreeFixed:
        r.Menda.clear();
        r.Mcent.clear();
        break;
    case beam::Support::PinFixed:
        r.Menda.clear();
        break;
    case beam::Support::FixedFixed:
        break;
    }
    for (int i = 0; i < kStations; ++i)
        r.Mgrid[static_cast<std::size_t>(i)] = field(record, kFirstMomentField + i);
    r.notice = noticeTexts(record);
    return page;
}

std::optional<PageTexts> recallSelected(const Table &table, beam::Support supportNow)
{
    if (!selectedInUse(table))
        return std::nullopt;
    return recallRecord(table.slots[static_cast<std::size_t>(table.selected)], supportNow);
}

std::string verdictAfterRecall(const PageTexts &recalled, beam::Support supportBefore, bool siBefore)
{
    const bool supportChanged = recalled.support && *recalled.support != supportBefore;
    if (supportChanged || recalled.si != siBefore)
        return "未計算";
    return recalled.result.hantei;
}

} // namespace results
