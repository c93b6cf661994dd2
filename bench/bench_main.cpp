// zor_bench <what> <arguments>: times one contender and prints
// "<what> <seconds> [more figures]" on one line.
//   job <source> <target> <logFolder>     the copy job (also: peak memory)
//   bare <source> <target>                the bare Win32 loop
//   xcopy <source> <target>               xcopy /E /I /H /Y
//   listing <source> <rounds>             ADD_ALL and the bare walk, best of rounds
#include "contenders.h"

#include "platform/win.h"

#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <string>

namespace {

double PeakMiB(SIZE_T PROCESS_MEMORY_COUNTERS::*field) {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return static_cast<double>(counters.*field) / (1024.0 * 1024.0);
}

int Job(const std::wstring& source, const std::wstring& target, const std::wstring& logFolder) {
    const double before = PeakMiB(&PROCESS_MEMORY_COUNTERS::WorkingSetSize);
    const double seconds = TimeJob(source, target, logFolder);
    const bool good = LastSummary().find(L"alle Operationen wurden erfolgreich") != std::wstring::npos;
    std::printf("job %.3f peak_working_set_mib %.1f working_set_before_mib %.1f peak_private_mib %.1f %s\n", seconds,
                PeakMiB(&PROCESS_MEMORY_COUNTERS::PeakWorkingSetSize), before,
                PeakMiB(&PROCESS_MEMORY_COUNTERS::PeakPagefileUsage), good ? "ok" : "FAILED");
    return good ? 0 : 1;
}

int Listing(const std::wstring& source, int rounds) {
    double job = 1e9, bare = 1e9;
    for (int round = 0; round < rounds; ++round) {
        bare = std::min(bare, TimeBareWalk(source));
        job = std::min(job, TimeListing(source));
    }
    std::printf("listing %.4f bare_walk %.4f\n", job, bare);
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const std::wstring what = argc > 1 ? argv[1] : L"";
    if (what == L"job" && argc == 5) return Job(argv[2], argv[3], argv[4]);
    if (what == L"bare" && argc == 4) return std::printf("bare %.3f\n", TimeBareLoop(argv[2], argv[3])), 0;
    if (what == L"xcopy" && argc == 4) return std::printf("xcopy %.3f\n", TimeXcopy(argv[2], argv[3])), 0;
    if (what == L"listing" && argc == 4) return Listing(argv[2], std::stoi(argv[3]));
    std::fprintf(stderr, "usage: zor_bench job|bare|xcopy|listing ...\n");
    return 2;
}
