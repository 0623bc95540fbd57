#include "ui/FrameworkDialogs.h"

namespace talvor
{
void FrameworkDialogs::showMessageBox (juce::MessageBoxIconType icon, const juce::String& title, const juce::String& message,
                                       const juce::String& buttonText, juce::Component* associatedComponent)
{
    juce::AlertWindow::showMessageBox (icon, title, message, buttonText, associatedComponent);
}

void FrameworkDialogs::showMessageBoxAsync (juce::MessageBoxIconType icon, const juce::String& title, const juce::String& message,
                                            const juce::String& buttonText, juce::Component* associatedComponent,
                                            std::function<void()> onClosed)
{
    juce::AlertWindow::showMessageBoxAsync (icon, title, message, buttonText, associatedComponent,
                                            juce::ModalCallbackFunction::create (
                                                [onClosed] (int)
                                                {
                                                    if (onClosed)
                                                        onClosed();
                                                }));
}

bool FrameworkDialogs::askOkCancel (juce::MessageBoxIconType icon, const juce::String& title, const juce::String& message,
                                    const juce::String& okText, const juce::String& cancelText, juce::Component* associatedComponent)
{
    return juce::AlertWindow::showOkCancelBox (icon, title, message, okText, cancelText, associatedComponent, nullptr);
}

std::optional<juce::String> FrameworkDialogs::askForText (const TextInputRequest& request)
{
    // The accepting button ends the loop with 1; Escape and the close button end it with 0 like
    // the cancel button, so nothing but a press of the accepting button gives the text back.
    juce::AlertWindow window (request.title, request.message, request.icon);
    window.addTextEditor (request.fieldName, request.initialText);
    window.addButton (request.okText, 1);
    window.addButton (request.cancelText, 0);

    if (window.runModalLoop() != 1)
        return std::nullopt;

    return window.getTextEditorContents (request.fieldName);
}

juce::File FrameworkDialogs::chooseFileToSave (const FileChooserRequest& request)
{
    juce::FileChooser chooser (request.title, request.initialLocation, request.filePatterns, true);
    return chooser.browseForFileToSave (request.warnAboutOverwriting) ? chooser.getResult() : juce::File();
}

juce::File FrameworkDialogs::chooseFileToOpen (const FileChooserRequest& request)
{
    juce::FileChooser chooser (request.title, request.initialLocation, request.filePatterns, true);
    return chooser.browseForFileToOpen() ? chooser.getResult() : juce::File();
}

int FrameworkDialogs::showPopupMenu (const juce::PopupMenu& menu, const juce::PopupMenu::Options& options)
{
    return juce::PopupMenu (menu).showMenu (options);
}

void FrameworkDialogs::showPopupMenuAsync (const juce::PopupMenu& menu, const juce::PopupMenu::Options& options,
                                           std::function<void (int)> onResult)
{
    juce::PopupMenu (menu).showMenuAsync (options,
                                          [onResult] (int chosenId)
                                          {
                                              if (onResult)
                                                  onResult (chosenId);
                                          });
}

int FrameworkDialogs::runModalDialog (const ModalDialogRequest& request)
{
    jassert (request.content != nullptr);

    juce::DialogWindow::LaunchOptions options;
    options.dialogTitle = request.title;
    options.content.setNonOwned (request.content);
    options.componentToCentreAround = request.centreAround;
    options.dialogBackgroundColour = request.background;
    options.escapeKeyTriggersCloseButton = request.escapeKeyCloses;
    options.useNativeTitleBar = request.useNativeTitleBar;
    options.resizable = request.resizable;
    options.useBottomRightCornerResizer = false;
    return options.runModal();
}

int FrameworkDialogs::runModalLoop (juce::Component& window) { return window.runModalLoop(); }
} // namespace talvor
