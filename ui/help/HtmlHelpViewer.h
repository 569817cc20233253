#pragma once
// The system's HTML Help viewer, loaded when first needed (the program
// links no help library, so it starts also where the viewer is missing).

#include <windows.h>

#include <string>

// The program's help file: "QL.chm" in the program's folder.
std::string HelpFilePath();

// Shows `topic` of the help file in the viewer's own window (no owner, so
// it stays open beside the program). Without a viewer nothing happens.
// Returns the viewer's window, null when it showed none.
HWND ShowHelpFileTopic(const char* topic);

// Tests watch which topic is asked for instead of opening the viewer: a
// handler set here receives the full topic path ("...\QL.chm::/topic") of
// every request. Returns the previous one; null restores the viewer.
using HelpTopicHandler = void (*)(const std::string& topicPath);
HelpTopicHandler SetHelpTopicHandler(HelpTopicHandler handler);

// Topics of the help file.
constexpr char kDefaultHelpTopic[] = "QL_Default.htm";
constexpr char kAboutHelpTopic[] = "QL_AboutDlg.htm";
constexpr char kSelectPictureHelpTopic[] = "QL_SelectPicDlg.htm";
