#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <memory>

namespace NsOrvelA
{
/** The MIDI page: gives the selected control a MIDI message (type, channel, value and, for knobs,
    a rotation pattern) under an ordinary workstation, or a HUI function (zone and port for buttons,
    a channel for faders and knobs) under the HUI workstation, and buttons a name. The editor fills
    the lists from the control's entry; every change here goes straight into that entry. */
class MidiPage final : public juce::Component, public juce::ComboBox::Listener
{
public:
    MidiPage();
    ~MidiPage() override;

    void paint (juce::Graphics& g) override;
    void resized() override;

    /** A list changed by the user. */
    void comboBoxChanged (juce::ComboBox* comboBox) override;

    /** Under the HUI workstation the function list is emptied; then the four lists are rebuilt
        for the selected control through the editor. */
    void refreshFromControl();

    /** The column headers of an ordinary or of the HUI workstation, without notification. */
    void showHeadersFor (bool huiWorkstation);

    juce::ComboBox& getTypeList() noexcept { return *typeList; }
    juce::ComboBox& getChannelList() noexcept { return *channelList; }
    juce::ComboBox& getValueList() noexcept { return *valueList; }
    juce::ComboBox& getRotationList() noexcept { return *rotationList; }
    juce::Label& getTypeHeader() noexcept { return *typeHeader; }
    juce::Label& getChannelHeader() noexcept { return *channelHeader; }
    juce::Label& getValueHeader() noexcept { return *valueHeader; }
    juce::Label& getRotationHeader() noexcept { return *rotationHeader; }
    juce::Label& getNameTitle() noexcept { return *nameTitle; }
    juce::Label& getNameField() noexcept { return *nameField; }

private:
    /** Stores the name the user typed. */
    void storeName();

    /** Writes one list's choice into the entry; true when it cleared a HUI button's function. */
    bool storeTypeChoice (juce::ValueTree& entry, int controlId, bool hui);
    void storeZoneChoice (juce::ValueTree& entry);
    void storePortChoice (juce::ValueTree& entry);

    /** The function list and the name field show the HUI code that a zone and port give. */
    void showHuiFunction (juce::ValueTree& entry, int zone, int port);

    /** The four lists rebuilt for the selected control, in their order. */
    void rebuildLists();

    bool allListsChosen() const;

    std::unique_ptr<juce::ComboBox> typeList;
    std::unique_ptr<juce::ComboBox> channelList;
    std::unique_ptr<juce::ComboBox> valueList;
    std::unique_ptr<juce::ComboBox> rotationList;
    std::unique_ptr<juce::Label> typeHeader;
    std::unique_ptr<juce::Label> channelHeader;
    std::unique_ptr<juce::Label> valueHeader;
    std::unique_ptr<juce::Label> rotationHeader;
    std::unique_ptr<juce::Label> nameTitle;
    std::unique_ptr<juce::Label> nameField;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (MidiPage)
};
} // namespace NsOrvelA
