#pragma once

#include "ui/Dialogs.h"

#include <vector>

namespace corvix::gallery
{
/** Dialogs for the gallery: every box is built as the framework would show it and kept as a
    picture instead of waiting for a user; file choosers answer with a file given beforehand,
    every question is cancelled. Installs itself for its lifetime. */
class PictureDialogs final : public talvor::Dialogs
{
public:
    PictureDialogs();
    ~PictureDialogs() override;

    /** What the next file chooser answers; an empty File cancels. */
    void answerFile (const juce::File& file) { fileAnswer = file; }

    /** What the next modal dialog ends with: 1 accepts a chooser as it stands, 0 (the default)
        closes it. */
    void answerModal (int result) { modalAnswer = result; }

    /** Called after each picture, while the dialog is still up: a picture of the window behind
        it shows what the dialog was shown over. */
    std::function<void()> afterEachPicture;

    /** The pictures taken so far, in the order the dialogs were shown. */
    const std::vector<juce::Image>& pictures() const noexcept { return taken; }

    void showMessageBox (juce::MessageBoxIconType icon, const juce::String& title, const juce::String& message,
                         const juce::String& buttonText, juce::Component* associatedComponent) override;
    void showMessageBoxAsync (juce::MessageBoxIconType icon, const juce::String& title, const juce::String& message,
                              const juce::String& buttonText, juce::Component* associatedComponent,
                              std::function<void()> onClosed) override;
    bool askOkCancel (juce::MessageBoxIconType icon, const juce::String& title, const juce::String& message, const juce::String& okText,
                      const juce::String& cancelText, juce::Component* associatedComponent) override;
    std::optional<juce::String> askForText (const talvor::TextInputRequest& request) override;
    juce::File chooseFileToSave (const talvor::FileChooserRequest& request) override;
    juce::File chooseFileToOpen (const talvor::FileChooserRequest& request) override;
    int showPopupMenu (const juce::PopupMenu& menu, const juce::PopupMenu::Options& options) override;
    void showPopupMenuAsync (const juce::PopupMenu& menu, const juce::PopupMenu::Options& options,
                             std::function<void (int)> onResult) override;
    int runModalDialog (const talvor::ModalDialogRequest& request) override;
    int runModalLoop (juce::Component& window) override;

private:
    static juce::Image snapshotOf (juce::Component& window);
    void takePictureOf (juce::Component& window);
    void keep (const juce::Image& picture);
    void alertPicture (juce::MessageBoxIconType icon, const juce::String& title, const juce::String& message,
                       const juce::StringArray& buttons);

    talvor::Dialogs* previous;
    juce::File fileAnswer;
    int modalAnswer = 0;
    std::vector<juce::Image> taken;
};
} // namespace corvix::gallery
