// Writes the sample project of the calculation-sheet check (tools/data/sheets-sample.kvl):
// four beams typed as on the input page (each box tidied by its leaving rule), their
// sections looked up in shape/buzai.txt, checked by beam::runCheck and stored into slots
// 1..4 by results::storeResult, then saved by results::saveProject.
// Run from the source folder: make_sheet_sample OUT.kvl
#include "beam/check.h"
#include "beam/fieldrules.h"
#include "results/projectfile.h"
#include "results/store.h"
#include "sections/catalogue.h"
#include "sections/namedbeam.h"

#include <array>
#include <cstdio>
#include <string>
#include <vector>

namespace {

// One beam as the user types it; empty texts are boxes left alone.
struct Typed {
    const char *Bname;
    beam::Support support;
    bool si;
    bool term;
    beam::Family family;
    const char *member;
    const char *Span, *lb, *seigen1, *seigen2;
    const char *uniform;
    const char *uw, *lwa, *lwb, *nnl; // the uniform-load calculator, or empty
    std::vector<std::pair<const char *, const char *>> points;        // P, position from A
    std::vector<std::array<const char *, 4>> parts;                    // w1, w2, LD1, LD2
};

std::string tidy(const char *box, const std::string &typed)
{
    const beam::BoxRule *leave = beam::boxRule(box);
    if (!leave || leave->rule == beam::LeaveRule::Segment || leave->rule == beam::LeaveRule::ColourOnly)
        return typed;
    return beam::leaveBox(*leave, typed).text;
}

bool fill(const Typed &t, sections::NamedBeam &page, std::string &error)
{
    const char *abc[] = {"a", "b", "c"};
    beam::InputTexts in;
    in.si = t.si;
    in.term = t.term;
    in.support = t.support;
    in.family = t.family;
    in.Span = tidy("Span", t.Span);
    in.lb = tidy("lb", t.lb);
    in.seigen1 = t.seigen1;
    in.seigen2 = t.seigen2;
    if (*t.uw) {
        const beam::UniformFormula f = beam::uniformCalculator(t.uw, t.lwa, t.lwb, t.nnl);
        if (!f.error.empty()) {
            error = f.error;
            return false;
        }
        page.shiki = f.shiki;
        in.uniform = f.uniform;
    } else {
        in.uniform = tidy("uniform", t.uniform);
    }
    for (int n = 0; n < beam::kPointLoads; ++n) {
        const std::string no = std::to_string(n + 1);
        const bool given = n < static_cast<int>(t.points.size());
        in.p[n] = tidy(("p" + no).c_str(), given ? t.points[n].first : "");
        in.pl[n] = tidy(("pl" + no).c_str(), given ? t.points[n].second : "0");
    }
    for (int j = 0; j < beam::kPartLoads; ++j) {
        const bool given = j < static_cast<int>(t.parts.size());
        const std::string s = abc[j];
        in.w1[j] = tidy(("w1" + s).c_str(), given ? t.parts[j][0] : "0");
        in.w2[j] = tidy(("w2" + s).c_str(), given ? t.parts[j][1] : "0");
        beam::SegmentTexts seg{given ? t.parts[j][2] : "0", given ? t.parts[j][3] : "0", ""};
        seg = beam::completeSegment(1, in.Span, seg); // leaving LD1
        seg = beam::completeSegment(2, in.Span, seg); // leaving LD2
        in.ld1[j] = seg.ld1;
        in.ld2[j] = seg.ld2;
        page.ld3[j] = seg.ld3;
    }

    const sections::CatalogueRead catalogue = sections::readCatalogue(sections::kCatalogueFile);
    if (!catalogue.catalogue) {
        error = catalogue.error;
        return false;
    }
    const sections::CatalogueRecord &record = sections::findRecord(*catalogue.catalogue, t.member);
    if (record[sections::kLineName] != t.member) {
        error = std::string("部材リストに ") + t.member + " がありません。";
        return false;
    }
    const sections::SectionTexts section = sections::sectionTexts(record, false);
    in.inertia = section.inertia;
    in.modulus = section.modulus;
    in.selfw = section.selfw;
    in.H1 = section.H1;
    in.B1 = section.B1;
    in.tf1 = section.tf1;

    const beam::CheckOutcome check = beam::runCheck(in);
    if (!check.result) {
        error = check.error;
        return false;
    }

    page.texts = in;
    page.Bname = t.Bname;
    page.member = t.member;
    page.dims = {record[sections::kLineH], record[sections::kLineB], record[sections::kLineTw],
                 record[sections::kLineTf]};
    page.result = *check.result;
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fputs("使い方: make_sheet_sample OUT.kvl（ソースのフォルダで実行します）\n", stderr);
        return 2;
    }
    using beam::Family;
    using beam::Support;
    const std::vector<Typed> beams = {
        {"大梁G1", Support::PinPin, true, false, Family::HN, "H-400x200x8x13", "8", "2", "300", "2.0", "12.5",
         "", "", "", "", {{"30", "2.5"}, {"20", "5.5"}}, {}},
        {"小梁B2", Support::PinFixed, false, false, Family::HN, "H-300x150x6.5x9", "6", "3", "300", "", "",
         "", "", "", "", {{"1.5", "4"}}, {{"1.5", "2.5", "0", "3"}, {"1", "1", "3.5", "2"}}},
        {"G3", Support::FixedFixed, true, false, Family::HM, "H-440x300x11x18", "10", "3.3", "300", "2.0", "",
         "5", "2", "2", "1", {{"40", "2.5"}, {"40", "5"}, {"40", "7.5"}}, {{}, {}, {"10", "20", "6", "4"}}},
        {"片持ちC4", Support::FreeFixed, false, true, Family::HW, "H-200x200x8x12", "2.5", "2.5", "250", "1.0",
         "0.5", "", "", "", "", {{"3", "2.5"}}, {}},
    };

    results::Table table;
    for (const Typed &t : beams) {
        sections::NamedBeam page;
        std::string error;
        // a part-span load listed as {} is one left empty
        Typed typed = t;
        std::vector<std::array<const char *, 4>> parts;
        for (const auto &p : t.parts)
            parts.push_back(p[0] ? p : std::array<const char *, 4>{"0", "0", "0", "0"});
        typed.parts = parts;
        if (!fill(typed, page, error)) {
            std::fprintf(stderr, "%s: %s\n", t.Bname, error.c_str());
            return 1;
        }
        results::storeResult(table, page, results::WhenFull::Refuse);
    }
    if (const std::string error = results::saveProject(argv[1], table); !error.empty()) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    std::printf("%s: %d件\n", argv[1], table.datano);
    return 0;
}
