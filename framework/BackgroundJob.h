#pragma once
// Work that must not hold up a window (decoding a large picture) on a
// thread of its own. When it is done the thread posts a message to the
// window, whose thread then takes the result. The work shares its result
// with the caller through what it captures (a shared pointer), so a job
// left running when the program ends touches nothing that is gone.

#include <windows.h>

#include <functional>
#include <memory>

class CBackgroundJob {
  public:
    // Starts `work` at once, below the window's priority; posts `message` to
    // `window` when it returns. Without a thread the work runs here.
    CBackgroundJob(std::function<void()> work, HWND window, UINT message);
    // A job still running is left to finish alone.
    ~CBackgroundJob();
    CBackgroundJob(const CBackgroundJob&) = delete;
    CBackgroundJob& operator=(const CBackgroundJob&) = delete;

    // True once the work has returned; what it wrote is then visible here.
    bool Finished() const;
    // Waits at most `milliseconds`; true once the work has returned.
    bool WaitUntilFinished(DWORD milliseconds) const;

  private:
    struct State;
    static DWORD WINAPI Run(void* parameter);
    std::shared_ptr<State> m_state;
    HANDLE m_thread = nullptr;
};
