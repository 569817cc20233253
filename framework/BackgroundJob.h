#pragma once
// Work that must not hold up a window (decoding a large picture) on a
// worker of its own (framework/Worker.h), below the window's priority. When
// it is done the thread posts a message to the window, whose thread then
// takes the result. The work shares its result with the caller through
// what it captures (a shared pointer), so a job left running when the
// program ends touches nothing that is gone.

#include "framework/Worker.h"

#include <windows.h>

#include <functional>
#include <memory>

class CBackgroundJob {
  public:
    // Starts `work` at once; posts `message` to `window` when it returns,
    // stopped or not. Without a thread the work runs here.
    CBackgroundJob(std::function<void()> work, HWND window, UINT message);
    // A job still running is told to stop and left to end alone.
    ~CBackgroundJob();
    CBackgroundJob(const CBackgroundJob&) = delete;
    CBackgroundJob& operator=(const CBackgroundJob&) = delete;

    // The work's StopRequested() answers true from now on: it gives up at
    // its next check (every few rows of a picture) and writes nothing.
    void RequestStop() { m_worker.RequestStop(); }
    // True once the work has returned; what it wrote is then visible here.
    bool Finished() const;
    // The same, while the calling thread's windows go on taking their
    // messages (a WM_QUIT met on the way is posted again afterwards).
    bool WaitPumpingMessages(DWORD milliseconds) const;

  private:
    struct State;
    std::shared_ptr<State> m_state;
    CWorker m_worker;
};
