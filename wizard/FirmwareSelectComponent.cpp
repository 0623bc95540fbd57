#include "wizard/FirmwareSelectComponent.h"

#include "firmware/FirmwareServer.h"
#include "firmware/WizardState.h"
#include "wizard/ChooserDialog.h"

namespace talvor
{
FirmwareSelectComponent::FirmwareSelectComponent (const juce::ValueTree& catalogueToShow, int preselectedIndex)
    : catalogue (catalogueToShow.createCopy())
{
    int itemId = 1;

    for (const auto& entry : catalogue)
        entries.addItem (entry["name"].toString() + " V" + entry["version"].toString(), itemId++);

    entries.setSelectedItemIndex (preselectedIndex, juce::sendNotificationAsync);

    addAndMakeVisible (entries);
    addAndMakeVisible (okButton);
    addAndMakeVisible (cancelButton);
    okButton.addListener (this);
    cancelButton.addListener (this);
    entries.addListener (this);
    setSize (300, 200);

    if (automaticMode && ! firmwareChoiceRequired)
        okButton.triggerClick();
}

FirmwareSelectComponent::~FirmwareSelectComponent()
{
    okButton.removeListener (this);
    cancelButton.removeListener (this);
    entries.removeListener (this);
}

void FirmwareSelectComponent::resized()
{
    const auto w = getWidth();
    const auto h = getHeight();
    const auto comboWidth = (int) (w * 0.84);
    entries.setBounds ((w - comboWidth) / 2, 2 * h / 5 - 12, comboWidth, 24);

    const auto buttonWidth = w / 3;
    okButton.setBounds (w / 4 - buttonWidth / 2, 4 * h / 5 - 12, buttonWidth, 24);
    cancelButton.setBounds (3 * w / 4 - buttonWidth / 2, 4 * h / 5 - 12, buttonWidth, 24);
}

juce::URL FirmwareSelectComponent::getSelectedFirmwareUrl() const
{
    const auto index = entries.getSelectedItemIndex();

    if (index < 0 || index >= catalogue.getNumChildren())
        return {};

    return firmwareServerUrl (catalogue.getChild (index)["fw"].toString());
}

void FirmwareSelectComponent::buttonClicked (juce::Button* button) { endChooserDialog (*this, button == &okButton); }

juce::URL FirmwareSelectComponent::choose (const juce::ValueTree& catalogue, int preselectedIndex, juce::Component* centreAround)
{
    FirmwareSelectComponent chooser (catalogue, preselectedIndex);

    if (runChooserDialog (dialogTitle, chooser, centreAround) != 1)
        return {};

    return chooser.getSelectedFirmwareUrl();
}
} // namespace talvor
