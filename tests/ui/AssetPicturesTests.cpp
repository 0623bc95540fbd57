// The pictures kept in resources/Assets, as the program loads them.
#include "platform/ProgramFile.h"
#include "ui/AssetImages.h"

#include <gtest/gtest.h>

namespace
{
class AssetPicturesTest : public testing::Test
{
protected:
    // A program placed at the repository's root finds the repository's resources folder.
    talvor::ScopedProgramFile program{ juce::File (CORVIX_SOURCE_DIR).getChildFile ("OrvelACorvix") };

    static float averageBrightness (const juce::Image& picture)
    {
        double sum = 0;
        for (int y = 0; y < picture.getHeight(); ++y)
            for (int x = 0; x < picture.getWidth(); ++x)
                sum += picture.getPixelAt (x, y).getBrightness();
        return (float) (sum / (picture.getWidth() * picture.getHeight()));
    }
};

TEST_F (AssetPicturesTest, TheTrayIconsAreSquareAndTheTemplateIsBlackWithAlpha)
{
    const auto colour = talvor::loadAssetImage ("Talvor-big256.png");
    const auto templateIcon = talvor::loadAssetImage ("Talvor-big256-template.png");
    ASSERT_TRUE (colour.isValid());
    ASSERT_TRUE (templateIcon.isValid());
    EXPECT_EQ (colour.getBounds(), juce::Rectangle<int> (256, 256));
    EXPECT_EQ (templateIcon.getBounds(), juce::Rectangle<int> (256, 256));

    int opaque = 0, transparent = 0;
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x)
        {
            const auto pixel = templateIcon.getPixelAt (x, y);
            ASSERT_EQ (pixel.getRed() | pixel.getGreen() | pixel.getBlue(), 0) << x << ", " << y;
            opaque += pixel.getAlpha() == 255 ? 1 : 0;
            transparent += pixel.getAlpha() == 0 ? 1 : 0;
        }
    EXPECT_GT (opaque, 256 * 256 / 4);
    EXPECT_GT (transparent, 256 * 4) << "the slots are cut out of the mark";
    EXPECT_GT (colour.getPixelAt (128, 40).getSaturation(), 0.5f) << "the colour icon is the orange mark";
}

TEST_F (AssetPicturesTest, TheUnitPicturesFitTheEditorsHeaderAndTheLogoItsCorner)
{
    for (const auto* name : { "orvel-a.png", "orvel-b.png" })
    {
        const auto unit = talvor::loadAssetImage (name);
        ASSERT_TRUE (unit.isValid()) << name;
        EXPECT_LE (unit.getHeight(), 42) << name << ": the header is 42 pixels high";
        EXPECT_LE (unit.getWidth(), 400) << name << ": the model chooser sits at x 640";
    }
    EXPECT_GT (talvor::loadAssetImage ("orvel-a.png").getWidth(), talvor::loadAssetImage ("orvel-b.png").getWidth());

    const auto logo = talvor::loadAssetImage ("Talvor Logo.png");
    ASSERT_TRUE (logo.isValid());
    EXPECT_NEAR ((float) logo.getWidth() / (float) logo.getHeight(), 100.0f / 28.0f, 0.2f);
    EXPECT_LT (averageBrightness (logo.getClippedImage (logo.getBounds().withTrimmedLeft (logo.getHeight()))), 0.4f)
        << "dark lettering, legible on the editor's light grey";
}

TEST_F (AssetPicturesTest, TheMixerBackgroundIsDarkAndTheSizeOfTheSection)
{
    const auto background = talvor::loadAssetImage ("bkg/Orvel-A.jpg");
    ASSERT_TRUE (background.isValid());
    EXPECT_EQ (background.getBounds(), juce::Rectangle<int> (598, 598));
    EXPECT_LT (averageBrightness (background), 0.25f);
}
// The editor starts decoding its pictures while the map is read; what it then gets is what the
// files hold, and a picture that was missing then is looked for again.
TEST (AssetPicturesAheadTest, APictureDecodedAheadIsTheFilesAndAMissingOneIsLookedForAgain)
{
    const juce::TemporaryFile folder;
    const auto assets = folder.getFile().getChildFile ("resources").getChildFile ("Assets");
    ASSERT_TRUE (assets.createDirectory());
    const talvor::ScopedProgramFile program{ folder.getFile().getChildFile ("OrvelACorvix") };
    const auto original = juce::File (CORVIX_SOURCE_DIR).getChildFile ("resources/Assets/orvel-a.png");
    ASSERT_TRUE (original.copyFileTo (assets.getChildFile ("ahead-test.png")));

    talvor::startLoadingAssetImages ({ "ahead-test.png", "ahead-test-later.png" });
    talvor::startLoadingAssetImages ({ "ahead-test.png" }); // started once only

    const auto ahead = talvor::loadAssetImage ("ahead-test.png");
    const auto expected = juce::ImageFileFormat::loadFrom (original);
    ASSERT_TRUE (ahead.isValid());
    ASSERT_EQ (ahead.getBounds(), expected.getBounds());
    for (int y = 0; y < expected.getHeight(); ++y)
        for (int x = 0; x < expected.getWidth(); ++x)
            ASSERT_EQ (ahead.getPixelAt (x, y), expected.getPixelAt (x, y)) << x << ", " << y;

    EXPECT_FALSE (talvor::loadAssetImage ("ahead-test-later.png").isValid());
    ASSERT_TRUE (original.copyFileTo (assets.getChildFile ("ahead-test-later.png")));
    EXPECT_EQ (talvor::loadAssetImage ("ahead-test-later.png").getBounds(), expected.getBounds());
    folder.getFile().deleteRecursively();
}
} // namespace
