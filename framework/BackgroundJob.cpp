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
        // Nothing may leave a thread's procedure; work that fails (memory
        // short) leaves its result as it found it.
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
    auto* threadReference = new std::shared_ptr<State>(m_state);
    m_thread = CreateThread(nullptr, 0, Run, threadReference, CREATE_SUSPENDED, nullptr);
    if (!m_thread) {
        delete threadReference;
        m_state->Run();
        return;
    }
    // The window's thread comes first whenever both want the processor.
    SetThreadPriority(m_thread, THREAD_PRIORITY_BELOW_NORMAL);
    ResumeThread(m_thread);
}

CBackgroundJob::~CBackgroundJob()
{
    if (m_thread)
        CloseHandle(m_thread);
}

DWORD WINAPI CBackgroundJob::Run(void* parameter)
{
    const std::unique_ptr<std::shared_ptr<State>> state(static_cast<std::shared_ptr<State>*>(parameter));
    (*state)->Run();
    return 0;
}

bool CBackgroundJob::Finished() const
{
    return m_state->finished.load(std::memory_order_acquire);
}

bool CBackgroundJob::WaitUntilFinished(DWORD milliseconds) const
{
    if (!Finished() && m_state->finishedEvent)
        WaitForSingleObject(m_state->finishedEvent, milliseconds);
    return Finished();
}
