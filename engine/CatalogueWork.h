#pragma once
// The catalogue's worker: walks the sources, watches them, reads the
// pictures' sizes, and publishes each new list as an unchanging snapshot.
// Everything it owns but the snapshot, the renames and the sources asked
// for lives on its own thread.

#include "engine/PictureCatalogue.h"
#include "framework/Worker.h"

#include <windows.h>

#include <atomic>
#include <memory>
#include <mutex>
#include <vector>

class CPictureCatalogue::Work : public std::enable_shared_from_this<CPictureCatalogue::Work> {
  public:
    Work();
    ~Work();
    Work(const Work&) = delete;
    Work& operator=(const Work&) = delete;

    void Attach(HWND window, UINT message);
    void SetSources(const PictureSources& sources);
    // Tells the worker's thread to end, without waiting: a walk inside a
    // folder that hangs must not hold the window's close. The thread keeps
    // this object alive until it ends.
    void Stop();

    std::shared_ptr<const CatalogueSnapshot> Snapshot() const;
    std::vector<PictureRename> TakeRenames();

  private:
    void Run();
    void Publish(const PictureSources& sources, const PictureTree& tree, bool sizesRead,
                 std::vector<PictureRename>& renames, bool notify);

    mutable std::mutex m_mutex;
    PictureSources m_wanted;
    std::shared_ptr<const CatalogueSnapshot> m_snapshot;
    std::vector<PictureRename> m_renames;
    HWND m_window = nullptr;
    UINT m_message = 0;

    std::atomic<bool> m_stopping{false};
    std::atomic<bool> m_sourcesChanged{false};
    HANDLE m_wake; // sources changed, or stop
    CWorker m_worker;
};
