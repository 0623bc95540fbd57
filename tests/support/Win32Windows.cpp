// The Windows side of the shown-windows helpers: the desktop's top-level windows through the
// window manager's own calls, and a close request as the title bar's close button sends it.
#include "tests/support/X11Windows.h"

#include <windows.h>

namespace talvor::test
{
WindowManagerAtoms::WindowManagerAtoms() = default; // Windows' window manager is always there
WindowManagerAtoms::~WindowManagerAtoms() = default;

namespace
{
BOOL CALLBACK addShownWindow (HWND window, LPARAM list)
{
    if (! IsWindowVisible (window))
        return TRUE;

    ShownWindow shown;
    shown.id = (unsigned long) reinterpret_cast<std::uintptr_t> (window);
    wchar_t title[512]{};
    GetWindowTextW (window, title, (int) std::size (title));
    shown.title = juce::String (title);
    DWORD processId = 0;
    GetWindowThreadProcessId (window, &processId);
    shown.processId = (int) processId;
    reinterpret_cast<std::vector<ShownWindow>*> (list)->push_back (shown);
    return TRUE;
}
} // namespace

std::vector<ShownWindow> shownWindows()
{
    std::vector<ShownWindow> result;
    EnumWindows (addShownWindow, reinterpret_cast<LPARAM> (&result));
    return result;
}

void requestWindowClose (unsigned long windowId)
{
    PostMessageW (reinterpret_cast<HWND> (static_cast<std::uintptr_t> (windowId)), WM_CLOSE, 0, 0);
}
} // namespace talvor::test
