#include "editor/MixerSection.h"

#include "editor/DeviceLink.h"
#include "editor/LookAndFeelUsers.h"
#include "link/Host.h"
#include "map/MapIdentifiers.h"
#include "map/SharedEditingState.h"
#include "ui/AssetImages.h"

namespace NsOrvelA
{
namespace
{
constexpr juce::uint32 sectionColour = 0xff252525;
constexpr juce::uint32 buttonColour = 0xff484848;
constexpr juce::uint32 transparentButtonColour = 0x00484848;
constexpr juce::uint32 white = 0xffffffff;

// Strip positions: strip j starts at 40 j + 3 + 12 (2.1 j + 1) (knobs) and 40 j + 2 + 12 (2.1 j + 1)
// (faders), truncated. Kept as numbers: the products of 2.1 are not exact in binary.
constexpr int knobStripX[MixerSection::knobCount] = { 15, 80, 145, 210, 275, 341, 406, 471 };
constexpr int faderStripX[MixerSection::stripCount] = { 14, 79, 144, 209, 274, 340, 405, 470, 535 };
constexpr int pedalX[MixerSection::pedalCount] = { 184, 370 };

constexpr int firstKnob = 163;
constexpr int firstKnobLower = 153;
constexpr int firstFader = 181;
constexpr int firstFaderLower = 172;
constexpr int firstPedal = 161;
constexpr int masterFader = 189;
constexpr int masterFaderLower = 180;
constexpr int assignFader = 190;
constexpr int assignFaderLower = 191;

const juce::Identifier& optionProperty (int optionIndex)
{
    return optionIndex == 0 ? mapIds::daw1 : (optionIndex == 1 ? mapIds::daw2 : mapIds::daw3);
}

juce::String workstationCaption (int dawId) { return dawDisplayName (dawId).removeCharacters ("\r\n"); }

} // namespace

MixerSection::MixerSection()
{
    // The mixer is the editor's first part to be made, and the Host with it, which reads the map:
    // the editor's pictures are decoded meanwhile.
    talvor::startLoadingAssetImages ({ "bkg/Orvel-A.jpg", "Talvor Logo.png", "orvel-a.png" });
    startDeviceLink();

    const auto tree = hostInstance != nullptr ? hostInstance->getStateTree() : MapState (juce::ValueTree());

    // Binding by number rather than by the entry's "id": with a unit or slot that names no entry
    // (0 from a map file) the button still stands for its control and simply shows nothing.
    const auto bind = [&tree] (MappableButton& button, int controlId)
    {
        button.setControlNumber (controlId);
        const auto entry = tree.controlEntryInCurrentSlot (controlId);

        if (entry.isValid())
            button.bindEntry (entry);
        else
            button.refreshCaption();
    };

    configureLooks();

    addLabel (dawLabel, {}, "DAW").setJustificationType (juce::Justification::centred);

    for (int s = 0; s < 3; ++s)
    {
        auto& selector =
            addButton (slotButtons[(size_t) s], juce::String (s + 1), buttonColour, slotLook, s + 1, MappableButton::slotSelectorKind);
        selector.getValueObject() = slotDawIds[(size_t) s];
        selector.addListener (this);

        auto& option = addButton (optionButtons[(size_t) s], {}, buttonColour, optionLook, s + 1, MappableButton::slotOptionKind);
        option.addListener (this);
        option.setToggleState (isSlotId (currentSlotId) && slotOptionFlags[(size_t) currentSlotId - 1][(size_t) s] != 0,
                               juce::dontSendNotification);
    }

    if (isSlotId (currentSlotId))
    {
        selectedSlotButton = slotButtons[(size_t) currentSlotId - 1].get();
        selectedSlotButton->setToggleState (true, juce::dontSendNotification);
    }

    for (int j = 0; j < knobCount; ++j)
    {
        auto& label = addLabel (knobLabels[(size_t) j], juce::String (j + 1), {});
        label.setColour (juce::Label::textColourId, juce::Colour (white));
        label.setJustificationType (juce::Justification::centred);

        auto& knob = addButton (knobButtons[(size_t) j], {}, transparentButtonColour, knobLook, firstKnob + j, MappableButton::controlKind);
        knob.setCaptionLabel (&label);
        bind (knob, firstKnob + j);

        auto& lower =
            addButton (knobLowerButtons[(size_t) j], {}, sectionColour, plainLook, firstKnobLower + j, MappableButton::controlKind);
        bind (lower, firstKnobLower + j);
    }

    for (int k = 0; k < gridCount; ++k)
        bind (addButton (gridButtons[(size_t) k], {}, buttonColour, gridLook, k + 1, MappableButton::controlKind), k + 1);

    for (int c = 0; c < knobCount; ++c)
    {
        auto& placeholder = addButton (placeholders[(size_t) c], {}, buttonColour, placeholderLook, -1, MappableButton::functionKind);
        placeholder.setEnabled (false);
    }

    for (int l = 0; l < stripCount; ++l)
    {
        auto& label = addLabel (faderLabels[(size_t) l], juce::String (l + 1), {});
        label.setColour (juce::Label::textColourId, juce::Colour (white));
        label.setJustificationType (juce::Justification::centred);

        auto& fader =
            addButton (faderButtons[(size_t) l], {}, transparentButtonColour, faderLook, firstFader + l, MappableButton::controlKind);
        fader.setCaptionLabel (&label);
        bind (fader, firstFader + l);

        auto& lower =
            addButton (faderLowerButtons[(size_t) l], {}, sectionColour, plainLook, firstFaderLower + l, MappableButton::controlKind);
        bind (lower, firstFaderLower + l);
    }

    for (int p = 0; p < pedalCount; ++p)
    {
        auto& label = addLabel (pedalLabels[(size_t) p], {}, juce::String ("PEDAL ") + (p == 0 ? "A" : "B"));
        label.setColour (juce::Label::textColourId, juce::Colour (white));
        label.setJustificationType (juce::Justification::centred);

        bind (addButton (pedalButtons[(size_t) p], {}, transparentButtonColour, plainLook, firstPedal + p, MappableButton::controlKind),
              firstPedal + p);
    }

    masterAssignChooser = std::make_unique<juce::ComboBox>();
    addAndMakeVisible (*masterAssignChooser);
    masterAssignChooser->setLookAndFeel (&gridLook);
    masterAssignChooser->addListener (this);
    masterAssignChooser->addItem ("Master", 1);
    masterAssignChooser->addItem ("Assign", 2);
    masterAssignChooser->setSelectedId (1, juce::dontSendNotification);
}

MixerSection::~MixerSection()
{
    detachLookAndFeel (*this, { &faderLook, &slotLook, &optionLook, &plainLook, &knobLook, &gridLook, &placeholderLook });
}

void MixerSection::configureLooks()
{
    slotLook.setCornerSize (7.0f);
    slotLook.setOutlineThickness (2.0f);

    optionLook.setCornerSize (7.0f);
    optionLook.setOutlineThickness (2.0f);
    optionLook.setAccentFill (true);
    optionLook.setAccentColour (juce::Colour (0xffff0000));

    knobLook.setOutlineColour (juce::Colour (0x00ffffff));
    faderLook.setOutlineColour (juce::Colour (0x00ffffff));

    gridLook.setOutlineColour (juce::Colour (0xff000000));

    placeholderLook.setOutlineThickness (0.0f);
    placeholderLook.setOutlineColour (juce::Colour (buttonColour));
}

MappableButton& MixerSection::addButton (std::unique_ptr<MappableButton>& holder, const juce::String& name, juce::uint32 colour,
                                         CorvixLookAndFeel& look, int controlNumber, int kind)
{
    holder = std::make_unique<MappableButton> (name);
    addAndMakeVisible (*holder);
    holder->setColour (juce::TextButton::buttonColourId, juce::Colour (colour));
    holder->setColour (juce::TextButton::buttonOnColourId, juce::Colour (colour));
    holder->setLookAndFeel (&look);
    holder->setKind (kind);
    holder->setControlNumber (controlNumber);
    return *holder;
}

juce::Label& MixerSection::addLabel (std::unique_ptr<juce::Label>& holder, const juce::String& name, const juce::String& text)
{
    holder = std::make_unique<juce::Label> (name);
    addAndMakeVisible (*holder);
    holder->setText (text, juce::dontSendNotification);
    return *holder;
}

//==============================================================================
void MixerSection::mouseDown (const juce::MouseEvent& e)
{
    if (e.mods.isRightButtonDown() && hostInstance != nullptr)
        hostInstance->showControlMenuFromMixer();
}

void MixerSection::paint (juce::Graphics& g)
{
    g.fillAll (juce::Colour (sectionColour));
    // A missing picture is an empty image, which draws nothing.
    g.drawImage (talvor::loadAssetImage ("bkg/Orvel-A.jpg"), getLocalBounds().toFloat(), juce::RectanglePlacement::stretchToFit, false);
}

void MixerSection::resized()
{
    const auto left = (getWidth() - 384) / 2;
    dawLabel->setBounds (left - 43, 2, 36, 26);

    for (int s = 0; s < 3; ++s)
    {
        slotButtons[(size_t) s]->setBounds (left + 136 * s, 2, 112, 24);
        optionButtons[(size_t) s]->setBounds (left + 136 * s + 115, 7, 13, 13);
    }

    for (int j = 0; j < knobCount; ++j)
    {
        const auto x = knobStripX[j];
        knobLabels[(size_t) j]->setBounds (x - 6, 32, 52, 25);
        knobButtons[(size_t) j]->setBounds (x, 57, 40, 40);
        knobLowerButtons[(size_t) j]->setBounds (x - 6, 99, 52, 25);
    }

    auto area = getLocalBounds();
    area.removeFromTop (96);
    area.removeFromTop (25);
    const auto gridBand = area.removeFromTop (196);
    const auto gy = gridBand.getY();

    for (int k = 0; k < gridCount; ++k)
        gridButtons[(size_t) k]->setBounds (knobStripX[k % 8] - 6, gy + 9 + 35 * (k / 8), 52, 32);

    for (int c = 0; c < knobCount; ++c)
        placeholders[(size_t) c]->setBounds (knobStripX[c] - 6, gy + 155, 52, 25);

    const auto fy = area.removeFromLeft (64).reduced (12).getY();

    for (int l = 0; l < juce::jlimit (0, stripCount, mixerStripCount); ++l)
    {
        const auto x = faderStripX[l];
        faderLabels[(size_t) l]->setBounds (x - 6, fy - 25, 52, 25);
        faderButtons[(size_t) l]->setBounds (x, fy, 40, 80);
        faderLowerButtons[(size_t) l]->setBounds (x - 6, fy + 82, 52, 25);
    }

    for (int p = 0; p < pedalCount; ++p)
    {
        pedalButtons[(size_t) p]->setBounds (pedalX[p], 518, 54, 28);
        pedalLabels[(size_t) p]->setBounds (pedalX[p] - 57, 518, 54, 28);
    }

    masterAssignChooser->setBounds (faderLowerButtons[7]->getRight(), pedalButtons[0]->getY(), 71, 28);
}

//==============================================================================
void MixerSection::buttonClicked (juce::Button* button)
{
    auto* mappable = dynamic_cast<MappableButton*> (button);

    if (mappable == nullptr)
        return;

    if (mappable->getKind() == MappableButton::slotSelectorKind)
        clickSlotSelector (*mappable);
    else if (mappable->getKind() == MappableButton::slotOptionKind)
        clickSlotOption (*mappable);
}

void MixerSection::clickSlotSelector (MappableButton& selector)
{
    if (selectedSlotButton != nullptr)
        selectedSlotButton->setToggleState (false, juce::dontSendNotification);

    selector.setToggleState (true, juce::dontSendNotification);
    currentSlotId = selector.getControlNumber();
    selectedSlotButton = &selector;

    if (hostInstance == nullptr)
        return;

    // A unit id that names no unit (0 from a map file) gets nothing written.
    auto unit = hostInstance->getStateTree().deviceNode (-1);

    if (unit.isValid())
        unit.setProperty (mapIds::current, currentSlotId, nullptr);

    hostInstance->refreshAfterOptionChange();
    hostInstance->refreshEditorPanels();
}

void MixerSection::clickSlotOption (MappableButton& option)
{
    const auto i = option.getControlNumber() - 1;
    const auto s = currentSlotId - 1;

    if (! isSlotId (currentSlotId) || ! isSlotId (i + 1) || i == s)
        return;

    auto& flag = slotOptionFlags[(size_t) s][(size_t) i];
    const auto v = flag == 0 ? 1 : 0;
    flag = v;

    if (hostInstance != nullptr)
    {
        const auto state = hostInstance->getStateTree();
        auto slot = state.slotNode (-1, -1);

        if (slot.isValid())
            slot.setProperty (optionProperty (i), v, nullptr);

        if (isDawId (state.slotDawId (currentSlotId)))
            slotDirty[(size_t) s] = 1;
    }

    option.setToggleState (v != 0, juce::dontSendNotification);
}

void MixerSection::comboBoxChanged (juce::ComboBox* box)
{
    if (box != masterAssignChooser.get())
        return;

    setMasterAssign (masterAssignChooser->getSelectedItemIndex());

    if (hostInstance != nullptr)
        hostInstance->refreshEditorPanels();
}

void MixerSection::setMasterAssign (int itemIndex)
{
    const auto assign = itemIndex == 1;
    masterAssignChooser->setSelectedItemIndex (assign ? 1 : 0, juce::dontSendNotification);
    faderButtons[8]->setControlNumber (assign ? assignFader : masterFader);
    faderLowerButtons[8]->setControlNumber (assign ? assignFaderLower : masterFaderLower);
}

//==============================================================================
void MixerSection::refreshPanel()
{
    if (selectedSlotButton != nullptr && isSlotId (selectedSlotButton->getControlNumber()))
    {
        const auto s = selectedSlotButton->getControlNumber() - 1;
        const auto d = slotDawIds[(size_t) s];

        if (isDawId (d) && (selectedSlotButton->getValueAsInt() != d || slotCaptionRefresh))
        {
            selectedSlotButton->getValueObject() = d;
            slotButtons[(size_t) s]->setCaption (workstationCaption (d));
            slotCaptionRefresh = false;
        }
    }

    for (auto* button : getControlButtons())
    {
        if (hostInstance != nullptr)
            hostInstance->refreshButtonTooltip (*button);

        button->refreshCaption();
    }
}

void MixerSection::showSlots()
{
    for (int s = 0; s < 3; ++s)
    {
        const auto name = dawDisplayName (slotDawIds[(size_t) s]);
        slotButtons[(size_t) s]->setCaption (name.isNotEmpty() ? name : juce::String (s + 1));
        slotButtons[(size_t) s]->setToggleState (false, juce::dontSendNotification);
    }

    const auto valid = isSlotId (currentSlotId);
    selectedSlotButton = valid ? slotButtons[(size_t) (currentSlotId - 1) % 3].get() : nullptr;

    if (selectedSlotButton != nullptr)
        selectedSlotButton->setToggleState (true, juce::dontSendNotification);

    for (int j = 0; j < 3; ++j)
        optionButtons[(size_t) j]->setToggleState (valid && slotOptionFlags[(size_t) currentSlotId - 1][(size_t) j] != 0,
                                                   juce::dontSendNotification);
}

void MixerSection::showStrips (bool isMainUnit, bool huiWorkstation)
{
    faderLabels[8]->setVisible (isMainUnit);
    faderButtons[8]->setVisible (isMainUnit);
    faderLowerButtons[8]->setVisible (isMainUnit);

    if (huiWorkstation)
    {
        // The HUI workstation fixes the ninth fader as master: the chooser and the controls the
        // strip edits go back together, so the strip never edits the "Assign" controls unseen.
        masterAssignChooser->setVisible (false);
        setMasterAssign (0);
    }
    else
    {
        masterAssignChooser->setVisible (isMainUnit);
    }
}

juce::Array<MappableButton*> MixerSection::getControlButtons() const
{
    juce::Array<MappableButton*> buttons;

    for (auto* child : getChildren())
        if (auto* button = dynamic_cast<MappableButton*> (child))
            if (button->getKind() == MappableButton::controlKind)
                buttons.add (button);

    return buttons;
}
} // namespace NsOrvelA
