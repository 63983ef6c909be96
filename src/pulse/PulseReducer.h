#pragma once
// A reduced copy of a pulse series for drawing: the points are split into at most `columns`
// runs of whole points (one run per pixel column or two), and each run is drawn by its
// lowest and highest point, in their order. The line then looks as the full one would at
// that width, whatever the number of points.
#include "pulse/PulseSeries.h"

#include <vector>

class TPulseReducer {
public:
    // Brings the copy up to date: a rebuild when the width changed or the series was cleared,
    // otherwise only the points appended since the last call are taken in (constant time
    // each, amortised).
    void Update(const TPulseSeries& series, int columns);
    // Reduces the whole series anew, with runs of ceil(points / columns) points. O(points).
    void Rebuild(const TPulseSeries& series, int columns);

    // The points to draw, in the series' order: at most two per run.
    const std::vector<TPulsePoint>& Points() const { return points_; }
    // Points of the series per run (the last run may be shorter).
    size_t RunLength() const { return runLength_; }
    size_t RunCount() const { return runs_.size(); }

private:
    struct Run {
        size_t minIndex, maxIndex;
        TPulsePoint min, max;
    };

    void Take(const TPulsePoint& point, size_t index); // index is the next one in order
    void Merge();                                      // runs twice as long, half as many
    void Emit(const Run& run);
    void EmitAll();

    std::vector<Run> runs_;
    std::vector<TPulsePoint> points_;
    size_t lastRunPoints_ = 0; // points_ entries of the last run
    size_t runLength_ = 1;
    size_t taken_ = 0;
    int columns_ = 0;
    uint64_t generation_ = 0;
};
