#include "pulse/PulseFiles.h"

#include "TempDir.h"
#include "platform/Errors.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>

namespace {

// Records (i, base + i); the last record cut when bytes is not a multiple of 8.
std::string Records(size_t bytes, int base) {
    std::string out;
    for (int i = 0; out.size() < bytes; ++i) {
        const int32_t values[2] = {i, base + i};
        out.append(reinterpret_cast<const char*>(values), 8);
    }
    out.resize(bytes);
    return out;
}

struct LoadCase {
    const char* name;
    std::optional<size_t> p1, p2; // file sizes in bytes; none: no file
    size_t series1, series2;
};

class PulseLoad : public testing::TestWithParam<LoadCase> {};

} // namespace

TEST_P(PulseLoad, LoadsWhatItCanQuietly) {
    TempDir dir;
    const LoadCase& c = GetParam();
    if (c.p1) TempDir::Write(dir.file(kPulseFile1), Records(*c.p1, 100));
    if (c.p2) TempDir::Write(dir.file(kPulseFile2), Records(*c.p2, 200));
    TPulseData chart;
    LoadPulse(chart, dir.path().string());
    ASSERT_EQ(chart.Series1.Count(), c.series1);
    ASSERT_EQ(chart.Series2.Count(), c.series2);
    for (size_t i = 0; i < c.series1; ++i)
        EXPECT_EQ(chart.Series1.Point(i), (TPulsePoint{double(i), 100.0 + i}));
    for (size_t i = 0; i < c.series2; ++i)
        EXPECT_EQ(chart.Series2.Point(i), (TPulsePoint{double(i), 200.0 + i}));
}

INSTANTIATE_TEST_SUITE_P(Sizes, PulseLoad,
                         testing::Values(LoadCase{"NoFiles", {}, {}, 0, 0}, LoadCase{"OnlyP2", {}, 16, 0, 0},
                                         LoadCase{"OnlyP1", 16, {}, 0, 0}, LoadCase{"Equal", 24, 24, 3, 3},
                                         LoadCase{"P2OneShorter", 16, 8, 2, 1},
                                         LoadCase{"P2Empty", 16, 0, 1, 0},
                                         LoadCase{"P1OddSize", 12, 16, 1, 1},
                                         LoadCase{"BothOdd", 23, 20, 2, 2},
                                         LoadCase{"P2CutRecord", 16, 12, 2, 1},
                                         LoadCase{"P2Longer", 8, 24, 1, 1}, LoadCase{"P1Empty", 0, 16, 0, 0}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(PulseLoad, DirectoryInPlaceOfAFileLoadsNothing) {
    TempDir dir;
    std::filesystem::create_directory(dir.file(kPulseFile1));
    TempDir::Write(dir.file(kPulseFile2), Records(16, 0));
    TPulseData chart;
    LoadPulse(chart, dir.path().string() + "/");
    EXPECT_EQ(chart.Series1.Count(), 0u);
}

TEST(PulseSave, WritesLittleEndianRecordsCutTowardZero) {
    TempDir dir;
    TPulseData chart;
    chart.Series1.AddXY(1, -2);
    chart.Series1.AddXY(2.5, 7.9);
    chart.Series2.AddXY(0, -7.9);
    chart.Series2.AddXY(1e12, 0);
    SavePulse(chart, dir.path().string());
    EXPECT_EQ(TempDir::Read(dir.file(kPulseFile1)), std::string("\x01\0\0\0\xFE\xFF\xFF\xFF"
                                                                "\x02\0\0\0\x07\0\0\0",
                                                                16));
    EXPECT_EQ(TempDir::Read(dir.file(kPulseFile2)), std::string("\0\0\0\0\xF9\xFF\xFF\xFF"
                                                                "\xFF\xFF\xFF\x7F\0\0\0\0",
                                                                16));
}

TEST(PulseSave, RoundTripGivesBackThePoints) {
    TempDir dir;
    TPulseData chart;
    for (int i = 0; i < 200000; ++i) AddPulseSample(chart, 5 + i % 7, 3);
    SavePulse(chart, dir.path().string());
    TPulseData loaded;
    LoadPulse(loaded, dir.path().string());
    ASSERT_EQ(loaded.Series1.Count(), chart.Series1.Count());
    ASSERT_EQ(loaded.Series2.Count(), chart.Series2.Count());
    for (size_t i = 0; i < chart.Series1.Count(); i += 997) {
        EXPECT_EQ(loaded.Series1.Point(i), chart.Series1.Point(i));
        EXPECT_EQ(loaded.Series2.Point(i), chart.Series2.Point(i));
    }
    AddPulseSample(loaded, 1, 1);
    EXPECT_EQ(loaded.Series1.XValue(200000), 200000.0); // the next sample continues the X values
}

TEST(PulseSave, EmptySeriesLeavesTheFilesAlone) {
    TempDir dir;
    TempDir::Write(dir.file(kPulseFile1), "keep");
    TPulseData chart;
    chart.Series2.AddXY(0, 1);
    SavePulse(chart, dir.path().string());
    EXPECT_EQ(TempDir::Read(dir.file(kPulseFile1)), "keep");
    EXPECT_FALSE(std::filesystem::exists(dir.file(kPulseFile2)));
}

TEST(PulseSave, ShorterSeries2StopsItsFileThere) {
    TempDir dir;
    TPulseData chart;
    for (int i = 0; i < 3; ++i) chart.Series1.Add(i);
    chart.Series2.Add(9);
    SavePulse(chart, dir.path().string());
    EXPECT_EQ(std::filesystem::file_size(dir.file(kPulseFile1)), 24u);
    EXPECT_EQ(std::filesystem::file_size(dir.file(kPulseFile2)), 8u);
}

TEST(PulseSave, UnwritableDirectoryRaisesAnInOutError) {
    TempDir dir;
    TPulseData chart;
    chart.Series1.Add(1);
    EXPECT_THROW(SavePulse(chart, dir.file("missing")), EInOutError);
}

TEST(PulseSample, AppendsBothCounts) {
    TPulseData chart;
    AddPulseSample(chart, 6, 4); // three open and two completed user tasks plus the hidden one
    AddPulseSample(chart, 0, 0);
    ASSERT_EQ(chart.Series1.Count(), 2u);
    EXPECT_EQ(chart.Series1.Point(0), (TPulsePoint{0, 6}));
    EXPECT_EQ(chart.Series1.Point(1), (TPulsePoint{1, 0}));
    ASSERT_EQ(chart.Series2.Count(), 1u); // an empty list adds nothing to the completed series
    EXPECT_EQ(chart.Series2.Point(0), (TPulsePoint{0, 2}));
}
