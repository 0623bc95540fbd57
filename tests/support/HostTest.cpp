#include "tests/support/HostTest.h"

#include "link/HostImpl.h"
#include "link/ReplySlots.h"
#include "map/SharedEditingState.h"
#include "tables/DeviceTableBuilder.h"

namespace corvix::testing
{
namespace
{
// Points the settings file of the whole test program at a temporary folder before any test runs.
class SettingsFolderEnvironment final : public ::testing::Environment
{
public:
    // Made here, not at static initialisation, where the framework's clocks are not set up yet.
    void SetUp() override
    {
        folder = juce::File::getSpecialLocation (juce::File::tempDirectory).getChildFile ("corvix-tests-" + juce::Uuid().toString());
        folder.createDirectory();
        NsOrvelA::settingsFolderName = folder.getFullPathName();
    }

    void TearDown() override { folder.deleteRecursively(); }

    juce::File folder;
};

SettingsFolderEnvironment* const settingsEnvironment =
    static_cast<SettingsFolderEnvironment*> (::testing::AddGlobalTestEnvironment (new SettingsFolderEnvironment));
} // namespace

juce::String propertyNames (const juce::ValueTree& node)
{
    juce::StringArray names;

    for (int i = 0; i < node.getNumProperties(); ++i)
        names.add (node.getPropertyName (i).toString());

    return names.joinIntoString (" ");
}

juce::File testSettingsFolder() { return settingsEnvironment->folder; }

void resetSharedEditingState()
{
    using namespace NsOrvelA;

    currentEditor = nullptr;
    currentModelId = 2057;
    currentControl = nullptr;
    currentSlotId = 1;
    slotDawIds = { 0, 0, 0 };
    slotOptionFlags = { { { 1, 0, 0 }, { 0, 1, 0 }, { 0, 0, 1 } } };

    for (auto& flag : slotFaderUnlocked)
        flag = 1;

    mixerStripCount = 9;
    slotCaptionRefresh = false;
    slotDirty = { 0, 0, 0 };
    slotSending = { 0, 0, 0 };
    transferBusy = 0;
    saveDefaultsPending = 0;
    deviceTables = {};
    deviceTableBuffers = {};
    slotLabelTexts = makeBlankSlotLabelTexts();
    slotSignatures = {};
    keepInputOpen = 1;
    usedFunctionNames.clear();

    resetReplySlots();
    reportedSelectSlot = 0;
    slotSelectReportPending = 0;
    reportedFaderSlot = 0;
    faderReportPending = 0;
}

bool waitUntil (const std::function<bool()>& condition, int timeoutMs)
{
    for (int waited = 0; waited < timeoutMs; waited += 2)
    {
        if (condition())
            return true;

        talvor::waitMs (2);
    }

    return condition();
}

HostTest::HostTest()
{
    resetSharedEditingState();
    testSettingsFolder().deleteRecursively(); // every test starts without a settings file
    makeHost();
}

HostTest::~HostTest()
{
    if (NsOrvelA::hostInstance == host.get())
        NsOrvelA::hostInstance = nullptr;

    host = nullptr;
    resetSharedEditingState();
}

NsOrvelA::Host& HostTest::makeHost()
{
    host = nullptr;
    host = std::make_unique<NsOrvelA::Host>();
    NsOrvelA::hostInstance = host.get();
    return *host;
}
} // namespace corvix::testing
