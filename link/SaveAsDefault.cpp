#include "link/SaveAsDefault.h"

#include "link/Host.h"
#include "link/ProtocolMessages.h"
#include "map/SharedEditingState.h"

namespace NsOrvelA
{
namespace
{
const juce::String unitsNotTold{ "The units were not told to store their defaults: a transfer to them had not ended." };
} // namespace

juce::Result saveDefaultsIfPending (StoreFailureReport report)
{
    if (saveDefaultsPending == 0 || hostInstance == nullptr)
        return juce::Result::ok();

    // Cleared first: the box below runs the message loop, in which a tick must not store again.
    saveDefaultsPending = 0;
    // Both are asked, as the units expect; either refuses only while a transfer holds the units.
    const auto modeTold = hostInstance->sendModeStatus (statusCommands::saveAsDefault);
    const auto slotTold = hostInstance->sendSlotStatus (statusCommands::saveAsDefault);
    const auto told = modeTold && slotTold;
    const auto stored = hostInstance->saveState();

    if (stored.wasOk() && told)
        return stored;

    const auto message = stored.failed() ? "Error: " + stored.getErrorMessage() + (told ? juce::String() : "\n" + unitsNotTold)
                                         : "The map was stored in the settings file. " + unitsNotTold;

    if (report == StoreFailureReport::toTheUser)
        hostInstance->showEditorMessage (message);

    return juce::Result::fail (message);
}
} // namespace NsOrvelA
