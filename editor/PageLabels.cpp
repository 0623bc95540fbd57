#include "editor/PageLabels.h"

#include "map/HidKeyTables.h"

namespace NsOrvelA::pageLabels
{
namespace
{
const juce::Colour fieldOutline{ 0xffd3d3d3 };
} // namespace

std::unique_ptr<juce::Label> makeTitle (const juce::String& text, juce::Justification justification)
{
    auto label = std::make_unique<juce::Label> (juce::String(), text);
    label->setJustificationType (justification);
    return label;
}

std::unique_ptr<juce::Label> makeNameField (std::function<void()> onNameChange)
{
    auto field = makeTitle ({});
    auto* raw = field.get();
    field->setEditable (true, false, false);
    field->setColour (juce::Label::outlineColourId, fieldOutline);
    field->onTextChange = std::move (onNameChange);
    field->onEditorShow = [raw]
    {
        if (auto* editor = raw->getCurrentTextEditor())
        {
            editor->setInputRestrictions (maxNameLength, keyboardLayoutChars);
            editor->setJustification (juce::Justification::centredBottom);
        }
    };
    return field;
}

juce::String nameOf (const juce::Label& field) { return field.getText().substring (0, maxNameLength); }
} // namespace NsOrvelA::pageLabels
