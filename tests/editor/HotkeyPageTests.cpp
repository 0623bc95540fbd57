#include "editor/KeyEntryWindow.h"
#include "link/Host.h"
#include "map/HidKeyTables.h"
#include "map/MapIdentifiers.h"
#include "map/SharedEditingState.h"
#include "tests/editor/KeysOnOwnDisplay.h"
#include "tests/editor/PagesHarness.h"

#include <gtest/gtest.h>

namespace
{
using namespace NsOrvelA;
using corvix::testing::findButtonWithText;
using Marks = std::array<juce::uint8, 3>;

// Made when used: the framework's key codes are not set up during static initialisation.
juce::KeyPress ctrlShiftA() { return { 'a', juce::ModifierKeys::ctrlModifier | juce::ModifierKeys::shiftModifier, 0 }; }
juce::KeyPress f5() { return juce::KeyPress (juce::KeyPress::F5Key); }

class HotkeyPageTest : public corvix::testing::PagesTest
{
protected:
    HotkeyPageTest()
    {
        chooseWorkstation (2);

        // The factory map names some of these buttons; the cases below start from unnamed ones.
        for (int id = 40; id <= 48; ++id)
            entry (id).setProperty (mapIds::valueType, "nil", nullptr).setProperty (mapIds::name, "", nullptr);
    }

    HotkeyPage& page() { return pages->hotkeyPage; }

    /** Runs a capture: the input acts on the open window, then "OK" or "Cancel" is clicked. */
    void capture (const std::function<void (KeyEntryWindow&)>& input, bool confirm = true)
    {
        dialogs.answerModal (
            [input, confirm] (juce::Component& content)
            {
                auto& keyWindow = dynamic_cast<KeyEntryWindow&> (content);
                input (keyWindow);
                findButtonWithText (keyWindow, confirm ? "OK" : "Cancel")->triggerClick();
            });
        page().buttonClicked (&page().getChangeButton());
    }

    void captureKey (const juce::KeyPress& key, bool confirm = true)
    {
        capture ([key] (KeyEntryWindow& w) { w.keyPressed (key); }, confirm);
    }

    void captureWheel (float deltaY)
    {
        capture (
            [deltaY] (KeyEntryWindow& w)
            {
                juce::MouseWheelDetails wheel{};
                wheel.deltaY = deltaY;
                w.mouseWheelMove (juce::MouseEvent (juce::Desktop::getInstance().getMainMouseSource(), {}, {}, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f,
                                                    &w, &w, juce::Time(), {}, juce::Time(), 1, false),
                                  wheel);
            });
    }

    /** Types into the name field as the user does: the field's editor, then Return. */
    void typeName (const juce::String& text)
    {
        page().getNameField().showEditor();
        auto* editor = page().getNameField().getCurrentTextEditor();
        ASSERT_NE (editor, nullptr);
        editor->setText ({}, false);
        editor->insertTextAtCaret (text);
        page().getNameField().hideEditor (false);
    }
};

TEST_F (HotkeyPageTest, TheWindowAsksForAKeyAndCancelChangesNothing)
{
    pages->select (40);
    const auto before = entry (40).createCopy();
    const auto keyText = page().getKeyText().getText();

    captureKey (ctrlShiftA(), false);

    ASSERT_EQ (dialogs.shown().size(), 1u);
    EXPECT_EQ (dialogs.last().title, "New hotkey");
    EXPECT_EQ (dialogs.last().buttons, (juce::StringArray{ "OK", "Cancel" }));
    EXPECT_TRUE (entry (40).isEquivalentTo (before));
    EXPECT_EQ (page().getKeyText().getText(), keyText);
    EXPECT_EQ (slotDirty, (Marks{ 0, 0, 0 }));
}

TEST_F (HotkeyPageTest, OkWithoutInputStillRefreshesAndMarksTheSlot)
{
    pages->select (40);
    const auto before = entry (40).createCopy();
    const auto refreshes = pages->panelRefreshes;

    capture ([] (KeyEntryWindow&) {});

    EXPECT_TRUE (entry (40).isEquivalentTo (before));
    EXPECT_GT (pages->panelRefreshes, refreshes);
    EXPECT_EQ (slotDirty, (Marks{ 1, 0, 0 }));
}

TEST_F (HotkeyPageTest, AKeyCombinationBecomesTheControlsHotkey)
{
    auto& control = pages->select (41);
    captureKey (ctrlShiftA());

    const auto e = entry (41);
    EXPECT_EQ (e.getProperty (mapIds::valueType).toString(), "hotkey");
    EXPECT_TRUE (static_cast<bool> (e.getProperty (mapIds::ctrl)));
    EXPECT_TRUE (static_cast<bool> (e.getProperty (mapIds::shift)));
    EXPECT_FALSE (static_cast<bool> (e.getProperty (mapIds::alt)));
    EXPECT_FALSE (static_cast<bool> (e.getProperty (mapIds::cmd)));
    EXPECT_EQ (static_cast<int> (e.getProperty (mapIds::key)), 4);
    EXPECT_EQ (e.getProperty (mapIds::keyName).toString(), "A");
    EXPECT_EQ (e.getProperty (mapIds::name).toString(), "");
    EXPECT_EQ (page().getKeyText().getText(), "CTRL+SHIFT+A");
    EXPECT_EQ (page().getNameField().getText(), "ctrl+shift A");
    EXPECT_EQ (control.getButtonText(), control.makeCaption());
    EXPECT_TRUE (control.getButtonText().isNotEmpty());
    EXPECT_EQ (slotDirty, (Marks{ 1, 0, 0 }));
}

TEST_F (HotkeyPageTest, ReturnEscapeAndTabAreCapturedAndLeaveTheWindowOpen)
{
    pages->select (42);
    juce::StringArray messages;
    bool stillOpen = true;

    capture (
        [&] (KeyEntryWindow& keyWindow)
        {
            keyWindow.setVisible (true);
            keyWindow.grabKeyboardFocus();
            auto* peer = keyWindow.getPeer();
            ASSERT_NE (peer, nullptr);

            for (auto key : { juce::KeyPress::returnKey, juce::KeyPress::escapeKey, juce::KeyPress::tabKey })
            {
                peer->handleKeyPress (juce::KeyPress (key));
                corvix::testing::GuiHarness::pump();
                stillOpen = stillOpen && keyWindow.isCurrentlyModal (false);
                messages.add (keyWindow.getCaptureText());
            }
        });

    EXPECT_TRUE (stillOpen);
    EXPECT_EQ (messages, (juce::StringArray{ "RETURN", "ESCAPE", "TAB" }));
    EXPECT_EQ (static_cast<int> (entry (42).getProperty (mapIds::key)), 43);
    EXPECT_EQ (entry (42).getProperty (mapIds::keyName).toString(), "Tab");
}

TEST_F (HotkeyPageTest, EveryKeyWhoseDescriptionHasABlankOrAPlusIsStoredWithItsKey)
{
    auto& control = pages->select (42);
    juce::StringArray checked, unpressable;
    const std::initializer_list<int> heldSets = { 0, juce::ModifierKeys::ctrlModifier,
                                                  juce::ModifierKeys::ctrlModifier | juce::ModifierKeys::shiftModifier
                                                      | juce::ModifierKeys::altModifier };

    for (int usage = 0; usage < hidUsageCount; ++usage)
    {
        const auto description = hidUsageKeyDescriptions (usage);

        if (! description.containsAnyOf (" +"))
            continue;

        const auto keyCode = juce::KeyPress::createFromDescription (description).getKeyCode();

        if (juce::KeyPress (keyCode).getTextDescription() != description)
        {
            unpressable.add (description);
            continue;
        }

        for (auto held : heldSets)
        {
            const juce::KeyPress key (keyCode, juce::ModifierKeys (held), 0);
            const auto typed = key.getTextDescription();

            // Through the window's peer, as the keyboard delivers it.
            capture (
                [key] (KeyEntryWindow& keyWindow)
                {
                    keyWindow.setVisible (true);
                    keyWindow.grabKeyboardFocus();
                    ASSERT_NE (keyWindow.getPeer(), nullptr);
                    keyWindow.getPeer()->handleKeyPress (key);
                    corvix::testing::GuiHarness::pump();
                });

            const auto e = entry (42);
            const auto keyName = hidUsageDisplayNames (usage);
            const auto modifierText = typed.upToLastOccurrenceOf (" + ", false, false).removeCharacters (" ");
            EXPECT_EQ (static_cast<int> (e.getProperty (mapIds::key)), usage) << typed;
            EXPECT_EQ (e.getProperty (mapIds::keyName).toString(), keyName) << typed;
            EXPECT_EQ (page().getKeyText().getText(), typed.removeCharacters (" ").toUpperCase()) << typed;
            EXPECT_EQ (page().getNameField().getText(), held == 0 ? keyName : modifierText + " " + keyName) << typed;
            EXPECT_EQ (control.getButtonText(), control.makeCaption()) << typed;
        }

        checked.add (description);
    }

    // The arrows, the page keys, the number pad and "+"; only the table's error entry names no key.
    EXPECT_EQ (unpressable, juce::StringArray ("Error Undefined"));
    EXPECT_EQ (checked.size(), 18) << checked.joinIntoString (", ").toStdString();
}

// Real keys, through the X server to the window: the framework reports a keypad key as the main key
// it stands for, and only the key held down tells them apart.
TEST_F (HotkeyPageTest, KeypadKeysPressedOnTheKeyboardAreStoredAsTheKeypadsWithNumLockOnAndOff)
{
    if (! corvix::testing::onOwnDisplay())
        return corvix::testing::runThisTestOnOwnDisplay();

    struct Pressed
    {
        std::vector<const char*> keys; // X key names, modifiers first
        int usage;
        juce::String keyName;
        juce::String keyText;
    };

    const std::vector<Pressed> presses{
        { { "KP_1" }, 89, "Num1", "NUMPAD1" },
        { { "KP_Enter" }, 88, "#58", "#58" }, // the key tables give its usage no name of its own
        { { "Control_L", "KP_Subtract" }, 86, "Num-", "CTRL+NUMPAD-" },
        { { "KP_5" }, 93, "Num5", "NUMPAD5" }, // without Num Lock the framework reports no key press for it
        { { "1" }, 30, "1", "1" },
        { { "Return" }, 40, "Enter", "RETURN" },
    };

    corvix::testing::TestKeyboard keyboard;
    pages->select (42);

    for (auto numLock : { true, false })
    {
        keyboard.setNumLock (numLock);

        for (const auto& pressed : presses)
        {
            const auto what = juce::String (pressed.keys.back()) + (numLock ? " with Num Lock" : " without Num Lock");
            bool captured = false;

            capture (
                [&] (KeyEntryWindow& keyWindow)
                {
                    ASSERT_TRUE (keyboard.waitForFocus (keyWindow)) << what;
                    const auto asking = keyWindow.getCaptureText();

                    // Held until the window has it, as a finger holds a key.
                    keyboard.press (pressed.keys);
                    captured = corvix::testing::GuiHarness::pumpUntil ([&] { return keyWindow.getCaptureText() != asking; });
                    keyboard.release (pressed.keys);
                    corvix::testing::GuiHarness::pumpUntil ([] { return ! juce::ModifierKeys::getCurrentModifiers().isCtrlDown(); });
                });

            ASSERT_TRUE (captured) << what;
            const auto e = entry (42);
            EXPECT_EQ (static_cast<int> (e.getProperty (mapIds::key)), pressed.usage) << what;
            EXPECT_EQ (e.getProperty (mapIds::keyName).toString(), pressed.keyName) << what;
            EXPECT_EQ (static_cast<bool> (e.getProperty (mapIds::ctrl)), pressed.keys.size() > 1) << what;
            EXPECT_EQ (page().getKeyText().getText(), pressed.keyText) << what;
        }
    }
}

TEST_F (HotkeyPageTest, AWheelStepOfZeroIsADownwardStep)
{
    pages->select (43);
    captureWheel (0.0f);

    auto e = entry (43);
    EXPECT_EQ (e.getProperty (mapIds::valueType).toString(), "mouse");
    EXPECT_EQ (e.getProperty (mapIds::keyName).toString(), "wheel down");
    EXPECT_EQ (static_cast<int> (e.getProperty (mapIds::key)), 0);
    EXPECT_EQ (page().getKeyText().getText(), "WHEEL DOWN");

    captureWheel (0.25f);
    EXPECT_EQ (entry (43).getProperty (mapIds::keyName).toString(), "wheel up");
    EXPECT_EQ (page().getNameField().getText(), "wheel up") << "the automatic name follows";
}

TEST_F (HotkeyPageTest, ATypedNameSurvivesANewCaptureAndAnAutomaticOneIsReplaced)
{
    pages->select (44);
    captureKey (f5());
    EXPECT_EQ (page().getNameField().getText(), "F5");

    captureKey (ctrlShiftA());
    EXPECT_EQ (page().getNameField().getText(), "ctrl+shift A");
    EXPECT_EQ (entry (44).getProperty (mapIds::name).toString(), "");

    typeName ("Undo all");
    EXPECT_EQ (entry (44).getProperty (mapIds::name).toString(), "Undo all");

    captureKey (f5());
    EXPECT_EQ (entry (44).getProperty (mapIds::name).toString(), "Undo all");
    EXPECT_EQ (page().getNameField().getText(), "Undo all");
    EXPECT_EQ (entry (44).getProperty (mapIds::keyName).toString(), "F5");
}

TEST_F (HotkeyPageTest, NamesHaveAtMostSixteenPrintableCharacters)
{
    pages->select (45);
    typeName (juce::String::fromUTF8 ("Seventeen chars!!x\xc3\xa9"));
    EXPECT_EQ (entry (45).getProperty (mapIds::name).toString(), "Seventeen chars!");

    page().getNameField().setText ("0123456789abcdefXYZ", juce::sendNotificationSync);
    EXPECT_EQ (entry (45).getProperty (mapIds::name).toString(), "0123456789abcdef") << "cut to 16 when stored";

    page().getNameField().setText (juce::String::fromUTF8 ("caf\xc3\xa9"), juce::sendNotificationSync);
    EXPECT_EQ (entry (45).getProperty (mapIds::name).toString(), "0123456789abcdef") << "not stored at all";
}

TEST_F (HotkeyPageTest, NamingAControlMakesItAHotkey)
{
    for (auto kind : { "mouse", "func", "midi" })
    {
        pages->select (47);
        entry (47).setProperty (mapIds::valueType, kind, nullptr);
        typeName (juce::String ("Named ") + kind);
        EXPECT_EQ (entry (47).getProperty (mapIds::valueType).toString(), "hotkey") << kind;
    }
}

TEST_F (HotkeyPageTest, AFixedHuiButtonGetsNoHotkeyAndNoName)
{
    chooseWorkstation (3);
    pages->select (46);
    const auto before = entry (46).createCopy();

    captureKey (ctrlShiftA());
    captureWheel (1.0f);
    typeName ("Mine");

    EXPECT_TRUE (entry (46).isEquivalentTo (before));
    EXPECT_EQ (slotDirty, (Marks{ 0, 0, 0 }));
}

TEST_F (HotkeyPageTest, ACaptureFreesTheFunctionTheControlHad)
{
    pages->select (48);
    auto& layer = pages->funcPage.getLayer();
    auto& function = layer.getFunctionButton (9);
    layer.buttonClicked (&function);
    ASSERT_FALSE (function.isEnabled());

    captureKey (f5());
    EXPECT_TRUE (function.isEnabled());
    EXPECT_EQ (entry (48).getProperty (mapIds::valueType).toString(), "hotkey");
}

TEST_F (HotkeyPageTest, TheKeyTextFollowsACaptureWithoutSelectedControl)
{
    captureKey (f5());
    EXPECT_EQ (page().getKeyText().getText(), "F5");
    EXPECT_EQ (slotDirty, (Marks{ 0, 0, 0 }));
}

TEST_F (HotkeyPageTest, TheNameRowsAreForButtonControlsOnly)
{
    pages->select (40);
    EXPECT_TRUE (page().getNameField().isVisible());
    pages->select (185);
    EXPECT_FALSE (page().getNameField().isVisible());
    EXPECT_FALSE (page().getNameTitle().isVisible());
}
} // namespace
