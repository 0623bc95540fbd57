// Draws every picture of the assets folder into the folder given on the command line:
//     corvix_asset_pictures resources/Assets
#include "tools/assetpictures/BrandPictures.h"
#include "tools/assetpictures/MixerBackground.h"
#include "tools/assetpictures/PictureKit.h"
#include "tools/assetpictures/UnitPictures.h"

#include <iostream>

int main (int argc, char** argv)
{
    if (argc != 2)
    {
        std::cerr << "usage: corvix_asset_pictures <assets folder>\n";
        return 2;
    }

    juce::ScopedJuceInitialiser_GUI framework;
    const auto assets = juce::File::getCurrentWorkingDirectory().getChildFile (argv[1]);
    using namespace talvor::pictures;

    const bool written = writePng (makeTrayIcon (false), assets.getChildFile ("Talvor-big256.png"))
                         && writePng (makeTrayIcon (true), assets.getChildFile ("Talvor-big256-template.png"))
                         && writePng (makeMakerLogo(), assets.getChildFile ("Talvor Logo.png"))
                         && writePng (makeOrvelAPicture(), assets.getChildFile ("orvel-a.png"))
                         && writePng (makeOrvelBPicture(), assets.getChildFile ("orvel-b.png"))
                         && writeJpeg (makeMixerBackground(), assets.getChildFile ("bkg/Orvel-A.jpg"), 0.92f);

    if (! written)
    {
        std::cerr << "could not write the pictures into " << assets.getFullPathName() << "\n";
        return 1;
    }
    std::cout << "pictures written into " << assets.getFullPathName() << "\n";
    return 0;
}
