#include "ui/help/HtmlHelpViewer.h"

#include "framework/Path.h"

namespace {

constexpr UINT kDisplayTopic = 0; // HH_DISPLAY_TOPIC
using HtmlHelpFunction = HWND(WINAPI*)(HWND owner, LPCSTR file, UINT command, DWORD_PTR data);

HtmlHelpFunction LoadHtmlHelp()
{
    // The viewer's windows live in this process: the library stays loaded.
    static const HtmlHelpFunction function = []() -> HtmlHelpFunction {
        HMODULE viewer = LoadLibraryA("hhctrl.ocx");
        if (!viewer)
            return nullptr;
        return reinterpret_cast<HtmlHelpFunction>(reinterpret_cast<void*>(GetProcAddress(viewer, "HtmlHelpA")));
    }();
    return function;
}

} // namespace

std::string HelpFilePath()
{
    return ProgramDirectory() + "\\QL.chm";
}

HWND ShowHelpFileTopic(const char* topic)
{
    HtmlHelpFunction htmlHelp = LoadHtmlHelp();
    if (!htmlHelp)
        return nullptr;
    const std::string target = HelpFilePath() + "::/" + topic;
    return htmlHelp(nullptr, target.c_str(), kDisplayTopic, 0);
}
