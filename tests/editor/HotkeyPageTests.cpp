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

// Real keys, as a keyboard sends them to the window (through the X server on Linux, as scan codes
// on Windows): the framework reports a keypad key as the main key it stands for, and only the press
// as the system reports it tells them apart. Tapped, so that the key is up again before the
// framework handles its press, and also sent in quick succession and held until it repeats.
TEST_F (HotkeyPageTest, KeypadKeysPressedOnTheKeyboardAreStoredAsTheKeypadsWithNumLockOnAndOff)
{
    if (! corvix::testing::onOwnDisplay())
        return corvix::testing::runThisTestOnOwnDisplay();

    struct Pressed
    {
        juce::String keys; // taps sent back to back (see TestKeyboard::tap), or the keys held
        int usage;
        juce::String keyName;
        juce::String shown; // what the window shows of the last key
        juce::String keyText;
        bool held = false; // until it has repeated, else tapped
    };

    const std::vector<Pressed> presses{
        { "KP_0", 98, "Num0", "NUMPAD 0", "NUMPAD0" },
        { "KP_1", 89, "Num1", "NUMPAD 1", "NUMPAD1" },
        { "KP_2", 90, "Num2", "NUMPAD 2", "NUMPAD2" },
        { "KP_3", 91, "Num3", "NUMPAD 3", "NUMPAD3" },
        { "KP_4", 92, "Num4", "NUMPAD 4", "NUMPAD4" },
        { "KP_5", 93, "Num5", "NUMPAD 5", "NUMPAD5" }, // without Num Lock no key press on Linux, key code 0 on Windows
        { "KP_6", 94, "Num6", "NUMPAD 6", "NUMPAD6" },
        { "KP_7", 95, "Num7", "NUMPAD 7", "NUMPAD7" },
        { "KP_8", 96, "Num8", "NUMPAD 8", "NUMPAD8" },
        { "KP_9", 97, "Num9", "NUMPAD 9", "NUMPAD9" },
        { "KP_Enter", 88, "#58", "NUMPAD ENTER", "#58" }, // the key tables give its usage no name of its own
        { "KP_Divide", 84, "#54", "NUMPAD /", "#54" },
        { "KP_Multiply", 85, "*", "NUMPAD *", "*" },
        { "Control_L+KP_Subtract", 86, "Num-", "CTRL + NUMPAD -", "CTRL+NUMPAD-" },
        { "KP_Add", 87, "+", "NUMPAD +", "+" },
        { "KP_Decimal", 99, "#63", "NUMPAD .", "#63" },
        // The main keys the keypad's come as; End and Enter share scan codes with keypad keys.
        { "1", 30, "1", "1", "1" },
        { "Return", 40, "Enter", "RETURN", "RETURN" },
        { "End", 77, "End", "END", "END" },
        // Taps sent together, each told by its own press, in order: the main 1 is not taken for the
        // keypad 5 that goes down after it (which makes no key press of its own without Num Lock).
        { "KP_1 1", 30, "1", "1", "1" },
        { "1 KP_5", 93, "Num5", "NUMPAD 5", "NUMPAD5" },
        // A repeat comes without a press of its own on Linux.
        { "KP_1", 89, "Num1", "NUMPAD 1", "NUMPAD1", true },
    };

    struct PressCounter final : juce::KeyListener
    {
        int presses = 0;
        bool keyPressed (const juce::KeyPress&, juce::Component*) override
        {
            ++presses;
            return false; // the window still captures it
        }
    };

    corvix::testing::TestKeyboard keyboard;
    pages->select (42);

    for (auto numLock : { true, false })
    {
        for (const auto& pressed : presses)
        {
            const auto what = pressed.keys + (pressed.held ? " held" : " tapped") + (numLock ? " with Num Lock" : " without Num Lock");

#if JUCE_WINDOWS
            // There the framework reads the modifier keys as they are when it handles a key press,
            // not as they were at it: a tapped combination has lost them by then (and Wine lets go
            // of a key it was sent whenever the framework asks).
            if (pressed.keys.contains ("+"))
                continue;
#endif
            juce::String shown;

            capture (
                [&] (KeyEntryWindow& keyWindow)
                {
                    ASSERT_TRUE (keyboard.waitForFocus (keyWindow)) << what;
                    keyboard.setNumLock (numLock);

                    const auto isShown = [&] { return keyWindow.getCaptureText() == pressed.shown; };
                    PressCounter counter;
                    keyWindow.addKeyListener (&counter);

                    if (pressed.held)
                        keyboard.hold (pressed.keys, [&counter] { return counter.presses >= 4; });
                    else
                        keyboard.tap (pressed.keys);

                    keyWindow.removeKeyListener (&counter);
                    corvix::testing::GuiHarness::pumpUntil (isShown, 10000);
                    shown = keyWindow.getCaptureText();
                    corvix::testing::GuiHarness::pumpUntil ([] { return ! juce::ModifierKeys::getCurrentModifiers().isCtrlDown(); });
                });

            ASSERT_EQ (shown, pressed.shown) << what;
            const auto e = entry (42);
            EXPECT_EQ (static_cast<int> (e.getProperty (mapIds::key)), pressed.usage) << what;
            EXPECT_EQ (e.getProperty (mapIds::keyName).toString(), pressed.keyName) << what;
            EXPECT_EQ (static_cast<bool> (e.getProperty (mapIds::ctrl)), pressed.keys.startsWith ("Control_L")) << what;
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
