// The project file reader on arbitrary bytes: the lines as they stand (parseProject) and
// the same bytes read through the code page 932 file layer (readProject). An accepted
// project has nothing after its slots but an extension block that agrees with them, and
// must save to a file that opens to the same table; a refused one must leave the table
// that is open as it was.
#include "fuzzutil.h"

#include "beam/numtext.h"
#include "files/textfile.h"
#include "results/projectfile.h"
#include "results/slotview.h"
#include "results/store.h"
#include "results/textreport.h"
#include "sheets/page.h"
#include "sheets/recordingcanvas.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

using fuzzutil::require;

const fuzzutil::ScratchFile &input()
{
    static const fuzzutil::ScratchFile file("project-in");
    return file;
}

const fuzzutil::ScratchFile &output()
{
    static const fuzzutil::ScratchFile file("project-out");
    return file;
}

const fuzzutil::ScratchFile &report()
{
    static const fuzzutil::ScratchFile file("project-report");
    return file;
}

bool sameTable(const results::Table &a, const results::Table &b)
{
    return a.datano == b.datano && a.selected == b.selected && a.pre == b.pre && a.selectgrid == b.selectgrid &&
           a.slots == b.slots;
}

// What an accepted file must give: the count, the fields of the lines with the three
// placeholders replaced, all loaded slots marked, slot 1 selected, the rest empty.
void checkLoaded(const results::Table &t, const std::vector<std::string> &lines)
{
    const std::optional<long long> count = beam::parseInteger(lines[0]);
    require(count && *count >= 0 && *count <= results::kSlots, "only a count 0..50 is accepted", lines[0]);
    require(t.datano == *count, "the count is the first line's number");
    require(t.selected == 1 && t.pre == 0, "slot 1 is selected after an open");
    for (int s = 1; s <= results::kSlots; ++s) {
        const results::SlotRecord &record = t.slots[static_cast<std::size_t>(s)];
        require(t.selectgrid[static_cast<std::size_t>(s)] == (s <= t.datano ? "1" : "0"), "loaded slots are marked");
        for (int f = 1; f <= results::kFields; ++f) {
            const std::string &got = record[static_cast<std::size_t>(f)];
            if (s > t.datano) {
                require(got.empty(), "a slot past the count is empty");
                continue;
            }
            const std::size_t index = 1 + static_cast<std::size_t>(results::kFields * (s - 1) + (f - 1));
            std::string want = index < lines.size() ? lines[index] : std::string();
            if (f == 5 && want == "flag1")
                want = "両端ピン";
            else if (f == 6 && want == "flag2")
                want = "従来単位";
            else if (f == 58 && want == "flag3") {
                const std::size_t mIndex = index - 58 + 54;
                want = mIndex < lines.size() ? lines[mIndex] : std::string();
            }
            require(got == want, "a field is its line as it stands", got);
        }
        if (s > t.datano)
            require(!results::hasNoticeData(record), "a slot past the count has no basis");
    }
}

// Saves an accepted table and opens it again: the same table, and a second save gives the
// same bytes. A save that is refused must be refused for a field that cannot be written,
// and must not create the file.
void checkSaveAndOpen(const results::Table &t)
{
    output().remove();
    const std::string error = results::saveProject(output().path(), t);
    const std::optional<results::UnwritableField> bad = results::firstUnwritableField(t, 1, t.datano);
    if (bad) {
        require(!error.empty(), "a field that cannot be written refuses the save");
        require(error.find(bad->message) != std::string::npos, "the refusal names the field", error);
        require(!results::fileExists(output().path()), "a refused save writes nothing");
        return;
    }
    require(error.empty(), "a table of writable fields saves", error);
    const std::string bytes = output().read();

    results::Table reopened;
    results::resetTable(reopened);
    std::string notice;
    const std::string openError = results::openProject(reopened, output().path(), &notice);
    require(openError.empty(), "a saved project opens", openError);
    require(notice.empty(), "a saved project is complete", notice);
    require(sameTable(reopened, t), "a saved project opens to the same table");

    require(results::saveProject(output().path(), reopened).empty(), "an opened project saves again");
    require(output().read() == bytes, "saving an opened project gives the same bytes");

    // The text report: 31 lines per slot, one more for the shear check of a notice-rule
    // slot; written only when every field it uses fits.
    std::size_t expected = 0;
    for (int s = 1; s <= t.datano; ++s)
        expected += results::kReportBlockLines + (results::hasNoticeData(t.slots[static_cast<std::size_t>(s)]) ? 1 : 0);
    const std::vector<std::string> lines = results::reportLines(t);
    require(lines.size() == expected, "31 report lines per slot, 32 with the shear check");
    if (t.datano <= 4)
        require(results::writeTextReport(report().path(), t).empty(), "a savable table can be reported");
}

// What the program shows of a loaded table: every slot on the result table page, and
// the first and last preview pages of the marked slots with their figures.
void showLoaded(const results::Table &t)
{
    for (int s = 0; s <= results::kSlots; ++s)
        (void)results::slotView(t, s);
    (void)results::reactionRows(t);
    const std::size_t marked = sheets::markedSlots(t).size();
    const std::size_t pages = std::max<std::size_t>(1, (marked + 1) / 2);
    sheets::NullCanvas canvas; // composing the sheets runs every drawing step
    for (std::size_t page : {std::size_t(1), pages}) {
        sheets::PageSettings settings;
        settings.hyoujipage = std::to_string(page);
        const sheets::SheetOutcome out = sheets::composePage(canvas, t, settings);
        require(out.error.empty(), "a loaded table's pages can be composed", out.error);
    }
}

// Open over a table that is already there: a refused file leaves it exactly as it was.
void checkOpenKeepsTable(const std::string &path, bool accepted)
{
    results::Table kept;
    results::resetTable(kept);
    kept.datano = 1;
    kept.slots[1][2] = "残す梁";
    kept.selectgrid[1] = "1";
    kept.selected = 1;
    const results::Table before = kept;
    const std::string error = results::openProject(kept, path);
    if (accepted) {
        require(error.empty(), "an accepted file opens", error);
    } else {
        require(!error.empty(), "a refused file gives a message");
        require(sameTable(kept, before), "a refused open keeps the table");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);

    // The lines as they stand, whatever their bytes.
    const std::vector<std::string> raw = fuzzutil::splitLines(bytes);
    const results::ProjectRead parsed = results::parseProject(raw, "fuzz.kvl");
    if (parsed.table) {
        require(parsed.error.empty(), "an accepted file has no error");
        // after the slots: nothing but empty lines, or a block whose entries agree with their slots
        const std::size_t after = 1 + static_cast<std::size_t>(results::kFields * parsed.table->datano);
        require(after >= raw.size() || raw[after] == results::kExtensionHeader ||
                    std::all_of(raw.begin() + static_cast<std::ptrdiff_t>(after), raw.end(),
                                [](const std::string &line) { return line.empty(); }),
                "only a block follows the slots");
        for (int s = 1; s <= parsed.table->datano; ++s)
            require(results::noticeAgreesWithFb(parsed.table->slots[static_cast<std::size_t>(s)]),
                    "a slot's basis gives its fb");
        checkLoaded(*parsed.table, raw);
        showLoaded(*parsed.table);
        checkSaveAndOpen(*parsed.table);
    } else {
        const std::optional<long long> count = raw.empty() ? std::nullopt : beam::parseInteger(raw[0]);
        if (count && *count >= 0 && *count <= results::kSlots) {
            const std::size_t after = 1 + static_cast<std::size_t>(results::kFields * *count);
            require(after < raw.size() && std::any_of(raw.begin() + static_cast<std::ptrdiff_t>(after), raw.end(),
                                                      [](const std::string &line) { return !line.empty(); }),
                    "a count 0..50 is refused only for what follows its slots");
        }
        require(!parsed.error.empty(), "a refused file says why");
        require(parsed.error.find("fuzz.kvl") != std::string::npos, "the message names the file", parsed.error);
    }

    // The same bytes through the file layer: the lines decoded from code page 932 decide,
    // so it accepts what the lines as they stand allow, and a line that decoding makes a
    // number (a count typed in full-width digits) besides.
    input().write(bytes);
    const results::ProjectRead read = results::readProject(input().path());
    std::vector<std::string> decoded;
    for (const std::string &line : raw)
        if (std::optional<std::string> text = files::fromCp932(line))
            decoded.push_back(std::move(*text));
    const bool decodable = decoded.size() == raw.size();
    require(read.table.has_value() == (decodable && results::parseProject(decoded, "fuzz.kvl").table.has_value()),
            "the file layer accepts what its decoded lines allow");
    if (parsed.table && decodable)
        require(read.table.has_value(), "decoding never refuses what the lines allow");
    if (read.table)
        checkSaveAndOpen(*read.table);
    checkOpenKeepsTable(input().path(), read.table.has_value());
    return 0;
}
