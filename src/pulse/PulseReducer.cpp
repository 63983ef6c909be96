#include "pulse/PulseReducer.h"

void TPulseReducer::Rebuild(const TPulseSeries& series, int columns) {
    runs_.clear();
    points_.clear();
    lastRunPoints_ = 0;
    taken_ = 0;
    columns_ = columns;
    generation_ = series.Generation();
    const size_t n = series.Count();
    runLength_ = columns > 0 && n > 0 ? (n + columns - 1) / static_cast<size_t>(columns) : 1;
    if (columns <= 0) return;
    runs_.reserve(static_cast<size_t>(columns));
    for (; taken_ < n; ++taken_) Take(series.Point(taken_), taken_);
    EmitAll();
}

void TPulseReducer::Update(const TPulseSeries& series, int columns) {
    if (columns != columns_ || series.Generation() != generation_ || series.Count() < taken_) {
        Rebuild(series, columns);
        return;
    }
    if (columns <= 0 || taken_ == series.Count()) return;
    bool merged = false;
    for (; taken_ < series.Count(); ++taken_) {
        if (taken_ / runLength_ >= static_cast<size_t>(columns_)) {
            Merge();
            merged = true;
        }
        const bool opens = taken_ / runLength_ == runs_.size();
        Take(series.Point(taken_), taken_);
        if (merged) continue; // everything is emitted anew below
        if (!opens) points_.resize(points_.size() - lastRunPoints_);
        Emit(runs_.back());
    }
    if (merged) EmitAll();
}

void TPulseReducer::Take(const TPulsePoint& point, size_t index) {
    if (index / runLength_ == runs_.size()) {
        runs_.push_back({index, index, point, point});
        return;
    }
    Run& run = runs_.back();
    if (point.y < run.min.y) run.min = point, run.minIndex = index;
    if (point.y > run.max.y) run.max = point, run.maxIndex = index;
}

void TPulseReducer::Merge() {
    size_t out = 0;
    for (size_t i = 0; i < runs_.size(); i += 2, ++out) {
        Run merged = runs_[i];
        if (i + 1 < runs_.size()) {
            const Run& next = runs_[i + 1];
            if (next.min.y < merged.min.y) merged.min = next.min, merged.minIndex = next.minIndex;
            if (next.max.y > merged.max.y) merged.max = next.max, merged.maxIndex = next.maxIndex;
        }
        runs_[out] = merged;
    }
    runs_.resize(out);
    runLength_ *= 2;
}

void TPulseReducer::Emit(const Run& run) {
    if (run.minIndex == run.maxIndex) {
        points_.push_back(run.min);
        lastRunPoints_ = 1;
    } else if (run.minIndex < run.maxIndex) {
        points_.push_back(run.min);
        points_.push_back(run.max);
        lastRunPoints_ = 2;
    } else {
        points_.push_back(run.max);
        points_.push_back(run.min);
        lastRunPoints_ = 2;
    }
}

void TPulseReducer::EmitAll() {
    points_.clear();
    points_.reserve(runs_.size() * 2);
    lastRunPoints_ = 0;
    for (const Run& run : runs_) Emit(run);
}
