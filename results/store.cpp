#include "results/store.h"

#include "beam/numtext.h"
#include "results/projectfile.h"
#include "results/slotfields.h"
#include "sections/fields.h"

#include <algorithm>
#include <cmath>
#include <string_view>

namespace results {

namespace {

constexpr const char *kStrong = "強軸", *kWeak = "弱軸";
constexpr const char *kLong = "長期", *kShort = "短期";
constexpr const char *kSelfWeightOn = "自重自動計算", *kSelfWeightOff = "自重自動計算しない";

constexpr const char *kSupportWords[] = {"両端ピン", "左端ピン右端固定", "両端固定", "左端自由右端固定"};
constexpr beam::Support kSupports[] = {beam::Support::PinPin, beam::Support::PinFixed,
                                       beam::Support::FixedFixed, beam::Support::FreeFixed};

// The page text that a verbatim field holds; nullptr for the number, the axis, the term,
// the support, the units, the self-weight switch, the family code and the moment line,
// which are not copied verbatim.
template <typename Page>
auto verbatimText(Page &page, int f) -> decltype(&page.Bname)
{
    using namespace field;
    auto &r = page.result;
    auto &t = page.texts;
    if (f >= kP1 && f < kP1 + 8)
        return &t.p[static_cast<std::size_t>(f - kP1)];
    if (f >= kPl1 && f < kPl1 + 8)
        return &t.pl[static_cast<std::size_t>(f - kPl1)];
    if (f >= kW1a && f < kLd3a + 3) {
        const auto groups = std::array{&t.w1, &t.w2, &t.ld1, &t.ld2, &page.ld3};
        const int k = f - kW1a;
        return &(*groups[static_cast<std::size_t>(k / 3)])[static_cast<std::size_t>(k % 3)];
    }
    switch (f) {
    case kName: return &page.Bname;
    case kSpan: return &t.Span;
    case kLb: return &t.lb;
    case kLimitRatio: return &t.seigen1;
    case kLimitAbs: return &t.seigen2;
    case kUniform: return &t.uniform;
    case kFormula: return &page.shiki;
    case kMember: return &page.member;
    case kH: return &page.dims.H;
    case kB: return &page.dims.B;
    case kTw: return &page.dims.tw;
    case kTf: return &page.dims.tf;
    case kInertia: return &t.inertia;
    case kModulus: return &t.modulus;
    case kSelfWeight: return &t.selfw;
    case kMmax: return &r.RMmax;
    case kMmaxAt: return &r.RMmaxl;
    case kSigma: return &r.RSigmab;
    case kFb: return &r.Rfb;
    case kMcent: return &r.Mcent;
    case kRatio: return &r.Rratio;
    case kRa: return &r.RQa;
    case kRb: return &r.RQb;
    case kDelta: return &r.Rdelta;
    case kLx: return &r.Rlx;
    case kVerdict: return &r.hantei;
    default: return nullptr;
    }
}

std::string &at(SlotRecord &record, int f) { return record[static_cast<std::size_t>(f)]; }
const std::string &at(const SlotRecord &record, int f) { return record[static_cast<std::size_t>(f)]; }

// The text of each basis key after "fbrule", in the order of kNoticeKeys. The keys are
// the names of `kovel-cli calc`, so a record's basis reads as the calc input or output.
using N = beam::NoticeTexts;
struct NoticeMember {
    std::string_view key;
    std::string N::*text;
};
constexpr NoticeMember kNoticeMembers[] = {
    {"grade", &N::grade}, {"F", &N::F},   {"C", &N::C},   {"fb1", &N::fb1},       {"fb2", &N::fb2},
    {"ib", &N::ib},       {"tau", &N::tau}, {"fs", &N::fs}, {"Rshear", &N::Rshear}, {"shear", &N::shear},
};
constexpr bool membersFollowKeys()
{
    if (std::size(kNoticeMembers) + 1 != std::size(kNoticeKeys) || kNoticeKeys[0] != std::string_view("fbrule"))
        return false;
    for (std::size_t k = 0; k < std::size(kNoticeMembers); ++k)
        if (kNoticeMembers[k].key != kNoticeKeys[k + 1])
            return false;
    for (const char *key : kNoticeKeys)
        if (!sections::isFieldName(key))
            return false;
    return true;
}
static_assert(membersFollowKeys());

void writeNotice(SlotRecord &record, const std::optional<beam::NoticeTexts> &notice)
{
    at(record, kFirstNoticeField) = notice ? kNoticeRuleName : "";
    for (int k = 1; k < kNoticeKeyCount; ++k)
        at(record, kFirstNoticeField + k) = notice ? (*notice).*kNoticeMembers[k - 1].text : std::string();
}

} // namespace

std::optional<beam::NoticeTexts> noticeTexts(const SlotRecord &record)
{
    if (!hasNoticeData(record))
        return std::nullopt;
    beam::NoticeTexts notice;
    for (int k = 1; k < kNoticeKeyCount; ++k)
        notice.*kNoticeMembers[k - 1].text = at(record, kFirstNoticeField + k);
    return notice;
}

bool noticeAgreesWithFb(const SlotRecord &record)
{
    const std::optional<beam::NoticeTexts> notice = noticeTexts(record);
    if (!notice)
        return true;
    // F/1.5 in the unit of the results (kN/cm2 or tf/cm2), times 1.5 for a short-term load
    double expected = beam::parseDouble(notice->F) / 1.5 / 10;
    if (at(record, field::kUnits) != field::kSiUnits)
        expected /= static_cast<double>(beam::kGravity);
    if (at(record, field::kTerm) != kLong)
        expected *= 1.5;
    if (!notice->fb1.empty() || !notice->fb2.empty()) {
        double larger = -HUGE_VAL;
        for (const std::string *fb : {&notice->fb1, &notice->fb2})
            if (!fb->empty())
                larger = std::max(larger, beam::parseDouble(*fb));
        expected = std::min(expected, larger);
    }
    // each text is rounded to 0.001, and F to 0.001 N/mm2
    return std::fabs(beam::parseDouble(at(record, field::kFb)) - expected) <= 0.0011;
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

void writeRecord(SlotRecord &record, const sections::NamedBeam &page, int slotNumber)
{
    at(record, field::kNumber) = std::to_string(slotNumber);
    for (int f = field::kName; f < kFirstMomentField; ++f)
        if (const std::string *text = verbatimText(page, f))
            at(record, f) = *text;
    const beam::InputTexts &t = page.texts;
    at(record, field::kAxis) = t.weak ? kWeak : kStrong;
    at(record, field::kTerm) = t.term ? kShort : kLong;
    if (!page.noSupport)
        at(record, field::kSupport) = supportWord(t.support);
    at(record, field::kUnits) = t.si ? field::kSiUnits : field::kTraditionalUnits;
    at(record, field::kSelfSwitch) = t.jijuucheck ? kSelfWeightOn : kSelfWeightOff;
    if (!page.noFamily)
        at(record, field::kFamily) = beam::familyCode(t.family);
    for (int i = 0; i < kStations; ++i)
        at(record, kFirstMomentField + i) =
            beam::formatNumber(beam::parseDouble(page.result.Mgrid[static_cast<std::size_t>(i)]), "###0.####");
    writeNotice(record, page.result.notice);
}

bool storeNeedsQuestion(const Table &table) { return usedCount(table) >= kSlots; }

std::string storeRefusal(const Table &table, const sections::NamedBeam &page)
{
    const int slot = std::min(usedCount(table) + 1, kSlots);
    SlotRecord record{};
    writeRecord(record, page, slot);
    for (int f = 1; f <= kFields; ++f)
        if (std::string reason = unwritableReason(at(record, f)); !reason.empty())
            return describeField({slot, f}) + reason + "格納しませんでした。";
    return {};
}

int storeResult(Table &table, const sections::NamedBeam &page, WhenFull whenFull)
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

sections::NamedBeam recallRecord(const SlotRecord &record, beam::Support supportNow)
{
    sections::NamedBeam page;
    for (int f = field::kName; f < kFirstMomentField; ++f)
        if (std::string *text = verbatimText(page, f))
            *text = at(record, f);
    // each check box compares with one word of its pair only
    beam::InputTexts &t = page.texts;
    t.weak = at(record, field::kAxis) != kStrong;
    t.term = at(record, field::kTerm) != kLong;
    t.si = at(record, field::kUnits) == field::kSiUnits;
    t.jijuucheck = at(record, field::kSelfSwitch) == kSelfWeightOn;
    const std::optional<beam::Support> support = supportFromWord(at(record, field::kSupport));
    page.noSupport = !support;
    t.support = support.value_or(supportNow);
    const std::optional<beam::Family> family = beam::familyFromCode(at(record, field::kFamily));
    page.noFamily = !family;
    if (family)
        t.family = *family;

    beam::ResultTexts &r = page.result;
    r.Menda = at(record, field::kMoment0);
    r.Mendb = at(record, field::kMoment100);
    switch (t.support) {
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
        r.Mgrid[static_cast<std::size_t>(i)] = at(record, kFirstMomentField + i);
    r.notice = noticeTexts(record);
    return page;
}

std::optional<sections::NamedBeam> recallSelected(const Table &table, beam::Support supportNow)
{
    if (!selectedInUse(table))
        return std::nullopt;
    return recallRecord(table.slots[static_cast<std::size_t>(table.selected)], supportNow);
}

std::string verdictAfterRecall(const sections::NamedBeam &recalled, beam::Support supportBefore, bool siBefore)
{
    const bool supportChanged = !recalled.noSupport && recalled.texts.support != supportBefore;
    if (supportChanged || recalled.texts.si != siBefore)
        return beam::kVerdictNone;
    return recalled.result.hantei;
}

} // namespace results
