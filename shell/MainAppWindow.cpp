#include "shell/DemoRunnerApplication.h"
#include "shell/DemoTaskbarComponent.h"
#include "shell/MainComponent.h"
#include "ui/SystemTray.h"

DemoRunnerApplication::MainAppWindow::MainAppWindow (const juce::String& title)
    : juce::DocumentWindow (title,
                            juce::Desktop::getInstance().getDefaultLookAndFeel().findColour (juce::ResizableWindow::backgroundColourId),
                            juce::DocumentWindow::allButtons, true)
{
    setUsingNativeTitleBar (true);
    setTitleBarButtonsRequired (juce::DocumentWindow::minimiseButton | juce::DocumentWindow::closeButton, false);
    setResizable (true, false);
    setResizeLimits (400, 400, 5000, 5000);

    if (const auto* display = juce::Desktop::getInstance().getDisplays().getPrimaryDisplay())
        setBounds (initialBounds (display->userArea));

    auto root = std::make_unique<MainComponent>();
    if (! root->isPageCreated())
    {
        contentReady = false;
        return;
    }

    // The window follows its content's size; the content starts at the window's own size (which
    // the editor, laid out in it, changes to its own). The window takes that size before the
    // content arrives, so that the content's first layout in the window is at its final size.
    root->setSize (getWidth(), getHeight());
    setSize (root->getWidth(), root->getHeight());
    setContentOwned (root.release(), true);
    setVisible (true);

    if (talvor::desktopHasSystemTray())
        trayComponent = std::make_unique<DemoTaskbarComponent>();
    contentReady = true;
}

DemoRunnerApplication::MainAppWindow::~MainAppWindow()
{
    trayComponent = nullptr;
    clearContentComponent();
}

juce::Rectangle<int> DemoRunnerApplication::MainAppWindow::initialBounds (juce::Rectangle<int> parentArea)
{
    const auto pw = (float) parentArea.getWidth(), ph = (float) parentArea.getHeight();
    return { (int) (0.1f * pw), (int) (0.1f * ph), juce::jmax (850, (int) (0.5f * pw)), juce::jmax (600, (int) (0.7f * ph)) };
}

MainComponent* DemoRunnerApplication::MainAppWindow::getMainComponent() const
{
    return dynamic_cast<MainComponent*> (getContentComponent());
}

void DemoRunnerApplication::MainAppWindow::activeWindowStatusChanged()
{
    if (isActiveWindow())
        passFocusToPage();
}

void DemoRunnerApplication::MainAppWindow::focusGained (FocusChangeType) { passFocusToPage(); }

void DemoRunnerApplication::MainAppWindow::passFocusToPage()
{
    // The window itself, or nothing in it, has the focus (at the start, or back from a dialog or
    // a menu): the page takes it, so that its keys work without a click first.
    const auto* focused = juce::Component::getCurrentlyFocusedComponent();

    if (focused != nullptr && focused != this && isParentOf (focused))
        return;

    if (auto* root = getMainComponent())
        if (auto* page = root->getContentArea().getPage(); page != nullptr && page->isShowing() && page->getWantsKeyboardFocus())
            page->grabKeyboardFocus();
}

bool DemoRunnerApplication::MainAppWindow::keyPressed (const juce::KeyPress& key) { return juce::Component::keyPressed (key); }

void DemoRunnerApplication::MainAppWindow::closeButtonPressed()
{
    trayComponent = nullptr;
    // The root component stays until the window is deleted after the loop has stopped (see
    // DemoRunnerApplication::systemRequestedQuit), so it is deleted once, and never under a
    // handler that is still running.
    if (auto* app = juce::JUCEApplication::getInstance())
        app->systemRequestedQuit();
}
