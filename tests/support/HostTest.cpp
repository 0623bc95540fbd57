#include "tests/support/HostTest.h"

#include "link/HostImpl.h"
#include "map/ReplySlots.h"
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

void resetProcessWideState()
{
    NsOrvelA::resetSharedEditingState();
    NsOrvelA::deviceTables = {};
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

void runMessageLoopSlice (int milliseconds)
{
    if (auto* messageManager = juce::MessageManager::getInstanceWithoutCreating())
        messageManager->runDispatchLoopUntil (milliseconds);
}

HostTest::HostTest()
{
    resetProcessWideState();
    // Every test starts without a settings file, in an empty settings folder (which a start no
    // longer makes): tests keep their other files there too.
    testSettingsFolder().deleteRecursively();
    testSettingsFolder().createDirectory();
    makeHost();
}

HostTest::~HostTest()
{
    if (NsOrvelA::hostInstance == host.get())
        NsOrvelA::hostInstance = nullptr;

    host = nullptr;
    resetProcessWideState();
}

NsOrvelA::Host& HostTest::makeHost()
{
    host = nullptr;
    host = std::make_unique<NsOrvelA::Host>();
    NsOrvelA::hostInstance = host.get();
    return *host;
}
} // namespace corvix::testing
