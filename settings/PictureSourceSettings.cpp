#include "settings/PictureSourceSettings.h"

void ReadPictureSourceSettings(const CRegistryKey& key, Settings& settings)
{
    std::string text;
    settings.IncludeSubfolders = key.ReadString("IncludeSubfolders", text) == ERROR_SUCCESS && text == "1" ? 1 : 0;
    // Which of the paths are folders is the catalogue's to judge; a value of
    // another type fails to read and leaves the default.
    settings.Folders.clear();
    key.ReadString("Folders", settings.Folders);
}

void WriteIncludeSubfolders(CRegistryKey& key, const Settings& settings)
{
    key.WriteString("IncludeSubfolders", settings.IncludeSubfolders ? "1" : "0");
}

void WriteFolders(CRegistryKey& key, const Settings& settings)
{
    key.WriteString("Folders", settings.Folders);
}
