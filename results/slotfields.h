// The fields of a slot record by name, and how a stored text reads as a number.
#pragma once

#include "beam/numtext.h"
#include "results/table.h"

#include <string>

namespace results::field {

inline constexpr int kNumber = 1;        // slot number
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
inline constexpr int kLd3a = 42;         // lengths after the loads at 42..44, m
inline constexpr int kFamily = 45;       // family code of the section ("HW" .. "user")
inline constexpr int kMember = 46;       // member designation
inline constexpr int kH = 47;            // mm, section dimensions H, B, tw, tf at 47..50
inline constexpr int kB = 48;
inline constexpr int kTw = 49;
inline constexpr int kTf = 50;
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
inline constexpr int kVerdict = 64;      // "OK." / "NG."
inline constexpr int kMoment0 = kFirstMomentField; // moment at station 0 (end A)
inline constexpr int kMoment100 = kFields;         // moment at station 100 (end B)

// The texts of the unit-system field.
inline constexpr const char *kSiUnits = "SI単位";
inline constexpr const char *kTraditionalUnits = "従来単位";

} // namespace results::field

namespace results {

// A stored text read as a number (empty or non-numeric text reads as 0).
inline double storedNumber(const SlotRecord &slot, int fieldNo) { return beam::parseDouble(slot[fieldNo]); }

// The stored moment at station i (0..100).
inline double stationMoment(const SlotRecord &slot, int i)
{
    return beam::parseDouble(slot[kFirstMomentField + i]);
}

} // namespace results
