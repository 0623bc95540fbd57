#pragma once

#include <juce_gui_extra/juce_gui_extra.h>

/** A read-only viewer of a page's source text. */
class CodeContent final : public juce::Component
{
public:
    CodeContent();

    void setText (const juce::String& text);
    void showDefaultText();
    juce::String getText() const { return document.getAllContent(); }

    void resized() override;

private:
    juce::CodeDocument document;
    juce::CodeEditorComponent editor{ document, nullptr };

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (CodeContent)
};
