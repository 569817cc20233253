#pragma once

#include "common/Stopwatch.h"

#include <limits>
#include <string>
#include <utility>
#include <vector>

// The fastest of several runs of our path and of the peer's, and, where
// every run was kept, each side's median: on a shared machine the fastest
// run can be a lucky one.
struct Timing {
    double ours = std::numeric_limits<double>::infinity();
    double peer = std::numeric_limits<double>::infinity();
    std::vector<double> oursRuns;
    std::vector<double> peerRuns;
};

// The middle of the times (the mean of the two middle ones for an even
// count); 0 for none.
double Median(std::vector<double> seconds);

// Runs ours and peer alternately, runs times each, and keeps every time.
// Each call returns its output; the output of the last run is handed
// back for the equality check, and earlier outputs are released outside the
// timed span, so neither side pays for freeing the other's memory.
template <class Ours, class Peer> struct InterleavedRuns {
    Timing timing;
    decltype(std::declval<Ours>()()) oursOutput;
    decltype(std::declval<Peer>()()) peerOutput;
};

// Times one call, keeps the fastest time in `best`, and stores the call's
// output after the clock stopped.
template <class Run, class Output> void TimeOnce(Run& run, double& best, std::vector<double>& all, Output& output)
{
    output = {}; // the previous run's output is freed outside the timed span
    const Stopwatch watch;
    auto produced = run();
    const double seconds = watch.Seconds();
    if (seconds < best)
        best = seconds;
    all.push_back(seconds);
    output = std::move(produced);
}

template <class Ours, class Peer> InterleavedRuns<Ours, Peer> RunInterleaved(int runs, Ours ours, Peer peer)
{
    InterleavedRuns<Ours, Peer> result;
    for (int run = 0; run < runs; ++run) {
        TimeOnce(ours, result.timing.ours, result.timing.oursRuns, result.oursOutput);
        TimeOnce(peer, result.timing.peer, result.timing.peerRuns, result.peerOutput);
    }
    return result;
}

// What one pairing prints: both minima, the ratio against the target (and
// the stretch target when there is one), the same of both medians where
// the runs were kept, and whether the outputs agreed.
struct PairingReport {
    PairingReport(std::string name, const Timing& timing, double target, double stretch = 0)
        : name(std::move(name)), timing(timing), target(target), stretch(stretch)
    {
    }

    std::string name;
    Timing timing;
    double target;
    double stretch;    // 0: no stretch target
    std::string fault; // empty when the outputs are equal
};

// Prints the pairing's line; true when the outputs were equal (a missed
// time target is reported, not treated as a fault).
bool PrintPairing(const PairingReport& report);
