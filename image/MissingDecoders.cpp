#include "image/MissingDecoders.h"

#include <algorithm>
#include <mutex>

namespace {

std::mutex& NotesLock()
{
    static std::mutex lock;
    return lock;
}

std::vector<std::string>& Notes()
{
    static std::vector<std::string> notes;
    return notes;
}

} // namespace

void NoteMissingDecoder(const std::string& format)
{
    const std::lock_guard<std::mutex> hold(NotesLock());
    std::vector<std::string>& notes = Notes();
    if (std::find(notes.begin(), notes.end(), format) == notes.end())
        notes.push_back(format);
}

std::vector<std::string> MissingDecoders()
{
    const std::lock_guard<std::mutex> hold(NotesLock());
    return Notes();
}
