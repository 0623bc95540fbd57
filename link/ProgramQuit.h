#pragma once

#include <functional>

namespace NsOrvelA
{
/** The longest a quit waits for a transfer to the units to end. A transfer's own waits are
    bounded; this holds whatever they add up to, on top of an upload of every slot to a few units. */
constexpr int longestQuitWaitForTransferMs = 10000;

/** Ends the program: a "SAVE AS DEFAULT" still pending is carried out as the device-watch timer
    would (the slots edited since the last upload uploaded, the units told, the map stored, a box
    when the units could not be told or the map not stored), then the message loop is stopped with
    stopLoop.

    A quit that comes while a transfer to the units runs (the user's close arrives inside one of its
    waits) is carried out once the transfer has ended, since the units take no other message
    meanwhile and would never be told. A transfer still running after the longest wait is left to
    its end: the map is stored, the units are not told, and a box says so. A quit asked for again
    while one waits changes nothing. */
void quitProgram (std::function<void()> stopLoop);

/** True while a quit waits for a transfer to end. */
bool quitIsWaitingForTransfer();

/** Drops a quit that still waits, without carrying it out: for an application that ends anyway. */
void abandonWaitingQuit();

/** How the message loop is stopped: the application's own way once it has set it (it clears it
    again with an empty function), else the framework's stop of the loop. */
void setMessageLoopStopper (std::function<void()> stopper);

/** Ctrl+Q in the editor: quitProgram with the message loop's stopper. */
void quitApplication();
} // namespace NsOrvelA
