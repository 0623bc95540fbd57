#include "bench/startup/FirstFrameWatch.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <chrono>
#include <cstring>
#include <thread>
#include <vector>

namespace corvix::startup
{
namespace
{
// The watched window may go away between the listing and the grab.
int ignoreError (Display*, XErrorEvent*) { return 0; }

int processIdOf (Display* display, Window window, Atom pidAtom)
{
    Atom type = None;
    int format = 0;
    unsigned long count = 0, remaining = 0;
    unsigned char* data = nullptr;
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

/** The largest viewable top-level window of the process, or None. */
Window viewableWindowOf (Display* display, pid_t processId, Atom pidAtom)
{
    Window rootReturn = 0, parent = 0, *children = nullptr;
    unsigned int count = 0;
    Window best = None;
    long bestArea = 0;
    if (XQueryTree (display, DefaultRootWindow (display), &rootReturn, &parent, &children, &count) == 0)
        return None;
    for (unsigned int i = 0; i < count; ++i)
    {
        XWindowAttributes attributes{};
        if (XGetWindowAttributes (display, children[i], &attributes) == 0 || attributes.map_state != IsViewable)
            continue;
        const long area = (long) attributes.width * attributes.height;
        if (area > bestArea && processIdOf (display, children[i], pidAtom) == processId)
        {
            best = children[i];
            bestArea = area;
        }
    }
    if (children != nullptr)
        XFree (children);
    return best;
}

std::uint64_t hashOf (const char* data, std::size_t size)
{
    std::uint64_t hash = 1469598103934665603ull;
    std::size_t i = 0;
    for (; i + 8 <= size; i += 8)
    {
        std::uint64_t word;
        std::memcpy (&word, data + i, 8);
        hash = (hash ^ word) * 1099511628211ull;
        hash ^= hash >> 29;
    }
    for (; i < size; ++i)
        hash = (hash ^ (unsigned char) data[i]) * 1099511628211ull;
    return hash;
}

struct Grab
{
    double ms;
    std::uint64_t hash;
    int width, height;
};
} // namespace

FirstFrameWatch::FirstFrameWatch (const std::string& displayName)
{
    display = XOpenDisplay (displayName.c_str());
    if (display != nullptr)
        XSetErrorHandler (ignoreError);
}

FirstFrameWatch::~FirstFrameWatch()
{
    if (display != nullptr)
        XCloseDisplay (static_cast<Display*> (display));
}

double FirstFrameWatch::nowMs()
{
    return std::chrono::duration<double, std::milli> (std::chrono::steady_clock::now().time_since_epoch()).count();
}

StartTimes FirstFrameWatch::watch (pid_t processId, double startMs, double settleMs, double timeoutMs)
{
    auto* const connection = static_cast<Display*> (display);
    const auto pidAtom = XInternAtom (connection, "_NET_WM_PID", False);
    StartTimes times;
    std::vector<Grab> grabs;
    Window window = None;
    double lastChangeMs = 0.0;

    while (nowMs() - startMs < timeoutMs)
    {
        // The program may replace its window; the process's largest shown one is looked up each time.
        window = viewableWindowOf (connection, processId, pidAtom);
        const auto seenMs = nowMs() - startMs;
        if (window == None)
        {
            std::this_thread::sleep_for (std::chrono::microseconds (500));
            continue;
        }
        if (times.windowShownMs < 0.0)
            times.windowShownMs = seenMs;

        XWindowAttributes attributes{};
        if (XGetWindowAttributes (connection, window, &attributes) == 0)
            continue;
        auto* image = XGetImage (connection, window, 0, 0, (unsigned) attributes.width, (unsigned) attributes.height, AllPlanes, ZPixmap);
        const auto grabbedMs = nowMs() - startMs;
        if (image == nullptr)
            continue;
        const Grab grab{ grabbedMs, hashOf (image->data, (std::size_t) image->bytes_per_line * (std::size_t) image->height),
                         attributes.width, attributes.height };
        XDestroyImage (image);

        if (grabs.empty() || grabs.back().hash != grab.hash || grabs.back().width != grab.width || grabs.back().height != grab.height)
        {
            grabs.push_back (grab);
            lastChangeMs = grabbedMs;
        }
        else if (grabbedMs - lastChangeMs >= settleMs)
        {
            times.settled = true;
            break;
        }
        std::this_thread::sleep_for (std::chrono::microseconds (500));
    }

    if (grabs.empty())
        return times;

    const auto& last = grabs.back();
    times.width = last.width;
    times.height = last.height;
    // The pixels may be shown, change (a late layout step) and come back: the first time counts.
    for (const auto& grab : grabs)
        if (grab.hash == last.hash && grab.width == last.width && grab.height == last.height)
        {
            times.firstFrameMs = grab.ms;
            break;
        }
    return times;
}
} // namespace corvix::startup
