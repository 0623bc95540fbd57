#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>
#include <memory>

namespace corvix::testing
{
/** Hosts a component in a real desktop window (under the virtual X server in tests), so that it
    is laid out, painted and reached by the framework's own mouse handling. The window does not
    own the component: the test does, and the harness takes it out of the window when it goes.

    Mouse actions go through the window's peer as the operating system's events would, so enter,
    exit, drag and the component under the mouse behave as for a user. Positions are in the
    target component's local coordinates. Message thread only (the test thread). */
class GuiHarness
{
public:
    /** Shows the component at its current size, or at the given size when one is given. */
    explicit GuiHarness (juce::Component& content, int width = 0, int height = 0);
    ~GuiHarness();

    GuiHarness (const GuiHarness&) = delete;
    GuiHarness& operator= (const GuiHarness&) = delete;

    juce::Component& getWindow();
    juce::Component& getContent() { return content; }

    //==============================================================================
    // The message loop.

    /** Runs the message loop for this long, delivering what is queued (0: just what is queued now). */
    static void pump (int milliseconds = 0);

    /** Runs the message loop until the condition holds or the time is up; returns the condition.
        The time is a hang guard, generous for a loaded machine: nothing waits for it to pass. */
    static bool pumpUntil (const std::function<bool()>& condition, int timeoutMs = 20000);

    //==============================================================================
    // The mouse, through the window's peer.

    void mouseMove (juce::Component& target, juce::Point<int> local);
    void mouseDown (juce::Component& target, juce::Point<int> local, bool rightButton = false);
    void mouseDrag (juce::Component& target, juce::Point<int> local);
    void mouseUp (juce::Component& target, juce::Point<int> local);

    /** Moves onto the target's centre, presses and releases there. */
    void click (juce::Component& target, bool rightButton = false);

    /** Presses on the centre of from, moves in a few steps onto the centre of to, releases there. */
    void drag (juce::Component& from, juce::Component& to);

    /** Presses on the centre of from, moves to a point in to's coordinates, releases there. */
    void dragTo (juce::Component& from, juce::Component& to, juce::Point<int> local);

    //==============================================================================
    // Pictures.

    /** The component as it paints now, at one pixel per point. */
    static juce::Image snapshot (juce::Component& component);

    /** Writes an image as PNG, making the folder; true when written. */
    static bool writePng (const juce::Image& image, const juce::File& file);

private:
    void send (juce::Component& target, juce::Point<int> local, juce::ModifierKeys buttons);
    juce::Point<float> toPeer (juce::Component& target, juce::Point<int> local);

    class Window;
    juce::Component& content;
    std::unique_ptr<Window> window;
    juce::int64 eventTime = 0;
};

//==============================================================================
// Finding components.

/** Every component of the type below (and including) root, depth first in child order, for which
    the predicate holds. */
template <typename ComponentType = juce::Component>
juce::Array<ComponentType*> findAll (juce::Component& root, const std::function<bool (ComponentType&)>& predicate = {})
{
    juce::Array<ComponentType*> found;
    std::function<void (juce::Component&)> visit = [&] (juce::Component& c)
    {
        if (auto* typed = dynamic_cast<ComponentType*> (&c))
            if (! predicate || predicate (*typed))
                found.add (typed);

        for (auto* child : c.getChildren())
            visit (*child);
    };
    visit (root);
    return found;
}

template <typename ComponentType = juce::Component>
ComponentType* findFirst (juce::Component& root, const std::function<bool (ComponentType&)>& predicate = {})
{
    return findAll<ComponentType> (root, predicate).getFirst();
}

/** The first component of the type with this component name. */
template <typename ComponentType = juce::Component>
ComponentType* findByName (juce::Component& root, const juce::String& name)
{
    return findFirst<ComponentType> (root, [&] (ComponentType& c) { return c.getName() == name; });
}

/** The first component of the type with this component id. */
template <typename ComponentType = juce::Component>
ComponentType* findById (juce::Component& root, const juce::String& componentId)
{
    return findFirst<ComponentType> (root, [&] (ComponentType& c) { return c.getComponentID() == componentId; });
}

/** The first button that stands for this control number and is of this kind (getControlNumber
    and getKind of the editor's control buttons; kind 1 is a surface control). */
template <typename ButtonType>
ButtonType* findControl (juce::Component& root, int controlNumber, int kind = 1)
{
    return findFirst<ButtonType> (root, [&] (ButtonType& b) { return b.getControlNumber() == controlNumber && b.getKind() == kind; });
}

/** The first button whose shown text is this text. */
juce::Button* findButtonWithText (juce::Component& root, const juce::String& text);
} // namespace corvix::testing
