#pragma once
// The pulse files "Chart.p1" (Series1) and "Chart.p2" (Series2): 8-byte records, no header;
// record i is point i as two little-endian signed 32-bit integers, X then Y, cut toward zero.
#include "pulse/PulseSeries.h"

#include <string>

inline constexpr const char* kPulseFile1 = "Chart.p1";
inline constexpr const char* kPulseFile2 = "Chart.p2";

// Appends the stored points of both files in directory to the two series, pairwise: record i
// of "Chart.p1" and then record i of "Chart.p2", for every whole record of "Chart.p1". Never
// fails: a missing or unreadable file, a cut record or a shorter "Chart.p2" ends the load
// there, keeping what was appended.
void LoadPulse(TPulseData& chart, const std::string& directory);

// Writes both files anew, each atomically, when Series1 holds points; otherwise touches
// nothing. "Chart.p2" gets Series2's points up to Series1's count. Throws EInOutError when a
// file cannot be written.
void SavePulse(const TPulseData& chart, const std::string& directory);
