#include "pulse/PulseSeries.h"

void TPulseSeries::AddXY(double x, double y) {
    if ((count_ & kBlockMask) == 0 && (count_ >> kBlockBits) == blocks_.size())
        blocks_.emplace_back(new TPulsePoint[kBlockSize]);
    blocks_[count_ >> kBlockBits][count_ & kBlockMask] = {x, y};
    ++count_;
}

void TPulseSeries::Clear() {
    blocks_.clear();
    count_ = 0;
    ++generation_;
}

void AddPulseSample(TPulseData& chart, int count, int open) {
    chart.Series1.Add(count);
    if (count > 0) chart.Series2.Add(count - open);
}
