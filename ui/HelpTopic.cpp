#include "ui/HelpTopic.h"

#include "framework/Path.h"

#include <windows.h>

namespace {

HelpTopicHandler g_handler = nullptr;

// HtmlHelpA from hhctrl.ocx, loaded when first needed: the viewer is a
// system component without an import library, and most runs never ask for
// it. It is loaded from the system directory by full path, never from
// wherever the DLL search would find a file of that name.
using HtmlHelpFunction = HWND(WINAPI*)(HWND, LPCSTR, UINT, DWORD_PTR);
constexpr UINT kDisplayTopic = 0; // HH_DISPLAY_TOPIC

HtmlHelpFunction HtmlHelpEntry()
{
    static HtmlHelpFunction entry = [] {
        char systemDirectory[MAX_PATH];
        const UINT length = GetSystemDirectoryA(systemDirectory, MAX_PATH);
        if (length == 0 || length >= MAX_PATH)
            return HtmlHelpFunction(nullptr);
        const std::string path = std::string(systemDirectory, length) + "\\hhctrl.ocx";
        HMODULE viewer = LoadLibraryA(path.c_str());
        if (!viewer)
            return HtmlHelpFunction(nullptr);
        // GetProcAddress answers with a generic function pointer; going
        // through void* says that the real type is known here.
        return reinterpret_cast<HtmlHelpFunction>(reinterpret_cast<void*>(GetProcAddress(viewer, "HtmlHelpA")));
    }();
    return entry;
}

} // namespace

void ShowHelpTopic(const std::string& topicPath)
{
    if (g_handler) {
        g_handler(topicPath);
        return;
    }
    if (HtmlHelpFunction htmlHelp = HtmlHelpEntry())
        htmlHelp(nullptr, topicPath.c_str(), kDisplayTopic, 0);
}

std::string ProgramHelpTopic(const char* topic)
{
    return ProgramDirectory() + "\\QL.chm::/" + topic;
}

HelpTopicHandler SetHelpTopicHandler(HelpTopicHandler handler)
{
    const HelpTopicHandler previous = g_handler;
    g_handler = handler;
    return previous;
}
