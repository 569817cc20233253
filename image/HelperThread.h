#pragma once

#include <functional>
#include <thread>

// A second thread helps only when the process may run on a second
// processor: the machine has one, and nobody has tied us to one.
bool HasSecondProcessor();

// Starts work on helper at the priority of the calling thread: a conversion
// that runs below normal beside the window must not take a core from it.
// False, and no thread, when none can be had.
bool StartHelperThread(std::thread& helper, std::function<void()> work) noexcept;
