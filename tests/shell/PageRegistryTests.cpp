#include "shell/DemoContentComponent.h"
#include "shell/PageRegistry.h"
#include "tests/shell/ShellTestSupport.h"

namespace
{
class PageRegistryTest : public testing::Test
{
protected:
    juce::TemporaryFile scratch;
    juce::File root = scratch.getFile();

    void SetUp() override
    {
        ASSERT_TRUE (root.createDirectory());
        pageCategories().clear();
    }

    void TearDown() override
    {
        pageCategories().clear();
        root.deleteRecursively();
    }

    void registerWithProgramAt (const juce::String& folder)
    {
        ASSERT_TRUE (root.getChildFile (folder).createDirectory());
        const talvor::ScopedProgramFile program (root.getChildFile (folder + "/OrvelACorvix"));
        registerAllPages();
    }
};

TEST_F (PageRegistryTest, AResourcesFolderNextToTheProgramRegistersTheEditorPage)
{
    ASSERT_TRUE (root.getChildFile ("app/resources").createDirectory());
    registerWithProgramAt ("app");

    ASSERT_EQ (pageCategories().size(), 1u);
    EXPECT_EQ (pageCategories()[0].name, "Controllers");
    ASSERT_EQ (pageCategories()[0].pages.size(), 1u);
    EXPECT_EQ (pageCategories()[0].pages[0].pageFile, root.getChildFile ("app/resources/Controllers/OrvelA"));
    EXPECT_EQ (pageCategories()[0].pages[0].pageFile.getFileName(), "OrvelA");
    EXPECT_FALSE (pageCategories()[0].pages[0].isHeavyweight);
}

TEST_F (PageRegistryTest, AProgramThreeLevelsInsideAResourcesFolderRegistersThePage)
{
    registerWithProgramAt ("resources/a/b/c");
    ASSERT_EQ (pageCategories().size(), 1u);
    EXPECT_EQ (pageCategories()[0].pages[0].pageFile, root.getChildFile ("resources/Controllers/OrvelA"));
}

TEST_F (PageRegistryTest, WithoutAResourcesFolderNothingIsRegistered)
{
    registerWithProgramAt ("bin");
    EXPECT_TRUE (pageCategories().empty());
}

TEST_F (PageRegistryTest, ACategoryIsAddedOnceAndFoundAgain)
{
    auto& first = findOrAddCategory ("Controllers");
    first.pages.push_back ({ juce::File ("/tmp/OrvelA"), {}, false });
    auto& again = findOrAddCategory ("Controllers");

    EXPECT_EQ (&again, &first);
    EXPECT_EQ (again.pages.size(), 1u);
    EXPECT_EQ (pageCategories().size(), 1u);
    EXPECT_EQ (findCategory ("controllers"), nullptr) << "names are compared exactly";
    EXPECT_EQ (pageCategories().size(), 1u);
}

class ContentAreaTest : public PageRegistryTest
{
protected:
    juce::Component owner;
    int pagesMade = 0;
    juce::Array<bool> pageChanges;
    std::unique_ptr<DemoContentComponent> content;

    void SetUp() override
    {
        PageRegistryTest::SetUp();
        DemoContentComponent::resetRecentringCount();
        auto& category = findOrAddCategory ("Controllers");
        category.pages.push_back ({ root.getChildFile ("OrvelA"),
                                    [this]
                                    {
                                        ++pagesMade;
                                        return new juce::Component ("page");
                                    },
                                    true });
        content = std::make_unique<DemoContentComponent> (owner, [this] (bool heavy) { pageChanges.add (heavy); });
        content->setSize (300, 200);
    }
};

TEST_F (ContentAreaTest, AnUnknownCategoryOrAnIndexOutsideTheListChangesNothingAndAddsNothing)
{
    content->setDemo ("Keyboards", 0);
    content->setDemo ("Controllers", 1);
    content->setDemo ("Controllers", -1);

    EXPECT_EQ (pageCategories().size(), 1u);
    EXPECT_EQ (pagesMade, 0);
    EXPECT_TRUE (pageChanges.isEmpty());
    EXPECT_EQ (content->getPage(), nullptr);
}

TEST_F (ContentAreaTest, ARegisteredPageIsShownOnceAndFillsTheArea)
{
    ASSERT_TRUE (root.getChildFile ("OrvelA").replaceWithText ("header\n END_JUCE_PIP_METADATA\n*/\n\nfirst line\nsecond"));

    content->setDemo ("Controllers", 0);
    content->setDemo ("Controllers", 0);

    EXPECT_EQ (pagesMade, 1);
    EXPECT_EQ (pageChanges, juce::Array<bool> (true));
    ASSERT_NE (content->getPage(), nullptr);
    EXPECT_EQ (content->getPage()->getBounds(), content->getLocalBounds());
    EXPECT_EQ (content->getCodeView().getText(), "first line\nsecond");
    EXPECT_EQ (content->getTabBarDepth(), 0);
}

TEST_F (ContentAreaTest, ClearingShowsTheHomeScreenAndClearingThePageLeavesNothing)
{
    content->setDemo ("Controllers", 0);
    content->clearCurrentDemo();
    EXPECT_TRUE (content->isShowingHomeScreen());
    EXPECT_EQ (pageChanges, juce::Array<bool> (true, false));

    content->setDemo ("Controllers", 0);
    EXPECT_EQ (pagesMade, 2) << "after a clear the same page is made again";

    content->clearPage();
    EXPECT_EQ (content->getPage(), nullptr);
    EXPECT_FALSE (content->isShowingHomeScreen());
}
} // namespace
