// Loads arbitrary bytes as the two pulse files, saves what was read and loads it again.
#include "platform/AtomicFile.h"
#include "pulse/PulseFiles.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string dir = [] {
        std::string tmpl = "/tmp/murvane-fuzz-pulse-XXXXXX";
        if (!mkdtemp(tmpl.data())) std::abort();
        return tmpl + "/";
    }();
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const size_t cut = size == 0 ? 0 : static_cast<uint8_t>(bytes[0]) % (size + 1);
    platform::WriteFileAtomically(dir + kPulseFile1, bytes.substr(0, cut));
    platform::WriteFileAtomically(dir + kPulseFile2, bytes.substr(cut));

    TPulseData chart;
    LoadPulse(chart, dir);
    // The second series never runs ahead of the first, nor more than one point behind.
    const size_t n1 = chart.Series1.Count(), n2 = chart.Series2.Count();
    if (n2 > n1 || n1 > n2 + 1) std::abort();

    // What was read is written back and reads the same again (with no points, nothing is
    // written and the files stay as they were).
    SavePulse(chart, dir);
    TPulseData again;
    LoadPulse(again, dir);
    if (again.Series1.Count() != n1 || again.Series2.Count() != n2) std::abort();
    for (size_t i = 0; i < n1; ++i)
        if (!(again.Series1.Point(i) == chart.Series1.Point(i))) std::abort();
    for (size_t i = 0; i < n2; ++i)
        if (!(again.Series2.Point(i) == chart.Series2.Point(i))) std::abort();
    return 0;
}
