#include "link/ProgramQuit.h"

#include "link/SaveAsDefault.h"
#include "map/SharedEditingState.h"

#include <juce_events/juce_events.h>

#include <memory>

namespace NsOrvelA
{
namespace
{
constexpr int transferPollMs = 20;

void carryOut (const std::function<void()>& stopLoop)
{
    saveDefaultsIfPending();

    if (stopLoop)
        stopLoop();
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
    if (quitIsWaitingForTransfer())
        return;

    if (transferBusy != 0)
        waitingQuit() = std::make_unique<QuitAfterTransfer> (std::move (stopLoop));
    else
        carryOut (stopLoop);
}

bool quitIsWaitingForTransfer() { return waitingQuit() != nullptr; }

void abandonWaitingQuit() { waitingQuit() = nullptr; }

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
