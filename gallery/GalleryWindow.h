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

    /** The window as it paints now, under a title bar with the window's title. */
    juce::Image picture();

private:
    juce::Component& content;
};
} // namespace corvix::gallery
