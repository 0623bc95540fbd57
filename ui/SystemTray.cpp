#include "ui/SystemTray.h"

#include <juce_core/juce_core.h>

#if JUCE_LINUX || JUCE_BSD
#include <X11/Xlib.h>
#endif

namespace talvor
{
bool desktopHasSystemTray()
{
#if JUCE_LINUX || JUCE_BSD
    auto* display = XOpenDisplay (nullptr);
    if (display == nullptr)
        return false;

    const auto selectionName = "_NET_SYSTEM_TRAY_S" + juce::String (DefaultScreen (display));
    const auto selection = XInternAtom (display, selectionName.toRawUTF8(), False);
    const bool owned = XGetSelectionOwner (display, selection) != None;
    XCloseDisplay (display);
    return owned;
#else
    return true;
#endif
}
} // namespace talvor
