#include "sections/namedbeam.h"

#include "beam/numtext.h"
#include "files/datafiles.h"
#include "sections/catalogue.h"
#include "sections/selection.h"

#include <cmath>

namespace sections {

namespace {

// A data file as the window finds it: the working directory, the user's data folder,
// the installed data. A file in the working directory keeps its relative name.
std::string dataFile(const char *relative)
{
    return files::findDataFile(files::dataFolders(), relative).path;
}

// The catalogue lookup, on the catalogue given or on the file read afresh.
LookupOutcome lookup(const SectionSources &sources, const std::string &member, bool weak)
{
    if (!sources.catalogue)
        return lookupMember(dataFile(kCatalogueFile), member, weak);
    const CatalogueRecord &record = findRecord(*sources.catalogue, member);
    return {sectionTexts(record, weak), &record != &sources.catalogue->terminator, {}};
}

// Fills the section fields from the chosen source, as the section group of the input
// page does. Returns an error text when the section cannot be had.
std::string resolveSection(NamedBeam &c, const SectionSources &sources)
{
    beam::InputTexts &t = c.texts;
    const beam::Family family = t.family;
    if (isCatalogueFamily(family)) {
        // Choosing a family without naming a member takes the first item of its list.
        if (!c.memberGiven && family != beam::Family::HN)
            c.member = familyDesignations(family).front();
        const LookupOutcome look = lookup(sources, c.member, t.weak);
        if (!look.texts)
            return look.error;
        if (!look.found)
            return std::string("部材「") + c.member + "」は部材リスト（" + dataFile(kCatalogueFile) + "）にありません。";
        applySection(t, *look.texts);
        return {};
    }
    switch (family) {
    case beam::Family::BH:
    case beam::Family::Kaku:
    case beam::Family::Maru: {
        const ComputedSection s = computeSection(family, c.dims, t.weak);
        if (!s.error.empty())
            return s.error;
        if (std::string why = dimensionRefusal(family, c.dims); !why.empty())
            return why;
        c.member = *s.member;
        applySection(t, s);
        return {};
    }
    case beam::Family::User: {
        const MemberLoad read = sources.members ? MemberLoad{} : loadMembers(dataFile(kMemberFile));
        const MemberLoad &load = sources.members ? *sources.members : read;
        if (!load.error.empty())
            return load.error;
        if (!c.memberGiven)
            c.member = load.list.userlistText;
        if (load.list.count == 0)
            return std::string("登録部材がありません（") + dataFile(kMemberFile) + "）。";
        const std::optional<MemberChoice> choice = chooseMember(load.list, c.member, t.weak);
        if (!choice)
            return "登録部材「" + c.member + "」はありません。";
        c.member = choice->member;
        t.selfw = choice->selfw;
        t.inertia = choice->inertia;
        t.modulus = choice->modulus;
        return {}; // H1, B1, tf1 keep their texts; registered members use the basic fb
    }
    default: // direct input: the typed texts as they stand
        return {};
    }
}

} // namespace

NamedCheck checkNamedBeam(const NamedBeam &named, const SectionSources &sources)
{
    NamedCheck out;
    out.beam = named;

    // Like the calculate image: nothing is calculated without a positive span.
    const double span = beam::parseDouble(named.texts.Span);
    if (!std::isfinite(span)) {
        out.error = "「スパン長さ」の値が大きすぎます。数字を確認して下さい。";
        return out;
    }
    if (!(span > 0)) {
        out.error = "スパン長さが0以下です。計算しません。";
        return out;
    }

    if (named.design) {
        SelectionOutcome s = sources.catalogue ? selectSize(named.texts, *sources.catalogue, named.basis)
                                               : selectSize(named.texts, dataFile(kCatalogueFile), named.basis);
        if (s.switchedToNarrow)
            out.notes.push_back("自動選択は細幅H形鋼（HN）で行います。");
        if (!s.error.empty()) {
            out.error = s.error;
            return out;
        }
        if (s.checked == 0 || !s.result) {
            out.error = "部材リスト（" + dataFile(kCatalogueFile) + "）に " + s.familyCode + " の部材がありません。";
            return out;
        }
        out.beam.member = s.member;
        out.beam.texts.family = s.family;
        out.beam.texts.weak = false; // the selection always bends about the strong axis
        applySection(out.beam.texts, s);
        for (const std::string &note : selectionNotes(s)) // reads the verdict: before the result moves out
            out.resultNote += note;
        out.result = std::move(s.result);
        return out;
    }

    NamedBeam c = named;
    if (std::string error = resolveSection(c, sources); !error.empty()) {
        out.error = error;
        return out;
    }
    out.beam = std::move(c);
    beam::CheckOutcome check = beam::runCheck(out.beam.texts, out.beam.basis);
    if (!check.result) {
        out.error = check.error;
        return out;
    }
    out.result = std::move(check.result);
    for (const std::string &note : check.notes)
        out.resultNote += note;
    return out;
}

} // namespace sections
