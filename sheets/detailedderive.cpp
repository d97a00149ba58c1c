#include "sheets/detailedderive.h"

#include "beam/numtext.h"
#include "files/datafiles.h"
#include "results/projectfile.h"
#include "results/store.h"
#include "sections/catalogue.h"
#include "sections/computed.h"
#include "sheets/block.h"
#include "results/slotfields.h"

#include <cstddef>

namespace sheets {

namespace field = results::field;
using results::stationMoment;
using results::storedNumber;

namespace {

const std::string &at(const results::SlotRecord &slot, int f) { return slot[static_cast<std::size_t>(f)]; }

// The section's texts the slot does not keep: r and A from their source. Empty, or why
// they cannot be had.
std::string completeSection(beam::InputTexts &t, const std::string &member, const sections::Catalogue *catalogue)
{
    if (sections::isCatalogueFamily(t.family)) {
        if (!catalogue)
            return "部材リスト（" + std::string(sections::kCatalogueFile) + "）を読めません。";
        const sections::CatalogueRecord &record = sections::findRecord(*catalogue, member);
        if (&record == &catalogue->terminator)
            return "部材「" + member + "」は部材リスト（" + sections::kCatalogueFile + "）にありません。";
        // the section as the check takes it from its source (the dimension boxes of a slot
        // hold what the computed shapes left in them)
        sections::applySection(t, sections::sectionTexts(record, t.weak));
        return {};
    }
    if (t.family == beam::Family::BH || t.family == beam::Family::Kaku || t.family == beam::Family::Maru) {
        const sections::ComputedSection s = sections::computeSection(t.family, {t.H1, t.B1, t.tw1, t.tf1}, t.weak);
        if (!s.error.empty())
            return s.error;
        t.r1 = s.r1;
        t.A1 = s.A1;
    }
    return {};
}

struct Compared {
    const char *name;
    int field;
    std::string beam::ResultTexts::*text;
};

constexpr Compared kCompared[] = {
    {"設計曲げモーメント M", field::kMmax, &beam::ResultTexts::RMmax},
    {"M の位置", field::kMmaxAt, &beam::ResultTexts::RMmaxl},
    {"曲げ応力度 σb", field::kSigma, &beam::ResultTexts::RSigmab},
    {"許容曲げ応力度 fb", field::kFb, &beam::ResultTexts::Rfb},
    {"σb/fb", field::kRatio, &beam::ResultTexts::Rratio},
    {"支点反力 RA", field::kRa, &beam::ResultTexts::RQa},
    {"支点反力 RB", field::kRb, &beam::ResultTexts::RQb},
    {"たわみ δ", field::kDelta, &beam::ResultTexts::Rdelta},
    {"L/δ", field::kLx, &beam::ResultTexts::Rlx},
    {"判定", field::kVerdict, &beam::ResultTexts::hantei},
};

struct ComparedNotice {
    const char *name;
    std::string beam::NoticeTexts::*text;
};

constexpr ComparedNotice kComparedNotice[] = {
    {"F", &beam::NoticeTexts::F},     {"C", &beam::NoticeTexts::C},      {"fb1", &beam::NoticeTexts::fb1},
    {"fb2", &beam::NoticeTexts::fb2}, {"i", &beam::NoticeTexts::ib},     {"τ", &beam::NoticeTexts::tau},
    {"fs", &beam::NoticeTexts::fs},   {"τ/fs", &beam::NoticeTexts::Rshear}, {"せん断の判定", &beam::NoticeTexts::shear},
};

std::vector<std::string> differences(const results::SlotRecord &slot, const beam::ResultTexts &r)
{
    std::vector<std::string> out;
    for (const Compared &c : kCompared)
        if (at(slot, c.field) != r.*c.text)
            out.emplace_back(c.name);
    const std::optional<beam::NoticeTexts> stored = results::noticeTexts(slot);
    if (stored.has_value() != r.notice.has_value()) {
        out.emplace_back("検定基準");
    } else if (stored) {
        for (const ComparedNotice &c : kComparedNotice)
            if ((*stored).*c.text != (*r.notice).*c.text)
                out.emplace_back(c.name);
    }
    return out;
}

} // namespace

beam::InputTexts slotInput(const results::SlotRecord &slot)
{
    using namespace field;
    beam::InputTexts t;
    t.Span = at(slot, kSpan);
    t.lb = at(slot, kLb);
    t.seigen1 = at(slot, kLimitRatio);
    t.seigen2 = at(slot, kLimitAbs);
    t.uniform = at(slot, kUniform);
    for (int k = 0; k < beam::kPointLoads; ++k) {
        t.p[static_cast<std::size_t>(k)] = at(slot, kP1 + k);
        t.pl[static_cast<std::size_t>(k)] = at(slot, kPl1 + k);
    }
    for (int j = 0; j < beam::kPartLoads; ++j) {
        const auto k = static_cast<std::size_t>(j);
        t.w1[k] = at(slot, kW1a + j);
        t.w2[k] = at(slot, kW2a + j);
        t.ld1[k] = at(slot, kLd1a + j);
        t.ld2[k] = at(slot, kLd2a + j);
    }
    t.inertia = at(slot, kInertia);
    t.modulus = at(slot, kModulus);
    t.selfw = at(slot, kSelfWeight);
    t.H1 = at(slot, kH);
    t.B1 = at(slot, kB);
    t.tw1 = at(slot, kTw);
    t.tf1 = at(slot, kTf);
    t.r1 = "0";
    t.A1 = "0";
    t.term = at(slot, kTerm) != "長期";
    t.si = isSi(slot);
    t.jijuucheck = at(slot, kSelfSwitch) == "自重自動計算";
    t.weak = at(slot, kAxis) != "強軸";
    t.support = results::supportFromWord(at(slot, kSupport)).value_or(beam::Support::PinPin);
    t.family = beam::familyFromCode(at(slot, kFamily)).value_or(beam::Family::Direct);
    return t;
}

beam::Basis slotBasis(const results::SlotRecord &slot)
{
    beam::Basis b;
    const std::optional<beam::NoticeTexts> n = results::noticeTexts(slot);
    if (!n)
        return b;
    b.rule = beam::FbRule::Notice;
    b.grade = n->grade;
    if (const std::optional<double> F = beam::gradeStrength(n->grade))
        b.F = *F;
    else
        b.F = beam::parseDouble(n->F);
    b.shear = n->shear != beam::kShearOff;
    return b;
}

DerivedBeam deriveBeam(const results::SlotRecord &slot, int slotNo, const sections::Catalogue *catalogue)
{
    DerivedBeam d;
    d.slot = slot;
    d.slotNo = slotNo;
    d.texts = slotInput(slot);
    d.basis = slotBasis(slot);
    d.refusal = completeSection(d.texts, at(slot, field::kMember), catalogue);
    d.sectionKnown = d.refusal.empty();
    d.in = beam::readInput(d.texts);
    const beam::Modulus modulus = d.notice() ? beam::Modulus::Notice : beam::Modulus::Traditional;
    if (d.in.span > 0) {
        d.shear = beam::shearCurve(d.in);
        d.deflection = beam::deflectionCurve(d.in, modulus);
    }
    if (!d.refusal.empty()) {
        d.differs.emplace_back("再計算");
        return d;
    }

    auto run = [&d]() {
        beam::CheckOutcome out = beam::runCheck(d.texts, d.basis);
        d.refusal = out.error;
        d.result = std::move(out.result);
        return d.result ? differences(d.slot, *d.result) : std::vector<std::string>{"再計算"};
    };
    d.differs = run();
    // What the slot does not say outright: the SI basis of the old rule, a typed C.
    auto retry = [&](auto change) {
        DerivedBeam keep = d;
        change();
        if (std::vector<std::string> again = run(); again.size() < keep.differs.size())
            d.differs = std::move(again);
        else
            d = std::move(keep);
    };
    if (!d.differs.empty() && d.texts.si && !d.notice())
        retry([&d] {
            d.si157 = true;
            d.texts.si157 = true;
            d.in.si157 = true;
        });
    const std::optional<beam::NoticeTexts> stored = results::noticeTexts(slot);
    if (!d.differs.empty() && stored && !stored->C.empty() && d.result && d.result->notice &&
        d.result->notice->C != stored->C)
        retry([&d, &stored] { d.basis.C = beam::parseDouble(stored->C); });
    return d;
}

CatalogueForSheets sheetCatalogue()
{
    const files::DataFile file = files::findDataFile(files::dataFolders(), sections::kCatalogueFile);
    sections::CatalogueRead read = sections::readCatalogue(file.path);
    return {std::move(read.catalogue), std::move(read.error)};
}

} // namespace sheets
