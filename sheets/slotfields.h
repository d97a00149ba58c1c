// The slot record fields a calculation sheet reads, by number, and how it reads them.
#pragma once

#include "beam/numtext.h"
#include "results/table.h"

#include <string>

namespace sheets::field {

inline constexpr int kName = 2;          // beam name
inline constexpr int kAxis = 3;          // "強軸" / "弱軸"
inline constexpr int kTerm = 4;          // "長期" / "短期"
inline constexpr int kSupport = 5;       // support-condition word
inline constexpr int kUnits = 6;         // "SI単位" / "従来単位"
inline constexpr int kSpan = 7;          // m
inline constexpr int kLb = 8;            // m, unbraced length
inline constexpr int kLimitRatio = 9;    // n of L/n
inline constexpr int kLimitAbs = 10;     // cm
inline constexpr int kUniform = 11;      // tf/m or kN/m
inline constexpr int kFormula = 12;      // uniform-load formula text
inline constexpr int kSelfSwitch = 13;   // "自重自動計算" / "自重自動計算しない"
inline constexpr int kP1 = 14;           // P1..P8 at 14..21, tf or kN
inline constexpr int kPl1 = 22;          // their positions from A at 22..29, m
inline constexpr int kW1a = 30;          // start intensities of loads a, b, c at 30..32
inline constexpr int kW2a = 33;          // end intensities at 33..35
inline constexpr int kLd1a = 36;         // start distances from A at 36..38, m
inline constexpr int kLd2a = 39;         // loaded lengths at 39..41, m
inline constexpr int kMember = 46;       // member designation
inline constexpr int kInertia = 51;      // cm4
inline constexpr int kModulus = 52;      // cm3
inline constexpr int kSelfWeight = 53;   // kg/m
inline constexpr int kMmax = 54;         // largest bending moment
inline constexpr int kMmaxAt = 55;       // its position from A, m
inline constexpr int kSigma = 56;        // bending stress
inline constexpr int kFb = 57;           // allowable bending stress
inline constexpr int kMcent = 58;        // largest span moment
inline constexpr int kRatio = 59;        // stress ratio
inline constexpr int kRa = 60;           // reaction at A
inline constexpr int kRb = 61;           // reaction at B
inline constexpr int kDelta = 62;        // largest deflection, cm
inline constexpr int kLx = 63;           // n of L/n reached

} // namespace sheets::field

namespace sheets {

// A stored text read as a number (empty or non-numeric text reads as 0).
inline double storedNumber(const results::SlotRecord &slot, int fieldNo) { return beam::parseDouble(slot[fieldNo]); }

// The stored moment at station i (0..100).
inline double stationMoment(const results::SlotRecord &slot, int i)
{
    return beam::parseDouble(slot[results::kFirstMomentField + i]);
}

} // namespace sheets
