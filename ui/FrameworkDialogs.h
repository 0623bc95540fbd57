#pragma once

#include "ui/Dialogs.h"

namespace talvor
{
/** The dialogs the user really sees: the framework's alert windows, native file choosers,
    popup menus and dialog windows, modal ones in nested message loops. */
class FrameworkDialogs final : public Dialogs
{
public:
    void showMessageBox (juce::MessageBoxIconType icon, const juce::String& title, const juce::String& message,
                         const juce::String& buttonText, juce::Component* associatedComponent) override;
    void showMessageBoxAsync (juce::MessageBoxIconType icon, const juce::String& title, const juce::String& message,
                              const juce::String& buttonText, juce::Component* associatedComponent,
                              std::function<void()> onClosed) override;
    bool askOkCancel (juce::MessageBoxIconType icon, const juce::String& title, const juce::String& message, const juce::String& okText,
                      const juce::String& cancelText, juce::Component* associatedComponent) override;
    std::optional<juce::String> askForText (const TextInputRequest& request) override;
    juce::File chooseFileToSave (const FileChooserRequest& request) override;
    juce::File chooseFileToOpen (const FileChooserRequest& request) override;
    int showPopupMenu (const juce::PopupMenu& menu, const juce::PopupMenu::Options& options) override;
    void showPopupMenuAsync (const juce::PopupMenu& menu, const juce::PopupMenu::Options& options,
                             std::function<void (int)> onResult) override;
    int runModalDialog (const ModalDialogRequest& request) override;
    int runModalLoop (juce::Component& window) override;
};
} // namespace talvor
