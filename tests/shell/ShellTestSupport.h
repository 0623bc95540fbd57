#pragma once

#include "platform/ProgramFile.h"
#include "shell/DemoRunnerApplication.h"
#include "shell/MainComponent.h"
#include "shell/PageRegistry.h"

#include <gtest/gtest.h>

namespace shelltest
{
/** The built program, with its resources folder beside it. */
inline juce::File programFile() { return juce::File (CORVIX_PROGRAM_PATH); }

/** The application run in the test's process, as the framework would run it, but with its loop
    stop and its release of process-wide objects recorded instead of done. */
class ShellApplicationTest : public testing::Test
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
