// Times extractArchive on one archive, several runs into a fresh folder each,
// and reports the median throughput (uncompressed bytes written per second)
// and the process's peak working set. Run by bench-extract.sh.
//
// Usage: host_zip_bench.exe ARCHIVE DESTINATION RUNS

#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "host/zip/extract_archive.h"
#include "host/zip/testing/files.h"

namespace {

double seconds(LARGE_INTEGER from, LARGE_INTEGER to)
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

unsigned long long bytesBelow(const Text& folder)
{
    unsigned long long total = 0;
    for (const auto& item : zip_testing::listTree(folder)) {
        WIN32_FILE_ATTRIBUTE_DATA data;
        if (!item.folder && GetFileAttributesExA((folder + "\\" + item.path).c_str(), GetFileExInfoStandard, &data))
            total += (static_cast<unsigned long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    }
    return total;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: host_zip_bench.exe ARCHIVE DESTINATION RUNS\n");
        return 2;
    }
    const Text archive = argv[1];
    const Text destination = argv[2];
    const int runs = std::max(1, std::atoi(argv[3]));

    std::vector<double> rates;
    for (int run = 0; run < runs; ++run) {
        zip_testing::removeTree(destination);
        LARGE_INTEGER start, stop;
        QueryPerformanceCounter(&start);
        const int result = extractArchive(archive, destination);
        QueryPerformanceCounter(&stop);
        if (result != 1) {
            std::fprintf(stderr, "extractArchive returned %d\n", result);
            return 1;
        }
        const double mib = static_cast<double>(bytesBelow(destination)) / (1024.0 * 1024.0);
        rates.push_back(mib / seconds(start, stop));
        std::printf("run %d: %.1f MiB in %.3f s = %.1f MiB/s\n", run + 1, mib, seconds(start, stop), rates.back());
    }
    zip_testing::removeTree(destination);

    std::sort(rates.begin(), rates.end());
    PROCESS_MEMORY_COUNTERS memory{};
    GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory);
    std::printf("median %.1f MiB/s, peak working set %.1f MiB\n", rates[rates.size() / 2],
                static_cast<double>(memory.PeakWorkingSetSize) / (1024.0 * 1024.0));
    return 0;
}
