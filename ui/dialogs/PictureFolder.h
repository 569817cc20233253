#pragma once
// How the select-picture dialog shows the picture files of a folder
// (engine/PictureFiles.h reads them): their dates.

#include <windows.h>

#include <string>

// File times as the list shows them, in local time: "2024-03-05 17:08:09".
class LocalDateFormat {
  public:
    // Reads the time zone once, for every date formatted with this object.
    LocalDateFormat();
    std::string Format(const FILETIME& time) const;

  private:
    TIME_ZONE_INFORMATION m_zone{};
    bool m_hasZone = false;
};
