// Finding the innermost modal window over a window of this thread.
#include "platform/win32/ModalOwner.h"

namespace vt::win32 {

namespace {

struct Search {
    HWND owner;
    HWND found;
};

// A visible dialog or message box (both of class "#32770") owned by the window searched for.
BOOL CALLBACK FindDialogOwnedBy(HWND window, LPARAM parameter) {
    auto& search = *reinterpret_cast<Search*>(parameter);
    char name[8] = {};
    GetClassNameA(window, name, sizeof name);
    if (GetWindow(window, GW_OWNER) != search.owner || !IsWindowVisible(window) ||
        lstrcmpA(name, "#32770") != 0)
        return TRUE;
    search.found = window;
    return FALSE;
}

}  // namespace

HWND ModalOwnerFor(HWND owner) {
    // A window is disabled while a modal window is open over it.
    while (owner && !IsWindowEnabled(owner)) {
        Search search{owner, nullptr};
        EnumThreadWindows(GetCurrentThreadId(), FindDialogOwnedBy,
                          reinterpret_cast<LPARAM>(&search));
        if (!search.found) break;
        owner = search.found;
    }
    return owner;
}

}  // namespace vt::win32
