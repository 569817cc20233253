#pragma once
// The font the system draws menus with (the non-client metrics' menu font),
// made afresh for each use so a change of the user's settings shows at once.

#include "framework/GdiObject.h"

CFont CreateMenuFont();
