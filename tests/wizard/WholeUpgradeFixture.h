#pragma once

#include "tests/wizard/WizardFixture.h"
#include "wizard/FirmwareUpgradeDialog.h"
#include "wizard/FirmwareUpgradeLauncher.h"

#include <functional>

namespace talvor::test
{
/** Runs a check from the message loop every few milliseconds until it returns true. */
class PollUntil final : private juce::Timer
{
public:
    explicit PollUntil (std::function<bool()> checkToRun) : check (std::move (checkToRun)) { startTimer (5); }
    ~PollUntil() override { stopTimer(); }

private:
    void timerCallback() override
    {
        if (check())
            stopTimer();
    }

    std::function<bool()> check;
};

/** Whole upgrades through the launcher and the real wizard window, as a user runs them. */
class WholeUpgrade : public WizardFixture
{
protected:
    /** Plays the user on the wizard's window: the action gets the wizard. */
    void onWizard (std::function<void (FirmwareUpgradeComponent&)> action)
    {
        scripted.answerModal ([action] (juce::Component& window) { action (dynamic_cast<FirmwareUpgradeDialog&> (window).getWizard()); });
    }

    static void click (FirmwareUpgradeComponent& wizard, int step)
    {
        wizard.getStepButton (step).triggerClick();
        pumpMessages (20);
    }

    /** The window's close button, as the user presses it. */
    static void pressClose (FirmwareUpgradeComponent& wizard)
    {
        wizard.findParentComponentOfClass<FirmwareUpgradeDialog>()->closeButtonPressed();
    }

    /** Esc, as the user presses it on the wizard's window. */
    static void pressEscape (FirmwareUpgradeComponent& wizard) { wizard.keyPressed (juce::KeyPress (juce::KeyPress::escapeKey)); }

    int shownOfKind (ShownDialog::Kind kind) const
    {
        int n = 0;

        for (auto& shown : scripted.shown())
            n += shown.kind == kind ? 1 : 0;

        return n;
    }

    /** The enter-upgrade-mode requests the units were sent. */
    int enterRequestsSent() const
    {
        int n = 0;

        for (auto& sent : sentToUnits)
            n += sent.message.isSysEx() ? 1 : 0;

        return n;
    }

    /** True when the flash's first bytes are all erased. */
    bool flashErased (int count) const
    {
        for (auto byte : tool.flash (count))
            if (byte != 0xFF)
                return false;

        return true;
    }
};
} // namespace talvor::test
