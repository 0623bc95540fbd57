#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>
#include <optional>

namespace talvor
{
/** What a file chooser is asked for. An empty initial location opens where the system likes. */
struct FileChooserRequest
{
    juce::String title;
    juce::File initialLocation;
    juce::String filePatterns; // e.g. "*.corvix"; empty = every file
    bool warnAboutOverwriting{ false }; // save only
};

/** An alert window with one text field, an accept and a cancel button. */
struct TextInputRequest
{
    juce::MessageBoxIconType icon{ juce::MessageBoxIconType::NoIcon };
    juce::String title;
    juce::String message;
    juce::String fieldName;
    juce::String initialText;
    juce::String okText{ "OK" };
    juce::String cancelText{ "Cancel" };
};

/** A dialog window around a component that the caller owns and keeps alive during the run. */
struct ModalDialogRequest
{
    juce::String title;
    juce::Component* content{ nullptr };
    juce::Component* centreAround{ nullptr };
    juce::Colour background{ juce::Colours::lightgrey };
    bool escapeKeyCloses{ true };
    bool useNativeTitleBar{ true };
    bool resizable{ false };
};

/** Every message box, question, file chooser, popup menu and modal window of the program goes
    through here, so that tests can see what the user would have been shown and answer it
    without a nested loop ever blocking. The framework's implementation is the default; another
    one is installed with ScopedDialogs (or setDialogs).

    Results: a cancelled or dismissed dialog gives false, std::nullopt, an empty File or 0, never
    the result of a button the user did not press. Asynchronous callbacks run later on the
    message thread; a callback that touches a component must check that it still exists. */
class Dialogs
{
public:
    virtual ~Dialogs() = default;

    /** A box with one button; returns when the user has closed it. An empty button text is "OK". */
    virtual void showMessageBox (juce::MessageBoxIconType icon, const juce::String& title, const juce::String& message,
                                 const juce::String& buttonText = {}, juce::Component* associatedComponent = nullptr) = 0;

    /** The same box, returning at once; onClosed (may be empty) runs when it is closed. */
    virtual void showMessageBoxAsync (juce::MessageBoxIconType icon, const juce::String& title, const juce::String& message,
                                      const juce::String& buttonText = {}, juce::Component* associatedComponent = nullptr,
                                      std::function<void()> onClosed = {}) = 0;

    /** A question with two buttons; true only when the first (accepting) button was pressed. */
    virtual bool askOkCancel (juce::MessageBoxIconType icon, const juce::String& title, const juce::String& message,
                              const juce::String& okText = "OK", const juce::String& cancelText = "Cancel",
                              juce::Component* associatedComponent = nullptr) = 0;

    /** The field's text when the accepting button was pressed; nothing on cancel, Escape or close. */
    virtual std::optional<juce::String> askForText (const TextInputRequest& request) = 0;

    /** The chosen file, or an empty File when the chooser was cancelled. */
    virtual juce::File chooseFileToSave (const FileChooserRequest& request) = 0;
    virtual juce::File chooseFileToOpen (const FileChooserRequest& request) = 0;

    /** The chosen item's id, 0 when the menu was dismissed. */
    virtual int showPopupMenu (const juce::PopupMenu& menu, const juce::PopupMenu::Options& options = juce::PopupMenu::Options()) = 0;
    virtual void showPopupMenuAsync (const juce::PopupMenu& menu, const juce::PopupMenu::Options& options,
                                     std::function<void (int chosenId)> onResult) = 0;

    /** Shows request.content in a modal dialog window and returns the value the modal state
        ended with (0 for the close button and, where enabled, Escape). */
    virtual int runModalDialog (const ModalDialogRequest& request) = 0;

    /** Runs a component that is its own window (an alert window, for instance) modally. */
    virtual int runModalLoop (juce::Component& window) = 0;
};

/** The implementation in use: the one installed last, or the framework's. Message thread only. */
Dialogs& dialogs();

/** Installs an implementation that the caller keeps alive (nullptr goes back to the framework's);
    returns the one installed before. */
Dialogs* setDialogs (Dialogs* replacement);

/** Installs an implementation for the lifetime of this object. */
class ScopedDialogs
{
public:
    explicit ScopedDialogs (Dialogs& replacement);
    ~ScopedDialogs();

    ScopedDialogs (const ScopedDialogs&) = delete;
    ScopedDialogs& operator= (const ScopedDialogs&) = delete;

private:
    Dialogs* previous;
};
} // namespace talvor
