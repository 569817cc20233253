#include "common/Pairing.h"

#include <cstdio>

bool PrintPairing(const PairingReport& report)
{
    const double ratio = report.timing.ours / report.timing.peer;
    const char* verdict = ratio <= report.target ? "PASS" : "MISS";
    char stretch[48] = "";
    if (report.stretch > 0)
        std::snprintf(stretch, sizeof stretch, " (stretch %.2fx %s)", report.stretch,
                      ratio <= report.stretch ? "met" : "not met");
    std::printf("%-30s ours %8.3f s  peer %8.3f s  ratio %5.3f  target <= %.2fx  %s%s\n", report.name.c_str(),
                report.timing.ours, report.timing.peer, ratio, report.target, verdict, stretch);
    if (!report.fault.empty())
        std::printf("%-30s FAULT: %s\n", "", report.fault.c_str());
    std::fflush(stdout);
    return report.fault.empty();
}
