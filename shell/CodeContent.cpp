#include "shell/CodeContent.h"

CodeContent::CodeContent()
{
    editor.setReadOnly (true);
    editor.setScrollbarThickness (8);
    addAndMakeVisible (editor);
    showDefaultText();
}

void CodeContent::setText (const juce::String& text)
{
    document.replaceAllContent (text);
    editor.scrollToLine (0);
}

void CodeContent::showDefaultText() { setText ("// Choose a page to see its source here."); }

void CodeContent::resized() { editor.setBounds (getLocalBounds()); }
