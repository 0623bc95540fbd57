#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>
#include <memory>

class DemoTaskbarComponent;
class MainComponent;
class SingleInstanceGuard;

/** The application: builds the page registry, becomes a child process when asked to, or opens
    the one main window with its tray entry; and ends the program in a defined order. */
class DemoRunnerApplication final : public juce::JUCEApplication
{
public:
    class MainAppWindow;

    DemoRunnerApplication();
    ~DemoRunnerApplication() override;

    const juce::String getApplicationName() override;
    const juce::String getApplicationVersion() override;
    bool moreThanOneInstanceAllowed() override;
    void initialise (const juce::String& commandLine) override;
    void shutdown() override;
    void anotherInstanceStarted (const juce::String& commandLine) override;
    void systemRequestedQuit() override;
    void memoryWarningReceived() override;
    bool backButtonPressed() override;

    MainAppWindow* getMainWindow() const { return mainWindow.get(); }

    /** Stops the message loop; the program's loop by default. In-process tests, which must keep
        their own loop running, put something else here. */
    std::function<void()> stopMessageLoop{ [] { juce::JUCEApplicationBase::quit(); } };

    /** Releases what the program made that outlives the window (the device-watch timer, then
        the Host); shutdown() runs it after deleting the window. In-process tests, which go on
        after a shutdown, put something else here. */
    std::function<void()> releaseProcessWideObjects;

private:
    std::unique_ptr<SingleInstanceGuard> instanceGuard;
    std::unique_ptr<MainAppWindow> mainWindow;

    JUCE_DECLARE_NON_COPYABLE (DemoRunnerApplication)
};

/** The main window: it owns the root component and the tray entry. */
class DemoRunnerApplication::MainAppWindow final : public juce::DocumentWindow
{
public:
    explicit MainAppWindow (const juce::String& title);
    ~MainAppWindow() override;

    /** x and y a tenth of the area's size, at least 850 × 600 and otherwise half its width and
        seven tenths of its height; computed in single precision and truncated. */
    static juce::Rectangle<int> initialBounds (juce::Rectangle<int> parentArea);

    MainComponent* getMainComponent() const;
    DemoTaskbarComponent* getTrayComponent() const { return trayComponent.get(); }

    bool keyPressed (const juce::KeyPress& key) override;
    void closeButtonPressed() override;
    void activeWindowStatusChanged() override;
    void focusGained (FocusChangeType cause) override;

    bool contentReady{ false };

private:
    void passFocusToPage();

    std::unique_ptr<DemoTaskbarComponent> trayComponent;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (MainAppWindow)
};
