#include "engine/PictureSources.h"

#include "engine/PictureList.h"
#include "framework/Path.h"
#include "settings/RegistryKey.h"

#include <windows.h>

#include <algorithm>
#include <array>
#include <cctype>

namespace {

constexpr char kSeparator = '|';

std::string Upper(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

// The names the system keeps for devices in every folder, with or without
// an extension ("C:\pics\nul.txt" is the device too).
bool IsDeviceName(const std::string& component)
{
    static const std::array<const char*, 22> kDevices = {"CON",  "PRN",  "AUX",  "NUL",  "COM1", "COM2", "COM3", "COM4",
                                                         "COM5", "COM6", "COM7", "COM8", "COM9", "LPT1", "LPT2", "LPT3",
                                                         "LPT4", "LPT5", "LPT6", "LPT7", "LPT8", "LPT9"};
    std::string base = Upper(component.substr(0, component.find('.')));
    while (!base.empty() && (base.back() == ' '))
        base.pop_back();
    return std::find(kDevices.begin(), kDevices.end(), base) != kDevices.end();
}

bool HasDeviceComponent(const std::string& path)
{
    std::string component;
    for (const char* c = path.c_str();; c = CharNextA(c)) {
        if (*c == '\\' || *c == '/' || *c == '\0') {
            if (IsDeviceName(component))
                return true;
            if (*c == '\0')
                return false;
            component.clear();
            continue;
        }
        component.append(c, CharNextA(c) - c);
    }
}

bool IsDriveLetter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// "C:\..." or "\\server\share...": the forms that name one place whatever
// the current directory is.
bool IsAbsoluteFolder(const std::string& path)
{
    if (path.size() >= 3 && IsDriveLetter(path[0]) && path[1] == ':' && path[2] == '\\')
        return true;
    if (path.size() < 5 || path.compare(0, 2, "\\\\") != 0)
        return false;
    // "\\.\" and "\\?\" reach devices and raw volumes, not folders.
    return path[2] != '.' && path[2] != '?' && path[2] != '\\';
}

// The folder without a trailing backslash, but a drive's root keeps its own.
std::string Trimmed(std::string folder)
{
    while (folder.size() > 3 && folder.back() == '\\' && DirectoryOfPath(folder) + "\\" == folder)
        folder.pop_back();
    return folder;
}

bool IsPlausibleFolder(const std::string& folder)
{
    return IsAbsoluteFolder(folder) && FitsSystemPath(folder + "\\*") &&
           std::none_of(folder.begin(), folder.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20; }) &&
           !HasDeviceComponent(folder);
}

void AddFolder(std::vector<std::string>& folders, const std::string& part)
{
    if (folders.size() >= kMostPictureFolders || !IsPlausibleFolder(part))
        return;
    const std::string folder = Trimmed(part);
    const std::string upper = Upper(folder);
    for (const std::string& known : folders)
        if (Upper(known) == upper)
            return;
    folders.push_back(folder);
}

} // namespace

std::vector<std::string> ParsePictureFolders(const std::string& text)
{
    std::vector<std::string> folders;
    std::string part;
    // By characters: in code page 936 a '|' byte can be the second half of
    // a Chinese character. A part longer than any path is not collected.
    for (const char* c = text.c_str(); *c; c = CharNextA(c)) {
        if (*c == kSeparator) {
            AddFolder(folders, part);
            part.clear();
        } else if (part.size() <= MAX_PATH * 3) {
            part.append(c, CharNextA(c) - c);
        }
    }
    AddFolder(folders, part);
    return folders;
}

std::string JoinPictureFolders(const std::vector<std::string>& folders)
{
    // Joined as the picture lists are: one separator for every list value.
    return JoinPictureList(folders);
}

PictureSources FolderOfCurrentPicture(const std::string& currentPicture)
{
    // Even a path without a folder is searched where it always was: the
    // root of the current drive.
    PictureSources sources;
    sources.folders.push_back(DirectoryOfPath(currentPicture));
    return sources;
}

PictureSources ReadPictureSources(const CRegistryKey& key, const std::string& currentPicture)
{
    std::string text;
    PictureSources sources;
    if (key.ReadString("Folders", text) == ERROR_SUCCESS)
        sources.folders = ParsePictureFolders(text);
    if (sources.folders.empty())
        sources.folders = FolderOfCurrentPicture(currentPicture).folders;
    if (key.ReadString("IncludeSubfolders", text) == ERROR_SUCCESS)
        sources.includeSubfolders = text == "1";
    return sources;
}

bool SourcesCover(const PictureSources& sources, const std::string& path)
{
    for (std::string folder : sources.folders) {
        if (folder.empty())
            continue;
        if (folder.back() != '\\')
            folder += '\\';
        if (path.size() <= folder.size() ||
            CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, path.c_str(), static_cast<int>(folder.size()),
                           folder.c_str(), static_cast<int>(folder.size())) != CSTR_EQUAL)
            continue;
        if (sources.includeSubfolders || path.find('\\', folder.size()) == std::string::npos)
            return true;
    }
    return false;
}
