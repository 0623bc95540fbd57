#include "tests/support/ScriptedDialogs.h"

#include <gtest/gtest.h>

namespace talvor::test
{
namespace
{
// Bounds on how long the message loop is run for a modal window or an asynchronous answer
// (passes of at most a few milliseconds each), so a test that forgets to end one fails quickly.
constexpr int maximumLoopPasses = 2000;
constexpr int actionSettlingPasses = 25;

bool runLoopUntil (const std::function<bool()>& done, int passes = maximumLoopPasses)
{
    for (int pass = 0; pass < passes && ! done(); ++pass)
        juce::MessageManager::getInstance()->runDispatchLoopUntil (2);
    return done();
}

juce::String orOk (const juce::String& buttonText) { return buttonText.isEmpty() ? juce::String ("OK") : buttonText; }
} // namespace

ScriptedDialogs::ScriptedDialogs() : previous (setDialogs (this)) {}

ScriptedDialogs::~ScriptedDialogs() { setDialogs (previous); }

void ScriptedDialogs::answerOkCancel (bool accept) { okCancelAnswers.push_back (accept); }
void ScriptedDialogs::answerText (std::optional<juce::String> text) { textAnswers.push_back (std::move (text)); }
void ScriptedDialogs::answerFile (const juce::File& chosen) { fileAnswers.push_back (chosen); }
void ScriptedDialogs::answerMenu (int chosenId) { menuAnswers.push_back (chosenId); }
void ScriptedDialogs::answerModal (ModalAction action) { modalActions.push_back (std::move (action)); }

const ShownDialog& ScriptedDialogs::last() const
{
    static const ShownDialog none;
    return record.empty() ? none : record.back();
}

juce::StringArray ScriptedDialogs::titles() const
{
    juce::StringArray result;
    for (const auto& dialog : record)
        result.add (dialog.title);
    return result;
}

juce::StringArray ScriptedDialogs::messages() const
{
    juce::StringArray result;
    for (const auto& dialog : record)
        result.add (dialog.message);
    return result;
}

void ScriptedDialogs::deliverAsyncAnswers()
{
    const auto pending = pendingAsyncAnswers;
    EXPECT_TRUE (runLoopUntil ([pending] { return *pending == 0; })) << "asynchronous answers did not arrive";
}

ShownDialog& ScriptedDialogs::add (ShownDialog::Kind kind, const juce::String& title, const juce::String& message)
{
    ShownDialog dialog;
    dialog.kind = kind;
    dialog.title = title;
    dialog.message = message;
    record.push_back (dialog);
    return record.back();
}

void ScriptedDialogs::post (std::function<void()> answer)
{
    auto pending = pendingAsyncAnswers;
    ++*pending;
    juce::MessageManager::callAsync (
        [pending, answer = std::move (answer)]
        {
            --*pending;
            answer();
        });
}

void ScriptedDialogs::showMessageBox (juce::MessageBoxIconType icon, const juce::String& title, const juce::String& message,
                                      const juce::String& buttonText, juce::Component* associatedComponent)
{
    auto& dialog = add (ShownDialog::Kind::messageBox, title, message);
    dialog.icon = icon;
    dialog.buttons.add (orOk (buttonText));
    dialog.associatedComponent = associatedComponent;
    dialog.answeredByScript = true; // a box with one button has only one answer
}

void ScriptedDialogs::showMessageBoxAsync (juce::MessageBoxIconType icon, const juce::String& title, const juce::String& message,
                                           const juce::String& buttonText, juce::Component* associatedComponent,
                                           std::function<void()> onClosed)
{
    auto& dialog = add (ShownDialog::Kind::messageBoxAsync, title, message);
    dialog.icon = icon;
    dialog.buttons.add (orOk (buttonText));
    dialog.associatedComponent = associatedComponent;
    dialog.answeredByScript = true;
    post (
        [onClosed]
        {
            if (onClosed)
                onClosed();
        });
}

bool ScriptedDialogs::askOkCancel (juce::MessageBoxIconType icon, const juce::String& title, const juce::String& message,
                                   const juce::String& okText, const juce::String& cancelText, juce::Component* associatedComponent)
{
    auto& dialog = add (ShownDialog::Kind::okCancel, title, message);
    dialog.icon = icon;
    dialog.buttons.add (okText);
    dialog.buttons.add (cancelText);
    dialog.associatedComponent = associatedComponent;

    const auto answer = take (okCancelAnswers);
    dialog.answeredByScript = answer.has_value();
    return answer.value_or (false);
}

std::optional<juce::String> ScriptedDialogs::askForText (const TextInputRequest& request)
{
    auto& dialog = add (ShownDialog::Kind::textInput, request.title, request.message);
    dialog.icon = request.icon;
    dialog.buttons.add (request.okText);
    dialog.buttons.add (request.cancelText);
    dialog.fieldName = request.fieldName;
    dialog.initialText = request.initialText;

    auto answer = take (textAnswers);
    dialog.answeredByScript = answer.has_value();
    return answer.has_value() ? *answer : std::nullopt;
}

juce::File ScriptedDialogs::chooseFile (ShownDialog::Kind kind, const FileChooserRequest& request)
{
    auto& dialog = add (kind, request.title, {});
    dialog.filePatterns = request.filePatterns;
    dialog.initialLocation = request.initialLocation;
    dialog.warnAboutOverwriting = request.warnAboutOverwriting;

    const auto answer = take (fileAnswers);
    dialog.answeredByScript = answer.has_value();
    return answer.value_or (juce::File());
}

juce::File ScriptedDialogs::chooseFileToSave (const FileChooserRequest& request)
{
    return chooseFile (ShownDialog::Kind::saveChooser, request);
}

juce::File ScriptedDialogs::chooseFileToOpen (const FileChooserRequest& request)
{
    return chooseFile (ShownDialog::Kind::openChooser, request);
}

int ScriptedDialogs::chooseMenuItem (const juce::PopupMenu& menu, ShownDialog::Kind kind)
{
    auto& dialog = add (kind, {}, {});
    juce::Array<int> enabledIds;
    for (juce::PopupMenu::MenuItemIterator items (menu, true); items.next();)
    {
        const auto& item = items.getItem();
        if (item.itemID == 0)
            continue;
        dialog.menuItems.add (juce::String (item.itemID) + " " + item.text);
        if (item.isEnabled)
            enabledIds.add (item.itemID);
    }

    const auto answer = take (menuAnswers);
    dialog.answeredByScript = answer.has_value();
    const auto chosen = answer.value_or (0);
    if (chosen != 0 && ! enabledIds.contains (chosen))
    {
        ADD_FAILURE() << "the script chose item " << chosen << ", which the menu does not offer";
        return 0;
    }
    return chosen;
}

int ScriptedDialogs::showPopupMenu (const juce::PopupMenu& menu, const juce::PopupMenu::Options&)
{
    return chooseMenuItem (menu, ShownDialog::Kind::popupMenu);
}

void ScriptedDialogs::showPopupMenuAsync (const juce::PopupMenu& menu, const juce::PopupMenu::Options&, std::function<void (int)> onResult)
{
    const auto chosen = chooseMenuItem (menu, ShownDialog::Kind::popupMenuAsync);
    post (
        [onResult, chosen]
        {
            if (onResult)
                onResult (chosen);
        });
}

int ScriptedDialogs::runScriptedModal (juce::Component& window, juce::Component& content, ShownDialog& shownDialog)
{
    auto result = std::make_shared<std::optional<int>>();
    window.enterModalState (true, juce::ModalCallbackFunction::create ([result] (int value) { *result = value; }), false);

    auto action = take (modalActions);
    shownDialog.answeredByScript = action.has_value();
    if (action.has_value() && *action)
    {
        (*action) (content);
        // Give what the action started (posted clicks) a moment to end the run itself.
        runLoopUntil ([&window, result] { return result->has_value() || ! window.isCurrentlyModal (false); }, actionSettlingPasses);
    }

    if (window.isCurrentlyModal (false))
        window.exitModalState (0);

    EXPECT_TRUE (runLoopUntil ([result] { return result->has_value(); })) << "the modal run did not end";
    return result->value_or (0);
}

int ScriptedDialogs::runModalDialog (const ModalDialogRequest& request)
{
    auto& dialog = add (ShownDialog::Kind::modalDialog, request.title, {});
    dialog.associatedComponent = request.centreAround;
    if (request.content == nullptr)
    {
        ADD_FAILURE() << "a modal dialog without content";
        return 0;
    }

    juce::DialogWindow::LaunchOptions options;
    options.dialogTitle = request.title;
    options.content.setNonOwned (request.content);
    options.componentToCentreAround = request.centreAround;
    options.dialogBackgroundColour = request.background;
    options.escapeKeyTriggersCloseButton = request.escapeKeyCloses;
    options.useNativeTitleBar = request.useNativeTitleBar;
    options.resizable = request.resizable;
    std::unique_ptr<juce::DialogWindow> window (options.create());
    return runScriptedModal (*window, *request.content, dialog);
}

int ScriptedDialogs::runModalLoop (juce::Component& window)
{
    auto& dialog = add (ShownDialog::Kind::modalLoop, window.getName(), {});
    if (auto* alert = dynamic_cast<juce::AlertWindow*> (&window))
    {
        for (int i = 0; i < alert->getNumChildComponents(); ++i)
            if (auto* button = dynamic_cast<juce::Button*> (alert->getChildComponent (i)))
                dialog.buttons.add (button->getButtonText());
    }
    return runScriptedModal (window, window, dialog);
}
} // namespace talvor::test
