// The derivation of fb, recomputed from its terms by the formulas a sheet writes with the
// values put in, gives the fb the check shows.
#include "beam/check.h"
#include "beam/numtext.h"
#include "plainbeam.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

namespace {

using beam::InputTexts;
using beam::Support;
using beamtest::check;
using beamtest::plainBeam;

std::string shown(double v) { return beam::formatNumber(v, "#0.000"); }

struct Row {
    const char *name;
    InputTexts in;
    beam::Basis basis;
    bool capGoverns = false;                                // old rule
    beam::NoticeGoverns governs = beam::NoticeGoverns::Cap; // notice rule
    beam::CReason reason = beam::CReason::ShortBracing;
};

// A section, span and load of the notice rule's worked examples; large I and Z where only
// fb matters.
InputTexts hSection(const char *H, const char *B, const char *tw, const char *tf, const char *r, Support support,
                    const char *span, const char *lb, const char *at)
{
    InputTexts in;
    in.family = beam::Family::HN;
    in.H1 = H;
    in.B1 = B;
    in.tw1 = tw;
    in.tf1 = tf;
    in.r1 = r;
    in.inertia = "100000";
    in.modulus = "5000";
    in.support = support;
    in.Span = span;
    in.lb = lb;
    in.p[0] = "10";
    in.pl[0] = at;
    in.jijuucheck = false;
    return in;
}

TEST(AllowableStress, TermsReproduceTheCheckedFb)
{
    beam::Basis notice;
    notice.rule = beam::FbRule::Notice;
    const InputTexts old = hSection("200", "100", "5.5", "8", "8", Support::PinPin, "6", "3", "3");
    InputTexts oldTf = old, old157 = old, oldShort = old, oldWeak = old;
    oldTf.si = false;
    old157.si157 = true;
    old157.lb = "1"; // 3.6 capped to 1.6
    oldShort.term = true;
    oldWeak.weak = true;

    const InputTexts fb2 = hSection("300", "150", "6.5", "9", "13", Support::PinPin, "6", "3", "3");
    InputTexts fb2TfShort = fb2;
    fb2TfShort.si = false;
    fb2TfShort.term = true;
    const InputTexts fb1 = hSection("400", "200", "8", "13", "13", Support::PinPin, "8", "6", "4");
    // Braced at the supports only, load at L/3: end moments -0.889 P and -0.444 P.
    const InputTexts ends = hSection("300", "150", "6.5", "9", "13", Support::FixedFixed, "6", "6", "2");

    using G = beam::NoticeGoverns;
    using R = beam::CReason;
    const Row rows[] = {
        {"old rule, SI", old, {}},
        {"old rule, tf", oldTf, {}},
        {"old rule, 157 MPa basis, capped", old157, {}, true},
        {"old rule, short term", oldShort, {}},
        {"old rule, weak axis", oldWeak, {}},
        {"notice, fb2 governs", fb2, notice, false, G::Fb2, R::ShortBracing},
        {"notice, fb2 governs, tf, short term", fb2TfShort, notice, false, G::Fb2, R::ShortBracing},
        {"notice, fb1 governs", fb1, notice, false, G::Fb1, R::ShortBracing},
        {"notice, C from the end moments", ends, notice, false, G::Fb1, R::EndMoments},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        const beam::CheckOutcome out = beam::runCheck(row.in, row.basis);
        ASSERT_TRUE(out.result) << out.error;
        const beam::ResultTexts &r = *out.result;
        const beam::BeamInput in = beam::readInput(row.in);
        const beam::AllowableBending a = beam::allowableStress(in, beam::Mcalc(in), row.basis,
                                                               beam::sectionStrength(row.basis, in));
        const double H = in.H1, B = in.B1, tf = in.tf1, term = in.term ? 1.5 : 1;
        EXPECT_EQ(a.rule, row.basis.rule);
        EXPECT_EQ(a.shortTerm, in.term);

        if (row.basis.rule == beam::FbRule::Old) {
            ASSERT_TRUE(a.old);
            const beam::OldBendingTerms &t = *a.old;
            EXPECT_DOUBLE_EQ(t.Af, B * tf / 100);
            EXPECT_DOUBLE_EQ(t.lb, in.lb * 100);
            EXPECT_DOUBLE_EQ(t.h, H / 10);
            EXPECT_EQ(t.basic == beam::BasicFbReason::WeakAxis, in.weak);
            EXPECT_EQ(t.capGoverns, row.capGoverns);
            const double tfcm2 = t.formula ? std::min(900 * t.Af / (t.lb * t.h), 1.6) : 1.6;
            const double factor = !in.si ? 1 : in.si157 ? 15.7 / 1.6 : 9.80665;
            EXPECT_DOUBLE_EQ(t.factor, factor);
            EXPECT_EQ(shown(tfcm2 * factor * term), r.Rfb);
            EXPECT_EQ(shown(1.6 / std::sqrt(3.0) * factor * term), shown(t.fs));
        } else {
            ASSERT_TRUE(a.notice);
            ASSERT_TRUE(r.notice);
            const beam::NoticeBendingTerms &t = *a.notice;
            ASSERT_TRUE(t.fb1 && t.fb2 && t.tee && t.Lambda);
            EXPECT_EQ(t.F, 235);
            EXPECT_EQ(t.plate, std::max(tf, in.tw1));
            EXPECT_EQ(t.governs, row.governs);
            EXPECT_EQ(t.C.reason, row.reason);
            double C = 1;
            if (row.reason == R::EndMoments) { // single curvature: M2/M1 negative
                const double Ma = beam::parseDouble(r.Menda), Mb = beam::parseDouble(r.Mendb);
                const double ratio = -std::min(std::fabs(Ma), std::fabs(Mb)) / std::max(std::fabs(Ma), std::fabs(Mb));
                EXPECT_NEAR(t.C.ratio, ratio, 1e-3);
                C = 1.75 + 1.05 * ratio + 0.3 * ratio * ratio;
            }
            EXPECT_EQ(beam::formatNumber(C, "0.00"), r.notice->C);
            const double F = t.F, lb = in.lb * 1000, i = t.tee->i;
            EXPECT_DOUBLE_EQ(*t.Lambda, 1500 / std::sqrt(F / 1.5));
            const double f1 = F * (2.0 / 3 - 4.0 / 15 * (lb / i) * (lb / i) / (C * *t.Lambda * *t.Lambda));
            const double f2 = 89000 * (B * tf) / (lb * H);
            const double fb = std::min(std::max(f1, f2), F / 1.5);
            const double unit = in.si ? 10 : 10 * 9.80665;
            EXPECT_EQ(shown(fb / unit * term), r.Rfb);
            EXPECT_EQ(shown(f1 / unit * term), r.notice->fb1);
            EXPECT_EQ(shown(f2 / unit * term), r.notice->fb2);
            EXPECT_EQ(shown(F / (1.5 * std::sqrt(3.0)) / unit * term), r.notice->fs);
        }
    }
}

// ---- Allowable stress ----

struct FbRow {
    const char *name;
    const char *lb;
    beam::Family family;
    bool weak, si, si157, term;
    std::string Rfb;
};

TEST(Fbcalc, FormulaCapUnitsAndShortTerm)
{
    using F = beam::Family;
    auto f = [](double v) { return beam::formatNumber(v, "#0.000"); };
    // H = 200, B = 100, tf = 8: fb = 900 Af / (lb h) = 900 x 10 x 0.8 / (lb x 100) / 20
    const FbRow rows[] = {
        {"narrow H, lb 3 m", "3", F::HN, false, false, false, false, f(900 * 10 * 0.8 / 300 / 20)},
        {"same, short term x1.5", "3", F::HN, false, false, false, true, f(1.2 * 1.5)},
        {"lb 1 m: 3.6 capped to 1.6", "1", F::HN, false, false, false, false, "1.600"},
        {"cap in SI, 156.906 MPa basis", "1", F::HN, false, true, false, false, f(1.6 * 9.80665)},
        {"cap in SI, 157 MPa basis", "1", F::HN, false, true, true, false, f(15.7)},
        {"cap in SI, short term", "1", F::HN, false, true, false, true, f(1.6 * 9.80665 * 1.5)},
        {"formula in SI, lb 3 m", "3", F::HN, false, true, false, false, f(1.2 * 9.80665)},
        {"formula in SI 157, lb 3 m", "3", F::HN, false, true, true, false, f(1.2 * 15.7 / 1.6)},
        {"lb 0 gives the basic value", "0", F::HN, false, true, false, false, "15.691"},
        {"weak axis gives the basic value", "3", F::HN, true, false, false, false, "1.600"},
        {"built-up H uses the formula", "3", F::BH, false, false, false, false, "1.200"},
        {"I-beam uses the formula", "3", F::I, false, false, false, false, "1.200"},
        {"channel uses the formula", "3", F::C, false, false, false, false, "1.200"},
        {"angle gets the basic value", "3", F::L, false, false, false, false, "1.600"},
        {"square pipe gets the basic value", "3", F::Kaku, false, false, false, false, "1.600"},
        {"round pipe gets the basic value", "3", F::Maru, false, false, false, false, "1.600"},
        {"direct input gets the basic value", "3", F::Direct, false, false, false, false, "1.600"},
        {"registered member gets the basic value", "3", F::User, false, false, false, false, "1.600"},
    };
    for (const FbRow &row : rows) {
        SCOPED_TRACE(row.name);
        InputTexts in = plainBeam("6");
        in.uniform = "1";
        in.lb = row.lb;
        in.H1 = "200";
        in.B1 = "100";
        in.tf1 = "8";
        in.family = row.family;
        in.weak = row.weak;
        in.si = row.si;
        in.si157 = row.si157;
        in.term = row.term;
        EXPECT_EQ(check(in).Rfb, row.Rfb);
    }
}

TEST(Fbcalc, ZeroDepthGivesTheBasicValue)
{
    InputTexts in = plainBeam("6");
    in.lb = "3";
    in.H1 = "0";
    EXPECT_EQ(beam::fbcalc(beam::readInput(in)), 1.6);
}

} // namespace
