#include "framework/Worker.h"

#include <atomic>

#ifdef _WIN32
#include <windows.h>
#endif

struct CWorker::StopState {
    std::atomic<bool> stopped{false};
    // The worker whose thread started this one: its stop is ours too.
    std::shared_ptr<StopState> parent;

    bool Requested() const
    {
        for (const StopState* state = this; state; state = state->parent.get())
            if (state->stopped.load(std::memory_order_relaxed))
                return true;
        return false;
    }
};

namespace {

// The stop state of the worker this thread runs for; null elsewhere. Its
// worker's thread holds a reference for as long as it runs.
thread_local std::shared_ptr<CWorker::StopState>* currentStop = nullptr;

#ifdef _WIN32
int PriorityFor(WorkerPriority priority)
{
    return priority == WorkerPriority::BelowNormal ? THREAD_PRIORITY_BELOW_NORMAL
                                                   : GetThreadPriority(GetCurrentThread());
}

void TakePriority(int priority)
{
    SetThreadPriority(GetCurrentThread(), priority);
}
#else
// The natively built parsers' tests run their threads as they come.
int PriorityFor(WorkerPriority)
{
    return 0;
}

void TakePriority(int) {}
#endif

} // namespace

bool StopRequested()
{
    return currentStop && (*currentStop)->Requested();
}

bool HasSecondProcessor()
{
#ifdef _WIN32
    DWORD_PTR process = 0;
    DWORD_PTR system = 0;
    if (!GetProcessAffinityMask(GetCurrentProcess(), &process, &system))
        return false;
    return (process & (process - 1)) != 0;
#else
    return std::thread::hardware_concurrency() > 1;
#endif
}

CWorker::~CWorker()
{
    RequestStop();
    Join();
}

bool CWorker::Start(std::function<void()> work, WorkerPriority priority) noexcept
{
    if (m_thread.joinable())
        return false;
    try {
        auto stop = std::make_shared<StopState>();
        if (currentStop)
            stop->parent = *currentStop;
        const int threadPriority = PriorityFor(priority);
        m_thread = std::thread([stop, threadPriority, work = std::move(work)]() mutable {
            TakePriority(threadPriority);
            std::shared_ptr<StopState> mine = stop;
            currentStop = &mine;
            try {
                work();
            } catch (...) {
            }
            work = nullptr; // what it captured goes before the thread ends
            currentStop = nullptr;
        });
        m_stop = std::move(stop);
        return true;
    } catch (...) {
        return false;
    }
}

void CWorker::RequestStop()
{
    if (m_stop)
        m_stop->stopped.store(true, std::memory_order_relaxed);
}

void CWorker::Join()
{
    if (m_thread.joinable())
        m_thread.join();
}

void CWorker::Detach()
{
    if (m_thread.joinable())
        m_thread.detach();
}
