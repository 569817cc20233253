#pragma once

#include <cstddef>
#include <string>

// Starts commandLine as a new process and waits for it to end; returns its
// exit code, or -1 when it could not be started.
int RunProcess(const std::string& commandLine);

// The same, watching the process' memory while it runs: peakBytes receives
// the largest of its peak working set and its peak private bytes, as last
// seen before it ended (it is asked every millisecond, so this run is not
// for timing).
int RunProcessWatchingMemory(const std::string& commandLine, size_t& peakBytes);
