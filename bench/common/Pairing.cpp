#include "common/Pairing.h"

#include <algorithm>
#include <cstdio>

double Median(std::vector<double> seconds)
{
    if (seconds.empty())
        return 0;
    std::sort(seconds.begin(), seconds.end());
    const size_t middle = seconds.size() / 2;
    return seconds.size() % 2 ? seconds[middle] : (seconds[middle - 1] + seconds[middle]) / 2;
}

namespace {

void PrintLine(const char* name, double ours, double peer, const PairingReport& report)
{
    const double ratio = ours / peer;
    const char* verdict = ratio <= report.target ? "PASS" : "MISS";
    char stretch[48] = "";
    if (report.stretch > 0)
        std::snprintf(stretch, sizeof stretch, " (stretch %.2fx %s)", report.stretch,
                      ratio <= report.stretch ? "met" : "not met");
    std::printf("%-30s ours %8.3f s  peer %8.3f s  ratio %5.3f  target <= %.2fx  %s%s\n", name, ours, peer, ratio,
                report.target, verdict, stretch);
}

} // namespace

bool PrintPairing(const PairingReport& report)
{
    PrintLine(report.name.c_str(), report.timing.ours, report.timing.peer, report);
    if (!report.timing.oursRuns.empty() && !report.timing.peerRuns.empty())
        PrintLine("  median", Median(report.timing.oursRuns), Median(report.timing.peerRuns), report);
    if (!report.fault.empty())
        std::printf("%-30s FAULT: %s\n", "", report.fault.c_str());
    std::fflush(stdout);
    return report.fault.empty();
}
