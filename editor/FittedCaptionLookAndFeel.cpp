#include "editor/FittedCaptionLookAndFeel.h"

juce::Font FittedCaptionLookAndFeel::getTextButtonFont (juce::TextButton& button, int buttonHeight)
{
    const auto standard = CorvixLookAndFeel::getTextButtonFont (button, buttonHeight);

    for (auto height = standard.getHeight(); height >= smallestCaptionHeight; height -= 0.5f)
    {
        const juce::Font font (height);

        if (captionFits (button, font))
            return font;
    }

    return { smallestCaptionHeight };
}

bool FittedCaptionLookAndFeel::captionFits (const juce::TextButton& button, const juce::Font& font)
{
    const auto caption = button.getButtonText();

    if (caption.trim().isEmpty())
        return true;

    // The text box of the framework's button text drawing, whose indents grow with the font.
    const auto width = button.getWidth();
    const auto height = button.getHeight();
    const auto yIndent = juce::jmin (4, button.proportionOfHeight (0.3f));
    const auto cornerSize = juce::jmin (height, width) / 2;
    const auto fontIndent = juce::roundToInt (font.getHeight() * 0.6f);
    const auto leftIndent = juce::jmin (fontIndent, 2 + cornerSize / (button.isConnectedOnLeft() ? 4 : 2));
    const auto rightIndent = juce::jmin (fontIndent, 2 + cornerSize / (button.isConnectedOnRight() ? 4 : 2));
    const auto textWidth = width - leftIndent - rightIndent;

    if (textWidth <= 0)
        return false;

    juce::GlyphArrangement layout;
    layout.addFittedText (font, caption, (float) leftIndent, (float) yIndent, (float) textWidth, (float) (height - yIndent * 2),
                          juce::Justification::centred, 2);

    // Whole when the layout holds the caption's characters, less the blanks it breaks lines at;
    // a cut caption holds an ellipsis in place of its end.
    juce::String shown;
    juce::Array<float> baselines;

    for (int i = 0; i < layout.getNumGlyphs(); ++i)
    {
        if (! layout.getGlyph (i).isWhitespace())
        {
            shown += layout.getGlyph (i).getCharacter();
            baselines.add (layout.getGlyph (i).getBaselineY());
        }
    }

    if (shown != caption.removeCharacters (" \t\r\n"))
        return false;

    // The framework splits a word it cannot fit on a line ("ctrl+s" / "hift F5") and breaks after
    // a hyphen; a caption read that way says something else, so a line may start only after a blank.
    int glyph = 0;
    auto previousWasBlank = false;

    for (auto character : caption)
    {
        if (juce::CharacterFunctions::isWhitespace (character))
        {
            previousWasBlank = true;
            continue;
        }

        if (glyph > 0 && ! previousWasBlank && ! juce::approximatelyEqual (baselines[glyph], baselines[glyph - 1]))
            return false;

        previousWasBlank = false;
        ++glyph;
    }

    return true;
}

juce::Font FittedCaptionLookAndFeel::getComboBoxFont (juce::ComboBox& box)
{
    return { juce::jmin (largestChooserTextHeight, (float) box.getHeight() * 0.85f) };
}

void FittedCaptionLookAndFeel::positionComboBoxText (juce::ComboBox& box, juce::Label& label)
{
    // The arrow keeps the framework's 30 pixels at the right; the text gives up most of the
    // label's usual 5-pixel side margins, which a 71-pixel chooser cannot spare.
    label.setBounds (1, 1, box.getWidth() - 30, box.getHeight() - 2);
    label.setBorderSize ({ 1, 2, 1, 2 });
    label.setFont (getComboBoxFont (box));
}
