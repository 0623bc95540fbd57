#include "shell/DemoRunnerApplication.h"

#include "editor/DeviceLink.h"
#include "link/ProgramQuit.h"
#include "link/SaveAsDefault.h"
#include "shell/DemoSlaveProcess.h"
#include "shell/MainComponent.h"
#include "shell/PageRegistry.h"
#include "shell/SingleInstanceGuard.h"

#include <cstdio>

namespace
{
const juce::String applicationName{ "Orvel-A Corvix" };

// What the program made that outlives the window, released once the window is gone: the
// device-watch timer, then the Host, which the editor and the timer use.
void releaseHostAndTimer() { NsOrvelA::stopDeviceLink(); }
} // namespace

DemoRunnerApplication::DemoRunnerApplication() : releaseProcessWideObjects (releaseHostAndTimer)
{
    // The editor's Ctrl+Q stops the loop as the application does.
    NsOrvelA::setMessageLoopStopper ([this] { stopMessageLoop(); });
}

DemoRunnerApplication::~DemoRunnerApplication()
{
    NsOrvelA::setMessageLoopStopper ({});
    mainWindow = nullptr;
}

const juce::String DemoRunnerApplication::getApplicationName() { return applicationName; }

const juce::String DemoRunnerApplication::getApplicationVersion() { return "1.13"; }

// The framework's lock on Linux is one file for the whole machine, which the first user to start
// the program owns: every other user's starts are then unguarded. The program's own, per user,
// guards there instead.
bool DemoRunnerApplication::moreThanOneInstanceAllowed()
{
#if JUCE_WINDOWS
    return false;
#else
    return true;
#endif
}

void DemoRunnerApplication::initialise (const juce::String& commandLine)
{
    // As the framework's check does, before anything else: a second start ends at once.
    instanceGuard = std::make_unique<SingleInstanceGuard> (getApplicationName());

    if (! instanceGuard->isOnlyInstance())
    {
        stopMessageLoop();
        return;
    }

    registerAllPages();

    if (invokeChildProcessSlave (commandLine))
        return;

    auto window = std::make_unique<MainAppWindow> (getApplicationName() + " V" + "1.00");
    if (! window->contentReady)
    {
        window = nullptr;
        stopMessageLoop();
        return;
    }
    mainWindow = std::move (window);
}

void DemoRunnerApplication::shutdown()
{
    // The quit requests store a pending "SAVE AS DEFAULT" while a box can still say that it failed;
    // this is for a loop that ended otherwise (an interrupt from the terminal), when no transfer runs.
    NsOrvelA::abandonWaitingQuit();

    if (const auto stored = NsOrvelA::saveDefaultsIfPending (NsOrvelA::StoreFailureReport::none); stored.failed())
        std::fprintf (stderr, "%s\n", stored.getErrorMessage().toRawUTF8());

    mainWindow = nullptr;
    if (releaseProcessWideObjects)
        releaseProcessWideObjects();
}

void DemoRunnerApplication::anotherInstanceStarted (const juce::String&) {}

void DemoRunnerApplication::systemRequestedQuit()
{
    // A "SAVE AS DEFAULT" clicked moments ago waits for the device-watch timer: it is carried out
    // first, while the editor is there to say when it fails, and after a transfer that is running.
    // Only the loop is stopped then. The window, and with it the editor, is deleted by shutdown()
    // once the loop has ended: an editor handler that is waiting inside the loop (a transfer's
    // waits, a modal dialog) returns first instead of resuming on a deleted editor.
    NsOrvelA::quitProgram (
        [this]
        {
            if (mainWindow != nullptr)
                mainWindow->minimiseButtonPressed();

            stopMessageLoop();
        });
}

void DemoRunnerApplication::memoryWarningReceived() {}

bool DemoRunnerApplication::backButtonPressed()
{
    if (mainWindow != nullptr)
        if (auto* root = mainWindow->getMainComponent())
            root->getSidePanel().showOrHide (false);
    return true;
}
