#include "gallery/GalleryWindow.h"

#include <iostream>

namespace corvix::gallery
{
GalleryWindow::GalleryWindow (juce::Component& c, int width, int height)
    : juce::DocumentWindow ("Orvel-A Corvix", juce::Colours::lightgrey,
                            juce::DocumentWindow::minimiseButton | juce::DocumentWindow::closeButton),
      content (c)
{
    setUsingNativeTitleBar (true);
    setContentNonOwned (&content, false);
    setSize (width, height);
    setTopLeftPosition (0, 0);
    setVisible (true);
    settle();
}

GalleryWindow::~GalleryWindow() { clearContentComponent(); }

void GalleryWindow::settle (int milliseconds)
{
    auto* messages = juce::MessageManager::getInstance();
    const auto end = juce::Time::getMillisecondCounter() + (juce::uint32) milliseconds;

    do
        messages->runDispatchLoopUntil (5);
    while (juce::Time::getMillisecondCounter() < end);
}

juce::Image GalleryWindow::picture()
{
    settle();
    return withTitleBar (createComponentSnapshot (getLocalBounds(), true, 1.0f), getName());
}

juce::Image GalleryWindow::withTitleBar (const juce::Image& client, const juce::String& title)
{
    juce::Image picture (juce::Image::RGB, client.getWidth(), client.getHeight() + titleStripHeight, true);
    juce::Graphics g (picture);
    g.fillAll (juce::Colour (0xff2b2b2b));
    g.setColour (juce::Colours::white);
    g.setFont (juce::Font (15.0f));
    g.drawText (title, 0, 0, picture.getWidth(), titleStripHeight, juce::Justification::centred);
    g.drawImageAt (client, 0, titleStripHeight);
    return picture;
}

bool writePicture (const juce::Image& picture, const juce::File& file)
{
    file.deleteFile();
    juce::FileOutputStream out (file);
    juce::PNGImageFormat png;

    if (! picture.isValid() || ! out.openedOk() || ! png.writeImageToStream (picture, out))
    {
        std::cerr << "could not write " << file.getFullPathName() << std::endl;
        return false;
    }

    std::cout << file.getFullPathName() << std::endl;
    return true;
}
} // namespace corvix::gallery
