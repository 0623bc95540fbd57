#pragma once

#include <juce_graphics/juce_graphics.h>

namespace talvor::pictures
{
/** The mixer section's background, 598 × 598, the size of the section in the editor. It draws
    the encoders, fader slots, pedal switches and the wells of the keys exactly where the section
    places its (partly transparent) buttons, so that the buttons sit on the hardware they stand for. */
juce::Image makeMixerBackground();
} // namespace talvor::pictures
