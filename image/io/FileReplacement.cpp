#include "image/io/FileReplacement.h"

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
    if (written && MoveFileExA(temporary, fullPath.c_str(), MOVEFILE_REPLACE_EXISTING))
        return true;
    DeleteFileA(temporary);
    return false;
}
