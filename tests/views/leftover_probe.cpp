#include "tests/views/leftover_probe.h"

#include <tlhelp32.h>

#include "win/win_handles.h"

namespace coverhall::test {

int threadCountOfProcess() {
    const UniqueFile snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0));
    if (!snapshot) return -1;
    const DWORD process = GetCurrentProcessId();
    THREADENTRY32 entry{};
    entry.dwSize = sizeof entry;
    int count = 0;
    for (BOOL more = Thread32First(snapshot.get(), &entry); more;
         more = Thread32Next(snapshot.get(), &entry)) {
        if (entry.th32OwnerProcessID == process) ++count;
    }
    return count;
}

std::vector<HWND> messageOnlyWindowsOfThisProcess() {
    std::vector<HWND> windows;
    const DWORD process = GetCurrentProcessId();
    for (HWND window = FindWindowExA(HWND_MESSAGE, nullptr, nullptr, nullptr); window;
         window = FindWindowExA(HWND_MESSAGE, window, nullptr, nullptr)) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == process) windows.push_back(window);
    }
    return windows;
}

bool queueHoldsMessageInRange(UINT first, UINT last) {
    MSG message;
    return PeekMessageA(&message, nullptr, first, last, PM_NOREMOVE) != FALSE;
}

}  // namespace coverhall::test
