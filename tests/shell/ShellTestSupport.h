#pragma once

#include "editor/DeviceLink.h"
#include "platform/ProgramFile.h"
#include "shell/DemoRunnerApplication.h"
#include "shell/MainComponent.h"
#include "shell/PageRegistry.h"
#include "tests/support/HostTest.h"

#include <gtest/gtest.h>

namespace shelltest
{
/** The built program, with its resources folder beside it. */
inline juce::File programFile() { return juce::File (CORVIX_PROGRAM_PATH); }

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
