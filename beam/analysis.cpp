#include "beam/analysis.h"

#include "beam/allowable.h"

#include <algorithm>
#include <cmath>

namespace beam {

namespace {

using Ext = long double;

// Rounds an extended intermediate to the double in which it is stored.
inline double stored(Ext v) { return static_cast<double>(v); }

constexpr Ext kYoung = 2100;            // tf/cm2
constexpr double kNoDeflectionRatio = 99999.9;

// Station position x_i = (L / 100) * i, in m.
inline double station(Ext L, int i) { return stored(L / 100 * i); }

// Per-load constants of the moment formulas, computed once per load (the same values
// the formulas give at every station, so the station sums are unchanged).
struct MomentTerm {
    Ext P, a;
    Ext left, right;        // pinpin: P b, P a; pinkotei: R, -; koteikotei: RA, RB
    Ext leftEnd, underLoad; // koteikotei: MA, MC
};

// Per-load constants of the deflection formulas (a, b in cm).
struct DeflectionTerm {
    Ext P, a, b;
    Ext c1, c2, c3, c4;
};

// delta = D / I / E (cm): traditionally E = 2100 tf/cm2, in SI divided by 9.80665 once
// more; the notice's E = 205,000 N/mm2 is 20500 kN/cm2, 20500 / 9.80665 tf/cm2.
double toCentimetres(const BeamInput &in, double D, Modulus modulus)
{
    if (modulus == Modulus::Notice) {
        const Ext force = in.si ? static_cast<Ext>(D) : static_cast<Ext>(D) * kGravity;
        return stored(force / in.inertia / (kNoticeYoung / 10));
    }
    double delta = stored(static_cast<Ext>(D) / in.inertia / kYoung);
    if (in.si)
        delta = stored(delta / kGravity);
    return delta;
}

} // namespace

LoadList decomposeLoads(const BeamInput &in)
{
    LoadList list;
    for (int k = 0; k < kPointLoads; ++k)
        list.items[list.count++] = {in.p[k], in.pl[k], false};
    for (int j = 0; j < kPartLoads; ++j) {
        if (in.ld2[j] == 0)
            continue;
        const Ext LD1 = in.ld1[j], LD2 = in.ld2[j], W1 = in.w1[j], W2 = in.w2[j];
        for (int s = 1; s <= kSlices; ++s) {
            const double xs = stored(LD2 / 100 * s + LD1 - LD2 / 200);
            const double ws = stored(W1 + (W2 - W1) / LD2 * (xs - LD1));
            const double ps = stored(ws * LD2 / 100);
            list.items[list.count++] = {ps, xs, true};
        }
    }
    return list;
}

Reactions Qcalc(const BeamInput &in)
{
    const Ext L = in.span;
    const Ext w = effectiveUniform(in);
    double RA = 0, RB = 0;
    switch (in.support) {
    case Support::PinPin:
    case Support::FixedFixed:
        RA = stored(w * L / 2);
        RB = stored(w * L / 2);
        break;
    case Support::PinFixed:
        RA = stored(3 * w * L / 8);
        RB = stored(5 * w * L / 8);
        break;
    case Support::FreeFixed:
        RA = 0;
        RB = stored(w * L);
        break;
    }

    auto addPoint = [&](Ext P, Ext a) {
        const Ext b = L - a;
        switch (in.support) {
        case Support::PinPin:
            RA = stored(RA + P * b / L);
            RB = stored(RB + P * a / L);
            break;
        case Support::PinFixed: {
            const Ext R = P * (b * b) * (2 * L + a) / (2 * (L * L * L));
            RA = stored(RA + R);
            RB = stored(RB + (P - R));
            break;
        }
        case Support::FixedFixed:
            RA = stored(RA + P * (b * b) * (L + 2 * a) / (L * L * L));
            RB = stored(RB + P * (a * a) * (a + 3 * b) / (L * L * L));
            break;
        case Support::FreeFixed:
            RB = stored(RB + P);
            break;
        }
    };

    for (int k = 0; k < kPointLoads; ++k)
        if (in.p[k] != 0)
            addPoint(in.p[k], in.pl[k]);

    if (in.support == Support::FreeFixed) {
        for (int j = 0; j < kPartLoads; ++j)
            if (in.ld2[j] != 0)
                RB = stored(RB + static_cast<Ext>(in.ld2[j]) * (static_cast<Ext>(in.w1[j]) + in.w2[j]) / 2);
    } else {
        const LoadList loads = decomposeLoads(in);
        for (int n = kPointLoads; n < loads.count; ++n)
            if (loads.items[n].P != 0)
                addPoint(loads.items[n].P, loads.items[n].a);
    }
    return {RA, RB};
}

Moments Mcalc(const BeamInput &in)
{
    const Ext L = in.span;
    const Ext w = effectiveUniform(in);
    const LoadList loads = decomposeLoads(in);

    // A load of magnitude 0 adds exactly 0 to the running sum; it is left out.
    std::array<MomentTerm, kPointLoads + kPartLoads * kSlices> terms;
    int count = 0;
    const Ext L3 = L * L * L;
    for (int n = 0; n < loads.count; ++n) {
        const PointLoad &load = loads.items[n];
        if (load.P == 0)
            continue;
        MomentTerm t{};
        t.P = load.P;
        t.a = load.a;
        const Ext P = t.P, a = t.a, b = L - a;
        switch (in.support) {
        case Support::PinPin:
            t.left = P * b;
            t.right = P * a;
            break;
        case Support::PinFixed:
            t.left = P * (b * b) * (2 * L + a) / (2 * L3);
            break;
        case Support::FixedFixed:
            t.leftEnd = -P * a * (b * b) / (L * L);
            t.left = P * (b * b) * (L + 2 * a) / L3;
            t.underLoad = 2 * P * (a * a) * (b * b) / L3;
            t.right = P * (a * a) * (a + 3 * b) / L3;
            break;
        case Support::FreeFixed:
            break;
        }
        terms[count++] = t;
    }

    Moments m;
    for (int i = 0; i < kStations; ++i) {
        const double xd = station(L, i);
        const Ext x = xd;
        Ext uniformTerm = 0;
        switch (in.support) {
        case Support::PinPin:
            uniformTerm = w * x * (L - x) / 2;
            break;
        case Support::PinFixed:
            uniformTerm = (3 * w * L / 8) * x - w * (x * x) / 2;
            break;
        case Support::FixedFixed:
            uniformTerm = -(w * (L * L) / 2) * (1.0L / 6 - x / L + (x * x) / (L * L));
            break;
        case Support::FreeFixed:
            uniformTerm = -w * (x * x) / 2;
            break;
        }
        double M = stored(uniformTerm);
        for (int n = 0; n < count; ++n) {
            const MomentTerm &t = terms[n];
            Ext term = 0;
            switch (in.support) {
            case Support::PinPin:
                term = x < t.a ? t.left * x / L : t.right * (L - x) / L;
                break;
            case Support::PinFixed:
                term = x < t.a ? t.left * x : t.left * x - t.P * (x - t.a);
                break;
            case Support::FixedFixed:
                term = x < t.a ? t.leftEnd + t.left * x : t.underLoad - t.right * (x - t.a);
                break;
            case Support::FreeFixed:
                if (x < t.a)
                    continue; // adds 0
                term = -t.P * (x - t.a);
                break;
            }
            M = stored(M + term);
        }
        m.M[i] = M;
    }

    // Design moment: the largest station value (the first of equal ones), then the end
    // moments, end B before end A, each replacing only when strictly larger.
    double Mmax = 0, position = 0;
    for (int i = 0; i < kStations; ++i) {
        if (m.M[i] > Mmax) {
            Mmax = m.M[i];
            position = station(L, i);
        }
    }
    if (in.support != Support::FreeFixed) {
        m.Mcent = Mmax;
        if (in.support == Support::FixedFixed)
            m.Menda = m.M[0];
    }
    if (in.support != Support::PinPin)
        m.Mendb = m.M[100];
    if (std::fabs(m.M[100]) > Mmax) {
        Mmax = -m.M[100];
        position = in.span;
    }
    if (std::fabs(m.M[0]) > Mmax) {
        Mmax = -m.M[0];
        position = 0;
    }
    m.Mmax = Mmax;
    m.position = position;
    return m;
}

Deflection deltacalc(const BeamInput &in, Modulus modulus)
{
    const Ext L = in.span;
    const Ext Lc = 100 * L;
    const Ext wc = effectiveUniform(in) / 100; // per cm
    const LoadList loads = decomposeLoads(in);

    // a, b of every non-zero load in cm: a point load at a_k has a = 100 a_k and
    // b = 100 (L - a_k); a slice at x_s has a = 100 x_s and b = Lc - a.
    std::array<DeflectionTerm, kPointLoads + kPartLoads * kSlices> terms;
    int count = 0;
    for (int n = 0; n < loads.count; ++n) {
        const PointLoad &load = loads.items[n];
        if (load.P == 0)
            continue;
        DeflectionTerm t{};
        t.P = load.P;
        t.a = 100 * static_cast<Ext>(load.a);
        t.b = load.slice ? Lc - t.a : 100 * (L - load.a);
        terms[count++] = t;
    }

    // The governing station sum: the one of largest magnitude, up or down (the first of
    // equal ones, the downward one on a tie).
    double highest = 0, lowest = 0;
    auto takeStation = [&](double Di) {
        if (Di > highest)
            highest = Di;
        if (Di < lowest)
            lowest = Di;
    };
    // The value of the described rule: the largest downward station sum for the pinned
    // ends, the sum of single-load maxima (fixed-fixed) or the free-end deflection.
    double D = 0;
    switch (in.support) {
    case Support::PinPin:
    case Support::PinFixed: {
        const bool pinned = in.support == Support::PinPin;
        const Ext Lc2 = Lc * Lc, Lc3 = Lc * Lc * Lc;
        for (int n = 0; n < count; ++n) {
            DeflectionTerm &t = terms[n];
            if (pinned) {
                t.c1 = t.P * t.b;             // P b
                t.c2 = Lc2 - t.b * t.b;       // Lc^2 - b^2
                t.c3 = t.P * t.a;             // P a
                t.c4 = Lc2 - t.a * t.a;       // Lc^2 - a^2
            } else {
                t.c1 = t.P * (t.b * t.b);     // P b^2
                t.c2 = 3 * t.a * Lc2;         // 3 a Lc^2
                t.c3 = t.P * t.a;             // P a
                t.c4 = 2 * (t.a * t.a) * Lc;  // 2 a^2 Lc
            }
        }
        for (int i = 0; i < kStations; ++i) {
            const Ext x = stored(static_cast<Ext>(i) * L); // station i in cm
            const Ext x2 = x * x, x3 = x * x * x;
            double Di = pinned ? stored(wc * x * (Lc3 - 2 * Lc * x2 + x3) / 24)
                               : stored(wc * x * (Lc3 - 3 * Lc * x2 + 2 * x3) / 48);
            for (int n = 0; n < count; ++n) {
                const DeflectionTerm &t = terms[n];
                Ext term;
                if (pinned) {
                    if (x < t.a) {
                        term = t.c1 * x * (t.c2 - x2) / 6 / Lc;
                    } else {
                        const Ext r = Lc - x;
                        term = t.c3 * r * (t.c4 - r * r) / 6 / Lc;
                    }
                } else {
                    if (x < t.a) {
                        term = t.c1 * x * (t.c2 - 2 * Lc * x2 - t.a * x2) / 12 / Lc3;
                    } else {
                        const Ext r = Lc - x;
                        term = t.c3 * (r * r) * (3 * Lc2 * x - (t.a * t.a) * x - t.c4) / 12 / Lc3;
                    }
                }
                Di = stored(Di + term);
            }
            takeStation(Di);
        }
        D = highest;
        break;
    }
    case Support::FixedFixed: {
        D = stored(wc * (Lc * Lc * Lc * Lc) / 384);
        for (int n = 0; n < count; ++n) {
            const DeflectionTerm &t = terms[n];
            const Ext a = t.a, b = t.b;
            Ext term;
            if (a > b)
                term = 2 * t.P * (a * a * a) * (b * b) / 3 / ((3 * a + b) * (3 * a + b));
            else
                term = 2 * t.P * (a * a) * (b * b * b) / 3 / ((3 * b + a) * (3 * b + a));
            D = stored(D + term);
        }
        // The deflection curve of the superposed loads, for loads acting in opposite
        // directions, where the sum of single-load maxima can fall short of it.
        const Ext Lc3 = Lc * Lc * Lc;
        for (int i = 0; i < kStations; ++i) {
            const Ext x = stored(static_cast<Ext>(i) * L);
            const Ext r = Lc - x;
            double Di = stored(wc * (x * x) * (r * r) / 24);
            for (int n = 0; n < count; ++n) {
                const DeflectionTerm &t = terms[n];
                const Ext term = x <= t.a ? t.P * (t.b * t.b) * (x * x) * (3 * t.a * Lc - (3 * t.a + t.b) * x)
                                          : t.P * (t.a * t.a) * (r * r) * (3 * t.b * Lc - (3 * t.b + t.a) * r);
                Di = stored(Di + term / 6 / Lc3);
            }
            takeStation(Di);
        }
        break;
    }
    case Support::FreeFixed: {
        D = stored(wc * (Lc * Lc * Lc * Lc) / 8);
        for (int n = 0; n < count; ++n) {
            const DeflectionTerm &t = terms[n];
            D = stored(D + t.P * (t.b * t.b) * (3 * Lc - t.b) / 6);
        }
        // As for the fixed-fixed beam: under loads acting in opposite directions a point
        // inside the span can deflect more than the free end. u is the distance from B.
        for (int i = 0; i < kStations; ++i) {
            const Ext u = Lc - stored(static_cast<Ext>(i) * L);
            double Di = stored(wc * (u * u) * (6 * Lc * Lc - 4 * Lc * u + u * u) / 24);
            for (int n = 0; n < count; ++n) {
                const DeflectionTerm &t = terms[n];
                const Ext term = u <= t.b ? t.P * (u * u) * (3 * t.b - u) / 6 : t.P * (t.b * t.b) * (3 * u - t.b) / 6;
                Di = stored(Di + term);
            }
            takeStation(Di);
        }
        break;
    }
    }

    // The governing value: the described one unless a station deflects clearly more, up
    // or down. With every load acting one way the described value is never smaller; the
    // margin keeps last-bit differences of the two routes from changing it.
    double governing = D;
    const double extreme = -lowest > highest ? lowest : highest;
    if (std::fabs(extreme) > std::fabs(D) * (1 + 1e-9))
        governing = extreme;

    Deflection d;
    d.delta = toCentimetres(in, governing, modulus);
    d.described = toCentimetres(in, D, modulus);
    d.ratio = d.delta != 0 ? stored(Lc / std::fabs(static_cast<Ext>(d.delta))) : kNoDeflectionRatio;
    return d;
}

} // namespace beam
