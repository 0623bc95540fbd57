#include "platform/ProgramFile.h"
#include "ui/AssetImages.h"

#include <gtest/gtest.h>

namespace
{
using talvor::loadAssetImage;

// The image cache is process-wide and keyed by the name only: every test uses names of its own.
class AssetImagesTest : public testing::Test
{
protected:
    juce::TemporaryFile scratch;
    juce::File root = scratch.getFile();
    juce::File assets = root.getChildFile ("app/resources/Assets");
    std::unique_ptr<talvor::ScopedProgramFile> program;

    void SetUp() override
    {
        ASSERT_TRUE (assets.createDirectory());
        program = std::make_unique<talvor::ScopedProgramFile> (root.getChildFile ("app/Corvix"));
    }

    void TearDown() override
    {
        program.reset();
        root.deleteRecursively();
    }

    static void writePicture (const juce::File& file, juce::Colour colour, int width = 6, int height = 4)
    {
        juce::Image picture (juce::Image::ARGB, width, height, true);
        picture.clear (picture.getBounds(), colour);
        ASSERT_TRUE (file.getParentDirectory().createDirectory());
        file.deleteFile();
        juce::FileOutputStream out (file);
        ASSERT_TRUE (out.openedOk());
        ASSERT_TRUE (juce::PNGImageFormat().writeImageToStream (picture, out));
    }
};

TEST_F (AssetImagesTest, APictureNextToTheProgramIsLoadedAndTheSecondLoadComesFromTheCache)
{
    const auto file = assets.getChildFile ("cache-test-orvel-a.png");
    writePicture (file, juce::Colours::red, 6, 4);

    const auto first = loadAssetImage ("cache-test-orvel-a.png");
    ASSERT_TRUE (first.isValid());
    EXPECT_EQ (first.getWidth(), 6);
    EXPECT_EQ (first.getPixelAt (1, 1), juce::Colours::red);

    // With the file gone, only the cache can answer.
    ASSERT_TRUE (file.deleteFile());
    const auto second = loadAssetImage ("cache-test-orvel-a.png");
    ASSERT_TRUE (second.isValid());
    EXPECT_EQ (second.getPixelData(), first.getPixelData());
}

TEST_F (AssetImagesTest, ANameWithASubfolderOpensTheFileInThatSubfolder)
{
    writePicture (assets.getChildFile ("bkg/subfolder-test.png"), juce::Colours::blue);
    writePicture (assets.getChildFile ("subfolder-test.png"), juce::Colours::green);

    const auto picture = loadAssetImage ("bkg/subfolder-test.png");
    ASSERT_TRUE (picture.isValid());
    EXPECT_EQ (picture.getPixelAt (0, 0), juce::Colours::blue);
}

TEST_F (AssetImagesTest, AMissingPictureIsEmptyAndFoundOnceItIsAdded)
{
    EXPECT_FALSE (loadAssetImage ("added-later.png").isValid());

    writePicture (assets.getChildFile ("added-later.png"), juce::Colours::yellow);
    const auto picture = loadAssetImage ("added-later.png");
    ASSERT_TRUE (picture.isValid());
    EXPECT_EQ (picture.getPixelAt (2, 2), juce::Colours::yellow);
}

TEST_F (AssetImagesTest, AFileThatIsNoPictureGivesAnEmptyImageAndIsNotCached)
{
    const auto file = assets.getChildFile ("broken-then-mended.png");
    ASSERT_TRUE (file.replaceWithText ("not a picture"));
    EXPECT_FALSE (loadAssetImage ("broken-then-mended.png").isValid());

    writePicture (file, juce::Colours::white);
    EXPECT_TRUE (loadAssetImage ("broken-then-mended.png").isValid());
}

TEST_F (AssetImagesTest, WithoutAResourcesFolderThePicturesAreEmpty)
{
    const talvor::ScopedProgramFile elsewhere (root.getChildFile ("bin/Corvix"));
    EXPECT_FALSE (loadAssetImage ("no-resources-folder.png").isValid());
}
} // namespace
