#include "firmware/WizardState.h"

#include "devices/VariantNames.h"
#include "firmware/UpgraderPlaces.h"

#include <gtest/gtest.h>

namespace
{
using namespace talvor;

class WizardStateTest : public testing::Test
{
protected:
    void SetUp() override { resetWizardState(); }
    void TearDown() override { resetWizardState(); }
};

constexpr int midiFlashedProduct = 110;
constexpr int variantProduct = 157;

TEST_F (WizardStateTest, ABootloaderProductStartsInAutomaticModeAndAMidiProductKeepsTheLastValue)
{
    startWizardState (2057, true);
    EXPECT_TRUE (automaticMode);
    EXPECT_TRUE (bootloaderDevice);

    startWizardState (midiFlashedProduct, true);
    EXPECT_TRUE (automaticMode) << "kept from the wizard before";
    EXPECT_FALSE (bootloaderDevice);

    automaticMode = false;
    startWizardState (midiFlashedProduct, false);
    EXPECT_FALSE (automaticMode);
    EXPECT_FALSE (serverMode);
}

TEST_F (WizardStateTest, EachConstructionClearsItsOwnFlagsAndKeepsTheOthers)
{
    testMode = true;
    abortRequested = true;
    repeatCount = 7;
    acceptAnyProduct = false;
    repeatMode = true;
    unitFound = true;

    startWizardState (2058, true);

    EXPECT_FALSE (testMode);
    EXPECT_FALSE (abortRequested);
    EXPECT_EQ (repeatCount, 0);
    EXPECT_TRUE (acceptAnyProduct);
    EXPECT_TRUE (serverMode);
    EXPECT_TRUE (repeatMode) << "kept from one wizard to the next";
}

TEST_F (WizardStateTest, TheLaunchProductChoosesTheSetOfDeviceNames)
{
    startWizardState (variantProduct, true);
    EXPECT_EQ (variantNamesActive, 1);

    startWizardState (2057, true);
    EXPECT_EQ (variantNamesActive, 0);
}

TEST_F (WizardStateTest, TheToolPathIsBesideTheProgramUnlessASettingNamesAnother)
{
    startWizardState (2057, true);
    EXPECT_EQ (bootloaderToolPath, defaultBootloaderToolPath());
#if JUCE_WINDOWS
    const auto programFolder = juce::File::getSpecialLocation (juce::File::currentExecutableFile).getParentDirectory();
    if (builtInBootloaderToolPath().isEmpty())
    {
        EXPECT_EQ (juce::File (bootloaderToolPath), programFolder.getChildFile ("resources\\Assets\\tools\\win\\blhost.exe"))
            << bootloaderToolPath;
    }
#else
    if (builtInBootloaderToolPath().isEmpty())
    {
        EXPECT_TRUE (bootloaderToolPath.endsWith ("/resources/Assets/tools/linux/blhost")) << bootloaderToolPath;
    }
#endif

    bootloaderToolPathSetting = "/opt/tools/flasher";
    startWizardState (2057, true);
    EXPECT_EQ (bootloaderToolPath, "/opt/tools/flasher");
}

TEST_F (WizardStateTest, TheCacheIsInTheUsersApplicationDataUnlessASettingNamesAnother)
{
#if JUCE_WINDOWS
    EXPECT_EQ (firmwareCacheFolder().getFullPathName().toLowerCase(), "c:\\programdata") << "the common application-data folder";
#else
    const auto appData = juce::File::getSpecialLocation (juce::File::userApplicationDataDirectory);

    if (builtInFirmwareCacheFolder().isEmpty())
    {
        EXPECT_EQ (firmwareCacheFolder(), appData.getChildFile ("Talvor").getChildFile ("OrvelA").getChildFile ("firmware"));
    }
#endif

    firmwareCacheFolderSetting = juce::File ("/tmp/corvix-cache");
    EXPECT_EQ (firmwareCacheFolder(), juce::File ("/tmp/corvix-cache"));
}

TEST_F (WizardStateTest, ResetRestoresTheValuesAtProgramStart)
{
    startWizardState (variantProduct, true);
    automaticMode = repeatMode = wizardBusy = unitFound = selectionRunning = firmwareChoiceRequired = true;
    unitCount = 3;
    firmwarePath = "x.bin";
    bootloaderToolPathSetting = "tool";
    firmwareCacheFolderSetting = juce::File ("/tmp/c");

    resetWizardState();

    EXPECT_FALSE (automaticMode || repeatMode || wizardBusy || unitFound || selectionRunning || firmwareChoiceRequired);
    EXPECT_FALSE (serverMode || bootloaderDevice || testMode || abortRequested);
    EXPECT_TRUE (acceptAnyProduct);
    EXPECT_EQ (unitCount, 0);
    EXPECT_TRUE (firmwarePath.isEmpty() && bootloaderToolPath.isEmpty() && bootloaderToolPathSetting.isEmpty());
    EXPECT_EQ (firmwareCacheFolder(), defaultFirmwareCacheFolder());
    EXPECT_EQ (variantNamesActive, 0);
}
} // namespace

namespace
{
TEST_F (WizardStateTest, ProgressMovesWithinItsFifthAndNeverLeavesTheBar)
{
    int changes = 0;
    onWizardProgressChanged = [&] { ++changes; };

    setWizardProgress (4, 0, 516);
    EXPECT_DOUBLE_EQ (wizardProgress, 0.8);
    setWizardProgress (4, 258, 516);
    EXPECT_DOUBLE_EQ (wizardProgress, 0.9);
    setWizardProgress (4, 1024, 516); // two whole blocks of a 513-byte image
    EXPECT_DOUBLE_EQ (wizardProgress, 1.0);
    setWizardProgress (0, -5, 516);
    EXPECT_DOUBLE_EQ (wizardProgress, 0.0);
    setWizardProgress (2, 3, 0);
    EXPECT_DOUBLE_EQ (wizardProgress, 0.4);

    setWizardStatusText ("Erasing...");
    EXPECT_EQ (wizardStatusText, "Erasing...");
    EXPECT_EQ (changes, 6);
}
} // namespace
