#include "tools/assetpictures/PictureKit.h"

namespace talvor::pictures
{
juce::Image paintOversampled (int width, int height, int oversampling, const std::function<void (juce::Graphics&)>& paint)
{
    juce::Image large (juce::Image::ARGB, width * oversampling, height * oversampling, true);
    {
        juce::Graphics g (large);
        g.addTransform (juce::AffineTransform::scale ((float) oversampling));
        paint (g);
    }
    return large.rescaled (width, height, juce::Graphics::highResamplingQuality);
}

juce::Font brandFont (float height, bool bold) { return juce::Font ("DejaVu Sans", height, bold ? juce::Font::bold : juce::Font::plain); }

void drawBrandMark (juce::Graphics& g, juce::Rectangle<float> area, bool silhouette)
{
    const auto corner = area.getWidth() * 0.22f;
    juce::Path body;
    body.addRoundedRectangle (area, corner);

    // Three slots with caps at rising heights: a mixer read as a rising level.
    juce::Path slots, caps;
    const auto slotWidth = area.getWidth() * 0.07f;
    const auto capWidth = area.getWidth() * 0.2f;
    const auto capHeight = area.getHeight() * 0.1f;
    const auto top = area.getY() + area.getHeight() * 0.18f;
    const auto bottom = area.getBottom() - area.getHeight() * 0.18f;
    const float levels[] = { 0.3f, 0.55f, 0.8f };
    for (int i = 0; i < 3; ++i)
    {
        const auto x = area.getX() + area.getWidth() * (0.25f + 0.25f * (float) i);
        slots.addRoundedRectangle (x - slotWidth / 2, top, slotWidth, bottom - top, slotWidth / 2);
        const auto capY = bottom - (bottom - top) * levels[i];
        caps.addRoundedRectangle (x - capWidth / 2, capY - capHeight / 2, capWidth, capHeight, capHeight * 0.3f);
    }

    if (silhouette)
    {
        juce::Path cutOut (body);
        cutOut.setUsingNonZeroWinding (false);
        cutOut.addPath (slots);
        g.setColour (juce::Colours::black);
        g.fillPath (cutOut);
        g.fillPath (caps);
        return;
    }

    g.setColour (juce::Colours::black.withAlpha (0.25f));
    g.fillRoundedRectangle (area.translated (0, area.getHeight() * 0.03f), corner);
    g.setGradientFill (juce::ColourGradient (colours::brandOrange, area.getTopLeft(), colours::brandRed, area.getBottomRight(), false));
    g.fillPath (body);
    g.setGradientFill (juce::ColourGradient (juce::Colours::white.withAlpha (0.28f), area.getTopLeft(),
                                             juce::Colours::white.withAlpha (0.0f), area.getCentre(), false));
    g.fillPath (body);

    g.setColour (juce::Colour (0xff7a1e00).withAlpha (0.55f));
    g.fillPath (slots);
    g.setColour (juce::Colours::black.withAlpha (0.25f));
    g.fillPath (caps, juce::AffineTransform::translation (0, capHeight * 0.25f));
    g.setColour (juce::Colours::white);
    g.fillPath (caps);
}

void drawEncoder (juce::Graphics& g, juce::Point<float> centre, float radius)
{
    // LED ring: fifteen dots from seven to five o'clock.
    constexpr int leds = 15;
    for (int i = 0; i < leds; ++i)
    {
        const auto angle = juce::degreesToRadians (-135.0f + 270.0f * (float) i / (float) (leds - 1));
        const auto dot = centre.getPointOnCircumference (radius * 1.22f, angle);
        g.setColour (i < 5 ? colours::brandOrange.withAlpha (0.85f) : juce::Colour (0xff4a3a30));
        g.fillEllipse (juce::Rectangle<float> (radius * 0.12f, radius * 0.12f).withCentre (dot));
    }

    const auto skirt = juce::Rectangle<float> (radius * 2, radius * 2).withCentre (centre);
    g.setColour (juce::Colours::black.withAlpha (0.55f));
    g.fillEllipse (skirt.translated (0, radius * 0.12f).expanded (radius * 0.04f));
    g.setColour (juce::Colour (0xff101011));
    g.fillEllipse (skirt);

    const auto cap = skirt.reduced (radius * 0.16f);
    g.setGradientFill (
        juce::ColourGradient (juce::Colour (0xff6a6a70), cap.getTopLeft(), juce::Colour (0xff28282b), cap.getBottomRight(), false));
    g.fillEllipse (cap);
    // Knurled edge.
    g.setColour (juce::Colours::black.withAlpha (0.35f));
    for (int i = 0; i < 36; ++i)
    {
        const auto angle = juce::MathConstants<float>::twoPi * (float) i / 36.0f;
        g.drawLine (juce::Line<float> (centre.getPointOnCircumference (radius * 0.74f, angle),
                                       centre.getPointOnCircumference (radius * 0.84f, angle)),
                    radius * 0.03f);
    }
    const auto top = cap.reduced (radius * 0.16f);
    g.setGradientFill (
        juce::ColourGradient (juce::Colour (0xff55555a), top.getTopLeft(), juce::Colour (0xff333337), top.getBottomRight(), false));
    g.fillEllipse (top);
    g.setColour (juce::Colours::white.withAlpha (0.12f));
    g.drawEllipse (top, radius * 0.03f);

    g.setColour (juce::Colours::white.withAlpha (0.92f));
    g.drawLine (juce::Line<float> (centre.translated (0, -radius * 0.25f), centre.translated (0, -radius * 0.78f)), radius * 0.09f);
}

void drawFader (juce::Graphics& g, juce::Rectangle<float> travel, float capPosition, juce::Colour capLine)
{
    const auto cx = travel.getCentreX();
    const auto width = travel.getWidth();

    // Scale: eleven marks, the longer ones every fifth.
    g.setColour (juce::Colour (0xff8a8a90));
    for (int i = 0; i <= 10; ++i)
    {
        const auto y = travel.getY() + travel.getHeight() * (float) i / 10.0f;
        const auto length = (i % 5 == 0) ? width * 0.16f : width * 0.09f;
        g.fillRect (juce::Rectangle<float> (cx - width * 0.3f - length, y - 0.35f, length, 0.7f));
        g.fillRect (juce::Rectangle<float> (cx + width * 0.3f, y - 0.35f, length, 0.7f));
    }

    const auto groove = juce::Rectangle<float> (width * 0.1f, travel.getHeight()).withCentre (travel.getCentre());
    g.setColour (juce::Colour (0xff050505));
    g.fillRoundedRectangle (groove, groove.getWidth() / 2);
    g.setColour (juce::Colours::white.withAlpha (0.1f));
    g.drawRoundedRectangle (groove.expanded (0.5f), groove.getWidth() / 2, 0.6f);

    const auto capY = travel.getBottom() - travel.getHeight() * capPosition;
    const auto cap = juce::Rectangle<float> (width * 0.55f, travel.getHeight() * 0.17f).withCentre ({ cx, capY });
    g.setColour (juce::Colours::black.withAlpha (0.5f));
    g.fillRoundedRectangle (cap.translated (0, cap.getHeight() * 0.18f).expanded (0.6f), 2.0f);
    g.setGradientFill (
        juce::ColourGradient (juce::Colour (0xff9a9aa0), cap.getTopLeft(), juce::Colour (0xff3c3c40), cap.getBottomLeft(), false));
    g.fillRoundedRectangle (cap, 2.0f);
    // Ribs across the cap.
    g.setColour (juce::Colours::black.withAlpha (0.25f));
    for (int i = 1; i < 4; ++i)
    {
        const auto y = cap.getY() + cap.getHeight() * (float) i / 4.0f;
        g.drawLine (cap.getX() + 1.5f, y, cap.getRight() - 1.5f, y, 0.5f);
    }
    g.setColour (capLine);
    g.fillRect (juce::Rectangle<float> (cap.getWidth() - 2.0f, 1.2f).withCentre (cap.getCentre()));
}

void drawWell (juce::Graphics& g, juce::Rectangle<float> area, float corner)
{
    g.setColour (juce::Colour (0xff0e0e0f));
    g.fillRoundedRectangle (area, corner);
    g.setColour (juce::Colours::white.withAlpha (0.07f));
    g.drawLine (area.getX() + corner, area.getBottom() - 0.4f, area.getRight() - corner, area.getBottom() - 0.4f, 0.8f);
}

bool writePng (const juce::Image& picture, const juce::File& file)
{
    file.getParentDirectory().createDirectory();
    file.deleteFile();
    juce::FileOutputStream out (file);
    return out.openedOk() && juce::PNGImageFormat().writeImageToStream (picture, out);
}

bool writeJpeg (const juce::Image& picture, const juce::File& file, float quality)
{
    file.getParentDirectory().createDirectory();
    file.deleteFile();
    juce::FileOutputStream out (file);
    juce::JPEGImageFormat format;
    format.setQuality (quality);
    return out.openedOk() && format.writeImageToStream (picture.convertedToFormat (juce::Image::RGB), out);
}
} // namespace talvor::pictures
