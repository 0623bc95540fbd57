#include "platform/WholeFile.h"
#include "tests/wizard/WholeUpgradeFixture.h"

// Upgrades that must end before anything reaches the unit: a missing bootloader tool, a file
// from the server that is not the unit's firmware. Through the launcher and the real window.

namespace
{
using namespace talvor;
using namespace talvor::test;
using Response = corvix::testing::LoopbackHttpServer::Response;

using RefusedUpgrade = WholeUpgrade;

TEST_F (RefusedUpgrade, WithoutTheBootloaderToolTheUnitIsSentNothing)
{
    addUnit ("Orvel-A V1.05 1");
    bootloaderToolPathSetting = "/nowhere/blhost";
    scripted.answerOkCancel (true);
    int stepAfterwards = -2;
    onWizard (
        [&] (FirmwareUpgradeComponent& wizard)
        {
            click (wizard, 0);
            stepAfterwards = wizard.getCurrentStep();
        });
    letChooserConfirmItself();

    launchFirmwareUpgrader (2057, nullptr, true, true);

    EXPECT_TRUE (sentToUnits.empty()) << "the unit was not asked into its bootloader";
    EXPECT_EQ (boxesWithMessage ("Lacked of upgrade tool!\n/nowhere/blhost"), 1);
    EXPECT_EQ (stepAfterwards, -1);
    EXPECT_FALSE (shownTitle ("Firmware Upgrade Succeeded"));
}
} // namespace
