#include "link/MyTimer.h"

#include "devices/PortNames.h"
#include "devices/ProductIds.h"
#include "link/Host.h"
#include "link/ProtocolMessages.h"
#include "link/SaveAsDefault.h"
#include "link/UploadEngine.h"
#include "map/ReplySlots.h"
#include "map/SharedEditingState.h"
#include "platform/MidiPortBackend.h"

namespace NsOrvelA
{
namespace
{
constexpr int orvelAProductId = talvor::productIds::orvelA;

bool anySet (const std::array<juce::uint8, slotCount>& flags) noexcept
{
    for (auto flag : flags)
        if (flag != 0)
            return true;

    return false;
}
} // namespace

MyTimer::MyTimer() = default;

void MyTimer::timerCallback()
{
    stopTimer();
    bool started = false;

    if (transferBusy == 0 && hostInstance != nullptr)
    {
        keepAUnitConnected();
        answerUnitReports();
        sendSystemSettingOnceAfterAChangeOfOutputs();

        if (anySet (slotDirty) || anySet (slotSending))
        {
            started = true;
            uploadMappings();
        }

        saveDefaultsIfPending();
    }

    startTimer (started ? uploadPeriodMs : idlePeriodMs);
}

void MyTimer::keepAUnitConnected()
{
    // The main unit is preferred whenever one is connected.
    const auto inputs = talvor::midiPortBackend().getInputNames();
    const auto productId = talvor::highestPortNumberOfModel (inputs, orvelAProductId) != -1 ? orvelAProductId : currentModelId;
    setDeviceInputOpen (productId, keepInputOpen != 0);
}

void MyTimer::answerUnitReports()
{
    // The flag is taken with one exchange: a report that arrives while this one is handled sets it
    // again and is answered on the next tick, where clearing it afterwards would lose it.
    if (slotSelectReportPending.exchange (0, std::memory_order_acquire) != 0)
    {
        hostInstance->setCurrentSlot (reportedSelectSlot.load (std::memory_order_relaxed));
        hostInstance->sendSlotStatus (statusCommands::selectedSlot);
        hostInstance->sendModeStatus (statusCommands::selectedSlot);
    }

    if (faderReportPending.load (std::memory_order_acquire) != 0)
    {
        hostInstance->refreshEditorFull();
        hostInstance->sendSlotStatus (statusCommands::faderState); // takes the flag, or leaves it set when busy
    }
}

void MyTimer::sendSystemSettingOnceAfterAChangeOfOutputs()
{
    const auto outputs = talvor::midiPortBackend().getOutputNames();

    if (outputs != lastOutputs)
    {
        compatDone = false;
        compatTries = 0;
    }

    if (compatDone)
        return;

    if (compatTickCounter % 2 == 0)
    {
        if (compatTries <= 2)
        {
            if (hostInstance->setSystemCompat (isSupportedModel, statusCommands::systemSetting, 0))
            {
                compatDone = true;
                lastOutputs = outputs;
            }
            else
            {
                ++compatTries;
            }
        }

        compatTickCounter = 0;
    }

    ++compatTickCounter;
}
} // namespace NsOrvelA
