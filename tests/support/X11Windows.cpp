#include "tests/support/X11Windows.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace talvor::test
{
namespace
{
// Other processes open and close windows meanwhile: a window that is gone by the time it is
// asked about is not an error here.
int ignoreError (Display*, XErrorEvent*) { return 0; }

class Connection
{
public:
    Connection() : display (XOpenDisplay (nullptr))
    {
        if (display != nullptr)
            previousHandler = XSetErrorHandler (ignoreError);
    }

    ~Connection()
    {
        if (display == nullptr)
            return;
        XSync (display, False);
        XSetErrorHandler (previousHandler);
        XCloseDisplay (display);
    }

    Connection (const Connection&) = delete;
    Connection& operator= (const Connection&) = delete;

    Display* const display;

private:
    XErrorHandler previousHandler{ nullptr };
};

int processIdOf (Display* display, Window window)
{
    Atom type = None;
    int format = 0;
    unsigned long count = 0, remaining = 0;
    unsigned char* data = nullptr;
    const auto pidAtom = XInternAtom (display, "_NET_WM_PID", False);
    int pid = 0;
    if (XGetWindowProperty (display, window, pidAtom, 0, 1, False, XA_CARDINAL, &type, &format, &count, &remaining, &data) == Success
        && data != nullptr)
    {
        if (type == XA_CARDINAL && format == 32 && count == 1)
            pid = (int) *reinterpret_cast<unsigned long*> (data);
        XFree (data);
    }
    return pid;
}
} // namespace

WindowManagerAtoms::WindowManagerAtoms()
{
    auto* connection = XOpenDisplay (nullptr);
    if (connection == nullptr)
        return;
    display = connection;
    for (auto* name : { "WM_PROTOCOLS", "WM_TAKE_FOCUS", "WM_DELETE_WINDOW", "_NET_WM_PING", "WM_CHANGE_STATE", "WM_STATE",
                        "_NET_WM_WINDOW_TYPE", "_NET_WM_STATE", "_NET_WM_STATE_HIDDEN" })
        XInternAtom (connection, name, False);
    XSync (connection, False);
}

WindowManagerAtoms::~WindowManagerAtoms()
{
    if (auto* connection = static_cast<Display*> (display))
        XCloseDisplay (connection);
}

std::vector<ShownWindow> shownWindows()
{
    std::vector<ShownWindow> result;
    Connection connection;
    auto* display = connection.display;
    if (display == nullptr)
        return result;

    Window root = 0, parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    if (XQueryTree (display, DefaultRootWindow (display), &root, &parent, &children, &count) == 0)
        return result;

    for (unsigned int i = 0; i < count; ++i)
    {
        XWindowAttributes attributes{};
        if (XGetWindowAttributes (display, children[i], &attributes) == 0 || attributes.map_state != IsViewable)
            continue;

        ShownWindow shown;
        shown.id = children[i];
        XTextProperty property{};
        if (XGetWMName (display, children[i], &property) != 0 && property.value != nullptr)
        {
            shown.title = juce::String::fromUTF8 (reinterpret_cast<const char*> (property.value), (int) property.nitems);
            XFree (property.value);
        }
        shown.processId = processIdOf (display, children[i]);
        result.push_back (shown);
    }
    if (children != nullptr)
        XFree (children);
    return result;
}

void requestWindowClose (unsigned long windowId)
{
    Connection connection;
    auto* display = connection.display;
    if (display == nullptr)
        return;

    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = windowId;
    event.xclient.message_type = XInternAtom (display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = (long) XInternAtom (display, "WM_DELETE_WINDOW", False);
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent (display, windowId, False, NoEventMask, &event);
}
} // namespace talvor::test
