#pragma once
// Text for the person who typed the command: the program has no console of
// its own, so it writes to the one it was started from, or to where that
// start sent its output.

#include <string>

// `text` in the ANSI code page. Nothing happens when there is nowhere to write.
void WriteToStartingConsole(const std::string& text);
