#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

namespace NsOrvelA
{
/** The editor's "FIRMWARE UPGRADE" command: stops the device link's traffic with the units,
    runs the upgrade wizard modally for the current model, centred on the editor, and gives the
    units their input back afterwards.

    An upload still running after three seconds is never cut short: the wizard is refused with a
    box instead. While the wizard runs the units' input stays closed and the device-watch timer
    sends the units nothing, since the transfer flag stays set until the wizard has closed. */
void runFirmwareUpgradeFromEditor (juce::Component& editor);

/** What the refusal says. */
constexpr const char* uploadStillRunningText =
    "The maps are still being sent to your units.\nPlease try the firmware upgrade again in a moment.";
} // namespace NsOrvelA
