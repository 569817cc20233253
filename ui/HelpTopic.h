#pragma once
// Topics of the program's help file, shown by the system's HTML Help viewer.

#include <string>

// Opens `topicPath` (a help file path followed by "::/" and the topic) with
// the display-topic command and no owner window. Nothing is reported when
// the viewer or the file is missing: the viewer says so itself, or nothing
// shows.
void ShowHelpTopic(const std::string& topicPath);

// The full path of a topic of "QL.chm" in the program's directory.
std::string ProgramHelpTopic(const char* topic);

// Tests watch which topic is asked for instead of opening the viewer: a
// handler set here receives every ShowHelpTopic call. Returns the previous
// one; null restores the viewer.
using HelpTopicHandler = void (*)(const std::string& topicPath);
HelpTopicHandler SetHelpTopicHandler(HelpTopicHandler handler);
