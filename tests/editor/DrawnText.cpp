#include "tests/editor/DrawnText.h"

namespace corvix::testing
{
namespace
{
/** A software renderer that keeps the glyphs drawn through it, with the font of the first. */
class GlyphRecorder final : public juce::LowLevelGraphicsSoftwareRenderer
{
public:
    using LowLevelGraphicsSoftwareRenderer::LowLevelGraphicsSoftwareRenderer;

    void drawGlyph (int glyphNumber, const juce::AffineTransform& transform) override
    {
        if (glyphs.isEmpty())
            font = getFont();

        glyphs.add (glyphNumber);
        baselines.add (transform.mat12);
        LowLevelGraphicsSoftwareRenderer::drawGlyph (glyphNumber, transform);
    }

    juce::Array<int> glyphs;
    juce::Array<float> baselines;
    juce::Font font;
};
} // namespace

bool drawsWhole (juce::Component& component, const juce::String& text)
{
    const auto characters = text.removeCharacters (" \t\r\n");

    if (characters.isEmpty())
        return true;

    juce::Image image (juce::Image::ARGB, juce::jmax (1, component.getWidth()), juce::jmax (1, component.getHeight()), true);
    GlyphRecorder recorder (image);

    {
        juce::Graphics g (recorder);
        component.paintEntireComponent (g, true);
    }

    // Glyph numbers depend on the typeface only, not on the size or the squeeze of the font.
    juce::Array<int> expected;
    juce::Array<float> offsets;
    recorder.font.getGlyphPositions (characters, expected, offsets);

    if (recorder.glyphs != expected)
        return false;

    // A new line may start only where the text has a blank: never inside a word.
    int previous = -1;
    int glyph = 0;

    for (int i = 0; i < text.length(); ++i)
    {
        if (juce::CharacterFunctions::isWhitespace (text[i]))
            continue;

        const auto newLine = glyph > 0 && std::abs (recorder.baselines[glyph] - recorder.baselines[glyph - 1]) > 0.5f;

        if (newLine && i == previous + 1)
            return false;

        previous = i;
        ++glyph;
    }

    return true;
}
} // namespace corvix::testing
