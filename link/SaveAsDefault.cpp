#include "link/SaveAsDefault.h"

#include "link/Host.h"
#include "link/ProtocolMessages.h"
#include "map/SharedEditingState.h"

namespace NsOrvelA
{
juce::Result saveDefaultsIfPending (StoreFailureReport report)
{
    if (saveDefaultsPending == 0 || hostInstance == nullptr)
        return juce::Result::ok();

    // Cleared first: the box below runs the message loop, in which a tick must not store again.
    saveDefaultsPending = 0;
    hostInstance->sendModeStatus (statusCommands::saveAsDefault);
    hostInstance->sendSlotStatus (statusCommands::saveAsDefault);
    const auto stored = hostInstance->saveState();

    if (stored.failed() && report == StoreFailureReport::toTheUser)
        hostInstance->showEditorMessage ("Error: " + stored.getErrorMessage());

    return stored;
}
} // namespace NsOrvelA
