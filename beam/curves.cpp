#include "beam/curves.h"

#include "beam/allowable.h"

#include <algorithm>
#include <cmath>

namespace beam {

namespace {

using Ext = long double;

inline double stored(Ext v) { return static_cast<double>(v); }

void findExtremes(Curve &c)
{
    bool first = true;
    for (const CurvePoint &p : c.points) {
        if (first || p.value > c.highest) {
            c.highest = p.value;
            c.highestAt = p.x;
        }
        if (first || p.value < c.lowest) {
            c.lowest = p.value;
            c.lowestAt = p.x;
        }
        first = false;
    }
}

// A load's a and b in cm, as deltacalc takes them.
struct Term {
    Ext P, a, b;
};

} // namespace

Curve shearCurve(const BeamInput &in)
{
    Curve c;
    const Ext L = in.span;
    const Ext w = effectiveUniform(in);
    const Reactions r = Qcalc(in);
    const LoadList loads = decomposeLoads(in);
    // Q just left (left = true) or just right of x
    auto shearAt = [&](double x, bool left) {
        Ext q = static_cast<Ext>(r.RA) - w * x;
        for (int n = 0; n < loads.count; ++n) {
            const PointLoad &load = loads.items[n];
            if (load.P != 0 && (left ? load.a < x : load.a <= x))
                q -= load.P;
        }
        return stored(q);
    };
    for (int i = 0; i < kStations; ++i) {
        const double x = stored(L / 100 * i);
        if (i > 0)
            c.points.push_back({x, shearAt(x, true)});
        if (i < kStations - 1) {
            for (int k = 0; k < kPointLoads; ++k) { // point loads between this station and the next
                const double a = in.pl[k], next = stored(L / 100 * (i + 1));
                if (in.p[k] != 0 && a > x && a < next) {
                    c.points.push_back({a, shearAt(a, true)});
                    c.points.push_back({a, shearAt(a, false)});
                }
            }
            c.points.push_back({x, shearAt(x, false)});
        }
    }
    // loads at equal positions between two stations come in the order of P1..P8
    std::stable_sort(c.points.begin(), c.points.end(), [](const CurvePoint &p, const CurvePoint &q) { return p.x < q.x; });
    // a station without a load on it needs only one point
    c.points.erase(std::unique(c.points.begin(), c.points.end(),
                               [](const CurvePoint &p, const CurvePoint &q) { return p.x == q.x && p.value == q.value; }),
                   c.points.end());
    findExtremes(c);
    return c;
}

Curve deflectionCurve(const BeamInput &in, Modulus modulus)
{
    Curve c;
    const Ext L = in.span;
    const Ext Lc = 100 * L;
    const Ext wc = effectiveUniform(in) / 100;
    const LoadList loads = decomposeLoads(in);
    std::vector<Term> terms;
    for (int n = 0; n < loads.count; ++n) {
        const PointLoad &load = loads.items[n];
        if (load.P == 0)
            continue;
        const Ext a = 100 * static_cast<Ext>(load.a);
        terms.push_back({load.P, a, load.slice ? Lc - a : 100 * (L - load.a)});
    }
    const Ext Lc2 = Lc * Lc, Lc3 = Lc * Lc * Lc;
    for (int i = 0; i < kStations; ++i) {
        const Ext x = stored(static_cast<Ext>(i) * L); // cm
        const Ext x2 = x * x, x3 = x * x * x, r = Lc - x;
        double D = 0;
        switch (in.support) {
        case Support::PinPin:
            D = stored(wc * x * (Lc3 - 2 * Lc * x2 + x3) / 24);
            for (const Term &t : terms) {
                const Ext term = x < t.a ? t.P * t.b * x * ((Lc2 - t.b * t.b) - x2) / 6 / Lc
                                         : t.P * t.a * r * ((Lc2 - t.a * t.a) - r * r) / 6 / Lc;
                D = stored(D + term);
            }
            break;
        case Support::PinFixed:
            D = stored(wc * x * (Lc3 - 3 * Lc * x2 + 2 * x3) / 48);
            for (const Term &t : terms) {
                const Ext term = x < t.a ? t.P * (t.b * t.b) * x * (3 * t.a * Lc2 - 2 * Lc * x2 - t.a * x2) / 12 / Lc3
                                         : t.P * t.a * (r * r) * (3 * Lc2 * x - (t.a * t.a) * x - 2 * (t.a * t.a) * Lc) /
                                               12 / Lc3;
                D = stored(D + term);
            }
            break;
        case Support::FixedFixed:
            D = stored(wc * (x * x) * (r * r) / 24);
            for (const Term &t : terms) {
                const Ext term = x <= t.a ? t.P * (t.b * t.b) * (x * x) * (3 * t.a * Lc - (3 * t.a + t.b) * x)
                                          : t.P * (t.a * t.a) * (r * r) * (3 * t.b * Lc - (3 * t.b + t.a) * r);
                D = stored(D + term / 6 / Lc3);
            }
            break;
        case Support::FreeFixed: {
            const Ext u = r; // from the fixed end B
            D = stored(wc * (u * u) * (6 * Lc * Lc - 4 * Lc * u + u * u) / 24);
            for (const Term &t : terms) {
                const Ext term = u <= t.b ? t.P * (u * u) * (3 * t.b - u) / 6 : t.P * (t.b * t.b) * (3 * u - t.b) / 6;
                D = stored(D + term);
            }
            break;
        }
        }
        double delta;
        if (modulus == Modulus::Notice) {
            const Ext force = in.si ? static_cast<Ext>(D) : static_cast<Ext>(D) * kGravity;
            delta = stored(force / in.inertia / (kNoticeYoung / 10));
        } else {
            delta = stored(static_cast<Ext>(D) / in.inertia / 2100);
            if (in.si)
                delta = stored(delta / kGravity);
        }
        c.points.push_back({stored(L / 100 * i), delta});
    }
    findExtremes(c);
    return c;
}

} // namespace beam
