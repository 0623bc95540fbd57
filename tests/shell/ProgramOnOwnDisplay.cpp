#include "tests/shell/ProgramOnOwnDisplay.h"

#if ! defined(_WIN32) // an X server of its own: see ProgramOnOwnDisplayWindows.cpp for Windows

#include "tests/shell/ShellTestSupport.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>

namespace shelltest
{
namespace
{
// Windows come and go while they are asked about: a window gone by then is not an error here.
int ignoreError (Display*, XErrorEvent*) { return 0; }

Display* connection (void* display) { return static_cast<Display*> (display); }
} // namespace

ProgramOnOwnDisplay::ProgramOnOwnDisplay (int screenWidth, int screenHeight) : width (screenWidth), height (screenHeight)
{
    previousErrorHandler = reinterpret_cast<void*> (XSetErrorHandler (ignoreError));

    // A display number that no other server on the machine holds, picked from a wide range so
    // that test programs running side by side do not meet.
    juce::Random random;

    for (int attempt = 0; attempt < 20 && display == nullptr; ++attempt)
    {
        number = 300 + random.nextInt (3000);

        if (juce::File ("/tmp/.X" + juce::String (number) + "-lock").exists())
            continue;

        displayName = ":" + juce::String (number);

        if (! server.start (juce::StringArray ("Xvfb", displayName, "-screen", "0",
                                               juce::String (width) + "x" + juce::String (height) + "x24", "-wr", "-nolisten", "tcp"),
                            0))
            return;

        waitUntil (
            [this]
            {
                display = XOpenDisplay (displayName.toRawUTF8());
                return display != nullptr || ! server.isRunning();
            },
            20000);

        if (display == nullptr)
        {
            server.kill();
            server.waitForProcessToFinish (5000);
        }
    }

    for (const auto& folder : { home, privateVar })
        folder.createDirectory();
}

ProgramOnOwnDisplay::~ProgramOnOwnDisplay()
{
    if (process.isRunning())
        process.kill();

    if (display != nullptr)
        XCloseDisplay (connection (display));

    if (server.isRunning())
    {
        server.kill();
        server.waitForProcessToFinish (5000);
    }

    // Killed, the server leaves its lock and socket behind.
    if (number > 0)
    {
        juce::File ("/tmp/.X" + juce::String (number) + "-lock").deleteFile();
        juce::File ("/tmp/.X11-unix/X" + juce::String (number)).deleteFile();
    }

    XSetErrorHandler (reinterpret_cast<XErrorHandler> (previousErrorHandler));
    scratch.deleteRecursively();
}

bool ProgramOnOwnDisplay::startProgram()
{
    // The common settings folder is under /var, which the program run by the superuser (as on the
    // build machines) would otherwise write on the machine itself.
    return display != nullptr
           && process.start (juce::StringArray ("/usr/bin/bwrap", "--dev-bind", "/", "/", "--bind", privateVar.getFullPathName(), "/var",
                                                "--ro-bind", "/var/cache", "/var/cache", "--ro-bind", "/var/lib", "/var/lib", "--setenv",
                                                "DISPLAY", displayName, "--setenv", "HOME", home.getFullPathName(), "--setenv",
                                                "XDG_RUNTIME_DIR", home.getFullPathName(), "--die-with-parent", "--",
                                                programFile().getFullPathName()),
                             juce::ChildProcess::wantStdOut | juce::ChildProcess::wantStdErr);
}

juce::File ProgramOnOwnDisplay::commonSettingsFile() const { return privateVar.getChildFile ("Talvor/OrvelA/OrvelA.conf"); }

bool ProgramOnOwnDisplay::xdotool (const juce::StringArray& arguments) const
{
    juce::ChildProcess tool;
    juce::StringArray command ("/usr/bin/env", "DISPLAY=" + displayName, "xdotool");
    command.addArray (arguments);
    return display != nullptr && tool.start (command, 0) && tool.waitForProcessToFinish (10000) && tool.getExitCode() == 0;
}

std::optional<ProgramOnOwnDisplay::WindowState> ProgramOnOwnDisplay::programWindow() const
{
    auto* x = connection (display);

    if (x == nullptr)
        return std::nullopt;

    Window root = 0, parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;

    if (XQueryTree (x, DefaultRootWindow (x), &root, &parent, &children, &count) == 0)
        return std::nullopt;

    std::optional<WindowState> found;

    for (unsigned int i = 0; i < count && ! found.has_value(); ++i)
    {
        // The framework names its windows in UTF-8, which XFetchName does not read.
        Atom type = None;
        int format = 0;
        unsigned long length = 0, remaining = 0;
        unsigned char* name = nullptr;

        if (XGetWindowProperty (x, children[i], XA_WM_NAME, 0, 256, False, AnyPropertyType, &type, &format, &length, &remaining, &name)
                != Success
            || name == nullptr)
            continue;

        const auto title = juce::String::fromUTF8 (reinterpret_cast<const char*> (name), static_cast<int> (length));
        XFree (name);
        XWindowAttributes attributes;

        if (! title.startsWith ("Orvel-A") || XGetWindowAttributes (x, children[i], &attributes) == 0)
            continue;

        found = WindowState{
            children[i], { attributes.x, attributes.y, attributes.width, attributes.height }, title, attributes.map_state == IsViewable
        };
    }

    if (children != nullptr)
        XFree (children);

    return found;
}

juce::Image ProgramOnOwnDisplay::picture (unsigned long window) const
{
    auto* x = connection (display);
    XWindowAttributes attributes;

    if (x == nullptr || XGetWindowAttributes (x, window, &attributes) == 0 || attributes.map_state != IsViewable)
        return {};

    // Only the part on the screen can be read: a window placed partly off it is read there.
    int left = 0, top = 0;
    Window child = 0;
    XTranslateCoordinates (x, window, DefaultRootWindow (x), 0, 0, &left, &top, &child);
    const auto shown = juce::Rectangle<int> (left, top, attributes.width, attributes.height).getIntersection ({ width, height });

    if (shown.isEmpty())
        return {};

    auto* grabbed = XGetImage (x, window, shown.getX() - left, shown.getY() - top, static_cast<unsigned int> (shown.getWidth()),
                               static_cast<unsigned int> (shown.getHeight()), AllPlanes, ZPixmap);

    if (grabbed == nullptr)
        return {};

    juce::Image image (juce::Image::RGB, shown.getWidth(), shown.getHeight(), false);

    {
        const juce::Image::BitmapData pixels (image, juce::Image::BitmapData::writeOnly);

        for (int y = 0; y < shown.getHeight(); ++y)
            for (int px = 0; px < shown.getWidth(); ++px)
            {
                const auto value = XGetPixel (grabbed, px, y);
                pixels.setPixelColour (px, y,
                                       juce::Colour (static_cast<juce::uint8> (value >> 16), static_cast<juce::uint8> (value >> 8),
                                                     static_cast<juce::uint8> (value)));
            }
    }

    XDestroyImage (grabbed);
    return image;
}

void ProgramOnOwnDisplay::moveAndResize (unsigned long window, juce::Rectangle<int> bounds) const
{
    auto* x = connection (display);
    XMoveResizeWindow (x, window, bounds.getX(), bounds.getY(), static_cast<unsigned int> (bounds.getWidth()),
                       static_cast<unsigned int> (bounds.getHeight()));
    XSync (x, False);
}

bool ProgramOnOwnDisplay::hasInputFocus (unsigned long window) const
{
    auto* x = connection (display);
    Window focus = 0;
    int revert = 0;
    XGetInputFocus (x, &focus, &revert);

    // The focus may be on a window inside the program's own.
    while (focus != 0 && focus != PointerRoot && focus != window)
    {
        Window root = 0, parent = 0, *children = nullptr;
        unsigned int count = 0;

        if (XQueryTree (x, focus, &root, &parent, &children, &count) == 0)
            return false;

        if (children != nullptr)
            XFree (children);

        focus = parent == root ? 0 : parent;
    }

    return focus == window;
}

void ProgramOnOwnDisplay::typeKey (const char* keyName, bool withControl) const
{
    auto* x = connection (display);
    Window focus = 0;
    int revert = 0;
    XGetInputFocus (x, &focus, &revert);

    // Without a window manager the focus follows the pointer: the window under it gets the key.
    if (focus == PointerRoot || focus == None)
    {
        Window root = 0, child = 0;
        int rootX = 0, rootY = 0, winX = 0, winY = 0;
        unsigned int mask = 0;
        XQueryPointer (x, DefaultRootWindow (x), &root, &child, &rootX, &rootY, &winX, &winY, &mask);
        focus = child;
    }

    XKeyEvent event{};
    event.display = x;
    event.window = focus;
    event.root = DefaultRootWindow (x);
    event.subwindow = None;
    event.time = CurrentTime;
    event.same_screen = True;

    // The framework follows the modifier keys by their own presses and releases.
    const auto send = [&] (const char* name, int type, unsigned int state)
    {
        event.type = type;
        event.keycode = XKeysymToKeycode (x, XStringToKeysym (name));
        event.state = state;
        XSendEvent (x, focus, True, type == KeyPress ? KeyPressMask : KeyReleaseMask, reinterpret_cast<XEvent*> (&event));
    };

    if (withControl)
        send ("Control_L", KeyPress, 0);

    send (keyName, KeyPress, withControl ? ControlMask : 0);
    send (keyName, KeyRelease, withControl ? ControlMask : 0);

    if (withControl)
        send ("Control_L", KeyRelease, ControlMask);

    XSync (x, False);
}

bool ProgramOnOwnDisplay::waitUntil (const std::function<bool()>& condition, int timeoutMs)
{
    const auto end = juce::Time::getMillisecondCounter() + static_cast<juce::uint32> (timeoutMs);

    while (! condition())
    {
        if (juce::Time::getMillisecondCounter() > end)
            return false;

        juce::Thread::sleep (20);
    }

    return true;
}
} // namespace shelltest
#endif
