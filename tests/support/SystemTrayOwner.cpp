#include "tests/support/SystemTrayOwner.h"

#include <juce_core/juce_core.h>

#include <X11/Xlib.h>

namespace talvor::test
{
SystemTrayOwner::SystemTrayOwner()
{
    auto* x = XOpenDisplay (nullptr);
    if (x == nullptr)
        return;
    display = x;

    window = XCreateSimpleWindow (x, DefaultRootWindow (x), 0, 0, 1, 1, 0, 0, 0);
    const auto name = "_NET_SYSTEM_TRAY_S" + juce::String (DefaultScreen (x));
    const auto selection = XInternAtom (x, name.toRawUTF8(), False);
    XSetSelectionOwner (x, selection, window, CurrentTime);
    owning = XGetSelectionOwner (x, selection) == window;
    XSync (x, False);
}

SystemTrayOwner::~SystemTrayOwner()
{
    if (auto* x = static_cast<Display*> (display))
    {
        XDestroyWindow (x, window); // gives the selection up
        XSync (x, False);
        XCloseDisplay (x);
    }
}
} // namespace talvor::test
