#pragma once
// Whether Windows, not this program, decides the desktop's background: a
// policy that fixes the wallpaper or forbids changing it, Windows' own
// slideshow or Spotlight as the background, or a remote session whose
// computer shows no wallpaper to remote users. While one of them holds,
// a change would be lost or fought over, so the program makes none and
// says why. Read at start and whenever the system announces a setting
// change, so it goes on by itself once the cause is gone.

#include <windows.h>

#include <optional>

// In the order the user is told: a policy first, since it holds whatever
// else is chosen.
enum class WallpaperInCharge { Nobody, Policy, RemoteSession, Spotlight, Slideshow };

// What the system says, as read. A value of the wrong type is absent.
struct InChargeFacts {
    bool noChangingWallpaper = false; // a non-zero NoChangingWallPaper (REG_DWORD)
    bool policyWallpaper = false;     // a policy Wallpaper text value, even an empty one
    std::optional<DWORD> backgroundType;
    bool remoteSession = false;
    bool remoteWallpaperForbidden = false; // fNoRemoteDesktopWallpaper 1
};

// `BackgroundType` of the user's Explorer\Wallpapers key: 0 a picture,
// 1 a solid colour, 2 Windows' slideshow, 3 Windows Spotlight.
constexpr DWORD kBackgroundSlideshow = 2;
constexpr DWORD kBackgroundSpotlight = 3;

WallpaperInCharge WhoIsInCharge(const InChargeFacts& facts);

// The current user's and the machine's values, and the session's kind.
InChargeFacts ReadInChargeFacts();
