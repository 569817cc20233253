#include "engine/FullScreenWork.h"

namespace {

// QUERY_USER_NOTIFICATION_STATE values that mean a full screen is in use.
constexpr int kFullScreenProgram = 2;  // QUNS_BUSY
constexpr int kFullScreenDirect3D = 3; // QUNS_RUNNING_D3D_FULL_SCREEN
constexpr int kPresentationMode = 4;   // QUNS_PRESENTATION_MODE

constexpr UINT kCheckPeriod = 60 * 1000;

NotificationStateQuery testQuery = nullptr;
UINT testCheckPeriod = 0;

// Looked up by name: Windows before Vista has no such function, and there
// nobody is ever reported busy.
NotificationStateQuery ShellQuery()
{
    static const auto query = reinterpret_cast<NotificationStateQuery>(
        reinterpret_cast<void*>(GetProcAddress(LoadLibraryA("shell32.dll"), "SHQueryUserNotificationState")));
    return query;
}

} // namespace

bool SomeoneWorksFullScreen()
{
    const NotificationStateQuery query = testQuery ? testQuery : ShellQuery();
    int state = 0;
    if (!query || FAILED(query(&state)))
        return false;
    return state == kFullScreenProgram || state == kFullScreenDirect3D || state == kPresentationMode;
}

UINT FullScreenCheckPeriod()
{
    return testQuery && testCheckPeriod ? testCheckPeriod : kCheckPeriod;
}

void SetNotificationStateQuery(NotificationStateQuery query, UINT checkPeriod)
{
    testQuery = query;
    testCheckPeriod = checkPeriod;
}
