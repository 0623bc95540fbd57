#pragma once

#include <cstdint>
#include <string>
#include <sys/types.h>

namespace corvix::startup
{
/** What one start of a program showed, in milliseconds from the moment it was started. */
struct StartTimes
{
    double windowShownMs{ -1.0 }; // its top-level window became viewable
    double firstFrameMs{ -1.0 }; // the window first showed the pixels it settled on
    int width{ 0 }, height{ 0 }; // the settled window's size
    bool settled{ false };
};

/** Watches an X display for the top-level window of one process (by _NET_WM_PID) and grabs its
    pixels as often as the server lets it, until they stop changing for settleMs. The first frame
    is the first grab that shows the settled pixels (same size, same bytes): a window that is
    mapped black, shows a splash or is laid out in steps counts only once it shows what stays. */
class FirstFrameWatch
{
public:
    explicit FirstFrameWatch (const std::string& displayName);
    ~FirstFrameWatch();

    FirstFrameWatch (const FirstFrameWatch&) = delete;
    FirstFrameWatch& operator= (const FirstFrameWatch&) = delete;

    bool isOpen() const { return display != nullptr; }

    /** startMs is the monotonic time (milliseconds, see nowMs) at which the process was started. */
    StartTimes watch (pid_t processId, double startMs, double settleMs, double timeoutMs);

    static double nowMs();

private:
    void* display{ nullptr };
};
} // namespace corvix::startup
