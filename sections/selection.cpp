#include "sections/selection.h"

namespace sections {

namespace {

bool searchable(beam::Family family)
{
    return family == beam::Family::HW || family == beam::Family::HM || family == beam::Family::HN ||
           family == beam::Family::C;
}

// The section fields as choosing the record sets them: setting the member name runs the
// lookup, which finds the first record of that name; the dimensions and self weight then
// come from the record itself.
void showRecord(SelectionOutcome &out, const Catalogue &catalogue, const CatalogueRecord &record)
{
    out.member = record[kLineName];
    const SectionTexts looked = sectionTexts(findRecord(catalogue, out.member), false);
    out.inertia = looked.inertia;
    out.modulus = looked.modulus;
    out.selfw = record[kLineWeight];
    out.B1 = record[kLineB];
    out.H1 = record[kLineH];
    out.tf1 = record[kLineTf];
    out.tw1 = looked.tw1;
    out.r1 = looked.r1;
    out.A1 = looked.A1;
}

} // namespace

std::string selectionFamilyCode(beam::Family family)
{
    return beam::familyCode(searchable(family) ? family : beam::Family::HN);
}

std::vector<std::string> selectionNotes(const SelectionOutcome &outcome)
{
    std::vector<std::string> notes;
    if (!outcome.result)
        return notes;
    if (outcome.refused > 0)
        notes.push_back("（計算できない部材が " + std::to_string(outcome.refused) +
                        " 個あり、OK. でないものとして次の部材に進みました。" + outcome.firstRefusal + "）");
    if (outcome.result->hantei != beam::kVerdictOk) {
        const char *name = outcome.family == beam::Family::HW   ? "広幅H形鋼"
                           : outcome.family == beam::Family::HM ? "中幅H形鋼"
                           : outcome.family == beam::Family::C  ? "溝形鋼"
                                                                : "細幅H形鋼";
        notes.push_back(std::string("（") + name + "（" + outcome.familyCode + "）には OK. となる部材がありません。最大の " +
                        outcome.member + " の結果を表示しています。）");
    }
    notes.insert(notes.end(), outcome.notes.begin(), outcome.notes.end());
    return notes;
}

SelectionOutcome selectSize(const beam::InputTexts &in, const std::string &cataloguePath, const beam::Basis &basis)
{
    CatalogueRead read = readCatalogue(cataloguePath);
    if (!read.catalogue) {
        SelectionOutcome out;
        out.family = searchable(in.family) ? in.family : beam::Family::HN;
        out.familyCode = beam::familyCode(out.family);
        out.switchedToNarrow = !searchable(in.family);
        out.error = read.error;
        return out;
    }
    return selectSize(in, *read.catalogue, basis);
}

SelectionOutcome selectSize(const beam::InputTexts &in, const Catalogue &catalogue, const beam::Basis &basis)
{
    SelectionOutcome out;
    out.switchedToNarrow = !searchable(in.family);
    out.family = out.switchedToNarrow ? beam::Family::HN : in.family;
    out.familyCode = beam::familyCode(out.family);

    beam::InputTexts texts = in;
    texts.family = out.family;
    texts.weak = false; // the selection always bends about the strong axis

    // The section the search ends at: the last one checked with a result, else the
    // first one refused.
    const CatalogueRecord *ended = nullptr;
    for (const CatalogueRecord &record : catalogue.records) {
        if (record[kLineCode] != out.familyCode)
            continue;
        showRecord(out, catalogue, record);
        applySection(texts, out);
        ++out.checked;
        beam::CheckOutcome check = beam::runCheck(texts, basis);
        if (!check.result) {
            // A section the check cannot judge (an uplift that only its own weight would
            // overcome, a plate beyond the grade's table) does not pass; a heavier one may.
            if (++out.refused == 1) {
                out.firstRefusal = "部材「" + out.member + "」を計算できません。" + check.error;
                if (!ended)
                    ended = &record;
            }
            continue;
        }
        ended = &record;
        out.result = std::move(check.result);
        out.notes = std::move(check.notes);
        if (out.result->hantei == beam::kVerdictOk)
            break;
    }
    if (ended)
        showRecord(out, catalogue, *ended);
    if (!out.result && out.refused > 0)
        out.error = out.firstRefusal;
    return out;
}

} // namespace sections
