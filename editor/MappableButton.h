#pragma once

#include "map/ControlButton.h"

#include <juce_gui_basics/juce_gui_basics.h>

namespace NsOrvelA
{
/** A text button that stands for something of the map: a control of the surface, a slot selector,
    a slot option or a function of the FUNCTION page. It keeps no copy of an assignment: its caption
    is rebuilt from the live map (through hostInstance) for the current unit, slot and workstation
    whenever the editor refreshes. The caption goes onto the button, or onto a caption label that
    the button's owner placed beside it. */
class MappableButton : public juce::TextButton, public ControlButton
{
public:
    /** What a button is. No button has kind 2. */
    enum Kind
    {
        functionKind = 0, ///< a function button of the FUNCTION page, or an inactive placeholder
        controlKind = 1, ///< a control of the surface; its click makes it the current control
        slotSelectorKind = 3, ///< a slot selector of the mixer section
        slotOptionKind = 4, ///< a slot option of the mixer section
    };

    /** The name is the button's component name and its first text. */
    explicit MappableButton (const juce::String& name = {});
    ~MappableButton() override;

    int getControlNumber() const override { return controlNumber; }
    void setControlNumber (int number) noexcept { controlNumber = number; }

    int getKind() const noexcept { return kind; }
    void setKind (int newKind) noexcept { kind = newKind; }

    /** Captions go onto this label from now on; null puts them back onto the button. The label
        belongs to the button's owner and must outlive the button's use of it. */
    void setCaptionLabel (juce::Label* label) noexcept { captionLabel = label; }
    juce::Label* getCaptionLabel() const noexcept { return captionLabel; }

    /** The payload: a function button's function code, the workstation a slot selector showed last. */
    juce::Value& getValueObject() noexcept { return value; }
    int getValueAsInt() const { return static_cast<int> (value.getValue()); }

    /** Takes the entry's "id" as control number and shows its caption. */
    void bindEntry (const juce::ValueTree& entry);

    /** Rebuilds the caption from the map and shows it. */
    virtual void refreshCaption();

    /** The caption of the control in the current slot: empty while the slot has no workstation;
        otherwise by assignment kind the name, the hotkey or mouse text, the MIDI text, the
        workstation's name for a HUI code, or nothing for "null". */
    juce::String makeCaption() const override;

    /** Shows a text on the caption label when there is one, else on the button. */
    virtual void setCaption (const juce::String& caption);

    /** The text the button shows now: its caption label's text when it has one. */
    juce::String getShownCaption() const;

    void setTooltipText (const juce::String& tip) override { setTooltip (tip); }

private:
    juce::Label* captionLabel = nullptr;
    int kind = functionKind;
    int controlNumber = 0;
    juce::Value value;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (MappableButton)
};
} // namespace NsOrvelA
