#include "pulse/PulseFiles.h"

#include "platform/AtomicFile.h"
#include "platform/Errors.h"

#include <cmath>
#include <cstring>
#include <fstream>
#include <limits>
#include <memory>
#include <new>

namespace {

constexpr size_t kRecordSize = 8;

std::string PathIn(const std::string& directory, const char* name) {
    if (directory.empty() || directory.back() == '/') return directory + name;
    return directory + "/" + name;
}

// Whole records of a file, read in blocks; a cut record at the end is not one.
class RecordReader {
public:
    explicit RecordReader(std::ifstream& in) : in_(in) {}

    bool Next(TPulsePoint& point) {
        if (pos_ == end_) {
            if (!in_) return false;
            in_.read(buffer_, sizeof buffer_);
            end_ = static_cast<size_t>(in_.gcount()) / kRecordSize * kRecordSize;
            pos_ = 0;
            if (end_ == 0) return false;
        }
        point = {static_cast<double>(ReadInt32(buffer_ + pos_)),
                 static_cast<double>(ReadInt32(buffer_ + pos_ + 4))};
        pos_ += kRecordSize;
        return true;
    }

private:
    static int32_t ReadInt32(const char* p) {
        const auto* b = reinterpret_cast<const unsigned char*>(p);
        return static_cast<int32_t>(uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 |
                                    uint32_t(b[3]) << 24);
    }

    std::ifstream& in_;
    char buffer_[kRecordSize * 8192];
    size_t pos_ = 0;
    size_t end_ = 0;
};

// Toward zero; values outside the 32-bit range are held at its ends, and a NaN is stored as
// 0, instead of an undefined conversion.
int32_t Truncate(double v) {
    if (std::isnan(v)) return 0;
    if (v >= 2147483647.0) return std::numeric_limits<int32_t>::max();
    if (v <= -2147483648.0) return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(v);
}

void PutInt32(char* p, int32_t value) {
    const auto u = static_cast<uint32_t>(value);
    for (int k = 0; k < 4; ++k) p[k] = static_cast<char>((u >> (8 * k)) & 0xFF);
}

std::string Records(const TPulseSeries& series, size_t count) {
    std::string bytes(count * kRecordSize, '\0');
    for (size_t i = 0; i < count; ++i) {
        const TPulsePoint& point = series.Point(i);
        PutInt32(&bytes[i * kRecordSize], Truncate(point.x));
        PutInt32(&bytes[i * kRecordSize + 4], Truncate(point.y));
    }
    return bytes;
}

void Write(const std::string& path, const std::string& bytes) {
    if (platform::WriteFileAtomically(path, bytes) != platform::AtomicWriteResult::Written)
        throw EInOutError("Cannot create \"" + path + "\"");
}

} // namespace

void LoadPulse(TPulseData& chart, const std::string& directory) {
    // Both files are opened before anything is read: a missing "Chart.p2" loads nothing.
    std::ifstream file1(PathIn(directory, kPulseFile1), std::ios::binary);
    if (!file1) return;
    std::ifstream file2(PathIn(directory, kPulseFile2), std::ios::binary);
    if (!file2) return;
    auto reader1 = std::make_unique<RecordReader>(file1);
    auto reader2 = std::make_unique<RecordReader>(file2);
    try {
        TPulsePoint point{};
        while (reader1->Next(point)) {
            chart.Series1.AddXY(point.x, point.y);
            if (!reader2->Next(point)) return;
            chart.Series2.AddXY(point.x, point.y);
        }
    } catch (const std::bad_alloc&) {
        // Files far larger than any run writes: keep what fitted.
    }
}

void SavePulse(const TPulseData& chart, const std::string& directory) {
    const size_t m = chart.Series1.Count();
    if (m == 0) return;
    const size_t m2 = std::min(m, chart.Series2.Count());
    // "Chart.p2" first: should "Chart.p1" then fail, its older, shorter record count still
    // pairs every point it loads with one of the new "Chart.p2".
    Write(PathIn(directory, kPulseFile2), Records(chart.Series2, m2));
    Write(PathIn(directory, kPulseFile1), Records(chart.Series1, m));
}
