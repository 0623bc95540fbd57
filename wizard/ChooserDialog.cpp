#include "wizard/ChooserDialog.h"

#include "ui/Dialogs.h"

namespace talvor
{
int runChooserDialog (const juce::String& title, juce::Component& chooser, juce::Component* centreAround)
{
    ModalDialogRequest request;
    request.title = title;
    request.content = &chooser;
    request.centreAround = centreAround;
    request.escapeKeyCloses = true;
    request.useNativeTitleBar = true;
    request.resizable = false;
    return dialogs().runModalDialog (request);
}

void endChooserDialog (juce::Component& chooser, bool accepted)
{
    auto* window = chooser.findParentComponentOfClass<juce::DialogWindow>();

    if (window == nullptr)
        return;

    if (accepted)
        window->exitModalState (1);
    else
        window->closeButtonPressed();
}
} // namespace talvor
