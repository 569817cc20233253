#pragma once

#include "image/io/FileHandle.h"

#include <functional>
#include <string>

// Writes `path` so that nobody ever sees it half-written: `write` fills a
// temporary file in the same folder, which then takes the target's place in
// one step (MoveFileEx with replace), waited for while another program holds
// the target for a moment. When `write` fails, or the temporary file cannot
// be made or cannot take the target's place (a reader holding it for good,
// a full disk, a folder the user may not write), the temporary file is
// removed, an existing target stays as it was, and the result is false; so
// too when the worker writing it is told to stop (framework/Worker.h).
bool WriteFileReplacing(const std::string& path, const std::function<bool(FileHandle& file)>& write);
