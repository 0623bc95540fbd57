#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <memory>

/** Makes a top-level window visible so that the first picture of it on the screen is its painted
    content. On X11 the server fills a newly mapped window with the window's background before the
    program's first paint arrives, which takes a turn of the message loop or more; the framework's
    windows have none, so until then the window shows black or whatever was beneath it. Here the
    background is a picture of the window, painted before it is mapped; once the window is on the
    screen the background is taken away again, so that a part uncovered later waits for the
    window's own paint, as before, instead of flashing an old picture first. Elsewhere, or without
    an X connection, the window is simply made visible. */
class PaintedMapping final : private juce::Timer
{
public:
    PaintedMapping() = default;
    ~PaintedMapping() override;

    /** The window must be on the desktop, not yet visible, its content laid out. */
    void show (juce::Component& window);

private:
    void timerCallback() override;
    void release();

    void* display{ nullptr };
    unsigned long windowId{ 0 };

    JUCE_DECLARE_NON_COPYABLE (PaintedMapping)
};
