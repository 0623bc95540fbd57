#include "shell/DemoTaskbarComponent.h"

#include "ui/AssetImages.h"
#include "ui/Dialogs.h"

namespace
{
constexpr int quitItemId = 1;
constexpr int menuDelayMs = 50;
} // namespace

DemoTaskbarComponent::DemoTaskbarComponent()
{
    setIconImage (talvor::loadAssetImage ("Talvor-big256.png"), talvor::loadAssetImage ("Talvor-big256-template.png"));
    setIconTooltip ("Corvix");
}

DemoTaskbarComponent::~DemoTaskbarComponent() { stopTimer(); }

void DemoTaskbarComponent::mouseDown (const juce::MouseEvent&)
{
    juce::Process::makeForegroundProcess();
    startTimer (menuDelayMs);
}

void DemoTaskbarComponent::timerCallback()
{
    stopTimer();

    juce::PopupMenu menu;
    menu.addItem (quitItemId, "Quit");
    talvor::dialogs().showPopupMenuAsync (menu, juce::PopupMenu::Options(),
                                          [safeThis = juce::Component::SafePointer<DemoTaskbarComponent> (this)] (int result)
                                          {
                                              // Like a callback bound to the component: nothing happens once the entry is gone.
                                              if (safeThis != nullptr)
                                                  trayMenuResult (result, safeThis.getComponent());
                                          });
}

void trayMenuResult (int result, DemoTaskbarComponent*)
{
    if (result == quitItemId)
        if (auto* app = juce::JUCEApplication::getInstance())
            app->systemRequestedQuit();
}
