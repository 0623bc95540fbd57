#pragma once

#include <juce_graphics/juce_graphics.h>

#include <functional>

namespace talvor::pictures
{
/** Paints at `oversampling` times the size into a transparent picture and scales it down with
    the best resampling, so that small pictures keep smooth edges and fine lines. */
juce::Image paintOversampled (int width, int height, int oversampling, const std::function<void (juce::Graphics&)>& paint);

/** The house typeface, bold or plain, at the given height. */
juce::Font brandFont (float height, bool bold = true);

/** The maker's mark: a rounded square in the brand's orange with three fader slots whose caps
    climb from left to right. With `silhouette` set it is drawn in black and the slots are cut
    out, for the menu-bar template. */
void drawBrandMark (juce::Graphics& g, juce::Rectangle<float> area, bool silhouette = false);

/** A rotary encoder seen from above: LED ring, skirt and cap with its pointer at twelve o'clock. */
void drawEncoder (juce::Graphics& g, juce::Point<float> centre, float radius);

/** A fader slot with its scale and a cap at `capPosition` (0 bottom .. 1 top). */
void drawFader (juce::Graphics& g, juce::Rectangle<float> travel, float capPosition, juce::Colour capLine);

/** A recessed well in the panel that a key or button sits in. */
void drawWell (juce::Graphics& g, juce::Rectangle<float> area, float corner);

bool writePng (const juce::Image& picture, const juce::File& file);
bool writeJpeg (const juce::Image& picture, const juce::File& file, float quality);

namespace colours
{
const juce::Colour brandOrange{ 0xffff7a1a };
const juce::Colour brandRed{ 0xffe0400c };
const juce::Colour charcoal{ 0xff2b2b2d };
const juce::Colour panelTop{ 0xff2e2e31 };
const juce::Colour panelBottom{ 0xff1c1c1e };
} // namespace colours
} // namespace talvor::pictures
