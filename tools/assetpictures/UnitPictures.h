#pragma once

#include <juce_graphics/juce_graphics.h>

namespace talvor::pictures
{
/** The units seen from above, 42 pixels high to sit in the editor's header. The Orvel-A has the
    mixer (eight encoders, the 4 × 8 pad grid, nine faders) and the field of 5 × 24 function
    keys under a display; an Orvel-B is the mixer alone with eight faders. */
juce::Image makeOrvelAPicture();
juce::Image makeOrvelBPicture();
} // namespace talvor::pictures
