#include "editor/DeviceSelectComponent.h"

#include "devices/PortNames.h"
#include "link/Host.h"
#include "wizard/ChooserDialog.h"

namespace NsOrvelA
{
DeviceSelectComponent::DeviceSelectComponent (const juce::String& currentPortName)
{
    setName ("DeviceSelectComponent");

    addAndMakeVisible (selectButton);
    addAndMakeVisible (cancelButton);
    addAndMakeVisible (portList);

    const auto ports = talvor::listControllerOutputs();
    portList.addItemList (ports, 1);
    portList.setSelectedItemIndex (juce::jmax (0, ports.indexOf (currentPortName)), juce::dontSendNotification);
    selectedName = portList.getText();

    selectButton.addListener (this);
    cancelButton.addListener (this);
    portList.addListener (this);
    setSize (300, 200);
}

DeviceSelectComponent::~DeviceSelectComponent()
{
    selectButton.removeListener (this);
    cancelButton.removeListener (this);
    portList.removeListener (this);
}

void DeviceSelectComponent::resized()
{
    portList.setBounds (8, getHeight() / 2 - 24, getWidth() - 16, 24);

    auto buttonRow = getLocalBounds().removeFromBottom (30).translated (-10, -10);
    cancelButton.setBounds (buttonRow.removeFromRight (100));
    selectButton.setBounds (buttonRow.removeFromRight (100));
}

void DeviceSelectComponent::comboBoxChanged (juce::ComboBox*) { selectedName = portList.getText(); }

void DeviceSelectComponent::buttonClicked (juce::Button* button)
{
    if (button == &cancelButton)
        talvor::endChooserDialog (*this, false);
    else if (button == &selectButton && talvor::isControllerPortName (portList.getText()))
        talvor::endChooserDialog (*this, true);
}

bool DeviceSelectComponent::chooseOutputDevice (Host& host, juce::Component* centreAround)
{
    DeviceSelectComponent chooser (host.getSelectedOutputName());

    if (talvor::runChooserDialog (dialogTitle, chooser, centreAround) <= 0)
        return false;

    host.setSelectedOutputName (chooser.getSelectedName());
    return true;
}
} // namespace NsOrvelA
