#include "app/SingleInstanceGuard.h"

#include "app/Elevation.h"

#include <sddl.h>

#include <cstdint>
#include <cstring>

namespace {

constexpr char kMappingName[] = "OrvaneTessaly";
constexpr DWORD kMappingSize = 128;
// "Orvane Tessaly程序正在运行!" in code page 936, as the program has always
// stored it.
constexpr char kGuardText[] = "Orvane Tessaly\xB3\xCC\xD0\xF2\xD5\xFD\xD4\xDA\xD4\xCB\xD0\xD0!";

// The mapping's bytes: the guard text at the start, the running copy's
// window behind it (zero until published). A window handle has 32
// significant bits in 32- and 64-bit processes alike.
struct GuardContent {
    char guardText[64];
    volatile LONG window;
    volatile LONG processId;
};
static_assert(sizeof(GuardContent) <= kMappingSize, "the record fits the mapping");
static_assert(sizeof kGuardText <= sizeof GuardContent::guardText, "the guard text fits its field");

// The security of the mapping for an elevated copy. Left to the defaults,
// an elevated copy's objects are for administrators (and at high
// integrity), so the same user's ordinary starts, verbs and the setup could
// not open it and would take the copy for gone. The user gets full access
// (opening an existing mapping asks for it) and the label is medium, the
// level of the user's ordinary processes. Null attributes otherwise, and
// where the descriptor cannot be made (systems without integrity levels).
class GuardSecurity {
  public:
    GuardSecurity()
    {
        if (!RunsElevated())
            return;
        const std::string sid = ProcessUserSid();
        if (sid.empty())
            return;
        const std::string descriptor = "D:(A;;GA;;;SY)(A;;GA;;;BA)(A;;GA;;;" + sid + ")S:(ML;;NW;;;ME)";
        if (ConvertStringSecurityDescriptorToSecurityDescriptorA(descriptor.c_str(), SDDL_REVISION_1,
                                                                 &m_attributes.lpSecurityDescriptor, nullptr))
            m_attributes.nLength = sizeof m_attributes;
    }
    ~GuardSecurity()
    {
        if (m_attributes.lpSecurityDescriptor)
            LocalFree(m_attributes.lpSecurityDescriptor);
    }
    GuardSecurity(const GuardSecurity&) = delete;
    GuardSecurity& operator=(const GuardSecurity&) = delete;

    SECURITY_ATTRIBUTES* Attributes() { return m_attributes.nLength ? &m_attributes : nullptr; }

  private:
    SECURITY_ATTRIBUTES m_attributes{};
};

constexpr DWORD kStartingCopyWait = 3000; // ms
constexpr DWORD kStartingCopyPoll = 50;   // ms

// A view of the mapping another copy created; unmapped and closed on leaving.
class GuardView {
  public:
    explicit GuardView(DWORD access)
        : m_mapping(OpenFileMappingA(access, FALSE, kMappingName)),
          m_view(m_mapping ? MapViewOfFile(m_mapping, access, 0, 0, kMappingSize) : nullptr)
    {
    }
    ~GuardView()
    {
        if (m_view)
            UnmapViewOfFile(m_view);
        if (m_mapping)
            CloseHandle(m_mapping);
    }
    GuardView(const GuardView&) = delete;
    GuardView& operator=(const GuardView&) = delete;

    GuardContent* Content() const { return static_cast<GuardContent*>(m_view); }

  private:
    HANDLE m_mapping;
    void* m_view;
};

HWND PublishedWindow(const GuardContent& content)
{
    // The window is written after the process id: once it is there, so is the id.
    HWND window = reinterpret_cast<HWND>(static_cast<intptr_t>(content.window));
    const DWORD publisher = static_cast<DWORD>(content.processId);
    DWORD owner = 0;
    if (!window || !GetWindowThreadProcessId(window, &owner) || owner != publisher)
        return nullptr;
    return window;
}

} // namespace

InstanceClaim ClaimSingleInstance()
{
    // The first copy never closes it: the name must live as long as that copy.
    GuardSecurity security;
    HANDLE mapping =
        CreateFileMappingA(INVALID_HANDLE_VALUE, security.Attributes(), PAGE_READWRITE, 0, kMappingSize, kMappingName);
    if (!mapping)
        return InstanceClaim::Failed;
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        // A later start lets go at once, so the name goes with the running
        // copy and a start right after it ends is the first again.
        CloseHandle(mapping);
        return InstanceClaim::AlreadyRunning;
    }

    if (void* view = MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, 0)) {
        std::memcpy(view, kGuardText, sizeof kGuardText);
        UnmapViewOfFile(view);
    }
    return InstanceClaim::First;
}

void PublishRunningCopyWindow(HWND window)
{
    const GuardView view(FILE_MAP_WRITE);
    if (GuardContent* content = view.Content()) {
        InterlockedExchange(&content->processId, static_cast<LONG>(GetCurrentProcessId()));
        InterlockedExchange(&content->window, static_cast<LONG>(reinterpret_cast<intptr_t>(window)));
    }
}

HWND FindRunningCopyWindow()
{
    const GuardView view(FILE_MAP_READ);
    const GuardContent* content = view.Content();
    if (!content)
        return nullptr;
    // A copy started a moment ago publishes its window once it has one.
    for (DWORD waited = 0; !content->window && waited < kStartingCopyWait; waited += kStartingCopyPoll)
        Sleep(kStartingCopyPoll);
    return PublishedWindow(*content);
}
