// Where the settings file lives on Windows: only there is the place the system's own.
#include "link/Host.h"
#include "link/HostImpl.h"

#include <gtest/gtest.h>

#if JUCE_WINDOWS
namespace
{
TEST (SettingsFilePlace, OnWindowsSaveAsDefaultWritesOrvelAConfInTheCommonApplicationDataFolder)
{
    const juce::File common ("C:\\ProgramData\\Talvor\\OrvelA\\OrvelA.conf");
    EXPECT_EQ (juce::File::getSpecialLocation (juce::File::commonApplicationDataDirectory).getChildFile ("Talvor\\OrvelA\\OrvelA.conf"),
               common);

    // Whatever a real installation kept there is put back afterwards.
    juce::MemoryBlock kept;
    const auto hadFile = common.existsAsFile() && common.loadFileAsData (kept);
    common.deleteFile();
    const juce::ScopedValueSetter<juce::String> defaultPlace (NsOrvelA::settingsFolderName, "Talvor/OrvelA");

    {
        NsOrvelA::Host host;
        ASSERT_TRUE (host.saveState());
    }
    EXPECT_TRUE (common.existsAsFile());
    EXPECT_GT (common.getSize(), 0);

    if (hadFile)
        common.replaceWithData (kept.getData(), kept.getSize());
    else
        common.deleteFile();
}
} // namespace
#endif
