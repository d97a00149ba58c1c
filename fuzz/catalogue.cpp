// The section catalogue reader, the lookup and the automatic size selection on arbitrary
// file bytes. The reader only takes a path, so each input goes through a scratch file.
#include "fuzzutil.h"

#include "beam/check.h"
#include "files/textfile.h"
#include "sections/catalogue.h"
#include "sections/selection.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace {

using fuzzutil::require;

const fuzzutil::ScratchFile &scratch()
{
    static const fuzzutil::ScratchFile file("catalogue");
    return file;
}

bool sameTexts(const sections::SectionTexts &a, const sections::SectionTexts &b)
{
    return a.selfw == b.selfw && a.inertia == b.inertia && a.modulus == b.modulus && a.H1 == b.H1 && a.B1 == b.B1 &&
           a.tf1 == b.tf1;
}

void checkResultTexts(const beam::ResultTexts &r)
{
    for (const std::string *t : {&r.RQa, &r.RQb, &r.RMmax, &r.RMmaxl, &r.Mcent, &r.Menda, &r.Mendb, &r.Rdelta, &r.Rlx,
                                 &r.Rfb, &r.RSigmab, &r.Rratio})
        require(!fuzzutil::showsNonFinite(*t), "a selection result shows no inf or nan", *t);
    require(r.hantei == beam::kVerdictOk || r.hantei == beam::kVerdictNg, "the verdict is OK. or NG.", r.hantei);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);
    const std::string &path = scratch().path();
    scratch().write(bytes);

    const sections::CatalogueRead read = sections::readCatalogue(path);
    const files::TextFileRead lines = files::readTextFile(path);
    if (!read.catalogue) {
        require(!read.error.empty(), "a refused catalogue has a message");
        require(read.error.find(path) != std::string::npos, "the message names the file", read.error);
        require(!lines.lines, "the catalogue is refused only when the file cannot be read as text");
        return 0;
    }
    require(lines.lines.has_value(), "a catalogue comes from a readable text file");
    const sections::Catalogue &cat = *read.catalogue;
    const std::vector<std::string> &all = *lines.lines;

    // The layout: 13-line records in file order, before the first record coded "END".
    auto line = [&all](std::size_t index) { return index < all.size() ? all[index] : std::string(); };
    for (std::size_t r = 0; r < cat.records.size(); ++r) {
        require(cat.records[r][sections::kLineCode] != sections::kTerminatorCode, "no record before the end is END");
        for (int k = 0; k < sections::kRecordLines; ++k)
            require(cat.records[r][static_cast<std::size_t>(k)] == line(r * sections::kRecordLines + static_cast<std::size_t>(k)),
                    "a record holds its 13 lines as they stand");
    }
    const std::size_t afterRecords = cat.records.size() * sections::kRecordLines;
    if (cat.hasTerminator) {
        require(cat.terminator[sections::kLineCode] == sections::kTerminatorCode, "the terminator is coded END");
        for (int k = 0; k < sections::kRecordLines; ++k)
            require(cat.terminator[static_cast<std::size_t>(k)] == line(afterRecords + static_cast<std::size_t>(k)),
                    "the terminator holds its lines as they stand");
    } else {
        require(afterRecords >= all.size(), "without a terminator every line belongs to a record");
        for (const std::string &t : cat.terminator)
            require(t.empty(), "a missing terminator reads as empty lines");
    }

    // The lookup stops at the first record of the name, else at the terminator.
    const std::size_t probes = std::min<std::size_t>(cat.records.size(), 40);
    for (std::size_t r = 0; r < probes; ++r) {
        const std::string &name = cat.records[r][sections::kLineName];
        const sections::CatalogueRecord &found = sections::findRecord(cat, name);
        std::size_t first = 0;
        while (cat.records[first][sections::kLineName] != name)
            ++first;
        require(&found == &cat.records[first], "a name resolves to its first occurrence", name);
    }
    const std::string absent = "\x7f absent \x7f";
    require(&sections::findRecord(cat, absent) == &cat.terminator, "an absent name stops at the terminator");

    // The file lookup copies what the record holds, for either axis.
    const std::string probeName = cat.records.empty() ? absent : cat.records.back()[sections::kLineName];
    for (bool weak : {false, true}) {
        const sections::LookupOutcome look = sections::lookupMember(path, probeName, weak);
        require(look.texts.has_value() && look.error.empty(), "a readable catalogue gives texts", look.error);
        const sections::CatalogueRecord &record = sections::findRecord(cat, probeName);
        require(look.found == (&record != &cat.terminator), "found tells a record from the terminator");
        require(sameTexts(*look.texts, sections::sectionTexts(record, weak)), "the lookup copies the record's lines");
        require(look.texts->inertia == record[weak ? sections::kLineIy : sections::kLineIx], "the axis picks the line");
    }

    // The size selection over the catalogue: it ends, and shows only finite numbers.
    if (cat.records.size() <= 40 && !cat.records.empty()) {
        beam::InputTexts in;
        in.Span = "6.0";
        in.lb = "3.0";
        in.uniform = "10";
        const std::optional<beam::Family> family = beam::familyFromCode(cat.records.front()[sections::kLineCode]);
        in.family = family.value_or(beam::Family::HN);
        const sections::SelectionOutcome sel = sections::selectSize(in, cat);
        int ofFamily = 0;
        for (const sections::CatalogueRecord &record : cat.records)
            ofFamily += record[sections::kLineCode] == sel.familyCode;
        require(sel.checked <= ofFamily, "the selection checks only sections of its family");
        if (sel.result) {
            checkResultTexts(*sel.result);
            if (sel.result->hantei == beam::kVerdictNg)
                require(sel.checked == ofFamily, "a failing selection has tried the whole family");
        } else {
            require(sel.checked == 0 || !sel.error.empty(), "a selection without a result says why");
        }
    }
    return 0;
}
