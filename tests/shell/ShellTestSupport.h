#pragma once

#include "platform/EnvironmentVariable.h"
#include "editor/DeviceLink.h"
#include "platform/ProgramFile.h"
#include "shell/DemoRunnerApplication.h"
#include "shell/MainComponent.h"
#include "shell/PageRegistry.h"
#include "tests/support/HostTest.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sys/stat.h>

namespace shelltest
{
/** The built program, with its resources folder beside it. */
inline juce::File programFile() { return juce::File (CORVIX_PROGRAM_PATH); }

/** Gives this test process, and the programs it starts, a runtime folder of its own, so that the
    program's single-instance lock (in-process or started) is its own, never that of a copy of the
    program running elsewhere on the machine. */
inline void useOwnRuntimeFolder()
{
    struct Folder
    {
        Folder()
        {
            folder.createDirectory();
            ::chmod (folder.getFullPathName().toRawUTF8(), 0700);
            talvor::setEnvironmentVariable ("XDG_RUNTIME_DIR", folder.getFullPathName().toRawUTF8());
        }
        ~Folder() { folder.deleteRecursively(); }

        const juce::File folder = juce::File::createTempFile ("runtime");
    };

    static const Folder own;
}

/** The application run in the test's process, as the framework would run it, over a test Host
    with virtual MIDI ports, its loop stop recorded instead of done, and its release of the
    process-wide objects recorded and done as far as a test may (the test's Host stays). */
class ShellApplicationTest : public corvix::testing::HostTest
{
protected:
    talvor::ScopedProgramFile program{ programFile() };
    std::unique_ptr<DemoRunnerApplication> app;
    int loopStops = 0;
    int releases = 0;
    bool windowGoneAtRelease = false;

    void SetUp() override
    {
        useOwnRuntimeFolder();
        pageCategories().clear();
        DemoContentComponent::resetRecentringCount();
        app = std::make_unique<DemoRunnerApplication>();
        app->stopMessageLoop = [this] { ++loopStops; };
        app->releaseProcessWideObjects = [this]
        {
            ++releases;
            windowGoneAtRelease = app->getMainWindow() == nullptr;
        };
    }

    void TearDown() override
    {
        if (app != nullptr)
            app->shutdown();
        app = nullptr;
        pageCategories().clear();
    }

    DemoRunnerApplication::MainAppWindow& window()
    {
        auto* shown = app->getMainWindow();
        if (shown == nullptr)
            throw std::runtime_error ("no main window");
        return *shown;
    }

    MainComponent& root()
    {
        auto* component = window().getMainComponent();
        if (component == nullptr)
            throw std::runtime_error ("no root component");
        return *component;
    }

    static void pumpMessages (int milliseconds) { juce::MessageManager::getInstance()->runDispatchLoopUntil (milliseconds); }
};
} // namespace shelltest
