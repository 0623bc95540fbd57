#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>
#include <memory>

namespace NsOrvelA
{
/** The labels the editor's pages share: titles, and the name field in which the user names a
    control. Names are at most 16 printable ASCII characters. */
namespace pageLabels
{
constexpr int maxNameLength = 16;

/** The pages' background. */
const juce::Colour pageGrey{ 0xff484848 };

/** A title or text label with a fixed text. */
std::unique_ptr<juce::Label> makeTitle (const juce::String& text, juce::Justification justification = juce::Justification::centred);

/** An empty name field, edited on a single click, that keeps what was typed when it loses the
    focus; its editor takes only what a name may hold, and each change the user makes goes to
    onNameChange. */
std::unique_ptr<juce::Label> makeNameField (std::function<void()> onNameChange);

/** The first 16 characters of the field's text: what is stored of a name set by other means. */
juce::String nameOf (const juce::Label& field);
} // namespace pageLabels
} // namespace NsOrvelA
