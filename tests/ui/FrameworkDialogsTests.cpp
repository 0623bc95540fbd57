#include "platform/EnvironmentVariable.h"
#include "tests/support/RunningUnderWine.h"
#include "tests/support/ScriptedDialogs.h"
#include "ui/FrameworkDialogs.h"

#include <gtest/gtest.h>

namespace
{
using talvor::dialogs;

// The framework's dialogs run nested loops; these tests act on the modal window from a message
// posted before the dialog opens, as a user would once it is on screen.
juce::Component* topModal() { return juce::ModalComponentManager::getInstance()->getModalComponent (0); }

void whenModal (std::function<void (juce::Component&)> act)
{
    juce::MessageManager::callAsync (
        [act]
        {
            if (auto* modal = topModal())
                act (*modal);
        });
}

juce::Button* buttonNamed (juce::Component& parent, const juce::String& text)
{
    for (auto* child : parent.getChildren())
        if (auto* button = dynamic_cast<juce::Button*> (child); button != nullptr && button->getButtonText() == text)
            return button;
    return nullptr;
}

TEST (DialogsTest, TheFrameworkImplementationIsTheDefaultAndAnInstalledOneReplacesItForItsLifetime)
{
    EXPECT_NE (dynamic_cast<talvor::FrameworkDialogs*> (&dialogs()), nullptr);
    {
        talvor::test::ScriptedDialogs outer;
        EXPECT_EQ (&dialogs(), &outer);
        {
            talvor::test::ScriptedDialogs inner;
            EXPECT_EQ (&dialogs(), &inner);
        }
        EXPECT_EQ (&dialogs(), &outer);
    }
    EXPECT_NE (dynamic_cast<talvor::FrameworkDialogs*> (&dialogs()), nullptr);
}

class FrameworkDialogsTest : public testing::Test
{
protected:
    talvor::FrameworkDialogs framework;
    talvor::TextInputRequest sysexRequest{ juce::MessageBoxIconType::InfoIcon, "Input MIDI SYSEX", "SYSEX for sending:", "sysex",
                                           "F02215 100900 0426F7" };
};

TEST_F (FrameworkDialogsTest, TextInputGivesTheEditedTextOnlyWhenTheAcceptingButtonIsPressed)
{
    whenModal (
        [] (juce::Component& window)
        {
            auto& alert = dynamic_cast<juce::AlertWindow&> (window);
            alert.getTextEditor ("sysex")->setText ("F0 7E");
            buttonNamed (alert, "OK")->triggerClick();
        });
    EXPECT_EQ (framework.askForText (sysexRequest), std::optional<juce::String> ("F0 7E"));
}

TEST_F (FrameworkDialogsTest, TextInputCancelledByButtonEscapeOrClosingGivesNothing)
{
    whenModal ([] (juce::Component& window) { buttonNamed (window, "Cancel")->triggerClick(); });
    EXPECT_EQ (framework.askForText (sysexRequest), std::nullopt);

    whenModal ([] (juce::Component& window) { window.keyPressed (juce::KeyPress (juce::KeyPress::escapeKey)); });
    EXPECT_EQ (framework.askForText (sysexRequest), std::nullopt);

    whenModal ([] (juce::Component& window) { window.exitModalState (0); });
    EXPECT_EQ (framework.askForText (sysexRequest), std::nullopt);
}

TEST_F (FrameworkDialogsTest, AModalDialogEndsWithTheValueItsContentGivesAndZeroForItsCloseButton)
{
    juce::Component content;
    content.setSize (200, 100);
    talvor::ModalDialogRequest request;
    request.title = "Select your device to connect";
    request.content = &content;

    whenModal (
        [&content] (juce::Component& window)
        {
            EXPECT_EQ (window.getName(), "Select your device to connect");
            EXPECT_TRUE (content.isShowing());
            if (auto* dialog = content.findParentComponentOfClass<juce::DialogWindow>())
                dialog->exitModalState (7);
        });
    EXPECT_EQ (framework.runModalDialog (request), 7);

    whenModal ([] (juce::Component& window) { dynamic_cast<juce::DialogWindow&> (window).closeButtonPressed(); });
    EXPECT_EQ (framework.runModalDialog (request), 0);
    EXPECT_EQ (content.getParentComponent(), nullptr) << "the dialog is gone and the content is the caller's again";
}

TEST_F (FrameworkDialogsTest, AModalOkCancelQuestionIsTrueOnlyForTheFirstButton)
{
    whenModal ([] (juce::Component& window) { buttonNamed (window, "Yes")->triggerClick(); });
    EXPECT_TRUE (framework.askOkCancel (juce::MessageBoxIconType::InfoIcon, "Firmware Upgrade", "Leave?", "Yes", "No", nullptr));

    whenModal ([] (juce::Component& window) { buttonNamed (window, "No")->triggerClick(); });
    EXPECT_FALSE (framework.askOkCancel (juce::MessageBoxIconType::InfoIcon, "Firmware Upgrade", "Leave?", "Yes", "No", nullptr));
}

// Stand-ins for the desktop choosers the framework starts on Linux: each writes the folder it was
// started in and its arguments to a file beside itself and answers with a file in that folder.
class DesktopChoosers
{
public:
    DesktopChoosers()
    {
        bin.createDirectory();
        documents.createDirectory();
        for (auto name : { "zenity", "kdialog" })
        {
            const auto program = bin.getChildFile (name);
            program.replaceWithText (R"(#!/bin/sh
{ pwd; printf '%s\n' "$@"; } > "$0.args"
printf '%s\n' "$PWD/picked.corvix"
)",
                                     false, false, "\n");
            program.setExecutePermission (true);
        }
        talvor::setEnvironmentVariable ("PATH", (bin.getFullPathName() + ":" + previousPath).toRawUTF8());
        talvor::removeEnvironmentVariable ("KDE_FULL_SESSION");
    }

    ~DesktopChoosers()
    {
        talvor::setEnvironmentVariable ("PATH", previousPath.toRawUTF8());
        if (previousKdeSession.isNotEmpty())
            talvor::setEnvironmentVariable ("KDE_FULL_SESSION", previousKdeSession.toRawUTF8());
        previousFolder.setAsCurrentWorkingDirectory();
        scratch.getFile().deleteRecursively();
    }

    /** The folder the chooser ran in, then its arguments, from its last run. */
    juce::StringArray lastRun (const char* name) const
    {
        return juce::StringArray::fromLines (bin.getChildFile (juce::String (name) + ".args").loadFileAsString().trimEnd());
    }

    juce::TemporaryFile scratch;
    const juce::File bin{ scratch.getFile().getChildFile ("bin") };
    const juce::File documents{ scratch.getFile().getChildFile ("Documents") };

private:
    const juce::String previousPath{ juce::SystemStats::getEnvironmentVariable ("PATH", {}) };
    const juce::String previousKdeSession{ juce::SystemStats::getEnvironmentVariable ("KDE_FULL_SESSION", {}) };
    const juce::File previousFolder{ juce::File::getCurrentWorkingDirectory() };
};

juce::String proposedName (const juce::StringArray& run)
{
    for (const auto& argument : run)
        if (argument.startsWith ("--filename="))
            return argument.fromFirstOccurrenceOf ("=", false, false);
    return {};
}

TEST_F (FrameworkDialogsTest, TheDesktopChoosersOpenInTheStartingFolderWithNoFileNameProposed)
{
#if JUCE_WINDOWS
    GTEST_SKIP() << "the desktop choosers zenity and kdialog are Linux programs; Windows has its own";
#endif
    DesktopChoosers choosers;
    ASSERT_TRUE (juce::FileChooser::isPlatformDialogAvailable())
        << "the framework looked for a desktop chooser before the stand-ins were in place";
    const talvor::FileChooserRequest request{ "Save Mapping", choosers.documents, "*.corvix", false };
    const auto picked = choosers.documents.getChildFile ("picked.corvix");

    EXPECT_EQ (framework.chooseFileToSave (request), picked);
    auto run = choosers.lastRun ("zenity");
    ASSERT_TRUE (run.contains ("--save")) << run.joinIntoString (" ");
    EXPECT_EQ (juce::File (run[0]), choosers.documents);
    EXPECT_EQ (proposedName (run), "") << run.joinIntoString (" ");

    // Zenity's open chooser shows the folder only when pointed at a place inside it (else it
    // shows recent files); it has no name field.
    EXPECT_EQ (framework.chooseFileToOpen (request), picked);
    run = choosers.lastRun ("zenity");
    EXPECT_FALSE (run.contains ("--save"));
    EXPECT_EQ (juce::File (run[0]), choosers.documents);
    EXPECT_EQ (juce::File (run[0]).getChildFile (proposedName (run)).getParentDirectory(), choosers.documents) << run.joinIntoString (" ");

    // In a KDE session the framework starts kdialog, which is handed the folder itself.
    talvor::setEnvironmentVariable ("KDE_FULL_SESSION", "true");
    EXPECT_EQ (framework.chooseFileToSave (request), picked);
    talvor::removeEnvironmentVariable ("KDE_FULL_SESSION");
    run = choosers.lastRun ("kdialog");
    const auto start = run.indexOf ("--getsavefilename");
    ASSERT_GE (start, 0) << run.joinIntoString (" ");
    EXPECT_EQ (juce::File (run[start + 1]), choosers.documents);
}

TEST_F (FrameworkDialogsTest, APopupMenuGivesTheChosenIdAndZeroWhenDismissed)
{
    if (corvix::testing::runningUnderWine())
        GTEST_SKIP()
            << "under Wine on a virtual X server the framework dismisses the menu at once: it finds its process not in the foreground";
    juce::PopupMenu menu;
    menu.addItem (1, "Quit");

    whenModal ([] (juce::Component& window) { window.exitModalState (1); });
    EXPECT_EQ (framework.showPopupMenu (menu, {}), 1);

    whenModal ([] (juce::Component& window) { window.exitModalState (0); });
    EXPECT_EQ (framework.showPopupMenu (menu, {}), 0);
}
} // namespace
