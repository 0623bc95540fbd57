#pragma once

#include <juce_core/juce_core.h>

#include <vector>

namespace talvor::test
{
/** A top-level window shown on the X display, as another process sees it. */
struct ShownWindow
{
    unsigned long id{ 0 };
    juce::String title;
    int processId{ 0 }; // from _NET_WM_PID, 0 when the window does not say
};

/** Creates the atoms that a window manager's presence leaves on the X server (WM_PROTOCOLS,
    WM_DELETE_WINDOW and their kin) and keeps them while it lives: the server forgets its atoms
    when its last client leaves. The framework looks them up only if they exist when a program
    connects; without them it cannot recognise a close request. Make one before starting the
    program. While it lives the server also keeps everything else (selections among it) between
    other clients' connections. */
class WindowManagerAtoms
{
public:
    WindowManagerAtoms();
    ~WindowManagerAtoms();

    WindowManagerAtoms (const WindowManagerAtoms&) = delete;
    WindowManagerAtoms& operator= (const WindowManagerAtoms&) = delete;

private:
    void* display{ nullptr };
};

/** The shown top-level windows. Windows that vanish while they are listed are left out. */
std::vector<ShownWindow> shownWindows();

/** Asks the window to close, as a window manager does when its close button is pressed. */
void requestWindowClose (unsigned long windowId);
} // namespace talvor::test
