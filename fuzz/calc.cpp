// The `kovel-cli calc` input reader on arbitrary bytes, then the calculation the command
// runs. An accepted input must read back the same when written out again as name=value
// lines; a finished calculation shows only finite numbers.
#include "sections/namedlines.h"

#include "fuzzutil.h"

#include <cstdint>
#include <filesystem>
#include <string_view>
#include <unistd.h>

namespace {

using fuzzutil::require;

// The name=value lines that set every field of the input as it stands.
std::string writeInput(const sections::NamedBeam &c)
{
    const beam::InputTexts &t = c.texts;
    std::string out = "# written back\r\n";
    auto line = [&out](const std::string &name, const std::string &value) { out += name + "=" + value + "\r\n"; };
    auto flag = [&line](const std::string &name, bool on) { line(name, on ? "1" : "0"); };
    line("Bname", c.Bname);
    line("Span", t.Span);
    line("lb", t.lb);
    line("seigen1", t.seigen1);
    line("seigen2", t.seigen2);
    flag("term", t.term);
    flag("si", t.si);
    flag("si157", t.si157);
    line("uniform", t.uniform);
    line("shiki", c.shiki);
    for (int k = 0; k < beam::kPointLoads; ++k) {
        line("p" + std::to_string(k + 1), t.p[static_cast<std::size_t>(k)]);
        line("pl" + std::to_string(k + 1), t.pl[static_cast<std::size_t>(k)]);
    }
    const char *const suffix[] = {"a", "b", "c"};
    for (std::size_t j = 0; j < 3; ++j) {
        line(std::string("w1") + suffix[j], t.w1[j]);
        line(std::string("w2") + suffix[j], t.w2[j]);
        line(std::string("ld1") + suffix[j], t.ld1[j]);
        line(std::string("ld2") + suffix[j], t.ld2[j]);
        line(std::string("ld3") + suffix[j], c.ld3[j]);
    }
    line("support", beam::supportName(t.support));
    flag("jijuucheck", t.jijuucheck);
    line("family", beam::familyCode(t.family));
    if (c.memberGiven)
        line("member", c.member);
    line("inertia", t.inertia);
    line("modulus", t.modulus);
    line("selfw", t.selfw);
    flag("weak", t.weak);
    line("H", c.dims.H);
    line("B", c.dims.B);
    line("tw", c.dims.tw);
    line("tf", c.dims.tf);
    flag("design", c.design);
    return out;
}

bool sameInput(const sections::NamedBeam &a, const sections::NamedBeam &b)
{
    const beam::InputTexts &x = a.texts, &y = b.texts;
    return x.Span == y.Span && x.lb == y.lb && x.seigen1 == y.seigen1 && x.seigen2 == y.seigen2 &&
           x.uniform == y.uniform && x.p == y.p && x.pl == y.pl && x.w1 == y.w1 && x.w2 == y.w2 && x.ld1 == y.ld1 &&
           x.ld2 == y.ld2 && x.inertia == y.inertia && x.modulus == y.modulus && x.selfw == y.selfw &&
           x.term == y.term && x.si == y.si && x.jijuucheck == y.jijuucheck && x.weak == y.weak &&
           x.si157 == y.si157 && x.support == y.support && x.family == y.family && a.Bname == b.Bname &&
           a.shiki == b.shiki && a.ld3 == b.ld3 &&
           a.member == b.member && a.memberGiven == b.memberGiven && a.dims.H == b.dims.H && a.dims.B == b.dims.B &&
           a.dims.tw == b.dims.tw && a.dims.tf == b.dims.tf && a.design == b.design;
}

void checkShown(const beam::ResultTexts &r)
{
    for (const std::string *t : {&r.RQa, &r.RQb, &r.RMmax, &r.RMmaxl, &r.Mcent, &r.Menda, &r.Mendb, &r.Rdelta, &r.Rlx,
                                 &r.Rfb, &r.RSigmab, &r.Rratio, &r.hantei})
        require(!fuzzutil::showsNonFinite(*t), "calc shows no inf or nan", *t);
    for (const std::string &m : r.Mgrid)
        require(!fuzzutil::showsNonFinite(m), "calc shows no inf or nan in the moments", m);
}

} // namespace

// The command reads the catalogue relative to the working directory: run from the
// source tree, found two folders above the executable when started elsewhere.
extern "C" int LLVMFuzzerInitialize(int *, char ***argv)
{
    namespace fs = std::filesystem;
    std::error_code ec;
    if (!fs::exists(sections::kCatalogueFile, ec)) {
        const fs::path root = fs::absolute((*argv)[0], ec).parent_path().parent_path().parent_path();
        if (fs::exists(root / sections::kCatalogueFile, ec))
            fs::current_path(root, ec);
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const std::string text(reinterpret_cast<const char *>(data), size);
    sections::NamedBeam c;
    const std::string error = sections::readNamedLines(text, c);
    if (!error.empty()) {
        const std::size_t mark = error.find("行目「");
        require(mark != std::string::npos && mark > 0 && error.find_first_not_of("0123456789") == mark,
                "a refused input names its line", error);
        return 0;
    }

    sections::NamedBeam again;
    const std::string written = writeInput(c);
    const std::string againError = sections::readNamedLines(written, again);
    require(againError.empty(), "an accepted input written back is accepted", againError);
    require(sameInput(c, again), "an accepted input written back reads the same", written);

    // The calculation as the command runs it.
    const sections::NamedCheck check = sections::checkNamedBeam(c);
    if (check.result)
        checkShown(*check.result);
    else
        require(!check.error.empty(), "a calculation without a result says why");
    return 0;
}
