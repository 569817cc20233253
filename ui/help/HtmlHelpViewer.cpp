#include "ui/help/HtmlHelpViewer.h"

#include "framework/Path.h"

namespace {

constexpr UINT kDisplayTopic = 0; // HH_DISPLAY_TOPIC
using HtmlHelpFunction = HWND(WINAPI*)(HWND owner, LPCSTR file, UINT command, DWORD_PTR data);

HelpTopicHandler topicHandler = nullptr;

HtmlHelpFunction LoadHtmlHelp()
{
    // The viewer is a system component: it is loaded from the system
    // directory by full path, never from wherever the DLL search would find
    // a file of that name. Its windows live in this process, so it stays.
    static const HtmlHelpFunction function = []() -> HtmlHelpFunction {
        char systemDirectory[MAX_PATH];
        const UINT length = GetSystemDirectoryA(systemDirectory, MAX_PATH);
        if (length == 0 || length >= MAX_PATH)
            return nullptr;
        const std::string path = std::string(systemDirectory, length) + "\\hhctrl.ocx";
        HMODULE viewer = LoadLibraryA(path.c_str());
        if (!viewer)
            return nullptr;
        // GetProcAddress answers with a generic function pointer; going
        // through void* says that the real type is known here.
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
    const std::string target = HelpFilePath() + "::/" + topic;
    if (topicHandler) {
        topicHandler(target);
        return nullptr;
    }
    HtmlHelpFunction htmlHelp = LoadHtmlHelp();
    if (!htmlHelp)
        return nullptr;
    return htmlHelp(nullptr, target.c_str(), kDisplayTopic, 0);
}

HelpTopicHandler SetHelpTopicHandler(HelpTopicHandler handler)
{
    const HelpTopicHandler previous = topicHandler;
    topicHandler = handler;
    return previous;
}
