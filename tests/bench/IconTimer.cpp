// Times icons as Pakrun.dll gets them, under the Windows graphics it uses:
//     icon_timer <runs> <package>...
// For each package one line: "<package> parse <ms> paint <ms> work <units> icon <bytes>
// <origin> peak <MB> cpu <ms>", the medians of ParseApk through Pakrun.dll (reading, drawing and painting
// together) and of painting the drawn scene alone (the same painter, linked here), and
// the work counted for that scene in millions; paint and work are "-" for an icon that is
// not drawn; peak is how far the process's peak working set rose while the package was
// read (one package per run measures that package alone); cpu is the mean processor
// time of the thread in ParseApk, which a machine shared with other work does not skew.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "ApkInfo.h"
#include "ApkParser.h"
#include "FileSource.h"
#include "GdipIconPainter.h"
#include "PaintWork.h"

namespace {

double MedianMilliseconds(int runs, const std::function<void()>& work)
{
    LARGE_INTEGER frequency, start, end;
    ::QueryPerformanceFrequency(&frequency);
    work();  // warm-up: caches, the first GDI+ start
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        ::QueryPerformanceCounter(&start);
        work();
        ::QueryPerformanceCounter(&end);
        times.push_back(double(end.QuadPart - start.QuadPart) * 1000.0 / double(frequency.QuadPart));
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

const char* OriginName(const ApkSummary& summary)
{
    if (!summary.icon) return "none";
    static const char* const kNames[] = {"file", "drawn", "converted", "named"};
    return kNames[static_cast<int>(summary.icon->origin)];
}

}  // namespace

double ThreadMilliseconds()
{
    FILETIME created, exited, kernel, user;
    if (!::GetThreadTimes(::GetCurrentThread(), &created, &exited, &kernel, &user)) return 0;
    auto value = [](const FILETIME& time) { return double(ULONGLONG(time.dwHighDateTime) << 32 | time.dwLowDateTime); };
    return (value(kernel) + value(user)) / 1e4;
}

double PeakMegabytes()
{
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    if (!::GetProcessMemoryInfo(::GetCurrentProcess(), &counters, sizeof counters)) return 0;
    return double(counters.PeakWorkingSetSize) / (1024.0 * 1024.0);
}

int wmain(int argc, wchar_t** argv)
{
    if (argc < 3) {
        std::fputs("usage: icon_timer <runs> <package>...\n", stderr);
        return 64;
    }
    const int runs = std::max(1, _wtoi(argv[1]));
    for (int i = 2; i < argc; ++i) {
        const std::wstring path = argv[i];
        const double peakBefore = PeakMegabytes();
        const double parse = MedianMilliseconds(runs, [&] {
            _tagAPKINFO info = {};
            ParseApk(path.c_str(), &info, 0);
            ReleaseApk(&info);
        });
        const double cpuStart = ThreadMilliseconds();
        for (int run = 0; run < runs; ++run) {
            _tagAPKINFO info = {};
            ParseApk(path.c_str(), &info, 0);
            ReleaseApk(&info);
        }
        const double cpu = (ThreadMilliseconds() - cpuStart) / runs;
        CFileSource file;
        ApkSummary summary;
        CGdipIconPainter painter;
        if (!file.Open(path) || !CApkParser::Parse(file, CApkParser::LocaleOf(u"CHS"), summary, &painter)) {
            std::wprintf(L"%ls failed\n", path.c_str());
            std::fflush(stdout);
            continue;
        }
        std::string paint = "-", work = "-";
        if (summary.icon && summary.icon->scene) {
            const IconScene& scene = *summary.icon->scene;
            char text[32];
            std::snprintf(text, sizeof text, "%.2f", MedianMilliseconds(runs, [&] {
                std::vector<std::uint8_t> png;
                painter.Paint(scene, png);
            }));
            paint = text;
            std::snprintf(text, sizeof text, "%.2f", CPaintWork::OfScene(scene, CPaintWork::kScale) / 1e6);
            work = text;
        }
        std::wprintf(L"%ls parse %.2f paint %hs work %hs icon %zu %hs peak %.1f cpu %.2f\n", path.c_str(), parse,
                     paint.c_str(), work.c_str(), summary.icon ? summary.icon->bytes.size() : std::size_t(0),
                     OriginName(summary), PeakMegabytes() - peakBefore, cpu);
        // Out at once: into a pipe the line would otherwise wait for the process's end,
        // and a process that dies on a later package would take it along.
        std::fflush(stdout);
    }
    return 0;
}
