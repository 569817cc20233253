#include "engine/WallpaperInCharge.h"

#include <string>

namespace {

constexpr char kActiveDesktopPolicies[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\ActiveDesktop";
constexpr char kSystemPolicies[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\System";
constexpr char kExplorerWallpapers[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Wallpapers";
constexpr char kTerminalServicesPolicies[] = "Software\\Policies\\Microsoft\\Windows NT\\Terminal Services";

// Opened for reading only: a policy key that is missing must stay missing.
class ReadOnlyKey {
  public:
    ReadOnlyKey(HKEY root, const char* path)
    {
        if (RegOpenKeyExA(root, path, 0, KEY_QUERY_VALUE, &m_key) != ERROR_SUCCESS)
            m_key = nullptr;
    }
    ~ReadOnlyKey()
    {
        if (m_key)
            RegCloseKey(m_key);
    }
    ReadOnlyKey(const ReadOnlyKey&) = delete;
    ReadOnlyKey& operator=(const ReadOnlyKey&) = delete;

    std::optional<DWORD> Dword(const char* name) const
    {
        DWORD type = 0;
        DWORD value = 0;
        DWORD size = sizeof value;
        if (!m_key || RegQueryValueExA(m_key, name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) != 0 ||
            type != REG_DWORD || size != sizeof value)
            return std::nullopt;
        return value;
    }
    // Only whether a text value is there: its text does not matter here.
    bool HasText(const char* name) const
    {
        DWORD type = 0;
        return m_key && RegQueryValueExA(m_key, name, nullptr, &type, nullptr, nullptr) == ERROR_SUCCESS &&
               (type == REG_SZ || type == REG_EXPAND_SZ);
    }

  private:
    HKEY m_key = nullptr;
};

bool NonZero(std::optional<DWORD> value)
{
    return value && *value != 0;
}

} // namespace

WallpaperInCharge WhoIsInCharge(const InChargeFacts& facts)
{
    if (facts.noChangingWallpaper || facts.policyWallpaper)
        return WallpaperInCharge::Policy;
    if (facts.remoteSession && facts.remoteWallpaperForbidden)
        return WallpaperInCharge::RemoteSession;
    if (facts.backgroundType == kBackgroundSpotlight)
        return WallpaperInCharge::Spotlight;
    if (facts.backgroundType == kBackgroundSlideshow)
        return WallpaperInCharge::Slideshow;
    return WallpaperInCharge::Nobody;
}

InChargeFacts ReadInChargeFacts()
{
    InChargeFacts facts;
    for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
        facts.noChangingWallpaper |= NonZero(ReadOnlyKey(root, kActiveDesktopPolicies).Dword("NoChangingWallPaper"));
        facts.policyWallpaper |= ReadOnlyKey(root, kSystemPolicies).HasText("Wallpaper");
        facts.remoteWallpaperForbidden |=
            ReadOnlyKey(root, kTerminalServicesPolicies).Dword("fNoRemoteDesktopWallpaper") == DWORD{1};
    }
    facts.backgroundType = ReadOnlyKey(HKEY_CURRENT_USER, kExplorerWallpapers).Dword("BackgroundType");
    facts.remoteSession = GetSystemMetrics(SM_REMOTESESSION) != 0;
    return facts;
}
