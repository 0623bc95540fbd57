// The start-up benchmark's anchor: the framework's own bare program, one window of the editor's
// size with the native title bar and nothing in it but the window's background.
#include <juce_gui_basics/juce_gui_basics.h>

namespace
{
class BareWindow final : public juce::DocumentWindow
{
public:
    BareWindow()
        : juce::DocumentWindow ("Bare window",
                                juce::Desktop::getInstance().getDefaultLookAndFeel().findColour (juce::ResizableWindow::backgroundColourId),
                                juce::DocumentWindow::allButtons)
    {
        setUsingNativeTitleBar (true);
        setSize (850, 720);
        setVisible (true);
    }

    void closeButtonPressed() override { juce::JUCEApplication::getInstance()->systemRequestedQuit(); }
};

class BareWindowApplication final : public juce::JUCEApplication
{
public:
    const juce::String getApplicationName() override { return "Bare window"; }
    const juce::String getApplicationVersion() override { return "1.0"; }
    bool moreThanOneInstanceAllowed() override { return true; }
    void initialise (const juce::String&) override { window = std::make_unique<BareWindow>(); }
    void shutdown() override { window = nullptr; }

private:
    std::unique_ptr<BareWindow> window;
};
} // namespace

START_JUCE_APPLICATION (BareWindowApplication)
