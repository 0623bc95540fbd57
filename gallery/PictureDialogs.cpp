#include "gallery/PictureDialogs.h"

#include "gallery/GalleryWindow.h"

#include <utility>

namespace corvix::gallery
{
PictureDialogs::PictureDialogs() : previous (talvor::setDialogs (this)) {}

PictureDialogs::~PictureDialogs() { talvor::setDialogs (previous); }

juce::Image PictureDialogs::snapshotOf (juce::Component& window)
{
    window.setTopLeftPosition (0, 0);
    window.setVisible (true);
    GalleryWindow::settle();
    return window.createComponentSnapshot (window.getLocalBounds(), true, 1.0f);
}

void PictureDialogs::takePictureOf (juce::Component& window) { keep (snapshotOf (window)); }

void PictureDialogs::keep (const juce::Image& picture)
{
    taken.push_back (picture);

    if (afterEachPicture)
        afterEachPicture();
}

void PictureDialogs::alertPicture (juce::MessageBoxIconType icon, const juce::String& title, const juce::String& message,
                                   const juce::StringArray& buttons)
{
    juce::AlertWindow window (title, message, icon);

    for (const auto& text : buttons)
        window.addButton (text, 0);

    window.addToDesktop();
    takePictureOf (window);
}

void PictureDialogs::showMessageBox (juce::MessageBoxIconType icon, const juce::String& title, const juce::String& message,
                                     const juce::String& buttonText, juce::Component*)
{
    alertPicture (icon, title, message, juce::StringArray (buttonText.isEmpty() ? juce::String ("OK") : buttonText));
}

void PictureDialogs::showMessageBoxAsync (juce::MessageBoxIconType icon, const juce::String& title, const juce::String& message,
                                          const juce::String& buttonText, juce::Component* associatedComponent,
                                          std::function<void()> onClosed)
{
    showMessageBox (icon, title, message, buttonText, associatedComponent);

    if (onClosed)
        juce::MessageManager::callAsync (std::move (onClosed));
}

bool PictureDialogs::askOkCancel (juce::MessageBoxIconType icon, const juce::String& title, const juce::String& message,
                                  const juce::String& okText, const juce::String& cancelText, juce::Component*)
{
    alertPicture (icon, title, message, { okText, cancelText });
    return false;
}

std::optional<juce::String> PictureDialogs::askForText (const talvor::TextInputRequest& request)
{
    juce::AlertWindow window (request.title, request.message, request.icon);
    window.addTextEditor (request.fieldName, request.initialText);
    window.addButton (request.okText, 1);
    window.addButton (request.cancelText, 0);
    window.addToDesktop();
    takePictureOf (window);
    return std::nullopt;
}

juce::File PictureDialogs::chooseFileToSave (const talvor::FileChooserRequest&) { return std::exchange (fileAnswer, {}); }

juce::File PictureDialogs::chooseFileToOpen (const talvor::FileChooserRequest&) { return std::exchange (fileAnswer, {}); }

int PictureDialogs::showPopupMenu (const juce::PopupMenu&, const juce::PopupMenu::Options&) { return 0; }

void PictureDialogs::showPopupMenuAsync (const juce::PopupMenu&, const juce::PopupMenu::Options&, std::function<void (int)> onResult)
{
    if (onResult)
        juce::MessageManager::callAsync ([onResult] { onResult (0); });
}

int PictureDialogs::runModalDialog (const talvor::ModalDialogRequest& request)
{
    juce::DialogWindow::LaunchOptions options;
    options.dialogTitle = request.title;
    options.content.setNonOwned (request.content);
    options.dialogBackgroundColour = request.background;
    options.escapeKeyTriggersCloseButton = request.escapeKeyCloses;
    options.useNativeTitleBar = request.useNativeTitleBar;
    options.resizable = request.resizable;
    std::unique_ptr<juce::DialogWindow> window (options.create());
    keep (GalleryWindow::withTitleBar (snapshotOf (*window), request.title));
    return std::exchange (modalAnswer, 0);
}

int PictureDialogs::runModalLoop (juce::Component& window)
{
    takePictureOf (window);
    return 0;
}
} // namespace corvix::gallery
