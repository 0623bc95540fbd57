#include "wizard/FirmwareUpgradeDialog.h"

#include "ui/Dialogs.h"

namespace talvor
{
FirmwareUpgradeDialog::FirmwareUpgradeDialog (std::unique_ptr<FirmwareUpgradeComponent> ownedWizard, juce::Component* centreAround)
    : juce::DialogWindow (title, juce::Colours::lightgrey, false, true), wizard (*ownedWizard)
{
    setUsingNativeTitleBar (true);
    setContentOwned (ownedWizard.release(), true);
    setResizable (false, false);
    centreAroundComponent (centreAround, getWidth(), getHeight());

    wizard.onCloseWhenIdle = [this] { close(); };
}

FirmwareUpgradeDialog::~FirmwareUpgradeDialog() { wizard.onCloseWhenIdle = nullptr; }

int FirmwareUpgradeDialog::run()
{
    dialogs().runModalLoop (*this);
    wizard.closeDown();
    return 0;
}

void FirmwareUpgradeDialog::closeButtonPressed()
{
    if (wizard.requestClose())
        close();
}

void FirmwareUpgradeDialog::focusGained (FocusChangeType)
{
    if (wizard.isShowing())
        wizard.grabKeyboardFocus();
}

void FirmwareUpgradeDialog::close()
{
    setVisible (false);

    if (isCurrentlyModal (false))
        exitModalState (0);
}
} // namespace talvor
