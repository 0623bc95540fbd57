#pragma once

#include <juce_graphics/juce_graphics.h>

namespace talvor::pictures
{
/** The maker's logo: the mark and the name "TALVOR" in charcoal, for light backgrounds; 500 × 140
    so that it fills the editor's 100 × 28 corner when scaled down. */
juce::Image makeMakerLogo();

/** The tray icon, 256 × 256: the mark in colour, or as a black template with alpha. */
juce::Image makeTrayIcon (bool asTemplate);
} // namespace talvor::pictures
