#pragma once

#include <string>

// Starts commandLine as a new process and waits for it to end; returns its
// exit code, or -1 when it could not be started.
int RunProcess(const std::string& commandLine);
