#include "ui/FrameworkDialogs.h"

namespace talvor
{
namespace
{
// On Linux the framework hands a starting folder to zenity by running it inside the folder and
// proposing the folder's own name as the file name, so a save would be offered as "Documents".
// Written with a trailing separator the folder has no name: zenity's save chooser opens in it with
// the name empty, and kdialog is given a path that plainly is a folder. The open chooser keeps the
// folder as it is: without a name to look for, zenity would open on its recent files instead, and
// it has no name field to fill in. The framework's own chooser window, used when neither program
// is installed, is given the folder as it is too: it opens on it with no name filled in.
juce::File saveChooserStart (const juce::File& location)
{
#if JUCE_LINUX
    if (location.isDirectory() && ! location.isRoot() && juce::FileChooser::isPlatformDialogAvailable())
        return juce::File::createFileWithoutCheckingPath (juce::File::addTrailingSeparator (location.getFullPathName()));
#endif
    return location;
}
} // namespace

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
    juce::FileChooser chooser (request.title, saveChooserStart (request.initialLocation), request.filePatterns, true);
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
