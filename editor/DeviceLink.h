#pragma once

namespace NsOrvelA
{
class MyTimer;

/** Starts the link with the units once per process: obtains the Host (the process's own, unless a
    test installed one as hostInstance), starts the device-watch timer with 2000 ms, records the
    operating-system level for the MIDI pacing and prepares the label texts and device-table
    buffers of the uploads. Returns true when this call started it; later calls change nothing
    while it runs. */
bool startDeviceLink();

/** Whether the device-watch timer exists. */
bool isDeviceLinkRunning();

/** The device-watch timer; null while the link is stopped. */
MyTimer* deviceWatchTimer();

/** The matching stop, at shutdown (after the editor has gone): stops and deletes the timer and
    releases the Host when it is the process's own. A test's Host is left to the test. */
void stopDeviceLink();
} // namespace NsOrvelA
