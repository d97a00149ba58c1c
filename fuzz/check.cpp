// The whole beam check on input texts made from the fuzz bytes: no crash, no hang, and
// every shown result a finite number in its pattern. Computed sections (built-up H, square
// and round pipe) go through their dimension operation first.
//
// Input: line 1 holds the switches (T short-term, S SI units, J self weight, W weak axis,
// 7 the 157 MPa basis; the first of a b c d picks the support pinpin, pinkotei,
// koteikotei, jiyuukotei; the first of 0-9 or X picks the section family in radio order
// HW, HM, HN, C, L, I, BH, kaku, maru, direct, user). The next lines are the field texts
// Span, lb, seigen1, seigen2, uniform, p1..p8, pl1..pl8, w1a..w1c, w2a..w2c, ld1a..ld1c,
// ld2a..ld2c, inertia, modulus, selfw, H1, B1, tf1, tw; a missing line keeps the
// start-up text.
#include "fuzzutil.h"

#include "beam/check.h"
#include "beam/numtext.h"
#include "sections/computed.h"

#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

using fuzzutil::require;

void requireFixed(const std::string &text, int decimals, const char *what)
{
    require(!fuzzutil::showsNonFinite(text), what, text);
    require(fuzzutil::isFixed(text, decimals), what, text);
}

void requireNotNegative(const std::string &text, const char *what)
{
    require(text.empty() || text[0] != '-', what, text);
}

beam::InputTexts readTexts(const std::vector<std::string> &lines, std::string &tw)
{
    beam::InputTexts in;
    const std::string switches = lines.empty() ? std::string() : lines[0];
    in.term = switches.find('T') != std::string::npos;
    in.si = switches.find('S') != std::string::npos;
    in.jijuucheck = switches.find('J') != std::string::npos;
    in.weak = switches.find('W') != std::string::npos;
    in.si157 = switches.find('7') != std::string::npos;
    const std::size_t support = switches.find_first_of("abcd");
    if (support != std::string::npos)
        in.support = static_cast<beam::Support>(switches[support] - 'a');
    const std::size_t family = switches.find_first_of("0123456789X");
    if (family != std::string::npos)
        in.family = static_cast<beam::Family>(switches[family] == 'X' ? 10 : switches[family] - '0');

    std::vector<std::string *> fields = {&in.Span, &in.lb, &in.seigen1, &in.seigen2, &in.uniform};
    for (auto &t : in.p)
        fields.push_back(&t);
    for (auto &t : in.pl)
        fields.push_back(&t);
    for (auto *group : {&in.w1, &in.w2, &in.ld1, &in.ld2})
        for (auto &t : *group)
            fields.push_back(&t);
    for (std::string *t : {&in.inertia, &in.modulus, &in.selfw, &in.H1, &in.B1, &in.tf1, &tw})
        fields.push_back(t);
    for (std::size_t i = 0; i < fields.size() && i + 1 < lines.size(); ++i)
        *fields[i] = lines[i + 1];
    return in;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);
    std::string tw = "5";
    beam::InputTexts in = readTexts(fuzzutil::splitLines(bytes), tw);

    if (in.family == beam::Family::BH || in.family == beam::Family::Kaku || in.family == beam::Family::Maru) {
        const sections::ComputedSection s = sections::computeSection(in.family, {in.H1, in.B1, tw, in.tf1}, in.weak);
        if (!s.error.empty()) {
            require(s.inertia.empty() && s.modulus.empty() && s.selfw.empty(), "a refused section writes nothing");
            return 0;
        }
        for (const std::string *t : {&s.inertia, &s.modulus, &s.selfw})
            requireFixed(*t, 2, "a computed property is finite in #####0.00");
        in.inertia = s.inertia;
        in.modulus = s.modulus;
        in.selfw = s.selfw;
    }

    const beam::CheckOutcome out = beam::runCheck(in);
    if (!out.result) {
        require(!out.error.empty(), "a refused check says why");
        return 0;
    }
    require(out.error.empty(), "a finished check has no error");
    const beam::ResultTexts &r = *out.result;
    requireFixed(r.RQa, 3, "RQa in ##0.000");
    requireFixed(r.RQb, 3, "RQb in ##0.000");
    requireFixed(r.RMmax, 3, "RMmax in ###0.000");
    requireFixed(r.RMmaxl, 3, "RMmaxl in ###0.000");
    for (const std::string *label : {&r.Mcent, &r.Menda, &r.Mendb})
        if (!label->empty())
            requireFixed(*label, 3, "a moment label in ###0.000");
    requireFixed(r.Rdelta, 3, "Rdelta in ##0.000");
    requireFixed(r.Rlx, 1, "Rlx in #####0.0");
    requireFixed(r.Rfb, 3, "Rfb in #0.000");
    requireFixed(r.RSigmab, 3, "RSigmab in ##0.000");
    requireFixed(r.Rratio, 3, "Rratio in ##0.000");
    requireNotNegative(r.RMmax, "the design moment is a magnitude");
    // The governing deflection is signed (upward negative); L/delta is L / |delta|.
    requireNotNegative(r.Rlx, "L/delta is not negative");
    require(beam::parseDouble(r.Rfb) > 0, "a finished check has a positive fb", r.Rfb);
    require(r.hantei == beam::kVerdictOk || r.hantei == beam::kVerdictNg, "the verdict is OK. or NG.", r.hantei);
    for (const std::string &m : r.Mgrid)
        require(fuzzutil::isTrimmedFourPlaces(m), "a station moment in ###0.####", m);
    const double L = beam::parseDouble(in.Span);
    require(std::isfinite(L) && L > 0, "only a positive finite span is checked", in.Span);
    return 0;
}
