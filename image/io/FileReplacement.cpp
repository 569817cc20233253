#include "image/io/FileReplacement.h"

#include "framework/Worker.h"

namespace {

// The absolute form of `path` and the folder it lies in (with its final
// backslash); false when the path cannot be made absolute.
bool SplitFullPath(const std::string& path, std::string& fullPath, std::string& folder)
{
    char buffer[MAX_PATH];
    char* namePart = nullptr;
    const DWORD length = GetFullPathNameA(path.c_str(), MAX_PATH, buffer, &namePart);
    if (length == 0 || length >= MAX_PATH || !namePart)
        return false;
    fullPath.assign(buffer, length);
    folder.assign(buffer, namePart);
    return true;
}

// Another program may hold the target for a moment (the shell reading the
// wallpaper it was just told about, a virus scanner): the move is tried
// again for about a second before the write counts as failed.
bool MoveIntoPlace(const char* temporary, const std::string& target)
{
    constexpr int kTries = 20;
    constexpr DWORD kPause = 50; // milliseconds
    for (int attempt = 1;; ++attempt) {
        if (MoveFileExA(temporary, target.c_str(), MOVEFILE_REPLACE_EXISTING))
            return true;
        const DWORD error = GetLastError();
        if (attempt == kTries || (error != ERROR_SHARING_VIOLATION && error != ERROR_ACCESS_DENIED) || StopRequested())
            return false;
        Sleep(kPause);
    }
}

} // namespace

bool WriteFileReplacing(const std::string& path, const std::function<bool(FileHandle& file)>& write)
{
    std::string fullPath;
    std::string folder;
    if (!SplitFullPath(path, fullPath, folder))
        return false;
    // In the target's own folder, so the move is a rename on one volume.
    char temporary[MAX_PATH];
    if (GetTempFileNameA(folder.c_str(), "~tq", 0, temporary) == 0)
        return false;

    bool written = false;
    {
        FileHandle file = FileHandle::CreateForWriting(temporary);
        written = file.IsOpen() && write(file);
    }
    // A write told to stop leaves the target as it was: the last moment to
    // give up is before the move.
    if (written && !StopRequested() && MoveIntoPlace(temporary, fullPath))
        return true;
    DeleteFileA(temporary);
    return false;
}
