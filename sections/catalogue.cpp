#include "sections/catalogue.h"

#include "files/textfile.h"

namespace sections {

CatalogueRead readCatalogue(const std::string &path)
{
    files::TextFileRead file = files::readTextFile(path, files::kLargestDataFile);
    if (!file.lines)
        return {std::nullopt, file.error};
    const std::vector<std::string> &lines = *file.lines;

    Catalogue catalogue;
    std::size_t next = 0;
    while (next < lines.size()) {
        CatalogueRecord record{};
        for (int k = 0; k < kRecordLines && next < lines.size(); ++k)
            record[k] = lines[next++];
        if (record[kLineCode] == kTerminatorCode) {
            catalogue.terminator = std::move(record);
            catalogue.hasTerminator = true;
            break;
        }
        catalogue.records.push_back(std::move(record));
    }
    return {std::move(catalogue), {}};
}

const CatalogueRecord &findRecord(const Catalogue &catalogue, const std::string &member)
{
    for (const CatalogueRecord &record : catalogue.records)
        if (record[kLineName] == member)
            return record;
    return catalogue.terminator;
}

SectionTexts sectionTexts(const CatalogueRecord &record, bool weak)
{
    SectionTexts t;
    t.selfw = record[kLineWeight];
    t.inertia = record[weak ? kLineIy : kLineIx];
    t.modulus = record[weak ? kLineZy : kLineZx];
    t.B1 = record[kLineB];
    t.H1 = record[kLineH];
    t.tf1 = record[kLineTf];
    t.tw1 = record[kLineTw];
    t.r1 = record[kLineRadius];
    t.A1 = record[kLineArea];
    return t;
}

void applySection(beam::InputTexts &in, const SectionTexts &t)
{
    in.selfw = t.selfw;
    in.inertia = t.inertia;
    in.modulus = t.modulus;
    in.H1 = t.H1;
    in.B1 = t.B1;
    in.tf1 = t.tf1;
    in.tw1 = t.tw1;
    in.r1 = t.r1;
    in.A1 = t.A1;
}

LookupOutcome lookupMember(const std::string &path, const std::string &member, bool weak)
{
    CatalogueRead read = readCatalogue(path);
    if (!read.catalogue)
        return {std::nullopt, false, read.error};
    const CatalogueRecord &record = findRecord(*read.catalogue, member);
    const bool found = &record != &read.catalogue->terminator;
    return {sectionTexts(record, weak), found, {}};
}

const std::vector<std::string> &familyDesignations(beam::Family family)
{
    static const std::vector<std::string> hw = {
        "H-100x100x6x8", "H-125x125x6.5x9", "H-150x150x7x10", "H-175x175x7.5x11", "H-200x200x8x12",
        "H-250x250x9x14", "H-300x300x10x15", "H-350x350x12x19", "H-400x400x13x21"};
    static const std::vector<std::string> hm = {
        "H-148x100x6x9",   "H-194x150x6x9",   "H-244x175x7x11",  "H-294x200x8x12",  "H-340x250x9x14",
        "H-390x300x10x16", "H-440x300x11x18", "H-482x300x11x15", "H-488x300x11x18", "H-582x300x12x17",
        "H-588x300x12x20", "H-692x300x13x20", "H-700x300x13x24", "H-792x300x14x22", "H-800x300x14x26",
        "H-890x299x15x23", "H-900x300x16x28"};
    static const std::vector<std::string> hn = {
        "H-100x50x5x7",    "H-125x60x6x8",    "H-150x75x5x7",    "H-175x90x5x8",    "H-198x99x4.5x7",
        "H-200x100x5.5x8", "H-248x124x5x8",   "H-250x125x6x9",   "H-298x149x5.5x8", "H-300x150x6.5x9",
        "H-346x174x6x9",   "H-350x175x7x11",  "H-396x199x7x11",  "H-400x200x8x13",  "H-446x199x8x12",
        "H-450x200x9x14",  "H-496x199x9x14",  "H-500x200x10x16", "H-596x199x10x15", "H-600x200x11x17"};
    static const std::vector<std::string> c = {
        "[-75x40x5x7",      "[-100x50x5x7.5",   "[-125x65x6x8",    "[-150x75x6.5x10",  "[-150x75x9x12.5",
        "[-180x75x7x10.5",  "[-200x80x7.5x11",  "[-200x90x8x13.5", "[-250x90x9x13",    "[-250x90x11x14.5",
        "[-300x90x9x13",    "[-300x90x10x15.5", "[-300x90x12x16",  "[-380x100x10.5x16", "[-380x100x13x16.5",
        "[-380x100x13x20",  ""};
    static const std::vector<std::string> l = {
        "L-50x50x4",     "L-50x50x6",     "L-60x60x4",     "L-60x60x5",     "L-65x65x6",
        "L-65x65x8",     "L-75x75x6",     "L-75x75x9",     "L-75x75x12",    "L-90x90x6",
        "L-90x90x7",     "L-90x90x10",    "L-90x90x13",    "L-100x100x7",   "L-100x100x10",
        "L-100x100x13",  "L-120x120x8",   "L-130x130x9",   "L-130x130x12",  "L-130x130x15",
        "L-150x150x12",  "L-150x150x15",  "L-150x150x19",  "L-175x175x12",  "L-175X175X15",
        "L-200x200x15",  "L-200x200x20",  "L-200x200x25",  "L-250x250x25",  "L-250x250x35"};
    static const std::vector<std::string> i = {
        "I-100x75x5x8",       "I-125x75x5.5x9.5",  "I-150x75x5.5x9.5", "I-150x125x8.5x14", "I-180x100x6x10",
        "I-200x100x7x10",     "I-200x150x9x16",    "I-250x125x7.5x12.5", "I-250x125x10x19", "I-300x150x8x13",
        "I-300x150x11.5x22",  "I-350x150x9x15",    "I-350x150x12x24",  "I-400x150x10x18",  "I-400x150x12.5x25",
        "I-450x175x11x20",    "I-450x175x13x26",   "I-600x190x13x25",  "I-600x190x16x35"};
    static const std::vector<std::string> none;
    switch (family) {
    case beam::Family::HW: return hw;
    case beam::Family::HM: return hm;
    case beam::Family::HN: return hn;
    case beam::Family::C: return c;
    case beam::Family::L: return l;
    case beam::Family::I: return i;
    default: return none;
    }
}

bool isCatalogueFamily(beam::Family f)
{
    switch (f) {
    case beam::Family::HW:
    case beam::Family::HM:
    case beam::Family::HN:
    case beam::Family::C:
    case beam::Family::L:
    case beam::Family::I:
        return true;
    default:
        return false;
    }
}

} // namespace sections
