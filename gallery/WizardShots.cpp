#include "gallery/WizardShots.h"

#include "devices/ProductIds.h"
#include "firmware/WizardState.h"
#include "gallery/GalleryWindow.h"
#include "gallery/PictureDialogs.h"
#include "platform/CpuFamily.h"
#include "platform/EnvironmentVariable.h"
#include "platform/VirtualMidiPortBackend.h"
#include "wizard/FirmwareSelectComponent.h"
#include "wizard/FirmwareUpgradeDialog.h"
#include "wizard/FirmwareUpgradeLauncher.h"

#include <cstdlib>
#include <functional>
#include <utility>
#include <vector>

namespace corvix::gallery
{
namespace
{
using Pictures = std::vector<std::pair<juce::String, juce::Image>>;

/** The wizard in its own window, as the editor's command shows it, for this system's unit. */
struct WizardWindow
{
    explicit WizardWindow (bool serverMode)
        : dialog (std::make_unique<talvor::FirmwareUpgradeComponent> (talvor::productIds::orvelA, serverMode), nullptr)
    {
        // In automatic mode the choosers would confirm themselves before their picture and
        // every step would run the next.
        talvor::automaticMode = false;
        dialog.setTopLeftPosition (0, 0);
        dialog.setVisible (true);
        GalleryWindow::settle();
    }

    ~WizardWindow() { dialog.getWizard().closeDown(); }

    talvor::FirmwareUpgradeComponent& wizard() { return dialog.getWizard(); }

    /** The window once the progress bar, which moves towards a new value bit by bit, is there. */
    juce::Image picture()
    {
        GalleryWindow::settle (500);
        return snapshot();
    }

    /** The window as it paints at once: for pictures in the middle of a step. */
    juce::Image snapshot()
    {
        return GalleryWindow::withTitleBar (dialog.createComponentSnapshot (dialog.getLocalBounds(), true, 1.0f), dialog.getName());
    }

    talvor::FirmwareUpgradeDialog dialog;
};

/** Runs an action once, from the message loop, after a delay; never after this object has gone. */
class Later final : private juce::Timer
{
public:
    Later (int milliseconds, std::function<void()> actionToRun) : action (std::move (actionToRun)) { startTimer (milliseconds); }
    ~Later() override { stopTimer(); }

private:
    void timerCallback() override
    {
        stopTimer();
        action();
    }

    std::function<void()> action;
};

/** The first picture the dialogs took while the action ran; an invalid image when none was. */
juce::Image firstPictureDuring (PictureDialogs& dialogs, const std::function<void()>& action)
{
    const auto before = dialogs.pictures().size();
    action();
    return dialogs.pictures().size() > before ? dialogs.pictures()[before] : juce::Image();
}

/** The last picture the dialogs took while the action ran. */
juce::Image lastPictureDuring (PictureDialogs& dialogs, const std::function<void()>& action)
{
    const auto before = dialogs.pictures().size();
    action();
    return dialogs.pictures().size() > before ? dialogs.pictures().back() : juce::Image();
}

/** What needs no unit: the window as the editor opens it, the start warning, the about box and
    the firmware chooser over a catalogue of two versions. */
void shotsWithoutAUnit (Pictures& out, PictureDialogs& dialogs)
{
    out.emplace_back ("wizard-start-warning.png", lastPictureDuring (dialogs, [] { talvor::confirmUpgradeStart(); }));

    WizardWindow window (true);
    out.emplace_back ("wizard-start.png", window.picture());
    out.emplace_back ("wizard-about-box.png", lastPictureDuring (dialogs, [&] { window.wizard().showAboutBox(); }));

    juce::ValueTree catalogue ("firmwares");

    for (auto* version : { "1.06", "1.05" })
        catalogue.appendChild (juce::ValueTree ("fw", { { "pid", talvor::productIds::orvelA },
                                                        { "name", "Orvel-A" },
                                                        { "version", version },
                                                        { "fw", juce::String ("orvel_a_") + version + ".bin" } }),
                               nullptr);

    out.emplace_back ("wizard-firmware-chooser.png",
                      lastPictureDuring (dialogs, [&] { talvor::FirmwareSelectComponent::choose (catalogue, 0, &window.wizard()); }));
}

#ifdef CORVIX_FAKE_BOOTLOADER_TOOL
/** The bootloader tool's stand-in that the tests use, with a state folder of its own: it answers
    for a unit and keeps what is written into it. */
class StandInTool
{
public:
    explicit StandInTool (const juce::File& scratch) : folder (scratch.getChildFile ("bootloader-tool"))
    {
        folder.createDirectory();
        talvor::setEnvironmentVariable (stateFolderVariable, folder.getFullPathName().toRawUTF8());
        talvor::bootloaderToolPathSetting = CORVIX_FAKE_BOOTLOADER_TOOL;
        talvor::firmwareCacheFolderSetting = scratch.getChildFile ("firmware-cache");
    }

    ~StandInTool()
    {
        talvor::removeEnvironmentVariable (stateFolderVariable);
        talvor::resetWizardState();
    }

    StandInTool (const StandInTool&) = delete;
    StandInTool& operator= (const StandInTool&) = delete;

    /** From now on the unit takes no firmware. */
    void refuseWrites() { folder.getChildFile ("script").replaceWithText ("write-memory fail\n"); }

private:
    static constexpr const char* stateFolderVariable = "CORVIX_FAKE_TOOL_DIR";
    juce::File folder;
};

juce::File firmwareFile (const juce::File& scratch)
{
    const auto file = scratch.getChildFile ("orvel_a_1.06.bin");
    juce::MemoryBlock bytes (2048);

    for (size_t i = 0; i < bytes.getSize(); ++i)
        bytes[i] = (char) (i * 5 + 1);

    file.replaceWithData (bytes.getData(), bytes.getSize());
    return file;
}

/** A whole upgrade of a unit at 1.05 with a file from disk, one step per click: the window after
    each step and while step 5 writes, the device chooser of step 1, the box of the success and
    that of a unit that takes no firmware. Before it, step 1 waiting for a unit that is not there and the window closed
    during that wait. */
void shotsOfAnUpgrade (Pictures& out, PictureDialogs& dialogs, const juce::File& scratch)
{
    StandInTool tool (scratch);
    talvor::VirtualMidiPortBackend ports;
    const talvor::ScopedMidiPortBackend installed (ports);
    const talvor::ScopedCpuModelSource cpu ([] { return juce::String ("Intel(R) Core(TM) i7"); });

    {
        WizardWindow window (false);
        const Later closeDuringTheWait (1600,
                                        [&]
                                        {
                                            out.emplace_back ("wizard-step-1-waiting.png", window.snapshot());
                                            window.dialog.closeButtonPressed();
                                            out.emplace_back ("wizard-stopping.png", window.snapshot());
                                        });
        window.wizard().runStep (0);
    }

    ports.addOutput ("Orvel-A V1.05 1", nullptr);
    ports.addInput ("Orvel-A V1.05 1");
    const auto firmware = firmwareFile (scratch);

    WizardWindow window (false);
    auto& wizard = window.wizard();

    dialogs.answerModal (1);
    out.emplace_back ("wizard-device-chooser.png", firstPictureDuring (dialogs, [&] { wizard.runStep (0); }));
    out.emplace_back ("wizard-step-1-done.png", window.picture());

    for (int step = 1; step <= 3; ++step)
    {
        if (step == 3)
            dialogs.answerFile (firmware);

        wizard.runStep (step);
        out.emplace_back ("wizard-step-" + juce::String (step + 1) + "-done.png", window.picture());
    }

    // Step 5 ends with its box, before the window goes back to the start.
    juce::Image upgraded;
    dialogs.afterEachPicture = [&]
    {
        if (! upgraded.isValid())
            upgraded = window.picture();
    };
    juce::Image writing;
    const Later whileWriting (150, [&] { writing = window.snapshot(); });
    out.emplace_back ("wizard-upgraded.png", lastPictureDuring (dialogs, [&] { wizard.runStep (4); }));
    out.emplace_back ("wizard-step-5-writing.png", writing);
    out.emplace_back ("wizard-step-5-done.png", upgraded);
    dialogs.afterEachPicture = nullptr;

    tool.refuseWrites();
    dialogs.answerFile (firmware);
    wizard.runStep (3);
    out.emplace_back ("wizard-upgrade-failed.png", lastPictureDuring (dialogs, [&] { wizard.runStep (4); }));
}
#endif
} // namespace

int writeWizardShots (const juce::File& folder, const juce::File& scratch)
{
    Pictures pictures;

    {
        PictureDialogs dialogs;
        shotsWithoutAUnit (pictures, dialogs);
#ifdef CORVIX_FAKE_BOOTLOADER_TOOL
        shotsOfAnUpgrade (pictures, dialogs, scratch);
#else
        juce::ignoreUnused (scratch);
#endif
    }

    talvor::resetWizardState();
    int failures = 0;

    for (const auto& [fileName, picture] : pictures)
        if (! writePicture (picture, folder.getChildFile (fileName)))
            ++failures;

    return failures;
}
} // namespace corvix::gallery
