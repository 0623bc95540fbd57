#pragma once

#include "editor/CorvixLookAndFeel.h"

/** The editor's look for button grids and choosers whose captions do not always fit the
    framework's caption font: a channel number after a word ("MUTE1") on a 52-pixel button, a
    workstation function such as "Snapshot" or "New FromTemplate" on a 63-pixel one, "Master" in a
    71-pixel chooser. Cut short, such a caption ends in an ellipsis and no longer says what the
    control does.

    A button's caption keeps the framework's font when it fits there whole, on one line squeezed
    no further than the framework allows or on two lines broken between words (at a blank, never
    inside a word or after a hyphen); otherwise it gets the largest smaller font in which it does,
    so a single word too long for a line shrinks rather than splits. A chooser's text is smaller
    than the framework's and keeps a narrower margin beside the arrow. Everything else is drawn as
    CorvixLookAndFeel draws it. */
class FittedCaptionLookAndFeel final : public CorvixLookAndFeel
{
public:
    FittedCaptionLookAndFeel() = default;

    /** No caption gets smaller than this; one that does not fit even so is cut short. */
    static constexpr float smallestCaptionHeight = 9.0f;
    static constexpr float largestChooserTextHeight = 13.0f;

    juce::Font getTextButtonFont (juce::TextButton&, int buttonHeight) override;
    juce::Font getComboBoxFont (juce::ComboBox&) override;
    void positionComboBoxText (juce::ComboBox&, juce::Label&) override;

private:
    /** True when the button's caption, drawn in this font, shows every one of its characters and
        starts a new line only after a blank. */
    static bool captionFits (const juce::TextButton&, const juce::Font&);

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (FittedCaptionLookAndFeel)
};
