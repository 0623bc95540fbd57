#pragma once

#include "wizard/FirmwareUpgradeComponent.h"

namespace talvor
{
/** The modal "Firmware Upgrade" window around the wizard. It owns the closing rule: with no step
    running its close button closes it in any mode; with a step running the button stops the
    steps and the window closes once the outermost step has returned, so the wizard is never
    destroyed under one of its own steps. Esc never closes it. */
class FirmwareUpgradeDialog final : public juce::DialogWindow
{
public:
    /** Owns the wizard; centred on the given component (or the screen). */
    FirmwareUpgradeDialog (std::unique_ptr<FirmwareUpgradeComponent> wizard, juce::Component* centreAround);
    ~FirmwareUpgradeDialog() override;

    /** Runs the window modally through the dialogs seam, then lets the devices go while the
        window still stands. Always 0. */
    int run();

    FirmwareUpgradeComponent& getWizard() noexcept { return wizard; }

    void closeButtonPressed() override;

    /** The window hands the keyboard to the wizard, whose keys then work without a click. */
    void focusGained (FocusChangeType cause) override;

    static constexpr const char* title = "Firmware Upgrade";

private:
    void close();

    FirmwareUpgradeComponent& wizard;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (FirmwareUpgradeDialog)
};
} // namespace talvor
