#include "editor/FirmwareUpgradeCommand.h"

#include "link/Host.h"
#include "map/SharedEditingState.h"
#include "platform/MessageLoopWait.h"
#include "ui/Dialogs.h"
#include "wizard/FirmwareUpgradeLauncher.h"

namespace NsOrvelA
{
namespace
{
constexpr int transferWaits = 30;
constexpr int transferWaitMs = 100;
} // namespace

void runFirmwareUpgradeFromEditor (juce::Component& editor)
{
    // The timer must not reopen the input while the upload ends and the wizard runs.
    keepInputOpen = 0;

    for (int wait = 0; wait < transferWaits && transferBusy != 0; ++wait)
        talvor::waitMs (transferWaitMs);

    if (transferBusy != 0)
    {
        keepInputOpen = 1;
        talvor::dialogs().showMessageBox (juce::MessageBoxIconType::NoIcon, {}, uploadStillRunningText, {}, &editor);
        return;
    }

    {
        // The wizard is the one conversation with the units now: the timer skips its ticks.
        const juce::ScopedValueSetter<juce::uint8> wizardTalks (transferBusy, 1);
        setDeviceInputOpen (currentModelId, false);
        talvor::launchFirmwareUpgrader (currentModelId, &editor, true, true);
    }

    keepInputOpen = 1;
    setDeviceInputOpen (currentModelId, true);
}
} // namespace NsOrvelA
