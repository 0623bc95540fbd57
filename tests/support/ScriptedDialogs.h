#pragma once

#include "ui/Dialogs.h"

#include <deque>
#include <memory>
#include <vector>

namespace talvor::test
{
/** One dialog as the user would have seen it. */
struct ShownDialog
{
    enum class Kind
    {
        messageBox,
        messageBoxAsync,
        okCancel,
        textInput,
        saveChooser,
        openChooser,
        popupMenu,
        popupMenuAsync,
        modalDialog,
        modalLoop
    };

    Kind kind{ Kind::messageBox };
    juce::MessageBoxIconType icon{ juce::MessageBoxIconType::NoIcon };
    juce::String title;
    juce::String message;
    juce::StringArray buttons; // message boxes, questions and text input, in their order
    juce::StringArray menuItems; // popup menus: "id text" for every item with an id
    juce::String fieldName; // text input
    juce::String initialText; // text input
    juce::String filePatterns; // file choosers
    juce::File initialLocation; // file choosers
    bool warnAboutOverwriting{ false };
    juce::Component* associatedComponent{ nullptr };
    bool answeredByScript{ false }; // false: nothing was scripted, the cancelling answer was given
};

/** Dialogs for tests: records every dialog with its exact title and texts and answers it from a
    script instead of waiting for a user. Installs itself for its lifetime.

    Answers are queued per kind of dialog and used in order; a dialog whose kind has no answer
    left gets the cancelling one (false, nothing, an empty File, 0, the close button), which the
    record shows as not answered by the script. Asynchronous answers arrive through the message
    loop, as they do for a user: deliverAsyncAnswers() runs the loop until they have.

    Modal windows are real: the window is shown and made modal without a nested loop, the
    scripted action acts on its content (clicks, keys), and the run ends with the value the
    window's modal state ended with; a window still open after the action is closed as by its
    close button. */
class ScriptedDialogs final : public Dialogs
{
public:
    using ModalAction = std::function<void (juce::Component& content)>;

    ScriptedDialogs();
    ~ScriptedDialogs() override;

    void answerOkCancel (bool accept);
    void answerText (std::optional<juce::String> text);
    void answerFile (const juce::File& chosen); // save and open choosers; an empty File cancels
    void answerMenu (int chosenId);
    void answerModal (ModalAction action);

    const std::vector<ShownDialog>& shown() const { return record; }
    const ShownDialog& last() const;
    juce::StringArray titles() const;
    juce::StringArray messages() const;
    void forget() { record.clear(); }

    /** Runs the message loop until every asynchronous answer given so far has arrived. */
    void deliverAsyncAnswers();

    // Dialogs
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

private:
    ShownDialog& add (ShownDialog::Kind kind, const juce::String& title, const juce::String& message);
    int chooseMenuItem (const juce::PopupMenu& menu, ShownDialog::Kind kind);
    juce::File chooseFile (ShownDialog::Kind kind, const FileChooserRequest& request);
    int runScriptedModal (juce::Component& window, juce::Component& content, ShownDialog& shownDialog);
    void post (std::function<void()> answer);

    template <typename Answer>
    static std::optional<Answer> take (std::deque<Answer>& queue)
    {
        if (queue.empty())
            return std::nullopt;
        auto answer = std::move (queue.front());
        queue.pop_front();
        return answer;
    }

    Dialogs* previous;
    std::vector<ShownDialog> record;
    std::deque<bool> okCancelAnswers;
    std::deque<std::optional<juce::String>> textAnswers;
    std::deque<juce::File> fileAnswers;
    std::deque<int> menuAnswers;
    std::deque<ModalAction> modalActions;
    std::shared_ptr<int> pendingAsyncAnswers = std::make_shared<int> (0);
};
} // namespace talvor::test
