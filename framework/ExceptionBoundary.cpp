#include "framework/ExceptionBoundary.h"

#include <string>

namespace {

void ShowErrorBox(const char* what)
{
    const std::string text = std::string("An internal error stopped the last action:\n\n") + what;
    MessageBoxA(nullptr, text.c_str(), "Orvane Tessaly", MB_OK | MB_ICONERROR | MB_TASKMODAL);
}

ExceptionReporter reporter = &ShowErrorBox;
bool reported = false;

} // namespace

ExceptionReporter SetExceptionReporter(ExceptionReporter newReporter)
{
    const ExceptionReporter previous = reporter;
    reporter = newReporter ? newReporter : &ShowErrorBox;
    reported = false;
    return previous;
}

void ReportWindowProcException(const char* what)
{
    OutputDebugStringA(what);
    if (reported)
        return;
    reported = true;
    reporter(what);
}
