#pragma once
// The kind of Windows the program runs on, fixed once at start-up. The
// menus draw their three-dimensional touches only on the newer shells.

// 0: 32-bit layer on a 16-bit system before version 4; 1: the Windows 95
// family; 2: NT 3.x; 3: NT 4 or later.
int PlatformClass();

// True for the Windows 95 family and NT 4 or later.
bool IsNewShell();

// The class for a version report: `ntFamily` and the major version.
int ClassifyPlatform(bool ntFamily, unsigned majorVersion);
