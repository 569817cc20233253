#pragma once
// Wallpaper changes without a wait in the window: what is slow (reading and
// converting a picture) runs as a background job, and when it is done the
// window's thread writes the desktop's values and tells the system, in the
// same order as a change made at once. A BMP picture needs no conversion
// and is shown at once while no job runs.
//
// One job runs at a time. A change asked for while one runs waits, and only
// the newest waits: a picture replaced before it was ever shown is never
// converted. A running conversion the new change makes pointless (see
// Replaces) is stopped part way and writes nothing. What a waiting change
// shows is decided when it starts, from the window's state then, so a
// "next" picture follows the one just shown.

#include "engine/Wallpaper.h"
#include "engine/WallpaperKeeper.h"
#include "framework/BackgroundJob.h"

#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

struct WallpaperOptions {
    int alsoDefaultUser = 0;
    int style = 0;
    bool fullColour = false;
};

class WallpaperChangerHost {
  public:
    virtual ~WallpaperChangerHost() = default;
    virtual std::string CurrentPicture() const = 0;
    virtual WallpaperOptions CurrentWallpaperOptions() const = 0;
    // The pictures a Next tries, in order, and those a Previous tries,
    // newest first; asked for as the change starts.
    virtual std::vector<std::string> NextPictures() = 0;
    virtual std::vector<std::string> PreviousPictures() = 0;
    // The sequence has moved on to `picture`, which becomes the current one;
    // `back` when a Previous took it there.
    virtual void MoveToPicture(const std::string& picture, bool back) = 0;
    // The desktop was told to show a new wallpaper.
    virtual void WallpaperShown() = 0;
    // A chosen picture and every other picture of its folder turned out
    // unreadable after its request had returned: nothing was shown.
    virtual void NoReadablePicture() = 0;
    // False while the desktop's background is not ours to change: the
    // request is then dropped, and the host has said why.
    virtual bool MayChangeWallpaper() { return true; }
};

enum class WallpaperRequest {
    Current, // the current picture, in the current style
    // The first of the host's next pictures that can be read (those after
    // the current one, going at most once round its folder): a damaged file
    // never reaches the desktop nor holds the sequence up. The sequence moves to it even when no
    // bitmap could be written for it (the desktop then stays as it is); a
    // folder with nothing readable leaves the current picture as it is.
    Next,
    // The newest picture shown before that can be read, as a Next moves.
    Previous,
    // The current picture just chosen by the user or, when it cannot be
    // read, the next one after it that can, as a Next passes it over.
    Chosen,
};

class CWallpaperChanger {
  public:
    CWallpaperChanger(WallpaperChangerHost& host, UINT jobMessage) : m_host(host), m_jobMessage(jobMessage) {}

    // The window that takes the jobs' messages; set before the first request.
    void SetWindow(HWND window) { m_window = window; }
    // False when it is already clear that no picture can be read (the style
    // values are then written alone); otherwise the picture is shown or on
    // its way, and a Chosen request that finds nothing after all tells the
    // host when it is done.
    bool Request(WallpaperRequest request);
    // Nothing asked for so far reaches the desktop any more (the wallpaper
    // is being removed).
    void Cancel();
    // The job's message arrived.
    void OnJobFinished();
    // At exit (close, log-off): stops what runs and waits for it, at most
    // `milliseconds`, while the window's messages go on being handled; a
    // job that finished its bitmap before the stop is shown. Requests are
    // ignored from then on.
    void FinishBeforeExit(DWORD milliseconds);
    bool Busy() const { return m_job != nullptr; }
    // The file last given to the desktop, as it was then; empty before the
    // first change of this run.
    const KeptWallpaper& LastShown() const { return m_lastShown; }
    // The converted bitmap is no longer trusted (found damaged): the next
    // Current request converts the picture again.
    void ForgetConversion() { m_lastConversion.reset(); }

  private:
    // The pictures a request tries, in order.
    std::vector<std::string> Candidates(WallpaperRequest request, const std::string& current);
    bool Start(WallpaperRequest request);
    // Whether `request`, arriving while a job runs, makes that job pointless.
    bool Replaces(WallpaperRequest request) const;
    // True when the converted bitmap still holds this picture as asked: then
    // it is shown again without converting anything.
    bool ShowConvertedAgain(const std::string& picture, const WallpaperOptions& options);
    void Finish(const std::string& picture, const PreparedWallpaper& prepared, WallpaperRequest request,
                bool fullColour);
    void Show(const std::string& wallpaperPath, const WallpaperOptions& options);
    // The style chosen is written even when no picture is shown.
    void KeepStyle();
    // False when the job found no picture it could read.
    bool TakeFinishedJob();

    // What a job found: the first candidate that could be read (empty when
    // none could) and its wallpaper file.
    struct JobResult {
        std::string picture;
        PreparedWallpaper prepared;
    };

    // What the bitmap file was made from, and the file as it was then.
    struct Conversion {
        std::string picture;
        bool fullColour = false;
        std::string pictureStamp;
        std::string bitmapPath;
        std::string bitmapStamp;
    };

    WallpaperChangerHost& m_host;
    const UINT m_jobMessage;
    HWND m_window = nullptr;
    std::unique_ptr<CBackgroundJob> m_job;
    std::shared_ptr<JobResult> m_jobResult;
    WallpaperRequest m_jobRequest = WallpaperRequest::Current;
    bool m_jobFullColour = false;
    bool m_jobCancelled = false;
    bool m_jobStopped = false; // for a newer change, or the exit
    bool m_exiting = false;
    std::optional<WallpaperRequest> m_waiting;
    std::optional<Conversion> m_lastConversion;
    KeptWallpaper m_lastShown;
};
