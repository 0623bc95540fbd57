#include "editor/ServiceKeys.h"

#include "editor/ManualSysexSend.h"
#include "map/SharedEditingState.h"
#include "platform/CpuFamily.h"
#include "ui/Dialogs.h"

namespace NsOrvelA
{
bool handleServiceKey (const juce::KeyPress& key, juce::TabbedComponent& sectionTabs, const std::function<void()>& quit)
{
    const auto held = key.getModifiers().getRawFlags()
                      & (juce::ModifierKeys::shiftModifier | juce::ModifierKeys::ctrlModifier | juce::ModifierKeys::altModifier);
    const auto letter = juce::CharacterFunctions::toUpperCase ((juce::juce_wchar) key.getKeyCode());

    switch (held)
    {
        case 0:
            if (letter != 'I')
                return false;

            talvor::dialogs().showMessageBox (juce::MessageBoxIconType::NoIcon, {}, juce::String ("CPU model: ") + talvor::cpuFamilyName());
            return true;

        case juce::ModifierKeys::ctrlModifier:
            if (letter == '1' || letter == '2')
            {
                // Without the second tab (models other than the main unit) no tab is current
                // until the first is chosen again.
                sectionTabs.setCurrentTabIndex (letter == '1' ? 0 : 1);
                return true;
            }

            if (letter != 'Q')
                return false;

            if (quit)
                quit();

            return true;

        case juce::ModifierKeys::altModifier:
            return false;

        default:
            if (letter != 'M')
                return false;

            sendManualSysex (currentModelId);
            return true;
    }
}
} // namespace NsOrvelA
