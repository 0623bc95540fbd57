#include <juce_gui_basics/juce_gui_basics.h>

namespace
{
const juce::String applicationName{ "Orvel-A Corvix" };
} // namespace

class DemoRunnerApplication final : public juce::JUCEApplication
{
public:
    const juce::String getApplicationName() override { return applicationName; }
    const juce::String getApplicationVersion() override { return "1.13"; }
    bool moreThanOneInstanceAllowed() override { return false; }

    void initialise (const juce::String&) override { mainWindow = std::make_unique<MainAppWindow>(); }
    void shutdown() override { mainWindow = nullptr; }
    void systemRequestedQuit() override { quit(); }

private:
    class MainAppWindow final : public juce::DocumentWindow
    {
    public:
        MainAppWindow()
            : juce::DocumentWindow (
                applicationName + " V1.00",
                juce::Desktop::getInstance().getDefaultLookAndFeel().findColour (juce::ResizableWindow::backgroundColourId),
                juce::DocumentWindow::allButtons)
        {
            setUsingNativeTitleBar (false);
            setResizable (true, false);
            setResizeLimits (400, 400, 5000, 5000);
            centreWithSize (850, 600);
            setVisible (true);
        }

        void closeButtonPressed() override { juce::JUCEApplication::getInstance()->systemRequestedQuit(); }

    private:
        JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (MainAppWindow)
    };

    std::unique_ptr<MainAppWindow> mainWindow;
};

START_JUCE_APPLICATION (DemoRunnerApplication)
