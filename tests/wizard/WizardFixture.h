#pragma once

#include "devices/PortNames.h"
#include "firmware/BootloaderTool.h"
#include "firmware/FirmwareServer.h"
#include "firmware/WizardState.h"
#include "platform/CpuFamily.h"
#include "platform/MessageLoopWait.h"
#include "platform/VirtualMidiPortBackend.h"
#include "tests/support/FakeBootloaderTool.h"
#include "tests/support/LoopbackHttpServer.h"
#include "tests/support/ScriptedDialogs.h"
#include "tests/support/SimulatedUpgradeDevice.h"
#include "tests/wizard/WizardTestSupport.h"
#include "wizard/FirmwareUpgradeComponent.h"

#include <gtest/gtest.h>

namespace talvor::test
{
/** A wizard against virtual MIDI ports, the stand-in bootloader tool, a loopback firmware server
    and scripted dialogs, with every wait of the steps run ten times faster than asked. */
class WizardFixture : public testing::Test
{
protected:
    struct SentMessage
    {
        juce::String port;
        juce::MidiMessage message;
    };

    std::vector<SentMessage> sentToUnits;
    juce::Array<juce::File> diskFolders;
    /** The full slices the waits asked for: a wait of one second is ten of them. */
    int slicesOf100Ms = 0;
    VirtualMidiPortBackend ports;
    ScopedMidiPortBackend installedPorts{ ports };
    ScriptedDialogs scripted;
    // The simulated units' ports are named as on Linux, whatever system the tests run on.
    ScopedPortNamingRules namingRules{ PortNamingRules::trailingDigit };
    corvix::testing::FakeBootloaderTool tool;
    std::unique_ptr<corvix::testing::LoopbackHttpServer> server;
    juce::TemporaryFile cacheFolder;
    juce::String cpuModel{ "Intel(R) Core(TM) i7" };
    ScopedCpuModelSource cpu{ [this] { return cpuModel; } };
    // Each slice also waits for the answers the simulated devices gave in it, so a busy machine
    // never turns a prompt answer into a late one.
    ScopedDispatchSliceRunner fasterWaits{ [this] (int ms)
                                           {
                                               slicesOf100Ms += ms == 100 ? 1 : 0;
                                               juce::MessageManager::getInstance()->runDispatchLoopUntil (juce::jmax (1, ms / 10));
                                               ports.waitForDueDeliveries();
                                           } };
    ScopedBlhostTiming noToolWaits{ quickToolTiming() };

    /** The tool's waits are not spent, and its deadlines are hang guards only: on a loaded machine
        the stand-in tool (under Wine a Windows process, started by Wine) can take seconds to start,
        and a probe's own deadline would end it as a tool that hangs. */
    static BlhostTiming quickToolTiming()
    {
        BlhostTiming timing;
        timing.wait = [] (int) {};
        timing.probeDeadlineMs = 120000;
        return timing;
    }

    void SetUp() override
    {
        resetWizardState();
        bootloaderToolPathSetting = corvix::testing::FakeBootloaderTool::executablePath();
        firmwareCacheFolderSetting = cacheFolder.getFile();
    }

    void TearDown() override
    {
        resetWizardState();
        ports.removeAll();
    }

    /** Starts the loopback firmware server and points the wizard at it. */
    corvix::testing::LoopbackHttpServer& startServer()
    {
        server = std::make_unique<corvix::testing::LoopbackHttpServer>();
        firmwareServerRootSetting = server->url();
        return *server;
    }

    /** A unit of this system on one port pair, the name carrying its firmware version. */
    void addUnit (const juce::String& name = "Orvel-A V1.05 1")
    {
        ports.addOutput (name, [this, name] (const juce::MidiMessage& message) { sentToUnits.push_back ({ name, message }); });
        ports.addInput (name);
    }

    /** A firmware file for the product (its name fits "orvel_a_*") of a size the device takes. */
    juce::File firmwareFileOnDisk (const juce::String& name = "orvel_a_1.06.bin", int size = 2048)
    {
        auto file = cacheFolder.getFile().getSiblingFile ("disk-" + juce::Uuid().toString()).getChildFile (name);
        file.getParentDirectory().createDirectory();
        juce::MemoryBlock bytes ((size_t) size);

        for (size_t i = 0; i < bytes.getSize(); ++i)
            bytes[i] = (char) (i * 7 + 3);

        file.replaceWithData (bytes.getData(), bytes.getSize());
        diskFolders.add (file.getParentDirectory());
        return file;
    }

    static juce::MemoryBlock firmwareBytes (int size = 2048)
    {
        juce::MemoryBlock bytes ((size_t) size);

        for (size_t i = 0; i < bytes.getSize(); ++i)
            bytes[i] = (char) (i * 5 + 1);

        return bytes;
    }

    /** The tool's runs of one command ("get-property", "write-memory", "reset", ...). */
    int toolRuns (const juce::String& command) const
    {
        int n = 0;

        for (const auto& call : tool.calls())
            if (call.contains (command))
                ++n;

        return n;
    }

    int boxesWithMessage (const juce::String& message) const
    {
        int n = 0;

        for (const auto& shown : scripted.shown())
            if (shown.message == message)
                ++n;

        return n;
    }

    bool shownTitle (const juce::String& title) const { return scripted.titles().contains (title); }

    /** Runs the message loop until the window's modal run has ended; false after 30 s, a hang guard. */
    static bool runLoopUntilClosed (juce::Component& window)
    {
        const auto end = juce::Time::getMillisecondCounter() + 30000;

        while (window.isCurrentlyModal (false) && juce::Time::getMillisecondCounter() < end)
            juce::MessageManager::getInstance()->runDispatchLoopUntil (10);

        return ! window.isCurrentlyModal (false);
    }

    /** Lets a chooser that confirms itself do so. */
    void letChooserConfirmItself()
    {
        scripted.answerModal ([] (juce::Component&) { pumpMessages (20); });
    }

    /** Presses a chooser's button once it is shown. */
    void pressInChooser (const juce::String& caption)
    {
        scripted.answerModal ([caption] (juce::Component& content) { press (content, caption); });
    }

    ~WizardFixture() override
    {
        for (auto& folder : diskFolders)
            folder.deleteRecursively();

        cacheFolder.getFile().deleteRecursively();
    }
};
} // namespace talvor::test
