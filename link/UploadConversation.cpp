#include "link/UploadConversation.h"

#include "devices/PortNames.h"
#include "devices/ProductIds.h"
#include "link/HostMidiInputHandler.h"
#include "link/ProtocolMessages.h"
#include "map/ReplySlots.h"
#include "map/SharedEditingState.h"
#include "platform/MessageLoopWait.h"
#include "platform/MidiPacing.h"

namespace NsOrvelA
{
namespace
{
using ReplySlot = std::atomic<juce::int8>;

constexpr int orvelAProductId = talvor::productIds::orvelA;
constexpr int pollsPerReply = 25;
constexpr int pollIntervalMs = 2;
constexpr int waitAfterTableBlockMs = 10;
constexpr int waitAfterSlotStatusMs = 10;

/** Marks a conversation as running for exactly as long as it runs, however it ends. */
class TransferBusyScope
{
public:
    TransferBusyScope() noexcept { transferBusy = 1; }
    ~TransferBusyScope() noexcept { transferBusy = 0; }

    TransferBusyScope (const TransferBusyScope&) = delete;
    TransferBusyScope& operator= (const TransferBusyScope&) = delete;
};

/** One pacing step per started group of three bytes. */
int pacingStepsFor (const juce::MidiMessage& message) noexcept { return (message.getRawDataSize() + 2) / 3; }

bool hasNoAnswer (const ReplySlot& slot) noexcept { return slot.load (std::memory_order_relaxed) == replySlots::noReply; }

class UploadConversation
{
public:
    UploadConversation (Host& hostToUse, juce::String nameOfOutput, int productIdToUse)
        : host (hostToUse), outputName (std::move (nameOfOutput)), productId (productIdToUse)
    {
    }

    juce::Result run()
    {
        if (outputName.isEmpty())
            return juce::Result::fail ("No selected output device!");

        host.replaceMidiHandler();
        const TransferBusyScope busy;
        talvor::waitMs (3);

        if (auto* handler = host.getMidiHandler())
            handler->openDevice (talvor::pairPortName (outputName, true));

        if (connect())
            talk();

        output = nullptr;
        return outcome;
    }

private:
    bool connect()
    {
        auto& ports = talvor::midiPortBackend();

        if (! ports.getOutputNames().contains (outputName))
            return fail (outputName + ": device does not exist");

        output = ports.openOutput (outputName);

        if (output == nullptr)
            return fail (outputName + ": could not open device");

        // The wait above ran the message loop: ask the handler that is current now.
        const auto* handler = host.getMidiHandler();

        if (handler == nullptr || ! handler->isOpen())
            return fail ("Cannot use this input device: " + outputName);

        return true;
    }

    void talk()
    {
        compareSignatures();

        for (int slotId = 1; slotId <= slotCount; ++slotId)
            if (ok && slotNeedsSending (slotId))
                sendSlot (slotId);

        if (! ok)
            return;

        announceSelectedSlot();

        if (! inSync)
        {
            sendRequest (buildSignatureRequest (productId, requestCommands::closingRequest));
            pace (6);
            awaitReply (replySlots::reply27); // what it says changes nothing
        }
    }

    void compareSignatures()
    {
        sendRequest (buildSignatureRequest (productId, requestCommands::openingRequest));
        pace (3);
        awaitReply (replySlots::reply24);

        if (hasNoAnswer (replySlots::reply24))
        {
            inSync = true;
            fail ("Time out!");
            return;
        }

        syncMask = replySlots::reply24.load (std::memory_order_relaxed);
        inSync = (syncMask == 7);
    }

    bool slotNeedsSending (int slotId) const
    {
        const auto slotInSync = (syncMask & (4 >> (slotId - 1))) != 0;
        return ! inSync && ! slotInSync && isDawId (host.getStateTree().slotDawId (slotId));
    }

    void sendSlot (int slotId)
    {
        const bool mainUnit = (productId == orvelAProductId);

        if (mainUnit)
        {
            const auto setting = buildSlotSettingMessage (productId, slotId, true);
            sendRequest (setting);
            pace (pacingStepsFor (setting));
            checkAcknowledged (replySlots::reply2C, "Failed to update setting!");
        }

        for (int block = 0; ok && block < tableBlockCount; ++block)
        {
            sendRequest (buildTableBlockMessage (productId, slotId, block));
            talvor::waitMs (waitAfterTableBlockMs);
            checkAcknowledged (replySlots::reply25, "Failed to send data!");
        }

        if (ok && mainUnit)
            sendTexts (slotId);

        if (ok)
        {
            const auto mode = buildSlotSettingMessage (productId, slotId, false);
            sendRequest (mode);
            pace (pacingStepsFor (mode));
            checkAcknowledged (replySlots::reply2E, "Failed to update mode of slot!");
        }
    }

    void sendTexts (int slotId)
    {
        for (int block = 1; ok && block <= textBlockCount; ++block)
        {
            const auto texts = buildTextBlockMessage (slotId, block);
            sendRequest (texts);
            pace (pacingStepsFor (texts));

            // A refusal of the status kind does not stop the texts: only the block's own answer does.
            if (! awaitReply (replySlots::reply26))
                fail ("Time out!");
            else if (replySlots::reply26.load (std::memory_order_relaxed) == 0)
                fail ("Failed to send texts!");
        }
    }

    /** The slot that the editor has selected and its workstation, to end the conversation. */
    void announceSelectedSlot()
    {
        output->sendMessageNow (fillerMessage());
        pace (1);
        output->sendMessageNow (selectedSlotStatusMessage (currentSlotId, host.getStateTree().slotDawId (currentSlotId)));
        talvor::waitMs (waitAfterSlotStatusMs);
    }

    //==============================================================================
    void sendRequest (const juce::MidiMessage& message)
    {
        // The units read their input in groups of three bytes: an odd count of groups is
        // evened out with the filler first.
        if (pacingStepsFor (message) % 2 == 1)
        {
            output->sendMessageNow (fillerMessage());
            pace (1);
        }

        resetReplySlots();
        output->sendMessageNow (message);
    }

    void pace (int steps)
    {
        for (int i = 0; i < steps; ++i)
            talvor::pacedMessageWait (pacingCounter, 2, 1);
    }

    /** Polls until the request's own reply or a status reply has come, or the time is up.
        True when something came. */
    bool awaitReply (const ReplySlot& slot)
    {
        for (int poll = 0; poll < pollsPerReply && hasNoAnswer (slot) && hasNoAnswer (replySlots::replyStatus); ++poll)
            talvor::waitMs (pollIntervalMs);

        return ! (hasNoAnswer (slot) && hasNoAnswer (replySlots::replyStatus));
    }

    void checkAcknowledged (const ReplySlot& slot, const juce::String& refusal)
    {
        if (! awaitReply (slot))
            fail ("Time out!");
        else if (slot.load (std::memory_order_relaxed) == 0 || replySlots::replyStatus.load (std::memory_order_relaxed) == 0)
            fail (refusal);
    }

    bool fail (const juce::String& message)
    {
        ok = false;
        outcome = juce::Result::fail (message);
        return false;
    }

    Host& host;
    const juce::String outputName;
    const int productId;
    std::unique_ptr<talvor::MidiOutputPort> output;

    juce::Result outcome = juce::Result::ok();
    bool ok = true;
    bool inSync = false;
    int syncMask = 0;
    int pacingCounter = 0;
};
} // namespace

juce::Result runUploadConversation (Host& host, const juce::String& outputName, int productId)
{
    // The message loop runs while a conversation waits; a second one started from there would
    // interleave its requests with the first one's on the wire.
    if (transferBusy != 0)
        return juce::Result::fail ("Another transfer is running!");

    return UploadConversation (host, outputName, productId).run();
}

juce::Result Host::sendMapsToDevice (int productId) { return runUploadConversation (*this, getSelectedOutputName(), productId); }
} // namespace NsOrvelA
