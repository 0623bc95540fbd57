#pragma once

#include <juce_core/juce_core.h>

namespace talvor
{
/** Flashes a firmware file into a unit in bootloader mode through the bootloader tool: a copy in
    the firmware cache, erase, write, read back and compare, reset. On the message thread; the
    tool runs block it, the waits between them keep the message loop running.

    Fails, with the text the user sees, before any tool run when the file is missing, the tool is
    missing, the file's size does not fit the device, or Esc was pressed (abortRequested). After
    an erase, any failure to write or to verify erases the image's first 4096 bytes again, so
    the unit stays in its bootloader rather than start a partial image. "OK. But reset failed!"
    is a written and verified firmware that needs a power cycle. */
juce::Result flashWithBlhost (const juce::String& firmwarePath);

/** What the user is told when the bootloader tool is not where the wizard looks for it: the
    text and, on the next line, the path looked at. */
juce::String missingBlhostToolMessage();
} // namespace talvor
