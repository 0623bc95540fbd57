#include "wizard/DeviceSelectComponent.h"

#include "firmware/UpgradePortLists.h"
#include "firmware/UpgradePortRules.h"
#include "firmware/WizardState.h"
#include "platform/MessageLoopWait.h"
#include "ui/Dialogs.h"
#include "wizard/ChooserDialog.h"

namespace talvor
{
namespace
{
constexpr int preselectionTries = 3;
constexpr int waitBetweenTriesMs = 150;

juce::StringArray displayedPorts() { return listMidiPortDisplayNames (true, true, true); }
} // namespace

DeviceSelectComponent::DeviceSelectComponent (int productIdToFind, const juce::String& targetNameToFind)
    : targetName (targetNameToFind), productId (productIdToFind)
{
    setName ("DeviceSelectComponent");

    addAndMakeVisible (okButton);
    addAndMakeVisible (cancelButton);
    addAndMakeVisible (portList);

    const auto entries = displayedPorts();
    portList.addItemList (entries, 1);

    const auto preselected = targetName.isEmpty() ? preselectWithoutTarget (entries) : preselectTarget();

    if (preselected < 0)
        dialogs().showMessageBox (juce::MessageBoxIconType::NoIcon, {}, targetNotFoundWarning);

    portList.setSelectedItemIndex (juce::jmax (0, preselected), juce::dontSendNotification);
    chosenText = portList.getText();

    okButton.addListener (this);
    cancelButton.addListener (this);
    portList.addListener (this);
    setSize (300, 200);

    if (preselected >= 0 && automaticMode)
        okButton.triggerClick();
}

DeviceSelectComponent::~DeviceSelectComponent()
{
    okButton.removeListener (this);
    cancelButton.removeListener (this);
    portList.removeListener (this);
}

int DeviceSelectComponent::preselectWithoutTarget (const juce::StringArray& entries) const
{
    for (int attempt = 0; attempt < preselectionTries; ++attempt)
    {
        // The two counts are taken apart: sixteen ports of the product are no unit in upgrade mode.
        const auto counts = countUpgradeAndProductPortsApart (productId);

        if (counts.upgradeMode != 0 || counts.product < 1)
            return 0;

        const auto found = entries.indexOf (findPortForProduct (entries, productId));

        if (found >= 0)
            return found;

        waitMs (waitBetweenTriesMs);
    }

    return -1;
}

int DeviceSelectComponent::preselectTarget() const
{
    for (int attempt = 0; attempt < preselectionTries; ++attempt)
    {
        if (countMidiPortsContaining (targetName, true) == 1)
        {
            const auto found = indexOfPortContaining (targetName, true);

            if (found >= 0)
                return found;
        }

        waitMs (waitBetweenTriesMs);
    }

    return -1;
}

void DeviceSelectComponent::resized()
{
    portList.setBounds (8, getHeight() / 2 - 24, getWidth() - 16, 24);

    auto strip = getLocalBounds().removeFromBottom (30).translated (-10, -10);
    cancelButton.setBounds (strip.removeFromRight (100));
    okButton.setBounds (strip.removeFromRight (100));
}

bool DeviceSelectComponent::acceptsChosenPort() const
{
    const auto portName = portNameFromDisplayName (portList.getText());

    // Step 1 wants a unit's ordinary port, step 3 a port in upgrade mode.
    if (targetName.isEmpty())
        return isAcceptablePortName (portName, true, testMode, bootloaderDevice);

    return isAcceptablePortName (portName, false, false, bootloaderDevice);
}

void DeviceSelectComponent::buttonClicked (juce::Button* button)
{
    if (button == &cancelButton)
        endChooserDialog (*this, false);
    else if (button == &okButton && acceptsChosenPort())
        endChooserDialog (*this, true);
}

void DeviceSelectComponent::comboBoxChanged (juce::ComboBox*)
{
    chosenIndex = displayedPorts().indexOf (portList.getText());
    chosenText = portList.getText();
}

DeviceSelectComponent::Choice DeviceSelectComponent::choose (int productId, const juce::String& targetName, juce::Component* centreAround)
{
    DeviceSelectComponent chooser (productId, targetName);
    const auto result = runChooserDialog (dialogTitle, chooser, centreAround);
    return { result == 1, chooser.getChosenText() };
}
} // namespace talvor
