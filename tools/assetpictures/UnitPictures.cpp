#include "tools/assetpictures/UnitPictures.h"

#include "tools/assetpictures/PictureKit.h"

namespace talvor::pictures
{
namespace
{
constexpr int unitHeight = 42;
constexpr int oversampling = 6;

void drawChassis (juce::Graphics& g, juce::Rectangle<float> body)
{
    g.setColour (juce::Colours::black.withAlpha (0.35f));
    g.fillRoundedRectangle (body.translated (0, 0.8f), 3.0f);
    g.setGradientFill (
        juce::ColourGradient (juce::Colour (0xff434347), body.getTopLeft(), juce::Colour (0xff1d1d1f), body.getBottomLeft(), false));
    g.fillRoundedRectangle (body, 3.0f);
    g.setColour (juce::Colour (0xff0b0b0c));
    g.drawRoundedRectangle (body, 3.0f, 0.5f);
    g.setColour (juce::Colours::white.withAlpha (0.18f));
    g.drawLine (body.getX() + 3.0f, body.getY() + 0.6f, body.getRight() - 3.0f, body.getY() + 0.6f, 0.4f);
}

// The mixer block of both units; `strips` fader strips, pitch 6 pixels.
void drawMixer (juce::Graphics& g, float left, int strips)
{
    constexpr float pitch = 6.0f;
    for (int j = 0; j < 8; ++j)
    {
        const auto cx = left + pitch * ((float) j + 0.5f);
        g.setColour (juce::Colour (0xff0d0d0e));
        g.fillEllipse (juce::Rectangle<float> (4.4f, 4.4f).withCentre ({ cx, 6.4f }));
        g.setColour (juce::Colour (0xff6c6c72));
        g.fillEllipse (juce::Rectangle<float> (3.2f, 3.2f).withCentre ({ cx, 6.4f }));
        g.setColour (colours::brandOrange);
        g.fillRect (juce::Rectangle<float> (0.35f, 1.2f).withCentre ({ cx, 5.6f }));
    }

    for (int row = 0; row < 4; ++row)
        for (int column = 0; column < 8; ++column)
        {
            const auto pad = juce::Rectangle<float> (left + pitch * (float) column + 0.7f, 10.6f + 3.2f * (float) row, pitch - 1.4f, 2.5f);
            g.setColour (juce::Colour (0xff0d0d0e));
            g.fillRoundedRectangle (pad.expanded (0.25f), 0.6f);
            g.setColour (row == 0 ? juce::Colour (0xff8a5a34) : juce::Colour (0xff5c5c62));
            g.fillRoundedRectangle (pad, 0.5f);
        }

    for (int strip = 0; strip < strips; ++strip)
    {
        const auto cx = left + pitch * ((float) strip + 0.5f);
        g.setColour (juce::Colour (0xff050505));
        g.fillRect (juce::Rectangle<float> (0.7f, 11.0f).withCentre ({ cx, 31.0f }));
        const auto capY = 33.5f - 4.0f * (float) ((strip * 5) % 3);
        g.setColour (juce::Colour (0xffb4b4ba));
        g.fillRoundedRectangle (juce::Rectangle<float> (3.4f, 1.7f).withCentre ({ cx, capY }), 0.4f);
        g.setColour (juce::Colour (0xff555559));
        g.fillRoundedRectangle (juce::Rectangle<float> (3.8f, 1.5f).withCentre ({ cx, 39.0f }), 0.4f);
    }
}

void drawFunctionKeys (juce::Graphics& g, juce::Rectangle<float> field)
{
    // The display above the keys.
    const auto display = field.removeFromTop (4.2f);
    g.setColour (juce::Colour (0xff07141a));
    g.fillRoundedRectangle (display, 0.6f);
    g.setColour (juce::Colour (0xff4fc3e8).withAlpha (0.8f));
    for (int cell = 0; cell < 12; ++cell)
        g.fillRect (juce::Rectangle<float> (display.getX() + 1.0f + (display.getWidth() - 2.0f) * (float) cell / 12.0f,
                                            display.getCentreY() - 0.4f, 4.0f, 0.8f));
    field.removeFromTop (1.6f);

    const auto pitchX = field.getWidth() / 24.0f;
    const auto pitchY = field.getHeight() / 5.0f;
    for (int row = 0; row < 5; ++row)
        for (int column = 0; column < 24; ++column)
        {
            const auto key = juce::Rectangle<float> (field.getX() + pitchX * (float) column + 0.45f,
                                                     field.getY() + pitchY * (float) row + 0.45f, pitchX - 0.9f, pitchY - 0.9f);
            auto colour = juce::Colour (0xff66666c);
            if (row == 4 && column >= 18)
                colour = column == 20 ? juce::Colour (0xffd8412f) : juce::Colour (0xff3f9a58); // transport
            else if (column % 6 == 5)
                colour = juce::Colour (0xff4d4d53);
            g.setColour (juce::Colour (0xff0d0d0e));
            g.fillRoundedRectangle (key.expanded (0.25f), 0.6f);
            g.setColour (colour);
            g.fillRoundedRectangle (key, 0.5f);
            g.setColour (juce::Colours::white.withAlpha (0.2f));
            g.fillRect (key.withHeight (0.35f).reduced (0.3f, 0.0f));
        }
}
} // namespace

juce::Image makeOrvelAPicture()
{
    constexpr int width = 168;
    return paintOversampled (width, unitHeight, oversampling,
                             [] (juce::Graphics& g)
                             {
                                 drawChassis (g, { 0.5f, 0.5f, (float) width - 1.0f, (float) unitHeight - 1.5f });
                                 drawMixer (g, 4.0f, 9);
                                 g.setColour (juce::Colour (0xff111112));
                                 g.fillRect (juce::Rectangle<float> (59.5f, 3.0f, 0.8f, 35.0f));
                                 drawFunctionKeys (g, { 63.0f, 3.5f, (float) width - 67.0f, 35.0f });
                             });
}

juce::Image makeOrvelBPicture()
{
    constexpr int width = 56;
    return paintOversampled (width, unitHeight, oversampling,
                             [] (juce::Graphics& g)
                             {
                                 drawChassis (g, { 0.5f, 0.5f, (float) width - 1.0f, (float) unitHeight - 1.5f });
                                 drawMixer (g, 4.0f, 8);
                             });
}
} // namespace talvor::pictures
