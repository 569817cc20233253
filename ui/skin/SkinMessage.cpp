#include "ui/skin/SkinMessage.h"

#include "framework/ResourceString.h"
#include "resources/resource.h"

int ShowSkinMessage(HWND owner, const std::string& text, UINT type)
{
    return MessageBoxA(owner, text.c_str(), LoadResourceString(IDS_APP_TITLE).c_str(), type);
}
