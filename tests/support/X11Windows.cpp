#include "tests/support/X11Windows.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <functional>

namespace talvor::test
{
namespace
{
void forEachShownWindow (const std::function<void (Display*, Window, const juce::String&)>& visit)
{
    auto* display = XOpenDisplay (nullptr);
    if (display == nullptr)
        return;

    Window root = 0, parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    if (XQueryTree (display, DefaultRootWindow (display), &root, &parent, &children, &count) != 0)
    {
        for (unsigned int i = 0; i < count; ++i)
        {
            XWindowAttributes attributes{};
            if (XGetWindowAttributes (display, children[i], &attributes) == 0 || attributes.map_state != IsViewable)
                continue;

            XTextProperty property{};
            juce::String title;
            if (XGetWMName (display, children[i], &property) != 0 && property.value != nullptr)
            {
                title = juce::String::fromUTF8 (reinterpret_cast<const char*> (property.value), (int) property.nitems);
                XFree (property.value);
            }
            visit (display, children[i], title);
        }
        if (children != nullptr)
            XFree (children);
    }
    XSync (display, False);
    XCloseDisplay (display);
}
} // namespace

void prepareWindowManagerAtoms()
{
    auto* display = XOpenDisplay (nullptr);
    if (display == nullptr)
        return;
    for (auto* name : { "WM_PROTOCOLS", "WM_TAKE_FOCUS", "WM_DELETE_WINDOW", "_NET_WM_PING", "WM_CHANGE_STATE", "WM_STATE",
                        "_NET_WM_WINDOW_TYPE", "_NET_WM_STATE", "_NET_WM_STATE_HIDDEN" })
        XInternAtom (display, name, False);
    XSync (display, False);
    XCloseDisplay (display);
}

juce::StringArray shownWindowTitles()
{
    juce::StringArray titles;
    forEachShownWindow ([&titles] (Display*, Window, const juce::String& title) { titles.add (title); });
    return titles;
}

int requestWindowClose (const juce::String& title)
{
    int asked = 0;
    forEachShownWindow (
        [&] (Display* display, Window window, const juce::String& shownTitle)
        {
            if (shownTitle != title)
                return;
            XEvent event{};
            event.xclient.type = ClientMessage;
            event.xclient.window = window;
            event.xclient.message_type = XInternAtom (display, "WM_PROTOCOLS", False);
            event.xclient.format = 32;
            event.xclient.data.l[0] = (long) XInternAtom (display, "WM_DELETE_WINDOW", False);
            event.xclient.data.l[1] = CurrentTime;
            XSendEvent (display, window, False, NoEventMask, &event);
            ++asked;
        });
    return asked;
}
} // namespace talvor::test
