#pragma once
// The points of the two pulse series, kept by the program itself: the chart is only ever
// handed a reduced copy, since a chart series re-processes all its points on every change.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

struct TPulsePoint {
    double x;
    double y;
    bool operator==(const TPulsePoint&) const = default;
};

// Points in fixed blocks: appending never moves the points already held, so one append costs
// the same at a million points as at ten.
class TPulseSeries {
public:
    size_t Count() const { return count_; }
    const TPulsePoint& Point(size_t i) const { return blocks_[i >> kBlockBits][i & kBlockMask]; }
    double XValue(size_t i) const { return Point(i).x; }
    double YValue(size_t i) const { return Point(i).y; }

    void AddXY(double x, double y);
    // Appends a point whose X is the number of points held before.
    void Add(double y) { AddXY(static_cast<double>(count_), y); }
    void Clear();
    // Changes with every Clear, so a reduced copy can tell new contents from appended points.
    uint64_t Generation() const { return generation_; }

private:
    static constexpr size_t kBlockBits = 16;
    static constexpr size_t kBlockSize = size_t{1} << kBlockBits;
    static constexpr size_t kBlockMask = kBlockSize - 1;

    std::vector<std::unique_ptr<TPulsePoint[]>> blocks_;
    size_t count_ = 0;
    uint64_t generation_ = 0;
};

// The two series of the pulse chart: Series1 the task counts, Series2 the completed counts.
struct TPulseData {
    TPulseSeries Series1;
    TPulseSeries Series2;

    TPulseSeries& Series(int index) { return index == 0 ? Series1 : Series2; }
    const TPulseSeries& Series(int index) const { return index == 0 ? Series1 : Series2; }
};

// One sample: count is the number of tasks, open the number of them still open. Series1
// gains (its point count, count); Series2 gains (its point count, count - open) when count
// is above 0.
void AddPulseSample(TPulseData& chart, int count, int open);
