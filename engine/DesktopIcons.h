#pragma once
// Hiding the desktop icons: the shell's desktop window that carries them
// (top-level class "ProgMan") is hidden or shown. Its visibility is the
// only state; nothing restores it when the program ends.

// Hides the icons when `hidden` is non-zero, shows them when it is 0. A
// shell without such a window is left as it is.
void SetDesktopIconsHidden(int hidden);
