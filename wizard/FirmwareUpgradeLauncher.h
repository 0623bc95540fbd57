#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

namespace talvor
{
/** Runs the whole upgrade wizard for the launch product in its modal dialog, centred on the
    given component, after the start warning when asked for. Returns 0 in every case, also when
    the user cancels the warning (no wizard is made then). */
int launchFirmwareUpgrader (int launchProductId, juce::Component* centreAround, bool showWarning, bool serverMode);

/** The start warning; true for OK. */
bool confirmUpgradeStart();

constexpr const char* upgradeStartTitle = "Firmware Upgrader about to start";
constexpr const char* upgradeStartWarning =
    "\n* IMPORTANT WARNING! *\n\nFAILURE TO FOLLOW THESE INSTRUCTIONS COULD DAMAGE YOUR DEVICE!!\n\n"
    "- Connect ONLY the device you want to update\n- Make sure the power supply is connected (if any)\n"
    "- Connect device directly to computer (no hub)\n- Do not touch device during firmware update\n"
    "- Do not close command-line window during update";
} // namespace talvor
