#include "app/DesktopApp.h"

// The one application object.
CDesktopApp theApp;

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    return theApp.Main(instance);
}
