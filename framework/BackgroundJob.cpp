#include "framework/BackgroundJob.h"

#include <atomic>

struct CBackgroundJob::State {
    std::function<void()> work;
    HWND window = nullptr;
    UINT message = 0;
    std::atomic<bool> finished{false};
    HANDLE finishedEvent = CreateEventA(nullptr, TRUE, FALSE, nullptr);

    ~State()
    {
        if (finishedEvent)
            CloseHandle(finishedEvent);
    }

    void Run()
    {
        // Work that fails (memory short) leaves its result as it found it.
        try {
            work();
        } catch (...) {
        }
        work = nullptr; // what it captured goes with the thread's end
        finished.store(true, std::memory_order_release);
        if (finishedEvent)
            SetEvent(finishedEvent);
        PostMessageA(window, message, 0, 0);
    }
};

CBackgroundJob::CBackgroundJob(std::function<void()> work, HWND window, UINT message)
    : m_state(std::make_shared<State>())
{
    m_state->work = std::move(work);
    m_state->window = window;
    m_state->message = message;
    if (!m_worker.Start([state = m_state] { state->Run(); }, WorkerPriority::BelowNormal))
        m_state->Run();
}

CBackgroundJob::~CBackgroundJob()
{
    m_worker.RequestStop();
    m_worker.Detach();
}

bool CBackgroundJob::Finished() const
{
    return m_state->finished.load(std::memory_order_acquire);
}

bool CBackgroundJob::WaitPumpingMessages(DWORD milliseconds) const
{
    const DWORD start = GetTickCount();
    bool quit = false;
    int quitCode = 0;
    while (!Finished() && m_state->finishedEvent) {
        const DWORD spent = GetTickCount() - start;
        if (spent >= milliseconds)
            break;
        // After a WM_QUIT only the job is waited for: the queue is the outer loop's.
        const DWORD woke =
            MsgWaitForMultipleObjects(1, &m_state->finishedEvent, FALSE, milliseconds - spent, quit ? 0 : QS_ALLINPUT);
        if (woke != WAIT_OBJECT_0 + 1)
            continue;
        MSG message;
        while (!quit && PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                quit = true;
                quitCode = static_cast<int>(message.wParam);
                break;
            }
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
    if (quit)
        PostQuitMessage(quitCode);
    return Finished();
}
