#pragma once
// Work on a thread of its own that can be told to stop. Every thread of the
// program goes through here: the background jobs that keep a window free
// (a wallpaper conversion, a preview) and the second threads a decoder
// starts for a large picture.
//
// Each worker carries a stop flag. Code running on a worker's thread asks
// StopRequested() every few rows and, when it answers true, gives up as if
// the file had failed to read: it writes nothing and returns. A worker
// started from another worker's thread (a decoder's helper inside a
// conversion) stops with it too.
//
// Free of windows.h, so the byte-level parsers built natively share it.

#include <functional>
#include <memory>
#include <thread>

// True when the worker whose thread calls it was told to stop. Always false
// on a thread no worker started (the window's).
bool StopRequested();

// A second thread helps only when the process may run on a second
// processor: the machine has one, and nobody has tied us to one.
bool HasSecondProcessor();

enum class WorkerPriority {
    // The priority of the starting thread: a decoder's helper inside a
    // conversion that runs below normal must not take a core from the window.
    Caller,
    // Below the window's thread, which comes first whenever both want the processor.
    BelowNormal,
};

class CWorker {
  public:
    CWorker() = default;
    // Asks a thread still running to stop and waits for it, unless detached.
    ~CWorker();
    CWorker(const CWorker&) = delete;
    CWorker& operator=(const CWorker&) = delete;

    // Starts work; false, and nothing started, when no thread can be had (or
    // one is running already). Nothing the work throws leaves its thread.
    bool Start(std::function<void()> work, WorkerPriority priority = WorkerPriority::Caller) noexcept;
    // The work's StopRequested() answers true from now on.
    void RequestStop();
    // Waits for the work to return; at once when none was started.
    void Join();
    // Leaves the thread to end alone; what its work captured stays alive
    // until then.
    void Detach();
    bool Started() const { return m_thread.joinable(); }

    struct StopState;

  private:
    std::shared_ptr<StopState> m_stop;
    std::thread m_thread;
};
