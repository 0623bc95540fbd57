#include "tools/assetpictures/MixerBackground.h"

#include "tools/assetpictures/PictureKit.h"

namespace talvor::pictures
{
namespace
{
constexpr int side = 598;

// Where the section puts its controls, in its own pixels.
int knobStripX (int j) { return (int) (40.0 * j + 3 + 12 * (2.1 * j + 1)); } // 15, 80, ... 471
int faderStripX (int l) { return (int) (40.0 * l + 2 + 12 * (2.1 * l + 1)); } // 14, 79, ... 535
constexpr float knobTop = 57, knobSize = 40;
constexpr float knobCaptionTop = 32, knobLowerTop = 99;
constexpr float gridTop = 130, gridPitch = 35, gridWidth = 52, gridHeight = 32;
constexpr float placeholderTop = 276, lowerHeight = 25;
constexpr float faderCaptionTop = 304, faderTop = 329, faderHeight = 80, faderLowerTop = 411;
constexpr float pedalTop = 518, pedalWidth = 54, pedalHeight = 28;
const float pedalX[] = { 184, 370 };

void drawPanel (juce::Graphics& g, juce::Rectangle<float> area)
{
    g.setColour (juce::Colours::black.withAlpha (0.5f));
    g.fillRoundedRectangle (area.translated (0, 1.0f), 6.0f);
    g.setGradientFill (
        juce::ColourGradient (juce::Colour (0xff2a2a2d), area.getTopLeft(), juce::Colour (0xff222224), area.getBottomLeft(), false));
    g.fillRoundedRectangle (area, 6.0f);
    g.setColour (juce::Colours::white.withAlpha (0.06f));
    g.drawRoundedRectangle (area.reduced (0.5f), 6.0f, 1.0f);
}

void drawCaptionStrip (juce::Graphics& g, float x, float y)
{
    // The white captions are printed by the section's labels; a darker strip keeps them legible.
    g.setColour (juce::Colour (0xff161617));
    g.fillRoundedRectangle ({ x + 2, y + 4, 48, 17 }, 3.0f);
}

void drawScrew (juce::Graphics& g, juce::Point<float> centre)
{
    const auto head = juce::Rectangle<float> (9, 9).withCentre (centre);
    g.setGradientFill (
        juce::ColourGradient (juce::Colour (0xff6e6e74), head.getTopLeft(), juce::Colour (0xff2a2a2d), head.getBottomRight(), false));
    g.fillEllipse (head);
    g.setColour (juce::Colour (0xff151516));
    g.drawLine (juce::Line<float> (centre.translated (-3, -1.5f), centre.translated (3, 1.5f)), 1.2f);
}

void drawPedalSwitch (juce::Graphics& g, juce::Rectangle<float> area)
{
    const auto body = area.reduced (3, 2);
    juce::Path pedal;
    pedal.startNewSubPath (body.getX() + 6, body.getY());
    pedal.lineTo (body.getRight() - 6, body.getY());
    pedal.quadraticTo (body.getRight(), body.getY(), body.getRight(), body.getY() + 6);
    pedal.lineTo (body.getRight() - 2, body.getBottom());
    pedal.lineTo (body.getX() + 2, body.getBottom());
    pedal.lineTo (body.getX(), body.getY() + 6);
    pedal.quadraticTo (body.getX(), body.getY(), body.getX() + 6, body.getY());
    pedal.closeSubPath();

    g.setColour (juce::Colours::black.withAlpha (0.6f));
    g.fillPath (pedal, juce::AffineTransform::translation (0, 1.5f));
    g.setGradientFill (
        juce::ColourGradient (juce::Colour (0xff4a4a4f), body.getTopLeft(), juce::Colour (0xff26262a), body.getBottomLeft(), false));
    g.fillPath (pedal);
    g.setColour (juce::Colours::black.withAlpha (0.45f));
    for (int tread = 1; tread < 6; ++tread)
    {
        const auto x = body.getX() + body.getWidth() * (float) tread / 6.0f;
        g.drawLine (x, body.getY() + 4, x, body.getBottom() - 3, 1.2f);
    }
}

void paintBackground (juce::Graphics& g)
{
    const auto all = juce::Rectangle<float> ((float) side, (float) side);
    g.setGradientFill (juce::ColourGradient (colours::panelTop, all.getTopLeft(), colours::panelBottom, all.getBottomLeft(), false));
    g.fillRect (all);

    // Brushed finish: faint horizontal streaks from a fixed seed, so every run draws the same.
    juce::Random streaks (1957);
    for (int i = 0; i < 900; ++i)
    {
        const auto y = streaks.nextFloat() * side;
        const auto x = streaks.nextFloat() * side;
        g.setColour (juce::Colours::white.withAlpha (0.012f + 0.018f * streaks.nextFloat()));
        g.drawLine (x, y, x + 40 + 160 * streaks.nextFloat(), y, 0.5f);
    }

    // The top band with the slot selectors.
    g.setColour (juce::Colour (0xff161618));
    g.fillRect (all.withHeight (29));
    g.setColour (juce::Colours::white.withAlpha (0.08f));
    g.fillRect (juce::Rectangle<float> (0, 29, (float) side, 1));

    drawPanel (g, { 4, 31, side - 8.0f, 95 });
    drawPanel (g, { 4, 126, side - 8.0f, 178 - 2.0f });
    drawPanel (g, { 4, 302, side - 8.0f, 139 });
    drawPanel (g, { 4, 508, side - 8.0f, 48 });

    for (int j = 0; j < 8; ++j)
    {
        const auto x = (float) knobStripX (j);
        drawCaptionStrip (g, x - 6, knobCaptionTop);
        drawEncoder (g, { x + knobSize / 2, knobTop + knobSize / 2 }, 15.5f);
        drawWell (g, { x - 6 - 2, knobLowerTop - 2, 56, lowerHeight + 4 }, 4);
    }

    for (int k = 0; k < 32; ++k)
    {
        const auto x = (float) knobStripX (k % 8) - 6;
        drawWell (g, { x - 1, gridTop + gridPitch * (float) (k / 8) - 1, gridWidth + 2, gridHeight + 2 }, 4);
    }
    for (int c = 0; c < 8; ++c)
        drawWell (g, { (float) knobStripX (c) - 6 - 2, placeholderTop - 2, 56, lowerHeight + 4 }, 4);

    for (int l = 0; l < 9; ++l)
    {
        const auto x = (float) faderStripX (l);
        drawCaptionStrip (g, x - 6, faderCaptionTop);
        const auto master = l == 8;
        drawFader (g, { x, faderTop + 5, 40, faderHeight - 10 }, master ? 0.75f : 0.3f + 0.05f * (float) (l % 4),
                   master ? colours::brandOrange : juce::Colours::white);
        drawWell (g, { x - 6 - 2, faderLowerTop - 2, 56, lowerHeight + 4 }, 4);
    }
    // The master strip stands apart from the eight channels.
    g.setColour (juce::Colours::black.withAlpha (0.5f));
    g.fillRect (juce::Rectangle<float> ((float) faderStripX (8) - 10, 308, 1.5f, 128));

    for (auto x : pedalX)
        drawPedalSwitch (g, { x, pedalTop, pedalWidth, pedalHeight });

    // Maker and model on the front edge.
    g.setFont (brandFont (15.0f));
    g.setColour (juce::Colour (0xff8a8a90));
    g.drawText ("TALVOR", juce::Rectangle<float> (24, 566, 200, 24), juce::Justification::centredLeft);
    g.setFont (brandFont (13.0f, false).withExtraKerningFactor (0.15f));
    g.setColour (juce::Colour (0xff6a6a70));
    g.drawText ("ORVEL-A  CONTROL SURFACE", juce::Rectangle<float> (side - 324.0f, 566, 300, 24), juce::Justification::centredRight);

    for (auto corner : { juce::Point<float> (12, 578), juce::Point<float> (side - 12.0f, 578) })
        drawScrew (g, corner);
}
} // namespace

juce::Image makeMixerBackground() { return paintOversampled (side, side, 2, paintBackground); }
} // namespace talvor::pictures
