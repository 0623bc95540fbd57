#include "platform/ProgramFile.h"
#include "platform/ResourcesFolder.h"

#include <gtest/gtest.h>

namespace
{
using talvor::findNamedResourcesFolderFrom;
using talvor::findResourcesFolderFrom;

class ResourcesFolderTest : public testing::Test
{
protected:
    juce::TemporaryFile scratch;
    juce::File root = scratch.getFile();

    void SetUp() override { ASSERT_TRUE (root.createDirectory()); }
    void TearDown() override { root.deleteRecursively(); }

    juce::File makeFolder (const juce::String& path)
    {
        auto folder = root.getChildFile (path);
        EXPECT_TRUE (folder.createDirectory());
        return folder;
    }
};

TEST_F (ResourcesFolderTest, AResourcesFolderNextToTheProgramWinsOverOneAbove)
{
    makeFolder ("resources/app/resources");
    const auto program = root.getChildFile ("resources/app/Corvix");

    EXPECT_EQ (findResourcesFolderFrom (program), root.getChildFile ("resources/app/resources"));
    EXPECT_EQ (findNamedResourcesFolderFrom (program), root.getChildFile ("resources/app/resources"));
}

TEST_F (ResourcesFolderTest, TheNearestAncestorNamedResourcesIsFoundThreeLevelsUp)
{
    makeFolder ("resources/a/b/c");
    const auto program = root.getChildFile ("resources/a/b/c/Corvix");

    EXPECT_EQ (findResourcesFolderFrom (program), root.getChildFile ("resources"));
    EXPECT_EQ (findNamedResourcesFolderFrom (program), root.getChildFile ("resources"));
}

TEST_F (ResourcesFolderTest, TheWalkUpStopsAfterFifteenSteps)
{
    // Fifteen steps from the program reach "resources" exactly; sixteen do not.
    juce::String reachable{ "resources" }, tooFar{ "resources/extra" };
    for (int level = 0; level < 14; ++level)
    {
        reachable << "/l" << level;
        tooFar << "/l" << level;
    }
    makeFolder (reachable);
    makeFolder (tooFar);

    EXPECT_EQ (findResourcesFolderFrom (root.getChildFile (reachable + "/Corvix")), root.getChildFile ("resources"));

    const auto program = root.getChildFile (tooFar + "/Corvix");
    const auto stoppedAt = findResourcesFolderFrom (program);
    EXPECT_EQ (stoppedAt, root.getChildFile ("resources/extra")); // the fifteenth ancestor, whatever its name
    EXPECT_EQ (findNamedResourcesFolderFrom (program), juce::File());
}

TEST_F (ResourcesFolderTest, WithoutAnyResourcesFolderTheRegistryVariantFindsNothing)
{
    makeFolder ("bin");
    EXPECT_EQ (findNamedResourcesFolderFrom (root.getChildFile ("bin/Corvix")), juce::File());
}

TEST_F (ResourcesFolderTest, AssetStreamsOpenFilesAndSubfoldersOfTheAssetsFolderOnly)
{
    makeFolder ("app/resources/Assets/bkg");
    ASSERT_TRUE (root.getChildFile ("app/resources/Assets/bkg/Orvel-A.jpg").replaceWithText ("jpeg"));
    const talvor::ScopedProgramFile program (root.getChildFile ("app/Corvix"));

    EXPECT_EQ (talvor::findResourcesFolder(), root.getChildFile ("app/resources"));
    auto stream = talvor::createAssetInputStream ("bkg/Orvel-A.jpg");
    ASSERT_NE (stream, nullptr);
    EXPECT_EQ (stream->readEntireStreamAsString(), "jpeg");

    EXPECT_EQ (talvor::createAssetInputStream ("Orvel-A.jpg"), nullptr);
    EXPECT_EQ (talvor::createAssetInputStream ("bkg"), nullptr) << "a folder is not an asset";
}

TEST (ProgramFileTest, TheRealProgramIsAnsweredAgainWhenThePretenceEnds)
{
    const auto real = talvor::programFile();
    {
        const talvor::ScopedProgramFile pretended (juce::File ("/tmp/elsewhere/Corvix"));
        EXPECT_EQ (talvor::programFile(), juce::File ("/tmp/elsewhere/Corvix"));
    }
    EXPECT_EQ (talvor::programFile(), real);
    EXPECT_TRUE (real.existsAsFile());
}
} // namespace
