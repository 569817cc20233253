#include "engine/WallpaperChanger.h"

#include "framework/Path.h"
#include "framework/Worker.h"
#include "image/ImageFileType.h"

#include <cstdio>
#include <vector>

namespace {

bool IsBmpPicture(const std::string& path)
{
    return ImageTypeForPictureFile(path) == BMP;
}

// A file's size and last write, enough to tell that it was not replaced;
// empty when it is gone.
std::string FileStamp(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data))
        return std::string();
    char stamp[64];
    std::snprintf(stamp, sizeof stamp, "%lu:%lu:%lu:%lu", data.nFileSizeHigh, data.nFileSizeLow,
                  data.ftLastWriteTime.dwHighDateTime, data.ftLastWriteTime.dwLowDateTime);
    return stamp;
}

} // namespace

bool CWallpaperChanger::Request(WallpaperRequest request)
{
    if (m_exiting || !m_host.MayChangeWallpaper())
        return true;
    if (m_job) {
        // A choice waiting shows the current picture in the newest style
        // anyway: a style click after it must not cost it its walk.
        if (!(m_waiting == WallpaperRequest::Chosen && request == WallpaperRequest::Current))
            m_waiting = request;
        if (Replaces(request)) {
            m_job->RequestStop();
            m_jobStopped = true;
        }
        return true;
    }
    return Start(request);
}

bool CWallpaperChanger::Replaces(WallpaperRequest request) const
{
    // A new choice makes whatever runs pointless. A picture converted only
    // to be shown again is not wanted once the sequence moves on, nor in
    // the other colour mode; a Next or Previous that runs is where the next
    // change starts from, so it goes on.
    if (request == WallpaperRequest::Chosen)
        return true;
    if (m_jobRequest != WallpaperRequest::Current)
        return false;
    return request != WallpaperRequest::Current || m_host.CurrentWallpaperOptions().fullColour != m_jobFullColour;
}

void CWallpaperChanger::Cancel()
{
    m_waiting.reset();
    if (m_job) {
        m_jobCancelled = true;
        m_job->RequestStop();
    }
}

std::vector<std::string> CWallpaperChanger::Candidates(WallpaperRequest request, const std::string& current)
{
    switch (request) {
    case WallpaperRequest::Current:
        return {current};
    case WallpaperRequest::Next:
        return m_host.NextPictures();
    case WallpaperRequest::Previous:
        return m_host.PreviousPictures();
    case WallpaperRequest::Chosen:
        break;
    }
    // The choice first, then the rest of its folder once round.
    std::vector<std::string> after = m_host.NextPictures();
    if (!after.empty() && after.back() == current)
        after.pop_back();
    after.insert(after.begin(), current);
    return after;
}

bool CWallpaperChanger::Start(WallpaperRequest request)
{
    const std::string current = m_host.CurrentPicture();
    const WallpaperOptions options = m_host.CurrentWallpaperOptions();
    const bool showsCurrent = request == WallpaperRequest::Current || request == WallpaperRequest::Chosen;
    if (showsCurrent && ShowConvertedAgain(current, options))
        return true;
    const std::vector<std::string> candidates = Candidates(request, current);

    // BMP pictures are only looked at, which takes no time: they are shown
    // here. The first picture that needs converting goes to a job, with
    // the rest of the candidates behind it.
    for (auto candidate = candidates.begin(); candidate != candidates.end(); ++candidate) {
        if (!IsBmpPicture(*candidate)) {
            m_jobResult = std::make_shared<JobResult>();
            m_job = std::make_unique<CBackgroundJob>(
                [result = m_jobResult, rest = std::vector<std::string>(candidate, candidates.end()),
                 fullColour = options.fullColour] {
                    for (const std::string& picture : rest) {
                        // A stopped job finds nothing; only a bitmap written
                        // before the stop came is still its result.
                        if (StopRequested())
                            return;
                        PreparedWallpaper prepared = PrepareWallpaper(picture, fullColour);
                        if (prepared.change == WallpaperChange::PictureUnreadable ||
                            (prepared.change != WallpaperChange::Shown && StopRequested()))
                            continue;
                        result->picture = picture;
                        result->prepared = std::move(prepared);
                        return;
                    }
                },
                m_window, m_jobMessage);
            m_jobRequest = request;
            m_jobFullColour = options.fullColour;
            m_jobCancelled = false;
            m_jobStopped = false;
            return true;
        }
        const PreparedWallpaper prepared = PrepareWallpaper(*candidate, options.fullColour);
        if (prepared.change != WallpaperChange::PictureUnreadable) {
            Finish(*candidate, prepared, request, options.fullColour);
            return true;
        }
    }
    KeepStyle();
    return false;
}

bool CWallpaperChanger::ShowConvertedAgain(const std::string& picture, const WallpaperOptions& options)
{
    if (!m_lastConversion || IsBmpPicture(picture))
        return false;
    const Conversion& made = *m_lastConversion;
    if (made.picture != picture || made.fullColour != options.fullColour || made.pictureStamp != FileStamp(picture) ||
        made.bitmapStamp != FileStamp(made.bitmapPath))
        return false;
    Show(made.bitmapPath, options);
    return true;
}

void CWallpaperChanger::Finish(const std::string& picture, const PreparedWallpaper& prepared, WallpaperRequest request,
                               bool fullColour)
{
    if (request != WallpaperRequest::Current)
        m_host.MoveToPicture(picture, request == WallpaperRequest::Previous);
    if (prepared.change != WallpaperChange::Shown) {
        KeepStyle();
        return;
    }
    if (!IsBmpPicture(picture)) {
        m_lastConversion = Conversion{picture, fullColour, FileStamp(picture), prepared.wallpaperPath,
                                      FileStamp(prepared.wallpaperPath)};
    }
    // The options of this moment: a style chosen while the job ran is what
    // the user wants to see now.
    Show(prepared.wallpaperPath, m_host.CurrentWallpaperOptions());
}

void CWallpaperChanger::Show(const std::string& wallpaperPath, const WallpaperOptions& options)
{
    ShowWallpaperFile(wallpaperPath, options.alsoDefaultUser, options.style);
    m_lastShown = {wallpaperPath, ReadWallpaperFileFacts(wallpaperPath)};
    m_host.WallpaperShown();
}

void CWallpaperChanger::KeepStyle()
{
    const WallpaperOptions options = m_host.CurrentWallpaperOptions();
    KeepWallpaperStyle(options.alsoDefaultUser, options.style);
}

bool CWallpaperChanger::TakeFinishedJob()
{
    m_job.reset();
    const std::shared_ptr<JobResult> result = std::move(m_jobResult);
    if (m_jobCancelled)
        return true;
    // Stopped for a newer change, which comes next and writes the style, or
    // for the exit.
    if (result->picture.empty() && m_jobStopped)
        return true;
    if (result->picture.empty()) {
        KeepStyle();
        return false;
    }
    Finish(result->picture, result->prepared, m_jobRequest, m_jobFullColour);
    return true;
}

void CWallpaperChanger::OnJobFinished()
{
    // A message can outlive its job (one finished while the program ended);
    // at exit FinishBeforeExit takes the job itself.
    if (!m_job || !m_job->Finished() || m_exiting)
        return;
    // Told before the waiting request starts: the host may cancel it.
    const WallpaperRequest finished = m_jobRequest;
    if (!TakeFinishedJob() && finished == WallpaperRequest::Chosen && !m_exiting)
        m_host.NoReadablePicture();
    if (m_waiting) {
        const WallpaperRequest next = *m_waiting;
        m_waiting.reset();
        if (!Start(next) && next == WallpaperRequest::Chosen && !m_exiting)
            m_host.NoReadablePicture();
    }
}

void CWallpaperChanger::FinishBeforeExit(DWORD milliseconds)
{
    // The window is closing: there is nobody left to tell, and nothing new
    // starts.
    m_exiting = true;
    m_waiting.reset();
    if (m_job) {
        // Stopped, not waited for: part way through, a conversion writes
        // nothing and its temporary file goes. One that had written its
        // bitmap before it heard of the stop is shown, so the desktop, the
        // bitmap and the current picture agree.
        m_job->RequestStop();
        m_jobStopped = true;
        if (m_job->WaitPumpingMessages(milliseconds))
            TakeFinishedJob();
    }
    // Still running after all: it can no longer replace the bitmap.
    m_job.reset();
    m_jobResult.reset();
}
