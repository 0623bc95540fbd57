#include "link/ProgramQuit.h"

#include "link/SaveAsDefault.h"
#include "link/UploadEngine.h"
#include "map/SharedEditingState.h"

#include <juce_events/juce_events.h>

#include <memory>
#include <utility>

namespace NsOrvelA
{
namespace
{
constexpr int transferPollMs = 20;

/** Set from a quit's start to its end: a quit asked for meanwhile (its own upload runs the
    message loop) changes nothing. */
bool quitting = false;

bool anySlotMarkedForUpload()
{
    for (size_t slot = 0; slot < slotCount; ++slot)
        if (slotDirty[slot] != 0 || slotSending[slot] != 0)
            return true;

    return false;
}

void carryOut (const std::function<void()>& stopLoop)
{
    // As the device-watch timer's next tick would: the slots edited since the last upload go to
    // the units before they are told to store their defaults, so that they store what the user sees.
    if (saveDefaultsPending != 0 && transferBusy == 0 && anySlotMarkedForUpload())
        uploadMappings();

    saveDefaultsIfPending();

    if (stopLoop)
        stopLoop();

    quitting = false;
}

/** Looks for the transfer's end while the transfer's own waits run the message loop. */
class QuitAfterTransfer final : private juce::Timer
{
public:
    explicit QuitAfterTransfer (std::function<void()> stop)
        : stopLoop (std::move (stop)), giveUpAtMs (juce::Time::getMillisecondCounterHiRes() + longestQuitWaitForTransferMs)
    {
        startTimer (transferPollMs);
    }

    ~QuitAfterTransfer() override { stopTimer(); }

private:
    void timerCallback() override;

    std::function<void()> stopLoop;
    const double giveUpAtMs;
};

std::unique_ptr<QuitAfterTransfer>& waitingQuit()
{
    static std::unique_ptr<QuitAfterTransfer> waiting;
    return waiting;
}

void QuitAfterTransfer::timerCallback()
{
    if (transferBusy != 0 && juce::Time::getMillisecondCounterHiRes() < giveUpAtMs)
        return;

    // The quit is carried out once; this object goes first, so that nothing of it is touched after.
    const auto stop = std::move (stopLoop);
    waitingQuit() = nullptr;
    carryOut (stop);
}

std::function<void()>& installedStopper()
{
    static std::function<void()> stopper;
    return stopper;
}
} // namespace

void quitProgram (std::function<void()> stopLoop)
{
    if (std::exchange (quitting, true))
        return;

    if (transferBusy != 0)
        waitingQuit() = std::make_unique<QuitAfterTransfer> (std::move (stopLoop));
    else
        carryOut (stopLoop);
}

bool quitIsWaitingForTransfer() { return waitingQuit() != nullptr; }

void abandonWaitingQuit()
{
    waitingQuit() = nullptr;
    quitting = false;
}

void setMessageLoopStopper (std::function<void()> stopper) { installedStopper() = std::move (stopper); }

void quitApplication()
{
    quitProgram (
        []
        {
            if (const auto& stopper = installedStopper())
                stopper();
            else if (auto* messageManager = juce::MessageManager::getInstanceWithoutCreating())
                messageManager->stopDispatchLoop();
        });
}
} // namespace NsOrvelA
