#pragma once
// No C++ exception may unwind through a window procedure: this build
// unwinds with DWARF-2 tables, which the system code between our handlers
// lacks, so an exception crossing it ends the program. Every procedure of
// ours calls its handlers through GuardWindowProc, which catches at the
// boundary, reports the first failure, and lets the message loop go on; so
// do the other places the system or a loop calls us from: timer callbacks
// (TIMERPROC) and the pre-translate walk of the message pump.

#include <windows.h>

#include <exception>

using ExceptionReporter = void (*)(const char* what);

// Sets who is told of the first exception (the default shows a message box)
// and arms the report again; returns the previous reporter.
ExceptionReporter SetExceptionReporter(ExceptionReporter reporter);

// Reports the first exception of the run; later ones go to the debugger
// output only, so a fault in a timer handler cannot bury the user in boxes.
void ReportWindowProcException(const char* what);

template <typename Handler> LRESULT GuardWindowProc(Handler&& handler, LRESULT failed = 0)
{
    try {
        return handler();
    } catch (const std::exception& error) {
        ReportWindowProcException(error.what());
    } catch (...) {
        ReportWindowProcException("unknown exception");
    }
    return failed;
}
