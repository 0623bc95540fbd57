#include "link/Host.h"

#include "devices/DeviceNamePatterns.h"
#include "devices/PortNames.h"
#include "link/ProtocolMessages.h"
#include "map/ReplySlots.h"
#include "map/SharedEditingState.h"
#include "platform/MessageLoopWait.h"
#include "platform/MidiPortBackend.h"

namespace NsOrvelA
{
namespace
{
/** The units take status messages on their port number 4 only. */
constexpr int statusPortNumber = 4;

/** Which of the units' port-4 outputs a status message goes to, and how. */
struct StatusRoute
{
    std::function<bool (int productId)> accepts;
    bool stopAfterFirstSent = false;
    bool resetRepliesBeforeMessage = false;
    bool waitAfterEach = false;
};

/** Sends the filler and then the message to each accepted port-4 output in list order, opening
    and closing it around the send; an output that does not open is passed over. False, with
    nothing more sent, as soon as an accepted output comes up while a conversation is running:
    the conversation owns the units' ports until it ends. */
bool sendToStatusPorts (const juce::MidiMessage& message, const StatusRoute& route)
{
    auto& ports = talvor::midiPortBackend();

    for (const auto& name : ports.getOutputNames())
    {
        if (talvor::portNumber (name) != statusPortNumber || ! route.accepts (talvor::productIdFromDeviceName (name)))
            continue;

        if (transferBusy != 0)
            return false;

        auto output = ports.openOutput (name);

        if (output == nullptr)
            continue;

        output->sendMessageNow (fillerMessage());

        if (route.resetRepliesBeforeMessage)
            resetReplySlots();

        output->sendMessageNow (message);

        if (route.waitAfterEach)
            talvor::waitMs (1);

        if (route.stopAfterFirstSent)
            break;
    }

    return true;
}

/** 0xEC 0x22 for the slot a unit selected. A unit may have reported slot 0, which is passed on
    as it is, with no workstation; no slot outside 1..3 is looked up. */
juce::MidiMessage reportedSlotSelection()
{
    const auto slotId = reportedSelectSlot.load (std::memory_order_relaxed);
    const auto workstation = isSlotId (slotId) ? slotDawIds[static_cast<size_t> (slotId - 1)] : 0;
    return selectedSlotStatusMessage (slotId, workstation);
}
} // namespace

bool Host::sendModeStatus (int command)
{
    juce::MidiMessage message;

    if (command == statusCommands::selectedSlot)
        message = reportedSlotSelection();
    else if (command == statusCommands::saveAsDefault)
        message = saveAsDefaultStatusMessage();
    else
        return true;

    return sendToStatusPorts (message, { isOrvelA, true, false, true });
}

bool Host::sendSlotStatus (int command)
{
    if (command == statusCommands::selectedSlot)
        return sendToStatusPorts (reportedSlotSelection(), { isExtender });

    if (command == statusCommands::saveAsDefault)
        return sendToStatusPorts (saveAsDefaultStatusMessage(), { isOrvelB });

    if (command != statusCommands::faderState)
        return true;

    // The flag is taken before the report's values are read, with one exchange (acquire: the
    // values are then those the input thread published with it). A report that arrives during the
    // send sets it again and is passed on by the next tick. The input thread stores only slots 1..3.
    const auto wasPending = faderReportPending.exchange (0, std::memory_order_acquire) != 0;
    const auto slotId = reportedFaderSlot.load (std::memory_order_relaxed);

    if (isSlotId (slotId))
    {
        const auto unlocked = slotFaderUnlocked[static_cast<size_t> (slotId - 1)].load (std::memory_order_relaxed);

        if (! sendToStatusPorts (faderStateStatusMessage (slotId, unlocked), { isExtender }))
        {
            if (wasPending)
                faderReportPending.store (1, std::memory_order_release); // the report stays pending for the next tick

            return false;
        }
    }

    return true;
}

bool Host::setSystemCompat (const std::function<bool (int productId)>& filter, int command, int value)
{
    if (command != statusCommands::systemSetting)
        return true;

    // Without a filter no product is chosen: the setting never goes to a port it was not meant for.
    const auto accepts = [&filter] (int productId) { return filter != nullptr && filter (productId); };

    // The acknowledgement (0x9A 0x2A) lands in reply2A; nobody waits for it.
    return sendToStatusPorts (systemSettingStatusMessage (value), { accepts, false, true, true });
}
} // namespace NsOrvelA
