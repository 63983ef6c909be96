#include "pulse/PulseReducer.h"

#include <gtest/gtest.h>

namespace {

// Deterministic, uneven Y values.
double Y(size_t i) {
    return double((i * 2654435761u) % 1000);
}

void Fill(TPulseSeries& series, size_t n) {
    for (size_t i = series.Count(); i < n; ++i) series.Add(Y(i));
}

// The literal reduction: runs of `length` points, each by its lowest and highest point
// (first ones on ties), in the series' order.
std::vector<TPulsePoint> Reference(const TPulseSeries& s, size_t length) {
    std::vector<TPulsePoint> out;
    for (size_t start = 0; start < s.Count(); start += length) {
        size_t lo = start, hi = start;
        for (size_t i = start; i < std::min(s.Count(), start + length); ++i) {
            if (s.YValue(i) < s.YValue(lo)) lo = i;
            if (s.YValue(i) > s.YValue(hi)) hi = i;
        }
        out.push_back(s.Point(std::min(lo, hi)));
        if (lo != hi) out.push_back(s.Point(std::max(lo, hi)));
    }
    return out;
}

struct ReduceCase {
    const char* name;
    size_t points;
    int columns;
};

class PulseReduce : public testing::TestWithParam<ReduceCase> {};

} // namespace

TEST_P(PulseReduce, RebuildGivesEachRunsLowAndHigh) {
    TPulseSeries series;
    Fill(series, GetParam().points);
    TPulseReducer reducer;
    reducer.Rebuild(series, GetParam().columns);
    const size_t columns = size_t(GetParam().columns);
    EXPECT_EQ(reducer.RunLength(), std::max<size_t>(1, (GetParam().points + columns - 1) / columns));
    EXPECT_LE(reducer.RunCount(), columns);
    EXPECT_EQ(reducer.Points(), Reference(series, reducer.RunLength()));
}

INSTANTIATE_TEST_SUITE_P(Sizes, PulseReduce,
                         testing::Values(ReduceCase{"Empty", 0, 800}, ReduceCase{"Few", 5, 800},
                                         ReduceCase{"OnePerColumn", 800, 800},
                                         ReduceCase{"JustOver", 801, 800}, ReduceCase{"Uneven", 10007, 800},
                                         ReduceCase{"Narrow", 100, 7}, ReduceCase{"OneColumn", 50, 1}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(PulseReduce, AppendingMatchesTheReferenceAtEveryStep) {
    TPulseSeries series;
    Fill(series, 300);
    TPulseReducer reducer;
    reducer.Update(series, 64);
    for (size_t n = 301; n <= 3000; ++n) {
        Fill(series, n);
        reducer.Update(series, 64);
        ASSERT_LE(reducer.RunCount(), 64u) << n;
        ASSERT_EQ(reducer.Points(), Reference(series, reducer.RunLength())) << n;
    }
}

TEST(PulseReduce, FewPointsAreDrawnAsTheyAre) {
    TPulseSeries series;
    TPulseReducer reducer;
    for (size_t n = 1; n <= 20; ++n) {
        Fill(series, n);
        reducer.Update(series, 20);
    }
    ASSERT_EQ(reducer.Points().size(), 20u);
    for (size_t i = 0; i < 20; ++i) EXPECT_EQ(reducer.Points()[i], series.Point(i));
}

TEST(PulseReduce, NewWidthOrClearedSeriesRebuilds) {
    TPulseSeries series;
    Fill(series, 1000);
    TPulseReducer reducer;
    reducer.Update(series, 100);
    reducer.Update(series, 10);
    EXPECT_EQ(reducer.RunLength(), 100u);
    series.Clear();
    Fill(series, 2000); // more points than before, but other ones
    reducer.Update(series, 10);
    EXPECT_EQ(reducer.Points(), Reference(series, 200));
    reducer.Update(series, 0);
    EXPECT_TRUE(reducer.Points().empty());
}
