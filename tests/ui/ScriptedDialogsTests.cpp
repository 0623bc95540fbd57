#include "tests/support/ScriptedDialogs.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

namespace
{
using talvor::dialogs;
using talvor::test::ScriptedDialogs;
using Kind = talvor::test::ShownDialog::Kind;

juce::DialogWindow& dialogAround (juce::Component& content)
{
    auto* window = content.findParentComponentOfClass<juce::DialogWindow>();
    if (window == nullptr)
        throw std::runtime_error ("the content is not inside a dialog window");
    return *window;
}

TEST (ScriptedDialogsTest, RecordsEveryBoxWithItsTitleTextsAndButtons)
{
    ScriptedDialogs scripted;
    dialogs().showMessageBox (juce::MessageBoxIconType::NoIcon, {}, "Wrong length!");
    dialogs().showMessageBoxAsync (juce::MessageBoxIconType::WarningIcon, "Send Mapping", "Done!");

    ASSERT_EQ (scripted.shown().size(), 2u);
    EXPECT_EQ (scripted.shown()[0].kind, Kind::messageBox);
    EXPECT_EQ (scripted.shown()[0].title, "");
    EXPECT_EQ (scripted.shown()[0].buttons, juce::StringArray ("OK"));
    EXPECT_EQ (scripted.last().kind, Kind::messageBoxAsync);
    EXPECT_EQ (scripted.last().icon, juce::MessageBoxIconType::WarningIcon);
    EXPECT_EQ (scripted.titles(), juce::StringArray ("", "Send Mapping"));
    EXPECT_EQ (scripted.messages(), juce::StringArray ("Wrong length!", "Done!"));
}

TEST (ScriptedDialogsTest, AnswersComeInScriptedOrderAndAnUnscriptedDialogIsCancelled)
{
    ScriptedDialogs scripted;
    scripted.answerOkCancel (true);
    scripted.answerText ("F0 7E");
    scripted.answerText (std::nullopt);
    scripted.answerFile (juce::File ("/tmp/map.corvix"));

    EXPECT_TRUE (dialogs().askOkCancel (juce::MessageBoxIconType::InfoIcon, "t", "m", "Yes", "No", nullptr));
    EXPECT_FALSE (dialogs().askOkCancel (juce::MessageBoxIconType::InfoIcon, "t", "m", "Yes", "No", nullptr));
    EXPECT_TRUE (scripted.shown()[0].answeredByScript);
    EXPECT_FALSE (scripted.shown()[1].answeredByScript);

    talvor::TextInputRequest request{ juce::MessageBoxIconType::InfoIcon, "Input MIDI SYSEX", "SYSEX for sending:", "sysex",
                                      "F02215 100900 0426F7" };
    EXPECT_EQ (dialogs().askForText (request), std::optional<juce::String> ("F0 7E"));
    EXPECT_EQ (dialogs().askForText (request), std::nullopt);
    EXPECT_EQ (dialogs().askForText (request), std::nullopt);
    EXPECT_EQ (scripted.last().initialText, "F02215 100900 0426F7");
    EXPECT_EQ (scripted.last().buttons, juce::StringArray ("OK", "Cancel"));

    talvor::FileChooserRequest chooser{ "Save Mapping", {}, "*.corvix" };
    EXPECT_EQ (dialogs().chooseFileToSave (chooser), juce::File ("/tmp/map.corvix"));
    EXPECT_EQ (dialogs().chooseFileToOpen (chooser), juce::File());
    EXPECT_EQ (scripted.last().kind, Kind::openChooser);
    EXPECT_EQ (scripted.last().filePatterns, "*.corvix");
}

TEST (ScriptedDialogsTest, AsynchronousAnswersArriveThroughTheMessageLoopOnly)
{
    ScriptedDialogs scripted;
    juce::PopupMenu menu;
    menu.addItem (1, "Quit");
    scripted.answerMenu (1);

    int chosen = -1;
    bool closed = false;
    dialogs().showPopupMenuAsync (menu, {}, [&chosen] (int id) { chosen = id; });
    dialogs().showMessageBoxAsync (juce::MessageBoxIconType::NoIcon, "Send Mapping", "Done!", {}, nullptr, [&closed] { closed = true; });
    EXPECT_EQ (chosen, -1);
    EXPECT_FALSE (closed);

    scripted.deliverAsyncAnswers();
    EXPECT_EQ (chosen, 1);
    EXPECT_TRUE (closed);
    EXPECT_EQ (scripted.shown()[0].menuItems, juce::StringArray ("1 Quit"));

    dialogs().showPopupMenuAsync (menu, {}, [&chosen] (int id) { chosen = id; });
    scripted.deliverAsyncAnswers();
    EXPECT_EQ (chosen, 0) << "an unscripted menu is dismissed";
}

TEST (ScriptedDialogsTest, AScriptThatChoosesAnItemTheMenuDoesNotOfferFailsTheTest)
{
    juce::PopupMenu menu;
    menu.addItem (1, "Reset to default");
    menu.addItem (2, "Remove this DAW", false);

    EXPECT_NONFATAL_FAILURE (
        {
            ScriptedDialogs scripted;
            scripted.answerMenu (3);
            EXPECT_EQ (dialogs().showPopupMenu (menu, {}), 0);
        },
        "does not offer");
    EXPECT_NONFATAL_FAILURE (
        {
            ScriptedDialogs scripted;
            scripted.answerMenu (2);
            EXPECT_EQ (dialogs().showPopupMenu (menu, {}), 0);
        },
        "does not offer");
}

class ScriptedModalTest : public testing::Test
{
protected:
    ScriptedDialogs scripted;
    juce::TextButton select{ "Select" };
    juce::Component content;
    talvor::ModalDialogRequest request;

    void SetUp() override
    {
        content.setSize (300, 200);
        content.addAndMakeVisible (select);
        select.setBounds (10, 10, 80, 24);
        select.onClick = [this]
        {
            if (auto* window = content.findParentComponentOfClass<juce::DialogWindow>())
                window->exitModalState (1);
        };
        request.title = "Select your device to connect";
        request.content = &content;
    }
};

TEST_F (ScriptedModalTest, TheActionWorksTheRealContentWhileItIsModalAndItsResultIsReturned)
{
    bool wasModal = false;
    scripted.answerModal (
        [&] (juce::Component& shownContent)
        {
            EXPECT_EQ (&shownContent, &content);
            wasModal = dialogAround (content).isCurrentlyModal();
            select.triggerClick();
        });

    EXPECT_EQ (dialogs().runModalDialog (request), 1);
    EXPECT_TRUE (wasModal);
    EXPECT_EQ (scripted.last().title, "Select your device to connect");
    EXPECT_EQ (content.getParentComponent(), nullptr);
}

TEST_F (ScriptedModalTest, EscapeTheCloseButtonAndAnUnscriptedRunEndWithZero)
{
    scripted.answerModal (
        [] (juce::Component& shownContent)
        {
            juce::Component& window = dialogAround (shownContent);
            window.keyPressed (juce::KeyPress (juce::KeyPress::escapeKey));
        });
    scripted.answerModal ([] (juce::Component& shownContent) { dialogAround (shownContent).closeButtonPressed(); });

    EXPECT_EQ (dialogs().runModalDialog (request), 0);
    EXPECT_EQ (dialogs().runModalDialog (request), 0);
    EXPECT_EQ (dialogs().runModalDialog (request), 0);
    EXPECT_FALSE (scripted.last().answeredByScript);
}

TEST_F (ScriptedModalTest, AnAlertWindowRunsModallyWithItsOwnButtons)
{
    juce::AlertWindow alert ("New hotkey", "Please press a key combination now...", juce::MessageBoxIconType::NoIcon);
    alert.addButton ("OK", 1);
    alert.addButton ("Cancel", 0);
    scripted.answerModal (
        [] (juce::Component& window)
        {
            for (auto* child : window.getChildren())
                if (auto* button = dynamic_cast<juce::Button*> (child); button != nullptr && button->getButtonText() == "OK")
                    button->triggerClick();
        });

    EXPECT_EQ (dialogs().runModalLoop (alert), 1);
    EXPECT_EQ (scripted.last().kind, Kind::modalLoop);
    EXPECT_EQ (scripted.last().title, "New hotkey");
    EXPECT_EQ (scripted.last().buttons, juce::StringArray ("OK", "Cancel"));
}
} // namespace
