#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

namespace corvix::gallery
{
/** A main window as the program shows it: a native title bar, so that the window's size is the
    content's, around a content component that the gallery owns. */
class GalleryWindow final : public juce::DocumentWindow
{
public:
    GalleryWindow (juce::Component& content, int width, int height);
    ~GalleryWindow() override;

    void closeButtonPressed() override {}

    /** Delivers what is queued, then for this long more, so that asynchronous updates and
        repaints have happened. */
    static void settle (int milliseconds = 50);

    /** The height of the title bar the pictures get. */
    static constexpr int titleStripHeight = 30;

    /** The window as it paints now, under a title bar with the window's title. */
    juce::Image picture();

    /** A picture of a window's inside under a plain title bar with the title: a virtual X server
        draws no title bars of its own. */
    static juce::Image withTitleBar (const juce::Image& client, const juce::String& title);

private:
    juce::Component& content;
};

/** Writes a picture as PNG and names the file on the output stream; false (and a line on the
    error stream) when it could not. */
bool writePicture (const juce::Image& picture, const juce::File& file);
} // namespace corvix::gallery
