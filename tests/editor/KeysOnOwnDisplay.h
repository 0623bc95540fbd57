#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <vector>

namespace corvix::testing
{
/** For tests of what the keyboard sends through the X server: the calling test runs again in a
    child process of this test program, on a virtual X server of its own, where nothing else takes
    the keyboard or holds a key. The test asks onOwnDisplay() first: false in the test program
    itself, which then runs the child and reports its failures; true in the child, which does the
    work. */
bool onOwnDisplay();

/** Runs the calling test in the child on a fresh X server and fails the test with the child's
    output unless the child's run passed. On Windows the test skips itself: there is no X server to
    own, and the keys do not come through one. */
void runThisTestOnOwnDisplay();

/** The display's keyboard, driven through the X server's test extension: the presses and releases
    reach the focused window as a keyboard's would, and the server's key map shows the keys held.
    Only in the child. */
class TestKeyboard final
{
public:
    TestKeyboard();
    ~TestKeyboard();

    TestKeyboard (const TestKeyboard&) = delete;
    TestKeyboard& operator= (const TestKeyboard&) = delete;

    /** Locks Num Lock on or off, as its key and light would. */
    void setNumLock (bool on);

    /** Waits until the window (a top-level one, shown) has the X server's keyboard focus. */
    bool waitForFocus (juce::Component& window);

    /** Presses the keys in order and holds them: keys by their X names ("KP_1", "Control_L"). */
    void press (const std::vector<const char*>& keys);

    /** Releases the keys in the reverse order. */
    void release (const std::vector<const char*>& keys);

private:
    void send (const char* key, bool down);

    void* display{ nullptr };
};
} // namespace corvix::testing
